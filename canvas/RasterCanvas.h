// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

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
    // Decodes no more of the picture than the screen can show.
    QImage LoadPicture(const QString& path) override;
    Image1State& Image1() override { return image1_; }
    Label1State& Label1() override { return label1_; }
    const Image1State& Image1() const { return image1_; }
    const Label1State& Label1() const { return label1_; }

    Raster& raster() { return raster_; }
    const Raster& raster() const { return raster_; }

private:
    QSize screenPixels() const;

    Raster raster_;
    ScreenPixels screen_;
    Image1State image1_;
    Label1State label1_;
};
