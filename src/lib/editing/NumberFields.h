#pragma once

#include <span>

#include <cstdint>
#include <optional>

#include "core/PixelRect.h"
#include "document/CarSet.h"
#include "editing/GraphicCommands.h"
#include "game/GameFolder.h"

// The car number positions as the Cars page edits them: eighteen fields
// named by their dialog numbers, the limits values are stored with, and the
// outlines that show a position on the livery.

namespace tavolex {

// 400-405: destination x, y of the left, front and right views.
// 450-461: the selected car's source x, y, width, height of the three views.
inline constexpr int kFirstDestinationField = 400;
inline constexpr int kLastDestinationField = 405;
inline constexpr int kFirstSourceField = 450;
inline constexpr int kLastSourceField = 461;

[[nodiscard]] bool IsNumberField(int field);
[[nodiscard]] bool IsSourceField(int field);
NumberSide SideOfField(int field);

// The stored value of a field for car 0 or 1 (sources are per car).
std::uint16_t NumberFieldValue(const TeamRecord& team, int car, int field);
// The largest value a field stores: 256 for x and widths, 128 for y and heights.
int NumberFieldLimit(int field);
// Stores a typed value: one above the field's limit is stored as the limit.
void StoreNumberField(TeamRecord& team, int car, int field, std::uint64_t typed);

// The livery's three bands of 128 rows each.
inline constexpr int kLiveryBandRows = 128;
inline constexpr int kLiveryBands = 3;

// A livery sheet rectangle of a view mapped into `area` (where the 256 x 384
// sheet is stretched), widened by a pixel or two so it stands clear of what it
// surrounds, and kept inside the area and the view's band.
PixelRect NumberOutline(const PixelRect& area, NumberSide side, int x, int y, int width, int height);

// What blinks while `field` is edited: with `blink` set a source field shows
// its source rectangle; with it clear every field shows its view's destination
// with the car's source size. Nothing otherwise.
std::optional<PixelRect> EditedFieldOutline(const TeamRecord& team, int car, int field, bool blink,
                                            const PixelRect& area);

// The band (0 left, 1 front, 2 right) under a point at `y` inside the area.
int BandAt(const PixelRect& area, int y);

// The number "Import" and "Export": one team's positions from and into the
// supported executable. A read changes the team only when all of it was read.
[[nodiscard]] Error ImportNumberPositions(CarSet& carSet, const GameFolder& game, ExeStatus status, int team);
[[nodiscard]] Error ExportNumberPositions(const GameFolder& game, ExeStatus status, int team, const TeamRecord& record);
// Several teams' positions in one patch of the executable (the export of a whole car set).
[[nodiscard]] Error ExportNumberPositions(const GameFolder& game, ExeStatus status, const CarSet& carSet,
                                          std::span<const int> teams);

} // namespace tavolex
