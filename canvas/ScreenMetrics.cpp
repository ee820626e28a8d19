// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "canvas/ScreenMetrics.h"

#include <QScreen>
#include <qpa/qplatformscreen.h>

#include <algorithm>
#include <cmath>

namespace {

OutputScaleSource& outputScaleSource()
{
    static OutputScaleSource source;
    return source;
}

} // namespace

void setOutputScaleSource(OutputScaleSource source)
{
    outputScaleSource() = std::move(source);
}

std::optional<OutputScale> outputScale(const QScreen* screen)
{
    if (!screen || !outputScaleSource())
        return std::nullopt;
    return outputScaleSource()(*screen);
}

QSize physicalPixels(const QScreen* screen)
{
    if (const std::optional<OutputScale> output = outputScale(screen))
        return output->pixels;
    return qtPixels(screen);
}

double desktopScale(const QScreen* screen)
{
    if (const std::optional<OutputScale> output = outputScale(screen))
        return output->scale * pixelRatio(screen).qt;
    return screen ? screen->devicePixelRatio() : 1;
}

// QScreen reports its size in device-independent pixels, rounded, so with a
// fractional scale factor it cannot tell 1024 physical pixels from 1025. The
// platform screen knows the real size: in native pixels on X11, where Qt does
// the scaling, or in the platform's own units times its ratio on platforms
// that scale by themselves (Wayland, the offscreen test platform).
QSize qtPixels(const QScreen* screen)
{
    if (!screen || !screen->handle())
        return {};
    const QPlatformScreen* platform = screen->handle();
    const QSize native = platform->geometry().size();
    const double ratio = platform->devicePixelRatio();
    return QSize(static_cast<int>(std::lround(native.width() * ratio)),
        static_cast<int>(std::lround(native.height() * ratio)));
}

PixelRatio pixelRatio(const QScreen* screen)
{
    if (!screen || !screen->handle())
        return {};
    const qreal platform = screen->handle()->devicePixelRatio();
    return {platform, screen->devicePixelRatio() / platform};
}

namespace {

QRectF scaled(const QRect& rect, qreal factor)
{
    return QRectF(
        rect.x() * factor, rect.y() * factor, rect.width() * factor, rect.height() * factor);
}

} // namespace

// Qt turns a logical region into device pixels twice, rounding each edge to
// the nearest whole unit: at the full ratio, where it paints, and at its own
// factor, where it flushes and where it keeps its buffers alike (on Wayland
// the buffer scale multiplies that afterwards; Qt leaves out of the copy
// between its buffers what it is about to paint). Where the two roundings of
// an edge differ, the pixel between them is painted and not shown, or shown
// stale: a column that looks dead. So the area is rounded outward, then each
// edge moved further out to a place where both roundings agree; there the
// pixels painted are exactly the pixels flushed. (The margin keeps the choice
// clear of the quantised ratio that QWidget reports.)
QRect logicalUpdate(const QRect& physical, PixelRatio ratio)
{
    if (physical.isEmpty())
        return {};
    const QRect outward = scaled(physical, 1 / ratio.full()).toAlignedRect();
    const auto agrees = [ratio](int edge) {
        const qreal units = edge * ratio.qt;
        return std::abs(units - std::round(units)) <= 0.5 / ratio.platform - 1.0 / 32;
    };
    // A few steps find such a place at any factor in use; only one within
    // about 1/100 of a whole number could need more than this.
    constexpr int reach = 64;
    const auto out = [&](int edge, int step) {
        for (int moved = 0; moved < reach && !agrees(edge); ++moved)
            edge += step;
        return edge;
    };
    return QRect(QPoint(out(outward.left(), -1), out(outward.top(), -1)),
        QPoint(out(outward.right() + 1, 1) - 1, out(outward.bottom() + 1, 1) - 1));
}

QRect physicalArea(const QRect& logical, qreal ratio)
{
    return scaled(logical, ratio).toAlignedRect();
}

// Rounded up, so that the window reaches the last pixel; a size that is whole
// but for the error of the division is not rounded up past it.
QSize logicalCover(QSize physical, qreal ratio)
{
    const auto cover = [ratio](int pixels) { return int(std::ceil(pixels / ratio - 1e-6)); };
    return QSize(cover(physical.width()), cover(physical.height()));
}

std::optional<QPoint> pixelAt(QPointF position, QSize pixels)
{
    if (pixels.isEmpty())
        return std::nullopt;
    const auto clamped = [](double at, int size) {
        return std::isfinite(at) ? int(std::clamp(std::floor(at), 0.0, double(size - 1))) : 0;
    };
    return QPoint(clamped(position.x(), pixels.width()), clamped(position.y(), pixels.height()));
}
