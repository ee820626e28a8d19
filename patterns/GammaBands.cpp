// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "patterns/GammaBands.h"

#include "patterns/PixelPen.h"

#include <algorithm>

namespace {

// round(255 · 0.5^(1/γ)): the level whose light is half of full white's.
const struct {
    long level;
    const char* gamma;
} squares[] = {{165, "1,6"}, {174, "1,8"}, {180, "2,0"}, {186, "2,2"}, {191, "2,4"}, {195, "2,6"},
    {199, "2,8"}};

// Top to bottom: which channels each band lights.
const struct {
    bool red, green, blue;
} bands[] = {{true, true, true}, {true, false, false}, {false, true, false}, {false, false, true}};

// The number's black plate reaches this many font cells beyond it.
constexpr int PlateCells = 1;

} // namespace

TestRun GammaBands(Canvas& canvas)
{
    PixelPen pen(canvas);
    canvas.setBackColor(RGB(0, 0, 0));
    const QSize screen = pen.screen();
    const int w = screen.width(), bandHeight = screen.height() / 4;
    const int p = std::min(w / 10, screen.height() / 8);
    for (int b = 0; b < 4; ++b) {
        auto colour = [&](long level) {
            return RGB(
                bands[b].red ? level : 0, bands[b].green ? level : 0, bands[b].blue ? level : 0);
        };
        const int top = b * bandHeight;
        const int bottom = b == 3 ? screen.height() - 1 : top + bandHeight - 1;
        for (int y = top + top % 2; y <= bottom; y += 2)
            pen.line(0, y, w - 1, y, colour(255));
        co_await DoEvents{};
        if (p == 0)
            continue;
        const int squareTop = top + (bottom - top + 1 - p) / 2;
        for (int k = 0; k < 7; ++k) {
            const int left = (k + 1) * w / 8 - p / 2;
            pen.fill(QRect(left, squareTop, p, p), colour(squares[k].level));
            const QRect below(left, squareTop + p, p, bottom - (squareTop + p) + 1);
            const std::string_view text = squares[k].gamma;
            const QSize cells = PixelPen::numberSize(text, 1);
            // At most two thirds of the square's width, so the plate stays a label.
            const int scale = std::min(below.width() * 2 / 3 / (cells.width() + 2 * PlateCells),
                below.height() / (cells.height() + 2 * PlateCells));
            if (scale > 0) {
                const QSize plate = PixelPen::numberSize(text, scale) +
                    QSize(2 * PlateCells * scale, 2 * PlateCells * scale);
                const QPoint at = below.topLeft() +
                    QPoint(
                        (below.width() - plate.width()) / 2, (below.height() - plate.height()) / 2);
                pen.fill(QRect(at, plate), RGB(0, 0, 0));
                pen.number(
                    text, at + QPoint(PlateCells * scale, PlateCells * scale), scale, colour(255));
            }
        }
        co_await DoEvents{};
    }
}
