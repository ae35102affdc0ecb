#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "formats/PackedBitmap.h"
#include "formats/PitCrewPainting.h"

// The pit crew colours of a team: sixteen palette indices, each the first of
// a range of 16 game palette entries in which the game paints one area of the
// crew. A template pixel p from 48 up belongs to area p / 16 with the shade
// p mod 16. Here are the painting, the colour cycle the preview's clicks step
// through, and the palette grid's geometry, decided without a widget.

namespace tavolex {

struct PitCrewArea {
    const char* label;
    int colour; // the colour number (3-15) it edits
};

// The thirteen paintable areas in the order the page lists them.
std::span<const PitCrewArea> PitCrewAreas();
inline constexpr int kFirstPitCrewArea = 11; // "Head."

// The area of the template pixel under (x, y) of an area w x h the template
// is stretched over; nothing when the pixel is below 48 or the point outside.
std::optional<int> PitCrewAreaAt(const PackedBitmap& unpainted, int x, int y, int w, int h);

// The colour after a forward step (a left click) and a backward step (a right
// click) through the cycle 1, 8, 16, ... 192; stepping forward onto 208 gives 1.
int NextCycleColour(int colour);
int PreviousCycleColour(int colour);

// The palette grid: 208 cells in 13 rows of 16 over a W x H control.
inline constexpr int kPaletteCells = 208;
struct PaletteCell {
    int left, top, right, bottom; // right and bottom exclusive
};
PaletteCell PaletteCellAt(int k, int width, int height);
// The cell a click at (x, y) picks: the first of cells 1-192 that holds it.
std::optional<int> PickPaletteCell(int x, int y, int width, int height);
// The cells outlined for an area whose colour is `colour`: colour to colour + 15, within 1-207.
std::vector<int> OutlinedPaletteCells(int colour);

} // namespace tavolex
