#pragma once

#include <cstdint>
#include <vector>

#include "game/GameConstants.h"

// A complete synthetic menu art archive, as the game ships it: every team
// picture packed with tokens of every kind (literals, transparent runs and
// back-references of each step and length), other pictures as plain blocks.
// For the sample game and tests; the editor itself never packs pictures.

namespace tavolex {

struct ArtPictureSize {
    int width;
    int height;
};

// The size the sample archive gives picture k of a team: it fits its place on the sheet.
ArtPictureSize SampleArtSize(int k);

std::vector<std::uint8_t> BuildSampleArtArchive(unsigned seed = 1,
                                               const ArtSignature& signature = kArtArchiveSignature);
// The same with every picture 16 x 2: a few dozen kilobytes, quick to expand
// (for tests that do it many times, and fuzzer seeds).
std::vector<std::uint8_t> BuildSmallArtArchive(unsigned seed = 1);

// Packs `width` x `height` pixels' worth of tokens for entry `entry`; the
// pixels are whatever the tokens decode to. `cycle` picks which back-reference
// step and length come first, so that a set of pictures covers them all.
std::vector<std::uint8_t> MakePackedArtTokens(int width, int height, int entry, unsigned seed, unsigned cycle);

} // namespace tavolex
