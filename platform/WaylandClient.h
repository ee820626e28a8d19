// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QSize>
#include <QString>

#include <condition_variable>
#include <ctime>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

class QScreen;
struct wl_compositor;
struct wl_display;
struct wl_event_queue;
struct wl_output;
struct wl_registry;
struct wl_shm;
struct wl_subcompositor;
struct wp_fractional_scale_manager_v1;
struct wp_presentation;
struct wp_viewporter;
struct zxdg_output_manager_v1;
struct zxdg_output_v1;

// An output as the compositor describes it, in its own words.
struct WaylandOutput {
    wl_output* output = nullptr;
    zxdg_output_v1* xdgOutput = nullptr;
    std::uint32_t global = 0;
    QString name;
    QSize mode; // the current mode, before the transform
    int transform = 0; // wl_output's transform
    int scale = 1; // its whole scale
    QSize logical; // its size in the compositor's units (xdg-output)
};

// Qt's Wayland connection with an event queue of our own, and bound on it
// the globals that Qt 6.4 does not hand out. The compositor's word on the
// outputs' true size and scale is every screen's (setOutputScaleSource).
class WaylandClient : public QObject {
    Q_OBJECT
public:
    // The program's client, to live as long as the windows and no longer
    // than the application; null off Wayland.
    static std::unique_ptr<WaylandClient> open();
    // The one open; null where none is.
    static WaylandClient* instance();
    ~WaylandClient() override;

    wl_display* display() const { return display_; }
    wl_event_queue* queue() const { return queue_; }
    wl_compositor* compositor() const { return compositor_; }
    wl_subcompositor* subcompositor() const { return subcompositor_; }
    wl_shm* shm() const { return shm_; }
    wp_viewporter* viewporter() const { return viewporter_; }
    wp_presentation* presentation() const { return presentation_; }
    clockid_t presentationClock() const { return clock_; }
    wp_fractional_scale_manager_v1* fractionalScale() const { return fractionalScale_; }
    // The output that shows `screen`: by name, or the only one there is.
    const WaylandOutput* outputOf(const QScreen& screen) const;

    // Dispatches what has arrived for the queue, then sends what was asked.
    void dispatch();
    // Sends the requests asked for and waits until the compositor has
    // answered them all.
    void roundtrip();

signals:
    void outputsChanged();

private:
    explicit WaylandClient(wl_display* display);
    static void global(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
        std::uint32_t version);
    static void globalRemoved(void* data, wl_registry* registry, std::uint32_t name);
    void describe(WaylandOutput& output);
    void read();

    wl_display* display_;
    wl_event_queue* queue_ = nullptr;
    wl_display* wrapper_ = nullptr;
    wl_registry* registry_ = nullptr;
    wl_compositor* compositor_ = nullptr;
    wl_subcompositor* subcompositor_ = nullptr;
    wl_shm* shm_ = nullptr;
    wp_viewporter* viewporter_ = nullptr;
    wp_presentation* presentation_ = nullptr;
    clockid_t clock_ = CLOCK_MONOTONIC;
    wp_fractional_scale_manager_v1* fractionalScale_ = nullptr;
    zxdg_output_manager_v1* xdgOutputs_ = nullptr;
    std::vector<std::unique_ptr<WaylandOutput>> outputs_;
    // Reads the socket for the queue and wakes the event loop when something
    // has come for it, and waits until that has been dispatched.
    std::thread reader_;
    int wake_ = -1;
    std::mutex mutex_;
    std::condition_variable dispatched_;
    bool waiting_ = false, stopping_ = false;
};
