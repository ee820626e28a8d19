// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/WaylandPresentation.h"

#include "presentation-time-client-protocol.h"

#include <QGuiApplication>
#include <QWindow>
#include <qpa/qplatformnativeinterface.h>

#include <wayland-client.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <ctime>
#include <optional>
#include <vector>

namespace {

// wp_presentation is bound on a queue of its own: Qt's Wayland client does
// not bind it, and its queue must not carry events nobody there expects.
struct Binding {
    wl_display* display = nullptr;
    wl_event_queue* queue = nullptr;
    wl_display* wrapper = nullptr;
    wl_registry* registry = nullptr;
    wp_presentation* presentation = nullptr;
    clockid_t clock = CLOCK_MONOTONIC;

    ~Binding()
    {
        if (presentation)
            wp_presentation_destroy(presentation);
        if (registry)
            wl_registry_destroy(registry);
        if (wrapper)
            wl_proxy_wrapper_destroy(wrapper);
        if (queue)
            wl_event_queue_destroy(queue);
    }
};

const wl_registry_listener registryListener = {
    [](void* data, wl_registry* registry, std::uint32_t name, const char* interface,
        std::uint32_t) {
        auto* binding = static_cast<Binding*>(data);
        if (std::strcmp(interface, wp_presentation_interface.name) == 0 && !binding->presentation)
            binding->presentation = static_cast<wp_presentation*>(
                wl_registry_bind(registry, name, &wp_presentation_interface, 1));
    },
    [](void*, wl_registry*, std::uint32_t) {},
};

const wp_presentation_listener presentationListener = {
    [](void* data, wp_presentation*, std::uint32_t clock) {
        static_cast<Binding*>(data)->clock = clockid_t(clock);
    },
};

std::int64_t nowOn(clockid_t clock)
{
    timespec now {};
    clock_gettime(clock, &now);
    return std::int64_t(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

class WaylandPresentationClock : public FrameClock {
public:
    WaylandPresentationClock(std::unique_ptr<Binding> binding, QWindow& window,
        wl_surface* surface, double rate)
        : binding_(std::move(binding))
        , surface_(surface)
        , frames_(&window, rate)
    {
        connect(&frames_, &FrameClock::tick, this, [this](std::uint64_t ticks) { frame(ticks); });
    }
    ~WaylandPresentationClock() override
    {
        stop();
        for (Pending* pending : pending_) {
            wp_presentation_feedback_destroy(pending->feedback);
            delete pending;
        }
    }

    void start() override
    {
        anchor_.reset();
        frames_.start();
    }
    void stop() override
    {
        frames_.stop();
        dispatch();
    }
    double rate() const override { return frames_.rate(); }
    TimingSource source() const override
    {
        return frames_.source() == TimingSource::Timer ? TimingSource::Timer
                                                       : TimingSource::WaylandPresentation;
    }

private:
    struct Pending {
        WaylandPresentationClock* clock;
        struct wp_presentation_feedback* feedback;
        std::int64_t committed;
    };

    void frame(std::uint64_t ticks)
    {
        dispatch();
        // This frame's commit follows at once: Qt repaints for the same update request.
        auto* pending = new Pending{this, wp_presentation_feedback(binding_->presentation, surface_),
            nowOn(binding_->clock)};
        wp_presentation_feedback_add_listener(pending->feedback, &feedbackListener, pending);
        pending_.push_back(pending);
        wl_display_flush(binding_->display);
        emit tick(anchor_ ? refreshAt(pending->committed) : ticks);
    }

    // The refresh a frame committed at `nanoseconds` is meant for: the first
    // one after it, counted on from the last frame shown.
    std::uint64_t refreshAt(std::int64_t nanoseconds) const
    {
        const double refreshes = double(nanoseconds - anchor_->nanoseconds) / periodNs();
        return anchor_->refresh + std::uint64_t(std::max(0.0, std::floor(refreshes)) + 1);
    }
    double periodNs() const { return anchor_ && anchor_->period > 0 ? anchor_->period : 1e9 / rate(); }

    void dispatch() { wl_display_dispatch_queue_pending(binding_->display, binding_->queue); }

    void finished(Pending* pending, const FrameTime& frame)
    {
        pending_.erase(std::find(pending_.begin(), pending_.end(), pending));
        wp_presentation_feedback_destroy(pending->feedback);
        delete pending;
        emit frameShown(frame);
    }

    void presented(Pending* pending, std::int64_t shown, std::uint32_t refresh, std::uint64_t seq)
    {
        // Zero where the output keeps no count.
        FrameTime frame{shown, seq ? std::optional(seq) : std::nullopt, std::int64_t(refresh), {}};
        if (anchor_) {
            const std::uint64_t meantFor = refreshAt(pending->committed);
            const std::uint64_t count = seq > anchor_->seq && anchor_->seq > 0
                ? anchor_->refresh + (seq - anchor_->seq)
                : anchor_->refresh +
                    std::uint64_t(std::max<long long>(1, std::llround(double(shown - anchor_->nanoseconds) / periodNs())));
            frame.late = count > meantFor;
            anchor_ = Anchor{shown, count, seq, double(refresh)};
        } else {
            anchor_ = Anchor{shown, 0, seq, double(refresh)};
        }
        finished(pending, frame);
    }

    static const wp_presentation_feedback_listener feedbackListener;

    struct Anchor {
        std::int64_t nanoseconds;
        std::uint64_t refresh; // refreshes since the first frame shown
        std::uint64_t seq;
        double period;
    };
    std::unique_ptr<Binding> binding_;
    wl_surface* surface_;
    DisplayFrameClock frames_;
    std::vector<Pending*> pending_;
    std::optional<Anchor> anchor_;
};

const wp_presentation_feedback_listener WaylandPresentationClock::feedbackListener = {
    [](void*, struct wp_presentation_feedback*, wl_output*) {},
    [](void* data, struct wp_presentation_feedback*, std::uint32_t secHi, std::uint32_t secLo,
        std::uint32_t nsec, std::uint32_t refresh, std::uint32_t seqHi, std::uint32_t seqLo,
        std::uint32_t) {
        auto* pending = static_cast<Pending*>(data);
        const std::int64_t seconds = std::int64_t((std::uint64_t(secHi) << 32) | secLo);
        pending->clock->presented(pending, seconds * 1'000'000'000 + nsec, refresh,
            (std::uint64_t(seqHi) << 32) | seqLo);
    },
    [](void* data, struct wp_presentation_feedback*) {
        auto* pending = static_cast<Pending*>(data);
        FrameTime frame;
        frame.discarded = true;
        pending->clock->finished(pending, frame);
    },
};

} // namespace

std::unique_ptr<FrameClock> waylandPresentationClock(QWindow& window, double rate)
{
    QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
    if (!native)
        return nullptr;
    auto binding = std::make_unique<Binding>();
    binding->display =
        static_cast<wl_display*>(native->nativeResourceForIntegration("wl_display"));
    auto* surface = static_cast<wl_surface*>(native->nativeResourceForWindow("surface", &window));
    if (!binding->display || !surface)
        return nullptr;
    binding->queue = wl_display_create_queue(binding->display);
    binding->wrapper = static_cast<wl_display*>(wl_proxy_create_wrapper(binding->display));
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(binding->wrapper), binding->queue);
    binding->registry = wl_display_get_registry(binding->wrapper);
    wl_registry_add_listener(binding->registry, &registryListener, binding.get());
    wl_display_roundtrip_queue(binding->display, binding->queue);
    if (!binding->presentation)
        return nullptr;
    wp_presentation_add_listener(binding->presentation, &presentationListener, binding.get());
    // The clock it stamps with comes as an event of its own.
    wl_display_roundtrip_queue(binding->display, binding->queue);
    return std::make_unique<WaylandPresentationClock>(std::move(binding), window, surface, rate);
}
