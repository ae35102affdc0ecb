#include "formats/BitmapFile.h"

#include <algorithm>
#include <cstring>
#include <fstream>

#include "core/ByteOrder.h"
#include "files/AtomicWrite.h"
#include "formats/PaletteConversion.h"

namespace tavolex {

namespace {
constexpr std::size_t kFileHeaderSize = 14;
// The longest information header read, plus the three masks a 40-byte header
// may be followed by.
constexpr std::size_t kLongestHeaders = kFileHeaderSize + 124 + 12;
// Writers leave room between the headers and the pixels, but not megabytes.
constexpr std::size_t kMaxPixelOffset = 64u * 1024u * 1024u;
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;
// Candidates 1-253: a 24-bit file loaded into an 8-bit slot.
constexpr int kLoadReduceFirst = 1;
constexpr int kLoadReduceEnd = 254;

// Where the parts of an accepted file are and how its pixels are stored.
struct BitmapLayout {
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bitCount = 0;
    std::size_t paletteOffset = 0;
    std::size_t colourCount = 0;
    std::size_t pixelOffset = 0;
    std::size_t stride = 0;

    std::size_t end() const { return pixelOffset + stride * static_cast<std::size_t>(height); }
};

bool KnownInfoHeaderSize(std::uint32_t size) {
    return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

// Reads and checks the headers at the start of `file` (the pixels need not be
// there yet): Windows information headers of every version with 8, 24 or 32
// bits per pixel, uncompressed, or 32-bit with the usual colour masks.
Error ReadLayout(Bytes file, int width, int height, BitmapLayout& layout) {
    if (file.size() < kFileHeaderSize + 4) {
        return Error::ReadFailed;
    }
    if (file[0] != 'B' || file[1] != 'M') {
        return Error::NotABitmap;
    }
    const std::uint8_t* info = file.data() + kFileHeaderSize;
    const std::uint32_t infoSize = ReadU32(info);
    if (!KnownInfoHeaderSize(infoSize)) {
        // 12 and 64 are OS/2 headers; anything else is no bitmap we know.
        return Error::UnsupportedBitmapHeader;
    }
    if (!FitsIn(file.size(), kFileHeaderSize, infoSize)) {
        return Error::ReadFailed;
    }
    const std::int32_t fileWidth = ReadI32(info + 4);
    const std::int32_t fileHeight = ReadI32(info + 8);
    // Negative heights mark top-down rows; the widest negative value has no
    // positive counterpart and can never match.
    const std::int64_t rows = fileHeight < 0 ? -static_cast<std::int64_t>(fileHeight) : fileHeight;
    if (width <= 0 || height <= 0 || width > PackedBitmap::kMaxSide ||
        height > PackedBitmap::kMaxSide || fileWidth != width || rows != height) {
        return Error::WrongBitmapSize;
    }
    const std::uint16_t bitCount = ReadU16(info + 14);
    if (bitCount != 8 && bitCount != 24 && bitCount != 32) {
        return Error::UnsupportedBitDepth;
    }
    const std::uint32_t compression = ReadU32(info + 16);
    std::size_t headersEnd = kFileHeaderSize + infoSize;
    if (compression == kBiBitfields && bitCount == 32) {
        const std::uint8_t* masks = info + 40;
        if (infoSize == 40) {
            // The masks follow a 40-byte header.
            if (!FitsIn(file.size(), headersEnd, 12)) {
                return Error::ReadFailed;
            }
            masks = file.data() + headersEnd;
            headersEnd += 12;
        }
        if (ReadU32(masks) != 0x00FF0000u || ReadU32(masks + 4) != 0x0000FF00u ||
            ReadU32(masks + 8) != 0x000000FFu) {
            return Error::UnsupportedColourMasks;
        }
    } else if (compression != kBiRgb) {
        return Error::CompressedBitmap;
    }

    BitmapLayout result;
    result.width = width;
    result.height = height;
    result.topDown = fileHeight < 0;
    result.bitCount = bitCount;
    if (bitCount == 8) {
        const std::uint32_t used = ReadU32(info + 32);
        if (used > 256) {
            return Error::ColourCountTooLarge;
        }
        result.colourCount = used == 0 ? 256 : used;
        result.paletteOffset = headersEnd;
        headersEnd += result.colourCount * 4;
    }
    result.pixelOffset = ReadU32(file.data() + 10);
    if (result.pixelOffset < headersEnd) {
        return Error::PixelOffsetInsideHeader;
    }
    result.stride = (static_cast<std::size_t>(width) * (bitCount / 8) + 3) & ~std::size_t{3};
    layout = result;
    return Error::None;
}

// The file's pixels as an image of the file's own depth (32-bit becomes 24-bit),
// bottom row first, with the file's colours as palette for 8-bit files.
PackedBitmap ReadPixels(Bytes file, const BitmapLayout& layout) {
    const Depth depth = layout.bitCount == 8 ? Depth::Bits8 : Depth::Bits24;
    PackedBitmap image(layout.width, layout.height, depth);
    if (depth == Depth::Bits8) {
        std::memset(image.palette(), 0, PackedBitmap::kPaletteSize);
        std::memcpy(image.palette(), file.data() + layout.paletteOffset, layout.colourCount * 4);
    }
    for (int r = 0; r < layout.height; ++r) {
        const int stored = layout.topDown ? layout.height - 1 - r : r;
        const std::uint8_t* in = file.data() + layout.pixelOffset + layout.stride * static_cast<std::size_t>(stored);
        std::uint8_t* out = image.row(r);
        if (layout.bitCount == 32) {
            // Blue, green, red and an alpha (or unused) byte that is dropped.
            for (int x = 0; x < layout.width; ++x, in += 4, out += 3) {
                out[0] = in[0];
                out[1] = in[1];
                out[2] = in[2];
            }
        } else {
            std::memcpy(out, in, std::min(layout.stride, image.stride()));
        }
    }
    return image;
}

} // namespace

Error ConvertLoadedPicture(PackedBitmap&& image, PackedBitmap& destination, Depth target) {
    if (image.depth() == Depth::Bits8 && target == Depth::Bits24) {
        return ExpandFromPalette(image, destination) ? Error::None : Error::OutOfMemory;
    }
    if (image.depth() == Depth::Bits24 && target == Depth::Bits8) {
        return ReduceToPalette(image, destination, kLoadReduceFirst, kLoadReduceEnd)
                   ? Error::None
                   : Error::OutOfMemory;
    }
    if (target == Depth::Bits8) {
        // Indices stay; every 8-bit image carries the game's palette.
        std::memcpy(image.palette(), PackedBitmap(1, 1, Depth::Bits8).palette(), PackedBitmap::kPaletteSize);
    }
    destination = std::move(image);
    return Error::None;
}

Error ParseBitmapFile(Bytes file, PackedBitmap& destination, int width, int height, Depth target) {
    BitmapLayout layout;
    if (Error error = ReadLayout(file, width, height, layout); !Ok(error)) {
        return error;
    }
    if (!FitsIn(file.size(), layout.pixelOffset, layout.end() - layout.pixelOffset)) {
        return Error::PixelsOutsideFile;
    }
    return ConvertLoadedPicture(ReadPixels(file, layout), destination, target);
}

Error ReadFilePrefix(const std::filesystem::path& path, std::size_t maxSize,
                     std::vector<std::uint8_t>& bytes) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        return Error::OpenFailed;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return Error::OpenFailed;
    }
    const auto size = std::filesystem::file_size(path, ec);
    if (ec) {
        return Error::ReadFailed;
    }
    std::vector<std::uint8_t> content(static_cast<std::size_t>(std::min<std::uintmax_t>(size, maxSize)));
    if (!content.empty() &&
        !in.read(reinterpret_cast<char*>(content.data()), static_cast<std::streamsize>(content.size()))) {
        return Error::ReadFailed;
    }
    bytes = std::move(content);
    return Error::None;
}

