// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "patterns/Gradient.h"

#include <cstdint>

TestRun Gradient(Canvas& canvas, std::optional<Channel> channel)
{
    float level = 256; // a running sum, like the left-edge height
    float y = 0;
    std::int64_t k = 0;
    while (k < double(canvas.screenWidth() * 2.0f)) {
        k = k + 1;
        y = y + canvas.screenHeight() / canvas.screenWidth();
        canvas.line(0, y, float(k), 0, levelColour(channel, roundLevel(level)));
        level = level - 256.0f / (canvas.screenWidth() * 2.0f);
        co_await DoEvents{};
    }
}
