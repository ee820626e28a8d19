// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "patterns/Bleeding.h"

TestRun Bleeding(Canvas& canvas)
{
    const float radius = canvas.screenWidth() / 12.0f;
    // The inset comes from the width for all four sides, read anew each time.
    auto inset = [&] { return canvas.screenWidth() / 24.0f; };
    canvas.circle(0, 0, radius, RGB(255, 255, 255));
    canvas.circle(canvas.screenWidth(), 0, radius, RGB(255, 255, 255));
    canvas.circle(0, canvas.screenHeight(), radius, RGB(255, 255, 255));
    canvas.circle(canvas.screenWidth(), canvas.screenHeight(), radius, RGB(255, 255, 255));
    canvas.line(inset(), 0, inset(), canvas.screenHeight(), RGB(255, 255, 255));
    canvas.line(0, inset(), canvas.screenWidth(), inset(), RGB(255, 255, 255));
    canvas.line(0, canvas.screenHeight() - inset(), canvas.screenWidth(),
        canvas.screenHeight() - inset(), RGB(255, 255, 255));
    canvas.line(canvas.screenWidth() - inset(), 0, canvas.screenWidth() - inset(),
        canvas.screenHeight(), RGB(255, 255, 255));
    co_return;
}
