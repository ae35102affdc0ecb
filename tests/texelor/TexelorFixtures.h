#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "formats/PackedBitmap.h"

namespace texelor::test {

// A hardware JAM of a 256 x height photo-like sheet with `records` records.
std::vector<std::uint8_t> MakeJam(int height, int records = 3, unsigned seed = 1);
// The pixels (0x00RRGGBB, top first) a JAM of MakeJam decodes to.
std::vector<std::uint32_t> ExpectedPixels(int height, unsigned seed = 1);
// The 0x00RRGGBB pixels of a 24-bit picture, top row first.
std::vector<std::uint32_t> PixelsOf(const tavolex::PackedBitmap& image);

} // namespace texelor::test
