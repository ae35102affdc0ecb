#include "formats/ArtSheetBitmap.h"

#include <cstring>
#include <vector>

#include "core/ByteOrder.h"
#include "files/AtomicWrite.h"
#include "formats/BitmapFile.h"
#include "formats/PictureFile.h"

namespace tavolex {

namespace {

// The sheet is the file's left 948 columns.
PackedBitmap Crop(const PackedBitmap& wide) {
    PackedBitmap sheet(kArtSheetWidth, kArtSheetHeight, Depth::Bits24);
    for (int r = 0; r < kArtSheetHeight; ++r) {
        std::memcpy(sheet.row(r), wide.row(r), sheet.stride());
    }
    return sheet;
}

} // namespace

Error LoadArtSheetBitmap(const std::filesystem::path& path, PackedBitmap& sheet) {
    // Only a 24-bit bitmap is a sheet bitmap: an 8-bit one would be expanded
    // through its palette and taken for a sheet it is not.
    constexpr std::size_t kHeaders = 54;
    constexpr std::size_t kBitCountAt = 28;
    std::vector<std::uint8_t> file;
    if (Error error = ReadFilePrefix(path, kHeaders, file); !Ok(error)) {
        return error;
    }
    if (file.size() >= kHeaders && file[0] == 'B' && file[1] == 'M' && ReadU16(file.data() + kBitCountAt) != 24) {
        return Error::UnsupportedBitDepth;
    }
    PackedBitmap wide;
    if (Error error = LoadPictureFile(path, wide, kArtSheetFileWidth, kArtSheetHeight, Depth::Bits24); !Ok(error)) {
        return error;
    }
    sheet = Crop(wide);
    return Error::None;
}

Error ParseArtSheetBitmap(std::span<const std::uint8_t> file, PackedBitmap& sheet) {
    PackedBitmap wide;
    if (Error error = ParsePictureFile(file, wide, kArtSheetFileWidth, kArtSheetHeight, Depth::Bits24); !Ok(error)) {
        return error;
    }
    sheet = Crop(wide);
    return Error::None;
}

Error SaveArtSheetBitmap(const std::filesystem::path& path, const PackedBitmap& sheet) {
    if (!sheet.is(kArtSheetWidth, kArtSheetHeight, Depth::Bits24)) {
        return Error::WrongBitmapSize;
    }
    PackedBitmap wide(kArtSheetFileWidth, kArtSheetHeight, Depth::Bits24);
    for (int r = 0; r < kArtSheetHeight; ++r) {
        std::memcpy(wide.row(r), sheet.row(r), sheet.stride());
    }
    return SavePictureFile(path, wide);
}

} // namespace tavolex
