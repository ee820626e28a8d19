// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "canvas/FrameClock.h"

#include <QPointer>

// A frame clock its presenter ticks: while it runs, the presenter paces its
// frames by it; stopped or gone, the presenter lets it go. `Presenter` has
// paceBy(Clock*) and forget(const void* clock).
template <typename Presenter, typename Clock>
class PresenterClock : public FrameClock {
public:
    PresenterClock(Presenter& presenter, double rate)
        : presenter_(&presenter)
        , rate_(usableRefreshRate(rate))
    {
    }
    ~PresenterClock() override
    {
        if (presenter_)
            presenter_->forget(this);
    }
    void start() override
    {
        restart();
        running_ = true;
        if (presenter_)
            presenter_->paceBy(static_cast<Clock*>(this));
    }
    void stop() override
    {
        running_ = false;
        if (presenter_)
            presenter_->forget(this);
    }
    double rate() const override { return rate_; }
    bool running() const { return running_; }

protected:
    // What a run starts from afresh.
    virtual void restart() {}

private:
    QPointer<Presenter> presenter_;
    double rate_;
    bool running_ = false;
};
