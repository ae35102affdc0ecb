#include <cstring>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "core/ByteOrder.h"
#include "formats/BitmapFile.h"
#include "formats/BitmapOps.h"
#include "formats/PaletteConversion.h"

namespace tavolex {
namespace {
using test::ReadBytes;
using test::ScratchFolder;
using test::WriteBytes;

TEST(PackedBitmap, HasTheLayoutOfADeviceIndependentBitmap) {
    EXPECT_EQ(PackedBitmap(256, 384, Depth::Bits8).block().size(), 99368u);
    EXPECT_EQ(PackedBitmap(256, 384, Depth::Bits24).block().size(), 294952u);
    PackedBitmap odd(255, 2, Depth::Bits24);
    EXPECT_EQ(odd.stride(), 768u);
    EXPECT_EQ(PackedBitmap(172, 1, Depth::Bits8).stride(), 172u);
    EXPECT_EQ(PackedBitmap(173, 1, Depth::Bits8).stride(), 176u);
    const auto block = odd.block();
    EXPECT_EQ(ReadU32(block.data()), 40u);
    EXPECT_EQ(ReadU16(block.data() + 14), 24);
    EXPECT_FALSE(PackedBitmap().reset(0, 10, Depth::Bits8));
    EXPECT_FALSE(PackedBitmap().reset(10, PackedBitmap::kMaxSide + 1, Depth::Bits8));
}

TEST(BitmapFile, RoundTripsBothDepthsWithTheExpectedFileSizes) {
    ScratchFolder folder;
    const PackedBitmap colour = test::PhotoLike24(256, 40);
    const PackedBitmap indexed = test::Banded8(256, 40);
    ASSERT_TRUE(Ok(SaveBitmapFile(folder / "c.bmp", colour)));
    ASSERT_TRUE(Ok(SaveBitmapFile(folder / "i.bmp", indexed)));
    EXPECT_EQ(ReadBytes(folder / "c.bmp").size(), 54u + 768u * 40u);
    EXPECT_EQ(ReadBytes(folder / "i.bmp").size(), 1078u + 256u * 40u);

    PackedBitmap loaded;
    ASSERT_TRUE(Ok(LoadBitmapFile(folder / "c.bmp", loaded, 256, 40, Depth::Bits24)));
    EXPECT_EQ(loaded, colour);
    ASSERT_TRUE(Ok(LoadBitmapFile(folder / "i.bmp", loaded, 256, 40, Depth::Bits8)));
    EXPECT_EQ(loaded, indexed);
}

TEST(BitmapFile, ConvertsBetweenDepthsOnLoad) {
    ScratchFolder folder;
    // An 8-bit file whose colours are not the game's: an 8-bit slot keeps the
    // indices and takes the game's palette; a 24-bit slot keeps the colours.
    PackedBitmap foreign = test::Banded8(8, 4);
    for (int i = 0; i < 1024; ++i) {
        foreign.palette()[i] = static_cast<std::uint8_t>(255 - i % 256);
    }
    ASSERT_TRUE(Ok(SaveBitmapFile(folder / "f.bmp", foreign)));
    PackedBitmap asIndexed;
    ASSERT_TRUE(Ok(LoadBitmapFile(folder / "f.bmp", asIndexed, 8, 4, Depth::Bits8)));
    EXPECT_EQ(asIndexed, test::Banded8(8, 4));
    PackedBitmap asColour;
    ASSERT_TRUE(Ok(LoadBitmapFile(folder / "f.bmp", asColour, 8, 4, Depth::Bits24)));
    PackedBitmap expected;
    ASSERT_TRUE(Ok(ExpandFromPalette(foreign, expected)));
    EXPECT_EQ(asColour, expected);

    // A 24-bit file into an 8-bit slot uses candidates 1-253: white becomes 39.
    PackedBitmap white;
    FillBitmap(white, 4, 4, MakeColour(255, 255, 255), 0, Depth::Bits24);
    ASSERT_TRUE(Ok(SaveBitmapFile(folder / "w.bmp", white)));
    ASSERT_TRUE(Ok(LoadBitmapFile(folder / "w.bmp", asIndexed, 4, 4, Depth::Bits8)));
    EXPECT_EQ(asIndexed.row(2)[3], 39);
}

TEST(BitmapFile, RefusesFilesThatAreNotExactlyTheSheet) {
    ScratchFolder folder;
    ASSERT_TRUE(Ok(SaveBitmapFile(folder / "a.bmp", test::PhotoLike24(256, 383))));
    PackedBitmap destination = test::Banded8(4, 4);
    const PackedBitmap before = destination;
    EXPECT_EQ(LoadBitmapFile(folder / "a.bmp", destination, 256, 384, Depth::Bits24), Error::WrongBitmapSize);

    auto bytes = ReadBytes(folder / "a.bmp");
    auto withField = [&](std::size_t offset, std::uint16_t value) {
        auto copy = bytes;
        WriteU16(copy.data() + offset, value);
        return copy;
    };
    EXPECT_EQ(ParseBitmapFile(withField(28, 2), destination, 256, 383, Depth::Bits24), Error::UnsupportedBitDepth);
    EXPECT_EQ(ParseBitmapFile(withField(30, 1), destination, 256, 383, Depth::Bits24),
              Error::CompressionDoesNotFitDepth);
    EXPECT_EQ(ParseBitmapFile(withField(30, 9), destination, 256, 383, Depth::Bits24), Error::CompressedBitmap);
    EXPECT_EQ(ParseBitmapFile(withField(0, 0x4142), destination, 256, 383, Depth::Bits24), Error::NotABitmap);
    // Truncated anywhere: refused, and the destination is untouched.
    for (std::size_t length : {std::size_t{0}, std::size_t{20}, std::size_t{54}, bytes.size() - 1}) {
        std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_FALSE(Ok(ParseBitmapFile(cut, destination, 256, 383, Depth::Bits24))) << length;
    }
    EXPECT_EQ(destination, before);
    EXPECT_EQ(LoadBitmapFile(folder / "missing.bmp", destination, 256, 383, Depth::Bits24), Error::OpenFailed);
}

TEST(BitmapFile, AFailedSaveKeepsTheOldFile) {
    ScratchFolder folder;
    const auto target = folder / "keep.bmp";
    WriteBytes(target, {1, 2, 3});
    {
        test::FileSizeLimit limit(100); // the disk is "full" after 100 bytes
        EXPECT_EQ(SaveBitmapFile(target, test::Banded8(64, 64)), Error::WriteFailed);
    }
    EXPECT_EQ(ReadBytes(target), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1)
        << "no temporary file is left behind";
}

TEST(BitmapOps, FillsAndFlips) {
    PackedBitmap colour;
    FillBitmap(colour, 3, 2, MakeColour(0x00, 0xFC, 0xF8), 0, Depth::Bits24);
    EXPECT_EQ(colour.row(1)[6], 0xF8); // blue first
    EXPECT_EQ(colour.row(1)[7], 0xFC);
    EXPECT_EQ(colour.row(1)[8], 0x00);
    EXPECT_EQ(colour.row(1)[9], 0) << "row padding stays zero";
    PackedBitmap indexed;
    FillBitmap(indexed, 5, 2, 0, 254, Depth::Bits8);
    EXPECT_EQ(indexed.row(0)[4], 254);
    EXPECT_EQ(indexed.row(0)[5], 0);

    // The wide art sheet flips too, in place or into a copy.
    PackedBitmap wide = test::PhotoLike24(948, 5);
    PackedBitmap flipped;
    FlipBitmap(wide, flipped);
    EXPECT_EQ(0, std::memcmp(flipped.row(0), wide.row(4), wide.stride()));
    EXPECT_EQ(0, std::memcmp(flipped.row(2), wide.row(2), wide.stride()));
    FlipBitmap(flipped);
    EXPECT_EQ(flipped, wide);
}

} // namespace
} // namespace tavolex
