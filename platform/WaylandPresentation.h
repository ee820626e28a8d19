// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "canvas/FrameClock.h"

#include <memory>

class QWindow;

// Frame callbacks pace it; the compositor's presentation feedback on each
// frame's commit tells when the frame was shown and at which refresh, or that
// it never was. Null where the compositor does not offer wp_presentation.
std::unique_ptr<FrameClock> waylandPresentationClock(QWindow& window, double rate);
