// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "canvas/Raster.h"

#include "canvas/Twips.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace {

using i64 = std::int64_t;

// Endpoints farther out than this many pixels are first clipped in floating
// point, so that the exact integer walk below never overflows.
constexpr double FarPixels = 1 << 24;

i64 floorDiv(i64 n, i64 d) // d > 0
{
    const i64 q = n / d;
    return (n % d != 0 && n < 0) ? q - 1 : q;
}

// The first i in [lo, hi + 1] for which isBefore(i) is false; isBefore must
// hold on a prefix of the range.
template <typename Pred> i64 firstNotBefore(i64 lo, i64 hi, Pred isBefore)
{
    while (lo <= hi) {
        const i64 mid = lo + (hi - lo) / 2;
        if (isBefore(mid))
            lo = mid + 1;
        else
            hi = mid - 1;
    }
    return lo;
}

// Cohen-Sutherland: moves the end points onto [minV, maxX] × [minV, maxY]
// along the line; false when the line misses that box. Each move uses the
// slope of the whole line, which stays well conditioned however far out the
// end points lie.
bool clipSegment(
    double& x0, double& y0, double& x1, double& y1, double minV, double maxX, double maxY)
{
    enum : int { Left = 1, Right = 2, Above = 4, Below = 8 };
    auto outcode = [&](double x, double y) {
        return (x < minV ? Left : x > maxX ? Right : 0) | (y < minV ? Above : y > maxY ? Below : 0);
    };
    const double dx = x1 - x0, dy = y1 - y0;
    for (int moves = 0; moves < 8; ++moves) {
        const int c0 = outcode(x0, y0), c1 = outcode(x1, y1);
        if ((c0 | c1) == 0)
            return true;
        if (c0 & c1)
            return false;
        const bool first = c0 != 0;
        double& x = first ? x0 : x1;
        double& y = first ? y0 : y1;
        const int code = first ? c0 : c1;
        if (code & (Left | Right)) {
            const double edge = (code & Left) ? minV : maxX;
            y += (edge - x) * (dy / dx);
            x = edge;
        } else {
            const double edge = (code & Above) ? minV : maxY;
            x += (edge - y) * (dx / dy);
            y = edge;
        }
        if (!std::isfinite(x) || !std::isfinite(y))
            return false;
    }
    return outcode(x0, y0) == 0 && outcode(x1, y1) == 0;
}

std::uint32_t toArgb(RgbColor color)
{
    return qRgb(redOf(color), greenOf(color), blueOf(color));
}

// The points of the outline of the circle at (cx, cy) of radius r, in pixel
// units, whose pixels make it up on a w × h image. Where the outline is steep,
// the point it crosses in each row's middle; where it is flat, in each
// column's. The two overlap by half a pixel around the diagonals so that the
// outline has no gap where they meet.
template <typename Plot>
void traceCircle(double cx, double cy, double r, i64 w, i64 h, Plot plot)
{
    const double reach = std::min(r, r / std::numbers::sqrt2 + 0.5);
    const i64 firstRow = std::max<i64>(0, static_cast<i64>(std::ceil(cy - reach - 0.5)));
    const i64 lastRow = std::min<i64>(h - 1, static_cast<i64>(std::floor(cy + reach - 0.5)));
    for (i64 row = firstRow; row <= lastRow; ++row) {
        const double dy = double(row) + 0.5 - cy, dx = std::sqrt(std::max(0.0, r * r - dy * dy));
        plot(cx - dx, double(row) + 0.5);
        plot(cx + dx, double(row) + 0.5);
    }
    const i64 firstColumn = std::max<i64>(0, static_cast<i64>(std::ceil(cx - reach - 0.5)));
    const i64 lastColumn = std::min<i64>(w - 1, static_cast<i64>(std::floor(cx + reach - 0.5)));
    for (i64 column = firstColumn; column <= lastColumn; ++column) {
        const double dx = double(column) + 0.5 - cx, dy = std::sqrt(std::max(0.0, r * r - dx * dx));
        plot(double(column) + 0.5, cy - dy);
        plot(double(column) + 0.5, cy + dy);
    }
    // A circle smaller than a pixel may cross no pixel's middle: its four
    // extreme points stand for it.
    if (r < 1) {
        plot(cx - r, cy), plot(cx + r, cy), plot(cx, cy - r), plot(cx, cy + r);
    }
}

} // namespace

