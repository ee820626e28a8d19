// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "checkup/CheckupRecord.h"

#include <QByteArray>
#include <QImage>
#include <QJsonObject>
#include <QString>

inline constexpr const char* CheckupResultTitle = "Kijelzor – ellenőrzés eredménye";

// The record as programs read it from the report.
QJsonObject reportJson(const CheckupRecord& record);

// The summary's tables, in the HTML that both Qt's labels and browsers show.
QString summaryHtml(const CheckupRecord& record);

// The screen, scaled down, with every mark numbered as in the report's table.
QImage markMap(const CheckupRecord& record);

// The whole report: one HTML file that needs nothing else, with the data
// embedded as JSON.
QByteArray reportHtml(const CheckupRecord& record);

// Writes the report to `path` whole or not at all; false and `error` set
// (for people) when it cannot.
bool writeReport(const QString& path, const CheckupRecord& record, QString& error);

// "kijelzor-ellenorzes-YYYY-MM-DD.html" for the record's day.
QString reportFileName(const CheckupRecord& record);
