#include "patterns/Pattern.h"
#include "canvas/RasterCanvas.h"
#include "canvas/TestRun.h"
#include "canvas/Twips.h"
#include "patterns/Gradient.h"
#include "patterns/SteppedColumns.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>
#include <vector>

namespace {

// A finished picture, and how many lines and DoEvents it took.
struct Drawn : RasterCanvas {
    using RasterCanvas::RasterCanvas;
    void line(float x1, float y1, float x2, float y2, RgbColor colour) override
    {
        ++lines;
        RasterCanvas::line(x1, y1, x2, y2, colour);
    }
    RgbColor at(int x, int y) const { return raster().pixel(x, y); }
    int width() const { return raster().size().width(); }
    int height() const { return raster().size().height(); }

    long lines = 0;
    std::uint64_t events = 0;
};

std::unique_ptr<Drawn> draw(const std::function<TestRun(Canvas&)>& start, QSize pixels)
{
    auto drawn = std::make_unique<Drawn>(pixels);
    TestRun run = start(*drawn);
    runToCompletion(run);
    drawn->events = run.events();
    return drawn;
}

std::unique_ptr<Drawn> draw(const char* name, QSize pixels)
{
    return draw(findPattern(name)->start, pixels);
}

int grayOf(RgbColor colour)
{
    EXPECT_TRUE(redOf(colour) == greenOf(colour) && greenOf(colour) == blueOf(colour)) << colour;
    return redOf(colour);
}

// The last twip of a pixel column or row: the last line drawn in it lies there.
long lastTwipOf(int pixel)
{
    return long(pixel) * TwipsPerPixel + TwipsPerPixel - 1;
}

const QSize standard{1024, 768};
const QSize odd{1023, 767}; // neither a multiple of 4 nor of 30 twips

} // namespace

TEST(Ramps, RiseFromBlackToFullInTheirChannelOnly)
{
    using Level = int (*)(RgbColor);
    const struct {
        const char* name;
        Level level, other1, other2;
    } ramps[] = {{"red", redOf, greenOf, blueOf}, {"green", greenOf, redOf, blueOf},
        {"blue", blueOf, redOf, greenOf}};
    for (QSize size : {standard, odd}) {
        for (const auto& ramp : ramps) {
            const auto d = draw(ramp.name, size);
            const double w = pixelsToTwips(size.width());
            EXPECT_EQ(d->lines, long(w)); // one line per twip of the width
            EXPECT_EQ(ramp.level(d->at(0, 0)), 0);
            EXPECT_EQ(ramp.level(d->at(d->width() - 1, d->height() - 1)), 255);
            for (int x = 0; x < d->width(); ++x) {
                const RgbColor top = d->at(x, 0);
                ASSERT_EQ(d->at(x, d->height() - 1), top) << ramp.name << " column " << x;
                ASSERT_EQ(ramp.other1(top) + ramp.other2(top), 0);
                // Up to the drift of the single-precision running sum.
                ASSERT_NEAR(ramp.level(top), lastTwipOf(x) * 255.0 / w, 0.75) << x;
            }
        }
    }
}

TEST(GrayColumns, SixteenColumnsFromSixteenToWhite)
{
    for (QSize size : {standard, QSize(1366, 768), odd}) {
        const auto d = draw("gray-columns", size);
        const double w = pixelsToTwips(size.width()) / 16.0;
        const long lastLine = long(std::ceil(16 * w));
        EXPECT_EQ(d->lines, lastLine); // 15360 on a 1024-pixel screen
        EXPECT_EQ(d->events, std::uint64_t(lastLine + 16)); // after every line and column
        for (int x = 0; x < d->width(); ++x) {
            // Column i ends at X(i), the first whole twip at or beyond i · w.
            int i = 1;
            while (std::min(lastTwipOf(x), lastLine) > std::ceil(i * w))
                ++i;
            ASSERT_EQ(grayOf(d->at(x, 0)), i < 16 ? 16 * i : 255) << size.width() << ": " << x;
            ASSERT_EQ(d->at(x, d->height() - 1), d->at(x, 0));
        }
    }
    const auto d = draw("gray-columns", standard); // 64 pixels a column
    EXPECT_EQ(grayOf(d->at(63, 9)), 16);
    EXPECT_EQ(grayOf(d->at(64, 9)), 32);
    EXPECT_EQ(grayOf(d->at(960, 9)), 255);
}

