// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "patterns/Uniformity.h"

#include <cstdint>

TestRun Uniformity(Canvas& canvas, UniformityGrid grid)
{
    float level = 0; // a running sum, in single precision
    std::int64_t n = 0;
    while (n < double(canvas.screenHeight())) {
        n = n + 1;
        level = level + 255.0f / canvas.screenHeight();
        const long gray = roundLevel(level);
        canvas.line(0, float(n), canvas.screenWidth(), float(n), RGB(gray, gray, gray));
        co_await DoEvents{};
    }
    if (grid == UniformityGrid::Omitted)
        co_return;
    const float q = canvas.screenWidth() / 4.0f;
    const float h4 = canvas.screenHeight() / 4.0f;
    const RgbColor white = RGB(255, 255, 255);
    canvas.line(q, 0, q, canvas.screenHeight(), white);
    canvas.line(2 * q, 0, 2 * q, canvas.screenHeight(), white);
    canvas.line(3 * q, 0, 3 * q, canvas.screenHeight(), white);
    canvas.line(0, h4, canvas.screenWidth(), h4, white);
    canvas.line(0, 2 * h4, canvas.screenWidth(), 2 * h4, white);
    canvas.line(0, 3 * h4, canvas.screenWidth(), 3 * h4, white);
}
