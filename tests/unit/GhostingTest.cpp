#include "patterns/Ghosting.h"
#include "canvas/FrameClock.h"
#include "canvas/PictureFile.h"
#include "canvas/RasterCanvas.h"
#include "canvas/TestDriver.h"
#include "canvas/TestRun.h"
#include "patterns/GhostingBackground.h"
#include "support/ManualClock.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <vector>

namespace {

struct Step {
    float left, top;
    bool operator==(const Step&) const = default;
};

void PrintTo(const Step& step, std::ostream* out)
{
    *out << "(" << step.left << ", " << step.top << ")";
}

// The marker's place after every step of a whole run, split into passes: a
// pass starts with a jump to its starting place or a change of direction.
std::vector<std::vector<Step>> passesOn(QSize pixels)
{
    RasterCanvas canvas(pixels);
    TestRun run = Ghosting(canvas, {});
    std::vector<std::vector<Step>> passes;
    Step last{0, 0}, lastMove{0, 0};
    bool lastJumped = true;
    while (run.resume()) {
        const Step now{canvas.Label1().left, canvas.Label1().top};
        const Step move{now.left - last.left, now.top - last.top};
        const bool jump = std::abs(move.left) > 2 || std::abs(move.top) > 2;
        if (jump || (!lastJumped && move != lastMove))
            passes.emplace_back();
        passes.back().push_back(now);
        last = now, lastMove = move, lastJumped = jump;
    }
    return passes;
}

std::vector<std::size_t> lengths(const std::vector<std::vector<Step>>& passes)
{
    std::vector<std::size_t> counts;
    for (const auto& pass : passes)
        counts.push_back(pass.size());
    return counts;
}

} // namespace

TEST(Ghosting, SixPassesOnA1024By768Screen)
{
    const auto passes = passesOn(QSize(1024, 768));
    ASSERT_EQ(lengths(passes), (std::vector<std::size_t>{5760, 5760, 7680, 7680, 7680, 7680}));
    // Left, top: the first and last place of each pass, and where the
    // diagonal passes cross the screen's edges.
    EXPECT_EQ(passes[0].front(), (Step{7680, 2}));
    EXPECT_EQ(passes[0].back(), (Step{7680, 11520}));
    EXPECT_EQ(passes[1].front(), (Step{7680, 11518}));
    EXPECT_EQ(passes[1].back(), (Step{7680, 0}));
    EXPECT_EQ(passes[2].front(), (Step{2, 5760}));
    EXPECT_EQ(passes[2].back(), (Step{15360, 5760}));
    EXPECT_EQ(passes[3].back(), (Step{0, 5760}));
    EXPECT_EQ(passes[4][5759], (Step{11520, 11520})); // its top edge reaches the bottom
    EXPECT_EQ(passes[4].back(), (Step{15360, 15360}));
    EXPECT_EQ(passes[5][3839], (Step{7680, 3840}));
    EXPECT_EQ(passes[5][5759], (Step{3840, 0}));
    EXPECT_EQ(passes[5].back(), (Step{0, -3840}));
}

TEST(Ghosting, ScreensTallerThanWideAndOfOddSize)
{
    // 768 × 1024: pass 5 leaves through the right edge at Top = W.
    const auto tall = passesOn(QSize(768, 1024));
    ASSERT_EQ(tall.size(), 6u);
    EXPECT_EQ(tall[4].back(), (Step{11520, 11520}));
    EXPECT_EQ(tall[5].back(), (Step{0, 15360 - 11520}));

    // 1023 × 767: W / 2 and H / 2 end in a half twip, and the marker keeps it.
    const auto odd = passesOn(QSize(1023, 767));
    ASSERT_EQ(lengths(odd), (std::vector<std::size_t>{5753, 5753, 7673, 7673, 7673, 7673}));
    EXPECT_EQ(odd[0].front().left, 7672.5f);
    EXPECT_EQ(odd[0].back().top, 11506);
    EXPECT_EQ(odd[1].back().top, -1); // from 11505 down by 2 while above 0
    EXPECT_EQ(odd[2].front().top, 5752.5f);
    EXPECT_EQ(odd[2].back().left, 15346);
    EXPECT_EQ(odd[5].back().left, -1);
}

