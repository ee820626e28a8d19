#include "GuiTestSupport.h"

#include "app/TileTable.h"
#include "patterns/Pattern.h"

#include <QScreen>
#include <QTimer>

#include <functional>
#include <set>

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
    // Thumbnails: the tests themselves, the option tiles' icon, and the
    // uniformity test's bands without the grid (column 30 would be white).
    EXPECT_EQ(tile("Picture16")->picture(), renderPicture(*findPattern("light-gray"), {120, 90}));
    EXPECT_EQ(tile("Picture12")->picture().size(), QSize(16, 16));
    const QImage bands = tile("Picture17")->picture();
    EXPECT_TRUE(
        bands.pixel(30, 45) == bands.pixel(31, 45) && bands.pixel(30, 45) == bands.pixel(60, 45));
    EXPECT_TRUE(qGray(bands.pixel(30, 0)) < 8 && qGray(bands.pixel(30, 89)) > 248);
}

TEST_F(LauncherTest, TheHelpAndExitPicturesHaveTheirOwnPointers)
{
    const QRgb black = qRgb(0, 0, 0), white = qRgb(255, 255, 255), navy = qRgb(0, 0, 128);
    const struct {
        PictureBox* picture;
        QPoint hotSpot;
        std::vector<std::pair<QPoint, QRgb>> pixels;
        std::set<QRgb> colours;
    } pointers[] = {{launcher().Image2(), {2, 2},
                        {{{2, 2}, black}, {{4, 10}, white}, {{31, 31}, 0}}, {0, black, white}},
        {launcher().Image1(), {12, 1},
            {{{12, 1}, black}, {{12, 5}, white}, {{15, 28}, navy}, {{0, 0}, 0}},
            {0, black, white, navy, qRgb(128, 128, 128)}}};
    for (const auto& p : pointers) {
        const QImage image =
            p.picture->cursor().pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(image.size(), QSize(32, 32));
        EXPECT_EQ(p.picture->cursor().hotSpot(), p.hotSpot);
        for (auto [at, colour] : p.pixels)
            EXPECT_EQ(image.pixel(at), colour) << at.x() << "," << at.y();
        for (int y = 0; y < 32; ++y) // monochrome, or the 16-colour palette's
            for (int x = 0; x < 32; ++x)
                ASSERT_TRUE(p.colours.count(qAlpha(image.pixel(x, y)) ? image.pixel(x, y) : 0))
                    << x << "," << y;
    }
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
