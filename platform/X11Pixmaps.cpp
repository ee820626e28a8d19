// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/X11Pixmaps.h"

#include "platform/PixmapPresentation.h"
#include "platform/PresenterClock.h"

#include "canvas/Form2.h"
#include "canvas/ScreenMetrics.h"

#include <QAbstractNativeEventFilter>
#include <QEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QPointer>
#include <QRegion>
#include <QScreen>
#include <QWindow>
#include <qpa/qplatformwindow.h>

#include <xcb/present.h>
#include <xcb/shm.h>
#include <xcb/xcb.h>
#include <xcb/xfixes.h>

#include <sys/ipc.h>
#include <sys/shm.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

template <typename T>
std::unique_ptr<T, decltype(&std::free)> owned(T* reply)
{
    return {reply, &std::free};
}

// A shared memory segment the X server has attached to.
struct Segment {
    xcb_shm_seg_t id = 0;
    uchar* memory = nullptr;

    static Segment attach(xcb_connection_t* connection, std::size_t bytes)
    {
        const int shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
        if (shmid < 0)
            return {};
        void* memory = shmat(shmid, nullptr, 0);
        Segment segment;
        if (memory != reinterpret_cast<void*>(-1)) {
            segment.id = xcb_generate_id(connection);
            // A server on another machine cannot: then Qt's way it is.
            if (xcb_generic_error_t* error = xcb_request_check(
                    connection, xcb_shm_attach_checked(connection, segment.id, shmid, 0))) {
                std::free(error);
                shmdt(memory);
                segment = {};
            } else {
                segment.memory = static_cast<uchar*>(memory);
            }
        }
        // Gone once both sides let go of it, also when the program dies.
        shmctl(shmid, IPC_RMID, nullptr);
        return segment;
    }

    void detach(xcb_connection_t* connection)
    {
        if (!memory)
            return;
        xcb_shm_detach(connection, id);
        shmdt(memory);
        *this = {};
    }
};

struct Server {
    xcb_connection_t* connection;
    std::uint8_t presentOpcode;
    std::uint8_t depth;
    xcb_visualid_t visual;
};

class PixmapClock;

class PixmapPresenter : public Presenter, public QAbstractNativeEventFilter {
public:
    PixmapPresenter(Form2& window, const Server& server);
    ~PixmapPresenter() override;

    QSize pixels() const override { return physicalPixels(window_.screen()); }
    qreal pixelsPerLogical() const override { return window_.devicePixelRatioF(); }
    void present(const QRect& damage) override;
    // The X server puts a window's pixels on the screen as they are.
    Inexact inexact() const override { return Inexact::None; }
    std::unique_ptr<FrameClock> frameClock(double rate) override;

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override;
    void paceBy(PixmapClock* clock);
    void forget(const void* clock);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void configure();
    void makeImages(QSize size);
    void dropImages();
    void commitFrame();
    void completed(const xcb_present_complete_notify_event_t& done);
    bool ticking() const;

    Form2& window_;
    xcb_connection_t* connection_;
    std::uint8_t opcode_, depth_;
    QPointer<QWindow> handle_;
    xcb_window_t parent_ = 0, child_ = 0;
    bool mapped_ = false;
    xcb_gcontext_t gc_ = 0;
    xcb_present_event_t events_ = 0;
    std::array<xcb_pixmap_t, 2> pixmaps_{};
    Segment segment_; // the picture as it is now; the pixmaps catch up from it
    QSize size_;
    QRegion pending_; // of the window, to be shown with the next frame
    PixmapPresentation presentation_;
    PixmapClock* clock_ = nullptr;
};

// Ticks on the refreshes at which the presenter's frames were shown, and
// tells of each frame as the server did.
class PixmapClock : public PresenterClock<PixmapPresenter, PixmapClock> {
public:
    using PresenterClock::PresenterClock;
    TimingSource source() const override { return TimingSource::X11Present; }

    void refreshed(std::uint64_t msc, const FrameTime& frame)
    {
        if (!startMsc_)
            startMsc_ = msc;
        emit frameShown(frame);
        emit tick(msc - *startMsc_);
    }

private:
    void restart() override { startMsc_.reset(); }

    std::optional<std::uint64_t> startMsc_;
};

