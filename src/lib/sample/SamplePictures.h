#pragma once

#include "core/Variant.h"
#include "formats/PackedBitmap.h"

// The sample game's textures, drawn as a modder would find them: liveries
// with the car's panels in the team's colours, a sponsor band and the car
// numbers; cockpits with the tub and steering wheel; 22 helmets; pit crews
// in overalls; tyres with lettered sidewalls and treads; pit box signs with
// the team names. Deterministic, and quick enough to make many times.

namespace tavolex {

// The picture of JAM name index k in a variant at its sheet size (256 x
// height): 8-bit with the game palette for software, else 24-bit. Empty for
// a height the texture cannot have.
PackedBitmap SampleJamPicture(int k, Variant variant, int height);

// The picture of the game's wheel or tread bitmap `file` (its place in
// TechJamBitmaps()): 640 x 480 or 320 x 200, 24-bit.
PackedBitmap SampleTechJamPicture(int file);

} // namespace tavolex
