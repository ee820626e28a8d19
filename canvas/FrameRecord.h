// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "canvas/FrameClock.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

class QObject;

// Frames by how the X server showed them.
struct PresentedCounts {
    std::int64_t copy = 0, flip = 0, skip = 0, suboptimal = 0;
};

// "353 másolva, 0 lapozva, 0 kihagyva, 0 nem optimálisan másolva", with
// `middle` after the second
QString presentedInHungarian(
    const PresentedCounts& counts, const QString& middle = QStringLiteral(", "));
// "353 copied, 0 flipped, 0 skipped, 0 suboptimal"
QString presentedInEnglish(const PresentedCounts& counts);

struct FrameRecord;

// The record's figures as people read them: a Hungarian label and its value
// each, "nem mérhető" where the source cannot tell; how the frames were shown
// is broken by `middle` (see presentedInHungarian).
struct FrameFigure {
    const char* label;
    QString value;
    bool ofTheMarker = false; // the ghosting test's alone
};
std::vector<FrameFigure> frameFigures(
    const FrameRecord& record, const QString& middle = QStringLiteral(", "));
// What is said where the program's own timer gave the figures; "" elsewhere.
QString timerWarning(const FrameRecord& record);

// The ghosting test's frames as the display told of them.
struct FrameRecord {
    void start(double rate, TimingSource source);
    void add(const FrameTime& frame);

    std::int64_t shown = 0;
    // Refreshes that passed without a new frame, and frames never shown.
    std::int64_t missed = 0;
    // Frames shown a refresh or more after the one they were meant for; none
    // where the source does not tell when a frame was shown.
    std::optional<std::int64_t> late;
    // None where the display does not say how it showed them.
    std::optional<PresentedCounts> presented;
    double pixelsPerFrame = 0;
    TimingSource timing = TimingSource::Timer;
    // Refreshes a second from the source's own timestamps: counted where it
    // counts them, else the frames shown. None before two frames.
    std::optional<double> measuredRefreshRate() const;

private:
    double periodNs_ = 0;
    std::optional<FrameSeen> first_, last_;
    bool counted_ = true; // every frame came with the display's refresh count
};

// Starts `record` on `clock` and adds every frame it tells of, for as long as
// `context` lives, with the clock's source as it is then: a clock that finds
// the display does not pace it hands over to a timer, and says so.
void recordFrames(FrameRecord& record, FrameClock& clock, const QObject* context);
