// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "canvas/Canvas.h"
#include "canvas/TestRun.h"
#include "patterns/Channel.h"

// A ramp of one primary, black at the left edge to full at the right, one
// full-height line per twip of the screen's width.
TestRun SweepChannel(Canvas& canvas, Channel channel);
