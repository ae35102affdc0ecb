#pragma once

#include <cstddef>
#include <cstdint>

// The hardware textures' pixel: red in bits 11-15, green in 5-10, blue in 0-4.

namespace tavolex {

constexpr std::uint16_t ToRgb565(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return static_cast<std::uint16_t>(((red >> 3) << 11) | ((green >> 2) << 5) | (blue >> 3));
}

// Expanding shifts each field up with zeros below: channels become multiples of 8 or 4.
constexpr std::uint8_t Red565(std::uint16_t v) { return static_cast<std::uint8_t>((v >> 11) << 3); }
constexpr std::uint8_t Green565(std::uint16_t v) { return static_cast<std::uint8_t>(((v >> 5) & 0x3F) << 2); }
constexpr std::uint8_t Blue565(std::uint16_t v) { return static_cast<std::uint8_t>((v & 0x1F) << 3); }

// Converts `count` pixels between RGB565 values and blue, green, red byte triples.
void Expand565ToBgr(const std::uint16_t* values, std::size_t count, std::uint8_t* bgr);
// The same from little-endian values as a stream stores them.
void ExpandStream565ToBgr(const std::uint8_t* values, std::size_t count, std::uint8_t* bgr);
void ReduceBgrTo565(const std::uint8_t* bgr, std::size_t count, std::uint16_t* values);

} // namespace tavolex
