// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <optional>
#include <string_view>

// The leading number of a text as the original run-time's Val read it: blanks,
// tabs and line feeds are skipped anywhere, an optional sign, digits with a '.'
// as the only decimal separator, and an optional exponent (E or D). A text that
// does not begin with a number gives 0.
double Val(const QString& text);

// A count typed as digits only, the whole text of them, up to INT_MAX:
// "12abc", "+12", " 12" and "" are not counts.
std::optional<int> wholeNumber(std::string_view text);
