#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "core/Error.h"
#include "files/ByteSource.h"

// The car set file's two checksum passes: a sum and a rotating checksum over
// the last, then (continuing) the first, 32,768 bytes of the body before the
// 8-byte trailer. No more than 65,536 bytes are looked at, however large the file.

namespace tavolex {

inline constexpr std::size_t kChecksumWindow = 32768;

// Sum A, rotating A, sum B, rotating B, as stored in the trailer.
using CarSetChecksums = std::array<std::uint16_t, 4>;

CarSetChecksums ComputeCarSetChecksums(std::span<const std::uint8_t> body);
// The same over a source whose last 8 bytes are the trailer; StreamTruncated when it is too short to read.
[[nodiscard]] Error ComputeCarSetChecksums(ByteSource& file, CarSetChecksums& checksums);

} // namespace tavolex
