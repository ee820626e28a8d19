// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "canvas/Canvas.h"
#include "canvas/TestRun.h"

#include <QRect>
#include <QSize>

#include <cstdint>
#include <functional>
#include <string_view>

inline constexpr std::string_view FrameSkipTestName = "frame-skip";

// The row of 16 square cells on a black screen of `pixels`, in physical
// pixels: side ⌊W/20⌋, a quarter of it between cells, centred. Empty where
// the side comes out 0.
struct FrameSkipRow {
    int side = 0, gap = 0, left = 0, top = 0;
    static constexpr int Cells = 16;
    QRect cell(int index) const { return {left + index * (side + gap), top, side, side}; }
    QRect row() const { return cell(0).united(cell(Cells - 1)); }
};
FrameSkipRow frameSkipRow(QSize pixels);

// One cell lit white, the others dark gray: the one of the refresh the frame
// is for, modulo 16, so that a refresh without a new frame shows as a dark
// cell in a photograph's lit run, not as one cell lit twice. Runs until
// stopped, a step a frame; without `refresh`, draws the first frame (the
// leftmost cell lit) and ends.
TestRun FrameSkip(Canvas& canvas, std::function<std::uint64_t()> refresh = {});

inline constexpr int FrameSkipLit = 255, FrameSkipDark = 40;
