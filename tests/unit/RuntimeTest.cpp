#include "canvas/NumberText.h"
#include "canvas/RgbColor.h"
#include "canvas/Twips.h"
#include "canvas/Val.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(Rgb, PacksRedGreenBlueAndClampsEachChannel)
{
    EXPECT_EQ(RGB(1, 2, 3), 1u + 256u * 2 + 65536u * 3);
    EXPECT_EQ(RGB(256, 300, 100000), RGB(255, 255, 255));
    EXPECT_EQ(RGB(-1, -256, -100000), RGB(0, 0, 0));
    EXPECT_EQ(RGB(212, 208, 200), 0xC8D0D4u);
    const RgbColor c = RGB(10, 20, 30);
    EXPECT_EQ(redOf(c), 10);
    EXPECT_EQ(greenOf(c), 20);
    EXPECT_EQ(blueOf(c), 30);
}

TEST(RoundLevel, GoesToTheNearestAndHalvesToTheEvenNeighbour)
{
    const struct {
        double level;
        long expected;
    } cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {127.5, 128}, {128.5, 128}, {254.5, 254},
        {255.5, 256}, {0.49999, 0}, {0.50001, 1}, {-0.5, 0}, {-1.5, -2}, {16.0, 16}, {25.6, 26},
        {230.4, 230}};
    for (const auto& c : cases)
        EXPECT_EQ(roundLevel(c.level), c.expected) << c.level;
}

TEST(RoundLevel, NonFiniteAndHugeLevelsStillGiveAUsableChannel)
{
    EXPECT_EQ(roundLevel(std::nan("")), 0);
    EXPECT_EQ(RGB(roundLevel(std::numeric_limits<double>::infinity()), 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(RGB(roundLevel(-1e300), 0, 0), RGB(0, 0, 0));
}

TEST(SingleToText, WritesTheTitleNumbersAsTheUserExpects)
{
    const QLocale hungarian(QLocale::Hungarian, QLocale::Hungary);
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(singleToText(16392.0f / 15.0f, hungarian), "1092,8");
    EXPECT_EQ(singleToText(16392.0f / 15.0f, english), "1092.8");
    EXPECT_EQ(singleToText(1920.0f, hungarian), "1920");
    EXPECT_EQ(singleToText(28800.0f / 15.0f, english), "1920");
    // No grouping, seven significant digits at most.
    EXPECT_EQ(singleToText(1234567.0f, english), "1234567");
    EXPECT_EQ(singleToText(1234567.0f, hungarian), "1234567");
    EXPECT_EQ(singleToText(1.0f / 3.0f, english), "0.3333333");
    EXPECT_EQ(singleToText(2.0f / 3.0f, hungarian), "0,6666667");
}

TEST(Val, ReadsTheLeadingNumberOfAText)
{
    const struct {
        const char* text;
        double expected;
    } cases[] = {
        {"", 0},
        {"abc", 0},
        {"8", 8},
        {"256", 256},
        {"7.99", 7.99},
        {"256.5", 256.5},
        {"300", 300},
        {"0", 0},
        {"-16", -16},
        {"12.5", 12.5},
        {" 16", 16},
        {"16abc", 16},
        {"1e2", 100},
        {"1 6", 16},
        {"\t1\n2", 12},
        {"+5", 5},
        {".5", 0.5},
        {"-.25", -0.25},
        {"1d2", 100},
        {"1e", 1},
        {"1e+", 1},
        {"2E-1", 0.2},
        {"3.4.5", 3.4},
        {"12,5", 12},
        {"-", 0},
        {".", 0},
        {"1e400", std::numeric_limits<double>::infinity()},
        {"1e-400", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Val(QString::fromUtf8(c.text)), c.expected) << '"' << c.text << '"';
}

TEST(Val, StopsAtAnyNonAsciiCharacter)
{
    EXPECT_EQ(Val(QStringLiteral("16é5")), 16);
    EXPECT_EQ(Val(QStringLiteral("１６")), 0); // full-width digits are not digits here
}

TEST(Twips, FloorOfAFifteenthMapsATwipToItsPixel)
{
    EXPECT_EQ(twipsToPixel(0), 0);
    EXPECT_EQ(twipsToPixel(14.99f), 0);
    EXPECT_EQ(twipsToPixel(15), 1);
    EXPECT_EQ(twipsToPixel(0.75f), 0);
    EXPECT_EQ(twipsToPixel(-0.5f), -1);
    EXPECT_EQ(twipsToPixel(-15), -1);
    EXPECT_EQ(twipsToPixel(-15.5f), -2);
    EXPECT_EQ(twipsToPixel(15360), 1024);
    EXPECT_EQ(pixelsToTwips(1024), 15360.0f);
    EXPECT_TRUE(std::isnan(twipsToPixel(std::nanf(""))));
    EXPECT_TRUE(std::isinf(twipsToPixel(std::numeric_limits<float>::infinity())));
}
