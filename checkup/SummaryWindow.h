// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "canvas/SteadyClock.h"
#include "checkup/CheckupRecord.h"
#include "checkup/NoteEdit.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include <optional>
#include <set>

class QMessageBox;
class QScreen;

// What the checkup found, on the checkup's monitor, with a way to keep it:
// the monitor's maker, model and serial can be corrected and a note added.
// A window of its own, not a dialog of the canvas. It never throws results
// away unasked: closing it while they are not saved asks first.
class SummaryWindow : public QDialog {
    Q_OBJECT
public:
    // With `reportPath`, the report is written there at once and again on
    // closing if anything was typed since; closing then does not ask.
    SummaryWindow(CheckupRecord record, QScreen* screen, std::optional<QString> reportPath = {});

    // The record with what the user typed.
    CheckupRecord record() const;
    // Writes the report to `path`; on failure says so in a message box over
    // this window, which stays open to try again.
    bool save(const QString& path);
    // Bezárás, Esc and the close box: asks first if the results are unsaved.
    void requestClose();
    // Whether the report asked for on the command line holds the results.
    bool reportWritten() const { return reportWritten_; }
    // Keys do nothing for a moment after the window opens: they were meant
    // for the checkup.
    bool takesKeys() const;
    static constexpr int DeafMs = 500;
    // The time that moment is measured on.
    void setClock(Nanoseconds now);

    QPushButton* saveButton() { return &save_; }
    QPushButton* closeButton() { return &close_; }
    QLineEdit* manufacturerEdit() { return &manufacturer_; }
    QLineEdit* modelEdit() { return &model_; }
    QLineEdit* serialEdit() { return &serial_; }
    NoteEdit* noteEdit() { return &note_; }
    QLabel* savedLabel() { return &savedAt_; }

signals:
    // The window is done with: the program ends.
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Then { Stay, Close };
    void askWhereToSave(Then then);
    void askBeforeClosing();
    void typed();
    void lay();
    QLayout* monitorForm();

    CheckupRecord record_;
    std::optional<QString> reportPath_;
    QLineEdit manufacturer_, model_, serial_;
    NoteEdit note_;
    QLabel savedAt_;
    QPushButton save_, close_;
    QPointer<QMessageBox> question_;
    QString lastSaved_;
    bool unsaved_ = true;
    // Whether the report file holds what is shown, and whether writing it
    // has been tried since the last change.
    bool reportWritten_ = false, reportTried_ = false;
    Nanoseconds now_ = steadyNanoseconds();
    std::optional<qint64> shownAt_;
    // Keys that went down while this window could hear them; the repeats of
    // any other key were started before.
    std::set<int> keysDown_;
};