Raster::Raster(QSize pixels)
    : image_(std::clamp(pixels.width(), 0, MaxSide), std::clamp(pixels.height(), 0, MaxSide),
          QImage::Format_RGB32)
{
    if (!image_.isNull())
        image_.fill(Qt::black);
    dirty_ = image_.rect();
}

RgbColor Raster::pixel(int x, int y) const
{
    const QRgb p = image_.pixel(x, y);
    return RGB(qRed(p), qGreen(p), qBlue(p));
}

bool Raster::begin(RgbColor color)
{
    if (image_.isNull())
        return false;
    // bits() detaches, so a copy of the image taken earlier keeps its pixels.
    bits_ = image_.bits();
    stride_ = image_.bytesPerLine();
    argb_ = toArgb(color);
    return true;
}

void Raster::put(i64 x, i64 y)
{
    reinterpret_cast<std::uint32_t*>(bits_ + y * stride_)[x] = argb_;
}

void Raster::markDirty(const QRect& pixels)
{
    dirty_ |= pixels;
}

QRect Raster::takeDirty()
{
    return std::exchange(dirty_, QRect());
}

void Raster::clear(RgbColor color)
{
    if (!begin(color))
        return;
    image_.fill(argb_);
    markDirty(image_.rect());
}

void Raster::line(float x1, float y1, float x2, float y2, RgbColor color)
{
    double px0 = twipsToPixel(x1), py0 = twipsToPixel(y1);
    double px1 = twipsToPixel(x2), py1 = twipsToPixel(y2);
    if (!std::isfinite(px0) || !std::isfinite(py0) || !std::isfinite(px1) || !std::isfinite(py1))
        return;
    if (!begin(color))
        return;
    const bool far =
        std::max({std::fabs(px0), std::fabs(py0), std::fabs(px1), std::fabs(py1)}) > FarPixels;
    if (far) {
        if (!clipSegment(px0, py0, px1, py1, -2.0, image_.width() + 1.0, image_.height() + 1.0))
            return;
        px0 = std::floor(px0), py0 = std::floor(py0), px1 = std::floor(px1), py1 = std::floor(py1);
    }
    lineInPixels(
        static_cast<i64>(px0), static_cast<i64>(py0), static_cast<i64>(px1), static_cast<i64>(py1));
}

void Raster::lineInPixels(i64 x0, i64 y0, i64 x1, i64 y1)
{
    const i64 w = image_.width(), h = image_.height();
    if (std::max(x0, x1) < 0 || std::min(x0, x1) >= w || std::max(y0, y1) < 0 ||
        std::min(y0, y1) >= h)
        return;
    if (y0 == y1)
        span(x0, x1, y0);
    else if (x0 == x1)
        column(x0, y0, y1);
    else if (std::abs(x1 - x0) >= std::abs(y1 - y0))
        slanted<true>(x0, y0, x1, y1);
    else
        slanted<false>(y0, x0, y1, x1);
}

void Raster::span(i64 x0, i64 x1, i64 y)
{
    const i64 from = std::max<i64>(std::min(x0, x1), 0);
    const i64 to = std::min<i64>(std::max(x0, x1), image_.width() - 1);
    auto* row = reinterpret_cast<std::uint32_t*>(bits_ + y * stride_);
    std::fill(row + from, row + to + 1, argb_);
    markDirty(QRect(int(from), int(y), int(to - from + 1), 1));
}

