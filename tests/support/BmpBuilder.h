#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "formats/PackedBitmap.h"

// BMP files built byte by byte as other writers lay them out: any header
// size, bit depth, compression, colour masks and colour table. For tests,
// the benchmarks and the fuzz seeds; it checks nothing.

namespace tavolex::test {

struct BmpHeaders {
    std::uint32_t infoSize = 40;
    int width = 0;
    int height = 0;
    int bits = 24;
    bool topDown = false;
    std::uint32_t compression = 0;
    // Written after a 40-byte header, or into the fields of a longer one.
    std::vector<std::uint32_t> masks;
    // Raw entries: 3 bytes each for the 12-byte header, 4 otherwise.
    std::vector<std::uint8_t> colourTable;
    std::uint32_t coloursUsed = 0;
    // Bytes between the colour table and the pixels.
    std::size_t gap = 0;
    // The image size field; the pixel data's size when not given.
    std::optional<std::uint32_t> sizeImage;
};

// The header fields most files differ in; the rest as a plain file has them.
BmpHeaders MakeHeaders(std::uint32_t infoSize, int width, int height, int bits, bool topDown = false);

std::vector<std::uint8_t> BuildBmp(const BmpHeaders& headers, const std::vector<std::uint8_t>& pixelData);

// The stored rows of W x H pixel values given top row first: indices for 1 to
// 8 bits (leftmost pixel in the highest bits), 0xRRGGBB for 24 bits, the
// value as it is for 16 and 32 bits; each row padded to 4 bytes.
std::vector<std::uint8_t> PackRows(const std::vector<std::uint32_t>& values, int width, int height, int bits,
                                   bool topDown);

// The RLE8 (8) or RLE4 (4) stream of W x H indices given top row first:
// runs where values repeat, stored stretches elsewhere, an end-of-row code
// after every row and the end-of-picture code.
std::vector<std::uint8_t> EncodeBmpRunLength(const std::vector<std::uint32_t>& indices, int width, int height,
                                             int bitsPerIndex, bool topDown);

// The pixels of `image` top row first: indices of an 8-bit image, 0xRRGGBB of a 24-bit one.
std::vector<std::uint32_t> PixelValues(const PackedBitmap& image);

// The first `count` entries of an 8-bit image's palette, 3 or 4 bytes each.
std::vector<std::uint8_t> ColourTableOf(const PackedBitmap& image, std::size_t count, std::size_t entrySize);

} // namespace tavolex::test
