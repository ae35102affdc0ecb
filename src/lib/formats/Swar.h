#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

// Tests on eight bytes or four 16-bit values at once, so the run-length
// coders can pass over stretches of plain literals without a branch per pixel.

namespace tavolex::swar {

inline std::uint64_t Load64(const void* p) {
    std::uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// True when any of the eight bytes is zero.
constexpr bool HasZeroByte(std::uint64_t v) { return ((v - 0x0101010101010101ull) & ~v & 0x8080808080808080ull) != 0; }

// True when any of the four 16-bit lanes is zero.
constexpr bool HasZeroLane16(std::uint64_t v) {
    return ((v - 0x0001000100010001ull) & ~v & 0x8000800080008000ull) != 0;
}

// True when any byte is 0xC0 or above (its top two bits are set).
constexpr bool HasByteFromC0(std::uint64_t v) { return ((v & (v << 1)) & 0x8080808080808080ull) != 0; }

} // namespace tavolex::swar
