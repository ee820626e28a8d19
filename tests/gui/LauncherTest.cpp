#include "GuiTestSupport.h"

#include "app/TileTable.h"

#include <QDir>
#include <QScreen>
#include <QTimer>

#include <set>

using LauncherTest = ProgramTest;

TEST_F(LauncherTest, IsAFixedSizeWindowWithOnlyACloseButton)
{
    const Qt::WindowFlags flags = launcher().windowFlags();
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(launcher().minimumSize(), QSize(521, 362));
    EXPECT_EQ(launcher().maximumSize(), QSize(521, 362));
    EXPECT_TRUE(launcher().isVisible());
    const QRect screen = launcher().screen()->availableGeometry();
    EXPECT_LE((launcher().geometry().center() - screen.center()).manhattanLength(), 2);
    EXPECT_EQ(launcher().windowIcon().pixmap(32, 32).size(), QSize(32, 32));
}

TEST_F(LauncherTest, TitleShowsTheResolutionItWasLoadedWith)
{
    EXPECT_EQ(launcher().windowTitle(),
        QStringLiteral("Kijelzor - v1.05 (1024 x 768 pixeles aktuális felbontás)"));
    // Twips that are not a multiple of 15 give a fraction in the locale's way.
    EXPECT_EQ(launcherTitle(16392, 11520, QLocale(QLocale::Hungarian)),
        QStringLiteral("Kijelzor - v1.05 (1092,8 x 768 pixeles aktuális felbontás)"));
    EXPECT_EQ(launcherTitle(16392, 11520, QLocale(QLocale::English)),
        QStringLiteral("Kijelzor - v1.05 (1092.8 x 768 pixeles aktuális felbontás)"));
}

TEST_F(LauncherTest, TilesStandWhereTheTableSaysWithTheirToolTips)
{
    const struct {
        const char* name;
        QRect pixels;
        const char* toolTip;
    } expected[] = {
        {"Picture1", {8, 8, 122, 92}, "Szürke oszlopo"},
        {"Picture2", {136, 8, 122, 92}, "Szürke gradiens"},
        {"Picture17", {264, 8, 122, 92}, "Megvilágítás egyenletessége"},
        {"Picture9", {392, 8, 122, 92}, "Fekete háttér"},
        {"Picture15", {8, 112, 122, 92}, "Szürke háttér"},
        {"Picture10", {136, 112, 122, 92}, "Sötét tónusok"},
        {"Picture11", {264, 112, 122, 92}, "Világos tónusok"},
        {"Picture4", {392, 112, 122, 92}, "Képzaj"},
        {"Picture5", {8, 216, 122, 92}, "Utánhúzás"},
        {"Picture6", {136, 216, 122, 92}, "Red"},
        {"Picture7", {264, 216, 122, 92}, "Green"},
        {"Picture8", {392, 216, 122, 92}, "Blue"},
        {"Picture12", {105, 75, 18, 18}, "Szürke oszlopok plusz opciók"},
        {"Picture13", {234, 75, 18, 18}, "Szürke gradiens plusz opciók"},
        {"Picture19", {490, 75, 18, 18}, "Háttérvilágítás kisugárzása"},
        {"Picture16", {82, 179, 18, 18}, "Világosszürke háttér"},
        {"Picture3", {105, 179, 18, 18}, "Fehér háttér"},
    };
    EXPECT_EQ(tileTable().size(), std::size(expected));
    for (const auto& e : expected) {
        PictureBox* t = tile(e.name);
        ASSERT_NE(t, nullptr) << e.name;
        EXPECT_EQ(t->geometry(), e.pixels) << e.name;
        EXPECT_EQ(t->toolTip(), QString::fromUtf8(e.toolTip)) << e.name;
        EXPECT_EQ(t->frameWidth(), 1) << e.name;
    }
}

TEST_F(LauncherTest, SmallTilesLieAboveTheLargeOnesTheyOverlap)
{
    for (const TileSpec& row : tileTable()) {
        PictureBox* t = tile(row.name);
        EXPECT_EQ(launcher().childAt(t->geometry().center()), t) << row.name;
    }
}

