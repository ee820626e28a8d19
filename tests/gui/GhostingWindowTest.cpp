#include "GuiTestSupport.h"

#include "patterns/Ghosting.h"
#include "patterns/GhostingBackground.h"
#include "support/ManualClock.h"

#include <QDir>
#include <QTemporaryDir>

namespace {

// The program in a folder whose name has spaces and accents, given with a
// trailing separator, and the ghosting test's frames ticked by hand.
class GhostingWindowTest : public ProgramTest {
protected:
    void SetUp() override
    {
        QDir(dir.path()).mkpath(QStringLiteral("Saját programok/Kijelző"));
        folder = dir.filePath(QStringLiteral("Saját programok/Kijelző")) + QLatin1Char('/');
        background = makeGhostingBackground(QSize(200, 100));
        ASSERT_TRUE(background.save(QDir(folder).filePath(GhostingPictureName), "jpeg", 100));
        background = QImage(QDir(folder).filePath(GhostingPictureName))
                         .convertToFormat(QImage::Format_RGB32);
        ProgramTest::SetUp();
        program->setFrameClockFactory([this](Form2&) {
            auto made = std::make_unique<ManualClock>(60);
            clock = made.get();
            return made;
        });
    }
    QString programFolder() override { return folder; }

    void frames(int count)
    {
        for (int i = 0; i < count && program->canvas(); ++i)
            clock->frame();
    }
    QRgb markerColour() { return program->canvas()->palette().color(QPalette::Base).rgb(); }

    QTemporaryDir dir;
    QString folder;
    QImage background;
    ManualClock* clock = nullptr;
};

} // namespace

TEST_F(GhostingWindowTest, MovesTheMarkerOverThePictureAndReturnsByItself)
{
    clickTileArea("Picture5");
    Form2* canvas = program->canvas();
    ASSERT_NE(canvas, nullptr);
    ASSERT_TRUE(clock && clock->running);
    frames(1); // 120 steps down the centre line: Top 240 twips, 16 pixels
    EXPECT_EQ(canvas->canvas().Label1().left, 7680.0f);
    EXPECT_EQ(canvas->canvas().Label1().top, 240.0f);
    QImage shown = shownCanvas();
    EXPECT_EQ(shown.pixel(5, 5), background.pixel(5, 5)); // the picture, unscaled
    EXPECT_EQ(shown.pixel(199, 99), background.pixel(199, 99));
    EXPECT_EQ(shown.pixel(200, 50), qRgb(0, 0, 0)); // black beside it
    EXPECT_EQ(shown.pixel(512, 16), markerColour()); // the marker
    EXPECT_EQ(shown.pixel(531, 35), markerColour());
    EXPECT_EQ(shown.pixel(532, 36), qRgb(0, 0, 0));

    int ticks = 1;
    while (program->canvas() == canvas && ticks < 1000) {
        clock->frame();
        ++ticks;
        QCoreApplication::processEvents(); // the end is reported from the event loop
    }
    EXPECT_EQ(ticks, 353); // 42240 steps at 120 a frame, and the frame that ends it
    EXPECT_EQ(program->canvas(), nullptr);
    EXPECT_TRUE(launcher().isVisible());
}

TEST_F(GhostingWindowTest, EscInTheFirstPassStopsItAtOnce)
{
    clickTileArea("Picture5");
    Form2* canvas = program->canvas();
    frames(3);
    QTest::keyClick(canvas, Qt::Key_Escape);
    EXPECT_EQ(canvas->driver(), nullptr);
    EXPECT_EQ(program->canvas(), nullptr);
    EXPECT_TRUE(launcher().isVisible());
}

TEST_F(GhostingWindowTest, ClicksOnTheMarkerOrThePictureAreTheirsEscStillReturns)
{
    clickTileArea("Picture5");
    Form2* canvas = program->canvas();
    frames(1);
    QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(520, 25)); // the marker
    QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(10, 10)); // the picture
    EXPECT_EQ(program->canvas(), canvas);
    QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(600, 600));
    EXPECT_EQ(program->canvas(), nullptr);

    clickTileArea("Picture5");
    frames(1);
    QTest::mouseClick(program->canvas(), Qt::LeftButton, {}, QPoint(520, 25));
    QTest::keyClick(program->canvas(), Qt::Key_Escape);
    EXPECT_EQ(program->canvas(), nullptr);
}

TEST_F(GhostingWindowTest, WithoutItsPictureTheMarkerMovesOnBlack)
{
    ASSERT_TRUE(QFile::remove(QDir(folder).filePath(GhostingPictureName)));
    clickTileArea("Picture5");
    frames(2);
    const QImage shown = shownCanvas();
    EXPECT_EQ(shown.pixel(5, 5), qRgb(0, 0, 0));
    EXPECT_EQ(shown.pixel(515, 40), markerColour()); // Top 480 twips: pixel 32
    // A click where the picture would be is the canvas's.
    QTest::mouseClick(program->canvas(), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(program->canvas(), nullptr);
}