PixmapPresenter::PixmapPresenter(Form2& window, const Server& server)
    : window_(window)
    , connection_(server.connection)
    , opcode_(server.presentOpcode)
    , depth_(server.depth)
    , handle_(window.windowHandle())
    , parent_(xcb_window_t(window.winId()))
    , presentation_(window.screen() ? window.screen()->refreshRate() : 0)
{
    // Background None: nothing but our frames is ever drawn there.
    child_ = xcb_generate_id(connection_);
    const std::uint32_t values[] = {XCB_BACK_PIXMAP_NONE, XCB_EVENT_MASK_EXPOSURE};
    xcb_create_window(connection_, depth_, child_, parent_, 0, 0, 1, 1, 0,
        XCB_WINDOW_CLASS_INPUT_OUTPUT, server.visual, XCB_CW_BACK_PIXMAP | XCB_CW_EVENT_MASK,
        values);
    // The pointer goes through to Qt's window underneath.
    const xcb_xfixes_region_t nothing = xcb_generate_id(connection_);
    xcb_xfixes_create_region(connection_, nothing, 0, nullptr);
    xcb_xfixes_set_window_shape_region(connection_, child_, XCB_SHAPE_SK_INPUT, 0, 0, nothing);
    xcb_xfixes_destroy_region(connection_, nothing);
    events_ = xcb_generate_id(connection_);
    xcb_present_select_input(connection_, events_, child_,
        XCB_PRESENT_EVENT_MASK_COMPLETE_NOTIFY | XCB_PRESENT_EVENT_MASK_IDLE_NOTIFY);
    // A compositing window manager may then leave the canvas to the server.
    const char name[] = "_NET_WM_BYPASS_COMPOSITOR";
    if (const auto atom = owned(xcb_intern_atom_reply(connection_,
            xcb_intern_atom(connection_, 0, sizeof name - 1, name), nullptr))) {
        const std::uint32_t bypass = 1;
        xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, parent_, atom->atom,
            XCB_ATOM_CARDINAL, 32, 1, &bypass);
    }
    xcb_flush(connection_);
    qGuiApp->installNativeEventFilter(this);
    handle_->installEventFilter(this);
    connect(handle_, &QWindow::visibleChanged, this, [this](bool visible) {
        // Mapped over Qt's window as it is shown, it would keep Qt from ever
        // being told the window is exposed.
        if (!visible && mapped_) {
            xcb_unmap_window(connection_, child_);
            xcb_flush(connection_);
            mapped_ = false;
        }
    });
}

PixmapPresenter::~PixmapPresenter()
{
    if (clock_)
        clock_->stop();
    qGuiApp->removeNativeEventFilter(this);
    xcb_present_select_input(connection_, events_, child_, 0);
    dropImages();
    if (gc_)
        xcb_free_gc(connection_, gc_);
    xcb_destroy_window(connection_, child_);
    xcb_flush(connection_);
}

std::unique_ptr<FrameClock> PixmapPresenter::frameClock(double rate)
{
    return std::make_unique<PixmapClock>(*this, rate);
}

bool PixmapPresenter::ticking() const
{
    return clock_ && clock_->running();
}

bool PixmapPresenter::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != handle_)
        return false;
    if (event->type() == QEvent::Expose && handle_->isExposed() && !mapped_) {
        configure();
        xcb_map_window(connection_, child_);
        xcb_flush(connection_);
        mapped_ = true;
    } else if (event->type() == QEvent::Resize && mapped_) {
        configure();
    }
    return false;
}

void PixmapPresenter::configure()
{
    const QSize size = handle_->handle() ? handle_->handle()->geometry().size() : QSize();
    if (size.isEmpty() || size == size_)
        return;
    const std::uint32_t extent[] = {std::uint32_t(size.width()), std::uint32_t(size.height())};
    xcb_configure_window(
        connection_, child_, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, extent);
    makeImages(size);
}

void PixmapPresenter::makeImages(QSize size)
{
    dropImages();
    segment_ = Segment::attach(connection_, std::size_t(size.width()) * 4 * size.height());
    if (!segment_.memory) {
        std::fprintf(stderr, "kijelzor: no shared memory for a %d x %d frame\n", size.width(),
            size.height());
        return;
    }
    for (xcb_pixmap_t& pixmap : pixmaps_) {
        pixmap = xcb_generate_id(connection_);
        xcb_create_pixmap(connection_, depth_, pixmap, child_, std::uint16_t(size.width()),
            std::uint16_t(size.height()));
    }
    if (!gc_) {
        gc_ = xcb_generate_id(connection_);
        const std::uint32_t noExposures = 0;
        xcb_create_gc(
            connection_, gc_, pixmaps_[0], XCB_GC_GRAPHICS_EXPOSURES, &noExposures);
    }
    size_ = size;
    presentation_.reset(int(pixmaps_.size()), size);
    pending_ = QRect(QPoint(), size);
}

