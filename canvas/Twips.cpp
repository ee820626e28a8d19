// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "canvas/Twips.h"

#include <cmath>

double twipsToPixel(float twips)
{
    return std::floor(twipsToPixelUnits(twips));
}

double twipsToPixelUnits(float twips)
{
    return static_cast<double>(twips) / TwipsPerPixel;
}

float pixelsToTwips(int pixels)
{
    return static_cast<float>(pixels) * TwipsPerPixel;
}

QRect layoutRect(int leftTwips, int topTwips, int widthTwips, int heightTwips)
{
    return QRect(leftTwips / TwipsPerPixel, topTwips / TwipsPerPixel, widthTwips / TwipsPerPixel,
        heightTwips / TwipsPerPixel);
}
