// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "canvas/Form2.h"

#include "canvas/Composition.h"
#include "canvas/ScreenMetrics.h"
#include "canvas/TestRun.h"
#include "canvas/WindowOrder.h"

#include <QBackingStore>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QScreen>

#include <cmath>

Form2::Form2(QScreen* screen)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , screen_(screen)
    , presenter_(std::make_unique<BackingStorePresenter>(*this))
    , canvas_(loadedCanvas())
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    if (screen) {
        setScreen(screen);
        coverScreen();
        // A change of resolution: cover the screen as it is now; the tests
        // read its new size and the raster clips what no longer fits.
        connect(screen, &QScreen::geometryChanged, this, [this] {
            if (isVisible())
                coverScreen();
        });
    }
    // The screen unplugged: back to the launcher, once Qt has moved the
    // windows to a screen that remains.
    connect(qGuiApp, &QGuiApplication::screenRemoved, this, [this](QScreen* removed) {
        if (removed == screen_)
            QMetaObject::invokeMethod(this, &Form2::returnRequested, Qt::QueuedConnection);
    });

    // A named child, so that a test can let the still seconds pass at once.
    cursorTimer_.setParent(this);
    cursorTimer_.setObjectName(QStringLiteral("cursorTimer"));
    cursorTimer_.setSingleShot(true);
    cursorTimer_.setInterval(CursorHideMs);
    connect(&cursorTimer_, &QTimer::timeout, this, [this] { setCursor(Qt::BlankCursor); });
    noticeTimer_.setParent(this);
    noticeTimer_.setObjectName(QStringLiteral("noticeTimer"));
    noticeTimer_.setSingleShot(true);
    noticeTimer_.setInterval(NoticeMs);
    connect(&noticeTimer_, &QTimer::timeout, this, &Form2::hideNotice);
}

Form2::~Form2() = default;

void Form2::showOnScreen()
{
    // Without a window manager a full-screen request alone leaves the window
    // where it was, so the geometry is set as well; a Wayland compositor
    // places a full-screen window on the output it was asked for.
    coverScreen();
    showFullScreen();
    bringToFront(*this);
    wakeCursor();
    showNotice();
}

namespace {

QString percent(double scale)
{
    return QString::number(std::lround(scale * 100)) + QStringLiteral("%");
}

// What a user reads where the test's pixels cannot reach the panel one to
// one, and what to do about it.
QString noticeText(Inexact why, double scale)
{
    const QString cause = why == Inexact::OutputNotWhole
        ? QStringLiteral("a kijelző mérete %1-os méretezéssel nem egész szám, ezért a "
                         "megjelenítő átméretezi")
        : QStringLiteral("az asztal %1-os méretezése átméretezi");
    return QStringLiteral("A kép nem képpontról képpontra jut a kijelzőre: ") +
        cause.arg(percent(scale)) +
        QStringLiteral(". A teszt idejére állítsa a kijelző méretezését 100%-ra.");
}

} // namespace

void Form2::showNotice()
{
    const Inexact why = presenter_->inexact();
    if (why == Inexact::None)
        return;
    hideNotice();
    notice_ = noticeText(why, desktopScale(screen_));
    showPixels(physical(noticeArea()));
    noticeTimer_.start();
}

void Form2::hideNotice()
{
    noticeTimer_.stop();
    if (notice_.isEmpty())
        return;
    const QRect shown = physical(noticeArea());
    notice_.clear();
    showPixels(shown);
}

// Logical pixels, at the top of the screen, where the checkup's hint is not.
QRect Form2::noticeArea() const
{
    constexpr int margin = 16;
    const int width = std::min(640, this->width() - 2 * margin);
    const QRect text = fontMetrics().boundingRect(
        QRect(0, 0, width - 2 * margin, 10000), Qt::TextWordWrap, notice_);
    return {(this->width() - width) / 2, margin, width, text.height() + 2 * margin};
}

// The screen's logical size can fall short of its physical pixels at a
// fractional scale (1366 at 1.5 is 910.67): the window takes the whole logical
// size that covers them, where the platform lets it choose. An X11 window
// manager sizes a full-screen window to the screen, which Qt rounds to the
// nearest logical size (1280 at 1.75 to 731, 1279 pixels); as a minimum size
// the cover holds. A Wayland compositor refuses a full-screen surface larger
// than its output, and gets the missing pixel past the edge instead.
void Form2::coverScreen()
{
    if (!screen_)
        return;
    const QSize cover = logicalCover(qtPixels(screen_), screen_->devicePixelRatio());
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        setMinimumSize(cover);
    setGeometry(QRect(screen_->geometry().topLeft(), cover));
}

