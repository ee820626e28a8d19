// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "checkup/CheckupRecord.h"
#include "platform/Edid.h"
#include "platform/MonitorEdid.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

namespace {

// Writes `bytes` into `block` from `at` on.
QByteArray put(QByteArray block, int at, std::initializer_list<int> bytes)
{
    for (int byte : bytes)
        block[at++] = char(byte);
    return block;
}

QByteArray withChecksum(QByteArray block)
{
    int sum = 0;
    for (int i = 0; i < 127; ++i)
        sum += std::uint8_t(block[i]);
    return put(block, 127, {(256 - sum % 256) % 256});
}

QByteArray textDescriptor(int tag, QByteArray text)
{
    text = (text.size() < 13 ? text + '\n' : text.left(13)).leftJustified(13, ' ');
    return put(QByteArray(5, 0), 3, {tag}) + text;
}

// A detailed timing of w × h with blanking of 160 × 40 at `refresh`, 597 × 336 mm.
QByteArray timing(int w, int h, double refresh)
{
    const int clock = int(std::lround(refresh * (w + 160) * (h + 40) / 10000));
    return put(QByteArray(18, 0), 0, {clock & 0xFF, clock >> 8, w & 0xFF, 160, (w >> 8) << 4,
        h & 0xFF, 40, (h >> 8) << 4, 48, 32, 0x35, 0, 597 & 0xFF, 336 & 0xFF, 0x21, 0, 0, 0x1A});
}

// Version 1.4 may add 255 to the highest vertical rate.
QByteArray rangeLimits(int max)
{
    return put(QByteArray(18, ' '), 0,
        {0, 0, 0, 0xFD, max > 255 ? 2 : 0, 48, max > 255 ? max - 255 : max, 30, 230, 40, 1, '\n'});
}

// An EDID 1.4 base block of a digital sRGB monitor, its descriptors after the given ones dummies.
QByteArray baseBlock(const char* maker, std::uint32_t serial, int week, int year,
    const QList<QByteArray>& descriptors, int extensions = 0)
{
    const int id = (maker[0] - 64) << 10 | (maker[1] - 64) << 5 | (maker[2] - 64);
    QByteArray b = put(QByteArray(128, 0), 0,
        {0, 255, 255, 255, 255, 255, 255, 0, id >> 8, id & 0xFF, 0x42, 0xA1, int(serial & 0xFF),
            int(serial >> 8 & 0xFF), int(serial >> 16 & 0xFF), int(serial >> 24), week,
            year - 1990, 1, 4, 0xA5, 60, 34, 120, 0x3A, 0xEE, 0x95, 0xA3, 0x54, 0x4C, 0x99, 0x26,
            0x0F, 0x50, 0x54});
    b.replace(38, 16, QByteArray(16, 1)); // no standard timings
    for (int i = 0; i < 4; ++i)
        b.replace(54 + 18 * i, 18, descriptors.value(i, textDescriptor(0x10, {})));
    return withChecksum(put(b, 126, {extensions}));
}

const QByteArray dell = baseBlock("DEL", 0, 12, 2024,
    {timing(2560, 1440, 59.95), textDescriptor(0xFF, "ABC1234"),
        textDescriptor(0xFC, "DELL U2723QE"), rangeLimits(144)});

} // namespace

