// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "canvas/NumberText.h"

#include <charconv>
#include <limits>

QString singleToText(float value, const QLocale& locale)
{
    QLocale format = locale;
    format.setNumberOptions(QLocale::OmitGroupSeparator);
    return format.toString(static_cast<double>(value), 'g', 7);
}

std::optional<int> wholeNumber(std::string_view text)
{
    // from_chars alone would take "12abc" as 12.
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        value > unsigned(std::numeric_limits<int>::max()))
        return std::nullopt;
    return int(value);
}
