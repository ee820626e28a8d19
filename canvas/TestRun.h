// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <chrono>
#include <coroutine>
#include <cstdint>
#include <exception>
#include <utility>

// Where an algorithm pumps window events, a test run suspends:
//     co_await DoEvents{};
// Whoever drives the run decides what happens in between: the window's driver
// returns to the event loop, a test or the exporter just goes on.
struct DoEvents { };

// A test pattern written as straight code that reads like its algorithm, run
// step by step. Destroying the run stops it where it is suspended.
class TestRun {
public:
    struct promise_type {
        TestRun get_return_object() { return TestRun(Handle::from_promise(*this)); }
        std::suspend_always initial_suspend() noexcept { return {}; }
        std::suspend_always final_suspend() noexcept { return {}; }
        std::suspend_always await_transform(DoEvents) noexcept { return {}; }
        void return_void() noexcept { }
        void unhandled_exception() { exception = std::current_exception(); }

        std::exception_ptr exception;
    };
    using Handle = std::coroutine_handle<promise_type>;

    TestRun() = default;
    TestRun(TestRun&& other) noexcept;
    TestRun& operator=(TestRun&& other) noexcept;
    TestRun(const TestRun&) = delete;
    TestRun& operator=(const TestRun&) = delete;
    ~TestRun();

    // Runs up to the next DoEvents or to the end; false once the run is over.
    // An exception thrown by the pattern comes out here.
    bool resume();
    bool finished() const;

private:
    explicit TestRun(Handle handle)
        : handle_(handle)
    {
    }

    Handle handle_;
};

// Resumes the run until it ends or `budget` has passed; false once it is over.
// The budget is checked after every step, so a slice overshoots it by at most
// one step.
bool runSlice(TestRun& run, std::chrono::nanoseconds budget);

// Resumes the run `steps` times at most; false once it is over.
bool runSteps(TestRun& run, int steps);

// Drives a run to its end at once, for tests, thumbnails and the exporter.
void runToCompletion(TestRun& run);
