// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "checkup/Report.h"

#include "patterns/TestChoice.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLocale>
#include <QPainter>
#include <QSaveFile>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr MarkKind allKinds[] = {
    MarkKind::Bright, MarkKind::Dark, MarkKind::Subpixel, MarkKind::Other};

// Dark enough to print, and told apart by kind on the map.
QColor kindColour(MarkKind kind)
{
    switch (kind) {
    case MarkKind::Bright:
        return QColor(0xc2, 0x41, 0x0c);
    case MarkKind::Dark:
        return QColor(0x1d, 0x4e, 0xd8);
    case MarkKind::Subpixel:
        return QColor(0xa2, 0x1c, 0xaf);
    case MarkKind::Other:
        break;
    }
    return QColor(0x15, 0x80, 0x3d);
}

QString titleOf(const std::string& test)
{
    const char* title = testTitle(test);
    return title ? QString::fromUtf8(title) : QString::fromStdString(test);
}

QString number(double value, int decimals = 0)
{
    return QLocale(QLocale::Hungarian).toString(value, 'f', decimals);
}

QString escaped(const QString& text)
{
    return text.isEmpty() ? QStringLiteral("–") : text.toHtmlEscaped();
}

QString row(const QStringList& cells, const char* tag = "td")
{
    QString html = QStringLiteral("<tr>");
    for (const QString& cell : cells)
        html += QStringLiteral("<%1>%2</%1>").arg(QLatin1String(tag), cell);
    return html + QStringLiteral("</tr>\n");
}

QString isoDate(const QDateTime& date)
{
    return date.toOffsetFromUtc(date.offsetFromUtc()).toString(Qt::ISODate);
}

const QString NotViewed = QStringLiteral("Nem nézte meg");

// Every mark, numbered as on the map.
QString marksRows(const CheckupRecord& record)
{
    QString rows;
    int index = 0;
    for (const TestMarks& test : record.tests)
        for (const Mark& mark : test.marks)
            rows += row({QString::number(++index), titleOf(test.test).toHtmlEscaped(),
                QStringLiteral("<span style=\"color:%1\">%2</span>")
                    .arg(kindColour(mark.kind).name(), QString::fromUtf8(markKindTitle(mark.kind))),
                QString::number(mark.pixel.x()), QString::number(mark.pixel.y())});
    return rows.isEmpty() ? QStringLiteral("<tr><td colspan=\"5\">Nincs jelölés.</td></tr>\n")
                          : rows;
}

} // namespace

namespace {

// The monitor's own word for the report, so that a warranty claim carries
// it; every field null where no EDID was read.
QJsonObject edidJson(const ScreenFacts& s)
{
    const std::optional<Edid>& e = s.edid;
    const std::optional<DisplayMode> native = e ? e->native : std::nullopt;
    const auto orNull = [&e](auto value) { return e ? QJsonValue(value) : QJsonValue(); };
    const auto orNullBool = [](std::optional<bool> value) {
        return value ? QJsonValue(*value) : QJsonValue();
    };
    return {
        {"manufactured",
            e ? QJsonObject{{"year", e->year},
                    {"week", e->week ? QJsonValue(*e->week) : QJsonValue()}}
              : QJsonValue()},
        {"native",
            native ? QJsonObject{{"width", native->pixels.width()},
                         {"height", native->pixels.height()},
                         {"refreshRate", std::round(native->refreshRate * 100) / 100}}
                   : QJsonValue()},
        {"maxRefreshRate",
            e && e->maxRefreshRate ? QJsonValue(std::round(*e->maxRefreshRate * 100) / 100)
                                   : QJsonValue()},
        {"physicalSize",
            e && !e->physicalSizeMm.isEmpty() ? QJsonObject{{"width", e->physicalSizeMm.width()},
                                                    {"height", e->physicalSizeMm.height()}}
                                              : QJsonValue()},
        {"atNativeResolution", orNullBool(s.atNativeResolution())},
        {"atHighestRefreshRate", orNullBool(s.atHighestRefreshRate())},
        {"edid", orNull(QString::fromLatin1(e ? e->blocks.toHex() : QByteArray()))},
    };
}

} // namespace

