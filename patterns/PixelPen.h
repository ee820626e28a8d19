// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "canvas/Canvas.h"

#include <QRect>
#include <QSize>

#include <string_view>

// Drawing by whole physical pixels for the tests whose rules are given in
// pixels. A pixel's first twip, x · 15, lands on the pixel itself, so each
// call paints exactly the pixels named; everything clips to the raster.
class PixelPen {
public:
    explicit PixelPen(Canvas& canvas)
        : canvas_(canvas)
    {
    }

    // The screen in whole pixels, read afresh.
    QSize screen() const;

    void line(int x1, int y1, int x2, int y2, RgbColor colour);
    void fill(const QRect& pixels, RgbColor colour);
    // The 45° line through (x, x - d) across `area`, and the one through
    // (x, sum - x).
    void diagonal(const QRect& area, int d, RgbColor colour);
    void antiDiagonal(const QRect& area, int sum, RgbColor colour);

    // Digits and commas in a blocky font of 3 × 5 cells, each cell a square
    // of `scale` pixels, a cell apart. The largest scale at which `text`
    // fits `room`; 0 when it does not fit at all.
    static int numberScale(std::string_view text, QSize room);
    static QSize numberSize(std::string_view text, int scale);
    void number(std::string_view text, QPoint topLeft, int scale, RgbColor colour);

private:
    Canvas& canvas_;
};

// x / 2 rounded down, also below zero.
inline int halfDown(int x)
{
    return x >= 0 ? x / 2 : -((1 - x) / 2);
}
