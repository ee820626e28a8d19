#include "app/Program.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace {

QtMessageHandler standard = nullptr;

// The offscreen platform cannot raise windows or pass on size hints, and
// says so every time.
void quietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.startsWith(QLatin1String("This plugin does not support")))
        return;
    standard(type, context, message);
}

} // namespace

int main(int argc, char** argv)
{
    standard = qInstallMessageHandler(quietMessages);
    Program::prepareApplication();
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
