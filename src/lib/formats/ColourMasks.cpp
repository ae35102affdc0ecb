#include "formats/ColourMasks.h"

#include <bit>

namespace tavolex {

std::uint8_t ColourChannel::Take(std::uint32_t pixel) const {
    const auto value = static_cast<std::uint32_t>((pixel >> shift) & ((std::uint64_t{1} << bits) - 1));
    if (bits >= 8) {
        return static_cast<std::uint8_t>(value >> (bits - 8));
    }
    // Repeat the bits down from the top so that all ones become 255.
    std::uint32_t wide = value << (8 - bits);
    for (int filled = bits; filled < 8; filled *= 2) {
        wide |= wide >> filled;
    }
    return static_cast<std::uint8_t>(wide);
}

std::array<std::uint32_t, 3> DefaultColourMasks(int bitCount) {
    if (bitCount == 16) {
        return {0x7C00u, 0x03E0u, 0x001Fu};
    }
    return {0x00FF0000u, 0x0000FF00u, 0x000000FFu};
}

Error MakeColourChannels(const std::array<std::uint32_t, 3>& masks, int bitCount, ColourChannels& channels) {
    const std::uint64_t pixelBits = (std::uint64_t{1} << bitCount) - 1;
    std::uint32_t seen = 0;
    ColourChannels result;
    for (std::size_t c = 0; c < masks.size(); ++c) {
        const std::uint32_t mask = masks[c];
        if (mask == 0 || (mask & ~pixelBits) != 0 || (mask & seen) != 0) {
            return Error::UnsupportedColourMasks;
        }
        const int shift = std::countr_zero(mask);
        const int bits = std::popcount(mask);
        // Contiguous: the ones end where the first zero above them starts.
        if (std::countr_one(mask >> shift) != bits) {
            return Error::UnsupportedColourMasks;
        }
        result[c] = {shift, bits};
        seen |= mask;
    }
    channels = result;
    return Error::None;
}

} // namespace tavolex
