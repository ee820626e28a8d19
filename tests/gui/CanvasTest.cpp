// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "GuiTestSupport.h"

#include "app/LauncherMenu.h"
#include "app/TileTable.h"
#include "canvas/ScreenMetrics.h"
#include "patterns/FrameSkip.h"
#include "patterns/Ghosting.h"
#include "patterns/GhostingBackground.h"
#include "patterns/Pattern.h"
#include "patterns/TestChoice.h"

#include <qpa/qplatformscreen.h>
#include <qpa/qwindowsysteminterface.h>

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>

using CanvasTest = ProgramTest;

TEST_F(CanvasTest, CoversItsScreenOnTopUntilEscWithAnyModifiersOrAnyClick)
{
    for (auto modifiers : {Qt::KeyboardModifiers(), Qt::ShiftModifier | Qt::ControlModifier}) {
        clickTileArea("Picture3");
        Form2* canvas = program->canvas();
        EXPECT_TRUE(
            !launcher().isVisible() && canvas->geometry() == launcher().screen()->geometry());
        EXPECT_TRUE(canvas->windowState() & Qt::WindowFullScreen);
        EXPECT_TRUE(
            canvas->windowFlags().testFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint));
        for (Qt::Key key : {Qt::Key_F1, Qt::Key_Return, Qt::Key_Space, Qt::Key_Q})
            QTest::keyClick(program->canvas(), key, modifiers);
        ASSERT_TRUE(program->canvas() && urls.opened.empty());
        QTest::keyClick(program->canvas(), Qt::Key_Escape, modifiers);
        EXPECT_EQ(program->canvas(), nullptr);
        EXPECT_TRUE(launcher().isVisible());
    }
    clickTileArea("Picture3"); // closed from outside, as by the window manager's close key
    program->canvas()->close();
    EXPECT_EQ(program->canvas(), nullptr);
    EXPECT_TRUE(launcher().isVisible());
    // The ghosting test's controls in their design state catch no click.
    clickTileArea("Picture9");
    for (Qt::MouseButton button : {Qt::RightButton, Qt::LeftButton}) {
        QTest::mouseClick(program->canvas(), button, {}, QPoint(0, 0));
        EXPECT_EQ(program->canvas(), nullptr);
        clickTileArea("Picture9");
    }
}

TEST_F(CanvasTest, EachTileDrawsItsPatternPixelForPixelAndEscStopsItAtOnce)
{
    // The tiles' tests, and the menu's tests without tiles as their tiles would
    // be; the frame-skip test, which moves on with the refreshes, has its own.
    std::vector<std::pair<const Pattern*, std::function<void()>>> starts;
    for (const TileSpec& tile : tileTable())
        if (tile.action == TileAction::RunTest && tile.pattern != GhostingTestName)
            starts.emplace_back(
                findPattern(tile.pattern), [this, &tile] { clickTileArea(tile.name); });
    const size_t tiled = starts.size();
    for (QAction* entry : launcher().contextMenu()->moreTests()->actions()) {
        const auto pattern = std::ranges::find(allPatterns(), entry->text(),
            [](const Pattern& p) { return QString::fromUtf8(p.title); });
        ASSERT_NE(pattern, allPatterns().end()) << qPrintable(entry->text());
        if (pattern->pacing != Pacing::Refreshes)
            starts.emplace_back(&*pattern, [entry] { entry->trigger(); });
    }
    EXPECT_EQ(starts.size() - tiled, 7u);
    for (const auto& [pattern, start] : starts) {
        start();
        drawingDone();
        EXPECT_EQ(shownCanvas(), renderPicture(*pattern, QSize(1024, 768))) << pattern->name;
        EXPECT_FALSE(launcher().isVisible());
        QTest::keyClick(program->canvas(), Qt::Key_Escape);
        EXPECT_TRUE(launcher().isVisible() && !program->canvas());
    }
    clickTileArea("Picture2"); // the gradient: many slices at this size
    Form2* canvas = program->canvas();
    // It builds up from the corner.
    ASSERT_TRUE(QTest::qWaitFor([&] { return shownCanvas().pixel(0, 0) == qRgb(255, 255, 255); }));
    ASSERT_TRUE(canvas->testRunning());
    QTest::keyClick(canvas, Qt::Key_Escape);
    EXPECT_EQ(canvas->driver(), nullptr);
    EXPECT_TRUE(launcher().isVisible());
    clickTileArea("Picture9"); // on a fresh canvas
    EXPECT_EQ(shownCanvas(), renderPicture(*findPattern("black"), {1024, 768}));
}

