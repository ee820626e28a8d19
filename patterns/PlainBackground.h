// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "canvas/Canvas.h"
#include "canvas/TestRun.h"

#include <optional>

// White, gray and light gray set the canvas's colour; black sets none and
// keeps the black the canvas is loaded with.
TestRun PlainBackground(Canvas& canvas, std::optional<RgbColor> color);
