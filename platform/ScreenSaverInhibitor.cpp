// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/ScreenSaverInhibitor.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QGuiApplication>

#include <xcb/screensaver.h>

namespace {

const QString ScreenSaverService = QStringLiteral("org.freedesktop.ScreenSaver");
const QString ScreenSaverPath = QStringLiteral("/org/freedesktop/ScreenSaver");
const QString PortalService = QStringLiteral("org.freedesktop.portal.Desktop");

void send(const QString& service, const QString& path, const QString& interface,
    const QString& method, const QVariantList& arguments)
{
    QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
    message.setArguments(arguments);
    QDBusConnection::sessionBus().send(message);
}

// What gives back a grant of either service.
void unInhibit(uint cookie)
{
    send(ScreenSaverService, ScreenSaverPath, ScreenSaverService, QStringLiteral("UnInhibit"),
        {cookie});
}

void closePortalRequest(const QString& request)
{
    send(PortalService, request, QStringLiteral("org.freedesktop.portal.Request"),
        QStringLiteral("Close"), {});
}

// Qt's own connection to the X server, or nullptr off X11.
xcb_connection_t* x11Connection()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr; // offscreen claims X11 without a connection
}

// Inhibiting only keeps a screensaver from starting; one already running
// (a test started from a terminal after the screen blanked) goes at a user's
// activity, which these requests stand for. Neither ends a screen lock.
void wake()
{
    send(ScreenSaverService, ScreenSaverPath, ScreenSaverService,
        QStringLiteral("SimulateUserActivity"), {});
    if (xcb_connection_t* connection = x11Connection()) {
        xcb_force_screen_saver(connection, XCB_SCREEN_SAVER_RESET);
        xcb_flush(connection);
    }
}

} // namespace

ScreenSaverInhibitor::~ScreenSaverInhibitor()
{
    allow();
}

void ScreenSaverInhibitor::inhibit()
{
    wake();
    if (grants_->inhibited)
        return;
    grants_->inhibited = true;
    const QString reason = QString::fromUtf8(Reason);
    inhibitOnBus(ScreenSaverService, ScreenSaverPath, ScreenSaverService, QStringLiteral("Inhibit"),
        {QStringLiteral("Kijelzor"), reason});
    constexpr uint idle = 8;
    inhibitOnBus(PortalService, QStringLiteral("/org/freedesktop/portal/desktop"),
        QStringLiteral("org.freedesktop.portal.Inhibit"), QStringLiteral("Inhibit"),
        {QString(), idle, QVariantMap{{QStringLiteral("reason"), reason}}});
    suspendX11(true);
}

void ScreenSaverInhibitor::allow()
{
    Grants& grants = *grants_;
    if (!grants.inhibited)
        return;
    grants.inhibited = false;
    ++grants.generation;
    if (grants.cookie)
        unInhibit(*std::exchange(grants.cookie, std::nullopt));
    if (!grants.portalRequest.isEmpty())
        closePortalRequest(std::exchange(grants.portalRequest, QString()));
    suspendX11(false);
}

// Asynchronous, so that a slow or missing service never holds up the test
// screen; a service that is not there answers with an error, which is all.
void ScreenSaverInhibitor::inhibitOnBus(const QString& service, const QString& path,
    const QString& interface, const QString& method, const QVariantList& arguments)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
    message.setArguments(arguments);
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(message));
    connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
        [grants = grants_, service, generation = grants_->generation](
            QDBusPendingCallWatcher* call) {
            call->deleteLater();
            const QDBusMessage reply = call->reply();
            if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
                return;
            const QVariant granted = reply.arguments().first();
            const bool current = grants->inhibited && generation == grants->generation;
            if (service == ScreenSaverService) {
                if (current)
                    grants->cookie = granted.toUInt();
                else
                    unInhibit(granted.toUInt());
            } else {
                const QString request = granted.value<QDBusObjectPath>().path();
                if (current)
                    grants->portalRequest = request;
                else
                    closePortalRequest(request);
            }
        });
}

// The X server's own screensaver and DPMS, held off for as long as this
// client asks (and lives).
void ScreenSaverInhibitor::suspendX11(bool suspend)
{
    xcb_connection_t* connection = x11Connection();
    if (!connection || suspend == x11Suspended_)
        return;
    const xcb_query_extension_reply_t* extension =
        xcb_get_extension_data(connection, &xcb_screensaver_id);
    if (!extension || !extension->present)
        return;
    xcb_screensaver_suspend(connection, suspend ? 1 : 0);
    xcb_flush(connection);
    x11Suspended_ = suspend;
}
