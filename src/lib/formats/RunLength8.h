#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/Error.h"

// The 8-bit run-length coding of software pictures in the car set file: a
// byte b of 193-255 and a value v stand for b - 192 copies of v; a byte of
// 0-192 stands for itself.

namespace tavolex {

// Codes `bytes`; appends to `out` when given, else only measures. Returns the coded size.
std::size_t EncodeRun8(std::span<const std::uint8_t> bytes, std::vector<std::uint8_t>* out);

// Decodes exactly the coded bytes of `in` into `out`, which holds at most
// `capacity` pixels; `produced` receives how many were made. Input that ends
// inside a pair, or output beyond `capacity`, fails.
[[nodiscard]] Error DecodeRun8(std::span<const std::uint8_t> in, std::uint8_t* out, std::size_t capacity,
                               std::size_t* produced);

} // namespace tavolex
