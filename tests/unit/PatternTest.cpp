// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "patterns/Pattern.h"
#include "canvas/Composition.h"
#include "canvas/FrameClock.h"
#include "canvas/FrameRecord.h"
#include "canvas/PictureFile.h"
#include "canvas/RasterCanvas.h"
#include "canvas/TestRun.h"
#include "canvas/Twips.h"
#include "checkup/CheckupRecord.h"
#include "patterns/Channel.h"
#include "patterns/Ghosting.h"
#include "patterns/GhostingBackground.h"
#include "patterns/Gradient.h"
#include "patterns/SteppedColumns.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <functional>
#include <optional>
#include <tuple>
#include <vector>

namespace {

// A finished picture, and the colour of every line in drawing order.
struct Drawn : RasterCanvas {
    Drawn(const std::function<TestRun(Canvas&)>& start, QSize pixels)
        : RasterCanvas(pixels)
    {
        TestRun run = start(*this);
        runToCompletion(run);
    }
    void line(float x1, float y1, float x2, float y2, RgbColor colour) override
    {
        lines.push_back(colour);
        RasterCanvas::line(x1, y1, x2, y2, colour);
    }
    RgbColor at(int x, int y) const { return raster().pixel(x, y); }
    std::vector<RgbColor> lines;
};

const auto gray = [](long level) { return RGB(level, level, level); };

// The whole levels a single-precision running sum passes through, one a step.
std::vector<long> runningSum(float level, float step, long count)
{
    std::vector<long> levels;
    while (long(levels.size()) < count)
        levels.push_back(roundLevel(level = level + step));
    return levels;
}

// The last twip of a pixel column or row: the last line drawn in it lies there.
const auto lastTwipOf = [](int pixel) { return long(pixel) * TwipsPerPixel + TwipsPerPixel - 1; };

// Compares every pixel with what `want` says it must be (nullopt: either way).
void expectPixels(const Drawn& d, const std::function<std::optional<RgbColor>(int, int)>& want)
{
    for (int y = 0; y < d.raster().size().height(); ++y)
        for (int x = 0; x < d.raster().size().width(); ++x)
            if (const auto colour = want(x, y)) {
                ASSERT_EQ(d.at(x, y), *colour) << x << "," << y;
            }
}

// The second size is neither a multiple of 4 nor of 30 twips.
const QSize sizes[] = {{1024, 768}, {1023, 767}};
const char* const rampNames[] = {"red", "green", "blue"};

constexpr std::int64_t ms = 1'000'000; // in nanoseconds

// Where the marker is after each step of a whole ghosting run.
std::vector<QPointF> markerSteps(QSize pixels)
{
    RasterCanvas canvas(pixels);
    TestRun run = Ghosting(canvas, {});
    std::vector<QPointF> steps;
    while (run.resume())
        steps.emplace_back(canvas.Label1().left, canvas.Label1().top);
    return steps;
}

} // namespace

TEST(Patterns, RampsAndColumnsRiseStepByStepAcrossTheScreen)
{
    for (QSize size : sizes) {
        const float w = pixelsToTwips(size.width());
        const std::vector<long> ramp = runningSum(0, 255.0f / w, long(w));
        for (Channel channel : {Channel::Red, Channel::Green, Channel::Blue}) {
            const Drawn d(findPattern(rampNames[int(channel)])->start, size);
            EXPECT_EQ(d.lines.size(), ramp.size()); // one line per twip of the width
            expectPixels(
                d, [&](int x, int) { return channelColour(channel, ramp[lastTwipOf(x) - 1]); });
        }
        // Column i ends at the first whole twip at or beyond i · W / 16: 16, 32, … 240, 255.
        const Drawn d(findPattern("gray-columns")->start, size);
        expectPixels(d, [&](int x, int) {
            int i = 1;
            while (lastTwipOf(x) > std::ceil(i * double(w / 16)))
                ++i;
            return gray(std::min(16 * i, 255));
        });
    }
    // Typed counts: a 13th column past the right edge (266 drawn as 255), or
    // falling in one channel (below 0 drawn as 0).
    auto typed = [](double count, std::optional<Channel> channel) {
        return Drawn(
            [=](Canvas& c) { return SteppedColumns<double>(c, count, channel); }, sizes[0]);
    };
    const auto fraction = typed(12.5, std::nullopt), red = typed(10, Channel::Red);
    EXPECT_TRUE(fraction.at(40, 0) == gray(20) && fraction.at(1023, 0) == gray(255));
    EXPECT_TRUE(
        red.at(51, 0) == RGB(230, 0, 0) && red.at(563, 0) == RGB(102, 0, 0) && !red.at(1023, 0));
}

