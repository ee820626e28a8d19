// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "checkup/Report.h"

#include "checkup/ReportParts.h"

#include <QPainter>

#include <vector>

using namespace report;

namespace {

constexpr int border = 12, legendRow = 18;

// Where each kind's entry of the legend goes, in as many rows as the map's
// `width` needs, the last row's top in `lastRow`.
std::vector<QPoint> legendPlaces(const QFontMetrics& metrics, int width, int& lastRow)
{
    std::vector<QPoint> places;
    QPoint at(border, 0);
    for (MarkKind kind : allKinds) {
        const int entry = 16 + metrics.horizontalAdvance(QString::fromUtf8(markKindTitle(kind)));
        if (at.x() > border && at.x() + entry > width - border)
            at = QPoint(border, at.y() + legendRow);
        places.push_back(at);
        at.rx() += entry + 16;
    }
    lastRow = at.y();
    return places;
}

void drawLegend(
    QPainter& painter, const std::vector<QPoint>& places, int top, const QFontMetrics& metrics)
{
    for (std::size_t k = 0; k < places.size(); ++k) {
        const QPointF centre = places[k] + QPointF(5, top + legendRow / 2.0);
        painter.setPen(QPen(kindColour(allKinds[k]), 2));
        painter.drawEllipse(centre, 5, 5);
        painter.setPen(Qt::black);
        painter.drawText(QPointF(places[k].x() + 16, centre.y() + metrics.ascent() / 2.0 - 1),
            QString::fromUtf8(markKindTitle(allKinds[k])));
    }
}

// Each mark ringed and numbered, right of and above the ring, or left of or
// below it at the edges.
void drawMarks(QPainter& painter, const CheckupRecord& record, double scale, int width,
    const QFontMetrics& metrics)
{
    int index = 0;
    for (const TestMarks& test : record.tests)
        for (const Mark& mark : test.marks) {
            const QPointF centre(
                border + (mark.pixel.x() + 0.5) * scale, border + (mark.pixel.y() + 0.5) * scale);
            painter.setPen(QPen(kindColour(mark.kind), 2));
            painter.drawEllipse(centre, 5, 5);
            const QString label = QString::number(++index);
            const int w = metrics.horizontalAdvance(label);
            double x = centre.x() + 7, y = centre.y() - 4;
            if (x + w > width - 1)
                x = centre.x() - 7 - w;
            if (y - metrics.ascent() < 0)
                y = centre.y() + 4 + metrics.ascent();
            painter.drawText(QPointF(x, y), label);
        }
}

} // namespace

QImage markMap(const CheckupRecord& record)
{
    const QSize screen = record.screen.pixels.isEmpty() ? QSize(1, 1) : record.screen.pixels;
    const QSize size = screen.scaled(800, 800, Qt::KeepAspectRatio).expandedTo({1, 1});
    QFont font;
    font.setPixelSize(11);
    const QFontMetrics metrics(font);
    const int width = size.width() + 2 * border, top = size.height() + 2 * border;
    int lastRow = 0;
    const std::vector<QPoint> legend = legendPlaces(metrics, width, lastRow);
    QImage map(width, top + lastRow + legendRow + border / 2, QImage::Format_RGB32);
    map.fill(Qt::white);
    QPainter painter(&map);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(font);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(QColor(0xee, 0xee, 0xee));
    painter.drawRect(QRectF(border, border, size.width(), size.height()).adjusted(-0.5, -0.5, 0.5, 0.5));
    painter.setBrush(Qt::NoBrush);
    drawLegend(painter, legend, top, metrics);
    drawMarks(painter, record, double(size.width()) / screen.width(), width, metrics);
    return map;
}
