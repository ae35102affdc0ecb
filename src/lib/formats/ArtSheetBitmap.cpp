#include "formats/ArtSheetBitmap.h"

#include <cstring>

#include "files/AtomicWrite.h"
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
    PackedBitmap wide;
    if (Error error = LoadPictureFile(path, wide, kArtSheetFileWidth, kArtSheetHeight, Depth::Bits24);
        !Ok(error)) {
        return error;
    }
    sheet = Crop(wide);
    return Error::None;
}

Error ParseArtSheetBitmap(std::span<const std::uint8_t> file, PackedBitmap& sheet) {
    PackedBitmap wide;
    if (Error error = ParsePictureFile(file, wide, kArtSheetFileWidth, kArtSheetHeight, Depth::Bits24);
        !Ok(error)) {
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
