// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "canvas/Canvas.h"
#include "canvas/TestRun.h"

enum class Tones { Dark, Light };

// A 4 × 4 grid of primaries, secondaries and grays, drawn as horizontal lines
// in passes: pass n draws band k's row at y = k · n, so the grid grows down
// the screen and fills it at the last pass.
TestRun ToneFields(Canvas& canvas, Tones tones);
