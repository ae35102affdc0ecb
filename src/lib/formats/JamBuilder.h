#pragma once

#include <cstdint>
#include <vector>

#include "core/Error.h"
#include "formats/PackedBitmap.h"

// Makes new JAM files from a picture. The editor itself only ever patches
// existing files; new ones are for the sample game and for tests.

namespace tavolex {

struct JamRectangle {
    int x;
    int y;
    int width;
    int height;
    bool globalIndices = false; // software: no colour table, pixels index the palette directly
};

// A scrambled software JAM of an 8-bit 256 x H picture with these sub-images.
[[nodiscard]] Error BuildSoftwareJam(const PackedBitmap& image, const std::vector<JamRectangle>& rectangles,
                                     bool identityTables, std::vector<std::uint8_t>& file);

// A hardware JAM of a 24-bit 256 x H picture with `imageCount` records; the
// records' kinds cycle through 0-4 as the game's files have them.
[[nodiscard]] Error BuildHardwareJam(const PackedBitmap& image, int imageCount, std::vector<std::uint8_t>& file);

} // namespace tavolex
