// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "canvas/Controls.h"
#include "canvas/RgbColor.h"

#include <QImage>
#include <QString>

// What a test pattern sees of the screen it draws on: the screen's size in
// twips, read afresh at every use, and the drawing services, all in twips with
// the origin at the top-left corner, x to the right and y downwards.
class Canvas {
public:
    virtual ~Canvas() = default;

    virtual float screenWidth() const = 0; // Screen.Width
    virtual float screenHeight() const = 0; // Screen.Height

    virtual void setBackColor(RgbColor color) = 0;
    virtual void line(float x1, float y1, float x2, float y2, RgbColor color) = 0;
    virtual void circle(float x, float y, float radius, RgbColor color) = 0;

    // A picture file, or a null image where it cannot be read.
    virtual QImage LoadPicture(const QString& path) = 0;
    virtual Image1State& Image1() = 0;
    virtual Label1State& Label1() = 0;
};
