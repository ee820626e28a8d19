// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "checkup/Report.h"

#include "checkup/ReportParts.h"
#include "patterns/TestChoice.h"

#include <QBuffer>
#include <QJsonDocument>
#include <QLocale>

using namespace report;

namespace {

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


// The page's head, with the record's data in it as JSON.
QString pageHead(const CheckupRecord& record)
{
    // Inside the script element '<' would end it early, and '&' would break an
    // XML reading of the page.
    QByteArray json = QJsonDocument(reportJson(record)).toJson(QJsonDocument::Indented);
    json.replace('<', "\\u003c").replace('>', "\\u003e").replace('&', "\\u0026");
    return QStringLiteral(
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
               .arg(QString::fromUtf8(CheckupResultTitle)) +
        QString::fromUtf8(json) + QStringLiteral("</script>\n</head>\n");
}

// The map, embedded as a PNG.
QString mapHtml(const CheckupRecord& record)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    const QImage map = markMap(record);
    map.save(&buffer, "PNG");
    return QStringLiteral("<h2>A jelölések a képernyőn</h2>\n"
                          "<p><img alt=\"A képernyő a jelölésekkel\" width=\"%1\" height=\"%2\" "
                          "src=\"data:image/png;base64,%3\"/></p>\n")
        .arg(map.width())
        .arg(map.height())
        .arg(QString::fromLatin1(png.toBase64()));
}

} // namespace

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

QByteArray reportHtml(const CheckupRecord& record)
{
    QString html = pageHead(record) +
        QStringLiteral("<body>\n<h1>%1</h1>\n<p>Időpont: %2<br/>Kijelzor %3</p>\n")
            .arg(QString::fromUtf8(CheckupResultTitle),
                QLocale(QLocale::Hungarian).toString(record.date, "yyyy. MM. dd. HH:mm:ss"),
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
    return (html + mapHtml(record) + QStringLiteral("</body>\n</html>\n")).toUtf8();
}
