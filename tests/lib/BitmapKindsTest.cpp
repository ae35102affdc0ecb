// BMP files of every bit depth, header size and colour mask other writers
// use, and the files that must be refused with the fault named.
#include <climits>
#include <cstring>

#include <gtest/gtest.h>

#include "BmpBuilder.h"
#include "TestSupport.h"
#include "core/ByteOrder.h"
#include "formats/BitmapFile.h"
#include "formats/PaletteConversion.h"

namespace tavolex {
namespace {
using test::BmpHeaders;
using test::BuildBmp;
using test::PackRows;

// An 8-bit picture whose indices stay below 2^bits and whose palette is its
// own, unlike the game's.
PackedBitmap ForeignPalettePicture(int width, int height, int bits) {
    PackedBitmap image = test::Banded8(width, height, static_cast<unsigned>(bits));
    const int levels = 1 << bits;
    for (int r = 0; r < height; ++r) {
        for (int x = 0; x < width; ++x) {
            image.row(r)[x] = static_cast<std::uint8_t>(image.row(r)[x] % levels);
        }
    }
    for (int i = 0; i < 256; ++i) {
        image.palette()[4 * i + 0] = static_cast<std::uint8_t>(i * 37);
        image.palette()[4 * i + 1] = static_cast<std::uint8_t>(255 - i);
        image.palette()[4 * i + 2] = static_cast<std::uint8_t>(i * 11 + 5);
        image.palette()[4 * i + 3] = 0;
    }
    return image;
}

// The picture as indices with the game's palette, as an 8-bit slot holds it.
PackedBitmap WithGamePalette(PackedBitmap image) {
    std::memcpy(image.palette(), PackedBitmap(1, 1, Depth::Bits8).palette(), PackedBitmap::kPaletteSize);
    return image;
}

TEST(BitmapKinds, PaletteFilesOfOneFourAndEightBitsKeepTheirIndices) {
    constexpr int kWidth = 37; // rows that end inside a byte and need padding
    constexpr int kHeight = 9;
    for (int bits : {1, 4, 8}) {
        const PackedBitmap picture = ForeignPalettePicture(kWidth, kHeight, bits);
        const std::size_t entries = std::size_t{1} << bits;
        for (std::uint32_t infoSize : {12u, 40u, 124u}) {
            for (bool topDown : {false, true}) {
                if (infoSize == 12 && topDown) {
                    continue; // OS/2 rows are always bottom-up
                }
                SCOPED_TRACE(testing::Message()
                             << bits << " bits, header " << infoSize << (topDown ? " top-down" : ""));
                BmpHeaders headers = test::MakeHeaders(infoSize, kWidth, kHeight, bits, topDown);
                headers.colourTable = test::ColourTableOf(picture, entries, infoSize == 12 ? 3 : 4);
                const auto file =
                    BuildBmp(headers, PackRows(test::PixelValues(picture), kWidth, kHeight, bits, topDown));
                PackedBitmap indexed;
                ASSERT_EQ(ParseBitmapFile(file, indexed, kWidth, kHeight, Depth::Bits8), Error::None);
                EXPECT_EQ(indexed, WithGamePalette(picture));
                PackedBitmap colour;
                ASSERT_EQ(ParseBitmapFile(file, colour, kWidth, kHeight, Depth::Bits24), Error::None);
                PackedBitmap expected;
                ASSERT_TRUE(Ok(ExpandFromPalette(picture, expected)));
                EXPECT_EQ(colour, expected) << "expanded through the file's own colours";
            }
        }
    }
}

TEST(BitmapKinds, AColourTableShorterThanTheDepthAllows) {
    // A 4-bit file with 5 colours: indices past the table are black in colour.
    PackedBitmap picture = ForeignPalettePicture(16, 2, 4);
    for (int x = 0; x < 16; ++x) {
        picture.row(0)[x] = static_cast<std::uint8_t>(x);
        picture.row(1)[x] = static_cast<std::uint8_t>(15 - x);
    }
    BmpHeaders headers = test::MakeHeaders(40, 16, 2, 4);
    headers.coloursUsed = 5;
    headers.colourTable = test::ColourTableOf(picture, 5, 4);
    const auto file = BuildBmp(headers, PackRows(test::PixelValues(picture), 16, 2, 4, false));
    EXPECT_EQ(ReadU32(&file[10]), 14u + 40u + 20u);
    PackedBitmap colour;
    ASSERT_EQ(ParseBitmapFile(file, colour, 16, 2, Depth::Bits24), Error::None);
    const std::uint8_t* bottom = colour.row(0);
    EXPECT_EQ(0, std::memcmp(bottom + 3 * 4, picture.palette() + 4 * 4, 3)) << "index 4, the table's last";
    EXPECT_EQ(bottom[3 * 5 + 0] | bottom[3 * 5 + 1] | bottom[3 * 5 + 2], 0) << "index 5, past the table";
    PackedBitmap indexed;
    ASSERT_EQ(ParseBitmapFile(file, indexed, 16, 2, Depth::Bits8), Error::None);
    EXPECT_EQ(indexed, WithGamePalette(picture));

    // An OS/2 file's table fills the room before its pixels.
    BmpHeaders os2 = test::MakeHeaders(12, 16, 2, 8);
    os2.colourTable = test::ColourTableOf(picture, 3, 3);
    const auto short2 = BuildBmp(os2, PackRows(test::PixelValues(picture), 16, 2, 8, false));
    ASSERT_EQ(ParseBitmapFile(short2, colour, 16, 2, Depth::Bits24), Error::None);
    EXPECT_EQ(0, std::memcmp(colour.row(1) + 3 * 13, picture.palette() + 4 * 2, 3));
    EXPECT_EQ(colour.row(1)[3 * 12], 0);
}

// The 8-bit value a channel of `bits` bits is widened to.
std::uint8_t Widened(std::uint32_t value, int bits) {
    return bits == 5 ? static_cast<std::uint8_t>(value << 3 | value >> 2)
                     : static_cast<std::uint8_t>(value << 2 | value >> 4);
}

TEST(BitmapKinds, SixteenBitPixelsWidenTheUsualWay) {
    // Every 5- and 6-bit value along a row, in each channel.
    constexpr int kWidth = 64;
    struct Case {
        std::uint32_t compression;
        std::uint32_t infoSize;
        std::vector<std::uint32_t> masks; // red, green, blue (, alpha)
        int redBits, greenBits;
    } cases[] = {
        {0, 40, {}, 5, 5},                               // plain 16-bit is 5-5-5
        {3, 40, {0xF800, 0x07E0, 0x001F}, 5, 6},         // 5-6-5 after a 40-byte header
        {3, 124, {0xF800, 0x07E0, 0x001F, 0}, 5, 6},     // 5-6-5 inside a version 5 header
        {3, 56, {0x7C00, 0x03E0, 0x001F, 0x8000}, 5, 5}, // 1-5-5-5 with an alpha bit
        {6, 40, {0x7C00, 0x03E0, 0x001F, 0x8000}, 5, 5}, // alpha bitfields: four masks follow
        {3, 108, {0x001F, 0x07E0, 0xF800, 0}, 5, 6},     // blue on top
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "compression " << c.compression << " header " << c.infoSize);
        const bool blueHigh = c.masks.size() > 0 && c.masks[0] == 0x001F;
        std::vector<std::uint32_t> values;
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const std::uint32_t red = static_cast<std::uint32_t>(x) % (1u << c.redBits);
                const std::uint32_t green = static_cast<std::uint32_t>(x + y) % (1u << c.greenBits);
                const std::uint32_t blue = static_cast<std::uint32_t>(31 - x % 32);
                const int greenShift = 5;
                const int redShift = 5 + c.greenBits;
                values.push_back(blueHigh
                                     ? (blue << redShift | green << greenShift | red)
                                     : (red << redShift | green << greenShift | blue) | 0x8000u * (c.greenBits == 5));
            }
        }
        BmpHeaders headers = test::MakeHeaders(c.infoSize, kWidth, 3, 16);
        headers.compression = c.compression;
        headers.masks = c.masks;
        PackedBitmap read;
        ASSERT_EQ(
            ParseBitmapFile(BuildBmp(headers, PackRows(values, kWidth, 3, 16, false)), read, kWidth, 3, Depth::Bits24),
            Error::None);
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const std::uint8_t* p = read.topRow(y) + 3 * x;
                ASSERT_EQ(p[2], Widened(static_cast<std::uint32_t>(x) % (1u << c.redBits), c.redBits)) << x;
                ASSERT_EQ(p[1], Widened(static_cast<std::uint32_t>(x + y) % (1u << c.greenBits), c.greenBits)) << x;
                ASSERT_EQ(p[0], Widened(static_cast<std::uint32_t>(31 - x % 32), 5)) << x;
            }
        }
    }
    // The ends and a middle value by number: 1 -> 8, 4 -> 33, 31 -> 255; 63 -> 255.
    EXPECT_EQ(Widened(1, 5), 8);
    EXPECT_EQ(Widened(4, 5), 33);
    EXPECT_EQ(Widened(31, 5), 255);
    EXPECT_EQ(Widened(63, 6), 255);
}

