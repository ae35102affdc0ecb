#include "formats/BitmapOps.h"

#include <algorithm>
#include <cstring>

namespace tavolex {

void FillBitmap(PackedBitmap& destination, int width, int height, std::uint32_t colour, std::uint8_t index,
                Depth depth) {
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

Error CopyPixels(const PackedBitmap& source, int sx, int sy, PackedBitmap& destination, int dx, int dy, int width,
                 int rows) {
    auto inside = [](const PackedBitmap& image, int x, int y, int w, int h) {
        return !image.empty() && x >= 0 && y >= 0 && w >= 0 && h >= 0 && x <= image.width() - w &&
               y <= image.height() - h;
    };
    if (source.depth() != destination.depth() || !inside(source, sx, sy, width, rows) ||
        !inside(destination, dx, dy, width, rows)) {
        return Error::RectangleOutsideSheet;
    }
    const std::size_t pixel = source.depth() == Depth::Bits8 ? 1 : 3;
    const std::size_t bytes = pixel * static_cast<std::size_t>(width);
    for (int y = 0; y < rows; ++y) {
        std::memmove(destination.topRow(dy + y) + pixel * static_cast<std::size_t>(dx),
                     source.topRow(sy + y) + pixel * static_cast<std::size_t>(sx), bytes);
    }
    return Error::None;
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
