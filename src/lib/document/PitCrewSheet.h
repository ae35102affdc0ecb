#pragma once

#include <filesystem>

#include "core/Error.h"
#include "core/Progress.h"
#include "core/Variant.h"
#include "formats/PackedBitmap.h"

// The pit crew sheet of a team: 172 x 508 pixels made of two game files, the
// "XX1" file (name index 13 + 2t) giving the top half and the "XXX" file
// (14 + 2t) the bottom half. Both files are 256 wide and 254 rows high, 255
// for slot 7, whose extra row lies above the top half and below the bottom one.

namespace tavolex {

enum class PitCrewHalf { Both = 0, Top = 1, Bottom = 2 };

inline constexpr int kPitCrewSheetWidth = 172;
inline constexpr int kPitCrewSheetHeight = 508;
inline constexpr int kPitCrewHalfRows = 254;
inline constexpr int kPitCrewFileWidth = 256;

// The rows of the slot's two game files.
int PitCrewFileRows(int slot);
// The JAM name index of the slot's file for a half (Top or Bottom).
int PitCrewJamIndex(int slot, PitCrewHalf half);

// A sheet (or any W x H picture) of the see-through fill: the key colour in
// hardware, index 0 in software.
PackedBitmap PitCrewFill(int width, int height, Variant variant);

// Puts the first 172 columns of a 256 x 254 or 255 file picture into a half
// of the sheet: the file's last 254 rows for the top half, its first 254 for
// the bottom half. False (and nothing changed) for a picture of another size
// or depth.
[[nodiscard]] Error PutPitCrewHalf(const PackedBitmap& file, PitCrewHalf half, PackedBitmap& sheet);

// The 256 x rows file picture of a half of the sheet, as the game keeps it:
// the fill around it; a 255-row bottom file repeats the sheet's last row.
PackedBitmap PitCrewHalfFile(const PackedBitmap& sheet, PitCrewHalf half, int rows, Variant variant);

// Reads the chosen halves (both for Both) of the slot from the game into
// `sheet`, which must be a sheet of the variant's depth; a failure changes nothing.
[[nodiscard]] Error ImportPitCrewHalves(const std::filesystem::path& gameFolder, int slot, Variant variant,
                                        PitCrewHalf half, PackedBitmap& sheet);

// Patches the chosen halves of `sheet` into the slot's game files.
// `progress` (may be null) names each file patched.
[[nodiscard]] Error ExportPitCrewHalves(const std::filesystem::path& gameFolder, int slot, Variant variant,
                                        PitCrewHalf half, const PackedBitmap& sheet, Progress* progress = nullptr);

} // namespace tavolex
