#pragma once

#include <cstdint>
#include <vector>

#include "game/GameConstants.h"

// The packed decoder's test bed: menu art archives whose team pictures are
// noise packed with tokens of every kind (literals, transparent runs and
// back-references of each step and length), and the token maker itself.

namespace tavolex::test {

std::vector<std::uint8_t> BuildStressArtArchive(unsigned seed = 1,
                                                const ArtSignature& signature = kArtArchiveSignature);
// The same with every picture 16 x 2: a few dozen kilobytes, quick to expand
// (for tests that do it many times, and fuzzer seeds).
std::vector<std::uint8_t> BuildSmallStressArtArchive(unsigned seed = 1);

// Packs `width` x `height` pixels' worth of tokens for entry `entry`; the
// pixels are whatever the tokens decode to. `cycle` picks which back-reference
// step and length come first, so that a set of pictures covers them all.
std::vector<std::uint8_t> MakePackedArtTokens(int width, int height, int entry, unsigned seed, unsigned cycle);

} // namespace tavolex::test