TEST(Patterns, TheGradientDarkensLineByLineFromTheTopLeftCorner)
{
    for (QSize size : sizes) {
        const Drawn d([](Canvas& c) { return Gradient(c, std::nullopt); }, size);
        const float w2 = pixelsToTwips(size.width()) * 2.0f;
        std::vector<long> levels = runningSum(256, -256.0f / w2, long(w2) - 1);
        levels.insert(levels.begin(), 256); // each line darkens after it is drawn
        ASSERT_EQ(d.lines.size(), levels.size());
        for (std::size_t k = 0; k < levels.size(); ++k)
            ASSERT_EQ(d.lines[k], gray(levels[k])) << "line " << k + 1;
        // The last line through a pixel is k ≈ x + y · W / H of 2W: white at
        // the top left, mid-gray on the other diagonal, black only in the far corner.
        const double width = size.width(), height = size.height();
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x) {
                const double k = (x + y * width / height) / width;
                ASSERT_NEAR(redOf(d.at(x, y)), 256 - 128 * k, 2.5) << x << "," << y;
            }
        const Drawn blue([](Canvas& c) { return Gradient(c, Channel::Blue); }, size);
        expectPixels(
            blue, [&](int x, int y) { return channelColour(Channel::Blue, redOf(d.at(x, y))); });
    }
}

TEST(Patterns, ToneFieldsUniformityBleedingAndNoiseLieWhereTheyShould)
{
    // Bands from the top: blue, green and cyan beside black, then red, magenta,
    // yellow and white; at 192 (light: 255), then again at 64 (light: 128).
    auto field = [](int band, int column, int light) {
        const long level = band < 2 ? (light ? 255 : 192) : (light ? 128 : 64);
        return band == 2 && column == 0 && light
            ? gray(192) // the one light gray
            : RGB(band % 2 ? level : 0, column & 2 ? level : 0, column & 1 ? level : 0);
    };
    for (QSize size : sizes) {
        const int width = size.width(), height = size.height();
        const double n = std::ceil(height * 15 / 4.0); // passes: band k fills (k - 1)·n < y ≤ k·n
        for (int light : {0, 1}) {
            const Drawn d(findPattern(light ? "light-tones" : "dark-tones")->start, size);
            EXPECT_EQ(d.lines.size(), 16 * std::size_t(n)); // 16 fields a pass, every pass
            expectPixels(d, [&](int x, int y) -> std::optional<RgbColor> {
                const double band = (y * 15 + 7.5) / n, column = (x + 0.5) * 4 / width;
                if (std::abs(band - std::round(band)) * n < 15 ||
                    std::abs(column - std::round(column)) * width < 4)
                    return std::nullopt; // edges may split either way
                return field(std::min(int(band), 3), int(column), light);
            });
        }
        const float h = pixelsToTwips(height);
        const std::vector<long> ramp = runningSum(0, 255.0f / h, long(h));
        auto onGrid = [](int at, int side) {
            return at == side / 4 || at == side / 2 || at == int(side * 0.75);
        };
        expectPixels(Drawn(findPattern("uniformity")->start, size), [&](int x, int y) {
            return onGrid(x, width) || onGrid(y, height) ? gray(255)
                                                         : gray(ramp[lastTwipOf(y) - 1]);
        });

        // A frame set in by a 24th of the width on every side, arcs of a 12th in the corners.
        const int inset = width / 24;
        const double radius = width / 12.0;
        expectPixels(Drawn(findPattern("bleeding")->start, size),
            [&](int x, int y) -> std::optional<RgbColor> {
                if (x == inset || y == inset || x == int(width * 23 / 24.0) ||
                    y == int(height - width / 24.0))
                    return gray(255);
                for (QPoint c :
                    {QPoint(0, 0), QPoint(width, 0), QPoint(0, height), QPoint(width, height)})
                    if (std::abs(std::hypot(x + 0.5 - c.x(), y + 0.5 - c.y()) - radius) <= 1.0)
                        return std::nullopt;
                return gray(0);
            });
        expectPixels(Drawn(findPattern("noise")->start, size),
            [&](int x, int y) { return x % 2 == 0 && y % 2 == 0 ? gray(149) : gray(0); });
    }
}

