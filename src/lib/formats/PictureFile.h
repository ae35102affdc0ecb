#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "core/ByteOrder.h"
#include "core/Error.h"
#include "formats/PackedBitmap.h"

// Pictures the user loads and saves: BMP or PNG. A file is read as PNG when
// its bytes say so and as BMP otherwise; it is written as PNG when its name
// ends in ".png" (any case) and as BMP otherwise. Every Load and "Save as..."
// of a picture goes through these, with the rules of LoadBitmapFile.

namespace tavolex {

// A BMP or PNG of exactly W x H into `destination` at the target depth.
[[nodiscard]] Error LoadPictureFile(const std::filesystem::path& path, PackedBitmap& destination, int width, int height,
                                    Depth target);

// The same on the bytes of a file already in memory.
[[nodiscard]] Error ParsePictureFile(Bytes file, PackedBitmap& destination, int width, int height, Depth target);

// Writes `bitmap` as PNG or BMP by the name; a failed write leaves any older file untouched.
[[nodiscard]] Error SavePictureFile(const std::filesystem::path& path, const PackedBitmap& bitmap);

// True when the name ends in ".png", in any case.
[[nodiscard]] bool IsPngName(const std::filesystem::path& path);

// The bytes of a whole picture file of at most W x H (a PNG may be larger
// than its pixels, by its chunks, but not without bound).
[[nodiscard]] Error ReadPictureFileBytes(const std::filesystem::path& path, int width, int height,
                                         std::vector<std::uint8_t>& file);

} // namespace tavolex
