// Random clears, lines and circles with any float coordinates — huge,
// negative, NaN, infinite — on small rasters. AddressSanitizer catches any
// write outside the pixels; the checks below catch a dirty rectangle that
// leaves the raster or a raster that changes size.

#include "canvas/Raster.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

struct Input {
    const std::uint8_t* data;
    std::size_t size;

    template <typename T> T take()
    {
        T value{};
        const std::size_t n = std::min(sizeof(T), size);
        std::memcpy(&value, data, n);
        data += n, size -= n;
        return value;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Input in{data, size};
    const int w = in.take<std::uint8_t>() % 65, h = in.take<std::uint8_t>() % 65;
    Raster raster(QSize(w, h));
    // A raster with a zero side has no pixels at all.
    const QSize pixels = w > 0 && h > 0 ? QSize(w, h) : QSize(0, 0);
    const QRect whole(QPoint(0, 0), pixels);
    while (in.size > 0) {
        const std::uint8_t op = in.take<std::uint8_t>();
        const RgbColor colour = in.take<std::uint32_t>();
        switch (op % 3) {
        case 0:
            raster.clear(colour);
            break;
        case 1:
            raster.line(
                in.take<float>(), in.take<float>(), in.take<float>(), in.take<float>(), colour);
            break;
        default:
            raster.circle(in.take<float>(), in.take<float>(), in.take<float>(), colour);
            break;
        }
        const QRect dirty = raster.takeDirty();
        if (!dirty.isEmpty() && !whole.contains(dirty))
            std::abort();
        if (raster.size() != pixels)
            std::abort();
    }
    return 0;
}