TEST(Patterns, FrameSkipFirstFrameLightsTheLeftmostOfSixteenCells)
{
    // side ⌊W/20⌋, gap ⌊side/4⌋, the row centred; nothing but black at side 0.
    for (auto [pixels, side, gap] :
        {std::tuple{QSize(1366, 768), 68, 17}, {QSize(101, 7), 5, 1}, {QSize(19, 500), 0, 0}}) {
        const int left = (pixels.width() - 16 * side - 15 * gap) / 2;
        const int top = (pixels.height() - side) / 2;
        const Drawn d(findPattern("frame-skip")->start, pixels);
        expectPixels(d, [&](int x, int y) {
            if (side == 0 || x < left || y < top || y >= top + side)
                return RGB(0, 0, 0);
            const int cell = (x - left) / (side + gap), into = (x - left) % (side + gap);
            if (cell > 15 || into >= side)
                return RGB(0, 0, 0);
            return gray(cell == 0 ? 255 : 40);
        });
    }
}

TEST(Ghosting, SixPassesOverTheScreenWhateverItsShape)
{
    // Left, top in twips where each pass starts and ends on 15360 × 11520:
    // down and up the middle, right and left across it, then the diagonals.
    const std::pair<std::size_t, QPointF> places[] = {{0, {7680, 2}}, {5759, {7680, 11520}},
        {5760, {7680, 11518}}, {11519, {7680, 0}}, {11520, {2, 5760}}, {19199, {15360, 5760}},
        {19200, {15358, 5760}}, {26879, {0, 5760}}, {26880, {2, 2}}, {34559, {15360, 15360}},
        {34560, {15358, 11518}}, {42239, {0, -3840}}};
    const auto steps = markerSteps(QSize(1024, 768));
    ASSERT_EQ(steps.size(), 42240u);
    for (auto [step, place] : places)
        EXPECT_EQ(steps[step], place) << step;
    // W / 2 and H / 2 end in a half twip, and the marker keeps it.
    const auto odd = markerSteps(QSize(1023, 767));
    ASSERT_EQ(odd.size(), 2 * 5753u + 4 * 7673u);
    EXPECT_EQ(odd[0], QPointF(7672.5, 2));
    EXPECT_EQ(odd[2 * 5753 - 1], QPointF(7672.5, -1));
    EXPECT_EQ(odd.back(), QPointF(-1, -3841));
}

TEST(PictureFiles, GoodPicturesLoadClippedToTheScreenBadOnesGiveNone)
{
    QTemporaryDir dir;
    auto write = [&](const char* name, const QByteArray& bytes) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        return file.fileName();
    };
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly) &&
        makeGhostingBackground({300, 200}).save(&buffer, "jpeg"));
    EXPECT_EQ(loadPicture(write("blur_bg.jpg", jpeg), QSize(100, 50)).size(), QSize(100, 50));
    // 30000 × 30000 in the frame header (SOF0: FF C0, length, precision, H, W).
    QByteArray enormous = jpeg;
    const qsizetype sof = enormous.indexOf("\xFF\xC0");
    for (int i : {5, 6, 7, 8})
        enormous[sof + i] = char(i % 2 ? 30000 >> 8 : 30000 & 0xFF);
    const QByteArray tall = enormous.left(sof + 7) + jpeg.mid(sof + 7); // 30000 × 300
    for (const QString& file : {dir.filePath("missing.jpg"), write("empty.jpg", {}),
             write("truncated.jpg", jpeg.left(jpeg.size() / 2)),
             write("text.jpg", "not a picture at all\n"), write("enormous.jpg", enormous),
             write("tall.jpg", tall), dir.path()})
        EXPECT_TRUE(loadPicture(file, QSize(1024, 768)).isNull()) << qPrintable(file);
}

TEST(Composition, AHiddenPictureShowsNothingOfItself)
{
    RasterCanvas canvas(QSize(10, 10)); // black
    for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_RGB888}) {
        canvas.Image1().picture = makeGhostingBackground({5, 5}).convertToFormat(format);
        canvas.Image1().visible = false;
        EXPECT_EQ(composedPixel(canvas, {2, 2}), qRgb(0, 0, 0));
        canvas.Image1().visible = true;
        EXPECT_EQ(composedPixel(canvas, {2, 3}), canvas.Image1().picture.pixel(2, 3)) << format;
        EXPECT_EQ(composedPixel(canvas, {7, 7}), qRgb(0, 0, 0)); // beside it, the raster
    }
}

