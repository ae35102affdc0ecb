#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

#include "core/Error.h"
#include "core/Progress.h"
#include "formats/PackedBitmap.h"

// Hardware (16-bit) JAM textures: the mark 9999999, image count, sheet
// height, N sub-image records (each from an FF FF marker to a closing space),
// then the sheet's 256 x H RGB565 pixels in the 16-bit run-length coding.

namespace tavolex {

constexpr std::uint32_t kHardwareJamMagic = 9999999;
constexpr std::size_t kHardwareJamHeaderSize = 8;

struct HardwareStream {
    std::size_t start = 0;        // first byte of the pixel stream
    int implicitCode = 128;       // code of the first packet, 128 for none
    std::size_t implicitByte = 0; // where the last record keeps the byte it comes from
    int lastKind = 0;             // kind of the last record
};

// Finds the pixel stream after N records, starting the search at offset 8.
[[nodiscard]] Error LocateHardwareStream(std::span<const std::uint8_t> file, int imageCount, HardwareStream& stream);

// The largest file a header of N images and H rows can sensibly be.
std::size_t MaxHardwareJamSize(int imageCount, int height);

[[nodiscard]] Error DecodeHardwareJam(std::span<const std::uint8_t> file, int height, std::optional<int> expectedCount,
                                      PackedBitmap& image, Progress* progress = nullptr);

// Builds the new file: records kept (the implicit-code byte set so the first
// packet has its own code), then `image` (24-bit, 256 x H) reduced to RGB565
// and coded. The count is always checked.
[[nodiscard]] Error PatchHardwareJamBytes(std::span<const std::uint8_t> file, const PackedBitmap& image, int height,
                                          std::optional<int> expectedCount, std::vector<std::uint8_t>& newFile,
                                          Progress* progress = nullptr);

[[nodiscard]] Error ReadHardwareJam(const std::filesystem::path& path, int height, std::optional<int> expectedCount,
                                    PackedBitmap& image, Progress* progress = nullptr);
[[nodiscard]] Error PatchHardwareJam(const std::filesystem::path& path, const PackedBitmap& image, int height,
                                     std::optional<int> expectedCount, Progress* progress = nullptr);

// Reads the header fields; false when the mark is missing.
[[nodiscard]] Error PeekHardwareJamHeader(std::span<const std::uint8_t> file, int& imageCount, int& height);

} // namespace tavolex
