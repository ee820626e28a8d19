// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "canvas/Canvas.h"
#include "canvas/TestRun.h"

#include <QString>

#include <memory>

// The ghosting test: the picture at `picturePath` at the top-left corner (or
// black where it cannot be read) and the marker over it, moved in six passes
// of 2-twip steps: down and up the vertical centre line, right and left along
// the horizontal one, then diagonally down-right and up-left. Each step is
// one DoEvents. Leaving the canvas afterwards is the caller's part.
TestRun Ghosting(Canvas& canvas, QString picturePath);

class Form2;
class FrameClock;

// The ghosting test on `canvas`, paced by `clock`, its picture from the
// program's folder: as from its tile, as in the checkup.
void startGhosting(Form2& canvas, const QString& programFolder, std::unique_ptr<FrameClock> clock);

// The picture beside the program.
inline constexpr const char* GhostingPictureName = "blur_bg.jpg";
QString ghostingPicture(const QString& programFolder);
