// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "canvas/Canvas.h"
#include "canvas/TestRun.h"

#include <QImage>
#include <QSize>

#include <functional>
#include <span>
#include <string_view>

class Form2;
class QString;

// How a test goes on: drawn in slices as fast as they come, or a step on each
// of the display's refreshes.
enum class Pacing { Drawn, Refreshes };

// A test by the name the command lines know it, with its Hungarian name (its
// tile's tool tip where it has a tile).
struct Pattern {
    const char* name;
    const char* title;
    // Its picture on the canvas alone: the whole test, or a paced test's
    // first frame; null for a test that has none.
    TestRun (*start)(Canvas& canvas);
    Pacing pacing = Pacing::Drawn;
    // A paced test's run, with what it needs of the program: its window
    // (whose driver counts the refreshes) and its folder.
    TestRun (*paced)(Form2& window, const QString& programFolder) = nullptr;
    int stepsPerFrame = 0; // 0: as many as move the ghosting marker at its speed
    bool figures = false; // the display's frame figures shown over it
};

// The tests with a picture, as the exporter lists them.
std::span<const Pattern> allPatterns();
// Those and the tests that only move.
std::span<const Pattern> allTests();
// nullptr for an unknown name.
const Pattern* findPattern(std::string_view name);
const Pattern* findTest(std::string_view name);

// The finished picture of a test on a screen of `pixels` physical pixels.
QImage renderPicture(const std::function<TestRun(Canvas&)>& start, QSize pixels);
QImage renderPicture(const Pattern& pattern, QSize pixels);
