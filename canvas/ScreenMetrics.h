#pragma once

#include <QSize>

class QScreen;

// The size of a screen in physical pixels, whatever its device pixel ratio.
// Screen.Width and Screen.Height are this × TwipsPerPixel.
QSize physicalPixels(const QScreen* screen);
