// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "canvas/Presenter.h"

#include <memory>

class Form2;

// Shows the canvas's frames in a subsurface of its window whose buffer has
// the monitor's physical pixels, shown through wp_viewporter at the window's
// size: no one between the canvas and the panel resamples them, whatever
// scale the desktop has. Null off Wayland, and where the compositor offers no
// subsurfaces, viewports or a compositor of version 4.
std::unique_ptr<Presenter> waylandSubsurfacePresenter(Form2& window);
