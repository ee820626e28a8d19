// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the report's data, its page and its map share; not for elsewhere.

#include "checkup/CheckupRecord.h"

#include <QColor>
#include <QString>
#include <QStringList>

#include <string>

namespace report {

inline constexpr MarkKind allKinds[] = {
    MarkKind::Bright, MarkKind::Dark, MarkKind::Subpixel, MarkKind::Other};
// Dark enough to print, and told apart by kind on the map.
QColor kindColour(MarkKind kind);
// The test's Hungarian title, else its name.
QString titleOf(const std::string& test);
// In Hungarian, with `decimals` places.
QString number(double value, int decimals = 0);
// As HTML; "–" for nothing.
QString escaped(const QString& text);
QString row(const QStringList& cells, const char* tag = "td");
inline const QString NotViewed = QStringLiteral("Nem nézte meg");

} // namespace report
