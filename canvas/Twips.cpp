#include "canvas/Twips.h"

#include <cmath>

double twipsToPixel(float twips)
{
    return std::floor(static_cast<double>(twips) / TwipsPerPixel);
}

float pixelsToTwips(int pixels)
{
    return static_cast<float>(pixels) * TwipsPerPixel;
}
