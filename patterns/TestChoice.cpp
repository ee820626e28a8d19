// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "patterns/TestChoice.h"

#include "canvas/Form2.h"
#include "canvas/Val.h"
#include "patterns/Gradient.h"
#include "patterns/SteppedColumns.h"

const char* testTitle(std::string_view name)
{
    const Pattern* test = findTest(name);
    return test ? test->title : nullptr;
}

void startTest(Form2& window, const Pattern& test, const TestContext& context,
    const std::function<TestRun(Canvas&)>& variant)
{
    if (test.pacing == Pacing::Drawn)
        return window.startTest(variant ? variant(window.canvas()) : test.start(window.canvas()));
    std::unique_ptr<FrameClock> clock = context.clocks(window);
    if (context.clocked)
        context.clocked(test, *clock);
    window.startPacedTest(
        test.paced(window, context.programFolder), std::move(clock), test.stepsPerFrame);
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
