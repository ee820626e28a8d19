// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "patterns/GhostingBackground.h"

#include <algorithm>
#include <vector>

QImage makeGhostingBackground(QSize pixels, std::uint32_t seed)
{
    QImage image(pixels, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    const int w = image.width(), h = image.height();
    // Uniform noise, then a 3 × 3 box blur: grain of a pixel or two.
    std::vector<int> noise(std::size_t(w) * h);
    std::uint32_t state = seed ? seed : 1;
    for (int& level : noise) {
        state ^= state << 13, state ^= state >> 17, state ^= state << 5; // xorshift32
        level = 20 + int(state % 90);
    }
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            int sum = 0, count = 0;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    const int sx = x + dx, sy = y + dy;
                    if (sx >= 0 && sx < w && sy >= 0 && sy < h) {
                        sum += noise[std::size_t(sy) * w + sx];
                        ++count;
                    }
                }
            }
            const int level = std::clamp(sum / count, 0, 255);
            row[x] = qRgb(level, level, level);
        }
    }
    return image;
}
