// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "canvas/NumberText.h"
#include "canvas/Raster.h"
#include "canvas/RgbColor.h"
#include "canvas/ScreenMetrics.h"
#include "canvas/Twips.h"
#include "canvas/Val.h"

#include <QRegion>
#include <QTransform>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <set>
#include <utility>

namespace {

constexpr double inf = std::numeric_limits<double>::infinity();

constexpr RgbColor White = 0xFFFFFF;
constexpr float T = 15; // twips per pixel, for readable coordinates
using Pixels = std::set<std::pair<int, int>>;

Pixels paintedPixels(const Raster& raster)
{
    Pixels painted;
    for (int y = 0; y < raster.size().height(); ++y)
        for (int x = 0; x < raster.size().width(); ++x)
            if (raster.pixel(x, y) != 0)
                painted.insert({x, y});
    return painted;
}

// The physical pixels of a logical area as Qt 6.4 rounds them: painted at the
// full ratio; flushed, and copied between its buffers, at Qt's own factor and
// then the platform's whole scale (QTransform's region mapping is Qt's own
// rounding for both).
struct Reached {
    QRegion painted, flushed;
};

Reached reached(const QRect& logical, PixelRatio ratio)
{
    const auto scaled = [](const QRegion& region, qreal factor) {
        return QTransform::fromScale(factor, factor).map(region);
    };
    return {scaled(logical, ratio.full()), scaled(scaled(logical, ratio.qt), ratio.platform)};
}

const PixelRatio Ratios[] = {{1, 1}, {2, 1}, {1, 1.1}, {1, 1.25}, {1, 1.333}, {1, 1.5}, {1, 1.75},
    {1, 2.25}, {2, 1.125}, {2, 1.25}, {2, 1.333}, {2, 1.5}, {2, 1.75}, {2, 2.25}, {3, 1.25}};

} // namespace

TEST(ScreenMetrics, EveryChangedPixelIsPaintedAndFlushedAndTheWindowCoversEveryPixel)
{
    for (const PixelRatio ratio : Ratios) {
        SCOPED_TRACE(testing::Message() << ratio.platform << " x " << ratio.qt);
        for (int x = 0; x < 160; ++x)
            for (const int w : {1, 2, 3, 5, 16, 61}) {
                const QRect changed(x, (x * 7) % 41, w, w % 4 + 1);
                SCOPED_TRACE(testing::Message() << "x " << x << ", width " << w);
                const Reached area = reached(logicalUpdate(changed, ratio), ratio);
                ASSERT_TRUE(QRegion(changed).subtracted(area.painted).isEmpty());
                ASSERT_TRUE(area.painted.xored(area.flushed).isEmpty());
            }
        // The window covers every pixel and at most one logical pixel more.
        for (int pixels = 1; pixels < 4000; ++pixels) {
            const int logical = logicalCover({pixels, 1}, ratio.full()).width();
            ASSERT_GE(qRound(logical * ratio.full()), pixels) << pixels;
            ASSERT_LT((logical - 1) * ratio.full(), pixels) << pixels;
        }
    }
    // A whole scale repaints just the logical pixels that show the change.
    const QRect changed(3, 5, 7, 2);
    EXPECT_EQ(logicalUpdate(changed, {1, 1}), changed);
    EXPECT_EQ(logicalUpdate(changed, {2, 1}), QRect(1, 2, 4, 2));
    EXPECT_EQ(logicalUpdate(changed, {1, 2}), QRect(1, 2, 4, 2));
}

TEST(ScreenMetrics, AClickFindsThePixelUnderItOrTheNearestEdgeOneAndNoneInAnEmptyPicture)
{
    const QSize pixels(1366, 768);
    EXPECT_EQ(pixelAt({300.99, 200.0}, pixels), QPoint(300, 200));
    EXPECT_EQ(pixelAt({1366.0, 768.0}, pixels), QPoint(1365, 767)); // past the last: the last
    EXPECT_EQ(pixelAt({-0.5, 5}, pixels), QPoint(0, 5));
    EXPECT_EQ(pixelAt({std::nan(""), 1e300}, pixels), QPoint(0, 767));
    EXPECT_FALSE(pixelAt({0, 0}, QSize(0, 0)));
    EXPECT_FALSE(pixelAt({0, 0}, QSize(5, 0)));
}

