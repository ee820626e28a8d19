// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "checkup/Report.h"

#include "checkup/ReportParts.h"
#include "patterns/TestChoice.h"

#include <QJsonArray>
#include <QLocale>
#include <QSaveFile>

#include <cmath>
#include <vector>

namespace report {

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

QString number(double value, int decimals)
{
    return QLocale(QLocale::Hungarian).toString(value, 'f', decimals);
}

QString escaped(const QString& text)
{
    return text.isEmpty() ? QStringLiteral("–") : text.toHtmlEscaped();
}

QString row(const QStringList& cells, const char* tag)
{
    QString html = QStringLiteral("<tr>");
    for (const QString& cell : cells)
        html += QStringLiteral("<%1>%2</%1>").arg(QLatin1String(tag), cell);
    return html + QStringLiteral("</tr>\n");
}

} // namespace report

using namespace report;

namespace {

QString isoDate(const QDateTime& date)
{
    return date.toOffsetFromUtc(date.offsetFromUtc()).toString(Qt::ISODate);
}

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

QJsonArray testsJson(const CheckupRecord& record)
{
    QJsonArray tests;
    for (const TestMarks& test : record.tests) {
        QJsonArray marks;
        for (const Mark& mark : test.marks)
            marks.append(QJsonObject{{"x", mark.pixel.x()}, {"y", mark.pixel.y()},
                {"kind", QLatin1String(markKindName(mark.kind))}});
        tests.append(QJsonObject{{"name", QString::fromStdString(test.test)}, {"marks", marks},
            {"viewed", test.viewed}, {"seconds", std::round(test.seconds * 10) / 10}});
    }
    return tests;
}

QJsonArray defectsJson(const CheckupRecord& record)
{
    QJsonArray defects;
    for (const Defect& defect : record.defects()) {
        QJsonArray names;
        for (const std::string& test : defect.tests)
            names.append(QString::fromStdString(test));
        defects.append(QJsonObject{{"x", defect.pixel.x()}, {"y", defect.pixel.y()},
            {"kind", QLatin1String(markKindName(defect.kind))}, {"tests", names}});
    }
    return defects;
}

QJsonObject framesJson(const CheckupRecord& record)
{
    // A ghosting test never shown measured nothing, not zero frames.
    const bool measured = record.framesMeasured();
    const auto measure = [&](QJsonValue value) { return measured ? value : QJsonValue(); };
    const FrameRecord& f = record.frames;
    const std::optional<double> rate = f.measuredRefreshRate();
    return {{"shown", measure(qint64(f.shown))}, {"missed", measure(qint64(f.missed))},
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
                                : QJsonValue())}};
}

QJsonObject screenJson(const ScreenFacts& s)
{
    QJsonObject screen{{"name", s.name}, {"manufacturer", s.manufacturer}, {"model", s.model},
        {"serial", s.serial}, {"width", s.pixels.width()}, {"height", s.pixels.height()},
        {"refreshRate", s.refreshRate}, {"scale", s.scale},
        // Whether the test's pixels reached the panel one to one, and why not.
        {"exact", s.inexact == Inexact::None},
        {"inexact",
            s.inexact == Inexact::None ? QJsonValue() : QLatin1String(inexactName(s.inexact))}};
    const QJsonObject edid = edidJson(s);
    for (auto field = edid.begin(); field != edid.end(); ++field)
        screen[field.key()] = field.value();
    return screen;
}

} // namespace

QJsonObject reportJson(const CheckupRecord& record)
{
    return {{"version", QStringLiteral(KIJELZOR_VERSION)}, {"date", isoDate(record.date)},
        {"screen", screenJson(record.screen)}, {"note", record.note},
        {"tests", testsJson(record)}, {"defects", defectsJson(record)},
        {"frames", framesJson(record)}};
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
