#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "formats/PackedBitmap.h"

// The sample game's pit crews: people in overalls drawn once as a map of the
// paintable areas (a pixel 16 a + s is shade s of area a, as the upgraded
// game files mark them), from which come the eleven recolouring sheets as the
// game ships them, the masks that upgrade exactly those sheets, and each
// team's crew sheet painted in its crew colours.

namespace tavolex {

// The sixteen crew colours of a team (team 0-10): ranges of the game palette
// near the team's colours.
std::array<std::uint8_t, 16> SampleCrewColours(int team);

// Recolouring sheet `file` (0-10, as the upgrade numbers them) before the
// upgrade: 8-bit, 256 x the sheet's height.
PackedBitmap SampleRecolourSheet(int file);

// The upgrade's mask for that sheet: 256 x height bytes in the picture's stored order.
std::vector<std::uint8_t> SampleRecolourMask(int file);

// A team's 172 x 508 crew sheet, 8-bit, painted in its crew colours.
PackedBitmap SampleCrewSheet(int team);

} // namespace tavolex
