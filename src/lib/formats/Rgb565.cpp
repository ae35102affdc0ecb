#include "formats/Rgb565.h"

namespace tavolex {

void Expand565ToBgr(const std::uint16_t* values, std::size_t count, std::uint8_t* bgr) {
    for (std::size_t i = 0; i < count; ++i, bgr += 3) {
        const std::uint16_t v = values[i];
        bgr[0] = Blue565(v);
        bgr[1] = Green565(v);
        bgr[2] = Red565(v);
    }
}

void ReduceBgrTo565(const std::uint8_t* bgr, std::size_t count, std::uint16_t* values) {
    for (std::size_t i = 0; i < count; ++i, bgr += 3) {
        values[i] = ToRgb565(bgr[2], bgr[1], bgr[0]);
    }
}

} // namespace tavolex
