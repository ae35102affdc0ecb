#include <random>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "formats/GamePalette.h"
#include "formats/PaletteConversion.h"

namespace tavolex {
namespace {

TEST(GamePalette, KeepsTheGameColoursAndTheirStoredOrder) {
    EXPECT_EQ(GamePalette[0].red, 0x3F);
    EXPECT_EQ(GamePalette[0].green, 0x67);
    EXPECT_EQ(GamePalette[0].blue, 0x67);
    EXPECT_EQ(GamePalette[39].red, 0xFC);
    EXPECT_EQ(GamePalette[242].red, 0xFC);
    EXPECT_EQ(GamePalette[242].green, 0x3B);
    EXPECT_EQ(GamePalette[255].blue, 0xFF);
    // In an image the entries are blue, green, red, 0: entry 0 is 67 67 3F 00.
    PackedBitmap image(4, 1, Depth::Bits8);
    EXPECT_EQ(image.palette()[0], 0x67);
    EXPECT_EQ(image.palette()[1], 0x67);
    EXPECT_EQ(image.palette()[2], 0x3F);
    EXPECT_EQ(image.palette()[3], 0x00);
}

TEST(ReduceToPalette, PicksTheFirstNearestCandidateOfTheRange) {
    // White without 255 among the candidates goes to the light grey FCFCFC at 39.
    EXPECT_EQ(NearestPaletteIndex(255, 255, 255, 1, 254), 39);
    EXPECT_EQ(NearestPaletteIndex(255, 255, 255, 1, 256), 255);
    // An exact colour below the range is not reachable.
    EXPECT_NE(NearestPaletteIndex(0x3F, 0x67, 0x67, 1, 254), 0);
    EXPECT_EQ(NearestPaletteIndex(0x3F, 0x67, 0x67, 0, 254), 0);
    // Halfway between two greys, 0x4C and 0x50 (indices 10 and 11): the lower index wins.
    EXPECT_EQ(NearestPaletteIndex(0x4E, 0x4E, 0x4E, 1, 254), 10);
}

// The fast search must agree with the plain one everywhere, ties included.
TEST(ReduceToPalette, AgreesWithThePlainSearchForEveryRangeThePagesUse) {
    const std::pair<int, int> ranges[] = {{1, 254}, {1, 255}, {0, 254}, {1, 224}, {0, 256}};
    std::mt19937 random(7);
    PackedBitmap source(256, 64, Depth::Bits24);
    for (int r = 0; r < source.height(); ++r) {
        std::uint8_t* row = source.row(r);
        for (int x = 0; x < source.width(); ++x) {
            // Mix random colours with exact palette colours and their near neighbours.
            const auto& c = GamePalette[static_cast<std::size_t>(random() % 256)];
            const bool exact = x % 3 == 0;
            row[3 * x + 0] = exact ? c.blue : static_cast<std::uint8_t>(random());
            row[3 * x + 1] = exact ? c.green : static_cast<std::uint8_t>(random());
            row[3 * x + 2] = exact ? static_cast<std::uint8_t>(c.red ^ (x % 2)) : static_cast<std::uint8_t>(random());
        }
    }
    for (auto [first, end] : ranges) {
        PackedBitmap reduced;
        ASSERT_TRUE(Ok(ReduceToPalette(source, reduced, first, end)));
        ASSERT_TRUE(reduced.is(256, 64, Depth::Bits8));
        for (int r = 0; r < source.height(); ++r) {
            for (int x = 0; x < source.width(); ++x) {
                const std::uint8_t* p = source.row(r) + 3 * x;
                ASSERT_EQ(reduced.row(r)[x], NearestPaletteIndex(p[2], p[1], p[0], first, end))
                    << "range " << first << "-" << end << " pixel " << x << "," << r;
            }
        }
    }
}

TEST(ReduceToPalette, CubeCornersAndCellEdgesMatchThePlainSearch) {
    for (int red = 0; red < 256; red += 15) {
        for (int green = 0; green < 256; green += 17) {
            for (int blue = 0; blue < 256; blue += 16) {
                PackedBitmap one(1, 1, Depth::Bits24);
                one.row(0)[0] = static_cast<std::uint8_t>(blue);
                one.row(0)[1] = static_cast<std::uint8_t>(green);
                one.row(0)[2] = static_cast<std::uint8_t>(red);
                PackedBitmap reduced;
                ASSERT_TRUE(Ok(ReduceToPalette(one, reduced, 1, 254)));
                ASSERT_EQ(reduced.row(0)[0], NearestPaletteIndex(red, green, blue, 1, 254));
            }
        }
    }
}

TEST(ExpandFromPalette, UsesTheSourcesOwnPalette) {
    PackedBitmap image(3, 2, Depth::Bits8);
    image.row(0)[0] = 0;
    image.row(0)[1] = 255;
    image.row(1)[2] = 7;
    image.palette()[4 * 7 + 0] = 1; // a colour that is not the game's
    image.palette()[4 * 7 + 1] = 2;
    image.palette()[4 * 7 + 2] = 3;
    PackedBitmap expanded;
    ASSERT_TRUE(Ok(ExpandFromPalette(image, expanded)));
    ASSERT_TRUE(expanded.is(3, 2, Depth::Bits24));
    const std::uint8_t* row0 = expanded.row(0);
    EXPECT_EQ(row0[0], 0x67);
    EXPECT_EQ(row0[2], 0x3F);
    EXPECT_EQ(row0[3], 0xFF);
    EXPECT_EQ(expanded.row(1)[6], 1);
    EXPECT_EQ(expanded.row(1)[8], 3);
    EXPECT_FALSE(Ok(ExpandFromPalette(expanded, image))) << "a 24-bit source is refused";
}

} // namespace
} // namespace tavolex
