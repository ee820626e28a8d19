// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "canvas/Canvas.h"
#include "canvas/TestRun.h"

// Gray, red, green and blue bands of full-level and black rows, each with
// seven solid squares at the levels that match the stripes' average light at
// gamma 1.6 to 2.8; the square that vanishes into its stripes from a
// distance tells the panel's gamma in that channel.
TestRun GammaBands(Canvas& canvas);
