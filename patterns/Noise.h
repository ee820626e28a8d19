// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "canvas/Canvas.h"
#include "canvas/TestRun.h"

// Gray 149 crossed by black lines 30 twips apart, first the rows from the top
// down, then the columns from the left: single gray dots on black at a pitch
// of two pixels.
TestRun Noise(Canvas& canvas);
