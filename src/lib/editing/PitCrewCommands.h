#pragma once

#include <filesystem>

#include "document/PitCrewSheet.h"
#include "editing/GraphicCommands.h"
#include "editing/PictureRefusal.h"
#include "game/GameFolder.h"
#include "game/GraphicEnvironment.h"

// What the Pit crew page's buttons do beyond the common commands: Import,
// Export, Load and Save as of both halves of the sheet or one, "<<< Copy"
// of the painted template, and the crew colours to and from GP3.EXE. Like
// the common commands, each changes the slot only when it succeeded.
// `current` is the sheet the page shows (empty when the slot has none): a
// command on one half keeps the other half of it.

namespace tavolex {

// Both halves make the slot refer to the game; one half is kept in the
// slot's temporary file, which the slot then refers to.
[[nodiscard]] Error ImportPitCrew(CarSet& carSet, const GraphicEnvironment& environment, int slot, Variant variant,
                                  PitCrewHalf half, const PackedBitmap& current, PackedBitmap& image);

[[nodiscard]] Error ExportPitCrew(const GraphicEnvironment& environment, int slot, Variant variant, PitCrewHalf half,
                                  const PackedBitmap& image);

// A 172 x 508 bitmap replaces the sheet; a 256 x 254 or 255 bitmap or JAM
// file (of either variant) replaces the chosen half (the top one for Both).
[[nodiscard]] Error LoadPitCrew(CarSet& carSet, const GraphicEnvironment& environment, int slot, Variant variant,
                                PitCrewHalf half, const PackedBitmap& current, const std::filesystem::path& path,
                                PackedBitmap& image);

// The picture a Load of `half` asks for, as its refusal states it: the whole
// sheet, or for one half the 256-wide file picture of a half.
WantedPicture WantedPitCrewPicture(Variant variant, PitCrewHalf half);
// The whole sheet, or a half as the 256-wide file picture the game keeps.
[[nodiscard]] Error SavePitCrewAs(const PackedBitmap& image, int slot, Variant variant, PitCrewHalf half,
                                  const std::filesystem::path& path);

// "<<< Copy": the crew template painted in the team's colours.
[[nodiscard]] Error CopyPitCrewTemplate(CarSet& carSet, const GraphicEnvironment& environment, int slot,
                                        Variant variant, PackedBitmap& image);

// The team's sixteen crew colours from and to the supported executable.
[[nodiscard]] Error ImportCrewColours(CarSet& carSet, const GameFolder& game, ExeStatus status, int team);
[[nodiscard]] Error ExportCrewColours(const CarSet& carSet, const GameFolder& game, ExeStatus status, int team);

} // namespace tavolex
