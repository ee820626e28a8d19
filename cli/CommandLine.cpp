// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/CommandLine.h"

#include <cstdio>

QStringList commandLine(int argc, char* argv[])
{
    QStringList arguments;
    for (int a = 0; a < argc; ++a)
        arguments << QString::fromLocal8Bit(argv[a]);
    return arguments;
}

std::string commandLineProblem(const QCommandLineParser& parser)
{
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty())
        return "unknown option '" + std::string(unknown[0].size() == 1 ? "-" : "--") +
            unknown[0].toStdString() + "'";
    // The one other refusal: "Missing value after '-o'."
    return parser.errorText().section(QLatin1Char('\''), 1, 1).toStdString() + " needs a value";
}

int usageError(std::string_view program, std::string_view message, bool pointToHelp)
{
    std::fprintf(stderr, "%.*s: %.*s%s\n", int(program.size()), program.data(),
        int(message.size()), message.data(), pointToHelp ? " (see --help)" : "");
    return 2;
}
