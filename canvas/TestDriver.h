// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QTimer>

#include <chrono>
#include <memory>

#include "canvas/FrameClock.h"

#include <cstdint>
#include <optional>

// Kept out of this header: moc cannot parse <coroutine>.
class TestRun;

// Runs a test from the event loop in slices, so the window shows the picture
// building up and Esc or a click is handled within a frame: either slices of a
// few milliseconds, or a fixed number of steps at every tick of a frame clock.
// Destroying the driver destroys the run: the test stops at once.
class TestDriver : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds DefaultBudget{4};

    explicit TestDriver(
        TestRun run, QObject* parent = nullptr, std::chrono::nanoseconds budget = DefaultBudget);
    // Exactly `stepsPerFrame` steps for each refresh since the last tick, all
    // shown in the same frame: a refresh missed moves the picture on as far
    // as if it had been shown.
    TestDriver(TestRun run, std::unique_ptr<FrameClock> clock, int stepsPerFrame,
        QObject* parent = nullptr);
    ~TestDriver() override;

    // Runs the first slice now and the rest from the event loop; a paced run
    // waits for the clock's first tick.
    void start();
    bool isFinished() const;
    // The refresh the frame being drawn is for, as the clock counts them.
    std::uint64_t refresh() const { return refresh_.value_or(0); }
    const TestRun& run() const { return *run_; }

signals:
    // Something may have been drawn: time to show it.
    void sliceDone();
    void finished();

private:
    void runOneSlice();
    void runFrame(std::uint64_t refresh);

    std::unique_ptr<TestRun> run_;
    std::chrono::nanoseconds budget_{};
    QTimer timer_;
    std::unique_ptr<FrameClock> clock_;
    int stepsPerFrame_ = 0;
    int steps_ = 0;
    static constexpr std::uint64_t MaxFramesPerTick = 120;
    std::optional<std::uint64_t> refresh_;
};
