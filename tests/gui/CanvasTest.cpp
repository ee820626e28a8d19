#include "GuiTestSupport.h"

#include "canvas/ScreenMetrics.h"
#include "canvas/TestRun.h"
#include "patterns/Pattern.h"

#include <QGuiApplication>
#include <QScreen>

using CanvasTest = ProgramTest;

namespace {

struct Sentinel {
    bool* destroyed;
    ~Sentinel() { *destroyed = true; }
};

// A test that never ends by itself, to see that leaving stops it.
TestRun endless(Canvas& canvas, bool& destroyed)
{
    Sentinel sentinel{&destroyed};
    for (float x = 0;; x += 1) {
        canvas.line(x, 0, x, canvas.screenHeight(), RGB(255, 0, 0));
        co_await DoEvents{};
    }
}

} // namespace

TEST_F(CanvasTest, PlainScreensAreExactOnEveryPixel)
{
    const struct {
        const char* tile;
        QRgb colour;
    } screens[] = {{"Picture3", qRgb(255, 255, 255)}, {"Picture9", qRgb(0, 0, 0)},
        {"Picture15", qRgb(128, 128, 128)}, {"Picture16", qRgb(212, 208, 200)},
        {"Picture9", qRgb(0, 0, 0)}}; // black right after another test
    for (const auto& s : screens) {
        clickTileArea(s.tile);
        const QImage shown = shownCanvas();
        EXPECT_EQ(shown.size(), QSize(1024, 768)) << s.tile;
        EXPECT_TRUE(allPixels(shown, s.colour)) << s.tile;
        EXPECT_EQ(shown.pixel(0, 0) & 0xFFFFFF, s.colour & 0xFFFFFF) << s.tile;
        QTest::keyClick(program->canvas(), Qt::Key_Escape);
    }
}

