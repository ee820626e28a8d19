// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "canvas/FrameClock.h"

#include "canvas/Twips.h"

#include <QEvent>
#include <QWindow>

#include <algorithm>
#include <cmath>

const char* timingSourceName(TimingSource source)
{
    switch (source) {
    case TimingSource::X11Present: return "x11-present";
    case TimingSource::WaylandPresentation: return "wayland-presentation";
    case TimingSource::WaylandFrame: return "wayland-frame";
    case TimingSource::Timer: break;
    }
    return "timer";
}

bool countedForward(const FrameSeen& from, const FrameSeen& to)
{
    return from.refresh && to.refresh && *to.refresh > *from.refresh;
}

std::int64_t refreshesBetween(const FrameSeen& from, const FrameSeen& to, double periodNs)
{
    return countedForward(from, to)
        ? std::int64_t(*to.refresh - *from.refresh)
        : std::llround(double(to.nanoseconds - from.nanoseconds) / periodNs);
}

double usableRefreshRate(double reported)
{
    return std::isfinite(reported) && reported >= 1 && reported <= 1000 ? reported : 60.0;
}

int stepsPerFrame(double refreshRate)
{
    constexpr double pixelsPerSecond = 960;
    constexpr int stepsPerTwoPixels = 2 * TwipsPerPixel / MarkerStepTwips;
    const double pairsOfPixels = pixelsPerSecond / refreshRate / 2;
    return stepsPerTwoPixels * std::max(1, int(std::lround(pairsOfPixels)));
}

double pixelsPerFrame(double refreshRate)
{
    return stepsPerFrame(refreshRate) * double(MarkerStepTwips) / TwipsPerPixel;
}

TimerFrameClock::TimerFrameClock(double rate, Nanoseconds now, QObject* parent)
    : rate_(usableRefreshRate(rate))
    , now_(now ? std::move(now) : steadyNanoseconds())
{
    setParent(parent);
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &TimerFrameClock::due);
}

void TimerFrameClock::due()
{
    const qint64 now = now_() - started_;
    ticks_ = std::max(ticks_ + 1, qint64(double(now) / periodNs()));
    scheduleNext();
    emit frameShown({now, std::uint64_t(ticks_), std::int64_t(periodNs()), {}});
    emit tick(std::uint64_t(ticks_));
}

void TimerFrameClock::start()
{
    started_ = now_();
    ticks_ = 0;
    scheduleNext();
}

void TimerFrameClock::stop()
{
    timer_.stop();
}

void TimerFrameClock::scheduleNext()
{
    const double dueNs = double(ticks_ + 1) * periodNs();
    timer_.start(std::max(0, int(std::lround((dueNs - double(now_() - started_)) / 1e6))));
}

DisplayFrameClock::DisplayFrameClock(
    QWindow* window, double refreshRate, Nanoseconds now, QObject* parent)
    : window_(window)
    , refreshRate_(usableRefreshRate(refreshRate))
    , now_(now ? std::move(now) : steadyNanoseconds())
{
    setParent(parent);
    if (window_)
        window_->installEventFilter(this);
}

bool DisplayFrameClock::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == window_ && event->type() == QEvent::UpdateRequest)
        framePresented();
    return false;
}

void DisplayFrameClock::start()
{
    running_ = true;
    ticks_ = 0;
    if (fallback_)
        fallback_->start();
    else if (window_)
        window_->requestUpdate();
}

void DisplayFrameClock::stop()
{
    running_ = false;
    if (fallback_)
        fallback_->stop();
}

void DisplayFrameClock::framePresented()
{
    if (!running_ || fallback_)
        return;
    if (samples_ == 0)
        firstSample_ = now_();
    if (++samples_ == SampleTicks + 1) {
        const double interval = double(now_() - firstSample_) / SampleTicks;
        const double period = 1e9 / refreshRate_;
        if (interval < period / 2) {
            fallback_ = std::make_unique<TimerFrameClock>(refreshRate_, now_);
            // The count goes on from the frames already ticked, so that the
            // hand-over does not read as the count going back.
            const std::uint64_t before = ticks_;
            connect(fallback_.get(), &FrameClock::tick, this,
                [this, before](std::uint64_t t) { emit tick(before + t); });
            connect(fallback_.get(), &FrameClock::frameShown, this, [this, before](FrameTime f) {
                if (f.refresh)
                    *f.refresh += before;
                emit frameShown(f);
            });
            fallback_->start();
            return;
        }
    }
    emit frameShown({now_(), std::nullopt, std::int64_t(1e9 / refreshRate_), {}});
    emit tick(++ticks_);
    if (window_)
        window_->requestUpdate();
}
