// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "checkup/Checkup.h"

#include "canvas/WindowOrder.h"
#include "patterns/Pattern.h"
#include "patterns/TestChoice.h"
#include "platform/DisplayTiming.h"

#include <QGuiApplication>
#include <QScreen>

Checkup::Checkup(QString programFolder, QScreen* screen, std::optional<QString> reportPath,
    FrameClockFactory frameClocks)
    : programFolder_(std::move(programFolder))
    , screen_(screen ? screen : QGuiApplication::primaryScreen())
    , reportPath_(std::move(reportPath))
    , frameClocks_(std::move(frameClocks))
    , canvas_(new CheckupCanvas(screen_))
{
    choosePresenter(*canvas_);
    record_.screen = ScreenFacts::of(screen_);
    record_.screen.inexact = canvas_->presenter().inexact();
    record_.frames.start(record_.screen.refreshRate, TimingSource::Timer);
    for (const CheckupStep& step : checkupTable())
        record_.tests.push_back({step.test, {}});

    connect(canvas_, &CheckupCanvas::nextRequested, this, &Checkup::next);
    connect(canvas_, &CheckupCanvas::previousRequested, this, &Checkup::previous);
    connect(canvas_, &CheckupCanvas::returnRequested, this, &Checkup::finish);
    connect(canvas_, &CheckupCanvas::markRequested, this, &Checkup::mark);
    connect(canvas_, &CheckupCanvas::unmarkRequested, this, &Checkup::unmark);
    canvas_->showOnScreen();
    screenSaver_.inhibit();
    showTest(0);
}

Checkup::~Checkup()
{
    delete canvas_.data();
    delete summary_.data();
}

void Checkup::setClock(Nanoseconds now)
{
    now_ = std::move(now);
    if (viewingSince_)
        viewingSince_ = now_();
    if (canvas_)
        canvas_->setClock(now_);
    if (summary_)
        summary_->setClock(now_);
}

CheckupStarter Checkup::fromLauncher(QString programFolder)
{
    return [programFolder](QScreen* screen, std::function<void()> ended) {
        auto checkup = std::make_unique<Checkup>(programFolder, screen);
        connect(checkup.get(), &Checkup::ended, checkup.get(), [ended](int) { ended(); });
        return std::unique_ptr<QObject>(std::move(checkup));
    };
}

void Checkup::showTest(int index)
{
    leave();
    current_ = index;
    record_.tests[index].viewed = true;
    viewingSince_ = now_();
    ++run_;
    const CheckupStep& step = checkupTable()[index];
    // Every test starts on a canvas as a tile's does: a new one.
    canvas_->reload();
    showMarks();
    // Where the mode blurs or slows the picture, the first test and the one
    // it would be mistaken on say so.
    QString hint = QString::fromUtf8(step.hint);
    if (const QString warning = record_.screen.modeWarning();
        !warning.isEmpty() && (index == 0 || step.test == std::string_view("sharpness")))
        hint = warning + QLatin1Char('\n') + hint;
    canvas_->showHint(QString::fromUtf8(testTitle(step.test)),
        QStringLiteral("%1 / %2").arg(index + 1).arg(checkupTable().size()), hint);
    const Pattern* test = findTest(step.test);
    if (!test)
        return;
    startTest(*canvas_, *test,
        {programFolder_, [this](Form2& window) { return frameClockFor(window, frameClocks_); },
            [this](const Pattern&, FrameClock& clock) {
                recordFrames(record_.frames, clock, this);
            }});
    // A paced test that ends by itself moves the checkup on, unless the user
    // has already moved on.
    if (test->pacing == Pacing::Refreshes)
        connect(
            canvas_->driver(), &TestDriver::finished, this,
            [this, run = run_] {
                if (run == run_)
                    next();
            },
            Qt::QueuedConnection);
}

void Checkup::next()
{
    if (!canvas_)
        return;
    if (current_ + 1 < int(checkupTable().size()))
        showTest(current_ + 1);
    else
        finish();
}

void Checkup::previous()
{
    if (canvas_ && current_ > 0)
        showTest(current_ - 1);
}

void Checkup::mark(QPoint pixel)
{
    if (addMark(record_.tests[current_].marks, pixel, checkupTable()[current_].kind))
        showMarks();
}

void Checkup::unmark(QPoint pixel)
{
    if (removeNearestMark(record_.tests[current_].marks, pixel))
        showMarks();
}

void Checkup::showMarks()
{
    canvas_->showMarks(
        record_.tests[current_].marks, QColor::fromRgb(checkupTable()[current_].markColour));
}

// What the user has seen of the test being left, for the report.
void Checkup::leave()
{
    if (viewingSince_)
        record_.tests[current_].seconds += msSince(now_, *viewingSince_) / 1000;
    viewingSince_.reset();
}

void Checkup::finish()
{
    if (!canvas_)
        return;
    leave();
    ++run_;
    canvas_->stopTest();
    canvas_->hide();
    canvas_->deleteLater();
    canvas_ = nullptr;
    screenSaver_.allow();

    record_.date = QDateTime::currentDateTime();
    summary_ = new SummaryWindow(record_, screen_, reportPath_);
    summary_->setClock(now_);
    connect(summary_, &SummaryWindow::closed, this,
        [this] { emit ended(reportPath_ && !summary_->reportWritten() ? 1 : 0); });
    showOnTop(*summary_);
}
