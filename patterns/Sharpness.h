// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "canvas/Canvas.h"
#include "canvas/TestRun.h"

// Black and white one-pixel textures in the four quarters: vertical lines,
// horizontal lines, a checkerboard of single pixels and one of 2 × 2 blocks,
// all in screen coordinates. Only a picture shown at the panel's own
// resolution leaves each quarter an even gray.
TestRun Sharpness(Canvas& canvas);
