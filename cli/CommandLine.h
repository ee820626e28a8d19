// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCommandLineParser>
#include <QStringList>

#include <string>
#include <string_view>

// The command line as Qt reads it, before any application object exists (so
// that --help and --version need no display).
QStringList commandLine(int argc, char* argv[]);

// Why `parser` refused a command line, as both programs say it: "unknown
// option '--x'" or "-o needs a value".
std::string commandLineProblem(const QCommandLineParser& parser);

// Bad usage, as both programs report it: one line on stderr, "PROGRAM:
// MESSAGE (see --help)", and the exit status 2 to return.
int usageError(std::string_view program, std::string_view message, bool pointToHelp = true);
