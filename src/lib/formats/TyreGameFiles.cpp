#include "formats/TyreGameFiles.h"

#include <array>
#include <cstdio>

#include "files/AtomicWrite.h"
#include "files/CaseInsensitivePath.h"
#include "formats/BitmapFile.h"
#include "formats/GameJam.h"
#include "formats/PictureFile.h"

namespace tavolex {
namespace {

constexpr std::array<const char*, 4> kWheelFiles = {"Whblur0", "Whblur1", "Whbridg0", "Whbridg1"};
constexpr std::array<const char*, 4> kTreadFiles = {"treadgy1_art", "treadgy2_art", "treadbs1_art", "treadbs2_art"};
constexpr int kSoftwareHalfJamImages = 1;

std::vector<int> HalvesOf(SheetHalves halves) {
    switch (halves) {
    case SheetHalves::Top: return {1};
    case SheetHalves::Bottom: return {2};
    case SheetHalves::Both: break;
    }
    return {1, 2};
}

bool ValidType(int tyreType) { return tyreType == 0 || tyreType == 1; }

// Enough for any picture file of a whole sheet: four bytes a pixel (a 32-bit
// bitmap, an uncompressed PNG) and room for headers and palettes.
std::size_t MaxBitmapBytes(TyreSheet sheet) {
    const TyreSheetLayout& layout = LayoutOf(sheet);
    constexpr std::size_t kHeaderRoom = 64 * 1024;
    return 4 * static_cast<std::size_t>(layout.width) * static_cast<std::size_t>(layout.height) + kHeaderRoom;
}

Error ParseHalfOrWhole(std::span<const std::uint8_t> file, TyreSheet sheet, PackedBitmap& picture, bool& whole) {
    const TyreSheetLayout& layout = LayoutOf(sheet);
    if (Ok(ParsePictureFile(file, picture, layout.width, layout.height, layout.depth))) {
        whole = true;
        return Error::None;
    }
    whole = false;
    if (sheet == TyreSheet::SoftwareWheels) {
        return ParsePictureFile(file, picture, layout.width, HalfHeight(sheet), layout.depth);
    }
    return ParseGameHalfBitmap(file, sheet, picture);
}

} // namespace

std::string TyreGameBitmapName(TyreSheet sheet, int tyreType, int half) {
    const auto index = static_cast<std::size_t>(2 * tyreType + half - 1);
    const auto& names = sheet == TyreSheet::Treads ? kTreadFiles : kWheelFiles;
    return std::string("ZO3ZIDSH\\TechJam\\") + names[index % names.size()] + ".bmp";
}

std::string TreadStripName(int tyreType, int half, int strip) {
    char name[64];
    std::snprintf(name, sizeof name, "ZO3ZIDSH\\TechJam\\tread%d%d.bin", 2 * tyreType + half - 1, strip);
    return name;
}

Error ReadTyreHalves(const std::filesystem::path& gameFolder, TyreSheet sheet, int tyreType, SheetHalves halves,
                     PackedBitmap& picture) {
    const TyreSheetLayout& layout = LayoutOf(sheet);
    if (!ValidType(tyreType) || !picture.is(layout.width, layout.height, layout.depth)) {
        return Error::WrongBitmapSize;
    }
    PackedBitmap result = picture;
    for (int half : HalvesOf(halves)) {
        PackedBitmap part;
        if (sheet == TyreSheet::SoftwareWheels) {
            if (Error error = ReadGameJam(gameFolder, SoftwareWheelJam(tyreType, half), Variant::Software,
                                          HalfHeight(sheet), kSoftwareHalfJamImages, part);
                !Ok(error)) {
                return error;
            }
            PutSheetHalf(result, half, part);
            continue;
        }
        const auto path = FindPathIgnoringCase(gameFolder, TyreGameBitmapName(sheet, tyreType, half));
        if (!path) {
            return Error::OpenFailed;
        }
        bool whole = false;
        if (Error error = ReadTyreBitmapFile(*path, sheet, part, whole); !Ok(error)) {
            return error;
        }
        if (whole) {
            result = std::move(part);
        } else {
            PutSheetHalf(result, half, part);
        }
    }
    picture = std::move(result);
    return Error::None;
}

Error WriteTyreHalves(const std::filesystem::path& gameFolder, TyreSheet sheet, int tyreType, SheetHalves halves,
                      const PackedBitmap& picture, Progress* progress) {
    const TyreSheetLayout& layout = LayoutOf(sheet);
    if (!ValidType(tyreType) || !picture.is(layout.width, layout.height, layout.depth)) {
        return Error::WrongBitmapSize;
    }
    for (int half : HalvesOf(halves)) {
        const PackedBitmap part = SheetHalf(picture, half);
        if (sheet == TyreSheet::SoftwareWheels) {
            if (Error error = PatchGameJam(gameFolder, part, SoftwareWheelJam(tyreType, half), Variant::Software,
                                           HalfHeight(sheet), kSoftwareHalfJamImages, progress);
                !Ok(error)) {
                return error;
            }
            continue;
        }
        const auto file = EncodeGameHalfBitmap(part, sheet, GameBitmapFill(sheet, tyreType));
        const auto path = ResolvePathIgnoringCase(gameFolder, TyreGameBitmapName(sheet, tyreType, half));
        ShowProgressFile(progress, path.string());
        if (Error error = WriteFileAtomically(path, file); !Ok(error)) {
            return error;
        }
        if (sheet != TyreSheet::Treads) {
            continue;
        }
        std::array<std::vector<std::uint8_t>, kTreadStripCount> strips;
        if (!Ok(MakeTreadStrips(part, strips))) {
            return Error::ConversionFailed;
        }
        for (int k = 0; k < kTreadStripCount; ++k) {
            const auto stripPath = ResolvePathIgnoringCase(gameFolder, TreadStripName(tyreType, half, k));
            if (Error error = WriteFileAtomically(stripPath, strips[static_cast<std::size_t>(k)]); !Ok(error)) {
                return error;
            }
        }
    }
    return Error::None;
}

Error ReadTyreBitmapFile(const std::filesystem::path& path, TyreSheet sheet, PackedBitmap& picture, bool& whole) {
    std::vector<std::uint8_t> file;
    if (Error error = ReadFilePrefix(path, MaxBitmapBytes(sheet), file); !Ok(error)) {
        return error;
    }
    PackedBitmap result;
    if (Error error = ParseHalfOrWhole(file, sheet, result, whole); !Ok(error)) {
        return error;
    }
    picture = std::move(result);
    return Error::None;
}

Error SaveTyreSheetAs(const std::filesystem::path& path, TyreSheet sheet, int tyreType, SheetHalves halves,
                      const PackedBitmap& picture) {
    const TyreSheetLayout& layout = LayoutOf(sheet);
    if (!picture.is(layout.width, layout.height, layout.depth)) {
        return Error::WrongBitmapSize;
    }
    if (halves == SheetHalves::Both) {
        return SavePictureFile(path, picture);
    }
    const PackedBitmap part = SheetHalf(picture, static_cast<int>(halves));
    if (sheet == TyreSheet::SoftwareWheels) {
        return SavePictureFile(path, part);
    }
    return WriteFileAtomically(path, EncodeGameHalfBitmap(part, sheet, GameBitmapFill(sheet, tyreType)));
}

} // namespace tavolex
