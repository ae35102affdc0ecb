// Run-length coded BMP files (RLE8, RLE4): every code, the pictures other
// writers make, and streams that try to leave the picture or stop early.
#include <random>

#include <gtest/gtest.h>

#include "BmpBuilder.h"
#include "TestSupport.h"
#include "core/ByteOrder.h"
#include "formats/BitmapFile.h"

namespace tavolex {
namespace {
using test::BmpHeaders;
using test::BuildBmp;

constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;

// A run-length file of W x H with a grey colour table.
std::vector<std::uint8_t> RunLengthFile(int width, int height, int bits, const std::vector<std::uint8_t>& stream,
                                        bool topDown = false) {
    BmpHeaders headers = test::MakeHeaders(40, width, height, bits, topDown);
    headers.compression = bits == 8 ? kRle8 : kRle4;
    for (int i = 0; i < (1 << bits); ++i) {
        const auto v = static_cast<std::uint8_t>(i * 255 / ((1 << bits) - 1));
        headers.colourTable.insert(headers.colourTable.end(), {v, v, v, 0});
    }
    return BuildBmp(headers, stream);
}

// The indices of an 8-bit image, top row first.
std::vector<std::uint32_t> Indices(const PackedBitmap& image) { return test::PixelValues(image); }

TEST(BitmapRunLength, EveryCodeOfBothCodings) {
    // 6 x 4, bottom row first in the stream:
    //   row 0 (bottom): a run of 3 sevens, a stored stretch 1 2 3 (padded)
    //   row 1: a skip of 2 right and 1 up (rows 1's rest and row 2's start stay 0)
    //   row 2: from x 2, a run of 4 nines, end of row
    //   row 3 (top): end of picture before any pixel
    const std::vector<std::uint8_t> rle8 = {3, 7, 0, 3, 1, 2, 3, 0, 0, 0, // row 0 and its end
                                            0, 2, 2, 1,                   // skip
                                            4, 9, 0, 0,                   // row 2
                                            0, 1};
    PackedBitmap read;
    ASSERT_EQ(ParseBitmapFile(RunLengthFile(6, 4, 8, rle8), read, 6, 4, Depth::Bits8), Error::None);
    const std::vector<std::uint32_t> expected = {0, 0, 0, 0, 0, 0, //
                                                 0, 0, 9, 9, 9, 9, //
                                                 0, 0, 0, 0, 0, 0, //
                                                 7, 7, 7, 1, 2, 3};
    EXPECT_EQ(Indices(read), expected);
    // The same stream with top-down rows fills them from the top.
    ASSERT_EQ(ParseBitmapFile(RunLengthFile(6, 4, 8, rle8, true), read, 6, 4, Depth::Bits8), Error::None);
    EXPECT_EQ(Indices(read), (std::vector<std::uint32_t>{7, 7, 7, 1, 2, 3, //
                                                         0, 0, 0, 0, 0, 0, //
                                                         0, 0, 9, 9, 9, 9, //
                                                         0, 0, 0, 0, 0, 0}));

    // RLE4: a run alternates its two nibbles; a stored stretch of 5 nibbles
    // takes 3 bytes and a pad byte.
    const std::vector<std::uint8_t> rle4 = {5, 0x12, 0,    0,             // row 0: 1 2 1 2 1
                                            0, 5,    0xAB, 0xCD, 0xE0, 0, // row 1: A B C D E
                                            0, 1};
    ASSERT_EQ(ParseBitmapFile(RunLengthFile(5, 2, 4, rle4), read, 5, 2, Depth::Bits8), Error::None);
    EXPECT_EQ(Indices(read), (std::vector<std::uint32_t>{10, 11, 12, 13, 14, 1, 2, 1, 2, 1}));
    // Into a colour slot, through the file's own (grey) colours.
    ASSERT_EQ(ParseBitmapFile(RunLengthFile(5, 2, 4, rle4), read, 5, 2, Depth::Bits24), Error::None);
    EXPECT_EQ(read.topRow(0)[0], 10 * 17);
    EXPECT_EQ(read.row(0)[3], 2 * 17);
}

TEST(BitmapRunLength, PicturesOfEverySizeComeBackExactly) {
    std::mt19937 random(7);
    for (int bits : {8, 4}) {
        for (auto [width, height] : {std::pair{1, 1}, std::pair{3, 2}, std::pair{255, 3}, std::pair{256, 5},
                                     std::pair{301, 7}, std::pair{1024, 4}}) {
            for (bool topDown : {false, true}) {
                SCOPED_TRACE(testing::Message()
                             << bits << " bits " << width << " x " << height << (topDown ? " top-down" : ""));
                // Stretches of one value and stretches of noise.
                std::vector<std::uint32_t> indices;
                while (indices.size() < static_cast<std::size_t>(width * height)) {
                    const std::uint32_t value = random() % (1u << bits);
                    const std::size_t length = random() % 40 + 1;
                    for (std::size_t i = 0; i < length; ++i) {
                        indices.push_back(random() % 3 == 0 ? value : random() % (1u << bits));
                    }
                }
                indices.resize(static_cast<std::size_t>(width * height));
                const auto stream = test::EncodeBmpRunLength(indices, width, height, bits, topDown);
                PackedBitmap read;
                ASSERT_EQ(ParseBitmapFile(RunLengthFile(width, height, bits, stream, topDown), read, width, height,
                                          Depth::Bits8),
                          Error::None);
                EXPECT_EQ(Indices(read), indices);
            }
        }
    }
}

TEST(BitmapRunLength, HowAStreamMayEnd) {
    PackedBitmap read;
    // Without the end-of-picture code, once every row is there: after the
    // last end-of-row, or with the last row just filled.
    ASSERT_EQ(ParseBitmapFile(RunLengthFile(2, 2, 8, {2, 5, 0, 0, 2, 6, 0, 0}), read, 2, 2, Depth::Bits8), Error::None);
    EXPECT_EQ(Indices(read), (std::vector<std::uint32_t>{6, 6, 5, 5}));
    ASSERT_EQ(ParseBitmapFile(RunLengthFile(2, 2, 8, {2, 5, 0, 0, 2, 6}), read, 2, 2, Depth::Bits8), Error::None);
    // The end-of-picture code early: the rest stays index 0.
    ASSERT_EQ(ParseBitmapFile(RunLengthFile(2, 2, 8, {1, 5, 0, 1, 9, 9}), read, 2, 2, Depth::Bits8), Error::None);
    EXPECT_EQ(Indices(read), (std::vector<std::uint32_t>{0, 0, 5, 0}));

    // A header without the stream's size: the stream runs to the file's end.
    BmpHeaders headers = test::MakeHeaders(40, 2, 2, 8);
    headers.compression = kRle8;
    headers.colourTable.resize(256 * 4);
    headers.sizeImage = 0;
    ASSERT_EQ(ParseBitmapFile(BuildBmp(headers, {2, 5, 0, 0, 2, 6, 0, 1}), read, 2, 2, Depth::Bits8), Error::None);
    EXPECT_EQ(Indices(read), (std::vector<std::uint32_t>{6, 6, 5, 5}));
    // A size the file does not hold: cut short.
    headers.sizeImage = 12;
    EXPECT_EQ(ParseBitmapFile(BuildBmp(headers, {2, 5, 0, 0, 2, 6, 0, 1}), read, 2, 2, Depth::Bits8),
              Error::PixelsOutsideFile);
}

TEST(BitmapRunLength, StreamsThatLeaveThePictureOrStopEarlyAreRefused) {
    struct Case {
        const char* what;
        int bits;
        std::vector<std::uint8_t> stream;
        Error error;
    } cases[] = {
        {"a run past the row's end", 8, {5, 1, 0, 1}, Error::RunOutsidePicture},
        {"a run after a full row", 8, {4, 1, 1, 2, 0, 1}, Error::RunOutsidePicture},
        {"a stored stretch past the row's end", 8, {0, 5, 1, 2, 3, 4, 5, 0, 0, 1}, Error::RunOutsidePicture},
        {"an RLE4 run past the row's end", 4, {5, 0x11, 0, 1}, Error::RunOutsidePicture},
        {"an RLE4 stored stretch past the row's end", 4, {0, 6, 0x12, 0x34, 0x56, 0, 0, 1}, Error::RunOutsidePicture},
        {"a skip past the right edge", 8, {2, 1, 0, 2, 3, 0, 0, 1}, Error::RunOutsidePicture},
        {"a skip past the top", 8, {0, 2, 0, 3, 0, 1}, Error::RunOutsidePicture},
        {"a skip of 255 up", 8, {0, 2, 0, 255, 0, 1}, Error::RunOutsidePicture},
        {"a run past the last row", 8, {0, 0, 0, 0, 0, 0, 1, 1}, Error::RunOutsidePicture},
        {"an end-of-row past the last row", 8, {0, 0, 0, 0, 0, 0, 0, 0, 0, 1}, Error::RunOutsidePicture},
        {"rows missing at the end", 8, {4, 1, 0, 0}, Error::CompressedPixelsEndEarly},
        {"a pair cut in half", 8, {4, 1, 0, 0, 4, 1, 0, 0, 4}, Error::CompressedPixelsEndEarly},
        {"a skip without its distances", 8, {0, 2}, Error::CompressedPixelsEndEarly},
        {"a stored stretch cut short", 8, {0, 4, 1, 2}, Error::CompressedPixelsEndEarly},
        {"nothing at all", 8, {}, Error::CompressedPixelsEndEarly},
    };
    for (const Case& c : cases) {
        PackedBitmap destination = test::Banded8(4, 3);
        const PackedBitmap before = destination;
        EXPECT_EQ(ParseBitmapFile(RunLengthFile(4, 3, c.bits, c.stream), destination, 4, 3, Depth::Bits8), c.error)
            << c.what;
        EXPECT_EQ(destination, before) << c.what;
    }
}

TEST(BitmapRunLength, AHostileStreamCostsNoMoreThanThePictureCanNeed) {
    // A stream of endless zero skips in a file claiming a huge stream size:
    // reading stops at what an honest stream of the picture could need.
    std::vector<std::uint8_t> skips;
    for (int i = 0; i < 200000; ++i) {
        skips.insert(skips.end(), {0, 2, 0, 0});
    }
    BmpHeaders headers = test::MakeHeaders(40, 8, 8, 8);
    headers.compression = kRle8;
    headers.colourTable.resize(256 * 4);
    headers.sizeImage = 0xFFFFFFF0u;
    PackedBitmap read;
    EXPECT_EQ(ParseBitmapFile(BuildBmp(headers, skips), read, 8, 8, Depth::Bits8), Error::CompressedPixelsEndEarly);
}

} // namespace
} // namespace tavolex
