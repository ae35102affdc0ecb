#pragma once

#include <cstdint>
#include <vector>

#include "formats/PackedBitmap.h"

// A picture as a screen shows it: 32-bit 0xAARRGGBB pixels, rows from the
// top, no padding. 8-bit pictures are shown through their own palette.

namespace tavolex {

struct DisplayImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// Fills `display` from `image`; an empty image gives an empty display image.
void MakeDisplayImage(const PackedBitmap& image, DisplayImage& display);

} // namespace tavolex
