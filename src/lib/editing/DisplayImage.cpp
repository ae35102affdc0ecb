#include "editing/DisplayImage.h"

#include <array>

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
        for (std::size_t x = 0; x < width; ++x, in += 3) {
            out[x] = Opaque(in[2], in[1], in[0]);
        }
    }
}

} // namespace tavolex
