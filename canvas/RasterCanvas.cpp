// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "canvas/RasterCanvas.h"

#include "canvas/PictureFile.h"
#include "canvas/Twips.h"

RasterCanvas::RasterCanvas(QSize pixels, ScreenPixels screen)
    : raster_(pixels)
    , screen_(std::move(screen))
{
}

QSize RasterCanvas::screenPixels() const
{
    return screen_ ? screen_() : raster_.size();
}

float RasterCanvas::screenWidth() const
{
    return pixelsToTwips(screenPixels().width());
}

float RasterCanvas::screenHeight() const
{
    return pixelsToTwips(screenPixels().height());
}

void RasterCanvas::setBackColor(RgbColor color)
{
    raster_.clear(color);
}

void RasterCanvas::line(float x1, float y1, float x2, float y2, RgbColor color)
{
    raster_.line(x1, y1, x2, y2, color);
}

void RasterCanvas::circle(float x, float y, float radius, RgbColor color)
{
    raster_.circle(x, y, radius, color);
}

QImage RasterCanvas::LoadPicture(const QString& path)
{
    return loadPicture(path, screenPixels());
}
