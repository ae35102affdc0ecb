#include "formats/BitmapLayout.h"

#include <algorithm>

#include "formats/BitmapRunLength.h"
#include "formats/ColourMasks.h"
#include "formats/PackedBitmap.h"

namespace tavolex {

namespace {
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kOs2HeaderSize = 12;
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;
constexpr std::uint32_t kBiRle4 = 2;
constexpr std::uint32_t kBiBitfields = 3;
constexpr std::uint32_t kBiJpeg = 4;
constexpr std::uint32_t kBiPng = 5;
constexpr std::uint32_t kBiAlphaBitfields = 6;

bool KnownInfoHeaderSize(std::uint32_t size) {
    return size == kOs2HeaderSize || size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

bool KnownBitCount(int bits) { return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32; }

// The coding of the pixels, refused where it does not fit the bit depth.
Error ReadCoding(std::uint32_t compression, int bitCount, PixelCoding& coding) {
    switch (compression) {
    case kBiRgb: coding = PixelCoding::Plain; return Error::None;
    case kBiRle8:
        coding = PixelCoding::RunLength8;
        return bitCount == 8 ? Error::None : Error::CompressionDoesNotFitDepth;
    case kBiRle4:
        coding = PixelCoding::RunLength4;
        return bitCount == 4 ? Error::None : Error::CompressionDoesNotFitDepth;
    case kBiBitfields:
    case kBiAlphaBitfields:
        coding = PixelCoding::Plain;
        return bitCount == 16 || bitCount == 32 ? Error::None : Error::CompressionDoesNotFitDepth;
    case kBiJpeg: return Error::JpegInsideBitmap;
    case kBiPng: return Error::PngInsideBitmap;
    default: return Error::CompressedBitmap;
    }
}

} // namespace

Error ReadBitmapLayout(Bytes file, BitmapLayout& layout) {
    if (file.size() < kFileHeaderSize + 4) {
        return Error::ReadFailed;
    }
    if (file[0] != 'B' || file[1] != 'M') {
        return Error::NotABitmap;
    }
    const std::uint8_t* info = file.data() + kFileHeaderSize;
    const std::uint32_t infoSize = ReadU32(info);
    if (!KnownInfoHeaderSize(infoSize)) {
        return Error::UnsupportedBitmapHeader;
    }
    if (!FitsIn(file.size(), kFileHeaderSize, infoSize)) {
        return Error::ReadFailed;
    }
    const bool os2 = infoSize == kOs2HeaderSize;
    // OS/2 sides are unsigned 16-bit and its rows always bottom-up; Windows
    // heights below zero mark top-down rows.
    const std::int64_t fileWidth = os2 ? ReadU16(info + 4) : ReadI32(info + 4);
    const std::int64_t fileHeight = os2 ? ReadU16(info + 6) : ReadI32(info + 8);
    const std::int64_t rows = fileHeight < 0 ? -fileHeight : fileHeight;
    if (fileWidth <= 0 || rows == 0) {
        return Error::WrongBitmapSize;
    }
    if (fileWidth > PackedBitmap::kMaxSide || rows > PackedBitmap::kMaxSide) {
        return Error::BitmapTooLarge;
    }
    const int bitCount = ReadU16(info + (os2 ? 10 : 14));
    if (!KnownBitCount(bitCount)) {
        return Error::UnsupportedBitDepth;
    }
    const std::uint32_t compression = os2 ? kBiRgb : ReadU32(info + 16);
    BitmapLayout result;
    if (Error error = ReadCoding(compression, bitCount, result.coding); !Ok(error)) {
        return error;
    }
    result.width = static_cast<int>(fileWidth);
    result.height = static_cast<int>(rows);
    result.topDown = fileHeight < 0;
    result.bitCount = bitCount;

    std::size_t headersEnd = kFileHeaderSize + infoSize;
    if (bitCount == 16 || bitCount == 32) {
        result.masks = DefaultColourMasks(bitCount);
        if (compression == kBiBitfields || compression == kBiAlphaBitfields) {
            const std::uint8_t* masks = info + 40;
            if (infoSize == 40) {
                // The masks follow a 40-byte header: red, green, blue and, for
                // alpha bitfields, the alpha mask, which is not read.
                const std::size_t count = compression == kBiAlphaBitfields ? 16 : 12;
                if (!FitsIn(file.size(), headersEnd, 12)) {
                    return Error::ReadFailed;
                }
                masks = file.data() + headersEnd;
                headersEnd += count;
            }
            result.masks = {ReadU32(masks), ReadU32(masks + 4), ReadU32(masks + 8)};
        }
        ColourChannels channels;
        if (Error error = MakeColourChannels(result.masks, bitCount, channels); !Ok(error)) {
            return error;
        }
    }

    const std::size_t pixelOffset = ReadU32(file.data() + 10);
    if (bitCount <= 8) {
        const std::size_t most = std::size_t{1} << bitCount;
        result.paletteOffset = headersEnd;
        if (os2) {
            // The OS/2 header gives no count: the table fills the room before
            // the pixels, up to what the bit depth can use.
            result.paletteEntrySize = 3;
            const std::size_t room = pixelOffset > headersEnd ? pixelOffset - headersEnd : 0;
            result.colourCount = std::min(most, room / 3);
        } else {
            const std::uint32_t used = ReadU32(info + 32);
            if (used > most) {
                return Error::ColourTableTooLong;
            }
            result.colourCount = used == 0 ? most : used;
        }
        headersEnd += result.colourCount * result.paletteEntrySize;
    }
    if (pixelOffset < headersEnd) {
        return Error::PixelOffsetInsideHeader;
    }
    result.pixelOffset = pixelOffset;
    result.stride = ((static_cast<std::size_t>(result.width) * static_cast<std::size_t>(bitCount) + 31) / 32) * 4;
    if (result.coding == PixelCoding::Plain) {
        result.pixelBytes = result.stride * static_cast<std::size_t>(result.height);
    } else {
        // The compressed size, where the header gives one; else as much as
        // the picture can need.
        const std::uint32_t sizeImage = ReadU32(info + 20);
        const std::size_t most = MaxRunLengthBytes(result.width, result.height);
        result.pixelBytesGiven = sizeImage != 0 && sizeImage <= most;
        result.pixelBytes = result.pixelBytesGiven ? sizeImage : most;
    }
    layout = result;
    return Error::None;
}

} // namespace tavolex
