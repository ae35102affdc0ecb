#pragma once

#include <array>
#include <cstdint>

#include "formats/PackedBitmap.h"

// How the game paints its pit crews: a crew picture's pixel p from 48 up
// belongs to area p / 16 with shade p mod 16, and a team's sixteen crew
// colours each start a range of 16 game palette entries for one area.

namespace tavolex {

using PitCrewColourSet = std::array<std::uint8_t, 16>;

inline constexpr int kFirstPaintedPixel = 48;

// A copy of an 8-bit template with every pixel p >= 48 replaced by
// colours[p / 16] + p mod 16 (modulo 256); other pictures come back unchanged.
PackedBitmap PaintPitCrew(const PackedBitmap& unpainted, const PitCrewColourSet& colours);

} // namespace tavolex
