// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "artwork/Artwork.h"

#include "patterns/GhostingBackground.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace Artwork {

namespace {

const QColor lightGray(192, 192, 192);
const QColor red(204, 0, 0);

} // namespace

QImage iconImage(int side)
{
    static const QColor bands[] = {
        Qt::red, QColor(255, 160, 0), Qt::yellow, Qt::green, Qt::cyan, Qt::blue, Qt::magenta};
    constexpr int bandCount = sizeof bands / sizeof bands[0];
    QImage image(side, side, QImage::Format_ARGB32);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            // x + y runs along the diagonal from the top-left to the bottom-right.
            const int band = (x + y) * bandCount / (2 * side - 1);
            image.setPixelColor(x, y, bands[band]);
        }
    }
    return image;
}

QIcon appIcon()
{
    QIcon icon;
    for (int side : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(iconImage(side)));
    return icon;
}

QImage optionIcon()
{
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    // The right angle at the point: legs at ±45°.
    painter.drawPolygon(QPolygon({QPoint(4, 3), QPoint(9, 8), QPoint(4, 13)}));
    painter.setPen(Qt::black);
    painter.drawLine(15, 0, 15, 15);
    painter.drawLine(0, 15, 15, 15);
    return image;
}

QImage helpPicture()
{
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(lightGray);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(34);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(red);
    painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("?"));
    return image;
}

QImage exitPicture()
{
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(lightGray);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(red, 6, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(9, 9), QPointF(31, 31));
    painter.drawLine(QPointF(31, 9), QPointF(9, 31));
    return image;
}

namespace {

// A transparent 32 × 32 pixmap at `ratio` whose drawing, in its 32 × 32
// units, lands on whole device pixels: no smoothing, so the edges stay crisp
// and the colours stay those drawn.
QCursor drawnCursor(qreal ratio, QPoint hotSpot, const std::function<void(QPainter&)>& draw)
{
    QPixmap pixmap(QSize(32, 32) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    draw(painter);
    painter.end();
    return QCursor(pixmap, hotSpot.x(), hotSpot.y());
}

} // namespace

QCursor helpCursor(qreal devicePixelRatio)
{
    return drawnCursor(devicePixelRatio, {2, 2}, [](QPainter& painter) {
        painter.setPen(Qt::black);
        painter.setBrush(Qt::white);
        painter.drawPolygon(
            QPolygon({{2, 2}, {2, 18}, {6, 14}, {9, 20}, {11, 19}, {8, 13}, {13, 13}}));
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(16);
        font.setBold(true);
        font.setStyleStrategy(QFont::NoAntialias);
        painter.setFont(font);
        // Black on a white rim, to be seen on any background.
        for (QPoint offset : {QPoint(-1, 0), QPoint(1, 0), QPoint(0, -1), QPoint(0, 1), QPoint()}) {
            painter.setPen(offset.isNull() ? Qt::black : Qt::white);
            painter.drawText(
                QRect(QPoint(15, 1) + offset, QSize(14, 19)), Qt::AlignCenter, QStringLiteral("?"));
        }
    });
}

QCursor exitCursor(qreal devicePixelRatio)
{
    return drawnCursor(devicePixelRatio, {12, 1}, [](QPainter& painter) {
        painter.setPen(Qt::black);
        painter.setBrush(Qt::white);
        painter.drawRect(10, 1, 5, 16); // the pointing finger, its tip at the hot spot
        for (int x : {15, 18, 21}) // the folded fingers
            painter.drawRect(x, 11, 3, 7);
        painter.drawPolygon(QPolygon({{10, 18}, {6, 13}, {3, 13}, {3, 15}, {8, 23}})); // the thumb
        painter.drawRect(8, 17, 16, 9); // the palm
        painter.setPen(Qt::darkGray);
        painter.drawLine(11, 9, 13, 9);
        painter.drawLine(16, 15, 23, 15);
        painter.setPen(Qt::black);
        painter.setBrush(QColor(0, 0, 128));
        painter.drawRect(9, 26, 14, 4); // the cuff
    });
}

QImage ghostingThumbnail(QSize pixels)
{
    QImage image = makeGhostingBackground(pixels);
    QPainter painter(&image);
    const int side = std::max(pixels.height() / 9, 2);
    painter.fillRect(QRect(pixels.width() / 2, pixels.height() / 3, side, side), Qt::white);
    return image;
}

} // namespace Artwork
