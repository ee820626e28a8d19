// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "canvas/Canvas.h"
#include "canvas/TestRun.h"

#include <QString>


// The ghosting test: the picture at `picturePath` at the top-left corner (or
// black where it cannot be read) and the marker over it, moved in six passes
// of 2-twip steps: down and up the vertical centre line, right and left along
// the horizontal one, then diagonally down-right and up-left. Each step is
// one DoEvents. Leaving the canvas afterwards is the caller's part.
TestRun Ghosting(Canvas& canvas, QString picturePath);

// The picture beside the program.
inline constexpr const char* GhostingPictureName = "blur_bg.jpg";
QString ghostingPicture(const QString& programFolder);
