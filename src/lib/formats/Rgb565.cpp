#include "formats/Rgb565.h"

#include <bit>
#include <cstring>

namespace tavolex {

namespace {

// One pixel as the word blue | green << 8 | red << 16.
inline std::uint32_t Packed(std::uint16_t v) {
    return Blue565(v) | static_cast<std::uint32_t>(Green565(v)) << 8 | static_cast<std::uint32_t>(Red565(v)) << 16;
}

// Four pixels at a time become three 32-bit stores of 12 bytes; the rest
// one by one. Far faster than three byte stores per pixel.
template <typename Load> void Expand(std::size_t count, std::uint8_t* bgr, Load load) {
    std::size_t i = 0;
    // The packed words lay their bytes out as blue, green, red only on little-endian hosts.
    for (; std::endian::native == std::endian::little && i + 4 <= count; i += 4, bgr += 12) {
        const std::uint32_t p0 = Packed(load(i)), p1 = Packed(load(i + 1));
        const std::uint32_t p2 = Packed(load(i + 2)), p3 = Packed(load(i + 3));
        const std::uint32_t words[3] = {p0 | p1 << 24, p1 >> 8 | p2 << 16, p2 >> 16 | p3 << 8};
        std::memcpy(bgr, words, 12);
    }
    for (; i < count; ++i, bgr += 3) {
        const std::uint16_t v = load(i);
        bgr[0] = Blue565(v);
        bgr[1] = Green565(v);
        bgr[2] = Red565(v);
    }
}

} // namespace

void Expand565ToBgr(const std::uint16_t* values, std::size_t count, std::uint8_t* bgr) {
    Expand(count, bgr, [values](std::size_t i) { return values[i]; });
}

void ExpandStream565ToBgr(const std::uint8_t* values, std::size_t count, std::uint8_t* bgr) {
    Expand(count, bgr,
           [values](std::size_t i) { return static_cast<std::uint16_t>(values[2 * i] | (values[2 * i + 1] << 8)); });
}

void ReduceBgrTo565(const std::uint8_t* bgr, std::size_t count, std::uint16_t* values) {
    for (std::size_t i = 0; i < count; ++i, bgr += 3) {
        values[i] = ToRgb565(bgr[2], bgr[1], bgr[0]);
    }
}

} // namespace tavolex
