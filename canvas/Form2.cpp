#include "canvas/Form2.h"

#include "canvas/ScreenMetrics.h"
#include "canvas/TestRun.h"
#include "canvas/Twips.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include <cmath>

Form2::Form2(QScreen* screen)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , screen_(screen)
    , canvas_(physicalPixels(screen), [this] { return physicalPixels(screen_); })
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    if (screen) {
        setScreen(screen);
        setGeometry(screen->geometry());
    }
    canvas_.setBackColor(RGB(0, 0, 0));

    cursorTimer_.setSingleShot(true);
    cursorTimer_.setInterval(CursorHideMs);
    connect(&cursorTimer_, &QTimer::timeout, this, [this] { setCursor(Qt::BlankCursor); });
}

Form2::~Form2() = default;

void Form2::showOnScreen()
{
    // Without a window manager a full-screen request alone leaves the window
    // where it was, so the geometry is set as well; a Wayland compositor
    // places a full-screen window on the output it was asked for.
    if (screen_)
        setGeometry(screen_->geometry());
    showFullScreen();
    raise();
    activateWindow();
    wakeCursor();
}

void Form2::startTest(TestRun run)
{
    stopTest();
    driver_ = std::make_unique<TestDriver>(std::move(run));
    connect(driver_.get(), &TestDriver::sliceDone, this, &Form2::showDrawn);
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
    const QRect dirty = canvas_.raster().takeDirty();
    if (dirty.isEmpty())
        return;
    // The raster is in physical pixels, the widget in logical ones.
    const qreal ratio = devicePixelRatioF();
    update(
        QRectF(dirty.x() / ratio, dirty.y() / ratio, dirty.width() / ratio, dirty.height() / ratio)
            .toAlignedRect());
}

QRect Form2::markerPixels() const
{
    const double side = twipsToPixel(MarkerTwips);
    const double left = twipsToPixel(label1_.left), top = twipsToPixel(label1_.top);
    if (!std::isfinite(left) || !std::isfinite(top) || std::fabs(left) > 1e8 ||
        std::fabs(top) > 1e8)
        return {};
    return QRect(int(left), int(top), int(side), int(side));
}

void Form2::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    // Compose in physical pixels so that nothing of the picture is scaled.
    const qreal ratio = devicePixelRatioF();
    painter.scale(1 / ratio, 1 / ratio);
    const QRect area = QRectF(event->rect().x() * ratio, event->rect().y() * ratio,
        event->rect().width() * ratio, event->rect().height() * ratio)
                           .toAlignedRect()
                           .intersected(canvas_.raster().image().rect());
    painter.drawImage(area, canvas_.raster().image(), area);
    if (image1_.visible && !image1_.picture.isNull())
        painter.drawImage(QPoint(0, 0), image1_.picture);
    if (label1_.visible)
        painter.fillRect(markerPixels(), palette().color(QPalette::Base));
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
    const QPoint p = (logicalPos * devicePixelRatioF()).toPoint();
    if (label1_.visible && markerPixels().contains(p))
        return true;
    // An empty picture shows nothing, so there is nothing to click on.
    return image1_.visible && !image1_.picture.isNull() && image1_.picture.rect().contains(p);
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

void Form2::wakeCursor()
{
    unsetCursor();
    cursorTimer_.start();
}
