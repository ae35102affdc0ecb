#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "game/GameConstants.h"

// Making menu art archives as the game ships them: pictures packed into
// tokens, and the whole archive around them. For the sample game and tests;
// the editor itself never packs pictures.

namespace tavolex {

struct ArtPictureSize {
    int width;
    int height;
};

// The size the sample archives give picture k of a team: it fits its place on the sheet.
ArtPictureSize SampleArtSize(int k);

// Packs pixels of entry `entry` as the game does: transparent runs (where the
// entry has them), copies of the row above or of the pixel before, and
// literal pixels.
std::vector<std::uint8_t> PackArtPixels(std::span<const std::uint16_t> pixels, int width, int entry);

struct ArtBlock {
    ArtPictureSize size;
    std::vector<std::uint8_t> bytes; // packed form
};

// Team picture k (0-44) of team `team` (0-10), archive entry `entry`.
using TeamArtMaker = std::function<ArtBlock(int team, int k, int entry)>;

// A whole archive: `signature`, the 840 entries' directory, the team pictures
// from `makeTeamPicture` and, for pictures of no team, bytes of `seed` that
// the editor must carry over unchanged (`tinyOthers`: each 16 x 2).
std::vector<std::uint8_t> AssembleArtArchive(const ArtSignature& signature, unsigned seed, bool tinyOthers,
                                             const TeamArtMaker& makeTeamPicture);

} // namespace tavolex
