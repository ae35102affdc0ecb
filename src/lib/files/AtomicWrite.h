#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "core/Error.h"

// Replacing a user's or the game's file: the new content goes into a file in
// the same folder that has no name yet (on Linux; elsewhere a hidden
// temporary file), is flushed to disk, named ".NAME.xxxxxxxx.tmp" and at once
// renamed over the old one. A failure at any point, even a killed process,
// leaves the old file byte for byte intact; a killed process at most leaves a
// complete temporary file, removed by a later write to the same target once
// it is a day old. Every writer of such a file uses this; WriteFaults.h lets
// tests make any step fail.

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
