#include "patterns/Pattern.h"
#include "canvas/RasterCanvas.h"
#include "canvas/TestRun.h"
#include "canvas/Twips.h"
#include "patterns/Gradient.h"
#include "patterns/SteppedColumns.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace {

// Draws a pattern to its end and remembers how much it drew.
struct Drawn : RasterCanvas {
    explicit Drawn(QSize pixels)
        : RasterCanvas(pixels)
    {
    }

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

Drawn draw(const char* name, QSize pixels)
{
    const Pattern* pattern = findPattern(name);
    EXPECT_NE(pattern, nullptr) << name;
    Drawn drawn(pixels);
    TestRun run = pattern->start(drawn);
    runToCompletion(run);
    drawn.events = run.events();
    return drawn;
}

int grayOf(RgbColor colour)
{
    EXPECT_TRUE(redOf(colour) == greenOf(colour) && greenOf(colour) == blueOf(colour)) << colour;
    return redOf(colour);
}

// The last twip a pixel column or row holds, where the last line drawn in it lies.
long lastTwipOf(int pixel)
{
    return long(pixel) * TwipsPerPixel + TwipsPerPixel - 1;
}

const QSize standard{1024, 768};
const QSize odd{1023, 767}; // neither a multiple of 4 nor of 30 twips

} // namespace

TEST(Pattern, EveryExporterNameDraws)
{
    for (const char* name :
        {"white", "black", "gray", "light-gray", "red", "green", "blue", "gray-columns",
            "gray-gradient", "dark-tones", "light-tones", "uniformity", "bleeding", "noise"})
        EXPECT_NE(findPattern(name), nullptr) << name;
    EXPECT_EQ(allPatterns().size(), 14u);
    EXPECT_EQ(findPattern("ghosting"), nullptr);
}

TEST(Ramps, RiseFromBlackAtTheLeftToFullAtTheRightInTheirChannelOnly)
{
    const struct {
        const char* name;
        int (*level)(RgbColor);
        int (*other1)(RgbColor);
        int (*other2)(RgbColor);
    } ramps[] = {{"red", redOf, greenOf, blueOf}, {"green", greenOf, redOf, blueOf},
        {"blue", blueOf, redOf, greenOf}};
    for (QSize size : {standard, odd}) {
        for (const auto& ramp : ramps) {
            const Drawn d = draw(ramp.name, size);
            const double w = pixelsToTwips(size.width());
            EXPECT_EQ(d.lines, long(w)) << ramp.name; // one line per twip of the width
            EXPECT_EQ(ramp.level(d.at(0, 0)), 0) << ramp.name;
            EXPECT_EQ(ramp.level(d.at(d.width() - 1, d.height() - 1)), 255) << ramp.name;
            for (int x = 0; x < d.width(); ++x) {
                const RgbColor top = d.at(x, 0);
                ASSERT_EQ(d.at(x, d.height() - 1), top) << ramp.name << " column " << x;
                ASSERT_EQ(ramp.other1(top), 0);
                ASSERT_EQ(ramp.other2(top), 0);
                // The level of the column's last line, up to the running sum's drift.
                const double exact = lastTwipOf(x) * 255.0 / w;
                ASSERT_NEAR(ramp.level(top), exact, 0.75) << ramp.name << " column " << x;
            }
        }
    }
}

TEST(GrayColumns, SixteenColumnsFromSixteenToWhiteWithNoBlack)
{
    for (QSize size : {standard, QSize(1366, 768), odd}) {
        const Drawn d = draw("gray-columns", size);
        const double w = pixelsToTwips(size.width()) / 16.0;
        // Column i ends at X(i), the first whole twip at or beyond i · w.
        auto columnOfTwip = [&](long twip) {
            int i = 1;
            while (twip > std::ceil(i * w))
                ++i;
            return i;
        };
        const long lastLine = long(std::ceil(16 * w));
        EXPECT_EQ(d.lines, lastLine);
        EXPECT_EQ(d.events, std::uint64_t(lastLine + 16)); // after every line and column
        for (int x = 0; x < d.width(); ++x) {
            const int i = columnOfTwip(std::min(lastTwipOf(x), lastLine));
            ASSERT_EQ(grayOf(d.at(x, 0)), i < 16 ? 16 * i : 255) << size.width() << " px " << x;
            ASSERT_EQ(d.at(x, d.height() - 1), d.at(x, 0));
        }
    }
    // A 1024-pixel screen: 64 pixels a column, exactly.
    const Drawn d = draw("gray-columns", standard);
    EXPECT_EQ(d.lines, 15360);
    EXPECT_EQ(grayOf(d.at(63, 100)), 16);
    EXPECT_EQ(grayOf(d.at(64, 100)), 32);
    EXPECT_EQ(grayOf(d.at(959, 100)), 240);
    EXPECT_EQ(grayOf(d.at(960, 100)), 255);
}

