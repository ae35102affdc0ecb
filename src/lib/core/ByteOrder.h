#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// Little-endian field access for the game's binary formats. Callers check the
// bounds before reading; these helpers only assemble bytes.

namespace tavolex {

inline std::uint16_t ReadU16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

inline std::uint32_t ReadU32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

inline std::int32_t ReadI32(const std::uint8_t* p) { return static_cast<std::int32_t>(ReadU32(p)); }

inline void WriteU16(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

inline void WriteU32(std::uint8_t* p, std::uint32_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
    p[2] = static_cast<std::uint8_t>(v >> 16);
    p[3] = static_cast<std::uint8_t>(v >> 24);
}

// True when [offset, offset + length) lies inside a buffer of `size` bytes,
// without overflowing on hostile offsets.
[[nodiscard]] inline bool FitsIn(std::size_t size, std::size_t offset, std::size_t length) {
    return offset <= size && length <= size - offset;
}

using Bytes = std::span<const std::uint8_t>;

} // namespace tavolex