TEST(Twips, FloorOfAFifteenthMapsATwipToItsPixel)
{
    const std::pair<float, double> cases[] = {{0, 0}, {14.99f, 0}, {15, 1}, {-0.5f, -1}, {-15, -1},
        {-15.5f, -2}, {15360, 1024}, {float(inf), inf}};
    for (auto [twips, pixel] : cases)
        EXPECT_EQ(twipsToPixel(twips), pixel) << twips;
    EXPECT_TRUE(std::isnan(twipsToPixel(std::nanf(""))));
}

TEST(Rgb, PacksAndClampsEachChannelAndLevelsRoundHalfToEven)
{
    EXPECT_EQ(RGB(212, 208, 200), 0xC8D0D4u);
    EXPECT_EQ(RGB(-1, 256, -100000), RGB(0, 255, 0));
    const std::pair<double, long> levels[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {127.5, 128},
        {254.5, 254}, {255.5, 256}, {0.50001, 1}, {-1.5, -2}, {std::nan(""), 0},
        {-1e300, -1000000000}, {inf, 1000000000}};
    for (auto [level, whole] : levels)
        EXPECT_EQ(roundLevel(level), whole) << level;
}

TEST(SingleToText, WritesTheTitleNumbersAsTheUserExpects)
{
    const QLocale hungarian(QLocale::Hungarian, QLocale::Hungary);
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(singleToText(16392.0f / 15.0f, hungarian), "1092,8");
    EXPECT_EQ(singleToText(1234567.0f, english), "1234567"); // no grouping
    EXPECT_EQ(singleToText(2.0f / 3.0f, hungarian), "0,6666667"); // seven digits
}

TEST(Val, ReadsTheLeadingNumberOfAText)
{
    const std::pair<const char*, double> cases[] = {{"abc", 0}, {"-16", -16}, {" 1 6", 16},
        {"\t1\n2", 12}, {"+5", 5}, {"-.25", -0.25}, {"1e2", 100}, {"1d2", 100}, {"1e+", 1},
        {"2E-1", 0.2}, {"12,5", 12}, {"1e400", inf}, {"1e-400", 0}, {"16é5", 16}, {"１６", 0}};
    for (auto [text, value] : cases)
        EXPECT_EQ(Val(QString::fromUtf8(text)), value) << '"' << text << '"';
}

TEST(Raster, LinesPaintBothEndPointsWhereverTheyAreClipped)
{
    Raster raster(QSize(20, 20));
    const QImage before = raster.image();
    raster.line(2 * T, 3 * T, 9 * T + 14, 3 * T, White); // ends inside pixel 9
    raster.line(12 * T, 15 * T, 12 * T, 5 * T, White); // drawn upwards
    raster.line(0, 0.75f, 1, 0, White); // the gradient's first line reaches row 0 by its end
    Pixels expected{{0, 0}};
    for (int i = 2; i <= 9; ++i)
        expected.insert({i, 3});
    for (int i = 5; i <= 15; ++i)
        expected.insert({12, i});
    EXPECT_EQ(paintedPixels(raster), expected);
    EXPECT_EQ(before.pixel(2, 3), qRgb(0, 0, 0)); // an earlier copy keeps its pixels

    // The same lines on a large raster and, shifted, on a small one that
    // shows a window of them: the window holds the very same pixels.
    const float lines[][4] = {{10, 190, 190, 30}, {0, 100, 199, 120}, {60, 0, 70, 199}};
    Raster large(QSize(200, 200)), small(QSize(50, 40));
    for (const auto& l : lines) {
        large.line(l[0] * T, l[1] * T, l[2] * T, l[3] * T, White);
        small.line((l[0] - 80) * T, (l[1] - 90) * T, (l[2] - 80) * T, (l[3] - 90) * T, White);
    }
    EXPECT_EQ(small.image(), large.image().copy(80, 90, 50, 40));
}