TEST(SteppedColumns, TypedCountsInGrayAndInOneChannel)
{
    const struct {
        double count;
        std::optional<Channel> channel;
        std::vector<int> levels; // column by column, left to right
    } cases[] = {
        {10, std::nullopt, {26, 51, 77, 102, 128, 154, 179, 205, 230, 255}},
        {10, Channel::Red, {230, 205, 179, 154, 128, 102, 77, 51, 26, 0}},
        {16, Channel::Green,
            {240, 224, 208, 192, 176, 160, 144, 128, 112, 96, 80, 64, 48, 32, 16, 0}},
        // 13 columns, the 13th past the right edge: 266 drawn as 255, below 0 as 0.
        {12.5, std::nullopt, {20, 41, 61, 82, 102, 123, 143, 164, 184, 205, 225, 246, 255}},
        {12.5, Channel::Blue, {236, 215, 195, 174, 154, 133, 113, 92, 72, 51, 31, 10, 0}},
    };
    for (const auto& c : cases) {
        Drawn d(standard);
        TestRun run = SteppedColumns<double>(d, c.count, c.channel);
        runToCompletion(run);
        const double w = 15360 / c.count; // twips
        for (std::size_t i = 0; i < c.levels.size(); ++i) {
            // The middle of column i + 1, where it lies on the screen.
            const int x = int((i + 0.5) * w / 15);
            if (x >= d.width())
                continue;
            const int level = c.levels[i];
            const RgbColor expected =
                !c.channel ? RGB(level, level, level) : channelColour(*c.channel, level);
            EXPECT_EQ(d.at(x, 400), expected) << c.count << " column " << i + 1;
        }
        EXPECT_EQ(d.lines, long(std::ceil(std::ceil(c.levels.size()) * w))) << c.count;
    }
    // The 12.5-column picture ends with its 13th column at the right edge.
    Drawn d(standard);
    TestRun run = SteppedColumns<double>(d, 12.5, std::nullopt);
    runToCompletion(run);
    EXPECT_EQ(grayOf(d.at(1023, 0)), 255);
    EXPECT_EQ(grayOf(d.at(983, 0)), 255); // from twip X(12) + 1 = 14746 on
    EXPECT_EQ(grayOf(d.at(982, 0)), 246);

    // 16 typed columns are the gray-columns test; 256 of them are 4 pixels wide.
    Drawn typed(standard);
    TestRun sixteen = SteppedColumns<double>(typed, 16, std::nullopt);
    runToCompletion(sixteen);
    EXPECT_EQ(typed.raster().image(), draw("gray-columns", standard).raster().image());
    Drawn fine(standard);
    TestRun many = SteppedColumns<double>(fine, 256, std::nullopt);
    runToCompletion(many);
    for (int column = 1; column <= 256; column += 17)
        for (int x = 4 * (column - 1); x < 4 * column; ++x)
            ASSERT_EQ(grayOf(fine.at(x, 10)), std::min(column, 255)) << column;
}

TEST(ColourGradient, FollowsTheGrayOneInASingleChannel)
{
    const Drawn gray = draw("gray-gradient", odd);
    for (Channel channel : {Channel::Red, Channel::Green, Channel::Blue}) {
        Drawn d(odd);
        TestRun run = Gradient(d, channel);
        runToCompletion(run);
        EXPECT_EQ(d.lines, gray.lines);
        for (int y = 0; y < d.height(); y += 3)
            for (int x = 0; x < d.width(); x += 3)
                ASSERT_EQ(d.at(x, y), channelColour(channel, grayOf(gray.at(x, y))))
                    << x << "," << y;
    }
}

TEST(GrayGradient, RunsFromWhiteAtTheTopLeftToBlackOnlyInTheFarCorner)
{
    for (QSize size : {standard, odd}) {
        const Drawn d = draw("gray-gradient", size);
        const double w = size.width(), h = size.height();
        EXPECT_EQ(d.lines, 2 * long(pixelsToTwips(size.width())));
        EXPECT_EQ(grayOf(d.at(0, 0)), 255);
        EXPECT_EQ(grayOf(d.at(d.width() - 1, d.height() - 1)), 0);
        long black = 0;
        for (int y = 0; y < d.height(); ++y) {
            for (int x = 0; x < d.width(); ++x) {
                const int level = grayOf(d.at(x, y));
                // k ≈ x + y · W / H in pixels; the level falls by 256 over 2W.
                const double k = (x + y * w / h) / w;
                ASSERT_NEAR(level, 256 - 128 * k, 2.5) << x << "," << y;
                if (level == 0) {
                    ++black;
                    ASSERT_GT(k, 1.97) << "black away from the corner at " << x << "," << y;
                }
            }
        }
        EXPECT_GT(black, 0);
        EXPECT_LT(black, long(w * h / 1000)); // a small triangle
        // The anti-diagonal is mid-gray.
        for (int x = 0; x < d.width(); x += 97) {
            const int y = int(h - 1 - x * h / w);
            EXPECT_NEAR(grayOf(d.at(x, y)), 128, 1.5) << x << "," << y;
        }
    }
    const Drawn d = draw("gray-gradient", standard);
    EXPECT_EQ(d.lines, 30720);
}

