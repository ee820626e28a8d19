// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/WaylandSubsurface.h"

#include "platform/BufferRing.h"
#include "platform/OutputGeometry.h"
#include "platform/PresenterClock.h"
#include "platform/WaylandClient.h"
#include "platform/WaylandPresentation.h"

#include "canvas/Form2.h"
#include "canvas/ScreenMetrics.h"

#include "fractional-scale-v1-client-protocol.h"
#include "viewporter-client-protocol.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QPointer>
#include <QRegion>
#include <QWindow>
#include <qpa/qplatformnativeinterface.h>
#include <qpa/qplatformwindow.h>

#include <wayland-client.h>

#include <sys/mman.h>
#include <unistd.h>

#include <array>
#include <climits>

namespace {

class SubsurfaceClock;
class SubsurfacePresenter;

// Two or three buffers in one pool: one the compositor shows, one it may yet
// read, one to write.
struct Buffer {
    SubsurfacePresenter* owner = nullptr;
    int index = 0;
    wl_buffer* buffer = nullptr;
    uchar* pixels = nullptr;
};

class SubsurfacePresenter : public Presenter {
public:
    SubsurfacePresenter(Form2& window, WaylandClient& client);
    ~SubsurfacePresenter() override;

    QSize pixels() const override { return physicalPixels(window_.screen()); }
    qreal pixelsPerLogical() const override;
    void present(const QRect& damage) override;
    Inexact inexact() const override;
    std::unique_ptr<FrameClock> frameClock(double rate) override;

    void paceBy(SubsurfaceClock* clock);
    void forget(const void* clock);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void attach();
    void detach();
    void configure();
    void makeBuffers(QSize size);
    void dropBuffers();
    void commitFrame();
    void frameDone();

    static const wl_buffer_listener releaseListener;
    static const wl_callback_listener frameListener;
    static const wp_fractional_scale_v1_listener scaleListener;

    Form2& window_;
    WaylandClient& client_;
    QPointer<QWindow> handle_;
    wl_surface* child_ = nullptr;
    wp_viewport* viewport_ = nullptr;
    wl_surface* parent_ = nullptr;
    wl_subsurface* subsurface_ = nullptr;
    wp_fractional_scale_v1* fractional_ = nullptr;
    std::optional<unsigned> preferred_; // wp_fractional_scale_v1's, in 120ths
    QSize destination_, size_;
    std::array<Buffer, 3> buffers_;
    BufferRing ring_;
    void* memory_ = MAP_FAILED;
    std::size_t poolBytes_ = 0;
    QRegion damage_; // since the last commit
    wl_callback* frame_ = nullptr;
    SubsurfaceClock* clock_ = nullptr;
};

// Ticks on the subsurface's own frame callbacks, and asks for presentation
// feedback on its commits, so that the frames it tells of are the ones shown.
// A compositor may offer the feedback and never tell a frame presented (sway's
// headless outputs): then the frame callbacks are the frames it tells of,
// under their own name.
class SubsurfaceClock : public PresenterClock<SubsurfacePresenter, SubsurfaceClock> {
public:
    SubsurfaceClock(SubsurfacePresenter& presenter, double rate)
        : PresenterClock(presenter, rate)
        , feedback_(PresentationFeedback::make(*this, this->rate()))
    {
        connect(this, &FrameClock::frameShown, this, [this](const FrameTime& frame) {
            if (!frame.discarded)
                unanswered_ = 0;
        });
    }
    TimingSource source() const override
    {
        return feedback_ ? TimingSource::WaylandPresentation : TimingSource::WaylandFrame;
    }

    void frameDone()
    {
        ++ticks_;
        if (!feedback_)
            emit frameShown({now_(), ticks_, std::int64_t(1e9 / rate()), {}});
        emit tick(feedback_ && feedback_->count().anchored()
                ? feedback_->count().refreshAt(feedback_->now())
                : ticks_);
    }
    void committing(wl_surface* surface)
    {
        if (feedback_ && ++unanswered_ > SilentCommits)
            feedback_.reset();
        if (feedback_)
            feedback_->onCommit(surface);
    }

    static constexpr int SilentCommits = 8;

private:
    void restart() override
    {
        if (feedback_)
            feedback_->count().reset();
        ticks_ = 0;
    }