TEST(Raster, CirclesAreTheGaplessOutlineNearestTheIdealCircle)
{
    // In twips: raster size, centre and radius; odd sizes, centres off the
    // raster, tiny circles and the bleeding test's corner arcs among them.
    const struct {
        QSize size;
        float x, y, radius;
    } circles[] = {{{61, 61}, 450, 450, 300}, {{1023, 767}, 0, 0, 15345 / 12.0f},
        {{1366, 768}, 20490, 11520, 20490 / 12.0f}, {{37, 23}, 279, 168, 141},
        {{40, 30}, -82, 190, 268}, {{40, 30}, 300, 678, 259}, {{9, 7}, 63, 49, 20},
        {{9, 7}, 67.5f, 52.5f, 6}, {{5, 5}, 37, 37, 0}};
    for (const auto& c : circles) {
        const double cx = c.x / 15.0, cy = c.y / 15.0, r = c.radius / 15.0;
        Raster raster(c.size);
        raster.circle(c.x, c.y, c.radius, White);
        const Pixels painted = paintedPixels(raster);
        auto on = [&](int x, int y) { return painted.count({x, y}) > 0; };
        const QRect inside({}, c.size);
        int clumps = 0;
        for (auto [x, y] : painted) {
            EXPECT_LE(std::abs(std::hypot(x + 0.5 - cx, y + 0.5 - cy) - r), 1.0) << x << "," << y;
            int neighbours = -1; // itself
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    neighbours += on(x + dx, y + dy);
            const bool edge = !inside.contains(QRect(x - 1, y - 1, 3, 3)); // neighbours cut off
            EXPECT_TRUE(neighbours >= 2 || edge || r < 1) << "a gap at " << x << "," << y;
            clumps += on(x + 1, y) && on(x, y + 1) && on(x + 1, y + 1);
        }
        EXPECT_LE(clumps, r < 2 ? 1 : 4) << r; // only where the octants meet
        // Where the outline is steep, each row it crosses holds the pixel it
        // crosses; where it is flat, each column.
        for (int i = 0; i < 1366; ++i) {
            const double dy = i + 0.5 - cy, dx = i + 0.5 - cx, diagonal = r / std::numbers::sqrt2;
            for (int sign : {-1, 1}) {
                const int x = int(std::floor(cx + sign * std::sqrt(r * r - dy * dy)));
                const int y = int(std::floor(cy + sign * std::sqrt(r * r - dx * dx)));
                EXPECT_TRUE(std::abs(dy) > diagonal || !inside.contains(x, i) || on(x, i)) << i;
                EXPECT_TRUE(std::abs(dx) > diagonal || !inside.contains(i, y) || on(i, y)) << i;
            }
        }
    }

    // Centred on a corner only the quarter inside shows, clipped at both edges.
    Raster corner(QSize(13, 13));
    corner.circle(0, 0, 13.5f * T, White);
    EXPECT_TRUE(corner.pixel(12, 4) == White && corner.pixel(4, 12) == White);
    EXPECT_EQ(corner.pixel(0, 1), 0u); // nothing wraps over from the row's end

    Raster dot(QSize(10, 10));
    dot.circle(5 * T, 5 * T, -3 * T, White);
    dot.circle(5 * T, 5 * T, 1e12f, White); // beyond the radius limit: nothing
    dot.circle(5 * T, 5 * T, 0, White);
    EXPECT_EQ(paintedPixels(dot), (Pixels{{5, 5}}));
}

TEST(Raster, TracksWhatChangedSinceItWasLastShown)
{
    Raster raster(QSize(50, 40));
    EXPECT_EQ(raster.takeDirty(), QRect(0, 0, 50, 40)); // a new raster is all new
    EXPECT_TRUE(raster.takeDirty().isEmpty());
    const struct {
        float x1, y1, x2, y2;
        QRect dirty;
    } lines[] = {{3, 4, 10, 9, QRect(3, 4, 8, 6)}, {20, 30, 20, 35, QRect(20, 30, 1, 6)},
        {5, 7, 1, 7, QRect(1, 7, 5, 1)}, {-100, 5, -50, 5, QRect()},
        // A steep line clipped at the bottom: found by fuzzing, the rectangle
        // once came out with x and y swapped.
        {0, 64, 47, 0, QRect(QPoint(18, 0), QPoint(47, 39))}};
    for (const auto& l : lines) {
        raster.line(l.x1 * T, l.y1 * T, l.x2 * T, l.y2 * T, White);
        EXPECT_EQ(raster.takeDirty(), l.dirty) << l.x1 << "," << l.y1;
    }
    raster.circle(0, 0, 5 * T, White);
    EXPECT_EQ(raster.takeDirty(), QRect(0, 0, 5, 5));
}
