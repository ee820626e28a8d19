#include "app/Artwork.h"

#include "patterns/GhostingBackground.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

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

QImage ghostingThumbnail(QSize pixels)
{
    QImage image = makeGhostingBackground(pixels);
    QPainter painter(&image);
    const int side = std::max(pixels.height() / 9, 2);
    painter.fillRect(QRect(pixels.width() / 2, pixels.height() / 3, side, side), Qt::white);
    return image;
}

} // namespace Artwork