TEST(PictureFiles, ASaveThatRunsOutOfRoomLeavesTheOldFileAndSaysWhy)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("gray-gradient.png");
    const QImage old = renderPicture(*findPattern("white"), {400, 300});
    QString reason;
    ASSERT_TRUE(savePicture(old, path, reason));
    // A file size limit fails writes as a full disk does, without a disk to fill.
    rlimit limit{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &limit), 0);
    const rlimit full = {2000, limit.rlim_max};
    const auto signal = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &full), 0);
    const bool saved =
        savePicture(renderPicture(*findPattern("gray-gradient"), {400, 300}), path, reason);
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, signal);
    EXPECT_FALSE(saved);
    EXPECT_EQ(reason, "File too large");
    EXPECT_EQ(
        QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList("gray-gradient.png"));
    EXPECT_EQ(QImage(path).convertToFormat(QImage::Format_RGB32), old);
}

TEST(Pacing, EveryFrameMovesTheMarkerTheSameWholePixelsNearest960ASecond)
{
    const std::vector<QPointF> steps = markerSteps(QSize(1023, 767)); // half twips at the start
    const auto pixel = [](double twips) { return int(std::floor(twips / 15)); };
    EXPECT_EQ(stepsPerFrame(usableRefreshRate(std::nan(""))), 120); // 60 Hz when none is reported
    for (int rate = 24; rate <= 360; ++rate) {
        const int n = stepsPerFrame(rate), pixels = 2 * n / 15;
        EXPECT_LE(std::abs(pixels * rate - 960), rate) << rate << " Hz"; // the nearest even count
        std::size_t along = 0;
        for (std::size_t end = n; end < steps.size(); end += n) {
            const QPointF from = steps[end - n], to = steps[end];
            for (auto [a, b] : {std::pair{from.x(), to.x()}, {from.y(), to.y()}})
                if (std::abs(b - a) == 2 * n) { // moving along a pass this frame
                    ASSERT_EQ(std::abs(pixel(b) - pixel(a)), pixels) << rate << " Hz, step " << end;
                    ++along;
                }
        }
        // Most frames run along a pass; only those that turn a corner do not.
        EXPECT_GT(along, steps.size() / n * 3 / 4) << rate << " Hz";
    }
}

TEST(Pacing, MissedFramesComeFromTheDisplaysCountOrElseFromItsTimestamps)
{
    FrameRecord frames;
    frames.start(50, TimingSource::X11Present); // 20 ms a frame
    EXPECT_EQ(frames.pixelsPerFrame, 20);
    // The display's count alone tells nothing of when a frame was shown.
    for (auto [msc, at] : {std::pair{100, 0}, {101, 20}, {104, 80}})
        frames.add({at * ms, std::uint64_t(msc), 0, {}});
    EXPECT_EQ(frames.missed, 2);
    EXPECT_FALSE(frames.late);

    // Presentation feedback without a refresh count (seq 0): gaps come from
    // the timestamps over the period it reports, as they do where a count
    // goes back (a wrap, another output). Discarded frames are missed.
    frames.start(60, TimingSource::WaylandPresentation);
    for (const FrameTime& f : {FrameTime{0, {}, 10 * ms, false}, {10 * ms, {}, 10 * ms, false},
             {24 * ms, {}, 10 * ms, true}, // 1.4 periods: one refresh, but late
             {45 * ms, {}, 10 * ms, false}, // 2.1 periods: one missed
             {.discarded = true}, // never shown: missed
             {65 * ms, 7, 10 * ms, false}, // one missed
             {95 * ms, 3, 10 * ms, false}}) // back from 7: by time, two missed
        frames.add(f);
    EXPECT_EQ(frames.shown, 6);
    EXPECT_EQ(frames.missed, 1 + 1 + 1 + 2);
    EXPECT_EQ(frames.late, 1);
    EXPECT_DOUBLE_EQ(*frames.measuredRefreshRate(), 5 / 0.095); // frames, as nothing counts

    frames.start(0, TimingSource::Timer); // a screen that reports no rate: 60 Hz
    EXPECT_EQ(frames.shown, 0);
    EXPECT_FALSE(frames.measuredRefreshRate());
    EXPECT_EQ(frames.pixelsPerFrame, 16);
}

