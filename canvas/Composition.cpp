// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "canvas/Composition.h"

#include "canvas/Twips.h"

#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <cmath>

QRect markerPixels(const Label1State& marker)
{
    const double left = twipsToPixel(marker.left), top = twipsToPixel(marker.top);
    constexpr double far = 1 << 24;
    if (!(std::fabs(left) < far) || !(std::fabs(top) < far))
        return {};
    const int side = int(twipsToPixel(MarkerTwips));
    return QRect(int(left), int(top), side, side);
}

QRgb composedPixel(const RasterCanvas& canvas, QPoint pixel)
{
    return ComposedRow(canvas, pixel.y())[pixel.x()];
}

ComposedRow::ComposedRow(const RasterCanvas& canvas, int y)
    : y_(y)
{
    const Image1State& image1 = canvas.Image1();
    if (image1.visible && unsigned(y) < unsigned(image1.picture.height())) {
        image_ = &image1.picture;
        pictureWidth_ = image_->width();
        if (image_->format() == QImage::Format_RGB32)
            picture_ = reinterpret_cast<const QRgb*>(image_->constScanLine(y));
    }
    const QImage& raster = canvas.raster().image(); // always RGB32
    if (unsigned(y) < unsigned(raster.height())) {
        rasterWidth_ = raster.width();
        raster_ = reinterpret_cast<const QRgb*>(raster.constScanLine(y));
    }
}

QRgb ComposedRow::slowPicture(int x) const
{
    return image_->pixel(x, y_);
}

void composeCanvas(QPainter& painter, const RasterCanvas& canvas, QRect area, QColor marker)
{
    const QImage& raster = canvas.raster().image();
    const QRect shown = area.intersected(raster.rect());
    painter.drawImage(shown, raster, shown);
    // Where the screen has grown past the raster since the test began.
    for (const QRect& beyond : QRegion(area).subtracted(QRegion(raster.rect())))
        painter.fillRect(beyond, Qt::black);
    const Image1State& image1 = canvas.Image1();
    if (image1.visible && !image1.picture.isNull()) {
        const QRect picture = area.intersected(image1.picture.rect());
        painter.drawImage(picture, image1.picture, picture);
    }
    const Label1State& label1 = canvas.Label1();
    if (label1.visible)
        painter.fillRect(markerPixels(label1).intersected(area), marker);
}

void composeInBands(QPainter& painter, const RasterCanvas& canvas, QRect area, QColor marker,
    const std::function<void(const QRect& band)>& over, int bandBytes)
{
    const int rows = std::max(1, bandBytes / std::max(1, area.width() * 4));
    for (int top = area.top(); top <= area.bottom(); top += rows) {
        const QRect band(area.left(), top, area.width(), std::min(rows, area.bottom() + 1 - top));
        composeCanvas(painter, canvas, band, marker);
        over(band);
    }
}
