// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "canvas/FrameClock.h"

#include "canvas/Twips.h"

#include <QEvent>
#include <QWindow>

#include <algorithm>
#include <cmath>

double usableRefreshRate(double reported)
{
    return std::isfinite(reported) && reported >= 1 && reported <= 1000 ? reported : 60.0;
}

int stepsPerFrame(double refreshRate)
{
    constexpr double pixelsPerSecond = 960, twipsPerStep = 2;
    constexpr int stepsPerTwoPixels = 2 * TwipsPerPixel / twipsPerStep;
    const double pairsOfPixels = pixelsPerSecond / refreshRate / 2;
    return stepsPerTwoPixels * std::max(1, int(std::lround(pairsOfPixels)));
}

TimerFrameClock::TimerFrameClock(double rate, QObject* parent)
    : FrameClock()
    , rate_(usableRefreshRate(rate))
{
    setParent(parent);
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] {
        ++ticks_;
        scheduleNext();
        emit tick();
    });
}

void TimerFrameClock::start()
{
    elapsed_.start();
    ticks_ = 0;
    scheduleNext();
}

void TimerFrameClock::stop()
{
    timer_.stop();
}

void TimerFrameClock::scheduleNext()
{
    const double dueMs = (ticks_ + 1) * 1000.0 / rate_;
    timer_.start(std::max(0, int(std::lround(dueMs - double(elapsed_.nsecsElapsed()) / 1e6))));
}

DisplayFrameClock::DisplayFrameClock(
    QWindow* window, double refreshRate, Nanoseconds now, QObject* parent)
    : window_(window)
    , refreshRate_(usableRefreshRate(refreshRate))
    , now_(std::move(now))
{
    setParent(parent);
    if (window_)
        window_->installEventFilter(this);
    if (!now_) {
        auto clock = std::make_shared<QElapsedTimer>();
        clock->start();
        now_ = [clock] { return clock->nsecsElapsed(); };
    }
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
            fallback_ = std::make_unique<TimerFrameClock>(refreshRate_);
            connect(fallback_.get(), &FrameClock::tick, this, &FrameClock::tick);
            fallback_->start();
            return;
        }
    }
    emit tick();
    if (window_)
        window_->requestUpdate();
}