TEST(Pacing, TheTimerClockKeepsToItsStartAndAfterAStallGoesOnFromThePeriodItIsIn)
{
    std::int64_t now = 1000 * ms; // the clock's own start is its zero
    TimerFrameClock clock(50, [&] { return now; });
    QObject context;
    std::vector<std::pair<std::uint64_t, std::int64_t>> shown;
    QObject::connect(&clock, &FrameClock::frameShown, &context,
        [&](const FrameTime& f) { shown.emplace_back(*f.refresh, f.nanoseconds); });
    std::vector<std::uint64_t> ticks;
    QObject::connect(
        &clock, &FrameClock::tick, &context, [&](std::uint64_t t) { ticks.push_back(t); });
    clock.start();
    std::vector<int> dueIn = {clock.nextDueInMs()};
    // On time; a millisecond late, which the next wait makes up; a stall of
    // eight periods; a timer that fires a little early.
    for (const std::int64_t at : {20, 41, 205, 219}) {
        now = 1000 * ms + at * ms;
        clock.due();
        dueIn.push_back(clock.nextDueInMs());
    }
    EXPECT_EQ(ticks, (std::vector<std::uint64_t>{1, 2, 10, 11}));
    EXPECT_EQ(shown,
        (std::vector<std::pair<std::uint64_t, std::int64_t>>{
            {1, 20 * ms}, {2, 41 * ms}, {10, 205 * ms}, {11, 219 * ms}}));
    EXPECT_EQ(dueIn, (std::vector<int>{20, 20, 19, 15, 21}));
    clock.stop();
    EXPECT_EQ(clock.nextDueInMs(), -1);
}

TEST(Pacing, AClockTheDisplayPacesTicksWithItAndOneItDoesNotFallsBackToATimer)
{
    std::int64_t now = 0;
    {
        DisplayFrameClock paced(nullptr, 60, [&] { return now; });
        FrameRecord frames;
        QObject context;
        recordFrames(frames, paced, &context);
        paced.start();
        for (int i = 0; i <= 3 * DisplayFrameClock::SampleTicks; ++i, now += 16 * ms)
            paced.framePresented();
        EXPECT_EQ(paced.fallback(), nullptr);
        EXPECT_EQ(frames.shown, 3 * DisplayFrameClock::SampleTicks + 1);
        EXPECT_EQ(frames.timing, TimingSource::WaylandFrame);
    }
    DisplayFrameClock clock(nullptr, 60, [&] { return now; });
    QObject context;
    FrameRecord frames;
    recordFrames(frames, clock, &context);
    std::vector<std::uint64_t> ticks;
    QObject::connect(
        &clock, &FrameClock::tick, &context, [&](std::uint64_t t) { ticks.push_back(t); });
    EXPECT_EQ(frames.timing, TimingSource::WaylandFrame);
    clock.start();
    // 5 ms apart, as Qt's own X11 update timer ticks: not the display's 16.7.
    for (int i = 0; i <= DisplayFrameClock::SampleTicks; ++i, now += 5 * ms)
        clock.framePresented();
    EXPECT_EQ(ticks.size(), std::size_t(DisplayFrameClock::SampleTicks));
    EXPECT_EQ(clock.source(), TimingSource::Timer);
    TimerFrameClock* timer = clock.fallback();
    ASSERT_NE(timer, nullptr);
    // The timer takes over on the same time; its ticks and frames are the
    // clock's, and the figures say whose they are.
    EXPECT_EQ(timer->nextDueInMs(), 17);
    now += 17 * ms;
    timer->due();
    EXPECT_EQ(ticks.back(), DisplayFrameClock::SampleTicks + 1u);
    EXPECT_EQ(frames.timing, TimingSource::Timer);
    clock.framePresented(); // a late update request ticks no more
    EXPECT_EQ(ticks.size(), std::size_t(DisplayFrameClock::SampleTicks) + 1);
}

