#include "formats/PackedBitmap.h"

#include <cstring>

#include "core/ByteOrder.h"
#include "formats/GamePalette.h"

namespace tavolex {

bool PackedBitmap::reset(int width, int height, Depth depth) {
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) {
        clear();
        return false;
    }
    block_.assign(BlockSizeFor(width, height, depth), 0);
    width_ = width;
    height_ = height;
    depth_ = depth;
    MakeHeader(width, height, depth, block_.data());
    return true;
}

void MakeHeader(int width, int height, Depth depth, std::uint8_t* out) {
    std::memset(out, 0, PackedBitmap::kInfoHeaderSize);
    WriteU32(out + 0, 40);
    WriteU32(out + 4, static_cast<std::uint32_t>(width));
    WriteU32(out + 8, static_cast<std::uint32_t>(height));
    WriteU16(out + 12, 1);
    WriteU16(out + 14, depth == Depth::Bits8 ? 8 : 24);
    const std::uint32_t coloursUsed = depth == Depth::Bits8 ? 256 : 0;
    WriteU32(out + 32, coloursUsed);
    WriteU32(out + 36, coloursUsed);
    if (depth == Depth::Bits8) {
        std::uint8_t* entry = out + PackedBitmap::kInfoHeaderSize;
        for (const PaletteColour& colour : GamePalette) {
            entry[0] = colour.blue;
            entry[1] = colour.green;
            entry[2] = colour.red;
            entry[3] = 0;
            entry += 4;
        }
    }
}

std::vector<std::uint8_t> MakeFileHeader(int width, int height, Depth depth) {
    const std::size_t pixelOffset = 14 + PackedBitmap::PixelOffsetFor(depth);
    std::vector<std::uint8_t> header(pixelOffset);
    const std::size_t fileSize = pixelOffset + PackedBitmap::StrideFor(width, depth) * static_cast<std::size_t>(height);
    header[0] = 'B';
    header[1] = 'M';
    WriteU32(header.data() + 2, static_cast<std::uint32_t>(fileSize));
    WriteU32(header.data() + 10, static_cast<std::uint32_t>(pixelOffset));
    MakeHeader(width, height, depth, header.data() + 14);
    return header;
}

} // namespace tavolex
