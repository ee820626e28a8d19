// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "canvas/Presenter.h"
#include "checkup/CheckupTable.h"
#include "platform/Edid.h"
#include "canvas/FrameRecord.h"

#include <QDateTime>
#include <QPoint>
#include <QSize>
#include <QString>

#include <optional>
#include <string>
#include <vector>

class QScreen;

// A defect the user marked: a physical pixel of the screen.
struct Mark {
    QPoint pixel;
    MarkKind kind;
};

// Marks `pixel` unless it is marked already; false then.
bool addMark(std::vector<Mark>& marks, QPoint pixel, MarkKind kind);
// Removes the mark nearest to `pixel` if it lies within `reach` pixels.
std::optional<Mark> removeNearestMark(std::vector<Mark>& marks, QPoint pixel, double reach = 10);

// The monitor as the system reports it.
struct ScreenFacts {
    static ScreenFacts of(const QScreen* screen);

    QString name, manufacturer, model, serial;
    QSize pixels;
    double refreshRate = 0;
    double scale = 1;
    // Why the canvas's pixels do not reach the panel one to one, if so.
    Inexact inexact = Inexact::None;
    // What the monitor says of itself, where it could be read.
    std::optional<Edid> edid;

    // Whether the picture is the panel's own, either way round, and the
    // refresh the fastest the monitor says it can; none where it does not say.
    std::optional<bool> atNativeResolution() const;
    std::optional<bool> atHighestRefreshRate() const;
    // In Hungarian, a sentence for each of the two that is not so; "" if none.
    QString modeWarning() const;
};

struct TestMarks {
    std::string test;
    std::vector<Mark> marks;
    bool viewed = false; // shown at all
    double seconds = 0; // shown for, all visits together
};

// One fault of the panel, however many tests it was marked on.
struct Defect {
    QPoint pixel; // where it was first marked
    MarkKind kind;
    std::vector<std::string> tests; // in checkup order
};

// Everything the checkup found, as the summary shows it and the report keeps it.
struct CheckupRecord {
    QDateTime date;
    ScreenFacts screen; // the maker, model and serial as the user corrected them
    QString note; // the user's own words for the report
    std::vector<TestMarks> tests; // every test of the checkup, in order
    FrameRecord frames;

    // Marks of one kind on different tests within DefectReach pixels in x and
    // in y are one defect; two marks on the same test are always two.
    std::vector<Defect> defects() const;
    static constexpr int DefectReach = 2;
    // Distinct defects.
    int count(MarkKind kind) const;
    double perMillionPixels(MarkKind kind) const;
    // Whether the ghosting test was shown, so that its frames say anything.
    bool framesMeasured() const;
};
