// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "canvas/Canvas.h"
#include "canvas/TestRun.h"

#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <variant>

// What the command line asks for. Without options: the launcher on the
// primary monitor, as always.
struct ProgramOptions {
    bool listScreens = false;
    std::optional<QString> screen; // a name or an index of --list-screens
    std::optional<std::string> test; // a name of kijelzor-render --list, or "ghosting"
    std::function<TestRun(Canvas&)> draw; // the test's picture; empty for the ghosting test
    bool checkup = false;
    std::optional<QString> report; // where the checkup writes its report
    bool measureRefresh = false;
};

// Reads the command line without touching a display, so that --help,
// --version and bad usage need none; an exit status when the program should
// end at once.
std::variant<ProgramOptions, int> readProgramOptions(int argc, char* argv[]);
