#pragma once

#include <array>
#include <filesystem>

#include "core/Error.h"
#include "core/Variant.h"
#include "document/CarSet.h"
#include "document/PitLaneStrips.h"
#include "editing/GraphicCommands.h"
#include "game/GameFolder.h"
#include "game/GraphicEnvironment.h"

// The pit lane: the order of the teams' pit boxes, and the pit box picture
// whose eleven strips are the teams' signs (document/PitLaneStrips.h); a new
// order moves the strips for every team to keep its own sign.

namespace tavolex {

inline constexpr int kPitBoxWidth = 256;

// The position (0-10, 0 nearest the entrance) of each team.
using PitPositions = std::array<int, kTeamCount>;

// Repeated positions read as the default order (see RepairPitBoxPositions).
PitPositions PitPositionsOf(const CarSet& carSet);
// The team at each position, as the pit lane list shows them.
std::array<int, kTeamCount> PitLaneOrder(const PitPositions& positions);
// The positions after the list item `from` was dragged to the boundary
// `target` (0-11, above item `target`): it is taken out and put in there.
PitPositions MovePitLaneItem(const PitPositions& positions, int from, int target);

// The strips of a picture (rows 16s to 16s + 15 from the top).
PackedBitmap PitStrip(const PackedBitmap& picture, int strip);
[[nodiscard]] Error PlacePitStrip(PackedBitmap& picture, int strip, const PackedBitmap& stripPicture);
// Every team's strip carried from its old position's slot to its new one's.
[[nodiscard]] Error MovePitStrips(const PackedBitmap& picture, const PitPositions& before, const PitPositions& after,
                                  PackedBitmap& moved);
// The picture an empty variant starts from when one strip is loaded.
PackedBitmap BlankPitBoxPicture(Variant variant);

// New positions for every team. With a picture of the shown variant (`image`,
// fetched) its strips move and the result becomes the variant's temporary
// file; the other variant's strips move too when it holds a picture of its
// own (one made from the shown variant is made again). Without a picture only
// the positions change. A failure changes nothing.
[[nodiscard]] Error ApplyPitPositions(CarSet& carSet, const GraphicEnvironment& environment, Variant shown,
                                      const PitPositions& positions, PackedBitmap& image);
// The order table of GP3.EXE (a table that is not a permutation reads as 1-11).
[[nodiscard]] Error ImportPitLaneOrder(CarSet& carSet, const GraphicEnvironment& environment, const GameFolder& game,
                                       Variant shown, PackedBitmap& image);
[[nodiscard]] Error ExportPitLaneOrder(const GameFolder& game, const PitPositions& positions);

// The picture with strips a and b swapped, as the variant's temporary file.
[[nodiscard]] Error SwapPitStrips(CarSet& carSet, const GraphicEnvironment& environment, Variant shown, int a, int b,
                                  PackedBitmap& image);
// A 256 x 16 bitmap put at `strip` of the picture (or of a blank one).
[[nodiscard]] Error LoadPitStrip(CarSet& carSet, const GraphicEnvironment& environment, Variant shown, int strip,
                                 const std::filesystem::path& path, PackedBitmap& image);
[[nodiscard]] Error SavePitStripAs(const PackedBitmap& image, int strip, const std::filesystem::path& path);

} // namespace tavolex
