#include "app/Program.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

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
