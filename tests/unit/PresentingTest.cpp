// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/BufferRing.h"
#include "canvas/FrameRecord.h"
#include "platform/OutputGeometry.h"
#include "platform/PixmapPresentation.h"
#include "platform/WaylandPresentation.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(OutputGeometry, TheTrueScaleIsTheModeOverTheLogicalSizeAndSaysWhereItIsNotWhole)
{
    // The mode, its transform, the logical size and the whole scale; the pixels,
    // scale and wholeness it gives.
    for (const auto& [mode, transform, logical, wholeScale, pixels, scale, whole] :
        {std::tuple{QSize(1920, 1080), 0, QSize(1280, 720), 2, QSize(1920, 1080), 1.5, true},
            {{1920, 1080}, 0, {1536, 864}, 2, {1920, 1080}, 1.25, true},
            {{1680, 1050}, 0, {960, 600}, 2, {1680, 1050}, 1.75, true},
            // sway cuts 910.67 to 910: the height still tells 1.5.
            {{1366, 768}, 0, {910, 512}, 2, {1366, 768}, 1.5, false},
            // 2560 at 1.333 is 1920.48: a third, not 1.333.
            {{2560, 1440}, 0, {1920, 1080}, 2, {2560, 1440}, 4.0 / 3, true},
            // Turned a quarter, as a portrait monitor is (90 and flipped 270).
            {{1920, 1080}, 1, {720, 1280}, 2, {1080, 1920}, 1.5, true},
            {{1920, 1080}, 7, {720, 1280}, 2, {1080, 1920}, 1.5, true},
            {{1920, 1080}, 2, {1280, 720}, 2, {1920, 1080}, 1.5, true},
            // No xdg-output: the output's whole scale.
            {{3840, 2160}, 0, {}, 2, {3840, 2160}, 2, true},
            {{1366, 768}, 0, {}, 3, {1366, 768}, 3, false}}) {
        SCOPED_TRACE(testing::Message() << mode.width() << 'x' << mode.height() << " t" << transform
                                        << " over " << logical.width());
        const OutputScale got =
            outputScaleOf(transformedMode(mode, transform), logical, wholeScale);
        EXPECT_EQ(got.pixels, pixels);
        EXPECT_DOUBLE_EQ(got.scale, scale);
        EXPECT_EQ(got.whole, whole);
    }
    EXPECT_TRUE(outputScaleOf({}, {1280, 720}, 1).pixels.isEmpty());
}

TEST(OutputGeometry, TheBufferIsTheDestinationAtTheScaleRoundedHalfAway)
{
    EXPECT_EQ(bufferPixels({1280, 720}, 1.5), QSize(1920, 1080));
    EXPECT_EQ(bufferPixels({910, 512}, 1.5), QSize(1365, 768));
    EXPECT_EQ(bufferPixels({683, 384}, 2), QSize(1366, 768));
    EXPECT_EQ(bufferPixels({101, 1}, fractionalScale(180)), QSize(152, 2));
    EXPECT_EQ(bufferPixels({960, 600}, fractionalScale(210)), QSize(1680, 1050));
}

// The fault it is for: a buffer the compositor still holds written again.
TEST(BufferRing, OnlyAReleasedBufferIsWrittenAndItCatchesUpOnAllItMissed)
{
    BufferRing ring;
    ring.reset(3, {100, 50});
    const QRegion whole(0, 0, 100, 50);
    ASSERT_EQ(ring.writable(), 0);
    EXPECT_EQ(ring.stale(0), whole);
    ring.written(0);
    EXPECT_TRUE(ring.stale(0).isEmpty());
    ring.changed(QRect(10, 10, 5, 5));
    ASSERT_EQ(ring.writable(), 1);
    ring.written(1);
    ring.changed(QRect(90, 40, 20, 20)); // past the edge: clipped
    ASSERT_EQ(ring.writable(), 2);
    ring.written(2);
    EXPECT_EQ(ring.writable(), std::nullopt);
    ring.released(0);
    ASSERT_EQ(ring.writable(), 0);
    EXPECT_EQ(ring.stale(0), QRegion(10, 10, 5, 5) | QRegion(90, 40, 10, 10));
    EXPECT_EQ(ring.stale(1), QRegion(90, 40, 10, 10));
    ring.outdate();
    EXPECT_EQ(ring.stale(2), whole);
}

