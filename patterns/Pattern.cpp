// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "patterns/Pattern.h"

#include "canvas/Form2.h"
#include "canvas/RasterCanvas.h"
#include "canvas/TestDriver.h"
#include "patterns/Bleeding.h"
#include "patterns/FrameSkip.h"
#include "patterns/GammaBands.h"
#include "patterns/Ghosting.h"
#include "patterns/Gradient.h"
#include "patterns/LevelSquares.h"
#include "patterns/Noise.h"
#include "patterns/PlainBackground.h"
#include "patterns/Sharpness.h"
#include "patterns/SteppedColumns.h"
#include "patterns/SweepChannel.h"
#include "patterns/Tones.h"
#include "patterns/TestChoice.h"
#include "patterns/Uniformity.h"

#include <QPointer>

namespace {

const Pattern patterns[] = {
    {"white", "Fehér háttér", [](Canvas& c) { return PlainBackground(c, RGB(255, 255, 255)); }},
    {"black", "Fekete háttér", [](Canvas& c) { return PlainBackground(c, std::nullopt); }},
    {"gray", "Szürke háttér", [](Canvas& c) { return PlainBackground(c, RGB(128, 128, 128)); }},
    {"light-gray", "Világosszürke háttér",
        [](Canvas& c) { return PlainBackground(c, RGB(212, 208, 200)); }},
    {"red", "Red", [](Canvas& c) { return SweepChannel(c, Channel::Red); }},
    {"green", "Green", [](Canvas& c) { return SweepChannel(c, Channel::Green); }},
    {"blue", "Blue", [](Canvas& c) { return SweepChannel(c, Channel::Blue); }},
    // Whole fields of one primary, where a stuck or dead subpixel shows best.
    {"pure-red", "Tiszta piros", [](Canvas& c) { return PlainBackground(c, RGB(255, 0, 0)); }},
    {"pure-green", "Tiszta zöld", [](Canvas& c) { return PlainBackground(c, RGB(0, 255, 0)); }},
    {"pure-blue", "Tiszta kék", [](Canvas& c) { return PlainBackground(c, RGB(0, 0, 255)); }},
    // What a panel shows of the darkest and lightest levels, its gamma and
    // whether the picture reaches it at its own resolution.
    {"black-level", "Feketeszint", [](Canvas& c) { return LevelSquares(c, LevelEnd::Black); }},
    {"white-saturation", "Fehérszint", [](Canvas& c) { return LevelSquares(c, LevelEnd::White); }},
    {"gamma", "Gamma", GammaBands},
    {"sharpness", "Élesség", Sharpness},
    {"gray-columns", "Szürke oszlopok", GrayColumns},
    {"gray-gradient", "Szürke gradiens", [](Canvas& c) { return Gradient(c, std::nullopt); }},
    {"dark-tones", "Sötét tónusok", [](Canvas& c) { return ToneFields(c, Tones::Dark); }},
    {"light-tones", "Világos tónusok", [](Canvas& c) { return ToneFields(c, Tones::Light); }},
    {"uniformity", "Megvilágítás egyenletessége",
        [](Canvas& c) { return Uniformity(c, UniformityGrid::Drawn); }},
    {"bleeding", "Háttérvilágítás kisugárzása", Bleeding},
    {"noise", "Képzaj", Noise},
    // Its first frame as a picture; the test itself lights the cell of each
    // refresh the window's driver counts.
    {.name = "frame-skip",
        .title = "Képkocka-kihagyás",
        .start = [](Canvas& c) { return FrameSkip(c); },
        .pacing = Pacing::Refreshes,
        .paced =
            [](Form2& window, const QString&) {
                QPointer<Form2> on(&window);
                return FrameSkip(window.canvas(),
                    [on] { return on && on->driver() ? on->driver()->refresh() : 0; });
            },
        .stepsPerFrame = 1,
        .figures = true},
    // The tests without a picture come last.
    {.name = GhostingTestName.data(),
        .title = GhostingTitle,
        .start = nullptr,
        .pacing = Pacing::Refreshes,
        .paced =
            [](Form2& window, const QString& folder) {
                return Ghosting(window.canvas(), ghostingPicture(folder));
            }},
};

constexpr std::size_t moving = 1; // tests at the table's end without a picture

} // namespace

std::span<const Pattern> allPatterns()
{
    return std::span(patterns).first(std::size(patterns) - moving);
}

std::span<const Pattern> allTests()
{
    return patterns;
}

namespace {

const Pattern* find(std::span<const Pattern> among, std::string_view name)
{
    const auto found = std::ranges::find(among, name, &Pattern::name);
    return found == among.end() ? nullptr : &*found;
}

} // namespace

const Pattern* findPattern(std::string_view name)
{
    return find(allPatterns(), name);
}

const Pattern* findTest(std::string_view name)
{
    return find(allTests(), name);
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