void PixmapPresenter::dropImages()
{
    for (xcb_pixmap_t& pixmap : pixmaps_) {
        if (pixmap)
            xcb_free_pixmap(connection_, pixmap);
        pixmap = 0;
    }
    segment_.detach(connection_);
    size_ = {};
    presentation_.reset(0, {});
}

void PixmapPresenter::present(const QRect& damage)
{
    const QRegion within = QRegion(damage) & QRect(QPoint(), size_);
    presentation_.changed(within);
    pending_ |= within;
    commitFrame();
}

void PixmapPresenter::paceBy(PixmapClock* clock)
{
    clock_ = clock;
    // The first paced frame goes out on the next refresh, whenever the last was.
    presentation_.forgetRefresh();
    commitFrame();
}

void PixmapPresenter::forget(const void* clock)
{
    if (clock_ == clock)
        clock_ = nullptr;
}

// While a paced test runs every refresh gets a frame, changed or not, so
// that the server tells of each; otherwise a frame goes out when something
// changed.
void PixmapPresenter::commitFrame()
{
    if (!mapped_ || !segment_.memory || (pending_.isEmpty() && !ticking()))
        return;
    std::optional<PixmapPresentation::Next> next = presentation_.next();
    if (!next)
        return; // a completion or an idle pixmap brings it back here
    QImage picture(segment_.memory, size_.width(), size_.height(), size_.width() * 4,
        QImage::Format_RGB32);
    QPainter painter(&picture);
    const qreal ratio = pixelsPerLogical();
    for (const QRect& rect : pending_)
        window_.composeFrame(painter, rect, QTransform::fromScale(ratio, ratio));
    painter.end();
    const xcb_pixmap_t pixmap = pixmaps_[std::size_t(next->pixmap)];
    for (const QRect& rect : presentation_.stale(next->pixmap))
        xcb_shm_put_image(connection_, pixmap, gc_, std::uint16_t(size_.width()),
            std::uint16_t(size_.height()), std::uint16_t(rect.x()), std::uint16_t(rect.y()),
            std::uint16_t(rect.width()), std::uint16_t(rect.height()), std::int16_t(rect.x()),
            std::int16_t(rect.y()), depth_, XCB_IMAGE_FORMAT_Z_PIXMAP, 0, segment_.id, 0);
    std::vector<xcb_rectangle_t> rects;
    for (const QRect& rect : pending_)
        rects.push_back({std::int16_t(rect.x()), std::int16_t(rect.y()),
            std::uint16_t(rect.width()), std::uint16_t(rect.height())});
    const xcb_xfixes_region_t update = xcb_generate_id(connection_);
    xcb_xfixes_create_region(connection_, update, std::uint32_t(rects.size()), rects.data());
    // Unpaced, a frame goes out on the next refresh, not on one long past.
    if (!ticking())
        next->targetMsc = 0;
    xcb_present_pixmap(connection_, child_, pixmap, next->serial, XCB_NONE, update, 0, 0,
        XCB_NONE, XCB_NONE, XCB_NONE, XCB_PRESENT_OPTION_NONE, next->targetMsc, 0, 0, 0, nullptr);
    xcb_xfixes_destroy_region(connection_, update);
    presentation_.presented(*next);
    pending_ = {};
    xcb_flush(connection_);
}

PresentMode presentMode(std::uint8_t mode)
{
    switch (mode) {
    case XCB_PRESENT_COMPLETE_MODE_FLIP:
        return PresentMode::Flip;
    case XCB_PRESENT_COMPLETE_MODE_SKIP:
        return PresentMode::Skip;
    case XCB_PRESENT_COMPLETE_MODE_SUBOPTIMAL_COPY:
        return PresentMode::SuboptimalCopy;
    default:
        return PresentMode::Copy;
    }
}

void PixmapPresenter::completed(const xcb_present_complete_notify_event_t& done)
{
    if (done.kind != XCB_PRESENT_COMPLETE_KIND_PIXMAP)
        return;
    const std::optional<FrameTime> frame =
        presentation_.completed(done.serial, presentMode(done.mode), done.msc, done.ust);
    if (!frame)
        return;
    if (ticking())
        clock_->refreshed(done.msc, *frame);
    commitFrame();
}

