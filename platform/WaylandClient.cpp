// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/WaylandClient.h"

#include "platform/OutputGeometry.h"

#include "fractional-scale-v1-client-protocol.h"
#include "presentation-time-client-protocol.h"
#include "viewporter-client-protocol.h"
#include "xdg-output-unstable-v1-client-protocol.h"

#include <QGuiApplication>
#include <QScreen>
#include <qpa/qplatformnativeinterface.h>

#include <wayland-client.h>

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

namespace {

const wl_output_listener outputListener = {
    [](void* data, wl_output*, std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
        const char*, const char*,
        std::int32_t transform) { static_cast<WaylandOutput*>(data)->transform = transform; },
    [](void* data, wl_output*, std::uint32_t flags, std::int32_t width, std::int32_t height,
        std::int32_t) {
        if (flags & WL_OUTPUT_MODE_CURRENT)
            static_cast<WaylandOutput*>(data)->mode = QSize(width, height);
    },
    [](void*, wl_output*) {},
    [](void* data, wl_output*, std::int32_t scale) {
        static_cast<WaylandOutput*>(data)->scale = scale;
    },
    [](void* data, wl_output*, const char* name) {
        static_cast<WaylandOutput*>(data)->name = QString::fromUtf8(name);
    },
    [](void*, wl_output*, const char*) {},
};

const zxdg_output_v1_listener xdgOutputListener = {
    [](void*, zxdg_output_v1*, std::int32_t, std::int32_t) {},
    [](void* data, zxdg_output_v1*, std::int32_t width, std::int32_t height) {
        static_cast<WaylandOutput*>(data)->logical = QSize(width, height);
    },
    [](void*, zxdg_output_v1*) {},
    [](void* data, zxdg_output_v1*, const char* name) {
        static_cast<WaylandOutput*>(data)->name = QString::fromUtf8(name);
    },
    [](void*, zxdg_output_v1*, const char*) {},
};

const wp_presentation_listener presentationListener = {
    [](void* data, wp_presentation*, std::uint32_t clock) {
        *static_cast<clockid_t*>(data) = clockid_t(clock);
    },
};

template <typename T>
T* bind(wl_registry* registry, std::uint32_t name, const wl_interface& interface,
    std::uint32_t offered, std::uint32_t wanted)
{
    return static_cast<T*>(wl_registry_bind(registry, name, &interface, std::min(offered, wanted)));
}

} // namespace

namespace {

WaylandClient* opened = nullptr;

} // namespace

std::unique_ptr<WaylandClient> WaylandClient::open()
{
    if (opened || !QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return nullptr;
    QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
    auto* display = native
        ? static_cast<wl_display*>(native->nativeResourceForIntegration("wl_display"))
        : nullptr;
    if (!display)
        return nullptr;
    return std::unique_ptr<WaylandClient>(new WaylandClient(display));
}

WaylandClient* WaylandClient::instance()
{
    return opened;
}

WaylandClient::WaylandClient(wl_display* display)
    : display_(display)
{
    queue_ = wl_display_create_queue(display_);
    wrapper_ = static_cast<wl_display*>(wl_proxy_create_wrapper(display_));
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(wrapper_), queue_);
    registry_ = wl_display_get_registry(wrapper_);
    static const wl_registry_listener listener = {
        &WaylandClient::global, &WaylandClient::globalRemoved};
    wl_registry_add_listener(registry_, &listener, this);
    // The globals, then what each tells of itself.
    roundtrip();
    roundtrip();
    opened = this;
    setOutputScaleSource([this](const QScreen& screen) -> std::optional<OutputScale> {
        const WaylandOutput* output = outputOf(screen);
        if (!output || output->mode.isEmpty())
            return std::nullopt;
        return outputScaleOf(
            transformedMode(output->mode, output->transform), output->logical, output->scale);
    });
    wake_ = eventfd(0, EFD_CLOEXEC);
    reader_ = std::thread([this] { read(); });
}

// Qt's own thread reads the socket too, and wakes only Qt's part of the
// program: this one waits as Qt's does, and libwayland lets the last of the
// two to get ready read for both.
void WaylandClient::read()
{
    const int socket = wl_display_get_fd(display_);
    for (;;) {
        if (wl_display_prepare_read_queue(display_, queue_) != 0) {
            std::unique_lock lock(mutex_);
            if (stopping_)
                return;
            waiting_ = true;
            QMetaObject::invokeMethod(this, &WaylandClient::dispatch, Qt::QueuedConnection);
            dispatched_.wait(lock, [this] { return !waiting_ || stopping_; });
            continue;
        }
        wl_display_flush(display_);
        pollfd watched[2] = {{socket, POLLIN, 0}, {wake_, POLLIN, 0}};
        const int ready = poll(watched, 2, -1);
        const bool stop = [this] {
            std::lock_guard lock(mutex_);
            return stopping_;
        }();
        if (stop || ready < 0 || !(watched[0].revents & POLLIN)) {
            wl_display_cancel_read(display_);
            if (stop || (watched[0].revents & (POLLERR | POLLHUP)))
                return;
            continue;
        }
        wl_display_read_events(display_);
    }
}

