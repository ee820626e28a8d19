// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "patterns/LevelSquares.h"

#include "patterns/PixelPen.h"

#include <string>

namespace {

constexpr int Squares = 20;
// A number shorter than this many pixels would not read as one.
constexpr int MinNumberHeight = 7;

struct Levels {
    long background, first, number;
};

const Levels levels[] = {{0, 1, 96}, {255, 235, 160}};

RgbColor gray(long level)
{
    return RGB(level, level, level);
}

} // namespace

TestRun LevelSquares(Canvas& canvas, LevelEnd end)
{
    const Levels& use = levels[int(end)];
    PixelPen pen(canvas);
    canvas.setBackColor(gray(use.background));
    const QSize screen = pen.screen();
    const int s = screen.width() / 26, g = s / 4;
    if (s == 0)
        co_return;
    const int left = (screen.width() - Squares * s - (Squares - 1) * g) / 2;
    const int top = halfDown(screen.height() - s);
    const QRect band(0, top + s + s / 4, s, s - s / 4);
    // One size for all numbers, the widest a quarter narrower than its square
    // so that neighbours stay apart, unless only the full width fits.
    const std::string widest = std::to_string(use.first + Squares - 1);
    int scale = PixelPen::numberScale(widest, QSize(s - s / 4, band.height()));
    if (scale == 0)
        scale = PixelPen::numberScale(widest, band.size());
    if (band.height() < MinNumberHeight)
        scale = 0;
    for (int i = 0; i < Squares; ++i) {
        const int x = left + i * (s + g);
        const long level = use.first + i;
        pen.fill(QRect(x, top, s, s), gray(level));
        const std::string text = std::to_string(level);
        if (scale > 0) {
            const QSize size = PixelPen::numberSize(text, scale);
            pen.number(text,
                QPoint(
                    x + (s - size.width()) / 2, band.top() + (band.height() - size.height()) / 2),
                scale, gray(use.number));
        }
        co_await DoEvents{};
    }
}