    std::unique_ptr<PresentationFeedback> feedback_;
    Nanoseconds now_ = steadyNanoseconds();
    std::uint64_t ticks_ = 0;
    int unanswered_ = 0;
};

const wl_buffer_listener SubsurfacePresenter::releaseListener = {
    [](void* data, wl_buffer*) {
        auto* buffer = static_cast<Buffer*>(data);
        buffer->owner->ring_.released(buffer->index);
        buffer->owner->commitFrame();
    },
};

const wl_callback_listener SubsurfacePresenter::frameListener = {
    [](void* data, wl_callback*, std::uint32_t) {
        static_cast<SubsurfacePresenter*>(data)->frameDone();
    },
};

const wp_fractional_scale_v1_listener SubsurfacePresenter::scaleListener = {
    [](void* data, wp_fractional_scale_v1*, std::uint32_t scale) {
        auto* self = static_cast<SubsurfacePresenter*>(data);
        self->preferred_ = scale;
        self->configure();
        self->commitFrame();
    },
};

SubsurfacePresenter::SubsurfacePresenter(Form2& window, WaylandClient& client)
    : window_(window)
    , client_(client)
{
    child_ = wl_compositor_create_surface(client_.compositor());
    viewport_ = wp_viewporter_get_viewport(client_.viewporter(), child_);
    // The pointer and the keys stay with Qt's surface underneath.
    wl_region* nothing = wl_compositor_create_region(client_.compositor());
    wl_surface_set_input_region(child_, nothing);
    wl_region_destroy(nothing);
    window_.createWinId();
    handle_ = window_.windowHandle();
    handle_->installEventFilter(this);
    connect(handle_, &QWindow::visibleChanged, this, [this](bool visible) {
        if (!visible)
            detach();
    });
    connect(&client_, &WaylandClient::outputsChanged, this, [this] {
        configure();
        commitFrame();
    });
}

SubsurfacePresenter::~SubsurfacePresenter()
{
    if (clock_)
        clock_->stop();
    detach();
    dropBuffers();
    wp_viewport_destroy(viewport_);
    wl_surface_destroy(child_);
    wl_display_flush(client_.display());
}

qreal SubsurfacePresenter::pixelsPerLogical() const
{
    const QScreen* screen = window_.screen();
    if (destination_.isEmpty() || size_.isEmpty())
        return desktopScale(screen);
    return pixelRatio(screen).qt * size_.width() / destination_.width();
}

Inexact SubsurfacePresenter::inexact() const
{
    const std::optional<OutputScale> output = outputScale(window_.screen());
    return output && !output->whole ? Inexact::OutputNotWhole : Inexact::None;
}

std::unique_ptr<FrameClock> SubsurfacePresenter::frameClock(double rate)
{
    return std::make_unique<SubsurfaceClock>(*this, rate);
}

bool SubsurfacePresenter::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == handle_ && event->type() == QEvent::Expose && handle_->isExposed())
        attach();
    else if (watched == handle_ && event->type() == QEvent::Resize && subsurface_) {
        configure();
        commitFrame();
    }
    return false;
}

// Qt makes a new surface for its window each time the window is shown.
void SubsurfacePresenter::attach()
{
    QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
    auto* surface = static_cast<wl_surface*>(native->nativeResourceForWindow("surface", handle_));
    if (!surface)
        return;
    if (surface != parent_) {
        detach();
        parent_ = surface;
        subsurface_ = wl_subcompositor_get_subsurface(client_.subcompositor(), child_, parent_);
        wl_subsurface_set_desync(subsurface_);
        if (client_.fractionalScale()) {
            fractional_ = wp_fractional_scale_manager_v1_get_fractional_scale(
                client_.fractionalScale(), parent_);
            wp_fractional_scale_v1_add_listener(fractional_, &scaleListener, this);
        }
        ring_.outdate();
        damage_ = QRect(QPoint(), size_);
        // The subsurface takes its place with the parent's next commit.
        window_.update(QRect(0, 0, 1, 1));
    }
    configure();
    commitFrame();
}

void SubsurfacePresenter::detach()
{
    if (frame_) {
        wl_callback_destroy(frame_);
        frame_ = nullptr;
    }
    if (fractional_) {
        wp_fractional_scale_v1_destroy(fractional_);
        fractional_ = nullptr;
    }
    if (subsurface_) {
        wl_subsurface_destroy(subsurface_);
        subsurface_ = nullptr;
    }
    parent_ = nullptr;
    wl_display_flush(client_.display());
}

// The destination is the window's size in the compositor's own units, which
// Qt's factor on top leaves alone; the buffer is that many units at the
// output's true scale.
void SubsurfacePresenter::configure()
{
    if (!subsurface_ || !handle_->handle())
        return;
    const QSize destination = handle_->handle()->geometry().size();
    if (destination.isEmpty())
        return;
    const std::optional<OutputScale> output = outputScale(window_.screen());
    const double scale = preferred_ ? fractionalScale(*preferred_)
        : output                    ? output->scale
                                    : handle_->handle()->devicePixelRatio();
    if (destination != destination_) {
        wp_viewport_set_destination(viewport_, destination.width(), destination.height());
        destination_ = destination;
        damage_ = QRect(QPoint(), size_);
    }
    const QSize size = bufferPixels(destination, scale);
    if (size != size_)
        makeBuffers(size);
}