Error LoadBitmapFile(const std::filesystem::path& path, PackedBitmap& destination, int width,
                     int height, Depth target) {
    // The headers first, then only as much of the file as they say it needs.
    std::vector<std::uint8_t> file;
    if (Error error = ReadFilePrefix(path, kLongestHeaders, file); !Ok(error)) {
        return error;
    }
    BitmapLayout layout;
    if (Error error = ReadLayout(file, width, height, layout); !Ok(error)) {
        return error;
    }
    if (layout.pixelOffset > kMaxPixelOffset) {
        return Error::PixelsOutsideFile;
    }
    if (Error error = ReadFilePrefix(path, layout.end(), file); !Ok(error)) {
        return error;
    }
    return ParseBitmapFile(file, destination, width, height, target);
}

std::vector<std::uint8_t> EncodeBitmapFile(const PackedBitmap& bitmap) {
    std::vector<std::uint8_t> file = MakeFileHeader(bitmap.width(), bitmap.height(), bitmap.depth());
    const auto block = bitmap.block();
    // The block carries its own information header and palette, so only the
    // 14-byte file header goes before it.
    file.resize(kFileHeaderSize);
    file.insert(file.end(), block.begin(), block.end());
    return file;
}

Error SaveBitmapFile(const std::filesystem::path& path, const PackedBitmap& bitmap) {
    if (bitmap.empty()) {
        return Error::WrongBitmapDepth;
    }
    return WriteFileAtomically(path, EncodeBitmapFile(bitmap));
}

} // namespace tavolex
