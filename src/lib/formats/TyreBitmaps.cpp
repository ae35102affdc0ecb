#include "formats/TyreBitmaps.h"

#include <cstring>

#include "core/ByteOrder.h"
#include "formats/BitmapFile.h"
#include "formats/BitmapOps.h"
#include "formats/PaletteConversion.h"

namespace tavolex {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kHeadersSize = kFileHeaderSize + PackedBitmap::kInfoHeaderSize;
constexpr std::uint8_t kEmptySoftwareIndex = 254;
// In a game wheel BMP the sheet's right half starts one pixel later than its left half ends.
constexpr int kWheelGap = 1;
constexpr int kWheelHalfColumns = 256;
// Candidates 1-223 (end exclusive 224): the colours the game's tread strips use.
constexpr int kStripFirst = 1;
constexpr int kStripEnd = 224;

constexpr std::array<TyreSheetLayout, 3> kLayouts = {{
    {256, 512, Depth::Bits8, 0, 0},
    {512, 960, Depth::Bits24, 640, 480},
    {256, 400, Depth::Bits24, 320, 200},
}};

// Where pixel x of a half row sits in the game BMP's row.
int FileColumn(TyreSheet sheet, int x) {
    return sheet == TyreSheet::HardwareWheels && x >= kWheelHalfColumns ? x + kWheelGap : x;
}

} // namespace

const TyreSheetLayout& LayoutOf(TyreSheet sheet) { return kLayouts[static_cast<std::size_t>(sheet)]; }

std::array<std::uint8_t, 3> GameBitmapFill(TyreSheet sheet, int tyreType) {
    if (sheet == TyreSheet::HardwareWheels && tyreType == 0) {
        return {0x9F, 0x00, 0xA3};
    }
    return {0xFF, 0x00, 0xFF};
}

PackedBitmap EmptyTyreSheet(TyreSheet sheet, int tyreType) {
    const TyreSheetLayout& layout = LayoutOf(sheet);
    const auto fill = GameBitmapFill(sheet, tyreType);
    PackedBitmap empty;
    FillBitmap(empty, layout.width, layout.height, MakeColour(fill[0], fill[1], fill[2]), kEmptySoftwareIndex,
               layout.depth);
    return empty;
}

PackedBitmap SheetHalf(const PackedBitmap& sheet, int half) {
    const int rows = sheet.height() / 2;
    PackedBitmap picture(sheet.width(), rows, sheet.depth());
    const int top = (half == 2 ? rows : 0);
    for (int y = 0; y < rows; ++y) {
        std::memcpy(picture.topRow(y), sheet.topRow(top + y), sheet.stride());
    }
    return picture;
}

void PutSheetHalf(PackedBitmap& sheet, int half, const PackedBitmap& picture) {
    const int rows = sheet.height() / 2;
    if (!picture.is(sheet.width(), rows, sheet.depth())) {
        return;
    }
    const int top = (half == 2 ? rows : 0);
    for (int y = 0; y < rows; ++y) {
        std::memcpy(sheet.topRow(top + y), picture.topRow(y), sheet.stride());
    }
}

Error ParseGameHalfBitmap(std::span<const std::uint8_t> file, TyreSheet sheet, PackedBitmap& half) {
    const TyreSheetLayout& layout = LayoutOf(sheet);
    if (layout.fileWidth == 0) {
        return Error::NotABitmap;
    }
    if (file.size() < kHeadersSize) {
        return Error::ReadFailed;
    }
    if (file[0] != 'B' || file[1] != 'M') {
        return Error::NotABitmap;
    }
    const std::uint8_t* info = file.data() + kFileHeaderSize;
    if (ReadI32(info + 4) != layout.fileWidth || ReadI32(info + 8) != layout.fileHeight) {
        return Error::WrongBitmapSize;
    }
    if (ReadU16(info + 14) != 24) {
        return Error::UnsupportedBitDepth;
    }
    if (ReadU32(info + 16) != 0) {
        return Error::CompressedBitmap;
    }
    const std::size_t fileStride = PackedBitmap::StrideFor(layout.fileWidth, Depth::Bits24);
    if (!FitsIn(file.size(), kHeadersSize, fileStride * static_cast<std::size_t>(layout.fileHeight))) {
        return Error::ReadFailed;
    }
    PackedBitmap result(layout.width, layout.fileHeight, Depth::Bits24);
    for (int r = 0; r < layout.fileHeight; ++r) {
        const std::uint8_t* in = file.data() + kHeadersSize + fileStride * static_cast<std::size_t>(r);
        std::uint8_t* out = result.row(r);
        for (int x = 0; x < layout.width; ++x) {
            std::memcpy(out + 3 * x, in + 3 * FileColumn(sheet, x), 3);
        }
    }
    half = std::move(result);
    return Error::None;
}

std::vector<std::uint8_t> EncodeGameHalfBitmap(const PackedBitmap& half, TyreSheet sheet,
                                               std::array<std::uint8_t, 3> fill) {
    const TyreSheetLayout& layout = LayoutOf(sheet);
    if (layout.fileWidth == 0 || !half.is(layout.width, layout.fileHeight, Depth::Bits24)) {
        return {};
    }
    PackedBitmap file;
    FillBitmap(file, layout.fileWidth, layout.fileHeight, MakeColour(fill[0], fill[1], fill[2]), 0, Depth::Bits24);
    for (int r = 0; r < layout.fileHeight; ++r) {
        const std::uint8_t* in = half.row(r);
        std::uint8_t* out = file.row(r);
        for (int x = 0; x < layout.width; ++x) {
            std::memcpy(out + 3 * FileColumn(sheet, x), in + 3 * x, 3);
        }
    }
    return EncodeBitmapFile(file);
}

Error MakeTreadStrips(const PackedBitmap& half, std::array<std::vector<std::uint8_t>, kTreadStripCount>& strips) {
    const TyreSheetLayout& layout = LayoutOf(TyreSheet::Treads);
    if (!half.is(layout.width, layout.fileHeight, Depth::Bits24)) {
        return Error::ConversionFailed;
    }
    for (int k = 0; k < kTreadStripCount; ++k) {
        PackedBitmap band(layout.width, kTreadStripRows, Depth::Bits24);
        for (int y = 0; y < kTreadStripRows; ++y) {
            std::memcpy(band.topRow(y), half.topRow(kTreadStripRows * k + y), band.stride());
        }
        PackedBitmap indexed;
        if (!Ok(ReduceToPalette(band, indexed, kStripFirst, kStripEnd))) {
            return Error::ConversionFailed;
        }
        // 256 columns: 8-bit rows carry no padding, so the pixels are the strip as stored.
        const auto pixels = std::span(indexed.pixels(), indexed.pixelBytes());
        strips[static_cast<std::size_t>(k)].assign(pixels.begin(), pixels.end());
    }
    return Error::None;
}

} // namespace tavolex
