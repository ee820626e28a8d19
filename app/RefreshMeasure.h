// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <chrono>

class QScreen;

// Shows a black screen on `screen` for `duration` (Esc or a click ends it
// sooner), counts the frames the display tells of, and prints one line of
// figures: the status is 0, or 1 where only the program's timer was there to
// count with.
int measureRefresh(QScreen* screen, std::chrono::milliseconds duration = std::chrono::seconds(3));
