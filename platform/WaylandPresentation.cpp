// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/WaylandPresentation.h"

#include "platform/WaylandClient.h"

#include "presentation-time-client-protocol.h"

#include <QGuiApplication>
#include <QWindow>
#include <qpa/qplatformnativeinterface.h>

#include <wayland-client.h>

#include <algorithm>
#include <cmath>

std::uint64_t PresentationCount::refreshAt(std::int64_t nanoseconds) const
{
    if (!anchor_)
        return 0;
    const double refreshes = double(nanoseconds - anchor_->nanoseconds) / periodNs();
    return anchor_->refresh + std::uint64_t(std::max(0.0, std::floor(refreshes)) + 1);
}

double PresentationCount::periodNs() const
{
    return anchor_ && anchor_->period > 0 ? anchor_->period : 1e9 / rate_;
}

FrameTime PresentationCount::presented(
    std::int64_t committed, std::int64_t shown, std::int64_t periodNs, std::uint64_t seq)
{
    FrameTime frame{shown, seq ? std::optional(seq) : std::nullopt, periodNs, {}};
    if (!anchor_) {
        anchor_ = Anchor{shown, 0, seq, double(periodNs)};
        return frame;
    }
    const std::uint64_t meantFor = refreshAt(committed);
    // Seq 0: the output keeps no count.
    const auto counted = [](std::uint64_t seq) {
        return seq ? std::optional(seq) : std::nullopt;
    };
    const std::uint64_t count = anchor_->refresh +
        std::uint64_t(std::max<std::int64_t>(1,
            refreshesBetween({anchor_->nanoseconds, counted(anchor_->seq)}, {shown, counted(seq)},
                this->periodNs())));
    frame.late = count > meantFor;
    anchor_ = Anchor{shown, count, seq, double(periodNs)};
    return frame;
}

struct PresentationFeedback::Pending {
    PresentationFeedback* owner;
    struct wp_presentation_feedback* feedback;
    std::int64_t committed;
};

const wp_presentation_feedback_listener PresentationFeedback::listener = {
    [](void*, struct wp_presentation_feedback*, wl_output*) {},
    [](void* data, struct wp_presentation_feedback*, std::uint32_t secHi, std::uint32_t secLo,
        std::uint32_t nsec, std::uint32_t refresh, std::uint32_t seqHi, std::uint32_t seqLo,
        std::uint32_t) {
        auto* pending = static_cast<Pending*>(data);
        const std::int64_t seconds = std::int64_t((std::uint64_t(secHi) << 32) | secLo);
        PresentationFeedback& owner = *pending->owner;
        owner.finished(pending,
            owner.count().presented(pending->committed, seconds * 1'000'000'000 + nsec, refresh,
                (std::uint64_t(seqHi) << 32) | seqLo));
    },
    [](void* data, struct wp_presentation_feedback*) {
        auto* pending = static_cast<Pending*>(data);
        FrameTime frame;
        frame.discarded = true;
        pending->owner->finished(pending, frame);
    },
};

std::unique_ptr<PresentationFeedback> PresentationFeedback::make(FrameClock& clock, double rate)
{
    WaylandClient* client = WaylandClient::instance();
    if (!client || !client->presentation())
        return nullptr;
    return std::unique_ptr<PresentationFeedback>(new PresentationFeedback(clock, rate));
}

PresentationFeedback::PresentationFeedback(FrameClock& clock, double rate)
    : clock_(clock)
    , count_(rate)
{
}

PresentationFeedback::~PresentationFeedback()
{
    for (Pending* pending : pending_) {
        wp_presentation_feedback_destroy(pending->feedback);
        delete pending;
    }
}

std::int64_t PresentationFeedback::now() const
{
    timespec now{};
    clock_gettime(WaylandClient::instance()->presentationClock(), &now);
    return std::int64_t(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

void PresentationFeedback::onCommit(wl_surface* surface)
{
    // The generated function of that name hides the struct.
    auto* pending = new Pending{
        this, wp_presentation_feedback(WaylandClient::instance()->presentation(), surface), now()};
    wp_presentation_feedback_add_listener(pending->feedback, &listener, pending);
    pending_.push_back(pending);
}

// A compositor that never tells a frame presented (sway's headless outputs)
// discards some: that says nothing of the display, until it has shown one.
void PresentationFeedback::finished(Pending* pending, const FrameTime& frame)
{
    pending_.erase(std::ranges::find(pending_, pending));
    wp_presentation_feedback_destroy(pending->feedback);
    delete pending;
    if (frame.discarded && !presentedAny_) {
        ++heldDiscards_;
        return;
    }
    if (!presentedAny_) {
        presentedAny_ = true;
        FrameTime discarded;
        discarded.discarded = true;
        for (; heldDiscards_ > 0; --heldDiscards_)
            emit clock_.frameShown(discarded);
    }
    emit clock_.frameShown(frame);
}

namespace {

class WaylandPresentationClock : public FrameClock {
public:
    WaylandPresentationClock(QWindow& window, wl_surface* surface, double rate)
        : surface_(surface)
        , frames_(&window, rate)
        , feedback_(PresentationFeedback::make(*this, rate))
    {
        connect(&frames_, &FrameClock::tick, this, [this](std::uint64_t ticks) { frame(ticks); });
    }
    ~WaylandPresentationClock() override { stop(); }

    void start() override
    {
        feedback_->count().reset();
        frames_.start();
    }
    void stop() override
    {
        frames_.stop();
        WaylandClient::instance()->dispatch();
    }
    double rate() const override { return frames_.rate(); }
    TimingSource source() const override
    {
        return frames_.source() == TimingSource::Timer ? TimingSource::Timer
                                                       : TimingSource::WaylandPresentation;
    }

private:
    void frame(std::uint64_t ticks)
    {
        WaylandClient::instance()->dispatch();
        // This frame's commit follows at once: Qt repaints for the same update request.
        feedback_->onCommit(surface_);
        WaylandClient::instance()->dispatch();
        const PresentationCount& count = feedback_->count();
        emit tick(count.anchored() ? count.refreshAt(feedback_->now()) : ticks);
    }

    wl_surface* surface_;
    DisplayFrameClock frames_;
    std::unique_ptr<PresentationFeedback> feedback_;
};

} // namespace

std::unique_ptr<FrameClock> waylandPresentationClock(QWindow& window, double rate)
{
    WaylandClient* client = WaylandClient::instance();
    QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
    auto* surface = native
        ? static_cast<wl_surface*>(native->nativeResourceForWindow("surface", &window))
        : nullptr;
    if (!client || !client->presentation() || !surface)
        return nullptr;
    return std::make_unique<WaylandPresentationClock>(window, surface, rate);
}
