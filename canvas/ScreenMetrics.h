// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPointF>
#include <QRect>
#include <QSize>

#include <optional>

class QScreen;

// The size of a screen in physical pixels, whatever its device pixel ratio.
// Screen.Width and Screen.Height are this × TwipsPerPixel.
QSize physicalPixels(const QScreen* screen);

// A screen's device pixel ratio as Qt applies it: the platform's own scale (a
// Wayland output's whole buffer scale; 1 on X11) times Qt's factor on top of
// it (QT_SCALE_FACTOR, QT_SCREEN_SCALE_FACTORS, the desktop's DPI on X11).
struct PixelRatio {
    qreal platform = 1, qt = 1;
    qreal full() const { return platform * qt; }
};
PixelRatio pixelRatio(const QScreen* screen);

// The one place where physical and logical pixels meet:
// the logical area to repaint so that every pixel of `physical` reaches the
// screen;
QRect logicalUpdate(const QRect& physical, PixelRatio ratio);
// the physical pixels that a logical area shows, rounded outward;
QRect physicalArea(const QRect& logical, qreal ratio);
// the smallest logical size that covers `physical` pixels.
QSize logicalCover(QSize physical, qreal ratio);

// The pixel of a picture of `pixels` at a physical position, the nearest edge
// pixel past its edges; none in an empty picture.
std::optional<QPoint> pixelAt(QPointF position, QSize pixels);
