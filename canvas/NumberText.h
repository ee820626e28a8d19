// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLocale>
#include <QString>

#include <optional>
#include <string_view>

// A single-precision number as the original run-time printed it: whole numbers
// without decimals, otherwise up to seven significant digits, the locale's
// decimal separator and no grouping.
QString singleToText(float value, const QLocale& locale = QLocale());

// A count typed as digits only, the whole text of them, up to INT_MAX:
// "12abc", "+12", " 12" and "" are not counts.
std::optional<int> wholeNumber(std::string_view text);
