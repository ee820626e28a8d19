// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "canvas/Canvas.h"
#include "canvas/FrameClock.h"
#include "canvas/TestRun.h"
#include "patterns/Channel.h"
#include "patterns/Pattern.h"

#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

// The tests as both command lines name them: the exporter's names, and for
// the program also the ghosting test, with the two option dialogs' choices.
inline constexpr std::string_view GhostingTestName = "ghosting";
inline constexpr const char* GhostingTitle = "Utánhúzás";

// A test's Hungarian title, as the checkup, its report, the launcher's menu
// and the exporter's --list show it; null for a name that is no test. The
// tiles keep their own tool tips, the launcher's described texts.
const char* testTitle(std::string_view name);

// What a test needs of whoever starts it.
struct TestContext {
    QString programFolder;
    // The frame clock a paced test moves on.
    FrameClockFactory clocks;
    // Told of a paced test's clock before it starts: to record its frames.
    std::function<void(const Pattern& test, FrameClock& clock)> clocked;
};

// Starts `test` on `window`, drawn by `variant` where the options chose one:
// as a tile, the menu, the command line and the checkup start it.
void startTest(Form2& window, const Pattern& test, const TestContext& context,
    const std::function<TestRun(Canvas&)>& variant = {});

// "red", "green" or "blue"; nullopt and `error` set for anything else.
std::optional<Channel> parseChannel(std::string_view text, std::string& error);

// What draws `pattern` with the columns dialog's count (as typed) and a
// channel, checked as the dialogs check them: an empty function and `error`
// set (one line) when they do not fit the test.
std::function<TestRun(Canvas&)> chooseVariant(const Pattern& pattern,
    const std::optional<std::string>& columns, std::optional<Channel> channel, std::string& error);