namespace {

struct ToneField {
    int band, column;
    RgbColor dark, light;
};

// The picture the fields make, by band (top to bottom) and column (left to right).
const ToneField toneFields[] = {
    {1, 1, RGB(0, 0, 0), RGB(0, 0, 0)},
    {1, 2, RGB(0, 0, 192), RGB(0, 0, 255)},
    {1, 3, RGB(0, 192, 0), RGB(0, 255, 0)},
    {1, 4, RGB(0, 192, 192), RGB(0, 255, 255)},
    {2, 1, RGB(192, 0, 0), RGB(255, 0, 0)},
    {2, 2, RGB(192, 0, 192), RGB(255, 0, 255)},
    {2, 3, RGB(192, 192, 0), RGB(255, 255, 0)},
    {2, 4, RGB(192, 192, 192), RGB(255, 255, 255)},
    {3, 1, RGB(0, 0, 0), RGB(192, 192, 192)},
    {3, 2, RGB(0, 0, 64), RGB(0, 0, 128)},
    {3, 3, RGB(0, 64, 0), RGB(0, 128, 0)},
    {3, 4, RGB(0, 64, 64), RGB(0, 128, 128)},
    {4, 1, RGB(64, 0, 0), RGB(128, 0, 0)},
    {4, 2, RGB(64, 0, 64), RGB(128, 0, 128)},
    {4, 3, RGB(64, 64, 0), RGB(128, 128, 0)},
    {4, 4, RGB(64, 64, 64), RGB(128, 128, 128)},
};

} // namespace

TEST(Tones, FourBandsOfFourFieldsInTheirColours)
{
    for (QSize size : {standard, odd}) {
        for (const char* name : {"dark-tones", "light-tones"}) {
            const bool dark = std::string(name) == "dark-tones";
            const Drawn d = draw(name, size);
            const long n = long(std::ceil(pixelsToTwips(size.height()) / 4.0)); // passes
            EXPECT_EQ(d.events, std::uint64_t(n)) << name;
            EXPECT_EQ(d.lines, 16 * n) << name;
            const double q = pixelsToTwips(size.width()) / 4.0;
            int blackFields = 0;
            for (const ToneField& f : toneFields) {
                const RgbColor expected = dark ? f.dark : f.light;
                blackFields += expected == 0;
                // Every pixel of the field but its edges, which may split either way.
                const int x0 = int(std::floor((f.column - 1) * q / 15)) + 1;
                const int x1 = int(std::floor(f.column * q / 15)) - 1;
                const int y0 = int(std::floor((f.band - 1) * n / 15.0)) + 1;
                const int y1 = std::min(int(std::floor(f.band * n / 15.0)) - 1, d.height() - 1);
                for (int y = y0; y <= y1; ++y)
                    for (int x = x0; x <= std::min(x1, d.width() - 1); ++x)
                        ASSERT_EQ(d.at(x, y), expected) << name << " band " << f.band << " column "
                                                        << f.column << " at " << x << "," << y;
            }
            EXPECT_EQ(blackFields, dark ? 2 : 1) << name;
        }
    }
    // 768 pixels: 2880 passes, the band edges at 2880, 5760 and 8640 twips,
    // pixel rows 192, 384 and 576.
    const Drawn d = draw("light-tones", standard);
    EXPECT_EQ(d.events, 2880u);
    EXPECT_EQ(d.at(300, 191), RGB(0, 0, 255));
    EXPECT_EQ(d.at(300, 193), RGB(255, 0, 255));
    EXPECT_EQ(d.at(300, 767), RGB(128, 0, 128));
}

