// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "canvas/SteadyClock.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class Form2;
class QWindow;

// Where a clock learns of the display's frames, from the display itself to
// the program's own timer, so that a figure measured by the timer never passes
// for one measured by the display.
enum class TimingSource { X11Present, WaylandPresentation, WaylandFrame, Timer };
const char* timingSourceName(TimingSource source);

// How the X server's Present extension says it showed a frame.
enum class PresentMode { Copy, Flip, Skip, SuboptimalCopy };

// What became known of one frame shown.
struct FrameTime {
    std::int64_t nanoseconds = 0; // when it was shown, on the source's own clock
    // The display's count of refreshes, where it keeps one (MSC, Wayland's seq).
    std::optional<std::uint64_t> refresh;
    std::int64_t periodNs = 0; // the refresh period the source tells, 0 if none
    // Whether it came a refresh or more after the one it was meant for, where
    // the source tells when a frame was shown.
    std::optional<bool> late;
    bool discarded = false; // never shown: replaced, skipped
    std::optional<PresentMode> how = std::nullopt; // where the display says
};

// A frame as a count of refreshes sees it: when, and at which refresh where
// the display counts them.
struct FrameSeen {
    std::int64_t nanoseconds = 0;
    std::optional<std::uint64_t> refresh;
};
// Refreshes from one frame to the next: the display's count where both have
// it and it goes forward, else the time between them over `periodNs`,
// rounded.
std::int64_t refreshesBetween(const FrameSeen& from, const FrameSeen& to, double periodNs);
// Whether that came from the display's count.
bool countedForward(const FrameSeen& from, const FrameSeen& to);

// Ticks once per frame the display is ready for. The ghosting test moves its
// marker by a fixed number of steps per refresh, so its speed is the same on
// every machine.
class FrameClock : public QObject {
    Q_OBJECT
public:
    virtual void start() = 0;
    virtual void stop() = 0;
    // Frames per second the clock ticks at, or means to.
    virtual double rate() const = 0;
    virtual TimingSource source() const = 0;

signals:
    // The next frame is due; `refresh` counts the display's refreshes since
    // the start, or the clock's ticks where it cannot count them.
    void tick(std::uint64_t refresh);
    void frameShown(const FrameTime& frame);
};

// Ticks at a fixed rate. Each tick is scheduled against the start time, not
// the previous tick, so timer rounding does not add up into drift; after a
// stall it goes on from the period it is in, as a display would.
class TimerFrameClock : public FrameClock {
    Q_OBJECT
public:
    explicit TimerFrameClock(double rate, Nanoseconds now = {}, QObject* parent = nullptr);
    void start() override;
    void stop() override;
    double rate() const override { return rate_; }
    TimingSource source() const override { return TimingSource::Timer; }

    // The timer came due. Public so that a test with a time of its own can
    // stand in for the timer.
    void due();
    // Milliseconds until the next tick is due, or -1 when stopped.
    int nextDueInMs() const { return timer_.isActive() ? timer_.interval() : -1; }

private:
    void scheduleNext();
    double periodNs() const { return 1e9 / rate_; }

    double rate_;
    Nanoseconds now_;
    qint64 started_ = 0;
    qint64 ticks_ = 0;
    QTimer timer_;
};

// Ticks when the window is ready for its next frame (QWindow::requestUpdate,
// driven by the compositor's frame callbacks on Wayland). Where the measured
// interval shows the ticks are not paced by the display — much shorter than
// the refresh period, as Qt's X11 fallback timer is — it hands over to a
// TimerFrameClock at the refresh rate.
class DisplayFrameClock : public FrameClock {
    Q_OBJECT
public:
    DisplayFrameClock(
        QWindow* window, double refreshRate, Nanoseconds now = {}, QObject* parent = nullptr);
    void start() override;
    void stop() override;
    double rate() const override { return refreshRate_; }
    TimingSource source() const override
    {
        return fallback_ ? TimingSource::Timer : TimingSource::WaylandFrame;
    }

    // The window is ready for its next frame. Called from the window's
    // update request, before it repaints, so the frame shows this tick's steps.
    void framePresented();
    TimerFrameClock* fallback() const { return fallback_.get(); }

    // Ticks needed before the interval is judged.
    static constexpr int SampleTicks = 8;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWindow> window_;
    double refreshRate_;
    Nanoseconds now_;
    bool running_ = false;
    int samples_ = 0;
    qint64 firstSample_ = 0;
    std::uint64_t ticks_ = 0;
    std::unique_ptr<TimerFrameClock> fallback_;
};

// Makes the frame clock for a paced test on a canvas; tests drive one by hand.
using FrameClockFactory = std::function<std::unique_ptr<FrameClock>(Form2&)>;

// A refresh rate the screen reports, made usable: 60 Hz when it reports none.
double usableRefreshRate(double reported);

// How far the ghosting test's marker moves in one step.
inline constexpr int MarkerStepTwips = 2;

// Marker steps per frame for about 960 pixels a second, in whole
// pixels: a frame that moved the marker 6 pixels and the next 7 would judder
// like the very smearing the test is for. Two twips a step move a whole
// number of pixels only in steps of 2 pixels (15 steps), so every frame moves
// the marker by the even number of pixels nearest 960 a second.
int stepsPerFrame(double refreshRate);
// The pixels those steps move the marker.
double pixelsPerFrame(double refreshRate);
