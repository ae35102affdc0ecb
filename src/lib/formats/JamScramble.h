#pragma once

#include <cstddef>
#include <cstdint>

namespace tavolex {

// The constant the game's software textures are scrambled with, before its
// lowest bit is set to form the key.
constexpr std::uint32_t kJamScrambleConstant = 0xB082F164u;

// Scrambles or descrambles (the same operation) `length` bytes in place:
// each whole little-endian word is XORed with a running key that is then
// multiplied by 5; of a tail of 1-3 bytes only the first is XORed.
void ScrambleJam(std::uint8_t* bytes, std::size_t length);

} // namespace tavolex
