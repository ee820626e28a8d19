#pragma once

#include "canvas/Canvas.h"
#include "canvas/Raster.h"

#include <QSize>

#include <functional>

// A Canvas that draws into a Raster. The screen size comes from a function
// called at every read, so a test follows a change of resolution while it
// runs; the raster keeps its size and clips whatever falls outside it.
class RasterCanvas : public Canvas {
public:
    using ScreenPixels = std::function<QSize()>;

    // With no screen given, the screen is the raster's own size.
    explicit RasterCanvas(QSize pixels, ScreenPixels screen = {});

    float screenWidth() const override;
    float screenHeight() const override;
    void setBackColor(RgbColor color) override;
    void line(float x1, float y1, float x2, float y2, RgbColor color) override;
    void circle(float x, float y, float radius, RgbColor color) override;

    Raster& raster() { return raster_; }
    const Raster& raster() const { return raster_; }

private:
    QSize screenPixels() const;

    Raster raster_;
    ScreenPixels screen_;
};
