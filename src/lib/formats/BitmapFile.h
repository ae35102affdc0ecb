#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "core/Error.h"
#include "formats/PackedBitmap.h"

// BMP files chosen by the user, of exactly the size the caller's sheet has,
// as paint programs write them (BitmapLayout.h lists the kinds read): palette
// files of 1, 4 or 8 bits, plain or run-length coded, and colour files of 16,
// 24 or 32 bits (alpha ignored), bottom-up or top-down, the pixels taken from
// where the file header says. Nothing is written to the destination unless
// the whole file was read and converted. Files are always written in the
// classic layout with a 40-byte header the game's tools read.

namespace tavolex {

// Reads a BMP of exactly W x H into `destination` at the target depth: a
// palette file keeps its indices and takes the game's palette for an 8-bit
// target (an index is an index, whatever the file's colours); a colour file
// is reduced to palette indices 1-253 for an 8-bit target; a palette file is
// expanded through its own colours for a 24-bit one.
[[nodiscard]] Error LoadBitmapFile(const std::filesystem::path& path, PackedBitmap& destination, int width, int height,
                                   Depth target);

// The same on the bytes of a file already in memory.
[[nodiscard]] Error ParseBitmapFile(std::span<const std::uint8_t> file, PackedBitmap& destination, int width,
                                    int height, Depth target);

// Brings a picture read from a file (8-bit with the file's own colours, or
// 24-bit) to the target depth as LoadBitmapFile does.
[[nodiscard]] Error ConvertLoadedPicture(PackedBitmap&& image, PackedBitmap& destination, Depth target);

// The bytes of the BMP file of `bitmap`.
std::vector<std::uint8_t> EncodeBitmapFile(const PackedBitmap& bitmap);

// Writes `bitmap` as a BMP file; a failed write leaves any older file untouched.
[[nodiscard]] Error SaveBitmapFile(const std::filesystem::path& path, const PackedBitmap& bitmap);

// The bytes of a file up to `maxSize`: enough for a parser that needs no more.
[[nodiscard]] Error ReadFilePrefix(const std::filesystem::path& path, std::size_t maxSize,
                                   std::vector<std::uint8_t>& bytes);

} // namespace tavolex
