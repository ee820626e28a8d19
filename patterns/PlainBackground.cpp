// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "patterns/PlainBackground.h"

TestRun PlainBackground(Canvas& canvas, std::optional<RgbColor> color)
{
    if (color)
        canvas.setBackColor(*color);
    co_return;
}