void Form2::setPresenter(std::unique_ptr<Presenter> presenter)
{
    presenter_ = std::move(presenter);
    reload();
}

RasterCanvas Form2::loadedCanvas()
{
    RasterCanvas canvas(presenter_->pixels(), [this] { return presenter_->pixels(); });
    canvas.setBackColor(RGB(0, 0, 0));
    return canvas;
}

void Form2::reload()
{
    stopTest();
    canvas_ = loadedCanvas();
    shownMarker_ = shownPicture_ = {};
    shownPictureKey_ = 0;
    showPixels(QRect(QPoint(), presenter_->pixels()));
}

void Form2::showReadout(const QString& text)
{
    if (text == readout_)
        return;
    const QRect before = readoutPixels();
    readout_ = text;
    showPixels(before | readoutPixels());
}

// Logical pixels: text at the desktop's scale, as other windows' is.
QRect Form2::readoutArea() const
{
    if (readout_.isEmpty())
        return {};
    const int width = std::min(ReadoutWidth, this->width() - 2 * ReadoutPadding);
    const QRect text = fontMetrics().boundingRect(
        QRect(0, 0, width - ReadoutPadding, 10000), Qt::TextWordWrap, readout_);
    return {ReadoutPadding, ReadoutPadding, width, text.height() + 2 * ReadoutPadding};
}

QRect Form2::readoutPixels() const
{
    return readout_.isEmpty() ? QRect() : physical(readoutArea());
}

void Form2::setAwakeCursor(const QCursor& cursor)
{
    awakeCursor_ = cursor;
    wakeCursor();
}

void Form2::startTest(TestRun run)
{
    drive(std::make_unique<TestDriver>(std::move(run)));
}

void Form2::startPacedTest(TestRun run, std::unique_ptr<FrameClock> clock, int steps)
{
    if (steps <= 0)
        steps = stepsPerFrame(clock->rate());
    drive(std::make_unique<TestDriver>(std::move(run), std::move(clock), steps));
}

void Form2::drive(std::unique_ptr<TestDriver> driver)
{
    stopTest();
    driver_ = std::move(driver);
    connect(driver_.get(), &TestDriver::sliceDone, this, &Form2::showDrawn);
    // Queued: whoever reacts may end this canvas, and with it the driver.
    connect(driver_.get(), &TestDriver::finished, this, &Form2::testFinished, Qt::QueuedConnection);
    driver_->start();
}

void Form2::stopTest()
{
    driver_.reset();
}

bool Form2::testRunning() const
{
    return driver_ && !driver_->isFinished();
}

void Form2::showDrawn()
{
    // What the test drew, and where the marker was and is now.
    QRect dirty = canvas_.raster().takeDirty();
    const QRect marker = canvas_.Label1().visible ? markerPixels(canvas_.Label1()) : QRect();
    if (marker != shownMarker_)
        dirty |= shownMarker_ | marker;
    shownMarker_ = marker;
    const Image1State& image1 = canvas_.Image1();
    const QRect picture = image1.visible ? image1.picture.rect() : QRect();
    if (picture != shownPicture_ || image1.picture.cacheKey() != shownPictureKey_)
        dirty |= shownPicture_ | picture;
    shownPicture_ = picture;
    shownPictureKey_ = image1.picture.cacheKey();
    showPixels(dirty);
}

void Form2::showPixels(const QRect& physical)
{
    if (!physical.isEmpty())
        presenter_->present(physical);
}

QRect Form2::physical(const QRect& logical) const
{
    return physicalArea(logical, presenter_->pixelsPerLogical());
}

void Form2::composeFrame(QPainter& painter, const QRect& area, const QTransform& logical)
{
    composeInBands(painter, canvas_, area, palette().color(QPalette::Base),
        [&](const QRect& band) { paintOver(painter, band); });
    painter.save();
    // What is blended over the picture must meet it only once.
    painter.setClipRect(area, Qt::IntersectClip);
    painter.setWorldTransform(logical);
    paintOverlays(painter);
    painter.restore();
}

