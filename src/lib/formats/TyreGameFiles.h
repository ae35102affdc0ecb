#pragma once

#include <filesystem>
#include <string>

#include "core/Error.h"
#include "core/Progress.h"
#include "formats/TyreBitmaps.h"

// Where the halves of a tyre type's sheets live in the game and how they are
// read and written: the software wheels as the JAMs main\Whblur0/1 (type 0)
// and main\Whbridg0/1 (type 1), the hardware wheels and treads as BMPs in the
// hardware texture folder's TechJam folder, the treads also as palette strips.

namespace tavolex {

// The relative name (Windows style) of the game BMP of half h (1, 2) of a
// hardware sheet of tyre type i: "ZO3ZIDSH\TechJam\Whblur0.bmp", ...
std::string TyreGameBitmapName(TyreSheet sheet, int tyreType, int half);
// "ZO3ZIDSH\TechJam\tread<2i + h - 1><k>.bin".
std::string TreadStripName(int tyreType, int half, int strip);
// The JAM name index of half h of the software wheels of tyre type i.
constexpr int SoftwareWheelJam(int tyreType, int half) { return 50 + 2 * tyreType + half - 1; }

// Reads the chosen halves from the game into `sheet`, which holds the sheet
// to start from; the other half stays. A game BMP that is a whole sheet
// replaces the whole sheet. On failure `sheet` is unchanged.
[[nodiscard]] Error ReadTyreHalves(const std::filesystem::path& gameFolder, TyreSheet sheet, int tyreType,
                                   SheetHalves halves, PackedBitmap& picture);

// Writes the chosen halves of `picture` into the game's files (treads with
// their strips). Each file is replaced whole; a failure stops at that file.
// `progress` (may be null) names each file written.
[[nodiscard]] Error WriteTyreHalves(const std::filesystem::path& gameFolder, TyreSheet sheet, int tyreType,
                                    SheetHalves halves, const PackedBitmap& picture, Progress* progress = nullptr);

// A file the user chose for a sheet: the whole sheet (`whole` set) or one
// half: a 256 x 256 bitmap for the software wheels, else a game BMP.
[[nodiscard]] Error ReadTyreBitmapFile(const std::filesystem::path& path, TyreSheet sheet, PackedBitmap& picture,
                                       bool& whole);

// The file "Save as..." writes for a choice: the whole sheet as a bitmap, a
// software half as a 256 x 256 bitmap, a hardware half as its game BMP.
[[nodiscard]] Error SaveTyreSheetAs(const std::filesystem::path& path, TyreSheet sheet, int tyreType,
                                    SheetHalves halves, const PackedBitmap& picture);

} // namespace tavolex
