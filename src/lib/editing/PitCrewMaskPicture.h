#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "core/Error.h"
#include "formats/PackedBitmap.h"

// Making a pit crew recolouring mask by hand: texture N of the game as a
// 24-bit picture with a legend of the marker colours to its right; the user
// paints the areas of each rule in its marker colour, and the painted picture
// becomes mask N (pitcrew-masks/190NN.bin in the editor's data folder).

namespace tavolex {

// A mask value (one of kPitCrewMaskMarkers) and the colour it is painted in.
// No colour of the game's palette is a marker colour, so the texture's own
// pixels can never be taken for paint.
struct PitCrewMarkerColour {
    std::uint8_t value;
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};
[[nodiscard]] std::span<const PitCrewMarkerColour> PitCrewMarkerColours();

// The legend's columns right of the 256 of the texture, and one swatch's rows
// (the swatches stand from the top in the order of PitCrewMarkerColours).
inline constexpr int kPitCrewLegendWidth = 64;
inline constexpr int kPitCrewLegendSwatchRows = 16;

// The texture (8-bit, 256 x H) in its own colours, the legend beside it.
[[nodiscard]] PackedBitmap MakePitCrewMaskPicture(const PackedBitmap& texture);

struct PixelPosition {
    int x = 0; // from the left
    int y = 0; // from the top
};

// The mask of a painted picture over its texture: byte k for byte k of the
// texture's pixels in their stored order, 0 where the texture's own colour
// shows and the marker's value where a marker colour is painted. The legend
// is not read. The picture must be MakePitCrewMaskPicture's size at 24 bits
// (Error::WrongBitmapSize); any other colour fails with
// Error::UnexpectedMaskColour and `bad` at the first such pixel.
[[nodiscard]] Error PitCrewMaskFromPicture(const PackedBitmap& texture, const PackedBitmap& painted,
                                           std::vector<std::uint8_t>& mask, PixelPosition& bad);

// The painted picture (BMP or PNG) of texture `texture`, at 24 bits.
[[nodiscard]] Error LoadPitCrewMaskPicture(const std::filesystem::path& path, const PackedBitmap& texture,
                                           PackedBitmap& painted);

// Mask `file` (0-10) into the data folder's pitcrew-masks folder, made when
// missing; it must be the file's exact size.
[[nodiscard]] Error WritePitCrewMask(const std::filesystem::path& dataFolder, int file,
                                     std::span<const std::uint8_t> mask);

} // namespace tavolex
