#include "formats/BitmapOps.h"

#include <algorithm>
#include <cstring>

namespace tavolex {

void FillBitmap(PackedBitmap& destination, int width, int height, std::uint32_t colour,
                std::uint8_t index, Depth depth) {
    if (!destination.reset(width, height, depth)) {
        return;
    }
    for (int r = 0; r < height; ++r) {
        std::uint8_t* row = destination.row(r);
        if (depth == Depth::Bits8) {
            std::memset(row, index, static_cast<std::size_t>(width));
            continue;
        }
        for (int x = 0; x < width; ++x) {
            row[3 * x + 0] = static_cast<std::uint8_t>(colour >> 16);
            row[3 * x + 1] = static_cast<std::uint8_t>(colour >> 8);
            row[3 * x + 2] = static_cast<std::uint8_t>(colour);
        }
    }
}

void FlipBitmap(PackedBitmap& bitmap) {
    // Any stride: the wide 24-bit art sheets must flip as well as the liveries.
    const std::size_t stride = bitmap.stride();
    for (int r = 0; r < bitmap.height() / 2; ++r) {
        std::swap_ranges(bitmap.row(r), bitmap.row(r) + stride, bitmap.row(bitmap.height() - 1 - r));
    }
}

void FlipBitmap(const PackedBitmap& source, PackedBitmap& destination) {
    destination = source;
    FlipBitmap(destination);
}

} // namespace tavolex
