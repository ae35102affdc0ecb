#include "formats/PitCrewPainting.h"

namespace tavolex {

PackedBitmap PaintPitCrew(const PackedBitmap& unpainted, const PitCrewColourSet& colours) {
    PackedBitmap painted = unpainted;
    if (painted.empty() || painted.depth() != Depth::Bits8) {
        return painted;
    }
    for (int r = 0; r < painted.height(); ++r) {
        std::uint8_t* row = painted.row(r);
        for (int x = 0; x < painted.width(); ++x) {
            const int p = row[x];
            if (p >= kFirstPaintedPixel) {
                row[x] = static_cast<std::uint8_t>(colours[static_cast<std::size_t>(p / 16)] + p % 16);
            }
        }
    }
    return painted;
}

} // namespace tavolex
