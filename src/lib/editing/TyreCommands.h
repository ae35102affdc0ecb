#pragma once

#include <filesystem>

#include "editing/GraphicCommands.h"
#include "editing/PictureRefusal.h"
#include "formats/TyreBitmaps.h"
#include "game/GraphicEnvironment.h"

// What the Wheels page's buttons do to a tyre type's sheet: like the common
// graphic commands, but on both halves or either half alone. A command on
// one half keeps the other half of the shown sheet and stores the result in
// the slot's temporary file. Each changes the slot and `sheet` only when it
// succeeded.

namespace tavolex {

// The sheet a page shows for a slot: the fetched picture, or the fill of an empty sheet.
PackedBitmap ShownTyreSheet(const PackedBitmap& fetched, GraphicKind kind, int tyreType, Variant variant);

[[nodiscard]] Error ImportTyreHalves(CarSet& carSet, const GraphicEnvironment& environment, GraphicKind kind,
                                     int tyreType, Variant variant, SheetHalves halves, PackedBitmap& sheet);
[[nodiscard]] Error ExportTyreHalves(const GraphicEnvironment& environment, GraphicKind kind, int tyreType,
                                     Variant variant, SheetHalves halves, const PackedBitmap& sheet);
// A whole sheet bitmap, a half (a 256 x 256 bitmap or software JAM for the
// software wheels, a game BMP for the others; "both" puts it on top).
[[nodiscard]] Error LoadTyreFile(CarSet& carSet, const GraphicEnvironment& environment, GraphicKind kind, int tyreType,
                                 Variant variant, SheetHalves halves, const std::filesystem::path& path,
                                 PackedBitmap& sheet);
// The picture a Load of `halves` asks for, as its refusal states it: the whole
// sheet, or for one half the half's own file (256 x 256, or the game's 640 x 480 BMP).
WantedPicture WantedTyrePicture(GraphicKind kind, Variant variant, SheetHalves halves);
[[nodiscard]] Error SaveTyreFileAs(GraphicKind kind, int tyreType, Variant variant, SheetHalves halves,
                                   const PackedBitmap& sheet, const std::filesystem::path& path);

} // namespace tavolex
