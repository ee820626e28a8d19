// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "checkup/CheckupRecord.h"

#include "canvas/ScreenMetrics.h"
#include "patterns/TestChoice.h"
#include "platform/MonitorEdid.h"

#include <QScreen>

#include <algorithm>
#include <cmath>
#include <cstdlib>

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
    ScreenFacts facts{screen->name(), screen->manufacturer(), screen->model(),
        screen->serialNumber(), physicalPixels(screen), screen->refreshRate(),
        desktopScale(screen)};
    // The monitor's own word over Qt's reading of it, which turns the line
    // feed that ends a name into a dash.
    facts.edid = monitorEdid(*screen);
    if (facts.edid) {
        facts.manufacturer = makerName(facts.edid->maker);
        facts.model = facts.edid->name;
        facts.serial = facts.edid->serial;
    }
    return facts;
}

std::vector<Defect> CheckupRecord::defects() const
{
    std::vector<Defect> found;
    for (const TestMarks& test : tests)
        for (const Mark& mark : test.marks) {
            // The nearest, so that the order of the clicks does not matter.
            Defect* same = nullptr;
            int nearest = DefectReach + 1;
            for (Defect& defect : found) {
                const QPoint d = defect.pixel - mark.pixel;
                const int distance = std::max(std::abs(d.x()), std::abs(d.y()));
                if (defect.kind == mark.kind && distance < nearest &&
                    defect.tests.back() != test.test) {
                    same = &defect;
                    nearest = distance;
                }
            }
            if (same)
                same->tests.push_back(test.test);
            else
                found.push_back({mark.pixel, mark.kind, {test.test}});
        }
    return found;
}

int CheckupRecord::count(MarkKind kind) const
{
    return static_cast<int>(std::ranges::count(defects(), kind, &Defect::kind));
}

bool CheckupRecord::framesMeasured() const
{
    return std::ranges::any_of(
        tests, [](const TestMarks& test) { return test.test == GhostingTestName && test.viewed; });
}

double CheckupRecord::perMillionPixels(MarkKind kind) const
{
    const double pixels = double(screen.pixels.width()) * screen.pixels.height();
    return pixels > 0 ? count(kind) * 1e6 / pixels : 0;
}
