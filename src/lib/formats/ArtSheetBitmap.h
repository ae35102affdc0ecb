#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

#include "core/Error.h"
#include "formats/PackedBitmap.h"

// A team's menu art sheet as users edit it: a 24-bit BMP (or a PNG, by its
// bytes when read and by a ".png" name when written) of 1024 x 650 whose
// left 948 columns are the sheet; the rest is written as zeros and ignored.

namespace tavolex {

inline constexpr int kArtSheetWidth = 948;
inline constexpr int kArtSheetHeight = 650;
inline constexpr int kArtSheetFileWidth = 1024;

[[nodiscard]] Error LoadArtSheetBitmap(const std::filesystem::path& path, PackedBitmap& sheet);
// The same on the bytes of a file already in memory.
[[nodiscard]] Error ParseArtSheetBitmap(std::span<const std::uint8_t> file, PackedBitmap& sheet);
[[nodiscard]] Error SaveArtSheetBitmap(const std::filesystem::path& path, const PackedBitmap& sheet);

} // namespace tavolex
