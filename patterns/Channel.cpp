// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "patterns/Channel.h"

RgbColor channelColour(Channel channel, long level)
{
    switch (channel) {
    case Channel::Red:
        return RGB(level, 0, 0);
    case Channel::Green:
        return RGB(0, level, 0);
    case Channel::Blue:
        return RGB(0, 0, level);
    }
    return RGB(0, 0, 0);
}

RgbColor levelColour(std::optional<Channel> channel, long level)
{
    return channel ? channelColour(*channel, level) : RGB(level, level, level);
}
