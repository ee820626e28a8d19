// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QSize>

class QScreen;

// The size of a screen in physical pixels, whatever its device pixel ratio.
// Screen.Width and Screen.Height are this × TwipsPerPixel.
QSize physicalPixels(const QScreen* screen);