namespace {

// A screen plugged in, resized and unplugged through the same window-system
// events a real one sends. Qt deletes it with its QScreen.
struct FakeScreen : QPlatformScreen {
    QRect geometry() const override { return place; }
    int depth() const override { return 32; }
    QImage::Format format() const override { return QImage::Format_RGB32; }
    void resize(QSize size)
    {
        place.setSize(size);
        QWindowSystemInterface::handleScreenGeometryChange(screen(), place, place);
        QCoreApplication::processEvents();
    }
    QRect place;
};

} // namespace

TEST_F(CanvasTest, TheCanvasFollowsItsScreenAndClosesWhenItGoes)
{
    auto* second = new FakeScreen;
    second->place =
        QRect(QGuiApplication::primaryScreen()->virtualGeometry().right() + 1, 0, 800, 600);
    QWindowSystemInterface::handleScreenAdded(second);
    launcher().setScreen(second->screen());
    launcher().move(second->place.topLeft() + QPoint(76, 50));

    clickTileArea("Picture2"); // the gradient: many slices
    Form2* canvas = program->canvas();
    ASSERT_TRUE(canvas->testRunning());
    second->resize(QSize(1280, 1024)); // larger than the raster, while it draws
    drawingDone();
    EXPECT_EQ(shownCanvas().size(), QSize(1280, 1024));
    EXPECT_EQ(shownCanvas().pixel(1279, 1023), qRgb(0, 0, 0)); // past the raster: black
    QTest::keyClick(canvas, Qt::Key_Escape);

    clickTileArea("Picture6"); // the red ramp, unplugged while it draws
    ASSERT_TRUE(program->canvas()->testRunning());
    QWindowSystemInterface::handleScreenRemoved(second);
    QCoreApplication::processEvents();
    EXPECT_EQ(program->canvas(), nullptr);
    clickTileArea("Picture3"); // the next test opens on the screen that remains
    EXPECT_EQ(program->canvas()->geometry(), QGuiApplication::primaryScreen()->geometry());
}

// Run on screens with a fractional device pixel ratio; the test's environment
// names the screen's physical size.
using HiDpiTest = ProgramTest;

TEST_F(HiDpiTest, ScalingNeverStretchesAPattern)
{
    const QStringList size = qEnvironmentVariable("KIJELZOR_PHYSICAL_SIZE").split('x');
    const QSize physical(size.value(0).toInt(), size.value(1).toInt());
    const qreal ratio = QGuiApplication::primaryScreen()->devicePixelRatio();
    ASSERT_NE(ratio, 1.0);
    EXPECT_TRUE(launcher().windowTitle().contains(
        QStringLiteral("(%1 x %2 pixeles").arg(physical.width()).arg(physical.height())));
    EXPECT_EQ(launcher().Image1()->cursor().pixmap().size(), QSize(32, 32) * ratio); // crisp
    clickTileArea("Picture16");
    EXPECT_EQ(program->canvas()->canvas().raster().size(), physical);
    // The backing store may round up past the screen's edge; what lies on
    // the screen is the raster, pixel for pixel.
    EXPECT_EQ(shownCanvas().copy(QRect({0, 0}, physical)),
        renderPicture(*findPattern("light-gray"), physical));
}

namespace {

// The program in a folder whose name has spaces and accents, given with a
// trailing separator, and the ghosting test's frames ticked by hand.
class GhostingTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir(dir.path()).mkpath(programFolder()));
        ASSERT_TRUE(makeGhostingBackground(QSize(200, 100)).save(picture, "jpeg", 100));
        ProgramTest::SetUp();
        tickByHand();
    }
    QString programFolder() override
    {
        return dir.filePath(QStringLiteral("Saját programok/Kijelző/"));
    }

    QTemporaryDir dir;
    const QString picture = programFolder() + GhostingPictureName;
};

} // namespace

