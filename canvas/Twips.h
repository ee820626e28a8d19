// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRect>

// The run-time measures the screen in twips. A twip is one fifteenth of a
// *physical* pixel here, whatever the desktop's scaling: the patterns must
// land on real pixels, so no logical-pixel unit ever enters this conversion.
inline constexpr int TwipsPerPixel = 15;

// The one twip-to-pixel rule: floor(t / 15). Returned as a double so that any
// float input (huge, negative, infinite, NaN) passes through without undefined
// behaviour; callers clip before they convert to an integer.
double twipsToPixel(float twips);

// The same place unrounded, pixel i covering [i, i + 1): for the circles,
// which look for the pixels nearest an exact outline.
double twipsToPixelUnits(float twips);

// Screen.Width and Screen.Height of a screen `pixels` physical pixels wide.
float pixelsToTwips(int pixels);

// The windows' own layout (launcher, dialogs) is given in twips too, but in
// logical pixels, which may scale with the desktop; only the test canvas is
// tied to physical pixels.
QRect layoutRect(int leftTwips, int topTwips, int widthTwips, int heightTwips);
