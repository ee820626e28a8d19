// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

// A 24-bit colour packed as r + 256·g + 65536·b.
using RgbColor = std::uint32_t;

// Each channel is clamped to 0..255 first: above 255 counts as 255 and, unlike
// the original run-time, below 0 counts as 0 instead of failing.
RgbColor RGB(long red, long green, long blue);

int redOf(RgbColor color);
int greenOf(RgbColor color);
int blueOf(RgbColor color);

// A channel level kept as a fraction becomes a whole number the way the
// original run-time converted to an integer: to the nearest, halves to the even
// neighbour. NaN gives 0 and out-of-range values saturate, so the result always
// fits RGB().
long roundLevel(double level);
