// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "canvas/Canvas.h"
#include "canvas/TestRun.h"

// The test draws the grid; the tile's thumbnail shows the bands alone.
enum class UniformityGrid { Drawn, Omitted };

// A gray ramp from black at the top to white at the bottom, one line per twip
// row, then a white grid that splits the screen into 4 × 4 fields.
TestRun Uniformity(Canvas& canvas, UniformityGrid grid);
