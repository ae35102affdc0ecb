#include "TexelorFixtures.h"

#include "TestSupport.h"
#include "formats/JamBuilder.h"

namespace texelor::test {

std::vector<std::uint8_t> MakeJam(int height, int records, unsigned seed) {
    std::vector<std::uint8_t> file;
    (void)tavolex::BuildHardwareJam(tavolex::test::PhotoLike24(256, height, seed), records, file);
    return file;
}

std::vector<std::uint32_t> PixelsOf(const tavolex::PackedBitmap& image) {
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < image.height(); ++y) {
        const std::uint8_t* row = image.topRow(y);
        for (int x = 0; x < image.width(); ++x, row += 3) {
            pixels.push_back(static_cast<std::uint32_t>(row[2]) << 16 | static_cast<std::uint32_t>(row[1]) << 8 |
                             row[0]);
        }
    }
    return pixels;
}

std::vector<std::uint32_t> ExpectedPixels(int height, unsigned seed) {
    return PixelsOf(tavolex::test::ReducedTo565(tavolex::test::PhotoLike24(256, height, seed)));
}

} // namespace texelor::test