TEST_F(CanvasTest, CoversTheLaunchersScreenFramelessOnTopAndHidesTheLauncher)
{
    clickTileArea("Picture15");
    Form2* canvas = program->canvas();
    ASSERT_NE(canvas, nullptr);
    EXPECT_TRUE(canvas->isVisible());
    EXPECT_FALSE(launcher().isVisible());
    EXPECT_EQ(canvas->geometry(), launcher().screen()->geometry());
    EXPECT_TRUE(canvas->windowState() & Qt::WindowFullScreen);
    EXPECT_TRUE(canvas->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(canvas->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(canvas->canvas().screenWidth(), 15360.0f);
    EXPECT_EQ(canvas->canvas().screenHeight(), 11520.0f);
    // The ghosting controls in their design state.
    EXPECT_TRUE(canvas->canvas().Image1().visible);
    EXPECT_TRUE(canvas->canvas().Image1().picture.isNull());
    EXPECT_FALSE(canvas->canvas().Label1().visible);
    EXPECT_EQ(canvas->canvas().Label1().left, 0.0f);
    EXPECT_EQ(canvas->canvas().Label1().top, 0.0f);
}

TEST_F(CanvasTest, EscWithAnyModifiersReturnsToTheLauncherOtherKeysDoNothing)
{
    for (Qt::KeyboardModifiers modifiers : {Qt::KeyboardModifiers(),
             Qt::KeyboardModifiers(Qt::ShiftModifier), Qt::ControlModifier | Qt::AltModifier}) {
        clickTileArea("Picture3");
        Form2* canvas = program->canvas();
        for (Qt::Key key : {Qt::Key_F1, Qt::Key_Return, Qt::Key_Space, Qt::Key_A, Qt::Key_Q})
            QTest::keyClick(canvas, key, modifiers);
        EXPECT_EQ(program->canvas(), canvas);
        EXPECT_TRUE(canvas->isVisible());
        EXPECT_TRUE(urls.opened.empty()); // F1 on the canvas opens no help
        QTest::keyClick(canvas, Qt::Key_Escape, modifiers);
        EXPECT_EQ(program->canvas(), nullptr);
        EXPECT_FALSE(canvas->isVisible());
        EXPECT_TRUE(launcher().isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(CanvasTest, AClickAnywhereReturnsEvenWhereTheEmptyPictureLies)
{
    // The ghosting test's controls in their design state catch no click.
    for (QPoint at : {QPoint(0, 0), QPoint(500, 400)}) {
        clickTileArea("Picture9");
        QTest::mouseClick(program->canvas(), Qt::RightButton, {}, at);
        EXPECT_EQ(program->canvas(), nullptr);
        EXPECT_TRUE(launcher().isVisible());
    }
}

TEST_F(CanvasTest, LeavingStopsTheRunningTestAndTheNextTestStartsFresh)
{
    clickTileArea("Picture9");
    Form2* canvas = program->canvas();
    bool destroyed = false;
    canvas->startTest(endless(canvas->canvas(), destroyed));
    QTest::qWait(30); // let the event loop draw a few slices
    EXPECT_TRUE(canvas->testRunning());
    EXPECT_EQ(shownCanvas().pixel(0, 0), qRgb(255, 0, 0));
    QTest::keyClick(canvas, Qt::Key_Escape);
    EXPECT_TRUE(destroyed);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    clickTileArea("Picture9");
    ASSERT_NE(program->canvas(), nullptr);
    EXPECT_NE(program->canvas()->canvas().raster().pixel(0, 0), RGB(255, 0, 0));
    EXPECT_TRUE(allPixels(shownCanvas(), qRgb(0, 0, 0)));
}

TEST_F(CanvasTest, ThePointerHidesAfterTwoStillSecondsAndReturnsWhenMoved)
{
    clickTileArea("Picture9");
    Form2* canvas = program->canvas();
    EXPECT_NE(canvas->cursor().shape(), Qt::BlankCursor);
    QTRY_COMPARE_WITH_TIMEOUT(
        canvas->cursor().shape(), Qt::BlankCursor, Form2::CursorHideMs + 1000);
    QTest::mouseMove(canvas, QPoint(300, 300));
    EXPECT_NE(canvas->cursor().shape(), Qt::BlankCursor);
}

TEST_F(CanvasTest, EveryDrawnTileShowsItsFinishedPatternPixelForPixel)
{
    for (const TileSpec& tile : tileTable()) {
        if (tile.action != TileAction::RunPattern)
            continue;
        clickTileArea(tile.name);
        Form2* canvas = program->canvas();
        ASSERT_NE(canvas, nullptr) << tile.name;
        QTRY_VERIFY_WITH_TIMEOUT(!canvas->testRunning(), 10000);
        QCoreApplication::processEvents(); // the last slice's repaint
        const QImage expected = renderPicture(*findPattern(tile.pattern), QSize(1024, 768));
        EXPECT_EQ(shownCanvas(), expected) << tile.name;
        QTest::keyClick(canvas, Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(CanvasTest, EscWhileAPatternIsDrawingStopsItAndShowsTheLauncherAtOnce)
{
    clickTileArea("Picture2"); // the gradient: many slices at this size
    Form2* canvas = program->canvas();
    ASSERT_TRUE(canvas->testRunning());
    QTest::qWait(10); // a few slices drawn, with the event loop running
    ASSERT_TRUE(canvas->testRunning());
    const QImage partial = shownCanvas();
    EXPECT_EQ(partial.pixel(0, 0), qRgb(255, 255, 255)); // it builds up from the corner
    EXPECT_EQ(partial.pixel(1023, 767), qRgb(0, 0, 0));
    QTest::keyClick(canvas, Qt::Key_Escape);
    EXPECT_EQ(canvas->driver(), nullptr);
    EXPECT_EQ(program->canvas(), nullptr);
    EXPECT_TRUE(launcher().isVisible());
}

// Run on screens with a fractional device pixel ratio; the test's environment
// names the screen's physical size.
using HiDpiTest = ProgramTest;

TEST_F(HiDpiTest, ScalingNeverStretchesAPattern)
{
    const QStringList size = qEnvironmentVariable("KIJELZOR_PHYSICAL_SIZE").split('x');
    ASSERT_EQ(size.size(), 2);
    const QSize physical(size[0].toInt(), size[1].toInt());
    QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen->devicePixelRatio(), 1.0);
    EXPECT_EQ(physicalPixels(screen), physical);
    EXPECT_EQ(launcher().windowTitle(),
        QStringLiteral("Kijelzor - v1.05 (%1 x %2 pixeles aktuális felbontás)")
            .arg(physical.width())
            .arg(physical.height()));
    clickTileArea("Picture16");
    Form2* canvas = program->canvas();
    EXPECT_EQ(canvas->canvas().raster().size(), physical);
    // The window's backing store may round up past the screen's edge; what
    // lies on the screen is the raster, pixel for pixel.
    const QImage shown = shownCanvas();
    ASSERT_GE(shown.width(), physical.width());
    ASSERT_GE(shown.height(), physical.height());
    EXPECT_TRUE(allPixels(shown.copy(QRect(QPoint(0, 0), physical)), qRgb(212, 208, 200)));
}
