// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "canvas/FrameClock.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class QWindow;
struct wl_surface;
struct wp_presentation_feedback_listener;

// The refreshes counted from presentation feedback: from the output's own
// count (seq) where it keeps one, else from the time since the last frame
// shown over the refresh period.
class PresentationCount {
public:
    explicit PresentationCount(double rate)
        : rate_(rate)
    {
    }
    void reset() { anchor_.reset(); }
    bool anchored() const { return anchor_.has_value(); }
    // The refresh a frame committed at `nanoseconds` is meant for: the first
    // one after it, counted on from the last frame shown.
    std::uint64_t refreshAt(std::int64_t nanoseconds) const;
    // A frame committed at `committed` was shown at `shown`, on an output
    // whose refresh lasts `periodNs` (0 if unknown) and whose count is `seq`
    // (0 where it keeps none).
    FrameTime presented(
        std::int64_t committed, std::int64_t shown, std::int64_t periodNs, std::uint64_t seq);

private:
    struct Anchor {
        std::int64_t nanoseconds;
        std::uint64_t refresh; // refreshes since the first frame shown
        std::uint64_t seq;
        double period;
    };
    double periodNs() const;

    double rate_;
    std::optional<Anchor> anchor_;
};

// The feedback the compositor gives on commits of one surface, each frame's
// told as a FrameTime.
class PresentationFeedback {
public:
    // Null where the compositor does not offer wp_presentation.
    static std::unique_ptr<PresentationFeedback> make(FrameClock& clock, double rate);
    ~PresentationFeedback();
    // Asks for feedback on the next commit of `surface`; call just before it.
    void onCommit(wl_surface* surface);
    // Now, on the clock the compositor stamps with.
    std::int64_t now() const;
    PresentationCount& count() { return count_; }

private:
    struct Pending;
    static const wp_presentation_feedback_listener listener;
    PresentationFeedback(FrameClock& clock, double rate);
    void finished(Pending* pending, const FrameTime& frame);

    FrameClock& clock_;
    PresentationCount count_;
    std::vector<Pending*> pending_;
    bool presentedAny_ = false;
    int heldDiscards_ = 0;
};

// Frame callbacks of Qt's own surface pace it; the compositor's presentation
// feedback on each frame's commit tells when the frame was shown and at
// which refresh, or that it never was. Null where the compositor does not
// offer wp_presentation.
std::unique_ptr<FrameClock> waylandPresentationClock(QWindow& window, double rate);