TEST_F(LauncherTest, ThumbnailsShowTheirTests)
{
    // Plain screens show their colour; the option tiles the option icon.
    EXPECT_EQ(tile("Picture3")->picture().pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(tile("Picture16")->picture().pixel(5, 5), qRgb(212, 208, 200));
    EXPECT_EQ(tile("Picture15")->picture().pixel(60, 45), qRgb(128, 128, 128));
    EXPECT_EQ(tile("Picture9")->picture().pixel(119, 89), qRgb(0, 0, 0));
    EXPECT_EQ(tile("Picture15")->picture().size(), QSize(120, 90));
    for (const char* name : {"Picture12", "Picture13", "Picture19"}) {
        const QImage icon = tile(name)->picture();
        ASSERT_EQ(icon.size(), QSize(16, 16)) << name;
        EXPECT_EQ(icon.pixel(0, 0), qRgb(255, 255, 255)) << name;
        EXPECT_EQ(icon.pixel(15, 7), qRgb(0, 0, 0)) << name; // right edge
        EXPECT_EQ(icon.pixel(7, 15), qRgb(0, 0, 0)) << name; // bottom edge
        EXPECT_EQ(icon.pixel(5, 8), qRgb(0, 0, 0)) << name; // the triangle
        EXPECT_EQ(icon.pixel(11, 8), qRgb(255, 255, 255)) << name; // beyond its point
    }
    // The ghosting tile: a dark picture with a white square in it.
    const QImage ghosting = tile("Picture5")->picture();
    EXPECT_LT(qGray(ghosting.pixel(5, 5)), 128);
    EXPECT_TRUE(ghosting.allGray());
}

TEST_F(LauncherTest, HelpOpensTheDocumentBesideTheProgramOnEveryRequest)
{
    const QUrl document = QUrl::fromLocalFile(
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("index.htm")));
    QTest::keyClick(&launcher(), Qt::Key_F1);
    QTest::keyClick(&launcher(), Qt::Key_F1, Qt::ShiftModifier | Qt::ControlModifier);
    tile("Picture4")->setFocus();
    QTest::keyClick(tile("Picture4"), Qt::Key_F1, Qt::AltModifier);
    QTest::mouseClick(launcher().Image2(), Qt::LeftButton);
    ASSERT_EQ(urls.opened.size(), 4u);
    for (const QUrl& url : urls.opened)
        EXPECT_EQ(url, document);
    QTest::keyClick(&launcher(), Qt::Key_F2);
    QTest::keyClick(&launcher(), Qt::Key_Escape);
    EXPECT_EQ(urls.opened.size(), 4u);
    EXPECT_EQ(launcher().Image2()->cursor().shape(), Qt::WhatsThisCursor);
    EXPECT_EQ(launcher().Image1()->cursor().shape(), Qt::PointingHandCursor);
}

namespace {

// Runs the event loop until the program quits it, or fails after a while.
int execUntilQuit()
{
    bool timedOut = false;
    QTimer::singleShot(5000, [&] {
        timedOut = true;
        QCoreApplication::exit(99);
    });
    const int status = QCoreApplication::exec();
    EXPECT_FALSE(timedOut);
    return status;
}

} // namespace

TEST_F(LauncherTest, TheExitPictureEndsTheProgram)
{
    QTimer::singleShot(0, [&] { QTest::mouseClick(launcher().Image1(), Qt::LeftButton); });
    EXPECT_EQ(execUntilQuit(), 0);
}

TEST_F(LauncherTest, ClosingTheLauncherEndsTheProgramWhateverElseIsOpen)
{
    clickTileArea("Picture3");
    ASSERT_NE(program->canvas(), nullptr);
    QTimer::singleShot(0, [&] { launcher().close(); });
    EXPECT_EQ(execUntilQuit(), 0);
    EXPECT_EQ(program->canvas(), nullptr);
}