TEST_F(GhostingTest, MovesTheMarkerOverItsPictureAndReturnsByItself)
{
    clickTileArea("Picture5");
    Form2* canvas = program->canvas();
    ASSERT_TRUE(clock && clock->running);
    clock->frame(); // 120 steps down the centre line: Top 240 twips, 16 pixels
    const QRgb marker = canvas->palette().color(QPalette::Base).rgb();
    const QImage shown = shownCanvas();
    EXPECT_EQ(shown.pixel(199, 99), QImage(picture).pixel(199, 99)); // the picture, unscaled
    EXPECT_EQ(shown.pixel(200, 50), qRgb(0, 0, 0));
    EXPECT_TRUE(shown.pixel(512, 16) == marker && shown.pixel(531, 35) == marker);
    EXPECT_EQ(shown.pixel(532, 36), qRgb(0, 0, 0)); // 20 pixels square
    QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(520, 25)); // clicks on the marker
    QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(10, 10)); // or the picture are theirs
    // Two refreshes without a frame: the marker moves on as if they had been shown.
    clock->frame(3);
    EXPECT_TRUE(shownCanvas().pixel(512, 64) == marker && shownCanvas().pixel(512, 63) != marker);
    const int ticks = 2 + tickUntil([&] { return program->canvas() != canvas; }, clock);
    EXPECT_EQ(ticks, 351); // 42240 steps at 120 a refresh, and the frame that ends it
    EXPECT_TRUE(launcher().isVisible());
}

TEST_F(GhostingTest, FrameSkipLightsTheCellOfEachRefreshAndAMissedOneStaysDark)
{
    program->RunTest(FrameSkipTestName);
    Form2* canvas = program->canvas();
    ASSERT_TRUE(canvas && clock && clock->running);
    // 1024 x 768: cells of 51 pixels, 12 apart, from x = 10; the row's middle is y = 384.
    const auto lit = [&] {
        std::string row;
        for (int i = 0; i < 16; ++i) {
            const RgbColor cell = canvas->canvas().raster().pixel(10 + 63 * i + 25, 384);
            row += cell == RGB(255, 255, 255) ? '1' : cell == RGB(40, 40, 40) ? '0' : '?';
        }
        return row;
    };
    // The display's first refresh, the next, two that went by without a frame,
    // and round to the first again.
    for (const auto& [refreshes, cells] : {std::pair(1, "1000000000000000"),
             {1, "0100000000000000"}, {3, "0000100000000000"}, {12, "1000000000000000"}}) {
        clock->frame(refreshes);
        EXPECT_EQ(lit(), cells) << refreshes;
    }
    // The figures lie over the picture, clear of the cells, and say where they come from.
    ASSERT_FALSE(canvas->readoutPixels().isEmpty());
    EXPECT_FALSE(canvas->readoutPixels().intersects(QRect(10, 358, 1008, 51)));
    EXPECT_EQ(canvas->canvas().raster().pixel(
                  canvas->readoutPixels().center().x(), canvas->readoutPixels().center().y()),
        RGB(0, 0, 0));
    QTest::keyClick(canvas, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !program->canvas(); }));
}

// The compositor's word on the screen's true size, as a Wayland desktop at a
// fractional scale gives it: Qt's buffers then do not reach it one to one.
TEST_F(CanvasTest, WhereThePictureIsResampledTheCanvasSaysSoForFourSeconds)
{
    struct Source {
        explicit Source(OutputScaleSource source) { setOutputScaleSource(std::move(source)); }
        ~Source() { setOutputScaleSource({}); }
    };
    const QSize qt = qtPixels(launcher().screen());
    const QRgb notice = qRgb(120, 20, 10), black = qRgb(0, 0, 0);
    const struct {
        const char* desktop;
        OutputScale output;
        bool said;
    } cases[] = {{"as Qt draws it", {qt, 1, true}, false},
        {"at 1.5, which Qt draws at 2", {qt * 3 / 4, 1.5, true}, true},
        {"an output not whole at its scale", {qt, 1, false}, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.desktop);
        const Source source([&](const QScreen&) { return c.output; });
        clickTileArea("Picture9");
        Form2* canvas = program->canvas();
        ASSERT_TRUE(canvas);
        EXPECT_EQ(canvas->noticeShown(), c.said);
        EXPECT_EQ(shownPixels(canvas).pixel(canvas->width() / 2, 20), c.said ? notice : black);
        if (c.said) {
            holdTimer(canvas, "noticeTimer", Form2::NoticeMs);
            runOut(canvas, "noticeTimer");
            EXPECT_FALSE(canvas->noticeShown());
            EXPECT_EQ(shownPixels(canvas).pixel(canvas->width() / 2, 20), black);
        }
        QTest::keyClick(canvas, Qt::Key_Escape);
    }
}