class PictureFiles : public testing::Test {
protected:
    QString write(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QByteArray jpeg(QSize size)
    {
        const QString path = dir.filePath("source.jpg");
        EXPECT_TRUE(makeGhostingBackground(size).save(path, "jpeg"));
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }

    QTemporaryDir dir;
};

TEST_F(PictureFiles, GoodPicturesLoadClippedToTheScreenBadOnesGiveNone)
{
    const QByteArray good = jpeg(QSize(300, 200));
    const QString path = write("blur_bg.jpg", good);
    EXPECT_EQ(loadPicture(path, QSize(1024, 768)).size(), QSize(300, 200));
    EXPECT_EQ(loadPicture(path, QSize(100, 50)).size(), QSize(100, 50));
    QByteArray png; // a PNG under the name is read by what it holds
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    makeGhostingBackground(QSize(40, 30)).save(&buffer, "png");
    EXPECT_EQ(loadPicture(write("png.jpg", png), QSize(1024, 768)).size(), QSize(40, 30));

    // 30000 × 30000 in the frame header (SOF0: FF C0, length, precision, H, W).
    QByteArray enormous = good;
    const qsizetype sof = enormous.indexOf("\xFF\xC0");
    ASSERT_GT(sof, 0);
    for (int i : {5, 7})
        enormous[sof + i] = char(30000 >> 8), enormous[sof + i + 1] = char(30000 & 0xFF);
    for (const QString& file : {dir.filePath("missing.jpg"), write("empty.jpg", {}),
             write("truncated.jpg", good.left(good.size() / 2)),
             write("text.jpg", "not a picture at all\n"), write("enormous.jpg", enormous),
             dir.path()})
        EXPECT_TRUE(loadPicture(file, QSize(1024, 768)).isNull()) << qPrintable(file);
}

TEST_F(PictureFiles, TheGhostingTestFindsItsPictureInAnAwkwardFolderAndRunsWithout)
{
    QDir(dir.path()).mkpath("Program Files/Kijelző ÁÉ");
    const QString folder = dir.filePath("Program Files/Kijelző ÁÉ") + "/"; // trailing separator
    write("Program Files/Kijelző ÁÉ/blur_bg.jpg", jpeg(QSize(64, 48)));
    for (const auto& [path, size] :
        {std::pair{QDir(folder).filePath(GhostingPictureName), QSize(64, 48)},
            std::pair{dir.filePath("nowhere/blur_bg.jpg"), QSize(0, 0)}}) {
        RasterCanvas canvas(QSize(320, 240));
        TestRun run = Ghosting(canvas, path);
        run.resume();
        EXPECT_EQ(canvas.Image1().picture.size(), size);
        EXPECT_TRUE(canvas.Image1().visible);
        EXPECT_TRUE(canvas.Label1().visible);
        runToCompletion(run);
        EXPECT_EQ(run.events(), 1800u + 1800 + 4 * 2400); // all six passes on 320 × 240
    }
}

TEST(Pacing, StepsPerFrameGiveAbout960PixelsASecond)
{
    EXPECT_EQ(stepsPerFrame(60), 120);
    EXPECT_EQ(stepsPerFrame(59.94), 120);
    EXPECT_EQ(stepsPerFrame(75), 96);
    EXPECT_EQ(stepsPerFrame(120), 60);
    EXPECT_EQ(stepsPerFrame(144), 50);
    EXPECT_EQ(stepsPerFrame(240), 30);
    EXPECT_EQ(usableRefreshRate(0), 60);
    EXPECT_EQ(usableRefreshRate(std::nan("")), 60);
    EXPECT_EQ(usableRefreshRate(165), 165);
}

TEST(Pacing, EveryFrameMovesTheMarkerTheSameNumberOfSteps)
{
    RasterCanvas canvas(QSize(1024, 768));
    auto clock = std::make_unique<ManualClock>(60);
    ManualClock* frames = clock.get();
    TestDriver driver(Ghosting(canvas, {}), std::move(clock), stepsPerFrame(60));
    driver.start();
    EXPECT_TRUE(frames->running);
    EXPECT_EQ(driver.run().events(), 0u); // nothing moves before the first frame
    std::uint64_t before = 0;
    while (!driver.isFinished()) {
        frames->frame();
        const std::uint64_t moved = driver.run().events() - before;
        before = driver.run().events();
        if (!driver.isFinished()) {
            ASSERT_EQ(moved, 120u);
        }
    }
    // 42240 steps, 120 a frame, and one more frame that finds the run over.
    EXPECT_EQ(driver.slices(), 353u);
    EXPECT_FALSE(frames->running);
}

TEST(Pacing, TicksFasterThanTheDisplayHandOverToATimer)
{
    for (const auto& [intervalNs, fallsBack] :
        {std::pair{1'000'000LL, true}, // Qt's 5 ms X11 timer and faster
            std::pair{16'666'667LL, false}, // a 60 Hz display
            std::pair{10'000'000LL, false}}) { // faster than it said, yet paced
        qint64 now = 0;
        DisplayFrameClock clock(nullptr, 60, [&] { return now; });
        int ticks = 0;
        QObject::connect(&clock, &FrameClock::tick, [&] { ++ticks; });
        clock.start();
        for (int i = 0; i <= DisplayFrameClock::SampleTicks; ++i, now += intervalNs)
            clock.framePresented();
        EXPECT_EQ(clock.fellBackToTimer(), fallsBack) << intervalNs;
        EXPECT_EQ(
            ticks, fallsBack ? DisplayFrameClock::SampleTicks : DisplayFrameClock::SampleTicks + 1);
    }
}
