// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "canvas/RgbColor.h"

#include <optional>

enum class Channel { Red, Green, Blue };

// A level on one primary, the other two at 0.
RgbColor channelColour(Channel channel, long level);

// A level on one primary, or on all three (gray) when no channel is given.
RgbColor levelColour(std::optional<Channel> channel, long level);
