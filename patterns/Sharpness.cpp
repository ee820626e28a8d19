// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "patterns/Sharpness.h"

#include "patterns/PixelPen.h"

TestRun Sharpness(Canvas& canvas)
{
    PixelPen pen(canvas);
    const RgbColor black = RGB(0, 0, 0);
    canvas.setBackColor(RGB(255, 255, 255));
    const QSize screen = pen.screen();
    const int w = screen.width(), h = screen.height(), midX = w / 2, midY = h / 2;
    for (int x = 0; x < midX; x += 2) {
        pen.line(x, 0, x, midY - 1, black);
        co_await DoEvents{};
    }
    for (int y = 0; y < midY; y += 2) {
        pen.line(midX, y, w - 1, y, black);
        co_await DoEvents{};
    }
    // The checkerboards as whole diagonals: the black pixels of single ones
    // lie on x - y even; of 2 × 2 blocks, on x - y ≡ 0 and x + y ≡ 1 (mod 4).
    const QRect bottomLeft(0, midY, midX, h - midY), bottomRight(midX, midY, w - midX, h - midY);
    for (int d = -(h + h % 2); d < midX; d += 2) {
        pen.diagonal(bottomLeft, d, black);
        co_await DoEvents{};
    }
    for (int d = -(h + 4 - h % 4); d < w; d += 4) {
        pen.diagonal(bottomRight, d, black);
        co_await DoEvents{};
    }
    for (int sum = 1; sum < w + h; sum += 4) {
        pen.antiDiagonal(bottomRight, sum, black);
        co_await DoEvents{};
    }
}
