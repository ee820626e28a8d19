// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "patterns/Pattern.h"

#include "canvas/RasterCanvas.h"
#include "patterns/Bleeding.h"
#include "patterns/Gradient.h"
#include "patterns/Noise.h"
#include "patterns/PlainBackground.h"
#include "patterns/SteppedColumns.h"
#include "patterns/SweepChannel.h"
#include "patterns/Tones.h"
#include "patterns/Uniformity.h"

namespace {

const Pattern patterns[] = {
    {"white", [](Canvas& c) { return PlainBackground(c, RGB(255, 255, 255)); }},
    {"black", [](Canvas& c) { return PlainBackground(c, std::nullopt); }},
    {"gray", [](Canvas& c) { return PlainBackground(c, RGB(128, 128, 128)); }},
    {"light-gray", [](Canvas& c) { return PlainBackground(c, RGB(212, 208, 200)); }},
    {"red", [](Canvas& c) { return SweepChannel(c, Channel::Red); }},
    {"green", [](Canvas& c) { return SweepChannel(c, Channel::Green); }},
    {"blue", [](Canvas& c) { return SweepChannel(c, Channel::Blue); }},
    {"gray-columns", GrayColumns},
    {"gray-gradient", [](Canvas& c) { return Gradient(c, std::nullopt); }},
    {"dark-tones", [](Canvas& c) { return ToneFields(c, Tones::Dark); }},
    {"light-tones", [](Canvas& c) { return ToneFields(c, Tones::Light); }},
    {"uniformity", [](Canvas& c) { return Uniformity(c, UniformityGrid::Drawn); }},
    {"bleeding", Bleeding},
    {"noise", Noise},
};

} // namespace

std::span<const Pattern> allPatterns()
{
    return patterns;
}

const Pattern* findPattern(std::string_view name)
{
    for (const Pattern& pattern : patterns) {
        if (name == pattern.name)
            return &pattern;
    }
    return nullptr;
}

QImage renderPicture(const std::function<TestRun(Canvas&)>& start, QSize pixels)
{
    RasterCanvas canvas(pixels);
    TestRun run = start(canvas);
    runToCompletion(run);
    return canvas.raster().image();
}

QImage renderPicture(const Pattern& pattern, QSize pixels)
{
    return renderPicture(pattern.start, pixels);
}
