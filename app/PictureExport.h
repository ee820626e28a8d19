// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDir>
#include <QObject>
#include <QPointer>
#include <QProgressDialog>
#include <QSize>

class QWidget;

// Every test of the exporter's list written into a folder as NAME.png, as
// its --all does, one file a turn of the event loop under a progress dialog
// that can cancel. Each file is whole or absent: Mégse keeps the finished
// ones, and a file that cannot be written stops the run with a message that
// names it. The run deletes itself when it ends.
class PictureExport : public QObject {
    Q_OBJECT
public:
    // Starts at once; the dialogs belong to `window`, which they keep from
    // input meanwhile.
    PictureExport(const QString& folder, QSize pixels, QWidget* window, QObject* parent);
    ~PictureExport() override;

    QProgressDialog* progress() const { return progress_; }

signals:
    void ended();

private:
    void writeNext();
    void fail(const QString& path, const QString& reason);
    void end();

    QDir folder_;
    QSize pixels_;
    QWidget* window_;
    QPointer<QProgressDialog> progress_;
    int next_ = 0;
    bool over_ = false;
};
