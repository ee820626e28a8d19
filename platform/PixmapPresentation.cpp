// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/PixmapPresentation.h"

PixmapPresentation::PixmapPresentation(double rate)
    : periodNs_(std::int64_t(1e9 / usableRefreshRate(rate)))
{
}

void PixmapPresentation::reset(int count, QSize size)
{
    ring_.reset(count, size);
    outstanding_.reset();
}

std::optional<PixmapPresentation::Next> PixmapPresentation::next() const
{
    if (outstanding_)
        return std::nullopt;
    const std::optional<int> pixmap = ring_.writable();
    if (!pixmap)
        return std::nullopt;
    return Next{*pixmap, serial_ + 1, lastMsc_ ? *lastMsc_ + 1 : 0};
}

void PixmapPresentation::presented(const Next& next)
{
    ring_.written(next.pixmap);
    serial_ = next.serial;
    outstanding_ = next;
}

std::optional<FrameTime> PixmapPresentation::completed(
    std::uint32_t serial, PresentMode mode, std::uint64_t msc, std::uint64_t ust)
{
    if (!outstanding_ || outstanding_->serial != serial)
        return std::nullopt;
    const Next sent = *outstanding_;
    outstanding_.reset();
    lastMsc_ = msc;
    // Aimed at no refresh in particular, a frame cannot be late.
    const bool late = sent.targetMsc != 0 && msc > sent.targetMsc;
    return FrameTime{std::int64_t(ust) * 1000, msc, periodNs_, late, mode == PresentMode::Skip,
        mode};
}
