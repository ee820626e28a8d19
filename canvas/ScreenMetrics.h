// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPointF>
#include <QRect>
#include <QSize>

#include <functional>
#include <optional>

class QScreen;

// What the platform knows of a monitor better than Qt 6.4, which rounds a
// fractional desktop scale up to a whole one (1.5 to 2) and sizes the
// screen by it.
struct OutputScale {
    QSize pixels; // the output's mode, its transform applied
    double scale = 1; // physical pixels per unit of the compositor
    // Its size in the compositor's units times the scale is exactly its
    // pixels; where not, the compositor resamples every window on it.
    bool whole = true;
};
using OutputScaleSource = std::function<std::optional<OutputScale>(const QScreen&)>;
// Set once by the platform's code; none by default (X11, the offscreen tests).
void setOutputScaleSource(OutputScaleSource source);
std::optional<OutputScale> outputScale(const QScreen* screen);

// The size of a screen in physical pixels, whatever its device pixel ratio.
QSize physicalPixels(const QScreen* screen);
// The size of the buffers Qt paints the screen's windows in, which differs
// from the physical size where Qt does not know the true scale.
QSize qtPixels(const QScreen* screen);
// The desktop's scale on the screen: the output's own times Qt's factor.
double desktopScale(const QScreen* screen);

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
