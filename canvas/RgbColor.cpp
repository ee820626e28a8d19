// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "canvas/RgbColor.h"

#include <algorithm>
#include <cmath>

RgbColor RGB(long red, long green, long blue)
{
    auto channel = [](long level) { return static_cast<RgbColor>(std::clamp(level, 0L, 255L)); };
    return channel(red) + 256 * channel(green) + 65536 * channel(blue);
}

int redOf(RgbColor color)
{
    return static_cast<int>(color & 0xff);
}
int greenOf(RgbColor color)
{
    return static_cast<int>((color >> 8) & 0xff);
}
int blueOf(RgbColor color)
{
    return static_cast<int>((color >> 16) & 0xff);
}

long roundLevel(double level)
{
    if (std::isnan(level))
        return 0;
    // Well past any channel, yet safely inside long, so the cast is defined.
    constexpr double limit = 1e9;
    const double clamped = std::clamp(level, -limit, limit);
    // nearbyint follows the current rounding mode; the default one is
    // round-half-to-even, the rounding every level of the patterns relies on.
    return static_cast<long>(std::nearbyint(clamped));
}
