#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

#include "core/Error.h"
#include "core/Progress.h"
#include "formats/PackedBitmap.h"

// Software (8-bit) JAM textures: a scrambled file of image count, sheet
// height, a directory of 32-byte sub-image entries, per-entry colour tables
// that map local indices to the game's palette, and 256 x H pixel bytes.

namespace tavolex {

// What the directory says of one sub-image.
struct SoftwareJamEntry {
    int x;
    int y;
    int width;
    int height;
    std::size_t tableOffset; // from the start of the colour tables
    int colourCount;
};

constexpr std::size_t kSoftwareJamHeaderSize = 4;
constexpr std::size_t kSoftwareJamEntrySize = 32;

// The largest file a header of N images and H rows can describe: header and
// directory, a 1024-byte table block per entry, and the sheet.
std::size_t MaxSoftwareJamSize(int imageCount, int height);

// Decodes a scrambled software JAM file into an 8-bit 256 x H image with the
// game's palette. `expectedCount` is checked when given (game files).
[[nodiscard]] Error DecodeSoftwareJam(std::span<const std::uint8_t> file, int height, std::optional<int> expectedCount,
                                      PackedBitmap& image, Progress* progress = nullptr);

// Builds the new scrambled file of an existing software JAM with the pixels of
// `image` (8-bit, 256 x H): colour tables are rebuilt per entry, entries without
// a table and the bytes the game's format does not explain are kept.
[[nodiscard]] Error PatchSoftwareJamBytes(std::span<const std::uint8_t> file, const PackedBitmap& image, int height,
                                          std::optional<int> expectedCount, bool identityTables,
                                          std::vector<std::uint8_t>& newFile, Progress* progress = nullptr);

// The file versions of the above.
[[nodiscard]] Error ReadSoftwareJam(const std::filesystem::path& path, int height, std::optional<int> expectedCount,
                                    PackedBitmap& image, Progress* progress = nullptr);
[[nodiscard]] Error PatchSoftwareJam(const std::filesystem::path& path, const PackedBitmap& image, int height,
                                     std::optional<int> expectedCount, bool identityTables,
                                     Progress* progress = nullptr);

// Reads only the descrambled image count and height of a software JAM header.
[[nodiscard]] Error PeekSoftwareJamHeader(std::span<const std::uint8_t> file, int& imageCount, int& height);

} // namespace tavolex
