#pragma once

#include <cstdint>

#include "core/Error.h"
#include "formats/PackedBitmap.h"

// Conversion between 24-bit images and 8-bit images in the game's palette.

namespace tavolex {

// The first index j in [first, end) whose colour has the smallest distance
// |dr| + |dg| + |db| to the given colour. A plain search over the candidates;
// ReduceToPalette gives the same answers faster.
std::uint8_t NearestPaletteIndex(std::uint8_t red, std::uint8_t green, std::uint8_t blue, int first, int end);

// Converts a 24-bit image into an 8-bit image with the game's palette, each
// pixel the nearest candidate as NearestPaletteIndex defines it.
// The pages use the ranges 1-254, 1-255, 0-254 and 1-224 (end exclusive).
[[nodiscard]] Error ReduceToPalette(const PackedBitmap& source, PackedBitmap& destination, int first, int end);

// Converts an 8-bit image into a 24-bit one through the source's own palette.
[[nodiscard]] Error ExpandFromPalette(const PackedBitmap& source, PackedBitmap& destination);

} // namespace tavolex
