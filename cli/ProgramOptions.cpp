// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/ProgramOptions.h"

#include "cli/CommandLine.h"
#include "patterns/TestChoice.h"

#include <cstdio>

namespace {

const char* const usage =
    "Usage: kijelzor [--screen NAME|INDEX] [--test NAME [--columns N] [--channel C]]\n"
    "       kijelzor --checkup [--screen NAME|INDEX] [--report FILE]\n"
    "       kijelzor --measure-refresh [--screen NAME|INDEX]\n"
    "       kijelzor --list-screens\n"
    "\n"
    "Checks an LCD monitor by eye: a launcher of 17 test patterns, each drawn\n"
    "full screen on the monitor's physical pixels. Esc or a click on a test\n"
    "brings the launcher back; F1 opens the help document.\n"
    "\n"
    "  --list-screens       print the monitors, one a line, and exit\n"
    "  --screen NAME|INDEX  open on that monitor, so that its tests cover it\n"
    "  --test NAME          start with that test at once: a name of\n"
    "                       kijelzor-render --list, or ghosting\n"
    "  --columns N          gray-columns only: N columns, 8 to 256\n"
    "  --channel C          gray-columns and gray-gradient only: red, green or blue\n"
    "  --checkup            lead through every test in turn; defects are marked\n"
    "                       with a click, and a summary shows what was found\n"
    "  --report FILE        with --checkup: also write the report (HTML) to FILE\n"
    "  --measure-refresh    show black for 3 seconds (Esc ends it sooner), then\n"
    "                       print the refresh rate measured from the display\n"
    "  --help               show this text\n"
    "  --version            show the version\n";

int badUsage(const QString& message, bool pointToHelp = true)
{
    return usageError("kijelzor", message.toStdString(), pointToHelp);
}

// The test `name` in the variant `columns` and `channel` choose, into
// `options`; the status where they are refused.
std::optional<int> readTest(const std::string& name, const std::optional<std::string>& columns,
    const std::optional<std::string>& channel, ProgramOptions& options)
{
    std::string error;
    std::optional<Channel> colour;
    if (channel && !(colour = parseChannel(*channel, error)))
        return badUsage(QString::fromStdString(error));
    options.test = name;
    const Pattern* chosen = findTest(name);
    if (!chosen)
        return badUsage("unknown test '" + QString::fromStdString(name) +
            "' (try kijelzor-render --list, or ghosting)");
    if (!columns && !colour)
        return std::nullopt;
    if (!chosen->start)
        return badUsage("--columns and --channel do not apply to " + QString::fromStdString(name));
    options.draw = chooseVariant(*chosen, columns, colour, error);
    if (!options.draw)
        return badUsage(QString::fromStdString(error), false);
    return std::nullopt;
}

} // namespace

std::variant<ProgramOptions, int> readProgramOptions(int argc, char* argv[])
{
    QCommandLineParser parser;
    const QCommandLineOption help(QStringList{"h", "help"}), version("version");
    const QCommandLineOption listScreens("list-screens"), screen("screen", {}, "NAME");
    const QCommandLineOption test("test", {}, "NAME"), columns("columns", {}, "N"),
        channel("channel", {}, "C");
    const QCommandLineOption checkup("checkup"), report("report", {}, "FILE");
    const QCommandLineOption measureRefresh("measure-refresh");
    parser.addOptions({help, version, listScreens, screen, test, columns, channel, checkup,
        report, measureRefresh});
    if (!parser.parse(commandLine(argc, argv)))
        return badUsage(QString::fromStdString(commandLineProblem(parser)));
    if (!parser.positionalArguments().isEmpty())
        return badUsage(
            QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments()[0]));
    if (parser.isSet(help))
        return std::fputs(usage, stdout), 0;
    if (parser.isSet(version))
        return std::puts("kijelzor " KIJELZOR_VERSION), 0;

    ProgramOptions options;
    options.listScreens = parser.isSet(listScreens);
    if (parser.isSet(screen))
        options.screen = parser.value(screen);
    options.checkup = parser.isSet(checkup);
    options.measureRefresh = parser.isSet(measureRefresh);
    if (options.measureRefresh && (options.checkup || parser.isSet(test) || parser.isSet(report)))
        return badUsage(
            QStringLiteral("--measure-refresh goes only with --screen: not with --test, "
                           "--checkup or --report"));
    if (parser.isSet(report)) {
        if (!options.checkup)
            return badUsage(QStringLiteral("--report goes with --checkup"));
        options.report = parser.value(report);
    }
    if (options.checkup && parser.isSet(test))
        return badUsage(QStringLiteral("--checkup runs every test: --test does not go with it"));
    if (!parser.isSet(test)) {
        if (parser.isSet(columns) || parser.isSet(channel))
            return badUsage(QStringLiteral("--columns and --channel go with --test"));
        return options;
    }
    const std::optional<std::string> count =
        parser.isSet(columns) ? std::optional(parser.value(columns).toStdString()) : std::nullopt;
    const std::optional<std::string> colour =
        parser.isSet(channel) ? std::optional(parser.value(channel).toStdString()) : std::nullopt;
    if (const std::optional<int> refused =
            readTest(parser.value(test).toStdString(), count, colour, options))
        return *refused;
    return options;
}
