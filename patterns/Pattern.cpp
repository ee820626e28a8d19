#include "patterns/Pattern.h"

#include "canvas/RasterCanvas.h"
#include "patterns/PlainBackground.h"

namespace {

const Pattern patterns[] = {
    {"white", "Fehér háttér", [](Canvas& c) { return PlainBackground(c, RGB(255, 255, 255)); }},
    {"black", "Fekete háttér", [](Canvas& c) { return PlainBackground(c, std::nullopt); }},
    {"gray", "Szürke háttér", [](Canvas& c) { return PlainBackground(c, RGB(128, 128, 128)); }},
    {"light-gray", "Világosszürke háttér",
        [](Canvas& c) { return PlainBackground(c, RGB(212, 208, 200)); }},
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

QImage renderPicture(const Pattern& pattern, QSize pixels)
{
    RasterCanvas canvas(pixels);
    TestRun run = pattern.start(canvas);
    runToCompletion(run);
    return canvas.raster().image();
}
