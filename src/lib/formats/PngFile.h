#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "core/ByteOrder.h"
#include "core/Error.h"
#include "formats/PackedBitmap.h"

// PNG files chosen by the user, read and written through libpng. Nothing is
// written to a destination unless the whole file was read.

namespace tavolex {

// True when the bytes begin with the PNG signature.
[[nodiscard]] bool IsPngData(Bytes file);

// Reads a PNG of any size up to maxWidth x maxHeight at the file's own depth:
// palette PNGs (of 1 to 8 bits) keep their indices and carry the file's own
// colours; RGB, RGB with alpha and grey become 24-bit, alpha and transparency
// ignored, 16-bit channels scaled to 8 bits.
[[nodiscard]] Error ReadPngPicture(Bytes file, PackedBitmap& image, int maxWidth, int maxHeight);

// Reads a PNG of exactly W x H into `destination` at the target depth, with
// the conversions LoadBitmapFile makes for BMP files.
[[nodiscard]] Error ParsePngFile(Bytes file, PackedBitmap& destination, int width, int height, Depth target);

// A text chunk (tEXt) of a PNG file: a Latin-1 key of 1-79 characters and its text.
struct PngText {
    std::string key;
    std::string text;
};

// How hard the writer works: the smallest file (every row filter tried,
// libpng's default compression), or a file made several times faster and a
// little larger (no row filter, the quickest compression), for pictures a
// user waits for, such as a car set's preview.
enum class PngEffort { Smallest, Fast };

// The bytes of a PNG file of `bitmap`: an 8-bit image as a palette PNG with
// its (the game's) palette, a 24-bit image as RGB; the texts before the pixels.
[[nodiscard]] Error EncodePngFile(const PackedBitmap& bitmap, std::vector<std::uint8_t>& file,
                                  std::span<const PngText> texts = {}, PngEffort effort = PngEffort::Smallest);

// Encodes and writes the file through the atomic writer, whatever its name.
[[nodiscard]] Error SavePngFile(const std::filesystem::path& path, const PackedBitmap& bitmap,
                                std::span<const PngText> texts = {}, PngEffort effort = PngEffort::Smallest);

} // namespace tavolex
