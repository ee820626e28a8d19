#include "canvas/Raster.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <utility>

namespace {

constexpr RgbColor White = 0xFFFFFF;
constexpr float T = 15; // twips per pixel, for readable coordinates

std::set<std::pair<int, int>> paintedPixels(const Raster& raster)
{
    std::set<std::pair<int, int>> painted;
    for (int y = 0; y < raster.size().height(); ++y)
        for (int x = 0; x < raster.size().width(); ++x)
            if (raster.pixel(x, y) != 0)
                painted.insert({x, y});
    return painted;
}

} // namespace

TEST(Raster, StartsBlackAndClearsToTheBackColourEverywhere)
{
    Raster raster(QSize(7, 5));
    EXPECT_TRUE(paintedPixels(raster).empty());
    raster.clear(RGB(212, 208, 200));
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            ASSERT_EQ(raster.pixel(x, y), RGB(212, 208, 200));
}

TEST(Raster, LinesPaintBothEndPoints)
{
    Raster raster(QSize(20, 20));
    raster.line(2 * T, 3 * T, 9 * T + 14, 3 * T, White); // end twips inside pixel 9
    raster.line(12 * T, 15 * T, 12 * T, 5 * T, White); // drawn upwards
    std::set<std::pair<int, int>> expected;
    for (int x = 2; x <= 9; ++x)
        expected.insert({x, 3});
    for (int y = 5; y <= 15; ++y)
        expected.insert({12, y});
    EXPECT_EQ(paintedPixels(raster), expected);
}

TEST(Raster, AShortSlantedLineNearTheCornerReachesRowZero)
{
    // The gray gradient's first line, (0, 0.75) to (1, 0): without its end
    // point the top row would never be painted.
    Raster raster(QSize(4, 4));
    raster.line(0, 0.75f, 1, 0, White);
    EXPECT_EQ(paintedPixels(raster), (std::set<std::pair<int, int>>{{0, 0}}));
}

TEST(Raster, SlantedLinesAreUnbrokenAndOnePixelThick)
{
    Raster raster(QSize(40, 30));
    raster.line(1 * T, 2 * T, 37 * T, 25 * T, White); // x-major
    raster.line(30 * T, 1 * T, 25 * T, 28 * T, White); // y-major, leaning left
    const auto painted = paintedPixels(raster);
    EXPECT_TRUE(painted.count({1, 2}) && painted.count({37, 25}));
    EXPECT_TRUE(painted.count({30, 1}) && painted.count({25, 28}));
    Raster single(QSize(40, 30));
    single.line(1 * T, 2 * T, 37 * T, 25 * T, White);
    // One pixel per column of the x-major line, each next to the one before.
    int previousY = -1;
    for (int x = 1; x <= 37; ++x) {
        int count = 0, y = -1;
        for (int row = 0; row < 30; ++row)
            if (single.pixel(x, row) != 0)
                ++count, y = row;
        ASSERT_EQ(count, 1) << "column " << x;
        if (previousY >= 0) {
            EXPECT_LE(std::abs(y - previousY), 1);
        }
        previousY = y;
    }
}

TEST(Raster, ClippingKeepsExactlyThePixelsOfTheUnclippedLine)
{
    // The same line on a large raster and, shifted, on a small one that shows
    // only a window of it: the window must hold the very same pixels.
    Raster large(QSize(200, 200));
    large.line(10 * T, 190 * T, 190 * T, 30 * T, White);
    Raster small(QSize(50, 40));
    const float dx = 80 * T, dy = 90 * T;
    small.line(10 * T - dx, 190 * T - dy, 190 * T - dx, 30 * T - dy, White);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 50; ++x)
            ASSERT_EQ(small.pixel(x, y), large.pixel(x + 80, y + 90)) << x << "," << y;
    EXPECT_FALSE(paintedPixels(small).empty());
}

TEST(Raster, ExtremeCoordinatesAreSafeAndStillDrawTheVisiblePart)
{
    constexpr float inf = std::numeric_limits<float>::infinity();
    constexpr float big = std::numeric_limits<float>::max();
    const float nan = std::nanf("");
    Raster raster(QSize(16, 9));
    const float awkward[] = {nan, inf, -inf, big, -big, 1e20f, -1e20f, 3e9f, -3e9f};
    for (float a : awkward) {
        for (float b : awkward) {
            raster.line(a, b, 5, 5, White);
            raster.line(0, a, b, 0, White);
            raster.circle(a, b, 30, White);
            raster.circle(0, 0, a, White);
        }
    }
    // Far beyond both ends, yet the row and the diagonal that cross the
    // raster are drawn across it.
    Raster row(QSize(16, 9));
    row.line(-1e30f, 4 * T, 1e30f, 4 * T, White);
    for (int x = 0; x < 16; ++x)
        EXPECT_EQ(row.pixel(x, 4), White);
    Raster diagonal(QSize(9, 9));
    diagonal.line(-1e12f, -1e12f, 1e12f, 1e12f, White);
    EXPECT_EQ(diagonal.pixel(0, 0), White);
    EXPECT_EQ(diagonal.pixel(8, 8), White);
    EXPECT_EQ(diagonal.pixel(4, 4), White);
}

