// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "patterns/TestChoice.h"

#include "canvas/Val.h"
#include "patterns/Gradient.h"
#include "patterns/SteppedColumns.h"

const char* testTitle(std::string_view name)
{
    if (name == GhostingTestName)
        return GhostingTitle;
    const Pattern* pattern = findPattern(name);
    return pattern ? pattern->title : nullptr;
}

std::optional<Channel> parseChannel(std::string_view text, std::string& error)
{
    if (text == "red")
        return Channel::Red;
    if (text == "green")
        return Channel::Green;
    if (text == "blue")
        return Channel::Blue;
    error = "unknown channel '" + std::string(text) + "': red, green or blue";
    return std::nullopt;
}

std::function<TestRun(Canvas&)> chooseVariant(const Pattern& pattern,
    const std::optional<std::string>& columns, std::optional<Channel> channel, std::string& error)
{
    const std::string_view name = pattern.name;
    if (!columns && !channel)
        return pattern.start;
    if (name == "gray-gradient" && !columns)
        return [channel](Canvas& c) { return Gradient(c, channel); };
    if (name != "gray-columns") {
        error = columns ? "--columns applies to gray-columns only"
                        : "--channel applies to gray-columns and gray-gradient only";
        return {};
    }
    const double count = columns ? Val(QString::fromStdString(*columns)) : 16;
    if (!isValidColumnCount(count)) {
        error = InvalidCountMessage;
        return {};
    }
    return [count, channel](Canvas& c) { return SteppedColumns<double>(c, count, channel); };
}
