// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "canvas/Composition.h"

#include "canvas/Twips.h"

#include <QPainter>
#include <QRegion>

#include <cmath>
#include <optional>

QRect markerPixels(const Label1State& marker)
{
    const double left = twipsToPixel(marker.left), top = twipsToPixel(marker.top);
    constexpr double far = 1 << 24;
    if (!(std::fabs(left) < far) || !(std::fabs(top) < far))
        return {};
    const int side = int(twipsToPixel(MarkerTwips));
    return QRect(int(left), int(top), side, side);
}

namespace {

// QImage::pixel converts every format on every call; the rings ask for a
// hundred thousand pixels a paint.
std::optional<QRgb> pixelOf(const QImage& image, QPoint pixel)
{
    if (unsigned(pixel.x()) >= unsigned(image.width()) ||
        unsigned(pixel.y()) >= unsigned(image.height()))
        return std::nullopt;
    if (image.format() == QImage::Format_RGB32)
        return reinterpret_cast<const QRgb*>(image.constScanLine(pixel.y()))[pixel.x()];
    return image.pixel(pixel);
}

} // namespace

QRgb composedPixel(const RasterCanvas& canvas, QPoint pixel)
{
    const Image1State& image1 = canvas.Image1();
    if (image1.visible)
        if (const std::optional<QRgb> shown = pixelOf(image1.picture, pixel))
            return *shown;
    return pixelOf(canvas.raster().image(), pixel).value_or(qRgb(0, 0, 0));
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
