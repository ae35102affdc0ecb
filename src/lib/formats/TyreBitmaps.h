#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "core/Error.h"
#include "formats/PackedBitmap.h"

// The three sheets of a tyre type and the game files their halves live in:
// the software wheel sheet (two 256 x 256 JAMs), the hardware wheel sheet
// (two 640 x 480 BMPs of which 512 columns are used) and the tread sheet (two
// 320 x 200 BMPs of which 256 columns are used, and palette strips of it).

namespace tavolex {

enum class TyreSheet { SoftwareWheels, HardwareWheels, Treads };
// Which halves an operation acts on; the numbers are the page's half choices.
enum class SheetHalves { Both = 0, Top = 1, Bottom = 2 };

struct TyreSheetLayout {
    int width; // of the whole sheet
    int height;
    Depth depth;
    int fileWidth; // of a game BMP holding one half (0: the half is a JAM)
    int fileHeight;
};
const TyreSheetLayout& LayoutOf(TyreSheet sheet);
inline int HalfHeight(TyreSheet sheet) { return LayoutOf(sheet).height / 2; }

// An empty sheet of tyre type i: index 254 (software), 9F 00 A3 or FF 00 FF
// (hardware wheels of type 0 or 1) or FF 00 FF (treads).
PackedBitmap EmptyTyreSheet(TyreSheet sheet, int tyreType);

// Half h (1 top, 2 bottom) of a sheet as a picture of its own, and back.
PackedBitmap SheetHalf(const PackedBitmap& sheet, int half);
void PutSheetHalf(PackedBitmap& sheet, int half, const PackedBitmap& picture);

// A game wheel or tread BMP: 24-bit, uncompressed, exactly the file size of
// the layout, read into a half of the sheet's width. Any other header is refused.
[[nodiscard]] Error ParseGameHalfBitmap(std::span<const std::uint8_t> file, TyreSheet sheet, PackedBitmap& half);
// The game BMP of a half; unused pixels take `fill` (red, green, blue).
std::vector<std::uint8_t> EncodeGameHalfBitmap(const PackedBitmap& half, TyreSheet sheet,
                                               std::array<std::uint8_t, 3> fill);
// The fill of the unused pixels of a game BMP of the sheet of tyre type i.
std::array<std::uint8_t, 3> GameBitmapFill(TyreSheet sheet, int tyreType);

// The four tread strips of a 256 x 200 tread half: strip k holds rows
// 50k to 50k + 49 from the top, reduced to palette indices 1-223, rows
// bottom-up, 12,800 bytes without header.
inline constexpr int kTreadStripCount = 4;
inline constexpr int kTreadStripRows = 50;
[[nodiscard]] Error MakeTreadStrips(const PackedBitmap& half,
                                    std::array<std::vector<std::uint8_t>, kTreadStripCount>& strips);

} // namespace tavolex
