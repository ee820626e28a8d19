// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Program.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

constexpr const char* noDisplay = "kijelzor: no display: set DISPLAY or WAYLAND_DISPLAY\n";

bool displayAvailable()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
        !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

const char* const usage = "Usage: kijelzor [--help] [--version]\n"
                          "\n"
                          "Checks an LCD monitor by eye: a launcher of 17 test patterns, each\n"
                          "drawn full screen on the monitor's physical pixels. Esc or a click on\n"
                          "a test brings the launcher back; F1 opens the help document.\n"
                          "\n"
                          "  --help      show this text\n"
                          "  --version   show the version\n";

// Read before any window system is touched, so that --help and --version
// work without a display. An exit status when the program should end at once.
std::optional<int> readCommandLine(int argc, char* argv[])
{
    QStringList arguments;
    for (int a = 0; a < argc; ++a)
        arguments << QString::fromLocal8Bit(argv[a]);
    QCommandLineParser parser;
    const QCommandLineOption help(QStringList{"h", "help"}), version("version");
    parser.addOptions({help, version});
    QString problem;
    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        problem = unknown.isEmpty() ? parser.errorText()
                                    : QStringLiteral("unknown option '%1%2'")
                                          .arg(unknown[0].size() == 1 ? "-" : "--", unknown[0]);
    } else if (!parser.positionalArguments().isEmpty())
        problem = QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments()[0]);
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "kijelzor: %s (see --help)\n", qPrintable(problem));
        return 2;
    }
    if (parser.isSet(help))
        return std::fputs(usage, stdout), 0;
    if (parser.isSet(version))
        return std::puts("kijelzor " KIJELZOR_VERSION), 0;
    return std::nullopt;
}

// Qt ends with abort() and a core dump when no platform plugin can reach a
// display; one plain line and an exit status are what a user should get.
// Until the application stands, Qt's own warnings only say the same.
void exitOnFatal(QtMsgType type, const QMessageLogContext&, const QString&)
{
    if (type == QtFatalMsg) {
        std::fputs(noDisplay, stderr);
        std::_Exit(1);
    }
}

} // namespace

int main(int argc, char* argv[])
{
    if (const std::optional<int> status = readCommandLine(argc, argv))
        return *status;
    if (!displayAvailable()) {
        std::fputs(noDisplay, stderr);
        return 1;
    }
    Program::prepareApplication();
    const QtMessageHandler previous = qInstallMessageHandler(exitOnFatal);
    QApplication app(argc, argv);
    qInstallMessageHandler(previous);
    QApplication::setQuitOnLastWindowClosed(false);

    Program program;
    return app.exec();
}
