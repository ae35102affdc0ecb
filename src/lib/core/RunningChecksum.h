#pragma once

#include <cstdint>
#include <span>

// The sum and rotating checksum the game's save file and the car set file
// keep: for each byte, sum += b and rot = (rot rotated left by 3) + b, both 16-bit.

namespace tavolex {

struct RunningChecksum {
    std::uint16_t sum = 0;
    std::uint16_t rot = 0;

    void add(std::span<const std::uint8_t> bytes) {
        for (std::uint8_t b : bytes) {
            sum = static_cast<std::uint16_t>(sum + b);
            rot = static_cast<std::uint16_t>(static_cast<std::uint16_t>((rot << 3) | (rot >> 13)) + b);
        }
    }
};

} // namespace tavolex
