#pragma once

#include <array>
#include <cstdint>

#include "core/Error.h"

// The colour masks of 16-bit and 32-bit bitmap pixels: where each of red,
// green and blue sits in a pixel value, and how a channel of any width
// becomes 8 bits. Alpha is never read.

namespace tavolex {

// One colour channel: `bits` contiguous bits starting at bit `shift`.
struct ColourChannel {
    int shift = 0;
    int bits = 0;

    // The channel's value in `pixel` widened (by repeating its bits, as
    // v << 3 | v >> 2 for five bits) or narrowed (its top 8 bits) to 8 bits.
    std::uint8_t Take(std::uint32_t pixel) const;
};

// Red, green and blue, in that order.
using ColourChannels = std::array<ColourChannel, 3>;

// The channels of the masks red, green, blue for pixels of `bitCount` bits.
// Refused when a mask is empty or not contiguous, when two overlap, or when
// one reaches beyond the pixel's bits.
[[nodiscard]] Error MakeColourChannels(const std::array<std::uint32_t, 3>& masks, int bitCount,
                                       ColourChannels& channels);

// The masks a bitmap without masks of its own uses: 5-5-5 for 16 bits,
// 8-8-8 for 32 bits.
std::array<std::uint32_t, 3> DefaultColourMasks(int bitCount);

} // namespace tavolex
