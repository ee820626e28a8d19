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

// A test that draws on the canvas alone, by the name the exporter knows it,
// with its Hungarian name (its tile's tool tip where it has a tile).
struct Pattern {
    const char* name;
    const char* title;
    TestRun (*start)(Canvas& canvas);
};

std::span<const Pattern> allPatterns();
// nullptr for an unknown name.
const Pattern* findPattern(std::string_view name);

// The finished picture of a test on a screen of `pixels` physical pixels.
QImage renderPicture(const std::function<TestRun(Canvas&)>& start, QSize pixels);
QImage renderPicture(const Pattern& pattern, QSize pixels);
