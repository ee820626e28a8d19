// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "canvas/FrameClock.h"
#include "platform/BufferRing.h"

#include <cstdint>
#include <optional>

// Frames shown as X11 Present pixmaps, one presentation outstanding at a
// time: which pixmap may be written (only one the server has called idle),
// the refresh each frame is meant for (the one after the last shown), and
// what the server's completions say of each frame.
class PixmapPresentation {
public:
    explicit PixmapPresentation(double rate);

    // `count` pixmaps of `size`, all idle and all out of date.
    void reset(int count, QSize size);
    // Every pixmap must be written whole.
    void outdate() { ring_.outdate(); }
    void changed(const QRegion& area) { ring_.changed(area); }

    struct Next {
        int pixmap;
        std::uint32_t serial;
        std::uint64_t targetMsc; // 0: the next refresh, whichever it is
    };
    // Where the next frame goes; none while a presentation is outstanding or
    // the server holds every pixmap.
    std::optional<Next> next() const;
    const QRegion& stale(int pixmap) const { return ring_.stale(pixmap); }
    // `next` was brought up to date and presented.
    void presented(const Next& next);
    bool outstanding() const { return outstanding_.has_value(); }

    // The server's CompleteNotify for a pixmap: the frame as the record takes
    // it; none for a serial not outstanding (one sent before a reset).
    std::optional<FrameTime> completed(
        std::uint32_t serial, PresentMode mode, std::uint64_t msc, std::uint64_t ust);
    // A refresh the server told of without a frame (NotifyMSC).
    void refreshed(std::uint64_t msc) { lastMsc_ = msc; }
    // The next frame is meant for the next refresh, however long ago the last was.
    void forgetRefresh() { lastMsc_.reset(); }
    std::optional<std::uint64_t> lastMsc() const { return lastMsc_; }
    void idle(int pixmap) { ring_.released(pixmap); }

private:
    std::int64_t periodNs_;
    BufferRing ring_;
    std::uint32_t serial_ = 0;
    std::optional<Next> outstanding_;
    std::optional<std::uint64_t> lastMsc_;
};
