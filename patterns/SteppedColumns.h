// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "canvas/Canvas.h"
#include "canvas/TestRun.h"
#include "patterns/Channel.h"

#include <optional>

// `count` vertical columns across the screen, drawn one full-height line per
// twip. In gray they rise from 256 / count to white; in one channel they fall
// from 256 - 256 / count to black. `Real` is the precision the count, the
// column width and the levels are kept in: single for the gray-columns tile,
// double for a count typed into the dialog.
template <typename Real>
TestRun SteppedColumns(Canvas& canvas, Real count, std::optional<Channel> channel);

extern template TestRun SteppedColumns<float>(Canvas&, float, std::optional<Channel>);
extern template TestRun SteppedColumns<double>(Canvas&, double, std::optional<Channel>);

// A count of columns the user may ask for: 8 to 256, fractions allowed.
bool isValidColumnCount(double count);
inline constexpr const char* InvalidCountMessage = "Nem megfelelő érték";

// The gray-columns test: 16 columns.
TestRun GrayColumns(Canvas& canvas);
