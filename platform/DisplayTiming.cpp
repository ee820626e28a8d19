// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/DisplayTiming.h"

#include "platform/WaylandPresentation.h"
#include "platform/WaylandSubsurface.h"
#include "platform/X11Pixmaps.h"

#include "canvas/Form2.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <xcb/present.h>
#include <xcb/xcb.h>

namespace {

// Ticks at every vblank the X server reports: one NotifyMSC outstanding at a
// time, each completion telling the refresh count (MSC) and its time (UST, in
// microseconds). Qt's backing store still puts the frames on screen, so the
// clock tells when the display refreshed, not when a frame was shown.
class X11PresentClock : public FrameClock, public QAbstractNativeEventFilter {
public:
    X11PresentClock(
        xcb_connection_t* connection, xcb_window_t window, std::uint8_t opcode, double rate)
        : connection_(connection)
        , window_(window)
        , opcode_(opcode)
        , rate_(usableRefreshRate(rate))
    {
    }
    ~X11PresentClock() override { stop(); }

    void start() override
    {
        stop();
        running_ = true;
        startMsc_.reset();
        eventId_ = xcb_generate_id(connection_);
        xcb_present_select_input(
            connection_, eventId_, window_, XCB_PRESENT_EVENT_MASK_COMPLETE_NOTIFY);
        qGuiApp->installNativeEventFilter(this);
        requestNext();
    }

    void stop() override
    {
        if (!running_)
            return;
        running_ = false;
        qGuiApp->removeNativeEventFilter(this);
        xcb_present_select_input(connection_, eventId_, window_, 0);
        xcb_flush(connection_);
    }

    double rate() const override { return rate_; }
    TimingSource source() const override { return TimingSource::X11Present; }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override
    {
        if (type != "xcb_generic_event_t")
            return false;
        const auto* generic = static_cast<const xcb_ge_generic_event_t*>(message);
        if ((generic->response_type & 0x7f) != XCB_GE_GENERIC || generic->extension != opcode_ ||
            generic->event_type != XCB_PRESENT_COMPLETE_NOTIFY)
            return false;
        const auto* done = static_cast<const xcb_present_complete_notify_event_t*>(message);
        if (done->event != eventId_)
            return false;
        if (running_ && done->kind == XCB_PRESENT_COMPLETE_KIND_NOTIFY_MSC) {
            // Each request is sent once the last has come: after a stall the
            // first completion is stale, and the refreshes missed show in the
            // next one's count.
            requestNext();
            if (!startMsc_)
                startMsc_ = done->msc;
            emit frameShown(
                {std::int64_t(done->ust) * 1000, done->msc, std::int64_t(1e9 / rate_), {}});
            emit tick(done->msc - *startMsc_);
        }
        return true;
    }

private:
    void requestNext()
    {
        // Target 0 with divisor 1: the next vblank, whatever the count now is.
        xcb_present_notify_msc(connection_, window_, 0, 0, 1, 0);
        xcb_flush(connection_);
    }

    xcb_connection_t* connection_;
    xcb_window_t window_;
    std::uint8_t opcode_;
    double rate_;
    xcb_present_event_t eventId_ = 0;
    bool running_ = false;
    std::optional<std::uint64_t> startMsc_;
};

std::unique_ptr<FrameClock> x11PresentClock(QWidget& window, double rate)
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return nullptr;
    xcb_connection_t* connection = x11->connection();
    const xcb_query_extension_reply_t* present =
        xcb_get_extension_data(connection, &xcb_present_id);
    if (!present || !present->present)
        return nullptr;
    return std::make_unique<X11PresentClock>(
        connection, xcb_window_t(window.winId()), present->major_opcode, rate);
}

} // namespace

std::unique_ptr<FrameClock> displayFrameClock(QWidget& window, QScreen* screen)
{
    const double rate = usableRefreshRate(screen ? screen->refreshRate() : 0);
    if (auto present = x11PresentClock(window, rate))
        return present;
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")) &&
        window.windowHandle()) {
        if (auto presentation = waylandPresentationClock(*window.windowHandle(), rate))
            return presentation;
        return std::make_unique<DisplayFrameClock>(window.windowHandle(), rate);
    }
    return std::make_unique<TimerFrameClock>(rate);
}

std::unique_ptr<FrameClock> frameClockFor(Form2& canvas, const FrameClockFactory& replacement)
{
    if (replacement)
        return replacement(canvas);
    const double rate = usableRefreshRate(canvas.screen() ? canvas.screen()->refreshRate() : 0);
    if (auto own = canvas.presenter().frameClock(rate))
        return own;
    return displayFrameClock(canvas, canvas.screen());
}

void choosePresenter(Form2& canvas)
{
    if (qEnvironmentVariable("KIJELZOR_PRESENTER") == QLatin1String("qt"))
        return;
    if (auto presenter = waylandSubsurfacePresenter(canvas))
        canvas.setPresenter(std::move(presenter));
    else if (auto pixmaps = x11PixmapPresenter(canvas))
        canvas.setPresenter(std::move(pixmaps));
}