TEST(Raster, AZeroSizedRasterIgnoresEverything)
{
    Raster raster(QSize(0, 0));
    raster.clear(White);
    raster.line(0, 0, 100, 100, White);
    raster.circle(0, 0, 100, White);
    EXPECT_TRUE(raster.image().isNull());
}

TEST(Raster, CircleOutlineLiesOnItsRadiusAndIsClippedAtTheCorner)
{
    Raster raster(QSize(60, 60));
    raster.circle(30 * T, 30 * T, 20 * T, White);
    const auto painted = paintedPixels(raster);
    ASSERT_FALSE(painted.empty());
    for (auto [x, y] : painted)
        EXPECT_NEAR(std::hypot(x - 30, y - 30), 20.0, 0.75) << x << "," << y;
    for (auto p : {std::pair{50, 30}, {10, 30}, {30, 10}, {30, 50}})
        EXPECT_TRUE(painted.count(p));

    // Centred on a corner only the quarter inside shows.
    Raster corner(QSize(30, 30));
    corner.circle(0, 0, 12 * T, White);
    const auto quarter = paintedPixels(corner);
    EXPECT_TRUE(quarter.count({12, 0}) && quarter.count({0, 12}));
    EXPECT_FALSE(quarter.count({0, 0}));
    for (auto [x, y] : quarter)
        EXPECT_NEAR(std::hypot(x, y), 12.0, 0.75);
}

TEST(Raster, CirclesThatCannotBeDrawnDrawNothing)
{
    Raster raster(QSize(10, 10));
    raster.circle(5 * T, 5 * T, -3 * T, White);
    raster.circle(5 * T, 5 * T, 1e12f, White); // beyond the radius limit
    raster.circle(1e9f, 5 * T, 3 * T, White); // far off the raster
    EXPECT_TRUE(paintedPixels(raster).empty());
    raster.circle(5 * T, 5 * T, 0, White);
    EXPECT_EQ(paintedPixels(raster), (std::set<std::pair<int, int>>{{5, 5}}));
}

TEST(Raster, TracksWhatChangedSinceItWasLastShown)
{
    Raster raster(QSize(50, 40));
    EXPECT_EQ(raster.takeDirty(), QRect(0, 0, 50, 40)); // a new raster is all new
    EXPECT_TRUE(raster.takeDirty().isEmpty());
    raster.line(3 * T, 4 * T, 10 * T, 9 * T, White);
    raster.line(20 * T, 30 * T, 20 * T, 35 * T, White);
    EXPECT_EQ(raster.takeDirty(), QRect(QPoint(3, 4), QPoint(20, 35)));
    raster.line(-100 * T, 5 * T, -50 * T, 5 * T, White); // wholly outside
    EXPECT_TRUE(raster.takeDirty().isEmpty());
    // Steep lines, clipped at the bottom: found by fuzzing, the rectangle once
    // came out with x and y swapped.
    raster.line(0, 64 * T, 47 * T, 0, White);
    EXPECT_EQ(raster.takeDirty(), QRect(QPoint(18, 0), QPoint(47, 39)));
    raster.line(2 * T, 3 * T, 4 * T, 30 * T, White);
    EXPECT_EQ(raster.takeDirty(), QRect(QPoint(2, 3), QPoint(4, 30)));
    raster.circle(0, 0, 5 * T, White);
    EXPECT_EQ(raster.takeDirty(), QRect(0, 0, 6, 6));
    raster.clear(0);
    EXPECT_EQ(raster.takeDirty(), QRect(0, 0, 50, 40));
}

TEST(Raster, ACopyOfTheImageKeepsItsPixelsWhenTheRasterDrawsOn)
{
    Raster raster(QSize(4, 4));
    const QImage before = raster.image();
    raster.line(0, 0, 3 * T, 0, White);
    EXPECT_EQ(before.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(raster.pixel(0, 0), White);
}
