#pragma once

#include <cstdint>
#include <vector>

#include "formats/PackedBitmap.h"
#include "game/GameConstants.h"

// The sample game's menu art, drawn: each team's logo turning over its 30
// frames, the cars of the set-up and grid screens, two portraits of each
// driver (helmet and shoulders), the drivers' number badges and the team
// badge, all cut out of magenta as the game's art is, and the archive that
// holds them packed as the game ships it.

namespace tavolex {

// Team picture k (0-44) of team `team` (0-10) at its sample size, 24-bit.
PackedBitmap SampleArtPicture(int team, int k);

std::vector<std::uint8_t> BuildSampleArtArchive(const ArtSignature& signature = kArtArchiveSignature);

} // namespace tavolex
