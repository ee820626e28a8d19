// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <optional>

// The ghosting test's frames as they came: a tick more than one and a half
// frame periods after the one before was a frame shown late.
struct FrameRecord {
    void start(double rate);
    void tick(std::int64_t nanoseconds);

    std::int64_t shown = 0;
    std::int64_t late = 0;
    double pixelsPerFrame = 0;

private:
    double period_ = 0;
    std::optional<std::int64_t> last_;
};
