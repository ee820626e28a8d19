// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "checkup/CheckupRecord.h"

#include <QByteArray>
#include <QImage>
#include <QJsonObject>
#include <QString>

#include <vector>

inline constexpr const char* CheckupResultTitle = "Kijelzor – ellenőrzés eredménye";

// The record as programs read it from the report.
QJsonObject reportJson(const CheckupRecord& record);

// What the report says of the monitor, row by row; the maker, model and
// serial number are the user's to correct.
struct MonitorFact {
    enum class Field { Name, Manufacturer, Model, Serial, Other } field;
    const char* label;
    QString value; // "" where the system does not say
};
std::vector<MonitorFact> monitorFacts(const ScreenFacts& screen);

// The summary's tables, in the HTML that both Qt's labels and browsers show:
// the monitor, and what was found.
QString monitorHtml(const CheckupRecord& record);
QString findingsHtml(const CheckupRecord& record);
// The tests never shown, named so that nobody reads "no defects" in them; ""
// when every test was shown.
QString unseenHtml(const CheckupRecord& record);

// The screen, scaled down, with every mark numbered as in the report's table.
QImage markMap(const CheckupRecord& record);

// The whole report: one HTML file that needs nothing else, with the data
// embedded as JSON.
QByteArray reportHtml(const CheckupRecord& record);

// Writes the report to `path` whole or not at all; false and `reason` set
// when it cannot.
bool writeReport(const QString& path, const CheckupRecord& record, QString& reason);

// "kijelzor-ellenorzes-YYYY-MM-DD.html" for the record's day.
QString reportFileName(const CheckupRecord& record);