bool PixmapPresenter::nativeEventFilter(const QByteArray& type, void* message, qintptr*)
{
    if (type != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    const std::uint8_t kind = event->response_type & 0x7f;
    if (kind == XCB_EXPOSE) {
        const auto* exposed = static_cast<const xcb_expose_event_t*>(message);
        if (exposed->window != child_)
            return false;
        // The pixmaps still hold the picture; the window lost it.
        pending_ |= QRect(exposed->x, exposed->y, exposed->width, exposed->height);
        commitFrame();
        return true;
    }
    const auto* generic = static_cast<const xcb_ge_generic_event_t*>(message);
    if (kind != XCB_GE_GENERIC || generic->extension != opcode_)
        return false;
    if (generic->event_type == XCB_PRESENT_COMPLETE_NOTIFY) {
        const auto* done = static_cast<const xcb_present_complete_notify_event_t*>(message);
        if (done->event != events_)
            return false;
        completed(*done);
        return true;
    }
    if (generic->event_type == XCB_PRESENT_IDLE_NOTIFY) {
        const auto* idle = static_cast<const xcb_present_idle_notify_event_t*>(message);
        if (idle->event != events_)
            return false;
        for (std::size_t i = 0; i < pixmaps_.size(); ++i)
            if (pixmaps_[i] && pixmaps_[i] == idle->pixmap)
                presentation_.idle(int(i));
        commitFrame();
        return true;
    }
    return false;
}

// Frames are written as Qt's 32-bit RGB images are laid out: the window's
// pixels must be 32 bits of 8-bit red, green and blue, in the client's order.
bool takesRgb32(xcb_connection_t* connection, std::uint8_t depth, xcb_visualid_t visual)
{
    const xcb_setup_t* setup = xcb_get_setup(connection);
    if (setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST)
        return false;
    bool thirtyTwoBits = false;
    for (auto format = xcb_setup_pixmap_formats_iterator(setup); format.rem;
         xcb_format_next(&format))
        if (format.data->depth == depth)
            thirtyTwoBits = format.data->bits_per_pixel == 32;
    if (!thirtyTwoBits)
        return false;
    for (auto screen = xcb_setup_roots_iterator(setup); screen.rem; xcb_screen_next(&screen))
        for (auto d = xcb_screen_allowed_depths_iterator(screen.data); d.rem; xcb_depth_next(&d))
            for (auto v = xcb_depth_visuals_iterator(d.data); v.rem; xcb_visualtype_next(&v))
                if (v.data->visual_id == visual)
                    return v.data->red_mask == 0xFF0000 && v.data->green_mask == 0xFF00 &&
                        v.data->blue_mask == 0xFF;
    return false;
}

} // namespace

std::unique_ptr<Presenter> x11PixmapPresenter(Form2& window)
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return nullptr;
    xcb_connection_t* connection = x11->connection();
    const xcb_query_extension_reply_t* present = xcb_get_extension_data(connection, &xcb_present_id);
    const xcb_query_extension_reply_t* shm = xcb_get_extension_data(connection, &xcb_shm_id);
    const xcb_query_extension_reply_t* fixes = xcb_get_extension_data(connection, &xcb_xfixes_id);
    if (!present || !present->present || !shm || !shm->present || !fixes || !fixes->present)
        return nullptr;
    const auto presentVersion = owned(xcb_present_query_version_reply(
        connection, xcb_present_query_version(connection, 1, 2), nullptr));
    const auto fixesVersion = owned(xcb_xfixes_query_version_reply(
        connection, xcb_xfixes_query_version(connection, 5, 0), nullptr));
    if (!presentVersion || !fixesVersion || fixesVersion->major_version < 2)
        return nullptr;
    Segment probe = Segment::attach(connection, 4096);
    if (!probe.memory)
        return nullptr;
    probe.detach(connection);
    window.createWinId();
    const auto window_t = xcb_window_t(window.winId());
    const auto geometry = owned(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window_t), nullptr));
    const auto attributes = owned(xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, window_t), nullptr));
    if (!geometry || !attributes ||
        !takesRgb32(connection, geometry->depth, attributes->visual))
        return nullptr;
    return std::make_unique<PixmapPresenter>(window,
        Server{connection, present->major_opcode, geometry->depth, attributes->visual});
}