TEST(SteppedColumns, TypedCountsInGrayAndInOneChannel)
{
    const struct {
        double count;
        std::optional<Channel> channel;
        std::vector<int> levels; // column by column
    } cases[] = {
        {10, std::nullopt, {26, 51, 77, 102, 128, 154, 179, 205, 230, 255}},
        {10, Channel::Red, {230, 205, 179, 154, 128, 102, 77, 51, 26, 0}},
        {16, Channel::Green,
            {240, 224, 208, 192, 176, 160, 144, 128, 112, 96, 80, 64, 48, 32, 16, 0}},
        // A 13th column past the right edge: 266 drawn as 255, below 0 as 0.
        {12.5, std::nullopt, {20, 41, 61, 82, 102, 123, 143, 164, 184, 205, 225, 246, 255}},
        {12.5, Channel::Blue, {236, 215, 195, 174, 154, 133, 113, 92, 72, 51, 31, 10, 0}},
    };
    for (const auto& c : cases) {
        const auto d =
            draw([&](Canvas& canvas) { return SteppedColumns<double>(canvas, c.count, c.channel); },
                standard);
        const double w = 15360 / c.count;
        EXPECT_EQ(d->lines, long(std::ceil(double(c.levels.size()) * w))) << c.count;
        for (std::size_t i = 0; i < c.levels.size(); ++i) {
            const int x = std::min(int((i + 0.5) * w / 15), 1023); // inside column i + 1
            const RgbColor expected = c.channel ? channelColour(*c.channel, c.levels[i])
                                                : RGB(c.levels[i], c.levels[i], c.levels[i]);
            EXPECT_EQ(d->at(x, 400), expected) << c.count << " column " << i + 1;
        }
    }
    // 16 typed columns are the gray-columns test; 256 are 4 pixels wide.
    auto typed = [](double count) {
        return draw([count](Canvas& c) { return SteppedColumns<double>(c, count, {}); }, standard);
    };
    EXPECT_EQ(typed(16)->raster().image(), draw("gray-columns", standard)->raster().image());
    const auto fine = typed(256);
    for (int column = 1; column <= 256; column += 17)
        for (int x = 4 * (column - 1); x < 4 * column; ++x)
            ASSERT_EQ(grayOf(fine->at(x, 10)), std::min(column, 255)) << column;
}

TEST(Gradient, WhiteAtTheTopLeftBlackOnlyInTheFarCorner)
{
    for (QSize size : {standard, odd}) {
        const auto d = draw("gray-gradient", size);
        const double w = size.width(), h = size.height();
        EXPECT_EQ(d->lines, 2 * long(pixelsToTwips(size.width()))); // 30720 at 1024 × 768
        EXPECT_EQ(grayOf(d->at(0, 0)), 255);
        long black = 0;
        for (int y = 0; y < d->height(); ++y) {
            for (int x = 0; x < d->width(); ++x) {
                // The last line through a point is k ≈ x + y · W / H; 256 levels over 2W.
                const double k = (x + y * w / h) / w;
                const int level = grayOf(d->at(x, y));
                ASSERT_NEAR(level, 256 - 128 * k, 2.5) << x << "," << y;
                if (level == 0) {
                    ++black;
                    ASSERT_GT(k, 1.97) << "black away from the corner at " << x << "," << y;
                }
            }
        }
        EXPECT_GT(black, 0);
        EXPECT_LT(black, long(w * h / 1000));
        for (int x = 0; x < d->width(); x += 97) // the anti-diagonal is mid-gray
            EXPECT_NEAR(grayOf(d->at(x, int(h - 1 - x * h / w))), 128, 1.5) << x;
    }
    // In one primary it is the gray picture, channel by channel.
    const auto gray = draw("gray-gradient", odd);
    for (Channel channel : {Channel::Red, Channel::Green, Channel::Blue}) {
        const auto d = draw([channel](Canvas& c) { return Gradient(c, channel); }, odd);
        for (int y = 0; y < d->height(); y += 3)
            for (int x = 0; x < d->width(); x += 3)
                ASSERT_EQ(d->at(x, y), channelColour(channel, grayOf(gray->at(x, y))));
    }
}

