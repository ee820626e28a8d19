// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "canvas/TestDriver.h"

#include "canvas/TestRun.h"

#include <algorithm>

TestDriver::TestDriver(TestRun run, QObject* parent, std::chrono::nanoseconds budget)
    : QObject(parent)
    , run_(std::make_unique<TestRun>(std::move(run)))
    , budget_(budget)
{
    timer_.setInterval(0);
    connect(&timer_, &QTimer::timeout, this, &TestDriver::runOneSlice);
}

TestDriver::TestDriver(
    TestRun run, std::unique_ptr<FrameClock> clock, int stepsPerFrame, QObject* parent)
    : QObject(parent)
    , run_(std::make_unique<TestRun>(std::move(run)))
    , clock_(std::move(clock))
    , stepsPerFrame_(stepsPerFrame)
{
    connect(clock_.get(), &FrameClock::tick, this, &TestDriver::runFrame);
}

TestDriver::~TestDriver() = default;

bool TestDriver::isFinished() const
{
    return run_->finished();
}

void TestDriver::start()
{
    if (clock_) {
        clock_->start();
        return;
    }
    runOneSlice();
    if (!run_->finished())
        timer_.start();
}

void TestDriver::runFrame(std::uint64_t refresh)
{
    const std::uint64_t frames = refresh_ && refresh > *refresh_ ? refresh - *refresh_ : 1;
    refresh_ = refresh;
    // A stall of seconds would otherwise be caught up in one frame.
    steps_ = int(std::min<std::uint64_t>(frames, MaxFramesPerTick)) * stepsPerFrame_;
    runOneSlice();
}

void TestDriver::runOneSlice()
{
    const bool more = clock_ ? runSteps(*run_, steps_) : runSlice(*run_, budget_);
    if (!more) {
        timer_.stop();
        if (clock_)
            clock_->stop();
    }
    emit sliceDone();
    if (!more)
        emit finished();
}
