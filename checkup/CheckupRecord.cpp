// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "checkup/CheckupRecord.h"

#include "canvas/ScreenMetrics.h"
#include "patterns/TestChoice.h"
#include "platform/MonitorEdid.h"

#include <QLocale>
#include <QScreen>
#include <QStringList>

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
        desktopScale(screen), Inexact::None, monitorEdid(*screen)};
    // The monitor's own word over Qt's reading of it, which turns the line
    // feed that ends a name into a dash.
    if (facts.edid) {
        facts.manufacturer = makerName(facts.edid->maker);
        facts.model = facts.edid->name;
        facts.serial = facts.edid->serial;
    }
    return facts;
}

std::optional<bool> ScreenFacts::atNativeResolution() const
{
    if (!edid || !edid->native)
        return std::nullopt;
    const QSize native = edid->native->pixels;
    return pixels == native || pixels == native.transposed();
}

std::optional<bool> ScreenFacts::atHighestRefreshRate() const
{
    if (!edid || !edid->maxRefreshRate)
        return std::nullopt;
    // Qt rounds 59.94 Hz to 60, and the range limits are whole.
    return refreshRate >= *edid->maxRefreshRate - 0.5;
}

QString ScreenFacts::modeWarning() const
{
    const QLocale hungarian(QLocale::Hungarian);
    const auto size = [](QSize s) {
        return QStringLiteral("%1 × %2").arg(s.width()).arg(s.height());
    };
    QStringList said;
    if (atNativeResolution() == false)
        said << QStringLiteral("A monitor saját felbontása %1 képpont, a kép most %2 képpontos, "
                               "ezért a monitor átméretezi: az egypixeles minták elmosódnak, "
                               "ez nem a panel hibája. A teszt előtt állítsa be a %1 "
                               "felbontást.")
                    .arg(size(edid->native->pixels), size(pixels));
    if (atHighestRefreshRate() == false)
        said << QStringLiteral("A monitor a saját adatai szerint legfeljebb %1 hertzes frissítésre "
                               "képes, a kép most %2 hertzes: ha a kijelző beállításaiban van "
                               "nagyobb frissítés, válassza azt.")
                    .arg(hungarian.toString(*edid->maxRefreshRate, 'g', 4),
                        hungarian.toString(std::round(refreshRate * 100) / 100, 'g', 4));
    return said.join(QLatin1Char(' '));
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
        tests, [](const TestMarks& test) {
            const Pattern* paced = findTest(test.test);
            return test.viewed && paced && paced->pacing == Pacing::Refreshes;
        });
}

double CheckupRecord::perMillionPixels(MarkKind kind) const
{
    const double pixels = double(screen.pixels.width()) * screen.pixels.height();
    return pixels > 0 ? count(kind) * 1e6 / pixels : 0;
}
