// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "canvas/RasterCanvas.h"

#include <QColor>
#include <QRect>

#include <functional>

class QPainter;

// The marker's place on the screen in physical pixels; empty when its twips
// are too far out to be on any screen.
QRect markerPixels(const Label1State& marker);

// The colour the screen shows at `pixel` of the canvas, the marker aside (it
// moves on); black off the raster.
QRgb composedPixel(const RasterCanvas& canvas, QPoint pixel);

// Row `y` of what composedPixel gives, for reading many pixels of one row
// without asking which image shows it for every one.
class ComposedRow {
public:
    ComposedRow(const RasterCanvas& canvas, int y);
    QRgb operator[](int x) const
    {
        if (unsigned(x) < unsigned(pictureWidth_))
            return picture_ ? picture_[x] : slowPicture(x);
        return unsigned(x) < unsigned(rasterWidth_) ? raster_[x] : qRgb(0, 0, 0);
    }

private:
    QRgb slowPicture(int x) const;
    const QImage* image_ = nullptr; // the picture, where its row is shown
    const QRgb* picture_ = nullptr; // its pixels where it is RGB32
    const QRgb* raster_ = nullptr;
    int y_, pictureWidth_ = 0, rasterWidth_ = 0;
};

// Paints `area` (physical pixels) of the canvas as the screen shows it: the
// raster, then the picture at the top-left corner, then the marker.
void composeCanvas(QPainter& painter, const RasterCanvas& canvas, QRect area, QColor marker);
// composeCanvas a band of rows at a time, `over` painting over each band as
// soon as it is composed, while its rows are still in the caches. By default
// a band of the raster and the same of the screen fit in half a megabyte,
// what a core's own cache holds on most machines: 17 rows at 3840 pixels.
void composeInBands(QPainter& painter, const RasterCanvas& canvas, QRect area, QColor marker,
    const std::function<void(const QRect& band)>& over, int bandBytes = 256 * 1024);
