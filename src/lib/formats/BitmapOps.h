#pragma once

#include <cstdint>

#include "core/Error.h"
#include "formats/PackedBitmap.h"

namespace tavolex {

// A colour as Windows gives it: red in bits 0-7, green in 8-15, blue in 16-23.
constexpr std::uint32_t MakeColour(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return red | (green << 8) | (static_cast<std::uint32_t>(blue) << 16);
}

// A W x H image of one colour (24-bit) or one palette index (8-bit). Padding bytes stay zero.
void FillBitmap(PackedBitmap& destination, int width, int height, std::uint32_t colour, std::uint8_t index,
                Depth depth);

// Copies a block of `width` x `rows` pixels from (sx, sy) of `source` to (dx, dy)
// of `destination`, rows counted from the top; both images of the same depth.
// Copies nothing and returns RectangleOutsideSheet when the block leaves either image.
[[nodiscard]] Error CopyPixels(const PackedBitmap& source, int sx, int sy, PackedBitmap& destination, int dx, int dy,
                               int width, int rows);

// Reverses the order of the rows, in place.
void FlipBitmap(PackedBitmap& bitmap);

// Copies `source` into `destination` with the rows reversed.
void FlipBitmap(const PackedBitmap& source, PackedBitmap& destination);

} // namespace tavolex