// Each block is read as the monitor meant it, and as little as it says; as Debian's
// own reader of EDIDs reads it too.
TEST(Edid, TheMonitorsOwnWordIsReadAsItMeantItAndAsLittleAsTheBlockSays)
{
    struct Case {
        const char* what;
        QByteArray bytes;
        QString name, serial;
        std::optional<int> week;
        int year;
        std::optional<double> maxRefresh;
        std::optional<QString> decodedName = {}; // edid-decode's where it differs
    };
    const Case cases[] = {
        {"the Dell", dell, "DELL U2723QE", "ABC1234", 12, 2024, 144}, // never "DELL U2723QE-"
        {"no name, a serial number only",
            baseBlock("ABC", 12345, 1, 2010, {timing(1920, 1080, 60)}), "", "12345", 1, 2010, 60},
        {"a name of 13 characters, no line feed",
            baseBlock("ABC", 0, 54, 2000,
                {timing(1920, 1080, 60), textDescriptor(0xFC, "ABCDEFGHIJKLM")}),
            "ABCDEFGHIJKLM", "", 54, 2000, 60},
        {"a model year", baseBlock("XYZ", 0, 0xFF, 2021, {timing(3440, 1440, 100)}), "", "", {},
            2021, 100},
        {"no week", baseBlock("ABC", 0, 0, 1990, {}), "", "", {}, 1990, {}},
        {"unprintable bytes dropped",
            baseBlock("ABC", 0, 3, 2015, {textDescriptor(0xFC, "A\001B\177C")}), "ABC", "", 3, 2015,
            {}, "A"}, // edid-decode ends a name at the first unprintable byte
        {"what follows the line feed is not the name",
            baseBlock("ABC", 0, 3, 2015, {textDescriptor(0xFC, "DELL\n0000000")}), "DELL", "", 3,
            2015, {}},
        {"a range limit past 255 Hz", baseBlock("ABC", 0, 3, 2023, {rangeLimits(360)}), "", "", 3,
            2023, 360},
    };
    // The test packages hold it; a test that went on without it would miss
    // what only it tells, a native refresh a little off among them.
    const QString decoder = QStandardPaths::findExecutable("edid-decode");
    ASSERT_FALSE(decoder.isEmpty()) << "edid-decode is not installed";
    const auto decoded = [&](const QByteArray& bytes, const QStringList& options = {}) {
        QProcess run; // reading the block from its standard input
        run.start(decoder, options);
        run.write(bytes);
        run.closeWriteChannel();
        EXPECT_TRUE(run.waitForFinished(10000));
        return QString::fromUtf8(run.readAllStandardOutput());
    };
    const auto said = [](const QString& text, const char* pattern, int group = 1) {
        return QRegularExpression(pattern).match(text).captured(group);
    };
    EXPECT_TRUE(decoded(dell, {"--check"}).contains("EDID conformity: PASS"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<Edid> edid = Edid::parse(c.bytes);
        ASSERT_TRUE(edid);
        EXPECT_EQ(std::tuple(edid->name, edid->serial, edid->week, edid->year),
            std::tuple(c.name, c.serial, c.week, c.year));
        EXPECT_EQ(edid->maxRefreshRate.has_value(), c.maxRefresh.has_value());
        EXPECT_NEAR(edid->maxRefreshRate.value_or(0), c.maxRefresh.value_or(0), 0.01);
        const QString text = decoded(c.bytes);
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(said(text, "Display Product Name: '(.*)'"), c.decodedName.value_or(c.name));
        EXPECT_EQ(
            c.serial, said(text, "(Display Product Serial Number: '|Serial Number: )([^'\n]*)", 2));
        EXPECT_EQ(c.week.value_or(0), said(text, "Made in: week (\\d+)").toInt());
        EXPECT_EQ(c.year, said(text, "(Made in:( week \\d+ of)?|Model year:) (\\d+)", 3).toInt());
        const auto [pixels, refresh] = edid->native.value_or(DisplayMode{QSize(0, 0)});
        const auto dtd = QRegularExpression("DTD 1: +(\\d+)x(\\d+) +([0-9.]+) Hz").match(text);
        EXPECT_EQ(pixels, QSize(dtd.captured(1).toInt(), dtd.captured(2).toInt()));
        EXPECT_NEAR(refresh, dtd.captured(3).toDouble(), 0.001);
    }
    const std::optional<Edid> edid = Edid::parse(dell);
    ASSERT_TRUE(edid && edid->native);
    EXPECT_EQ(std::tuple(edid->maker, edid->product, edid->native->pixels, edid->physicalSizeMm,
                  edid->version, edid->blocks),
        std::tuple(QString("DEL"), 0xA142, QSize(2560, 1440), QSize(597, 336), QString("1.4"), dell));
    EXPECT_NEAR(edid->native->refreshRate, 59.95, 0.01);
}

// The checkup says so where the picture is not the panel's own or slower than it can be.
TEST(Edid, AModeThatIsNotTheNativeOrTheFastestIsSaid)
{
    ScreenFacts facts;
    facts.edid = Edid::parse(dell);
    ASSERT_TRUE(facts.edid);
    // The mode; whether it is native and the fastest; what is said ("" for nothing).
    for (const auto& [pixels, refresh, native, fastest, says] :
        {std::tuple{QSize(2560, 1440), 143.97, true, true, ""},
            {{1440, 2560}, 144, true, true, ""}, // turned to portrait, still the panel's own
            {{1920, 1080}, 144, false, true,
                "saját felbontása 2560 × 1440 képpont, a kép most 1920 × 1080"},
            {{2560, 1440}, 60, true, false,
                "legfeljebb 144 hertzes frissítésre képes, a kép most 60 hertzes"},
            {{2560, 1440}, 59.94, true, false, "a kép most 59,94 hertzes"}}) {
        SCOPED_TRACE(says);
        facts.pixels = pixels;
        facts.refreshRate = refresh;
        EXPECT_EQ(facts.atNativeResolution(), native);
        EXPECT_EQ(facts.atHighestRefreshRate(), fastest);
        EXPECT_EQ(facts.modeWarning().isEmpty(), !*says);
        EXPECT_TRUE(facts.modeWarning().contains(QString::fromUtf8(says)))
            << facts.modeWarning().toStdString();
    }
    facts.pixels = {1920, 1080};
    facts.refreshRate = 60;
    EXPECT_EQ(facts.modeWarning().count(". A "), 2); // both said, one sentence each
    facts.edid = Edid::parse(baseBlock("ABC", 0, 1, 2020, {}));
    EXPECT_EQ(facts.atNativeResolution(), std::nullopt);
    EXPECT_EQ(facts.atHighestRefreshRate(), std::nullopt);
    EXPECT_EQ(facts.modeWarning(), "");
}

TEST(Edid, ABrokenBlockGivesNoFactsAndABrokenExtensionIsLeftOut)
{
    QByteArray offByOne = dell;
    offByOne[127] = char(offByOne[127] + 1);
    for (const QByteArray& broken : {offByOne, dell.left(127), QByteArray(128, 0), QByteArray()})
        EXPECT_FALSE(Edid::parse(broken));

    // A CTA-861 extension whose detailed timing is faster than the base's.
    QByteArray extension = put(QByteArray(128, 0), 0, {0x02, 0x03, 4});
    extension.replace(4, 18, timing(1920, 1080, 120));
    const QByteArray base = baseBlock("ABC", 0, 1, 2020, {timing(3840, 2160, 60)}, 1);
    const std::optional<Edid> extended = Edid::parse(base + withChecksum(extension));
    ASSERT_TRUE(extended);
    EXPECT_EQ(extended->native->pixels, QSize(3840, 2160));
    EXPECT_NEAR(*extended->maxRefreshRate, 120, 0.01);
    EXPECT_EQ(extended->blocks.size(), 256);
    const std::optional<Edid> cut = Edid::parse(base + extension.left(100));
    ASSERT_TRUE(cut);
    EXPECT_NEAR(*cut->maxRefreshRate, 60, 0.01);
    EXPECT_EQ(cut->blocks, base);
}

TEST(Edid, TheMakersNameComesFromTheListOrIsTheId)
{
    QTemporaryFile list;
    ASSERT_TRUE(list.open() && list.write("# a comment\nDEK\tDelta Kogyo\nDEL\tDell Inc.\n") > 0);
    list.close();
    EXPECT_EQ(makerName("DEL", list.fileName()), "Dell Inc.");
    EXPECT_EQ(makerName("XYZ", list.fileName()), "XYZ");
    EXPECT_EQ(makerName("DEL", "/nonexistent/pnp.ids"), "DEL");
}

// The kernel's copy, for Wayland and wherever RandR has none: DP-1 is card0-DP-1.
TEST(Edid, TheKernelsCopyIsFoundByTheConnectorsName)
{
    QTemporaryDir drm;
    ASSERT_TRUE(drm.isValid());
    for (const char* card : {"card0-DP-1", "card0-DP-10", "card1-HDMI-A-1"})
        ASSERT_TRUE(QDir(drm.path()).mkdir(card));
    QFile file(drm.path() + "/card0-DP-1/edid");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(dell) == dell.size());
    file.close();
    // value() throws, failing the test, where none is found.
    EXPECT_EQ(kernelEdid(drm.path(), "DP-1").value().name, "DELL U2723QE");
    for (const char* none : {"DP-10", "HDMI-A-1", "DP-2", "", "../card0-DP-1"})
        EXPECT_FALSE(kernelEdid(drm.path(), none)) << none;
}
