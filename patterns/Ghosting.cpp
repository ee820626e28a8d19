// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "patterns/Ghosting.h"

#include "canvas/FrameClock.h"

#include <QDir>

namespace {

// Where a pass puts the marker, read from the screen when it starts.
enum class Start { Zero, HalfWidth, HalfHeight, Width, Height };

// The coordinate a pass tests: Left against the width, Top against the height.
enum class Tested { Left, Top };

struct Pass {
    Start top, left;
    Tested tested;
    int direction; // +1: while the coordinate is below its screen edge; -1: while above 0
    bool diagonal; // both coordinates move, Left first
};

const Pass passes[6] = {
    {Start::Zero, Start::HalfWidth, Tested::Top, +1, false},
    {Start::Height, Start::HalfWidth, Tested::Top, -1, false},
    {Start::HalfHeight, Start::Zero, Tested::Left, +1, false},
    {Start::HalfHeight, Start::Width, Tested::Left, -1, false},
    {Start::Zero, Start::Zero, Tested::Left, +1, true},
    {Start::Height, Start::Width, Tested::Left, -1, true},
};

float startValue(Start start, const Canvas& canvas)
{
    switch (start) {
    case Start::Zero:
        return 0;
    case Start::HalfWidth:
        return canvas.screenWidth() / 2.0f;
    case Start::HalfHeight:
        return canvas.screenHeight() / 2.0f;
    case Start::Width:
        return canvas.screenWidth();
    case Start::Height:
        return canvas.screenHeight();
    }
    return 0;
}

bool passGoesOn(const Pass& pass, Canvas& canvas)
{
    const Label1State& marker = canvas.Label1();
    const float value = pass.tested == Tested::Left ? marker.left : marker.top;
    if (pass.direction < 0)
        return value > 0;
    return value < (pass.tested == Tested::Left ? canvas.screenWidth() : canvas.screenHeight());
}

} // namespace

TestRun Ghosting(Canvas& canvas, QString picturePath)
{
    canvas.Image1().picture = canvas.LoadPicture(picturePath);
    canvas.Image1().visible = true;
    canvas.Label1().visible = true;
    constexpr float step = MarkerStepTwips;
    for (const Pass& pass : passes) {
        canvas.Label1().top = startValue(pass.top, canvas);
        canvas.Label1().left = startValue(pass.left, canvas);
        while (passGoesOn(pass, canvas)) {
            Label1State& marker = canvas.Label1();
            if (pass.diagonal || pass.tested == Tested::Left)
                marker.left = marker.left + pass.direction * step;
            if (pass.diagonal || pass.tested == Tested::Top)
                marker.top = marker.top + pass.direction * step;
            co_await DoEvents{};
        }
    }
}

QString ghostingPicture(const QString& programFolder)
{
    return QDir(programFolder).filePath(QLatin1String(GhostingPictureName));
}