QJsonObject reportJson(const CheckupRecord& record)
{
    const ScreenFacts& s = record.screen;
    QJsonArray tests;
    for (const TestMarks& test : record.tests) {
        QJsonArray marks;
        for (const Mark& mark : test.marks)
            marks.append(QJsonObject{{"x", mark.pixel.x()}, {"y", mark.pixel.y()},
                {"kind", QLatin1String(markKindName(mark.kind))}});
        tests.append(QJsonObject{{"name", QString::fromStdString(test.test)}, {"marks", marks},
            {"viewed", test.viewed}, {"seconds", std::round(test.seconds * 10) / 10}});
    }
    QJsonArray defects;
    for (const Defect& defect : record.defects()) {
        QJsonArray names;
        for (const std::string& test : defect.tests)
            names.append(QString::fromStdString(test));
        defects.append(QJsonObject{{"x", defect.pixel.x()}, {"y", defect.pixel.y()},
            {"kind", QLatin1String(markKindName(defect.kind))}, {"tests", names}});
    }
    // A ghosting test never shown measured nothing, not zero frames.
    const bool measured = record.framesMeasured();
    const auto measure = [&](QJsonValue value) { return measured ? value : QJsonValue(); };
    const FrameRecord& f = record.frames;
    const std::optional<double> rate = f.measuredRefreshRate();
    QJsonObject report{
        {"version", QStringLiteral(KIJELZOR_VERSION)},
        {"date", isoDate(record.date)},
        {"screen",
            QJsonObject{{"name", s.name}, {"manufacturer", s.manufacturer}, {"model", s.model},
                {"serial", s.serial}, {"width", s.pixels.width()}, {"height", s.pixels.height()},
                {"refreshRate", s.refreshRate}, {"scale", s.scale},
                // Whether the test's pixels reached the panel one to one, and why not.
                {"exact", s.inexact == Inexact::None},
                {"inexact",
                    s.inexact == Inexact::None ? QJsonValue()
                                               : QLatin1String(inexactName(s.inexact))}}},
        {"note", record.note},
        {"tests", tests},
        {"defects", defects},
        {"frames",
            QJsonObject{{"shown", measure(qint64(f.shown))}, {"missed", measure(qint64(f.missed))},
                // Null where the timing source cannot tell when a frame was shown.
                {"late", measure(f.late ? QJsonValue(qint64(*f.late)) : QJsonValue())},
                {"measuredRefreshRate",
                    measure(rate ? QJsonValue(std::round(*rate * 100) / 100) : QJsonValue())},
                {"timing", measure(QLatin1String(timingSourceName(f.timing)))},
                {"pixelsPerFrame", measure(f.pixelsPerFrame)},
                // Null where the display does not say how it showed them.
                {"presented",
                    measure(f.presented ? QJsonObject{{"copy", qint64(f.presented->copy)},
                                              {"flip", qint64(f.presented->flip)},
                                              {"skip", qint64(f.presented->skip)},
                                              {"suboptimal", qint64(f.presented->suboptimal)}}
                                        : QJsonValue())}}},
    };
    QJsonObject screen = report["screen"].toObject();
    const QJsonObject edid = edidJson(s);
    for (auto field = edid.begin(); field != edid.end(); ++field)
        screen[field.key()] = field.value();
    report["screen"] = screen;
    return report;
}

std::vector<MonitorFact> monitorFacts(const ScreenFacts& s)
{
    using enum MonitorFact::Field;
    std::vector<MonitorFact> facts{{Name, "Név", s.name}, {Manufacturer, "Gyártó", s.manufacturer},
        {Model, "Típus", s.model}, {Serial, "Sorozatszám", s.serial},
        {Other, "Felbontás",
            QStringLiteral("%1 × %2 képpont").arg(s.pixels.width()).arg(s.pixels.height())},
        {Other, "Frissítés", number(s.refreshRate, 2) + QStringLiteral(" Hz")},
        {Other, "Méretezés", QLocale(QLocale::Hungarian).toString(s.scale, 'g', 4)},
        {Other, "Képpontok",
            s.inexact == Inexact::None
                ? QStringLiteral("egy az egyben a kijelzőn")
                : QStringLiteral(
                      "átméretezve: a tesztek képe nem képpontról képpontra jutott a kijelzőre")}};
    if (const std::optional<Edid>& e = s.edid) {
        const QLocale hungarian(QLocale::Hungarian);
        facts.push_back({Other, "Gyártva",
            e->week ? QStringLiteral("%1, %2. hét").arg(e->year).arg(*e->week)
                    : QStringLiteral("%1 (modellév)").arg(e->year)});
        if (e->native)
            facts.push_back({Other, "Natív felbontás",
                QStringLiteral("%1 × %2 képpont, %3 Hz")
                    .arg(e->native->pixels.width())
                    .arg(e->native->pixels.height())
                    .arg(hungarian.toString(e->native->refreshRate, 'f', 2))});
        if (e->maxRefreshRate)
            facts.push_back({Other, "Legnagyobb frissítés",
                hungarian.toString(*e->maxRefreshRate, 'g', 4) + QStringLiteral(" Hz")});
    }
    return facts;
}

