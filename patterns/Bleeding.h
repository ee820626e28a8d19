// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "canvas/Canvas.h"
#include "canvas/TestRun.h"

// Quarter circles around the four corners and a frame set in by W / 24 from
// every edge, in white on black. Drawn straight through.
TestRun Bleeding(Canvas& canvas);
