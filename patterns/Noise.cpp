// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "patterns/Noise.h"

#include <cstdint>

TestRun Noise(Canvas& canvas)
{
    canvas.setBackColor(RGB(149, 149, 149));
    std::int64_t i = 0;
    while (i < double(canvas.screenHeight())) {
        i = i + 30;
        canvas.line(0, float(i - 15), canvas.screenWidth(), float(i - 15), RGB(0, 0, 0));
        co_await DoEvents{};
    }
    std::int64_t j = 0;
    while (j < double(canvas.screenWidth())) {
        j = j + 30;
        canvas.line(float(j - 15), 0, float(j - 15), canvas.screenHeight(), RGB(0, 0, 0));
        co_await DoEvents{};
    }
}