TEST(Defects, OnePixelMarkedOnSeveralTestsOfAKindIsOneDefect)
{
    using enum MarkKind;
    CheckupRecord record;
    record.screen.pixels = QSize(1000, 1000);
    record.tests = {{"black",
                        {{{100, 100}, Bright}, {{102, 100}, Bright}, {{500, 500}, Bright},
                            {{300, 300}, Bright}, {{303, 300}, Bright}}},
        {"white", {{{101, 101}, Dark}}},
        {"dark-tones",
            {{{101, 98}, Bright}, {{503, 500}, Bright}, {{102, 102}, Bright}, {{302, 300}, Bright},
                {{299, 300}, Bright}}},
        {"gray", {{{100, 100}, Other}}}};
    using Defects = std::vector<std::tuple<QPoint, MarkKind, std::vector<std::string>>>;
    Defects found;
    for (const Defect& d : record.defects())
        found.emplace_back(d.pixel, d.kind, d.tests);
    // Within two pixels on another test of the kind: the same defect, where
    // first marked, the nearest whatever the order of the clicks. Neighbours
    // on one test, another kind, or three pixels away are defects of their own.
    const Defects want = {{{100, 100}, Bright, {"black", "dark-tones"}},
        {{102, 100}, Bright, {"black", "dark-tones"}}, {{500, 500}, Bright, {"black"}},
        {{300, 300}, Bright, {"black", "dark-tones"}},
        {{303, 300}, Bright, {"black", "dark-tones"}}, {{101, 101}, Dark, {"white"}},
        {{503, 500}, Bright, {"dark-tones"}}, {{100, 100}, Other, {"gray"}}};
    EXPECT_EQ(found, want);
    EXPECT_EQ(record.count(Bright), 6);
    EXPECT_EQ(record.perMillionPixels(Bright), 6);
}

TEST(ScreeningPatterns, EveryPixelFollowsItsRuleAndTheNumbersStayInTheirBands)
{
    const QSize screens[] = {{1024, 768}, {1365, 767}, {233, 100}};
    for (const QSize size : screens) {
        SCOPED_TRACE(std::to_string(size.width()) + "x" + std::to_string(size.height()));
        const int w = size.width(), h = size.height();
        // Black level and white saturation: 20 squares of s, g apart, numbered below.
        for (const auto& [name, background, first, number] :
            {std::tuple{"black-level", 0, 1, 96}, std::tuple{"white-saturation", 255, 235, 160}}) {
            const int s = w / 26, g = s / 4, left = (w - 20 * s - 19 * g) / 2;
            const int top = int(std::floor((h - s) / 2.0));
            std::vector<int> numberPixels(20);
            const Drawn d(findPattern(name)->start, size);
            expectPixels(d, [&](int x, int y) -> std::optional<RgbColor> {
                const int i = (x - left) / (s + g);
                if (x < left || i >= 20 || x - left - i * (s + g) >= s)
                    return gray(background);
                if (y >= top && y < top + s)
                    return gray(first + i);
                if (y < top + s + s / 4 || y > top + 2 * s - 1)
                    return gray(background);
                EXPECT_TRUE(d.at(x, y) == gray(background) || d.at(x, y) == gray(number));
                numberPixels[i] += d.at(x, y) == gray(number);
                return std::nullopt;
            });
            for (int count : numberPixels) // none where the band is below 7 rows
                EXPECT_EQ(count > 0, s - s / 4 >= 7) << name;
        }
        // Gamma: stripes on even rows, seven squares a band, labels beneath them.
        const int bandHeight = h / 4, p = std::min(w / 10, h / 8);
        const Drawn gamma(findPattern("gamma")->start, size);
        std::vector<int> labelPixels(28);
        expectPixels(gamma, [&](int x, int y) -> std::optional<RgbColor> {
            const int band = std::min(y / bandHeight, 3);
            const int top = band * bandHeight, bottom = band == 3 ? h - 1 : top + bandHeight - 1;
            const auto colour = [&](long level) {
                return band == 0 ? gray(level) : channelColour(Channel(band - 1), level);
            };
            const int squareTop = top + (bottom - top + 1 - p) / 2;
            for (int k = 0; k < 7; ++k) {
                const int left = (k + 1) * w / 8 - p / 2;
                if (x < left || x >= left + p || y < squareTop)
                    continue;
                if (y < squareTop + p)
                    return colour(std::lround(255 * std::pow(0.5, 1 / (1.6 + 0.2 * k))));
                EXPECT_TRUE(gamma.at(x, y) == colour(255) || gamma.at(x, y) == colour(0));
                labelPixels[band * 7 + k] += gamma.at(x, y) != colour(y % 2 ? 0 : 255);
                return std::nullopt;
            }
            return colour(y % 2 ? 0 : 255);
        });
        for (int count : labelPixels)
            EXPECT_EQ(count > 0, size.width() > 233) << "gamma labels";
        // Sharpness: four quarters of one- and two-pixel textures.
        expectPixels(Drawn(findPattern("sharpness")->start, size), [&](int x, int y) {
            const bool left = x < w / 2, upper = y < h / 2;
            const bool black = upper ? (left ? x % 2 == 0 : y % 2 == 0)
                                     : (left ? (x + y) % 2 == 0 : (x / 2 + y / 2) % 2 == 0);
            return gray(black ? 0 : 255);
        });
    }
}
