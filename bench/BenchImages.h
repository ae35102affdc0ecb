#pragma once

#include <cstdint>
#include <vector>

#include "formats/PackedBitmap.h"

namespace tavolex::bench {

// A 256 x 384 livery-sized sheet with photographic content: smooth gradients
// with noise, so neighbouring pixels rarely repeat exactly.
const PackedBitmap& PhotoSheet24();
// The same sheet reduced to the game's palette.
const PackedBitmap& PhotoSheet8();
// The sheet as RGB565 values, top row first.
const std::vector<std::uint16_t>& PhotoSheet565();

} // namespace tavolex::bench
