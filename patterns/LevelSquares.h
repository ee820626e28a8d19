// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "canvas/Canvas.h"
#include "canvas/TestRun.h"

// Black level: gray 1 to 20 on black. White saturation: 235 to 254 on white.
enum class LevelEnd { Black, White };

// Twenty squares of the levels nearest the background in a row across the
// middle of the screen, each numbered beneath with its level.
TestRun LevelSquares(Canvas& canvas, LevelEnd end);
