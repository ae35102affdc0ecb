#include "editing/DisplayImage.h"

#include <array>
#include <bit>
#include <cstring>

namespace tavolex {
namespace {

constexpr std::uint32_t Opaque(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    return 0xFF000000u | red << 16 | green << 8 | blue;
}

} // namespace

void MakeDisplayImage(const PackedBitmap& image, DisplayImage& display) {
    display.width = image.empty() ? 0 : image.width();
    display.height = image.empty() ? 0 : image.height();
    display.pixels.resize(static_cast<std::size_t>(display.width) * static_cast<std::size_t>(display.height));
    if (image.empty()) {
        return;
    }
    const auto width = static_cast<std::size_t>(image.width());
    if (image.depth() == Depth::Bits8) {
        std::array<std::uint32_t, 256> colours{};
        const std::uint8_t* entry = image.palette();
        for (auto& colour : colours) {
            colour = Opaque(entry[2], entry[1], entry[0]);
            entry += 4;
        }
        for (int y = 0; y < image.height(); ++y) {
            const std::uint8_t* in = image.topRow(y);
            std::uint32_t* out = display.pixels.data() + static_cast<std::size_t>(y) * width;
            for (std::size_t x = 0; x < width; ++x) {
                out[x] = colours[in[x]];
            }
        }
        return;
    }
    for (int y = 0; y < image.height(); ++y) {
        const std::uint8_t* in = image.topRow(y);
        std::uint32_t* out = display.pixels.data() + static_cast<std::size_t>(y) * width;
        // Blue, green, red and the next pixel's blue, read as one little-endian
        // word, are the screen pixel once the top byte is made opaque. The last
        // pixel of a row is read alone so that no read passes the row's end.
        std::size_t x = 0;
        for (; x + 1 < width; ++x, in += 3) {
            std::uint32_t word;
            std::memcpy(&word, in, sizeof word);
            if constexpr (std::endian::native == std::endian::big) {
                word = word >> 24 | (word >> 8 & 0xFF00u) | (word << 8 & 0xFF0000u) | word << 24;
            }
            out[x] = word | 0xFF000000u;
        }
        out[x] = Opaque(in[2], in[1], in[0]);
    }
}

} // namespace tavolex
