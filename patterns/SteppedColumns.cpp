// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "patterns/SteppedColumns.h"

#include <cstdint>

template <typename Real>
TestRun SteppedColumns(Canvas& canvas, Real count, std::optional<Channel> channel)
{
    const Real n = count;
    const Real w = Real(canvas.screenWidth()) / n;
    const Real step = channel ? -(Real(256) / n) : Real(256) / n;
    Real level = channel ? Real(256) : Real(0);
    std::int64_t i = 0, x = 0;
    while (i < double(n)) {
        i = i + 1;
        level = level + step;
        while (x < double(Real(w * Real(i)))) {
            x = x + 1;
            canvas.line(float(x), 0, float(x), canvas.screenHeight(),
                levelColour(channel, roundLevel(level)));
            co_await DoEvents{};
        }
        co_await DoEvents{};
    }
}

template TestRun SteppedColumns<float>(Canvas&, float, std::optional<Channel>);
template TestRun SteppedColumns<double>(Canvas&, double, std::optional<Channel>);

TestRun GrayColumns(Canvas& canvas)
{
    return SteppedColumns<float>(canvas, 16.0f, std::nullopt);
}

bool isValidColumnCount(double count)
{
    return count >= 8 && count <= 256;
}
