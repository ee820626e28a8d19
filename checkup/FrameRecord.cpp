// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "checkup/FrameRecord.h"

#include "canvas/FrameClock.h"
#include "canvas/Twips.h"

void FrameRecord::start(double rate)
{
    const double usable = usableRefreshRate(rate);
    period_ = 1e9 / usable;
    // Each step moves the marker two twips.
    pixelsPerFrame = stepsPerFrame(usable) * 2.0 / TwipsPerPixel;
    shown = late = 0;
    last_.reset();
}

void FrameRecord::tick(std::int64_t nanoseconds)
{
    if (last_ && nanoseconds - *last_ > 1.5 * period_)
        ++late;
    last_ = nanoseconds;
    ++shown;
}