TEST(BitmapKinds, ThirtyTwoBitMasksInAnyPlaceAndWidth) {
    const PackedBitmap picture = test::PhotoLike24(19, 5);
    const auto rgb = test::PixelValues(picture);
    auto channel = [](std::uint32_t v, int shift) { return (v >> shift) & 0xFFu; };
    // Red, green, blue at the top of the value, alpha at the bottom.
    std::vector<std::uint32_t> rgba;
    // Ten bits a channel: the top eight are read.
    std::vector<std::uint32_t> wide;
    for (std::uint32_t v : rgb) {
        rgba.push_back(channel(v, 16) << 24 | channel(v, 8) << 16 | channel(v, 0) << 8 | 0x7Fu);
        wide.push_back(channel(v, 16) << 22 | 3u << 20 | channel(v, 8) << 12 | 1u << 10 | channel(v, 0) << 2 | 2u);
    }
    BmpHeaders headers = test::MakeHeaders(40, 19, 5, 32);
    headers.compression = 3;
    PackedBitmap read;
    headers.masks = {0xFF000000, 0x00FF0000, 0x0000FF00};
    ASSERT_EQ(ParseBitmapFile(BuildBmp(headers, PackRows(rgba, 19, 5, 32, false)), read, 19, 5, Depth::Bits24),
              Error::None);
    EXPECT_EQ(read, picture);
    headers.infoSize = 124;
    headers.topDown = true;
    headers.masks = {0x3FF00000, 0x000FFC00, 0x000003FF, 0xC0000000};
    ASSERT_EQ(ParseBitmapFile(BuildBmp(headers, PackRows(wide, 19, 5, 32, true)), read, 19, 5, Depth::Bits24),
              Error::None);
    EXPECT_EQ(read, picture);
}