TEST(Uniformity, RampFromBlackToWhiteUnderASixLineWhiteGrid)
{
    for (QSize size : {standard, odd}) {
        const Drawn d = draw("uniformity", size);
        const double h = pixelsToTwips(size.height());
        EXPECT_EQ(d.events, std::uint64_t(h));
        EXPECT_EQ(d.lines, long(h) + 6);
        const int gridX[] = {int(std::floor(size.width() / 4.0)),
            int(std::floor(size.width() / 2.0)), int(std::floor(size.width() * 3 / 4.0))};
        const int gridY[] = {int(std::floor(size.height() / 4.0)),
            int(std::floor(size.height() / 2.0)), int(std::floor(size.height() * 3 / 4.0))};
        auto onGrid = [&](int x, int y) {
            for (int i = 0; i < 3; ++i)
                if (x == gridX[i] || y == gridY[i])
                    return true;
            return false;
        };
        EXPECT_EQ(grayOf(d.at(1, 0)), 0);
        EXPECT_EQ(grayOf(d.at(1, d.height() - 1)), 255);
        for (int y = 0; y < d.height(); ++y) {
            const double exact = lastTwipOf(y) * 255.0 / h;
            for (int x = 0; x < d.width(); ++x) {
                const int level = grayOf(d.at(x, y));
                if (onGrid(x, y))
                    ASSERT_EQ(level, 255) << x << "," << y;
                else
                    ASSERT_NEAR(level, exact, 0.75) << x << "," << y;
            }
        }
    }
}

TEST(Bleeding, FrameSetInByAWidthTwentyFourthAndFourCornerArcs)
{
    for (QSize size : {standard, QSize(1920, 1080), odd}) {
        const Drawn d = draw("bleeding", size);
        const double w = pixelsToTwips(size.width()), h = pixelsToTwips(size.height());
        const double inset = w / 24;
        const int left = int(std::floor(inset / 15)), right = int(std::floor((w - inset) / 15));
        const int top = left, bottom = int(std::floor((h - inset) / 15));
        const double radius = std::floor(w / 12 / 15);
        const QPoint corners[] = {
            {0, 0}, {size.width(), 0}, {0, size.height()}, {size.width(), size.height()}};
        for (int y = 0; y < d.height(); ++y) {
            for (int x = 0; x < d.width(); ++x) {
                const bool frame = x == left || x == right || y == top || y == bottom;
                bool arc = false;
                for (QPoint c : corners)
                    arc = arc || std::abs(std::hypot(x - c.x(), y - c.y()) - radius) < 1.0;
                const RgbColor p = d.at(x, y);
                if (frame) {
                    ASSERT_EQ(p, RGB(255, 255, 255)) << x << "," << y;
                } else if (!arc) {
                    ASSERT_EQ(p, RGB(0, 0, 0)) << x << "," << y;
                }
            }
        }
        // Each quarter arc reaches both edges of its corner.
        EXPECT_EQ(d.at(int(radius), 0), RGB(255, 255, 255));
        EXPECT_EQ(d.at(0, int(radius)), RGB(255, 255, 255));
        EXPECT_EQ(d.at(size.width() - int(radius), 0), RGB(255, 255, 255));
        EXPECT_EQ(d.at(0, size.height() - int(radius)), RGB(255, 255, 255));
    }
    const Drawn d = draw("bleeding", standard); // inset 640 twips, frame at 42, 981, 42, 725
    EXPECT_EQ(d.at(42, 300), RGB(255, 255, 255));
    EXPECT_EQ(d.at(981, 300), RGB(255, 255, 255));
    EXPECT_EQ(d.at(500, 725), RGB(255, 255, 255));
    EXPECT_EQ(d.at(500, 726), RGB(0, 0, 0));
}

TEST(Noise, GrayExactlyWhereTheColumnAndTheRowAreEven)
{
    for (QSize size : {standard, odd}) {
        const Drawn d = draw("noise", size);
        const long rows = long(std::ceil(pixelsToTwips(size.height()) / 30.0));
        const long columns = long(std::ceil(pixelsToTwips(size.width()) / 30.0));
        EXPECT_EQ(d.lines, rows + columns);
        EXPECT_EQ(d.events, std::uint64_t(rows + columns));
        for (int y = 0; y < d.height(); ++y)
            for (int x = 0; x < d.width(); ++x)
                ASSERT_EQ(d.at(x, y), x % 2 == 0 && y % 2 == 0 ? RGB(149, 149, 149) : RGB(0, 0, 0))
                    << x << "," << y;
    }
    const Drawn d = draw("noise", standard);
    EXPECT_EQ(d.lines, 384 + 512);
}

TEST(Pattern, FollowsAChangeOfResolutionBetweenSlices)
{
    // The screen shrinks and then grows while the tests run; the raster keeps
    // its size and clips, and each loop's bound follows the fresh size.
    for (const Pattern& pattern : allPatterns()) {
        QSize screen(640, 480);
        RasterCanvas canvas(QSize(640, 480), [&] { return screen; });
        TestRun run = pattern.start(canvas);
        long steps = 0;
        while (run.resume()) {
            ++steps;
            if (steps == 50)
                screen = QSize(320, 200);
            if (steps == 100)
                screen = QSize(1280, 1024);
            ASSERT_LT(steps, 1'000'000) << pattern.name << " does not end";
        }
    }
}
