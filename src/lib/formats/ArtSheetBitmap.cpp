#include "formats/ArtSheetBitmap.h"

#include <cstring>

#include "files/AtomicWrite.h"
#include "formats/PictureFile.h"

namespace tavolex {

Error LoadArtSheetBitmap(const std::filesystem::path& path, PackedBitmap& sheet) {
    PackedBitmap wide;
    if (Error error = LoadPictureFile(path, wide, kArtSheetFileWidth, kArtSheetHeight, Depth::Bits24);
        !Ok(error)) {
        return error;
    }
    PackedBitmap result(kArtSheetWidth, kArtSheetHeight, Depth::Bits24);
    for (int r = 0; r < kArtSheetHeight; ++r) {
        std::memcpy(result.row(r), wide.row(r), result.stride());
    }
    sheet = std::move(result);
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
