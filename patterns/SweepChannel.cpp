// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "patterns/SweepChannel.h"

#include <cstdint>

TestRun SweepChannel(Canvas& canvas, Channel channel)
{
    float level = 0; // a running sum: its small drift is part of the picture
    std::int64_t x = 0;
    while (x < double(canvas.screenWidth())) {
        x = x + 1;
        level = level + 255.0f / canvas.screenWidth();
        canvas.line(float(x), 0, float(x), canvas.screenHeight(),
            channelColour(channel, roundLevel(level)));
        co_await DoEvents{};
    }
}
