// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "checkup/CheckupCanvas.h"

#include "canvas/Composition.h"
#include "canvas/ScreenMetrics.h"
#include "canvas/WindowOrder.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int Margin = 16, TextSize = 18;

// The largest difference in any one channel.
int contrast(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
        std::abs(qBlue(a) - qBlue(b))});
}

// Not an inversion of what lies under the ring, which would dissolve into
// 1-pixel stripes and checkerboards: the test's ring colour, or where that is
// too close to the picture, the opposite one. For a colour of full and empty
// channels one of the two always differs by at least 128 in some channel.
QRgb ringColour(QRgb preferred, QRgb under)
{
    if (contrast(preferred, under) >= CheckupCanvas::RingContrast)
        return preferred;
    return qRgb(255 - qRed(preferred), 255 - qGreen(preferred), 255 - qBlue(preferred));
}

QFont hintFont(double scale, QFont::Weight weight = QFont::Normal)
{
    QFont font;
    font.setPixelSize(std::lround(TextSize * scale));
    font.setWeight(weight);
    return font;
}

} // namespace

CheckupCanvas::CheckupCanvas(QScreen* screen)
    : Form2(screen)
{
    setAwakeCursor(Qt::CrossCursor);
    hintTimer_.setParent(this);
    hintTimer_.setObjectName(QStringLiteral("hintTimer"));
    hintTimer_.setSingleShot(true);
    hintTimer_.setInterval(HintMs);
    connect(&hintTimer_, &QTimer::timeout, this, &CheckupCanvas::hideHint);
}

void CheckupCanvas::showHint(
    const QString& title, const QString& position, const QString& text, HintLasts lasts)
{
    if (hintVisible_)
        update(logical(physical(hintArea())));
    hintTitle_ = title;
    hintPosition_ = position;
    hintText_ = text;
    hintVisible_ = true;
    update(logical(physical(hintArea())));
    if (lasts == HintLasts::UntilAKey)
        hintTimer_.stop();
    else
        hintTimer_.start();
}

void CheckupCanvas::hideHint()
{
    hintTimer_.stop();
    if (!hintVisible_)
        return;
    hintVisible_ = false;
    update(logical(physical(hintArea())));
}

void CheckupCanvas::showMarks(const std::vector<Mark>& marks, QColor colour)
{
    for (const Mark& mark : marks_)
        update(ringArea(mark.pixel));
    marks_ = marks;
    markColour_ = colour;
    for (const Mark& mark : marks_)
        update(ringArea(mark.pixel));
}

int CheckupCanvas::ringScale() const
{
    return std::max(1, int(std::lround(devicePixelRatioF())));
}

QRect CheckupCanvas::ringArea(QPoint pixel) const
{
    const QPoint reach(RingOuter * ringScale(), RingOuter * ringScale());
    return logical(QRect(pixel - reach, pixel + reach));
}

// Logical pixels: the text is drawn at the desktop's scale, as other windows'.
QRect CheckupCanvas::hintArea() const
{
    const int width = std::min(760, this->width() - 2 * Margin);
    const QFontMetrics body(hintFont(1)), title(hintFont(1.3, QFont::Bold)), keys(hintFont(0.8));
    const int inner = width - 2 * Margin;
    const int height = 2 * Margin + title.height() + Margin / 2 +
        body.boundingRect(0, 0, inner, 10000, Qt::TextWordWrap, hintText_).height() + Margin / 2 +
        keys.boundingRect(0, 0, inner, 10000, Qt::TextWordWrap, QString::fromUtf8(CheckupKeys))
            .height();
    return QRect(
        (this->width() - width) / 2, this->height() - this->height() / 8 - height, width, height);
}

void CheckupCanvas::paintEvent(QPaintEvent* event)
{
    Form2::paintEvent(event);
    QPainter painter(this);
    // In physical pixels, as the picture is.
    painter.save();
    painter.scale(1 / devicePixelRatioF(), 1 / devicePixelRatioF());
    drawRings(painter, canvas(), marks_, markColour_.rgb(), physical(event->rect()), ringScale());
    painter.restore();
    if (hintVisible_)
        drawHint(painter);
}

