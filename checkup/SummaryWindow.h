// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "checkup/CheckupRecord.h"

#include <QDialog>
#include <QPushButton>

class QScreen;

// What the checkup found, on the checkup's monitor, with a way to keep it.
// A window of its own, not a dialog of the canvas; closing it, or Esc, ends
// the program.
class SummaryWindow : public QDialog {
    Q_OBJECT
public:
    SummaryWindow(CheckupRecord record, QScreen* screen);

    const CheckupRecord& record() const { return record_; }
    // Writes the report to `path`; on failure says so in a message box over
    // this window, which stays open to try again.
    bool save(const QString& path);
    QPushButton* saveButton() { return &save_; }
    QPushButton* closeButton() { return &close_; }

signals:
    // Bezárás, or the window closed.
    void closed();
    // A report was written to `path`.
    void saved(const QString& path);

protected:
    void closeEvent(QCloseEvent* event) override;
    // Esc.
    void reject() override;

private:
    void askWhereToSave();

    CheckupRecord record_;
    QPushButton save_, close_;
};
