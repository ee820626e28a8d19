// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "canvas/Val.h"

#include <charconv>
#include <limits>
#include <string>

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string withoutBlanks(const QString& text)
{
    std::string kept;
    for (QChar c : text) {
        if (c == u' ' || c == u'\t' || c == u'\n')
            continue;
        // Anything outside ASCII ends a number anyway; keep a stop mark for it.
        kept.push_back(c.unicode() < 128 ? static_cast<char>(c.unicode()) : '\x7f');
    }
    return kept;
}

} // namespace

double Val(const QString& text)
{
    const std::string s = withoutBlanks(text);
    std::string number;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        number.push_back(s[i++]);
    bool digits = false;
    for (; i < s.size() && isDigit(s[i]); ++i, digits = true)
        number.push_back(s[i]);
    if (i < s.size() && s[i] == '.') {
        number.push_back(s[i++]);
        for (; i < s.size() && isDigit(s[i]); ++i, digits = true)
            number.push_back(s[i]);
    }
    if (!digits)
        return 0.0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            exponent.push_back(s[j++]);
        if (j < s.size() && isDigit(s[j])) {
            for (; j < s.size() && isDigit(s[j]); ++j)
                exponent.push_back(s[j]);
            number += exponent;
        }
    }
    // from_chars does not take a leading '+' and ignores the C locale.
    const char* first = number.data() + (number[0] == '+' ? 1 : 0);
    double value = 0.0;
    const auto result = std::from_chars(first, number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        if (number.find("e-") != std::string::npos)
            return 0.0;
        const double huge = std::numeric_limits<double>::infinity();
        return number[0] == '-' ? -huge : huge;
    }
    return value;
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
