#pragma once

#include "formats/PackedBitmap.h"

// Pictures for the sample game that a person can tell apart at a glance:
// each team's livery in its own colours with numbered bands, helmets with
// their drivers' numbers, other sheets with their texture's index.

namespace tavolex {

// The hardware (24-bit) picture of JAM name index k: 256 x height, cut into
// `imageCount` labelled bands.
PackedBitmap SampleJamPicture(int k, int height, int imageCount);

// A labelled 24-bit picture of any size.
PackedBitmap SampleLabelledPicture(int width, int height, int label, unsigned colourSeed);

// Draws `number` in large digits (3 x 5 cells of `scale` pixels) at x, y from the top-left.
void DrawNumber(PackedBitmap& image, int number, int x, int y, int scale, std::uint32_t colour);

} // namespace tavolex