TEST(Tones, FourBandsOfFourFieldsInTheirColours)
{
    // Band by band from the top, column by column from the left: dark, light.
    const RgbColor fields[4][4][2] = {
        {{RGB(0, 0, 0), RGB(0, 0, 0)}, {RGB(0, 0, 192), RGB(0, 0, 255)},
            {RGB(0, 192, 0), RGB(0, 255, 0)}, {RGB(0, 192, 192), RGB(0, 255, 255)}},
        {{RGB(192, 0, 0), RGB(255, 0, 0)}, {RGB(192, 0, 192), RGB(255, 0, 255)},
            {RGB(192, 192, 0), RGB(255, 255, 0)}, {RGB(192, 192, 192), RGB(255, 255, 255)}},
        {{RGB(0, 0, 0), RGB(192, 192, 192)}, {RGB(0, 0, 64), RGB(0, 0, 128)},
            {RGB(0, 64, 0), RGB(0, 128, 0)}, {RGB(0, 64, 64), RGB(0, 128, 128)}},
        {{RGB(64, 0, 0), RGB(128, 0, 0)}, {RGB(64, 0, 64), RGB(128, 0, 128)},
            {RGB(64, 64, 0), RGB(128, 128, 0)}, {RGB(64, 64, 64), RGB(128, 128, 128)}},
    };
    for (QSize size : {standard, odd}) {
        for (int light : {0, 1}) {
            const auto d = draw(light ? "light-tones" : "dark-tones", size);
            const long n = long(std::ceil(pixelsToTwips(size.height()) / 4.0)); // passes
            EXPECT_EQ(d->events, std::uint64_t(n)); // 2880 at 768 pixels
            EXPECT_EQ(d->lines, 16 * n);
            const double q = pixelsToTwips(size.width()) / 4.0;
            // Band k fills (k - 1)·N < y ≤ k·N; edges may split either way.
            for (int band = 0; band < 4; ++band) {
                for (int column = 0; column < 4; ++column) {
                    const int x0 = int(column * q / 15) + 1, x1 = int((column + 1) * q / 15) - 1;
                    const int y0 = int(band * n / 15.0) + 1;
                    const int y1 = std::min(int((band + 1) * n / 15.0) - 1, d->height() - 1);
                    for (int y = y0; y <= y1; ++y)
                        for (int x = x0; x <= std::min(x1, d->width() - 1); ++x)
                            ASSERT_EQ(d->at(x, y), fields[band][column][light])
                                << light << " band " << band << " column " << column;
                }
            }
        }
    }
    const auto d = draw("light-tones", standard); // band edges at pixel rows 192, 384, 576
    EXPECT_EQ(d->at(300, 191), RGB(0, 0, 255));
    EXPECT_EQ(d->at(300, 193), RGB(255, 0, 255));
}

TEST(Uniformity, RampFromBlackToWhiteUnderASixLineWhiteGrid)
{
    for (QSize size : {standard, odd}) {
        const auto d = draw("uniformity", size);
        const double h = pixelsToTwips(size.height());
        EXPECT_EQ(d->events, std::uint64_t(h)); // 11520 passes at 768 pixels
        EXPECT_EQ(d->lines, long(h) + 6);
        auto onGrid = [&](int at, int side) {
            for (int quarter = 1; quarter <= 3; ++quarter)
                if (at == int(side * quarter / 4.0))
                    return true;
            return false;
        };
        EXPECT_EQ(grayOf(d->at(1, 0)), 0);
        EXPECT_EQ(grayOf(d->at(1, d->height() - 1)), 255);
        for (int y = 0; y < d->height(); ++y) {
            for (int x = 0; x < d->width(); ++x) {
                const int level = grayOf(d->at(x, y));
                if (onGrid(x, size.width()) || onGrid(y, size.height())) {
                    ASSERT_EQ(level, 255) << x << "," << y;
                } else {
                    ASSERT_NEAR(level, lastTwipOf(y) * 255.0 / h, 0.75) << x << "," << y;
                }
            }
        }
    }
}

