// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Program.h"
#include "artwork/Artwork.h"
#include "checkup/Checkup.h"
#include "app/RefreshMeasure.h"
#include "cli/ProgramOptions.h"
#include "platform/ScreenList.h"
#include "platform/WaylandClient.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <variant>

namespace {

constexpr const char* noDisplay = "kijelzor: no display: set DISPLAY or WAYLAND_DISPLAY\n";

bool displayAvailable()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
        !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
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
    const std::variant<ProgramOptions, int> read = readProgramOptions(argc, argv);
    if (const int* status = std::get_if<int>(&read))
        return *status;
    const ProgramOptions& options = std::get<ProgramOptions>(read);
    if (!displayAvailable()) {
        std::fputs(noDisplay, stderr);
        return 1;
    }
    Program::prepareApplication();
    const QtMessageHandler previous = qInstallMessageHandler(exitOnFatal);
    QApplication app(argc, argv);
    qInstallMessageHandler(previous);
    QApplication::setQuitOnLastWindowClosed(false);
    // Every window's, the dialogs' and the checkup's too.
    QApplication::setWindowIcon(Artwork::appIcon());
    const std::unique_ptr<QTranslator> qtInHungarian = Program::loadQtTranslation();
    // Qt 6.4 knows no fractional scale; the compositor tells the true one.
    const std::unique_ptr<WaylandClient> wayland = WaylandClient::open();

    if (options.listScreens) {
        for (const QString& line : describeScreens())
            std::puts(qPrintable(line));
        return 0;
    }
    QScreen* screen = options.screen ? findScreen(*options.screen) : nullptr;
    if (options.screen && !screen) {
        std::fprintf(stderr, "kijelzor: no monitor '%s'; there are: %s\n",
            qPrintable(*options.screen), qPrintable(describeScreens().join(QStringLiteral("; "))));
        return 2;
    }
    if (options.measureRefresh)
        return measureRefresh(screen);
    if (options.checkup) {
        Checkup checkup(QCoreApplication::applicationDirPath(), screen, options.report);
        QObject::connect(&checkup, &Checkup::ended, &app, &QCoreApplication::exit);
        return app.exec();
    }
    Program program(QCoreApplication::applicationDirPath(), screen);
    program.setCheckupStarter(Checkup::fromLauncher(QCoreApplication::applicationDirPath()));
    if (options.test)
        program.RunTest(*options.test, options.draw);
    return app.exec();
}
