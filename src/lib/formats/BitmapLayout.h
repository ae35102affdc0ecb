#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "core/ByteOrder.h"
#include "core/Error.h"

// Where the parts of a BMP file are and how its pixels are stored, read from
// its headers alone: the OS/2 1.x header (12 bytes) and the Windows headers
// of 40, 52, 56, 108 and 124 bytes; 1, 4, 8, 16, 24 and 32 bits per pixel;
// no compression, RLE8, RLE4 and colour masks.

namespace tavolex {

enum class PixelCoding { Plain, RunLength8, RunLength4 };

struct BitmapLayout {
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bitCount = 0;
    PixelCoding coding = PixelCoding::Plain;
    // Red, green and blue masks of 16-bit and 32-bit pixels.
    std::array<std::uint32_t, 3> masks{};
    // The colour table of 1-, 4- and 8-bit files: 3-byte (OS/2) or 4-byte entries.
    std::size_t paletteOffset = 0;
    std::size_t colourCount = 0;
    std::size_t paletteEntrySize = 4;
    std::size_t pixelOffset = 0;
    // The bytes of one stored row of a plain file.
    std::size_t stride = 0;
    // The bytes of pixel data read: every row of a plain file, or as much of
    // a compressed stream as its header gives (at most what the picture can need).
    std::size_t pixelBytes = 0;
    // False for a compressed stream whose size the header does not give: it
    // then runs to the end of the file (or of pixelBytes) and must end itself.
    bool pixelBytesGiven = true;

    std::size_t end() const { return pixelOffset + pixelBytes; }
};

// The longest run of headers ReadBitmapLayout may need: the file header, a
// 124-byte information header, or a 40-byte one followed by four masks.
inline constexpr std::size_t kLongestBitmapHeaders = 14 + 124;

// Reads and checks the headers at the start of `file`; the colour table and
// pixels need not be there yet. Refuses what it cannot read with an error
// that names it, and sides above 16,384 before any size is computed from them.
[[nodiscard]] Error ReadBitmapLayout(Bytes file, BitmapLayout& layout);

} // namespace tavolex