TEST(Bleeding, FrameSetInByAWidthTwentyFourthAndFourCornerArcs)
{
    for (QSize size : {standard, QSize(1920, 1080), odd}) {
        const auto d = draw("bleeding", size);
        const double w = pixelsToTwips(size.width()), h = pixelsToTwips(size.height());
        const double inset = w / 24; // from the width on all four sides
        const int near = int(inset / 15), farX = int((w - inset) / 15),
                  farY = int((h - inset) / 15);
        const double radius = std::floor(w / 12 / 15);
        const QPoint corners[] = {
            {0, 0}, {size.width(), 0}, {0, size.height()}, {size.width(), size.height()}};
        for (int y = 0; y < d->height(); ++y) {
            for (int x = 0; x < d->width(); ++x) {
                bool arc = false;
                for (QPoint c : corners)
                    arc = arc || std::abs(std::hypot(x - c.x(), y - c.y()) - radius) < 1.0;
                if (x == near || x == farX || y == near || y == farY) {
                    ASSERT_EQ(d->at(x, y), RGB(255, 255, 255)) << x << "," << y;
                } else if (!arc) {
                    ASSERT_EQ(d->at(x, y), RGB(0, 0, 0)) << x << "," << y;
                }
            }
        }
        EXPECT_EQ(d->at(int(radius), 0), RGB(255, 255, 255)); // each arc reaches both edges
        EXPECT_EQ(d->at(0, size.height() - int(radius)), RGB(255, 255, 255));
    }
    const auto d = draw("bleeding", standard); // inset 640 twips: frame at 42, 981, 42, 725
    EXPECT_EQ(d->at(981, 300), RGB(255, 255, 255));
    EXPECT_EQ(d->at(500, 725), RGB(255, 255, 255));
}

TEST(Noise, GrayExactlyWhereTheColumnAndTheRowAreEven)
{
    for (QSize size : {standard, odd}) {
        const auto d = draw("noise", size);
        const long rows = long(std::ceil(pixelsToTwips(size.height()) / 30.0));
        const long columns = long(std::ceil(pixelsToTwips(size.width()) / 30.0));
        EXPECT_EQ(d->lines, rows + columns); // 384 + 512 at 1024 × 768
        EXPECT_EQ(d->events, std::uint64_t(rows + columns));
        for (int y = 0; y < d->height(); ++y)
            for (int x = 0; x < d->width(); ++x)
                ASSERT_EQ(d->at(x, y), x % 2 == 0 && y % 2 == 0 ? RGB(149, 149, 149) : 0)
                    << x << "," << y;
    }
    EXPECT_EQ(draw("noise", standard)->lines, 384 + 512);
}

TEST(Pattern, FollowsAChangeOfResolutionBetweenSlices)
{
    // The screen shrinks, then grows while a test runs; the raster keeps its
    // size and clips, and each loop's bound follows the fresh size.
    for (const Pattern& pattern : allPatterns()) {
        QSize screen(640, 480);
        RasterCanvas canvas(QSize(640, 480), [&] { return screen; });
        TestRun run = pattern.start(canvas);
        for (long steps = 1; run.resume(); ++steps) {
            screen = steps < 50 ? QSize(640, 480)
                : steps < 100   ? QSize(320, 200)
                                : QSize(1280, 1024);
            ASSERT_LT(steps, 1'000'000) << pattern.name << " does not end";
        }
    }
}
