// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "canvas/ScreenMetrics.h"

#include <QSize>

// An output's size in pixels once its transform (wl_output's, 0 to 7) is
// applied: the odd ones turn it a quarter.
QSize transformedMode(QSize mode, int transform);

// An output's true scale, from its pixels and its size in the compositor's
// units (xdg-output), or its whole scale where that size is not known.
// Compositors store a scale in 120ths or finer, and truncate the logical
// size: the axis that lost less tells it, in 120ths.
OutputScale outputScaleOf(QSize pixels, QSize logical, int wholeScale);

// The scale wp_fractional_scale_v1 prefers, sent in 120ths.
inline double fractionalScale(unsigned preferred)
{
    return preferred / 120.0;
}

// The buffer that shows `destination` (compositor units) one to one at
// `scale`, rounded half away from zero as the fractional-scale protocol says.
QSize bufferPixels(QSize destination, double scale);