// The X server's completions, as a 60 Hz Xvfb or a stalled program sees them.
TEST(PixmapPresentation, EachFrameAimsAtTheNextRefreshAndTheServersWordIsCountedOnce)
{
    PixmapPresentation pixmaps(60);
    pixmaps.reset(2, {100, 50});
    FrameRecord record;
    record.start(60, TimingSource::X11Present);
    // Presents the next frame and completes it at `msc` as `mode`; the pixmap
    // is idle again at once unless `held`.
    const auto frame = [&](std::uint64_t msc, PresentMode mode = PresentMode::Copy,
                           bool held = false) {
        // value() fails the test, throwing, where there is none.
        const PixmapPresentation::Next next = pixmaps.next().value();
        pixmaps.presented(next);
        EXPECT_FALSE(pixmaps.next()) << "one presentation outstanding at a time";
        record.add(pixmaps.completed(next.serial, mode, msc, msc * 16'667).value()); // UST in µs
        if (!held)
            pixmaps.idle(next.pixmap);
        return next;
    };
    EXPECT_EQ(frame(100).targetMsc, 0u); // the first: the next refresh, whichever
    EXPECT_EQ(frame(101).targetMsc, 101u);
    EXPECT_EQ(frame(102, PresentMode::Flip).targetMsc, 102u);
    // Stopped for half a second: the completion read on waking is stale, on
    // time; the frame after it is shown 30 refreshes late, and counted once.
    EXPECT_EQ(frame(103).targetMsc, 103u);
    EXPECT_EQ(frame(134).targetMsc, 104u);
    EXPECT_EQ(frame(135, PresentMode::Skip).targetMsc, 135u);
    EXPECT_EQ(frame(137, PresentMode::SuboptimalCopy).targetMsc, 136u); // a refresh late
    EXPECT_EQ(record.shown, 6);
    EXPECT_EQ(record.missed, 30 + 1 + 1); // slept through, the skip, the late one's
    EXPECT_EQ(record.late, 2);
    EXPECT_NEAR(record.measuredRefreshRate().value_or(0), 60, 0.1);
    const PresentedCounts presented = record.presented.value();
    EXPECT_EQ(std::tuple(presented.copy, presented.flip, presented.skip, presented.suboptimal),
        std::tuple(4, 1, 1, 1));

    // A pixmap the server still holds is never written: a flipped one stays
    // busy until the next frame replaces it.
    const int flipped = frame(138, PresentMode::Flip, true).pixmap;
    EXPECT_NE(pixmaps.next().value().pixmap, flipped);
    const int other = frame(139, PresentMode::Flip, true).pixmap;
    EXPECT_FALSE(pixmaps.next());
    pixmaps.idle(flipped);
    EXPECT_EQ(pixmaps.next().value().pixmap, flipped);
    EXPECT_NE(other, flipped);

    // A completion for a serial not outstanding is not ours.
    EXPECT_FALSE(pixmaps.completed(12345, PresentMode::Copy, 140, 0));
    pixmaps.forgetRefresh();
    EXPECT_EQ(pixmaps.next().value().targetMsc, 0u);
}

// Feedback from a 60 Hz output with a count (seq) and from one without.
TEST(PresentationCount, AFrameShownAfterTheRefreshItWasMeantForIsLate)
{
    constexpr std::int64_t ms = 1'000'000, period = 16'666'667;
    for (const bool counted : {true, false}) {
        SCOPED_TRACE(counted ? "seq" : "no seq");
        const auto seq = [counted](std::uint64_t n) { return counted ? 1000 + n : 0; };
        PresentationCount count(60);
        EXPECT_FALSE(count.anchored());
        EXPECT_FALSE(count.presented(0, 10 * ms, period, seq(0)).late.has_value());
        EXPECT_EQ(count.refreshAt(12 * ms), 1u);
        EXPECT_EQ(count.presented(12 * ms, 10 * ms + period, period, seq(1)).late, false);
        // Committed in time for refresh 2, shown at 4: two refreshes late.
        const FrameTime late = count.presented(20 * ms, 10 * ms + 4 * period, period, seq(4));
        EXPECT_EQ(late.late, true);
        EXPECT_EQ(late.refresh, counted ? std::optional<std::uint64_t>(1004) : std::nullopt);
        EXPECT_EQ(count.refreshAt(10 * ms + 4 * period + ms), 5u);
        count.reset();
        EXPECT_FALSE(count.anchored());
    }
}