QString monitorHtml(const CheckupRecord& record)
{
    QString rows;
    for (const MonitorFact& fact : monitorFacts(record.screen))
        rows += row({QString::fromUtf8(fact.label), escaped(fact.value)});
    const QString warning = record.screen.modeWarning();
    return QStringLiteral("<h2>Monitor</h2>\n<table cellpadding=\"3\">\n") + rows +
        QStringLiteral("</table>\n") +
        (warning.isEmpty() ? QString() : QStringLiteral("<p><b>%1</b></p>\n").arg(escaped(warning)));
}

QString findingsHtml(const CheckupRecord& record)
{
    const FrameRecord& f = record.frames;
    QString kinds = row({"Fajta", "Darab", "Millió képpontonként"}, "th");
    for (MarkKind kind : allKinds)
        kinds += row({QString::fromUtf8(markKindTitle(kind)), QString::number(record.count(kind)),
            number(record.perMillionPixels(kind), 2)});
    const bool measured = record.framesMeasured();
    const auto measure = [&](const QString& value) {
        return measured ? value : QStringLiteral("–");
    };
    QString frames;
    for (const FrameFigure& figure : frameFigures(f, QStringLiteral(",<br>")))
        frames += row({QString::fromUtf8(figure.label), measure(figure.value)});
    if (const QString warning = timerWarning(f); measured && !warning.isEmpty())
        frames += QStringLiteral("<tr><td colspan=\"2\">%1</td></tr>\n").arg(warning);
    QString tests = row({"Teszt", "Nézte", "Jelölés"}, "th");
    for (const TestMarks& test : record.tests)
        tests += row({titleOf(test.test).toHtmlEscaped(),
            test.viewed ? number(test.seconds, 1) + QStringLiteral(" mp") : NotViewed,
            QString::number(test.marks.size())});

    // Two columns, so that it fits on a screen and on a page.
    return QStringLiteral("<table class=\"columns\"><tr><td valign=\"top\">\n"
                          "<h2>Hibák fajtánként</h2>\n<table cellpadding=\"3\">\n%1</table>\n"
                          "<h2>%4</h2>\n<table cellpadding=\"3\">\n%2</table>\n"
                          "</td><td valign=\"top\">\n"
                          "<h2>Tesztek</h2>\n<table cellpadding=\"3\">\n%3</table>\n"
                          "</td></tr></table>\n")
        .arg(kinds, frames, tests, QString::fromUtf8(GhostingTitle));
}

QString unseenHtml(const CheckupRecord& record)
{
    QStringList titles;
    for (const TestMarks& test : record.tests)
        if (!test.viewed)
            titles << titleOf(test.test).toHtmlEscaped();
    return titles.isEmpty() ? QString()
                            : QStringLiteral("<p><b>%1:</b> %2</p>\n")
                                  .arg(NotViewed, titles.join(QStringLiteral(", ")));
}

QImage markMap(const CheckupRecord& record)
{
    constexpr int border = 12, legendRow = 18;
    const QSize screen = record.screen.pixels.isEmpty() ? QSize(1, 1) : record.screen.pixels;
    const QSize size = screen.scaled(800, 800, Qt::KeepAspectRatio).expandedTo({1, 1});
    QFont font;
    font.setPixelSize(11);
    const QFontMetrics metrics(font);

    // The legend, one entry per kind, in as many rows as the map's width needs.
    const int width = size.width() + 2 * border;
    std::vector<QPoint> legend;
    QPoint at(border, 0);
    for (MarkKind kind : allKinds) {
        const int entry = 16 + metrics.horizontalAdvance(QString::fromUtf8(markKindTitle(kind)));
        if (at.x() > border && at.x() + entry > width - border)
            at = QPoint(border, at.y() + legendRow);
        legend.push_back(at);
        at.rx() += entry + 16;
    }
    const int top = size.height() + 2 * border;
    QImage map(width, top + at.y() + legendRow + border / 2, QImage::Format_RGB32);
    map.fill(Qt::white);
    QPainter painter(&map);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(font);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(QColor(0xee, 0xee, 0xee));
    const QRectF area(border, border, size.width(), size.height());
    painter.drawRect(area.adjusted(-0.5, -0.5, 0.5, 0.5));
    painter.setBrush(Qt::NoBrush);
    for (std::size_t k = 0; k < legend.size(); ++k) {
        const QPointF centre = legend[k] + QPointF(5, top + legendRow / 2.0);
        painter.setPen(QPen(kindColour(allKinds[k]), 2));
        painter.drawEllipse(centre, 5, 5);
        painter.setPen(Qt::black);
        painter.drawText(QPointF(legend[k].x() + 16, centre.y() + metrics.ascent() / 2.0 - 1),
            QString::fromUtf8(markKindTitle(allKinds[k])));
    }

    const double scale = double(size.width()) / screen.width();
    int index = 0;
    for (const TestMarks& test : record.tests)
        for (const Mark& mark : test.marks) {
            const QPointF centre(
                border + (mark.pixel.x() + 0.5) * scale, border + (mark.pixel.y() + 0.5) * scale);
            painter.setPen(QPen(kindColour(mark.kind), 2));
            painter.drawEllipse(centre, 5, 5);
            // Right of and above the ring, or left of or below it at the edges.
            const QString label = QString::number(++index);
            const int w = metrics.horizontalAdvance(label);
            double x = centre.x() + 7, y = centre.y() - 4;
            if (x + w > width - 1)
                x = centre.x() - 7 - w;
            if (y - metrics.ascent() < 0)
                y = centre.y() + 4 + metrics.ascent();
            painter.drawText(QPointF(x, y), label);
        }
    return map;
}

