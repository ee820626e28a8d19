// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "canvas/TestRun.h"

TestRun::TestRun(TestRun&& other) noexcept
    : handle_(std::exchange(other.handle_, {}))
{
}

TestRun& TestRun::operator=(TestRun&& other) noexcept
{
    if (this != &other) {
        if (handle_)
            handle_.destroy();
        handle_ = std::exchange(other.handle_, {});
    }
    return *this;
}

TestRun::~TestRun()
{
    if (handle_)
        handle_.destroy();
}

bool TestRun::finished() const
{
    return !handle_ || handle_.done();
}

bool TestRun::resume()
{
    if (finished())
        return false;
    handle_.resume();
    if (auto exception = handle_.promise().exception) {
        handle_.promise().exception = nullptr;
        std::rethrow_exception(exception);
    }
    return !handle_.done();
}

bool runSlice(TestRun& run, std::chrono::nanoseconds budget)
{
    const auto start = std::chrono::steady_clock::now();
    while (run.resume()) {
        if (std::chrono::steady_clock::now() - start >= budget)
            return true;
    }
    return false;
}

bool runSteps(TestRun& run, int steps)
{
    for (int i = 0; i < steps; ++i) {
        if (!run.resume())
            return false;
    }
    return !run.finished();
}

void runToCompletion(TestRun& run)
{
    while (run.resume()) { }
}
