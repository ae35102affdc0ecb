#pragma once

#include <array>
#include <cstdint>

// The fixed 256-colour palette of the game's software textures. Every 8-bit
// image the programs make carries it; pixel values are indices into it.

namespace tavolex {

struct PaletteColour {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};

extern const std::array<PaletteColour, 256> GamePalette;

} // namespace tavolex
