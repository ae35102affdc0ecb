#pragma once

#include "core/Error.h"
#include "formats/PackedBitmap.h"

// Making one variant of a team graphic from the other. Nothing is scaled:
// towards software each pixel takes the nearest palette colour, towards
// hardware the palette colour it names; the pit crew keeps its see-through
// key colour and the cockpit's hardware sheet is completed from a mask.

namespace tavolex {

// The colour that marks the see-through parts of a hardware pit crew picture.
inline constexpr std::uint8_t kKeyRed = 0x00, kKeyGreen = 0xFC, kKeyBlue = 0xF8;
// The cockpit mask's markers for the cockpit's first and second colour.
inline constexpr std::uint8_t kMaskFirstColour = 254;
inline constexpr std::uint8_t kMaskSecondColour = 252;
inline constexpr int kCockpitSoftwareRows = 64;
inline constexpr int kCockpitMaskRows = 192;

// Nearest colours among candidates first..last inclusive.
[[nodiscard]] Error ToSoftware(const PackedBitmap& hardware, PackedBitmap& software, int first, int last);
[[nodiscard]] Error ToHardware(const PackedBitmap& software, PackedBitmap& hardware);

[[nodiscard]] Error PitCrewToSoftware(PackedBitmap hardware, PackedBitmap& software);
[[nodiscard]] Error PitCrewToHardware(PackedBitmap software, PackedBitmap& hardware);

// The software cockpit is the top quarter of the hardware one.
[[nodiscard]] Error CockpitToSoftware(const PackedBitmap& hardware, PackedBitmap& software);
// The hardware cockpit: the software rows on top of the mask, whose markers
// take the colours at column 1, row 1 and column 90, row 63 of the software sheet.
[[nodiscard]] Error CockpitToHardware(const PackedBitmap& software, const PackedBitmap& mask, PackedBitmap& hardware);
// The mask made from the game's hardware Ferrari cockpit sheet (256 x 256).
[[nodiscard]] Error MakeCockpitMask(const PackedBitmap& ferrariCockpit, PackedBitmap& mask);

} // namespace tavolex
