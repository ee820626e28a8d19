// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "canvas/RasterCanvas.h"

#include <QColor>
#include <QRect>

class QPainter;

// The marker's place on the screen in physical pixels; empty when its twips
// are too far out to be on any screen.
QRect markerPixels(const Label1State& marker);

// The colour the screen shows at `pixel` of the canvas, the marker aside (it
// moves on); black off the raster.
QRgb composedPixel(const RasterCanvas& canvas, QPoint pixel);

// Paints `area` (physical pixels) of the canvas as the screen shows it: the
// raster, then the picture at the top-left corner, then the marker.
void composeCanvas(QPainter& painter, const RasterCanvas& canvas, QRect area, QColor marker);