void Form2::paintOverlays(QPainter& painter)
{
    if (!readout_.isEmpty()) {
        painter.fillRect(readoutArea(), QColor(16, 16, 16));
        painter.setPen(QColor(230, 230, 230));
        painter.drawText(readoutArea().adjusted(ReadoutPadding, ReadoutPadding, 0, 0),
            Qt::TextWordWrap, readout_);
    }
    if (!notice_.isEmpty()) {
        const QRect area = noticeArea();
        painter.fillRect(area, QColor(120, 20, 10));
        painter.setPen(Qt::white);
        painter.drawText(area.adjusted(16, 16, -16, -16), Qt::TextWordWrap, notice_);
    }
}

void Form2::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    if (!presenter_->composedByWindow()) {
        painter.fillRect(event->rect(), Qt::black);
        return;
    }
    const QRect area = physical(event->rect());
    const QTransform logical = painter.worldTransform();
    // Compose in physical pixels so that nothing of the picture is scaled.
    const qreal ratio = devicePixelRatioF();
    painter.scale(1 / ratio, 1 / ratio);
    composeFrame(painter, area, logical);
    QPaintDevice* store = backingStore() ? backingStore()->paintDevice() : nullptr;
    if (store && store == painter.paintEngine()->paintDevice() &&
        store->devType() == QInternal::Image) {
        painter.end();
        paintPastTheEdge(*static_cast<QImage*>(store), event->rect());
    }
}

// Qt paints a widget only as far as its whole logical size reaches, but a
// compositor sizes a full-screen window in its own units (683 at 1.25 is
// 546.4): the backing store can reach a pixel further, and Qt would never
// paint that pixel. It is composed straight into the backing store; the flush,
// rounded from the window's own units, takes it to the screen.
void Form2::paintPastTheEdge(const QImage& store, const QRect& logicalArea)
{
    const QSizeF reach = QSizeF(size()) * devicePixelRatioF();
    QRegion beyond = QRegion(store.rect()) -
        QRect(0, 0, int(std::floor(reach.width())), int(std::floor(reach.height())));
    QRect area = physical(logicalArea);
    if (logicalArea.right() >= width() - 1)
        area.setRight(store.width() - 1);
    if (logicalArea.bottom() >= height() - 1)
        area.setBottom(store.height() - 1);
    beyond &= area;
    if (beyond.isEmpty())
        return;
    // A painter on the store itself would be held to the widget's clip.
    QImage pixels(const_cast<uchar*>(store.constBits()), store.width(), store.height(),
        store.bytesPerLine(), store.format());
    QPainter painter(&pixels);
    for (const QRect& rect : beyond)
        composeCanvas(painter, canvas_, rect, palette().color(QPalette::Base));
}

void Form2::paintOver(QPainter&, const QRect&)
{
}

void Form2::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        emit returnRequested();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool Form2::hitsControl(QPointF logicalPos) const
{
    const QPoint p = (logicalPos * presenter_->pixelsPerLogical()).toPoint();
    const Label1State& label1 = canvas_.Label1();
    if (label1.visible && markerPixels(label1).contains(p))
        return true;
    // An empty picture shows nothing, so there is nothing to click on.
    const Image1State& image1 = canvas_.Image1();
    return image1.visible && !image1.picture.isNull() && image1.picture.rect().contains(p);
}

void Form2::mousePressEvent(QMouseEvent* event)
{
    pressedOnCanvas_ = !hitsControl(event->position());
    wakeCursor();
}

void Form2::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = pressedOnCanvas_ && rect().contains(event->position().toPoint()) &&
        !hitsControl(event->position());
    pressedOnCanvas_ = false;
    if (click)
        emit returnRequested();
}

void Form2::mouseMoveEvent(QMouseEvent* event)
{
    wakeCursor();
    QWidget::mouseMoveEvent(event);
}

void Form2::closeEvent(QCloseEvent* event)
{
    // Closed from outside, by the window manager's close key: leave as Esc
    // does, or the program would run on with no window on the screen.
    event->ignore();
    emit returnRequested();
}

void Form2::wakeCursor()
{
    if (awakeCursor_)
        setCursor(*awakeCursor_);
    else
        unsetCursor();
    cursorTimer_.start();
}
