// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "patterns/Tones.h"

#include <cstdint>

namespace {

struct Field {
    int band; // 1 to 4, top to bottom; its row lies at y = band · n
    int fromQuarter; // the line runs from fromQuarter · q ...
    RgbColor dark, light; // ... to (fromQuarter + 1) · q
};

// In drawing order: band 1 left to right, the others right to left.
const Field fields[16] = {
    {1, 0, RGB(0, 0, 0), RGB(0, 0, 0)},
    {1, 1, RGB(0, 0, 192), RGB(0, 0, 255)},
    {1, 2, RGB(0, 192, 0), RGB(0, 255, 0)},
    {1, 3, RGB(0, 192, 192), RGB(0, 255, 255)},
    {2, 3, RGB(192, 192, 192), RGB(255, 255, 255)},
    {2, 2, RGB(192, 192, 0), RGB(255, 255, 0)},
    {2, 1, RGB(192, 0, 192), RGB(255, 0, 255)},
    {2, 0, RGB(192, 0, 0), RGB(255, 0, 0)},
    {3, 3, RGB(0, 64, 64), RGB(0, 128, 128)},
    {3, 2, RGB(0, 64, 0), RGB(0, 128, 0)},
    {3, 1, RGB(0, 0, 64), RGB(0, 0, 128)},
    {3, 0, RGB(0, 0, 0), RGB(192, 192, 192)},
    {4, 3, RGB(64, 64, 64), RGB(128, 128, 128)},
    {4, 2, RGB(64, 64, 0), RGB(128, 128, 0)},
    {4, 1, RGB(64, 0, 64), RGB(128, 0, 128)},
    {4, 0, RGB(64, 0, 0), RGB(128, 0, 0)},
};

} // namespace

TestRun ToneFields(Canvas& canvas, Tones tones)
{
    const float q = canvas.screenWidth() / 4.0f;
    std::int64_t n = 0;
    while (n < double(canvas.screenHeight() / 4.0f)) {
        n = n + 1;
        for (const Field& field : fields) {
            const float y = float(field.band * n);
            canvas.line(float(field.fromQuarter) * q, y, float(field.fromQuarter + 1) * q, y,
                tones == Tones::Dark ? field.dark : field.light);
        }
        co_await DoEvents{};
    }
}
