#include "GuiTestSupport.h"

#include "app/TileTable.h"
#include "patterns/Pattern.h"

#include <QScreen>
#include <QTimer>

#include <functional>

using LauncherTest = ProgramTest;

TEST_F(LauncherTest, AFixedCentredWindowWhoseTilesShowTheirTests)
{
    EXPECT_EQ(launcher().windowTitle(),
        QStringLiteral("Kijelzor - v1.05 (1024 x 768 pixeles aktuális felbontás)"));
    EXPECT_FALSE(
        launcher().windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(launcher().minimumSize(), QSize(521, 362));
    EXPECT_EQ(launcher().maximumSize(), QSize(521, 362));
    const QRect screen = launcher().screen()->availableGeometry();
    EXPECT_LE((launcher().geometry().center() - screen.center()).manhattanLength(), 2);
    for (const TileSpec& row : tileTable()) // small tiles lie above the large ones
        EXPECT_EQ(launcher().childAt(tile(row.name)->geometry().center()), tile(row.name));
    EXPECT_EQ(tile("Picture3")->geometry(), QRect(105, 179, 18, 18));
    // Thumbnails: the tests themselves, and the option tiles' icon.
    EXPECT_EQ(tile("Picture16")->picture(), renderPicture(*findPattern("light-gray"), {120, 90}));
    EXPECT_EQ(tile("Picture12")->picture().size(), QSize(16, 16));
}

TEST_F(LauncherTest, F1AndTheHelpPictureOpenTheDocumentBesideTheProgram)
{
    QTest::keyClick(&launcher(), Qt::Key_F1);
    QTest::keyClick(tile("Picture4"), Qt::Key_F1, Qt::ShiftModifier | Qt::ControlModifier);
    QTest::mouseClick(launcher().Image2(), Qt::LeftButton);
    QTest::keyClick(&launcher(), Qt::Key_F2);
    const QUrl document =
        QUrl::fromLocalFile(QCoreApplication::applicationDirPath() + "/index.htm");
    EXPECT_EQ(urls.opened, std::vector<QUrl>(3, document));
}

namespace {

// Runs the event loop from `action` until the program quits it, or fails
// after a while. The timers are stopped when this returns, whatever happened.
int execUntilQuit(const std::function<void()>& action)
{
    QTimer timeout;
    QObject::connect(&timeout, &QTimer::timeout, &timeout, [] { QCoreApplication::exit(99); });
    timeout.start(5000);
    QMetaObject::invokeMethod(&timeout, action, Qt::QueuedConnection);
    return QCoreApplication::exec();
}

} // namespace

TEST_F(LauncherTest, TheExitPictureAndTheCloseBoxEndTheProgramWhateverIsOpen)
{
    EXPECT_EQ(execUntilQuit([&] { QTest::mouseClick(launcher().Image1(), Qt::LeftButton); }), 0);
    program = std::make_unique<Program>(); // a second run of the program
    clickTileArea("Picture3");
    EXPECT_EQ(execUntilQuit([&] { launcher().close(); }), 0);
    EXPECT_EQ(program->canvas(), nullptr);
}
