// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/OutputGeometry.h"

#include <algorithm>
#include <cmath>

QSize transformedMode(QSize mode, int transform)
{
    return transform % 2 ? mode.transposed() : mode;
}

OutputScale outputScaleOf(QSize pixels, QSize logical, int wholeScale)
{
    if (pixels.isEmpty())
        return {};
    if (logical.isEmpty()) {
        const int scale = std::max(1, wholeScale);
        return {pixels, double(scale), pixels.width() % scale == 0 && pixels.height() % scale == 0};
    }
    const double in120ths = 120 *
        std::min(
            double(pixels.width()) / logical.width(), double(pixels.height()) / logical.height());
    const long long scale = std::max(1LL, std::llround(in120ths));
    const bool whole = logical.width() * scale == pixels.width() * 120LL &&
        logical.height() * scale == pixels.height() * 120LL;
    return {pixels, scale / 120.0, whole};
}

QSize bufferPixels(QSize destination, double scale)
{
    return QSize(int(std::lround(destination.width() * scale)),
        int(std::lround(destination.height() * scale)));
}
