#include "formats/BitmapFile.h"

#include <cstring>
#include <fstream>

#include "core/ByteOrder.h"
#include "files/AtomicWrite.h"
#include "formats/PaletteConversion.h"

namespace tavolex {

namespace {
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kHeadersSize = kFileHeaderSize + PackedBitmap::kInfoHeaderSize;
// Candidates 1-253: a 24-bit file loaded into an 8-bit slot.
constexpr int kLoadReduceFirst = 1;
constexpr int kLoadReduceEnd = 254;
} // namespace

Error ParseBitmapFile(std::span<const std::uint8_t> file, PackedBitmap& destination, int width,
                      int height, Depth target) {
    if (file.size() < kHeadersSize) {
        return Error::ReadFailed;
    }
    if (file[0] != 'B' || file[1] != 'M') {
        return Error::NotABitmap;
    }
    const std::uint8_t* info = file.data() + kFileHeaderSize;
    if (width <= 0 || height <= 0 || width > PackedBitmap::kMaxSide ||
        height > PackedBitmap::kMaxSide || ReadI32(info + 4) != width ||
        ReadI32(info + 8) != height) {
        return Error::WrongBitmapSize;
    }
    const std::uint16_t bitCount = ReadU16(info + 14);
    if (bitCount != 8 && bitCount != 24) {
        return Error::UnsupportedBitDepth;
    }
    if (ReadU32(info + 16) != 0) {
        return Error::CompressedBitmap;
    }
    // The pixels are taken from the fixed offsets 1078 and 54, whatever the
    // header's offset field says, as the game's own tools do.
    const Depth fileDepth = bitCount == 8 ? Depth::Bits8 : Depth::Bits24;
    const std::size_t pixelStart = kFileHeaderSize + PackedBitmap::PixelOffsetFor(fileDepth);
    const std::size_t pixelBytes =
        PackedBitmap::StrideFor(width, fileDepth) * static_cast<std::size_t>(height);
    if (!FitsIn(file.size(), pixelStart, pixelBytes)) {
        return Error::ReadFailed;
    }

    PackedBitmap image(width, height, fileDepth);
    std::memcpy(image.pixels(), file.data() + pixelStart, pixelBytes);
    if (fileDepth == Depth::Bits8 && target == Depth::Bits24) {
        std::memcpy(image.palette(), file.data() + kHeadersSize, PackedBitmap::kPaletteSize);
        return ExpandFromPalette(image, destination) ? Error::None : Error::OutOfMemory;
    }
    if (fileDepth == Depth::Bits24 && target == Depth::Bits8) {
        return ReduceToPalette(image, destination, kLoadReduceFirst, kLoadReduceEnd)
                   ? Error::None
                   : Error::OutOfMemory;
    }
    destination = std::move(image);
    return Error::None;
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
    if (width <= 0 || height <= 0 || width > PackedBitmap::kMaxSide ||
        height > PackedBitmap::kMaxSide) {
        return Error::WrongBitmapSize;
    }
    // The most a valid file of this size needs: the 8-bit layout with its
    // palette, or the 24-bit rows, whichever is longer.
    const std::size_t needed =
        std::max(kFileHeaderSize + PackedBitmap::BlockSizeFor(width, height, Depth::Bits8),
                 kFileHeaderSize + PackedBitmap::BlockSizeFor(width, height, Depth::Bits24));
    std::vector<std::uint8_t> file;
    if (Error error = ReadFilePrefix(path, needed, file); !Ok(error)) {
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
