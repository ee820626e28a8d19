// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "patterns/FrameSkip.h"

#include "canvas/Twips.h"

#include <cmath>

namespace {

void fill(Canvas& canvas, const QRect& pixels, int level)
{
    const auto twips = [](int pixel) { return float(pixel * TwipsPerPixel); };
    for (int y = pixels.top(); y <= pixels.bottom(); ++y)
        canvas.line(twips(pixels.left()), twips(y), twips(pixels.right()), twips(y),
            RGB(level, level, level));
}

} // namespace

FrameSkipRow frameSkipRow(QSize pixels)
{
    FrameSkipRow row;
    row.side = pixels.width() / 20;
    row.gap = row.side / 4;
    const int width = FrameSkipRow::Cells * row.side + (FrameSkipRow::Cells - 1) * row.gap;
    row.left = (pixels.width() - width) / 2;
    row.top = (pixels.height() - row.side) / 2;
    return row;
}

TestRun FrameSkip(Canvas& canvas, std::function<std::uint64_t()> refresh)
{
    canvas.setBackColor(RGB(0, 0, 0));
    const QSize pixels(int(std::lround(canvas.screenWidth() / TwipsPerPixel)),
        int(std::lround(canvas.screenHeight() / TwipsPerPixel)));
    const FrameSkipRow row = frameSkipRow(pixels);
    if (row.side == 0)
        co_return;
    for (int i = 0; i < FrameSkipRow::Cells; ++i)
        fill(canvas, row.cell(i), i == 0 ? FrameSkipLit : FrameSkipDark);
    if (!refresh)
        co_return;
    // Counted from the refresh of the first frame, whatever the clock starts at.
    const std::uint64_t first = refresh();
    int lit = 0;
    for (;;) {
        const int now = int((refresh() - first) % FrameSkipRow::Cells);
        if (now != lit) {
            fill(canvas, row.cell(lit), FrameSkipDark);
            fill(canvas, row.cell(now), FrameSkipLit);
            lit = now;
        }
        co_await DoEvents{};
    }
}
