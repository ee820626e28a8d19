// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QElapsedTimer>

#include <functional>
#include <memory>

// Nanoseconds on a steady clock. What measures time takes one of these, so
// that a test can hand it a time of its own.
using Nanoseconds = std::function<qint64()>;

inline Nanoseconds steadyNanoseconds()
{
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    return [clock] { return clock->nsecsElapsed(); };
}

// Milliseconds on `now`'s clock since `then`, one of its readings.
inline double msSince(const Nanoseconds& now, qint64 then)
{
    return double(now() - then) / 1e6;
}
