// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Random clears, lines and circles with any float coordinates — huge,
// negative, NaN, infinite — on small rasters. AddressSanitizer catches any
// write outside the pixels; the checks below catch a changed region that
// leaves the raster or a raster that changes size.
#include "canvas/Raster.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <bit>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    const int w = in.ConsumeIntegralInRange(0, 64), h = in.ConsumeIntegralInRange(0, 64);
    Raster raster(QSize(w, h));
    // A raster with a zero side has no pixels at all.
    const QRect whole = w > 0 && h > 0 ? QRect(0, 0, w, h) : QRect();
    auto coordinate = [&] { return std::bit_cast<float>(in.ConsumeIntegral<std::uint32_t>()); };
    while (in.remaining_bytes() > 0) {
        const RgbColor colour = in.ConsumeIntegral<std::uint32_t>();
        switch (in.ConsumeIntegralInRange(0, 2)) {
        case 0:
            raster.clear(colour);
            break;
        case 1:
            raster.line(coordinate(), coordinate(), coordinate(), coordinate(), colour);
            break;
        default:
            raster.circle(coordinate(), coordinate(), coordinate(), colour);
        }
        const QRect dirty = raster.takeDirty();
        if ((!dirty.isEmpty() && !whole.contains(dirty)) || raster.size() != whole.size())
            std::abort();
    }
    return 0;
}
