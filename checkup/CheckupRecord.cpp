// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "checkup/CheckupRecord.h"

#include "canvas/ScreenMetrics.h"

#include <QScreen>

#include <algorithm>
#include <cmath>

bool addMark(std::vector<Mark>& marks, QPoint pixel, MarkKind kind)
{
    if (std::ranges::any_of(marks, [&](const Mark& mark) { return mark.pixel == pixel; }))
        return false;
    marks.push_back({pixel, kind});
    return true;
}

std::optional<Mark> removeNearestMark(std::vector<Mark>& marks, QPoint pixel, double reach)
{
    const auto distance = [&](const Mark& mark) {
        const QPoint d = mark.pixel - pixel;
        return std::hypot(d.x(), d.y());
    };
    const auto nearest = std::ranges::min_element(marks, {}, distance);
    if (nearest == marks.end() || distance(*nearest) > reach)
        return std::nullopt;
    const Mark removed = *nearest;
    marks.erase(nearest);
    return removed;
}

ScreenFacts ScreenFacts::of(const QScreen* screen)
{
    if (!screen)
        return {};
    return {screen->name(), screen->manufacturer(), screen->model(), screen->serialNumber(),
        physicalPixels(screen), screen->refreshRate(), screen->devicePixelRatio()};
}

int CheckupRecord::count(MarkKind kind) const
{
    int n = 0;
    for (const TestMarks& test : tests)
        n += static_cast<int>(std::ranges::count(test.marks, kind, &Mark::kind));
    return n;
}

double CheckupRecord::perMillionPixels(MarkKind kind) const
{
    const double pixels = double(screen.pixels.width()) * screen.pixels.height();
    return pixels > 0 ? count(kind) * 1e6 / pixels : 0;
}
