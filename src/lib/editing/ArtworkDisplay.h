#pragma once

#include <array>
#include <cstdint>

#include "formats/PackedBitmap.h"

// What the Artwork page shows of a team art sheet (948 x 650, 24-bit): the
// places of its pictures, the display copy of the sheet (composed corners,
// magenta turned into the button face colour), the boxes the logo animation
// and the driver pictures are drawn in, and the drivers' toggle animation.

namespace tavolex {

struct ArtRegion {
    int x;
    int y;
    int width;
    int height;
    friend bool operator==(const ArtRegion&, const ArtRegion&) = default;
};

inline constexpr int kLogoFrames = 30;
inline constexpr int kLogoBoxSide = 120;
inline constexpr int kDriverBoxSide = 164;
inline constexpr int kScreenRegions = 5;

ArtRegion ArtLogoFrame(int frame);      // 0-29
ArtRegion ArtLargePicture(int picture); // L0-L3, 128 x 128
ArtRegion ArtSmallPicture(int picture); // S0-S5, 78 x 78
ArtRegion ArtCorner(int corner);        // C0-C11, 42 x 42
// The badge and the four screen pictures, left to right as the Artwork page shows them.
ArtRegion ArtScreenRegion(int index);

// A colour as red, green, blue.
using Rgb = std::array<std::uint8_t, 3>;

// Makes the display copy of a sheet in place: the composed corners, then
// magenta in rows 570-649 becomes the button face / 4 less 1, above it the
// button face less 2 (never below 0).
void PrepareArtDisplay(PackedBitmap& sheet, Rgb buttonFace);

// The 120 x 120 box of logo frame f, centred on a button face background.
PackedBitmap ComposeLogoBox(const PackedBitmap& display, int frame, Rgb buttonFace);
// The 164 x 164 box of driver d at toggle frame f (0-3).
PackedBitmap ComposeDriverBox(const PackedBitmap& display, int driver, int frame, Rgb buttonFace);
// A region of the sheet as a picture of its own.
PackedBitmap CutArtRegion(const PackedBitmap& display, const ArtRegion& region);

// A driver's selection toggle: three frames on (0, 1, 2) or off (2, 3, 0).
class DriverToggle {
  public:
    // Starts a toggle from rest; false (nothing happens) while one runs.
    bool start();
    // One animation step; false once the toggle has come to rest.
    bool tick();
    bool running() const { return counter_ != 2 && counter_ != 8; }
    int frame() const { return counter_ % 4; }
    int counter() const { return counter_; }

  private:
    int counter_ = 8;
};

} // namespace tavolex
