#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/Error.h"

// The 16-bit run-length coding of hardware texture streams and of hardware
// pictures in the car set file. A packet starts with a code byte: 1-127 is a
// run (one value for that many pixels), 129-255 a literal of code - 128 values.

namespace tavolex {

// The code meaning "no implicit first packet code".
constexpr int kNoImplicitCode = 128;

// Codes `values`; appends the bytes to `out` when given, else only measures.
// Returns the number of bytes of the coding.
std::size_t EncodeRun16(std::span<const std::uint16_t> values, std::vector<std::uint8_t>* out);

// Decodes exactly `pixelCount` values from the start of `in` into `out`.
// `implicitCode` of 129 or more stands in for the first packet's code byte.
// `consumed` receives the number of input bytes used. A stream that ends
// early, or a packet that would produce more pixels than asked for, fails.
[[nodiscard]] Error DecodeRun16(std::span<const std::uint8_t> in, std::size_t pixelCount, int implicitCode,
                                std::uint16_t* out, std::size_t* consumed);

// The same, producing each pixel as blue, green, red bytes (3 x `pixelCount`).
[[nodiscard]] Error DecodeRun16ToBgr(std::span<const std::uint8_t> in, std::size_t pixelCount, int implicitCode,
                                     std::uint8_t* bgr, std::size_t* consumed);

} // namespace tavolex
