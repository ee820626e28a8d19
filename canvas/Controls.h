// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>

// The canvas's two controls, which only the ghosting test uses, in their
// design state. They are drawn over the raster.

// The background picture at the top-left corner, unscaled: it takes the size
// of its picture. Empty, it shows nothing.
struct Image1State {
    QImage picture;
    bool visible = true;
};

// The moving marker: its top-left corner in twips, kept exactly as set, since
// a 2-twip step lost to rounding would stall the marker. Only the display
// turns it into pixels.
struct Label1State {
    float left = 0, top = 0;
    bool visible = false;
};

// The marker's side: 300 twips, 20 pixels.
inline constexpr float MarkerTwips = 300;
