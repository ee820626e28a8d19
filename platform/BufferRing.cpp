// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/BufferRing.h"

void BufferRing::reset(int count, QSize size)
{
    size_ = size;
    buffers_.assign(std::size_t(std::max(0, count)), {});
    outdate();
}

void BufferRing::changed(const QRegion& area)
{
    const QRegion within = area & QRect(QPoint(), size_);
    for (Buffer& buffer : buffers_)
        buffer.stale |= within;
}

void BufferRing::outdate()
{
    for (Buffer& buffer : buffers_)
        buffer.stale = QRect(QPoint(), size_);
}

std::optional<int> BufferRing::writable() const
{
    for (std::size_t i = 0; i < buffers_.size(); ++i)
        if (!buffers_[i].held)
            return int(i);
    return std::nullopt;
}

void BufferRing::written(int buffer)
{
    buffers_[std::size_t(buffer)] = {true, {}};
}

void BufferRing::released(int buffer)
{
    buffers_[std::size_t(buffer)].held = false;
}
