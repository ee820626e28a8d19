// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "checkup/CheckupCanvas.h"

#include "canvas/Composition.h"
#include "canvas/ScreenMetrics.h"
#include "canvas/WindowOrder.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QPen>
#include <QRegion>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <utility>

namespace {

constexpr int Margin = 16, TextSize = 18;

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
        showPixels(physical(hintArea()));
    hintTitle_ = title;
    hintPosition_ = position;
    hintText_ = text;
    hintVisible_ = true;
    showPixels(physical(hintArea()));
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
    showPixels(physical(hintArea()));
}

void CheckupCanvas::showMarks(const std::vector<Mark>& marks, QColor colour)
{
    for (const QPoint centre : rings_.centres())
        showPixels(ringArea(centre));
    rings_ = Rings(marks, colour.rgb());
    for (const QPoint centre : rings_.centres())
        showPixels(ringArea(centre));
}

int CheckupCanvas::ringScale() const
{
    return std::max(1, int(std::lround(presenter().pixelsPerLogical())));
}

QRect CheckupCanvas::ringArea(QPoint pixel) const
{
    const QPoint reach(RingOuter * ringScale(), RingOuter * ringScale());
    return QRect(pixel - reach, pixel + reach);
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

void CheckupCanvas::paintOverlays(QPainter& painter)
{
    Form2::paintOverlays(painter);
    if (hintVisible_)
        drawHint(painter);
}

void CheckupCanvas::paintOver(QPainter& painter, const QRect& band)
{
    rings_.draw(painter, canvas(), band, ringScale());
}

namespace {

// Where a ring crosses row `dy` of it: from `a` pixels left of its centre to
// `b` short of it, and from `b` past it to `a` right of it.
struct RingRow {
    int a, b;
};

std::vector<RingRow> ringRows(int inner, int outer)
{
    const auto widest = [](int reach2) { // the largest d with d * d <= reach2; -1 if none
        int d = -1;
        while ((d + 1) * (d + 1) <= reach2)
            ++d;
        return d;
    };
    std::vector<RingRow> rows;
    for (int dy = -outer; dy <= outer; ++dy)
        rows.push_back(
            {widest(outer * (outer + 1) - dy * dy), widest(inner * (inner + 1) - dy * dy)});
    return rows;
}

// Writes the rings of `centres` (sorted by row, then column) over the pixels
// of `area` into `bits`, where pixel p of the canvas lies at p + shift.
void writeRings(uchar* bits, qsizetype bytesPerLine, QPoint shift, const RasterCanvas& canvas,
    const std::vector<QPoint>& centres, const RingColour& colour, const std::vector<RingRow>& rows,
    const QRect& area)
{
    const int outer = int(rows.size()) / 2;
    auto first = std::ranges::lower_bound(centres, area.top() - outer, {}, &QPoint::y);
    for (int y = area.top(); y <= area.bottom() && first != centres.end(); ++y) {
        while (first != centres.end() && first->y() < y - outer)
            ++first;
        const ComposedRow under(canvas, y);
        QRgb* line = reinterpret_cast<QRgb*>(bits + (y + shift.y()) * bytesPerLine) + shift.x();
        const auto markedHere = std::ranges::equal_range(first, centres.end(), y, {}, &QPoint::y);
        for (auto centre = first; centre != centres.end() && centre->y() <= y + outer; ++centre) {
            const RingRow row = rows[y - centre->y() + outer];
            const int x = centre->x();
            for (auto [from, to] : {std::pair(x - row.a, x - row.b - 1),
                     std::pair(x + std::max(row.b, 0) + 1, x + row.a)})
                for (int px = std::max(from, area.left()); px <= std::min(to, area.right()); ++px)
                    if (markedHere.empty() ||
                        !std::ranges::binary_search(markedHere, px, {}, &QPoint::x))
                        line[px] = colour.over(under[px]);
        }
    }
}

// The image the painter paints into pixel for pixel, and where pixel p of
// what it is told lands in it; none where it would scale, blend or clip on
// its own.
std::optional<std::pair<QImage*, QPoint>> paintedPixels(QPainter& painter)
{
    QPaintDevice* device = painter.paintEngine() ? painter.paintEngine()->paintDevice() : nullptr;
    if (!device || device->devType() != QInternal::Image || painter.hasClipping() ||
        painter.opacity() != 1 || painter.compositionMode() != QPainter::CompositionMode_SourceOver)
        return std::nullopt;
    auto* image = static_cast<QImage*>(device);
    const QTransform& to = painter.deviceTransform();
    if ((image->format() != QImage::Format_RGB32 && image->format() != QImage::Format_ARGB32 &&
            image->format() != QImage::Format_ARGB32_Premultiplied) ||
        to.type() > QTransform::TxTranslate || to.dx() != std::round(to.dx()) ||
        to.dy() != std::round(to.dy()))
        return std::nullopt;
    return std::pair(image, QPoint(int(to.dx()), int(to.dy())));
}

} // namespace

RingColour::RingColour(QRgb preferred)
    : preferred_(preferred | 0xff000000u)
    , opposite_(qRgb(255 - qRed(preferred), 255 - qGreen(preferred), 255 - qBlue(preferred)))
{
    const int channels[] = {qRed(preferred), qGreen(preferred), qBlue(preferred)};
    for (int c = 0; c < 3; ++c)
        for (int v = 0; v < 256; ++v)
            far_[c][v] = std::abs(channels[c] - v) >= CheckupCanvas::RingContrast;
}

Rings::Rings(const std::vector<Mark>& marks, QRgb colour)
    : colour_(colour)
{
    for (const Mark& mark : marks)
        centres_.push_back(mark.pixel);
    std::ranges::sort(centres_, {}, [](QPoint p) { return std::pair(p.y(), p.x()); });
}

void Rings::draw(QPainter& painter, const RasterCanvas& canvas, const QRect& area, int scale) const
{
    // A ring of whole pixels, the marked one and its neighbours left as the
    // test drew them, and so is any marked pixel another ring would cross.
    // Each ring is clipped to the area.
    const int outer = CheckupCanvas::RingOuter * scale;
    const QRect reach = area.adjusted(-outer, -outer, outer, outer);
    std::vector<QPoint> centres;
    for (auto centre = std::ranges::lower_bound(centres_, reach.top(), {}, &QPoint::y);
         centre != centres_.end() && centre->y() <= reach.bottom(); ++centre)
        if (reach.contains(*centre))
            centres.push_back(*centre);
    if (centres.empty())
        return;
    const std::vector<RingRow> rows = ringRows(CheckupCanvas::RingInner * scale, outer);
    // A ring's pixels are opaque, so where the painter would only copy them
    // they are written straight into its image: drawing even a small picture
    // per ring costs more than the rings themselves. The painter has begun,
    // so the image is its own.
    if (const auto target = paintedPixels(painter)) {
        const auto [image, shift] = *target;
        QRegion where = QRegion(area.translated(shift)) & image->rect();
        if (const QRegion clip = painter.paintEngine()->systemClip(); !clip.isEmpty())
            where &= clip;
        for (const QRect& rect : where)
            writeRings(const_cast<uchar*>(image->constBits()), image->bytesPerLine(), shift, canvas,
                centres, colour_, rows, rect.translated(-shift));
        return;
    }
    // Elsewhere (a printer, say) they are drawn as one picture, clear around them.
    QRect around;
    for (const QPoint centre : centres)
        around |= QRect(centre, QSize(1, 1));
    const QRect bounds = area & around.adjusted(-outer, -outer, outer, outer);
    if (bounds.isEmpty())
        return;
    QImage picture(bounds.size(), QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    writeRings(picture.bits(), picture.bytesPerLine(), -bounds.topLeft(), canvas, centres, colour_,
        rows, bounds);
    painter.drawImage(bounds.topLeft(), picture);
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
        msSince(now_, *activeSince_) >= ActivationMs;
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
        pixelAt(event->position() * presenter().pixelsPerLogical(), canvas().raster().size());
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
