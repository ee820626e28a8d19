// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "canvas/CheckupStarter.h"
#include "canvas/FrameClock.h"
#include "canvas/SteadyClock.h"
#include "checkup/CheckupCanvas.h"
#include "checkup/CheckupRecord.h"
#include "checkup/SummaryWindow.h"
#include "platform/ScreenSaverInhibitor.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

// The guided checkup: every test in turn on one monitor, led by the keyboard,
// with the defects the user marks; then the summary, and the report.
class Checkup : public QObject {
    Q_OBJECT
public:
    // Starts with the first test on `screen` (the primary one when null).
    // With `reportPath` the report is written there when the summary opens.
    Checkup(QString programFolder, QScreen* screen, std::optional<QString> reportPath = {},
        FrameClockFactory frameClocks = {});
    ~Checkup() override;

    // What the launcher starts the checkup with: on its screen, no report
    // file, and `ended` called once the summary is closed.
    static CheckupStarter fromLauncher(QString programFolder);

    // The canvas until the summary opens, then the summary.
    CheckupCanvas* canvas() const { return canvas_; }
    SummaryWindow* summary() const { return summary_; }
    int current() const { return current_; }
    const std::vector<TestMarks>& marks() const { return record_.tests; }

    // The time the user's viewing and the windows' moments are measured on;
    // tests hand the checkup their own.
    void setClock(Nanoseconds now);

    void next();
    void previous();
    // Ends the tests and opens the summary.
    void finish();

signals:
    // The summary was closed: the program ends with `status`.
    void ended(int status);

private:
    void showTest(int index);
    void leave();
    void mark(QPoint pixel);
    void unmark(QPoint pixel);
    void showMarks();

    QString programFolder_;
    QPointer<QScreen> screen_;
    std::optional<QString> reportPath_;
    FrameClockFactory frameClocks_;
    CheckupRecord record_;
    int current_ = 0;
    // Tells the run that is current from one already left.
    int run_ = 0;
    Nanoseconds now_ = steadyNanoseconds();
    // When the current test was shown.
    std::optional<qint64> viewingSince_;
    QPointer<CheckupCanvas> canvas_;
    QPointer<SummaryWindow> summary_;
    ScreenSaverInhibitor screenSaver_;
};
