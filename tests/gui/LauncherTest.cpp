// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

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
    EXPECT_TRUE(
        launcher().minimumSize() == QSize(521, 362) && launcher().maximumSize() == QSize(521, 362));
    const QRect screen = launcher().screen()->availableGeometry();
    EXPECT_LE((launcher().geometry().center() - screen.center()).manhattanLength(), 2);
    for (const TileSpec& row : tileTable()) // small tiles lie above the large ones
        EXPECT_EQ(launcher().childAt(tile(row.name)->geometry().center()), tile(row.name));
    // Thumbnails: the tests themselves, the option tiles' icon, and the
    // uniformity test's bands without the grid (column 30 would be white).
    EXPECT_EQ(tile("Picture16")->picture(), renderPicture(*findPattern("light-gray"), {120, 90}));
    const QImage bands = tile("Picture17")->picture();
    EXPECT_EQ(bands.pixel(30, 45), bands.pixel(31, 45));
    EXPECT_TRUE(qGray(bands.pixel(30, 0)) < 8 && qGray(bands.pixel(30, 89)) > 248);
}

TEST_F(LauncherTest, TheHelpAndExitPicturesHaveTheirOwnPointers)
{
    const QCursor help = launcher().Image2()->cursor(), exit = launcher().Image1()->cursor();
    EXPECT_EQ(help.hotSpot(), QPoint(2, 2)); // the arrow's tip
    EXPECT_EQ(exit.hotSpot(), QPoint(12, 1)); // the fingertip
    const QImage arrow = help.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    const QImage hand = exit.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    const QRgb black = qRgb(0, 0, 0), white = qRgb(255, 255, 255), navy = qRgb(0, 0, 128);
    EXPECT_TRUE(arrow.size() == QSize(32, 32) && hand.size() == QSize(32, 32));
    EXPECT_TRUE(arrow.pixel(2, 2) == black && arrow.pixel(4, 10) == white && !arrow.pixel(31, 31));
    EXPECT_TRUE(
        hand.pixel(12, 1) == black && hand.pixel(12, 5) == white && hand.pixel(15, 28) == navy);
    std::set<QRgb> arrowColours, handColours; // monochrome, and VGA's 16 colours
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            arrowColours.insert(arrow.pixel(x, y)), handColours.insert(hand.pixel(x, y));
    EXPECT_EQ(arrowColours, (std::set<QRgb>{0, black, white}));
    EXPECT_EQ(handColours, (std::set<QRgb>{0, black, white, navy, qRgb(128, 128, 128)}));
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