QByteArray reportHtml(const CheckupRecord& record)
{
    // Inside the script element '<' would end it early, and '&' would break an
    // XML reading of the page.
    QByteArray json = QJsonDocument(reportJson(record)).toJson(QJsonDocument::Indented);
    json.replace('<', "\\u003c").replace('>', "\\u003e").replace('&', "\\u0026");

    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    const QImage map = markMap(record);
    map.save(&buffer, "PNG");

    const QString title = QString::fromUtf8(CheckupResultTitle);
    QString html = QStringLiteral(
        "<!DOCTYPE html>\n<html lang=\"hu\">\n<head>\n<meta charset=\"utf-8\"/>\n"
        "<title>%1</title>\n<style>\n"
        "body { font-family: sans-serif; margin: 2em; color: #111; }\n"
        "table { border-collapse: collapse; margin-bottom: 1em; }\n"
        "th, td { border: 1px solid #999; padding: 0.2em 0.6em; text-align: left; }\n"
        "table.columns > tbody > tr > td, table.columns > tr > td { border: none; "
        "padding: 0 2em 0 0; }\n"
        "img { max-width: 100%; }\n"
        ".note { white-space: pre-wrap; }\n"
        "thead { display: table-header-group; }\n"
        "@media print { body { margin: 0; } h2 { break-after: avoid; } }\n"
        "</style>\n<script type=\"application/json\" id=\"kijelzor-report\">\n")
                       .arg(title);
    html += QString::fromUtf8(json);
    html +=
        QStringLiteral("</script>\n</head>\n<body>\n<h1>%1</h1>\n"
                       "<p>Időpont: %2<br/>Kijelzor %3</p>\n")
            .arg(title, QLocale(QLocale::Hungarian).toString(record.date, "yyyy. MM. dd. HH:mm:ss"),
                QStringLiteral(KIJELZOR_VERSION));
    html += monitorHtml(record);
    if (!record.note.isEmpty())
        html += QStringLiteral("<h2>Megjegyzés</h2>\n<p class=\"note\">") +
            record.note.toHtmlEscaped() + QStringLiteral("</p>\n");
    html += unseenHtml(record) + findingsHtml(record);
    // A header of its own, which a browser repeats on every printed page.
    html +=
        QStringLiteral(
            "<h2>Minden jelölés (fizikai képpontban)</h2>\n<table cellpadding=\"3\">\n<thead>") +
        row({"#", "Teszt", "Fajta", "x", "y"}, "th") + QStringLiteral("</thead>\n<tbody>\n") +
        marksRows(record) + QStringLiteral("</tbody>\n</table>\n");
    html += QStringLiteral("<h2>A jelölések a képernyőn</h2>\n"
                           "<p><img alt=\"A képernyő a jelölésekkel\" width=\"%1\" height=\"%2\" "
                           "src=\"data:image/png;base64,%3\"/></p>\n</body>\n</html>\n")
                .arg(map.width())
                .arg(map.height())
                .arg(QString::fromLatin1(png.toBase64()));
    return html.toUtf8();
}

bool writeReport(const QString& path, const CheckupRecord& record, QString& reason)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(reportHtml(record)) >= 0 && file.commit())
        return true;
    reason = file.errorString();
    return false;
}

QString reportFileName(const CheckupRecord& record)
{
    return QStringLiteral("kijelzor-ellenorzes-%1.html").arg(record.date.toString("yyyy-MM-dd"));
}
