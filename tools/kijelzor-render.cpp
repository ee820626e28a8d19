// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// kijelzor-render: writes the finished picture of a test as a PNG, for
// screens the program itself cannot run on (a TV, a projector, a phone).

#include "canvas/Val.h"
#include "canvas/PictureFile.h"
#include "cli/CommandLine.h"
#include "patterns/Pattern.h"
#include "patterns/SteppedColumns.h"
#include "patterns/TestChoice.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QString>

#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace {

const std::string usage =
    "Usage: kijelzor-render TEST [--size WxH] -o FILE.png\n"
    "       kijelzor-render gray-columns --columns N [--channel red|green|blue] ...\n"
    "       kijelzor-render gray-gradient --channel red|green|blue ...\n"
    "       kijelzor-render --all DIR [--size WxH]\n"
    "       kijelzor-render --list\n"
    "\n"
    "Writes the finished picture of a Kijelzor test, drawn on a screen of W x H\n"
    "pixels (default 1920x1080, at most " +
    std::to_string(MaxPictureSide) +
    " on a side), as an RGB PNG file.\n"
    "\n"
    "  --list         print the test names, each with its Hungarian name\n"
    "  --size WxH     the screen size in pixels\n"
    "  --columns N    gray-columns only: N columns, 8 to 256, fractions allowed\n"
    "  --channel C    gray-columns and gray-gradient only: in red, green or blue\n"
    "                 (gray-columns then falls from bright to black; 16 columns\n"
    "                 unless --columns says otherwise)\n"
    "  -o FILE.png    the file to write; it appears only when complete\n"
    "  --all DIR      write every test as DIR/NAME.png, creating DIR if needed\n"
    "  --help         show this text\n"
    "  --version      show the version\n";

struct Options {
    const Pattern* pattern = nullptr;
    QSize size{1920, 1080};
    std::string output;
    std::optional<std::string> columns;
    std::optional<Channel> channel;
    std::string allInto; // --all: every test into this folder
};

int badUsage(std::string_view message, bool pointToHelp = true)
{
    return usageError("kijelzor-render", message, pointToHelp);
}

// "WxH" with both sides from 1 to MaxPictureSide; otherwise the reason it is not.
std::optional<std::string> parseSize(std::string_view text, QSize& size)
{
    const auto x = text.find('x');
    if (x == std::string_view::npos)
        return "malformed size '" + std::string(text) + "': expected WxH, such as 1920x1080";
    const auto w = wholeNumber(text.substr(0, x)), h = wholeNumber(text.substr(x + 1));
    if (!w || !h)
        return "malformed size '" + std::string(text) + "': expected WxH, such as 1920x1080";
    if (*w == 0 || *h == 0)
        return "size '" + std::string(text) + "' has a zero side";
    if (*w > MaxPictureSide || *h > MaxPictureSide)
        return "size '" + std::string(text) + "' is above " + std::to_string(MaxPictureSide) +
            " pixels on a side";
    size = QSize(*w, *h);
    return std::nullopt;
}

int listTests()
{
    for (const Pattern& pattern : allPatterns())
        std::printf("%s\t%s\n", pattern.name, pattern.title);
    return 0;
}

int writePicture(const Options& options, const std::function<TestRun(Canvas&)>& test)
{
    QString reason;
    if (!savePicture(
            renderPicture(test, options.size), QString::fromStdString(options.output), reason)) {
        std::fprintf(stderr, "kijelzor-render: cannot write %s: %s\n", options.output.c_str(),
            qPrintable(reason));
        return 1;
    }
    return 0;
}

// --all: each test as DIR/NAME.png, exactly as a single call writes it.
int writeAll(Options options)
{
    const QDir folder(QString::fromStdString(options.allInto));
    if (!QDir().mkpath(folder.path()) || !QFileInfo(folder.path()).isWritable()) {
        std::fprintf(stderr, "kijelzor-render: cannot write into %s\n", options.allInto.c_str());
        return 1;
    }
    for (const Pattern& pattern : allPatterns()) {
        options.output = folder.filePath(QString::fromLatin1(pattern.name) + ".png").toStdString();
        if (const int status = writePicture(options, pattern.start))
            return status;
        std::printf("%s\n", options.output.c_str());
    }
    return 0;
}

// Reads the command line into `options`; an exit status when the program
// should end at once (--help, --version, --list or bad usage).
std::optional<int> readCommandLine(int argc, char* argv[], Options& options)
{
    QCommandLineParser parser;
    const QCommandLineOption help(QStringList{"h", "help"}), version("version"), list("list");
    const QCommandLineOption size("size", {}, "WxH"), output("o", {}, "FILE.png");
    const QCommandLineOption columns("columns", {}, "N"), channel("channel", {}, "C");
    const QCommandLineOption all("all", {}, "DIR");
    parser.addOptions({help, version, list, size, output, columns, channel, all});
    if (!parser.parse(commandLine(argc, argv)))
        return badUsage(commandLineProblem(parser));
    if (parser.isSet(help))
        return std::fputs(usage.c_str(), stdout), 0;
    if (parser.isSet(version))
        return std::puts("kijelzor-render " KIJELZOR_VERSION), 0;
    if (parser.isSet(list))
        return listTests();
    if (parser.isSet(size))
        if (auto problem = parseSize(parser.value(size).toStdString(), options.size))
            return badUsage(*problem);
    const QStringList tests = parser.positionalArguments();
    if (parser.isSet(all)) {
        if (!tests.isEmpty() || parser.isSet(output) || parser.isSet(columns) ||
            parser.isSet(channel))
            return badUsage("--all takes only --size besides its folder");
        options.allInto = parser.value(all).toStdString();
        return std::nullopt;
    }
    if (tests.size() > 1)
        return badUsage("more than one test given: '" + tests[1].toStdString() + "'");
    if (tests.isEmpty())
        return badUsage("no test given");
    options.pattern = findPattern(tests[0].toStdString());
    if (!options.pattern)
        return badUsage("unknown test '" + tests[0].toStdString() + "' (try --list)");
    std::string error;
    if (parser.isSet(channel) &&
        !(options.channel = parseChannel(parser.value(channel).toStdString(), error)))
        return badUsage(error);
    if (parser.isSet(columns))
        options.columns = parser.value(columns).toStdString();
    options.output = parser.value(output).toStdString();
    if (options.output.empty())
        return badUsage("no output file given: -o FILE.png");
    return std::nullopt;
}

} // namespace

int main(int argc, char* argv[])
{
    Options options;
    if (const std::optional<int> status = readCommandLine(argc, argv, options))
        return *status;
    if (!options.allInto.empty())
        return writeAll(options);
    std::string error;
    const auto test = chooseVariant(*options.pattern, options.columns, options.channel, error);
    if (!test)
        return badUsage(error, false);
    return writePicture(options, test);
}