void Raster::column(i64 x, i64 y0, i64 y1)
{
    const i64 from = std::max<i64>(std::min(y0, y1), 0);
    const i64 to = std::min<i64>(std::max(y0, y1), image_.height() - 1);
    for (i64 y = from; y <= to; ++y)
        put(x, y);
    markDirty(QRect(int(x), int(from), 1, int(to - from + 1)));
}

// A Bresenham walk along the major axis a, the minor axis b following by
// exact integer rounding. Only the steps that land inside the image are
// walked: the a-range by arithmetic, the b-range by bisection, since b is
// monotonic along the walk.
template <bool XMajor> void Raster::slanted(i64 a0, i64 b0, i64 a1, i64 b1)
{
    if (a1 < a0) {
        std::swap(a0, a1);
        std::swap(b0, b1);
    }
    const i64 da = a1 - a0, db = b1 - b0;
    const i64 aSize = XMajor ? image_.width() : image_.height();
    const i64 bSize = XMajor ? image_.height() : image_.width();
    auto minorAt = [&](i64 i) { return b0 + floorDiv(2 * i * db + da, 2 * da); };

    i64 lo = std::max<i64>(0, -a0);
    i64 hi = std::min<i64>(da, aSize - 1 - a0);
    auto before = [&](i64 i) { return db >= 0 ? minorAt(i) < 0 : minorAt(i) >= bSize; };
    auto notAfter = [&](i64 i) { return db >= 0 ? minorAt(i) < bSize : minorAt(i) >= 0; };
    lo = firstNotBefore(lo, hi, before);
    hi = firstNotBefore(lo, hi, notAfter) - 1;
    if (lo > hi)
        return;

    const i64 num = 2 * lo * db + da;
    i64 b = b0 + floorDiv(num, 2 * da);
    i64 rem = num - floorDiv(num, 2 * da) * 2 * da;
    for (i64 i = lo; i <= hi; ++i) {
        if constexpr (XMajor)
            put(a0 + i, b);
        else
            put(b, a0 + i);
        rem += 2 * db;
        if (rem >= 2 * da) {
            rem -= 2 * da;
            ++b;
        } else if (rem < 0) {
            rem += 2 * da;
            --b;
        }
    }
    const i64 bLo = std::min(minorAt(lo), minorAt(hi)), bHi = std::max(minorAt(lo), minorAt(hi));
    const int aFrom = int(a0 + lo), aLength = int(hi - lo + 1);
    const int bFrom = int(bLo), bLength = int(bHi - bLo + 1);
    markDirty(
        XMajor ? QRect(aFrom, bFrom, aLength, bLength) : QRect(bFrom, aFrom, bLength, aLength));
}

void Raster::circle(float x, float y, float radius, RgbColor color)
{
    // The centre and the radius in exact pixel units, pixel i covering [i, i + 1).
    const double cx = twipsToPixelUnits(x), cy = twipsToPixelUnits(y);
    const double r = twipsToPixelUnits(radius);
    if (!std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(r))
        return;
    if (r < 0 || r > double(MaxCircleRadius))
        return;
    const i64 w = image_.width(), h = image_.height();
    // Wholly off the image: nothing to draw, and the casts below stay defined.
    if (cx + r < 0 || cx - r >= double(w) || cy + r < 0 || cy - r >= double(h))
        return;
    if (!begin(color))
        return;
    i64 left = w, top = h, right = -1, bottom = -1;
    traceCircle(cx, cy, r, w, h, [&](double px, double py) {
        const i64 ix = static_cast<i64>(std::floor(px)), iy = static_cast<i64>(std::floor(py));
        if (ix < 0 || ix >= w || iy < 0 || iy >= h)
            return;
        put(ix, iy);
        left = std::min(left, ix), right = std::max(right, ix);
        top = std::min(top, iy), bottom = std::max(bottom, iy);
    });
    if (right >= 0)
        markDirty(QRect(QPoint(int(left), int(top)), QPoint(int(right), int(bottom))));
}
