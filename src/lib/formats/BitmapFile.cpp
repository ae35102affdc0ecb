#include "formats/BitmapFile.h"

#include <algorithm>
#include <cstring>
#include <fstream>

#include "core/ByteOrder.h"
#include "files/AtomicWrite.h"
#include "formats/BitmapLayout.h"
#include "formats/BitmapPixels.h"
#include "formats/PaletteConversion.h"

namespace tavolex {

namespace {
constexpr std::size_t kFileHeaderSize = 14;
// Writers leave room between the headers and the pixels, but not megabytes.
constexpr std::size_t kMaxPixelOffset = 64u * 1024u * 1024u;
// Candidates 1-253: a 24-bit file loaded into an 8-bit slot.
constexpr int kLoadReduceFirst = 1;
constexpr int kLoadReduceEnd = 254;

// Reads the headers and checks the file is of the caller's size.
Error ReadLayoutOfSize(Bytes file, int width, int height, BitmapLayout& layout) {
    if (width <= 0 || height <= 0 || width > PackedBitmap::kMaxSide || height > PackedBitmap::kMaxSide) {
        return Error::WrongBitmapSize;
    }
    BitmapLayout result;
    if (Error error = ReadBitmapLayout(file, result); !Ok(error)) {
        return error;
    }
    if (result.width != width || result.height != height) {
        return Error::WrongBitmapSize;
    }
    layout = result;
    return Error::None;
}

} // namespace

Error ConvertLoadedPicture(PackedBitmap&& image, PackedBitmap& destination, Depth target) {
    if (image.depth() == Depth::Bits8 && target == Depth::Bits24) {
        return Ok(ExpandFromPalette(image, destination)) ? Error::None : Error::OutOfMemory;
    }
    if (image.depth() == Depth::Bits24 && target == Depth::Bits8) {
        return Ok(ReduceToPalette(image, destination, kLoadReduceFirst, kLoadReduceEnd)) ? Error::None
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
    if (Error error = ReadLayoutOfSize(file, width, height, layout); !Ok(error)) {
        return error;
    }
    PackedBitmap image;
    if (Error error = ReadBitmapPixels(file, layout, image); !Ok(error)) {
        return error;
    }
    return ConvertLoadedPicture(std::move(image), destination, target);
}

Error ReadFilePrefix(const std::filesystem::path& path, std::size_t maxSize, std::vector<std::uint8_t>& bytes) {
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

Error LoadBitmapFile(const std::filesystem::path& path, PackedBitmap& destination, int width, int height,
                     Depth target) {
    // The headers first, then only as much of the file as they say it needs.
    std::vector<std::uint8_t> file;
    if (Error error = ReadFilePrefix(path, kLongestBitmapHeaders, file); !Ok(error)) {
        return error;
    }
    BitmapLayout layout;
    if (Error error = ReadLayoutOfSize(file, width, height, layout); !Ok(error)) {
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