void drawRings(QPainter& painter, const RasterCanvas& canvas, const std::vector<Mark>& marks,
    QRgb colour, const QRect& area, int scale)
{
    // A ring of whole pixels, the marked one and its neighbours left as the
    // test drew them, and so is any marked pixel another ring would cross.
    // Only the rings that reach the area are drawn, each clipped to it: a
    // paint costs what it shows.
    const int inner = CheckupCanvas::RingInner * scale, outer = CheckupCanvas::RingOuter * scale;
    const QRect reach = area.adjusted(-outer, -outer, outer, outer);
    std::vector<QPoint> centres;
    for (const Mark& mark : marks)
        if (reach.contains(mark.pixel))
            centres.push_back(mark.pixel);
    if (centres.empty())
        return;
    std::ranges::sort(centres, {}, [](QPoint p) { return std::pair(p.y(), p.x()); });
    // Each ring is a small picture of its own, clear around it: the raster
    // engine lays one over the screen in less time than it plots its points.
    // They are filled row by row down the area, so that the picture under
    // them is read in the order it lies in memory, and each is laid down as
    // soon as its last row is filled, so that the few being filled at a time
    // share a small store.
    const int side = 2 * outer + 1;
    std::size_t filling = 1; // the most rings that cross one row
    for (auto from = centres.begin(), to = centres.begin(); to != centres.end(); ++to) {
        while (from->y() < to->y() - 2 * outer)
            ++from;
        filling = std::max(filling, std::size_t(to - from + 1));
    }
    std::vector<QRgb> store(filling * side * side, 0);
    const auto picture = [&](auto centre) {
        return store.data() + std::size_t(centre - centres.begin()) % filling * side * side;
    };
    // Only what lies in the area is filled; the rest of a picture is clear.
    const auto layDown = [&](auto centre) {
        QRgb* pixels = picture(centre);
        painter.drawImage(*centre - QPoint(outer, outer),
            QImage(reinterpret_cast<const uchar*>(pixels), side, side, side * int(sizeof(QRgb)),
                QImage::Format_ARGB32_Premultiplied));
        std::fill_n(pixels, side * side, 0);
    };
    auto first = centres.begin();
    const int bottom = std::min(area.bottom(), centres.back().y() + outer);
    for (int y = std::max(area.top(), centres.front().y() - outer); y <= bottom; ++y) {
        while (first->y() < y - outer)
            layDown(first++);
        const ComposedRow under(canvas, y);
        const auto markedHere = std::ranges::equal_range(first, centres.end(), y, {}, &QPoint::y);
        for (auto centre = first; centre != centres.end() && centre->y() <= y + outer; ++centre) {
            const int dy = y - centre->y();
            QRgb* line = picture(centre) + (dy + outer) * side;
            for (int x = std::max(centre->x() - outer, area.left());
                 x <= std::min(centre->x() + outer, area.right()); ++x) {
                const int dx = x - centre->x(), d2 = dx * dx + dy * dy;
                if (d2 > inner * (inner + 1) && d2 <= outer * (outer + 1) &&
                    !std::ranges::binary_search(markedHere, x, {}, &QPoint::x))
                    line[dx + outer] = ringColour(colour, under[x]);
            }
        }
    }
    while (first != centres.end())
        layDown(first++);
}

void CheckupCanvas::drawHint(QPainter& painter) const
{
    const QRect area = hintArea();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(255, 255, 255, 170));
    painter.setBrush(QColor(16, 16, 16, 225));
    painter.drawRoundedRect(QRectF(area).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    QRect text = area.adjusted(Margin, Margin, -Margin, -Margin);
    painter.setFont(hintFont(1.3, QFont::Bold));
    painter.setPen(Qt::white);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignTop, hintTitle_);
    painter.drawText(text, Qt::AlignRight | Qt::AlignTop, hintPosition_);
    text.setTop(text.top() + painter.fontMetrics().height() + Margin / 2);
    painter.setFont(hintFont(1));
    const QRect said = painter.boundingRect(text, Qt::TextWordWrap, hintText_);
    painter.drawText(text, Qt::TextWordWrap, hintText_);
    text.setTop(said.bottom() + 1 + Margin / 2);
    painter.setFont(hintFont(0.8));
    painter.setPen(QColor(190, 190, 190));
    painter.drawText(text, Qt::TextWordWrap, QString::fromUtf8(CheckupKeys));
}

void CheckupCanvas::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_F1 || key == Qt::Key_H) {
        if (event->isAutoRepeat())
            return;
        if (hintVisible_)
            hideHint();
        else
            showHint(hintTitle_, hintPosition_, hintText_, HintLasts::UntilAKey);
        return;
    }
    hideHint();
    switch (key) {
    case Qt::Key_Space:
    case Qt::Key_Right:
    case Qt::Key_PageDown:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // A held key would race through the tests unseen.
        if (!event->isAutoRepeat())
            emit nextRequested();
        return;
    case Qt::Key_Left:
    case Qt::Key_PageUp:
    case Qt::Key_Backspace:
        if (!event->isAutoRepeat())
            emit previousRequested();
        return;
    default:
        Form2::keyPressEvent(event);
    }
}

bool CheckupCanvas::takesMarks() const
{
    return isActiveWindow() && activeSince_ &&
        now_() - *activeSince_ >= qint64(ActivationMs) * 1'000'000;
}

void CheckupCanvas::setClock(Nanoseconds now)
{
    now_ = std::move(now);
    if (activeSince_)
        activeSince_ = now_();
}

void CheckupCanvas::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow())
            activeSince_ = now_();
        else
            activeSince_.reset();
    }
    Form2::changeEvent(event);
}

void CheckupCanvas::mousePressEvent(QMouseEvent* event)
{
    wakeCursor();
    // The click that brings the canvas back from another window or monitor
    // only brings it back. A click-to-focus window manager, or Wayland,
    // activates the canvas just before that press arrives.
    if (!takesMarks()) {
        bringToFront(*this);
        return;
    }
    const std::optional<QPoint> pixel =
        pixelAt(event->position() * devicePixelRatioF(), canvas().raster().size());
    if (!pixel)
        return;
    if (event->button() == Qt::LeftButton)
        emit markRequested(*pixel);
    else if (event->button() == Qt::RightButton)
        emit unmarkRequested(*pixel);
}

void CheckupCanvas::mouseReleaseEvent(QMouseEvent*)
{
}