void SubsurfacePresenter::makeBuffers(QSize size)
{
    dropBuffers();
    size_ = {};
    const std::size_t stride = std::size_t(size.width()) * 4;
    const std::size_t bytes = stride * std::size_t(size.height());
    // A pool's size is a 32-bit number: two buffers where three do not fit.
    const int count = bytes * 3 <= INT_MAX ? 3 : bytes * 2 <= INT_MAX ? 2 : 0;
    const int fd = count ? memfd_create("kijelzor-canvas", MFD_CLOEXEC) : -1;
    if (fd < 0)
        return;
    poolBytes_ = bytes * std::size_t(count);
    if (ftruncate(fd, off_t(poolBytes_)) == 0)
        memory_ = mmap(nullptr, poolBytes_, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (memory_ == MAP_FAILED) {
        close(fd);
        return;
    }
    wl_shm_pool* pool = wl_shm_create_pool(client_.shm(), fd, int(poolBytes_));
    close(fd);
    for (int i = 0; i < count; ++i) {
        Buffer& buffer = buffers_[std::size_t(i)];
        buffer.owner = this;
        buffer.index = i;
        buffer.buffer = wl_shm_pool_create_buffer(
            pool, int(bytes) * i, size.width(), size.height(), int(stride), WL_SHM_FORMAT_XRGB8888);
        wl_buffer_add_listener(buffer.buffer, &releaseListener, &buffer);
        buffer.pixels = static_cast<uchar*>(memory_) + bytes * std::size_t(i);
    }
    wl_shm_pool_destroy(pool);
    ring_.reset(count, size);
    size_ = size;
    damage_ = QRect(QPoint(), size);
}

void SubsurfacePresenter::dropBuffers()
{
    for (Buffer& buffer : buffers_) {
        if (buffer.buffer)
            wl_buffer_destroy(buffer.buffer);
        buffer = {};
    }
    ring_.reset(0, {});
    if (memory_ != MAP_FAILED)
        munmap(memory_, poolBytes_);
    memory_ = MAP_FAILED;
}

void SubsurfacePresenter::present(const QRect& damage)
{
    ring_.changed(damage);
    damage_ |= damage;
    commitFrame();
}

void SubsurfacePresenter::paceBy(SubsurfaceClock* clock)
{
    clock_ = clock;
    commitFrame();
}

void SubsurfacePresenter::forget(const void* clock)
{
    if (clock_ == clock)
        clock_ = nullptr;
}

// One frame at a time: the next is committed when the compositor asks for
// it, so what changed meanwhile goes out together.
void SubsurfacePresenter::commitFrame()
{
    const bool ticking = clock_ && clock_->running();
    if (!subsurface_ || frame_ || size_.isEmpty() || (damage_.isEmpty() && !ticking))
        return;
    const QRect whole(QPoint(), size_);
    if (!damage_.isEmpty()) {
        const std::optional<int> writable = ring_.writable();
        if (!writable)
            return; // a release brings it back here
        const Buffer& free = buffers_[std::size_t(*writable)];
        QImage image(
            free.pixels, size_.width(), size_.height(), size_.width() * 4, QImage::Format_RGB32);
        QPainter painter(&image);
        const QTransform logical = QTransform::fromScale(pixelsPerLogical(), pixelsPerLogical());
        for (const QRect& rect : ring_.stale(*writable))
            window_.composeFrame(painter, rect, logical);
        painter.end();
        ring_.written(*writable);
        wl_surface_attach(child_, free.buffer, 0, 0);
        for (const QRect& rect : damage_& whole)
            wl_surface_damage_buffer(child_, rect.x(), rect.y(), rect.width(), rect.height());
        damage_ = {};
    }
    frame_ = wl_surface_frame(child_);
    wl_callback_add_listener(frame_, &frameListener, this);
    if (ticking)
        clock_->committing(child_);
    wl_surface_commit(child_);
    wl_display_flush(client_.display());
}

void SubsurfacePresenter::frameDone()
{
    wl_callback_destroy(frame_);
    frame_ = nullptr;
    if (clock_ && clock_->running())
        clock_->frameDone();
    commitFrame();
}

} // namespace

std::unique_ptr<Presenter> waylandSubsurfacePresenter(Form2& window)
{
    WaylandClient* client = WaylandClient::instance();
    if (!client || !client->compositor() || !client->subcompositor() || !client->shm() ||
        !client->viewporter())
        return nullptr;
    return std::make_unique<SubsurfacePresenter>(window, *client);
}