WaylandClient::~WaylandClient()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    const std::uint64_t one = 1;
    [[maybe_unused]] const auto written = write(wake_, &one, sizeof one);
    dispatched_.notify_all();
    reader_.join();
    close(wake_);
    setOutputScaleSource({});
    opened = nullptr;
    for (const auto& output : outputs_) {
        if (output->xdgOutput)
            zxdg_output_v1_destroy(output->xdgOutput);
        wl_output_destroy(output->output);
    }
    if (xdgOutputs_)
        zxdg_output_manager_v1_destroy(xdgOutputs_);
    if (fractionalScale_)
        wp_fractional_scale_manager_v1_destroy(fractionalScale_);
    if (presentation_)
        wp_presentation_destroy(presentation_);
    if (viewporter_)
        wp_viewporter_destroy(viewporter_);
    if (shm_)
        wl_shm_destroy(shm_);
    if (subcompositor_)
        wl_subcompositor_destroy(subcompositor_);
    if (compositor_)
        wl_compositor_destroy(compositor_);
    wl_registry_destroy(registry_);
    wl_proxy_wrapper_destroy(wrapper_);
    wl_event_queue_destroy(queue_);
}

void WaylandClient::global(void* data, wl_registry* registry, std::uint32_t name,
    const char* interface, std::uint32_t version)
{
    auto* self = static_cast<WaylandClient*>(data);
    const auto is = [interface](const wl_interface& known) {
        return std::strcmp(interface, known.name) == 0;
    };
    // damage_buffer, which counts in the buffer's pixels, came with version 4.
    if (is(wl_compositor_interface) && version >= 4)
        self->compositor_ =
            bind<wl_compositor>(registry, name, wl_compositor_interface, version, 4);
    else if (is(wl_subcompositor_interface))
        self->subcompositor_ =
            bind<wl_subcompositor>(registry, name, wl_subcompositor_interface, version, 1);
    else if (is(wl_shm_interface))
        self->shm_ = bind<wl_shm>(registry, name, wl_shm_interface, version, 1);
    else if (is(wp_viewporter_interface))
        self->viewporter_ =
            bind<wp_viewporter>(registry, name, wp_viewporter_interface, version, 1);
    else if (is(wp_presentation_interface)) {
        self->presentation_ =
            bind<wp_presentation>(registry, name, wp_presentation_interface, version, 1);
        wp_presentation_add_listener(self->presentation_, &presentationListener, &self->clock_);
    } else if (is(wp_fractional_scale_manager_v1_interface))
        self->fractionalScale_ = bind<wp_fractional_scale_manager_v1>(
            registry, name, wp_fractional_scale_manager_v1_interface, version, 1);
    else if (is(zxdg_output_manager_v1_interface)) {
        self->xdgOutputs_ = bind<zxdg_output_manager_v1>(
            registry, name, zxdg_output_manager_v1_interface, version, 3);
        for (const auto& output : self->outputs_)
            self->describe(*output);
    } else if (is(wl_output_interface)) {
        auto output = std::make_unique<WaylandOutput>();
        output->global = name;
        output->output = bind<wl_output>(registry, name, wl_output_interface, version, 4);
        wl_output_add_listener(output->output, &outputListener, output.get());
        self->describe(*output);
        self->outputs_.push_back(std::move(output));
        emit self->outputsChanged();
    }
}

void WaylandClient::describe(WaylandOutput& output)
{
    if (!xdgOutputs_ || output.xdgOutput)
        return;
    output.xdgOutput = zxdg_output_manager_v1_get_xdg_output(xdgOutputs_, output.output);
    zxdg_output_v1_add_listener(output.xdgOutput, &xdgOutputListener, &output);
}

void WaylandClient::globalRemoved(void* data, wl_registry*, std::uint32_t name)
{
    auto* self = static_cast<WaylandClient*>(data);
    const auto gone =
        std::ranges::find(self->outputs_, name, [](const auto& o) { return o->global; });
    if (gone == self->outputs_.end())
        return;
    if ((*gone)->xdgOutput)
        zxdg_output_v1_destroy((*gone)->xdgOutput);
    wl_output_destroy((*gone)->output);
    self->outputs_.erase(gone);
    emit self->outputsChanged();
}

const WaylandOutput* WaylandClient::outputOf(const QScreen& screen) const
{
    for (const auto& output : outputs_)
        if (output->name == screen.name())
            return output.get();
    return outputs_.size() == 1 ? outputs_.front().get() : nullptr;
}

void WaylandClient::dispatch()
{
    wl_display_dispatch_queue_pending(display_, queue_);
    wl_display_flush(display_);
    {
        std::lock_guard lock(mutex_);
        waiting_ = false;
    }
    dispatched_.notify_all();
}

void WaylandClient::roundtrip()
{
    wl_display_roundtrip_queue(display_, queue_);
}
