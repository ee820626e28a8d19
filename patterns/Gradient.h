// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "canvas/Canvas.h"
#include "canvas/TestRun.h"
#include "patterns/Channel.h"

#include <optional>

// The diagonal gradient: 2W slanted lines parallel to the diagonal from the
// bottom-left to the top-right corner, each a little darker, so that the
// picture runs from full at the top-left corner to black at the bottom-right.
// In gray, or in one primary.
TestRun Gradient(Canvas& canvas, std::optional<Channel> channel);