TEST(BitmapKinds, RefusesWhatCannotBeReadWithTheFaultNamed) {
    const PackedBitmap colour = test::PhotoLike24(8, 4);
    BmpHeaders base = test::MakeHeaders(124, 8, 4, 32);
    base.compression = 3;
    base.masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
    const auto pixels32 = PackRows(test::PixelValues(colour), 8, 4, 32, false);
    const auto good = BuildBmp(base, pixels32);
    PackedBitmap destination = test::Banded8(4, 4);
    const PackedBitmap before = destination;
    auto parse = [&](const std::vector<std::uint8_t>& file) {
        return ParseBitmapFile(file, destination, 8, 4, Depth::Bits24);
    };
    auto with32 = [](std::vector<std::uint8_t> file, std::size_t offset, std::uint32_t value) {
        WriteU32(&file[offset], value);
        return file;
    };
    auto with16 = [](std::vector<std::uint8_t> file, std::size_t offset, std::uint16_t value) {
        WriteU16(&file[offset], value);
        return file;
    };
    ASSERT_EQ(parse(good), Error::None);
    destination = before;

    // OS/2 2.x (64) and sizes no writer uses.
    for (std::uint32_t size : {64u, 41u, 16u, 0u, 0xFFFFFFFFu}) {
        EXPECT_EQ(parse(with32(good, 14, size)), Error::UnsupportedBitmapHeader) << size;
    }
    for (std::uint16_t bits : {2, 0, 15, 48}) {
        EXPECT_EQ(parse(with16(good, 28, bits)), Error::UnsupportedBitDepth) << bits;
    }
    EXPECT_EQ(parse(with32(good, 30, 4)), Error::JpegInsideBitmap);
    EXPECT_EQ(parse(with32(good, 30, 5)), Error::PngInsideBitmap);
    for (std::uint32_t compression : {7u, 11u, 0x80000000u}) {
        EXPECT_EQ(parse(with32(good, 30, compression)), Error::CompressedBitmap) << compression;
    }
    // Run-length codings and masks only at the depths they are made for.
    EXPECT_EQ(parse(with32(good, 30, 1)), Error::CompressionDoesNotFitDepth);
    EXPECT_EQ(parse(with32(good, 30, 2)), Error::CompressionDoesNotFitDepth);
    EXPECT_EQ(parse(with32(with16(good, 28, 24), 30, 3)), Error::CompressionDoesNotFitDepth);
    EXPECT_EQ(parse(with32(with16(good, 28, 8), 30, 6)), Error::CompressionDoesNotFitDepth);
    // Masks that overlap, have gaps, are empty, or reach past 16 bits.
    EXPECT_EQ(parse(with32(good, 54, 0x00FFFF00)), Error::UnsupportedColourMasks);
    EXPECT_EQ(parse(with32(good, 54, 0x00F0F000)), Error::UnsupportedColourMasks);
    EXPECT_EQ(parse(with32(good, 62, 0)), Error::UnsupportedColourMasks);
    EXPECT_EQ(parse(with16(good, 28, 16)), Error::UnsupportedColourMasks) << "8-8-8 masks on 16-bit pixels";
    BmpHeaders masks40 = test::MakeHeaders(40, 8, 4, 16);
    masks40.compression = 3;
    masks40.masks = {0xF800, 0x07E0, 0x003F};
    EXPECT_EQ(parse(BuildBmp(masks40, PackRows(std::vector<std::uint32_t>(32, 0), 8, 4, 16, false))),
              Error::UnsupportedColourMasks);
    masks40.masks = {0xF800, 0x07E0}; // the blue mask cut off by the file's end
    EXPECT_EQ(parse(BuildBmp(masks40, {})), Error::ReadFailed);

    // Colour tables longer than the depth allows, or past the pixel offset or the file.
    BmpHeaders indexed = test::MakeHeaders(40, 8, 4, 4);
    indexed.colourTable = test::ColourTableOf(test::Banded8(1, 1), 16, 4);
    const auto four = BuildBmp(indexed, PackRows(std::vector<std::uint32_t>(32, 3), 8, 4, 4, false));
    ASSERT_EQ(parse(four), Error::None);
    destination = before;
    EXPECT_EQ(parse(with32(four, 46, 17)), Error::ColourTableTooLong);
    EXPECT_EQ(parse(with32(four, 46, 0xFFFFFFFF)), Error::ColourTableTooLong);
    EXPECT_EQ(parse(with32(four, 10, 14 + 40 + 63)), Error::PixelOffsetInsideHeader);
    EXPECT_EQ(parse(std::vector<std::uint8_t>(four.begin(), four.begin() + 14 + 40 + 30)),
              Error::ColourTableOutsideFile);

    // The pixel offset inside the headers, or the pixels beyond the file.
    EXPECT_EQ(parse(with32(good, 10, 14 + 100)), Error::PixelOffsetInsideHeader);
    EXPECT_EQ(parse(with32(good, 10, 14 + 124 + 1)), Error::PixelsOutsideFile);
    EXPECT_EQ(parse(with32(good, 10, 0xFFFFFFF0u)), Error::PixelsOutsideFile);
    // Sizes: other than asked, zero, or beyond what any sheet can be, however
    // large (the widest negative height has no positive counterpart).
    EXPECT_EQ(parse(with32(good, 22, static_cast<std::uint32_t>(-5))), Error::WrongBitmapSize);
    EXPECT_EQ(parse(with32(good, 18, static_cast<std::uint32_t>(-8))), Error::WrongBitmapSize);
    EXPECT_EQ(parse(with32(good, 22, 0)), Error::WrongBitmapSize);
    EXPECT_EQ(parse(with32(good, 22, static_cast<std::uint32_t>(INT_MIN))), Error::BitmapTooLarge);
    EXPECT_EQ(parse(with32(good, 18, 0x7FFFFFFF)), Error::BitmapTooLarge);
    EXPECT_EQ(parse(with32(good, 18, 16385)), Error::BitmapTooLarge);
    EXPECT_EQ(parse(with32(with32(good, 18, 0x40000000), 22, 0x40000000)), Error::BitmapTooLarge);
    // Cut short anywhere.
    for (std::size_t length : {std::size_t{0}, std::size_t{17}, std::size_t{60}, std::size_t{137}, good.size() - 1}) {
        EXPECT_FALSE(
            Ok(parse(std::vector<std::uint8_t>(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(length)))))
            << length;
    }
    EXPECT_EQ(destination, before);
}

} // namespace
} // namespace tavolex
