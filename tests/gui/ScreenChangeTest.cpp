#include "GuiTestSupport.h"

#include "patterns/Pattern.h"
#include "support/FakeScreen.h"

// The launcher on a second screen, whose size changes under a running test
// and which is unplugged while a test draws.
using ScreenChangeTest = ProgramTest;

TEST_F(ScreenChangeTest, TheCanvasFollowsItsScreenAndClosesWhenItGoes)
{
    const int screens = QGuiApplication::screens().size();
    const int x = QGuiApplication::primaryScreen()->virtualGeometry().right() + 1;
    FakeScreen* second = FakeScreen::plugIn(QRect(x, 0, 800, 600));
    ASSERT_EQ(QGuiApplication::screens().size(), screens + 1);
    launcher().setScreen(second->screen());
    launcher().move(x + 76, 50);
    ASSERT_EQ(launcher().screen(), second->screen());

    clickTileArea("Picture2"); // the gradient: many slices
    Form2* canvas = program->canvas();
    ASSERT_NE(canvas, nullptr);
    EXPECT_EQ(canvas->geometry(), QRect(x, 0, 800, 600));
    EXPECT_EQ(canvas->canvas().screenWidth(), 800 * 15.0f);
    QTest::qWait(5);
    second->resize(QSize(640, 480)); // smaller, between two slices
    EXPECT_EQ(canvas->geometry(), QRect(x, 0, 640, 480));
    EXPECT_EQ(canvas->canvas().screenWidth(), 640 * 15.0f);
    QTest::qWait(5);
    second->resize(QSize(1280, 1024)); // larger than the raster
    QTRY_VERIFY_WITH_TIMEOUT(!canvas->testRunning(), 10000);
    const QImage shown = shownCanvas();
    EXPECT_EQ(shown.size(), QSize(1280, 1024));
    EXPECT_EQ(shown.pixel(1279, 1023), qRgb(0, 0, 0)); // past the raster: black
    QTest::keyClick(canvas, Qt::Key_Escape);

    clickTileArea("Picture6"); // the red ramp, unplugged while it draws
    ASSERT_TRUE(program->canvas()->testRunning());
    second->unplug();
    QCoreApplication::processEvents();
    EXPECT_EQ(program->canvas(), nullptr);
    EXPECT_TRUE(launcher().isVisible());
    EXPECT_EQ(launcher().screen(), QGuiApplication::primaryScreen());
    // And the next test opens on the screen that remains.
    clickTileArea("Picture3");
    EXPECT_EQ(program->canvas()->geometry(), QGuiApplication::primaryScreen()->geometry());
}
