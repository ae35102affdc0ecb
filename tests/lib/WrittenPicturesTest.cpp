// Pictures as ImageMagick and Pillow wrote them, kept in tests/data/pictures
// with what each writer read back, so that a change of the reader is caught
// even where a writer changes its defaults (make-pictures.sh remakes them).
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "formats/PictureFile.h"

namespace tavolex {
namespace {
namespace fs = std::filesystem;

constexpr int kWidth = 40;
constexpr int kHeight = 24;

TEST(WrittenPictures, EveryKeptFileReadsAsItsWriterReadIt) {
    const fs::path folder = TAVOLEX_TEST_PICTURES;
    int files = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const fs::path file = entry.path();
        if (file.extension() != ".bmp" && file.extension() != ".png") {
            continue;
        }
        SCOPED_TRACE(file.filename().string());
        ++files;
        fs::path rgbPath = file;
        const auto rgb = test::ReadBytes(rgbPath.replace_extension(".rgb"));
        ASSERT_EQ(rgb.size(), static_cast<std::size_t>(3 * kWidth * kHeight));
        PackedBitmap colour;
        ASSERT_EQ(LoadPictureFile(file, colour, kWidth, kHeight, Depth::Bits24), Error::None);
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const std::uint8_t* pixel = colour.topRow(y) + 3 * x;
                const std::uint8_t* expected = &rgb[3 * static_cast<std::size_t>(y * kWidth + x)];
                ASSERT_TRUE(pixel[2] == expected[0] && pixel[1] == expected[1] && pixel[0] == expected[2])
                    << "at " << x << ", " << y;
            }
        }
        fs::path idxPath = file;
        idxPath.replace_extension(".idx");
        if (!fs::exists(idxPath)) {
            continue;
        }
        const auto indices = test::ReadBytes(idxPath);
        PackedBitmap indexed;
        ASSERT_EQ(LoadPictureFile(file, indexed, kWidth, kHeight, Depth::Bits8), Error::None);
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                ASSERT_EQ(indexed.topRow(y)[x], indices[static_cast<std::size_t>(y * kWidth + x)])
                    << "at " << x << ", " << y;
            }
        }
    }
    EXPECT_EQ(files, 12);
}

} // namespace
} // namespace tavolex
