#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "core/Error.h"

// Replacing a user's or the game's file: the new content goes into a
// temporary file in the same folder, is flushed to disk and then renamed over
// the old one, so a failure at any point leaves the old file byte for byte
// intact. Every writer of such a file uses this.

namespace tavolex {

// Writes `bytes` as the whole new content of `path`. An existing file keeps its
// permissions, with the owner's write bit set, because the game's tools clear
// a read-only attribute before they write.
[[nodiscard]] Error WriteFileAtomically(const std::filesystem::path& path,
                                        std::span<const std::uint8_t> bytes);

// Reads a whole file that may be at most `maxSize` bytes long; larger files are
// refused before anything is allocated for them.
[[nodiscard]] Error ReadWholeFile(const std::filesystem::path& path, std::size_t maxSize,
                                  std::vector<std::uint8_t>& bytes);

} // namespace tavolex
