#pragma once

#include "canvas/FrameClock.h"

// A frame clock that ticks when the test says so.
class ManualClock : public FrameClock {
public:
    explicit ManualClock(double rate = 60)
        : rate_(rate)
    {
    }
    void start() override { running = true; }
    void stop() override { running = false; }
    double rate() const override { return rate_; }
    void frame() { emit tick(); }

    bool running = false;

private:
    double rate_;
};
