// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRegion>
#include <QSize>

#include <optional>
#include <vector>

// The few buffers a surface's frames take turns in: which may be written
// next, and where each is out of date. A compositor may read a buffer it
// holds at any time, so only one it has released is written, and then
// brought up to date with everything that changed since it was last written.
class BufferRing {
public:
    // `count` buffers of `size`, all free and all out of date.
    void reset(int count, QSize size);
    int count() const { return int(buffers_.size()); }
    // `area` of the picture changed.
    void changed(const QRegion& area);
    // Every buffer must be written whole, as for a surface shown anew.
    void outdate();
    // The buffer to write the next frame into; none while the compositor
    // holds them all.
    std::optional<int> writable() const;
    const QRegion& stale(int buffer) const { return buffers_[std::size_t(buffer)].stale; }
    // `buffer` was brought up to date and handed to the compositor.
    void written(int buffer);
    void released(int buffer);

private:
    struct Buffer {
        bool held = false;
        QRegion stale;
    };
    std::vector<Buffer> buffers_;
    QSize size_;
};
