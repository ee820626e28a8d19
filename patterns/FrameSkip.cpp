// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "patterns/FrameSkip.h"

#include "patterns/PixelPen.h"

namespace {

RgbColor gray(int level)
{
    return RGB(level, level, level);
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
    PixelPen pen(canvas);
    const FrameSkipRow row = frameSkipRow(pen.screen());
    if (row.side == 0)
        co_return;
    for (int i = 0; i < FrameSkipRow::Cells; ++i)
        pen.fill(row.cell(i), gray(i == 0 ? FrameSkipLit : FrameSkipDark));
    if (!refresh)
        co_return;
    // Counted from the refresh of the first frame, whatever the clock starts at.
    const std::uint64_t first = refresh();
    int lit = 0;
    for (;;) {
        const int now = int((refresh() - first) % FrameSkipRow::Cells);
        if (now != lit) {
            pen.fill(row.cell(lit), gray(FrameSkipDark));
            pen.fill(row.cell(now), gray(FrameSkipLit));
            lit = now;
        }
        co_await DoEvents{};
    }
}
