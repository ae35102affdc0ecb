#include "formats/BitmapPixels.h"

#include <algorithm>
#include <cstring>

#include "formats/BitmapRunLength.h"
#include "formats/ColourMasks.h"

namespace tavolex {

namespace {

void CopyColourTable(Bytes file, const BitmapLayout& layout, PackedBitmap& image) {
    std::uint8_t* out = image.palette();
    std::memset(out, 0, PackedBitmap::kPaletteSize);
    const std::uint8_t* in = file.data() + layout.paletteOffset;
    for (std::size_t i = 0; i < layout.colourCount; ++i, in += layout.paletteEntrySize, out += 4) {
        std::memcpy(out, in, 3);
    }
}

// One stored row of 1, 4 or 8 bits per index as one byte per index.
void UnpackIndices(const std::uint8_t* in, int bitCount, int width, std::uint8_t* out) {
    if (bitCount == 8) {
        std::memcpy(out, in, static_cast<std::size_t>(width));
        return;
    }
    // The leftmost pixel is in the highest bits of its byte.
    const int perByte = 8 / bitCount;
    const unsigned mask = (1u << bitCount) - 1u;
    for (int x = 0; x < width; ++x) {
        const int shift = 8 - bitCount * (x % perByte + 1);
        out[x] = static_cast<std::uint8_t>((in[x / perByte] >> shift) & mask);
    }
}

// One stored row of 16 or 32 bits per pixel through the colour masks as blue, green, red.
void UnpackMasked(const std::uint8_t* in, int bitCount, int width, const ColourChannels& channels, std::uint8_t* out) {
    const std::size_t step = static_cast<std::size_t>(bitCount / 8);
    for (int x = 0; x < width; ++x, in += step, out += 3) {
        const std::uint32_t pixel = bitCount == 16 ? ReadU16(in) : ReadU32(in);
        out[0] = channels[2].Take(pixel);
        out[1] = channels[1].Take(pixel);
        out[2] = channels[0].Take(pixel);
    }
}

Error ReadPlainRows(Bytes file, const BitmapLayout& layout, PackedBitmap& image) {
    ColourChannels channels;
    if (layout.bitCount == 16 || layout.bitCount == 32) {
        if (Error error = MakeColourChannels(layout.masks, layout.bitCount, channels); !Ok(error)) {
            return error;
        }
    }
    for (int r = 0; r < layout.height; ++r) {
        const int stored = layout.topDown ? layout.height - 1 - r : r;
        const std::uint8_t* in = file.data() + layout.pixelOffset + layout.stride * static_cast<std::size_t>(stored);
        std::uint8_t* out = image.row(r);
        if (layout.bitCount <= 8) {
            UnpackIndices(in, layout.bitCount, layout.width, out);
        } else if (layout.bitCount == 24) {
            std::memcpy(out, in, 3 * static_cast<std::size_t>(layout.width));
        } else {
            UnpackMasked(in, layout.bitCount, layout.width, channels, out);
        }
    }
    return Error::None;
}

} // namespace

Error ReadBitmapPixels(Bytes file, const BitmapLayout& layout, PackedBitmap& image) {
    const bool indexed = layout.bitCount <= 8;
    if (indexed && !FitsIn(file.size(), layout.paletteOffset, layout.colourCount * layout.paletteEntrySize)) {
        return Error::ColourTableOutsideFile;
    }
    const bool compressed = layout.coding != PixelCoding::Plain;
    if (layout.pixelOffset > file.size() ||
        (layout.pixelBytesGiven && !FitsIn(file.size(), layout.pixelOffset, layout.pixelBytes))) {
        return Error::PixelsOutsideFile;
    }
    PackedBitmap result(layout.width, layout.height, indexed ? Depth::Bits8 : Depth::Bits24);
    if (indexed) {
        CopyColourTable(file, layout, result);
    }
    if (compressed) {
        const Bytes stream =
            file.subspan(layout.pixelOffset, std::min(layout.pixelBytes, file.size() - layout.pixelOffset));
        const int bitsPerIndex = layout.coding == PixelCoding::RunLength4 ? 4 : 8;
        if (Error error = DecodeBitmapRunLength(stream, bitsPerIndex, layout.topDown, result); !Ok(error)) {
            return error;
        }
    } else if (Error error = ReadPlainRows(file, layout, result); !Ok(error)) {
        return error;
    }
    image = std::move(result);
    return Error::None;
}

} // namespace tavolex
