// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "canvas/FrameClock.h"

#include <memory>

class QScreen;
class QWidget;

// The best frame clock the display offers `window` on `screen`: X11's Present
// extension (a tick at every vblank, with its count and time), Wayland's
// frame callbacks with presentation feedback where the compositor has it,
// frame callbacks alone, and only then a timer at the reported refresh rate.
std::unique_ptr<FrameClock> displayFrameClock(QWidget& window, QScreen* screen);

// `replacement`'s clock for `canvas` where there is one (tests tick by hand),
// else its presenter's, else the display's.
std::unique_ptr<FrameClock> frameClockFor(Form2& canvas, const FrameClockFactory& replacement);

// Lets `canvas` present its own pixels where the desktop lets it (a Wayland
// subsurface, X11 Present pixmaps), unless KIJELZOR_PRESENTER is "qt";
// elsewhere Qt's backing store shows them.
void choosePresenter(Form2& canvas);
