#include "BenchImages.h"

#include <algorithm>
#include <cstdlib>
#include <random>

#include "formats/PaletteConversion.h"
#include "formats/Rgb565.h"

namespace tavolex::bench {

const PackedBitmap& PhotoSheet24() {
    static const PackedBitmap sheet = [] {
        PackedBitmap image(256, 384, Depth::Bits24);
        std::mt19937 random(42);
        std::normal_distribution<double> noise(0.0, 6.0);
        for (int y = 0; y < 384; ++y) {
            std::uint8_t* row = image.topRow(y);
            for (int x = 0; x < 256; ++x) {
                auto channel = [&](double base) {
                    return static_cast<std::uint8_t>(std::clamp(base + noise(random), 0.0, 255.0));
                };
                row[3 * x + 0] = channel(128 + 100 * std::sin(x / 40.0));
                row[3 * x + 1] = channel(128 + 90 * std::cos(y / 55.0));
                row[3 * x + 2] = channel((x + y) % 256);
            }
        }
        return image;
    }();
    return sheet;
}

const PackedBitmap& PhotoSheet8() {
    static const PackedBitmap sheet = [] {
        PackedBitmap reduced;
        if (!Ok(ReduceToPalette(PhotoSheet24(), reduced, 1, 254))) {
            std::abort(); // every benchmark on it would measure nothing
        }
        return reduced;
    }();
    return sheet;
}

const std::vector<std::uint16_t>& PhotoSheet565() {
    static const std::vector<std::uint16_t> values = [] {
        const PackedBitmap& image = PhotoSheet24();
        std::vector<std::uint16_t> v(256 * 384);
        for (int y = 0; y < 384; ++y) {
            ReduceBgrTo565(image.topRow(y), 256, v.data() + static_cast<std::size_t>(y) * 256);
        }
        return v;
    }();
    return values;
}

} // namespace tavolex::bench
