// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "canvas/RgbColor.h"

#include <QImage>
#include <QRect>
#include <QSize>

#include <cstdint>

// The pixels of a test picture, one per physical pixel of the screen, and the
// three primitives the patterns draw with, all given in twips. Every primitive
// clips, and any float input — huge, negative, infinite, NaN — is safe.
class Raster {
public:
    // Sides are clamped to 0..MaxSide; a raster with a zero side draws nothing.
    explicit Raster(QSize pixels);

    static constexpr int MaxSide = 32768;

    QSize size() const { return image_.size(); }
    const QImage& image() const { return image_; }
    RgbColor pixel(int x, int y) const;

    void clear(RgbColor color);
    // A one-pixel line; both end points are painted.
    void line(float x1, float y1, float x2, float y2, RgbColor color);
    // A full circle outline: the pixels nearest to the ideal circle, without
    // gaps. Non-finite input, a negative radius or a radius beyond
    // MaxCircleRadius pixels (four times the largest raster's side) draws
    // nothing.
    void circle(float x, float y, float radius, RgbColor color);

    static constexpr std::int64_t MaxCircleRadius = std::int64_t{1} << 17;

    // The pixels changed since the last call, and forget them.
    QRect takeDirty();

private:
    // Callers must clip: every (x, y) lies inside the image.
    void put(std::int64_t x, std::int64_t y);
    void lineInPixels(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1);
    void span(std::int64_t x0, std::int64_t x1, std::int64_t y);
    void column(std::int64_t x, std::int64_t y0, std::int64_t y1);
    template <bool XMajor>
    void slanted(std::int64_t a0, std::int64_t b0, std::int64_t a1, std::int64_t b1);
    bool begin(RgbColor color);
    void markDirty(const QRect& pixels);

    QImage image_;
    QRect dirty_;
    uchar* bits_ = nullptr;
    qsizetype stride_ = 0;
    std::uint32_t argb_ = 0;
};
