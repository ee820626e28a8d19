// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QString>

#include <memory>
#include <optional>

// Keeps the desktop's screensaver, screen lock and display power saving away
// while a test screen is shown. It asks every mechanism that is there (the
// desktop portal, the freedesktop ScreenSaver service, the X server's own
// screensaver and DPMS) and quietly passes over those that are not. The bus
// and the X server drop a dead client's requests, so none outlives the
// program, however it ends. Inhibiting also wakes a screensaver that is
// already running, as a user's touch would; a locked screen stays locked.
class ScreenSaverInhibitor : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~ScreenSaverInhibitor() override;

    void inhibit();
    void allow();

    static constexpr const char* Reason = "Kijelzőteszt fut";

private:
    void inhibitOnBus(const QString& service, const QString& path, const QString& interface,
        const QString& method, const QVariantList& arguments);
    void suspendX11(bool suspend);

    // Shared with the replies still on their way: one that comes after
    // allow(), or after this object is gone, undoes what it granted at once.
    struct Grants {
        unsigned generation = 0;
        bool inhibited = false;
        std::optional<uint> cookie; // org.freedesktop.ScreenSaver's
        QString portalRequest; // the portal's request, closed to allow again
    };
    std::shared_ptr<Grants> grants_ = std::make_shared<Grants>();
    bool x11Suspended_ = false;
};
