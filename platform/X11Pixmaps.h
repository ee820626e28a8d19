// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "canvas/Presenter.h"

#include <memory>

class Form2;

// Shows the canvas's frames as X11 Present pixmaps, each on a refresh and
// whole, in a child window of the canvas that lets the input through; the
// server's word on each pixmap tells how and when it was shown. Null off X11,
// and where the server has no Present, no XFixes 2, or no MIT-SHM this
// program can attach to (a remote display).
std::unique_ptr<Presenter> x11PixmapPresenter(Form2& window);
