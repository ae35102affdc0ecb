// BMP files as paint programs write them: longer headers, top-down rows,
// 32-bit pixels, short colour tables and pixels at an offset of their own.
#include <climits>
#include <cstring>

#include <gtest/gtest.h>

#include "BmpBuilder.h"
#include "TestSupport.h"
#include "core/ByteOrder.h"
#include "formats/ArtSheetBitmap.h"
#include "formats/BitmapFile.h"
#include "formats/PaletteConversion.h"

namespace tavolex {
namespace {
using test::ReadBytes;
using test::ScratchFolder;
using test::WriteBytes;

struct Layout {
    std::uint32_t infoSize = 40;
    int bits = 24; // of the file; 32 is written from a 24-bit image
    bool topDown = false;
    bool bitfields = false;    // 32-bit with colour masks
    std::uint32_t colours = 0; // 8-bit: entries in the colour table, 0 for 256
    std::size_t gap = 0;       // bytes between the headers and the pixels
};

// A BMP file of `image` in the given layout, built byte by byte as a
// third-party writer would.
std::vector<std::uint8_t> Build(const PackedBitmap& image, const Layout& layout) {
    test::BmpHeaders headers;
    headers.infoSize = layout.infoSize;
    headers.width = image.width();
    headers.height = image.height();
    headers.bits = layout.bits;
    headers.topDown = layout.topDown;
    headers.coloursUsed = layout.colours;
    headers.gap = layout.gap;
    if (layout.bitfields) {
        headers.compression = 3;
        headers.masks = {0x00FF0000, 0x0000FF00, 0x000000FF};
        if (layout.infoSize >= 56) {
            headers.masks.push_back(0xFF000000);
        }
    }
    if (layout.bits == 8) {
        headers.colourTable = test::ColourTableOf(image, layout.colours == 0 ? 256 : layout.colours, 4);
    }
    std::vector<std::uint32_t> values = test::PixelValues(image);
    if (layout.bits == 32) {
        for (std::size_t i = 0; i < values.size(); ++i) {
            values[i] |= static_cast<std::uint32_t>(i * 7 % 256) << 24; // alpha, ignored
        }
    }
    return test::BuildBmp(headers, test::PackRows(values, image.width(), image.height(), layout.bits, layout.topDown));
}

TEST(BitmapVariants, EveryHeaderVersionTopDownAndGapReadsTheSamePixels) {
    const PackedBitmap colour = test::PhotoLike24(37, 9);
    const PackedBitmap indexed = test::Banded8(37, 9);
    for (std::uint32_t infoSize : {40u, 52u, 56u, 108u, 124u}) {
        for (bool topDown : {false, true}) {
            for (std::size_t gap : {std::size_t{0}, std::size_t{28}}) {
                SCOPED_TRACE(testing::Message() << infoSize << (topDown ? " top-down" : "") << " gap " << gap);
                PackedBitmap read;
                ASSERT_EQ(
                    ParseBitmapFile(Build(colour, {infoSize, 24, topDown, false, 0, gap}), read, 37, 9, Depth::Bits24),
                    Error::None);
                EXPECT_EQ(read, colour);
                for (bool bitfields : {false, true}) {
                    ASSERT_EQ(ParseBitmapFile(Build(colour, {infoSize, 32, topDown, bitfields, 0, gap}), read, 37, 9,
                                              Depth::Bits24),
                              Error::None);
                    EXPECT_EQ(read, colour) << "32-bit, masks " << bitfields;
                }
                ASSERT_EQ(
                    ParseBitmapFile(Build(indexed, {infoSize, 8, topDown, false, 0, gap}), read, 37, 9, Depth::Bits8),
                    Error::None);
                EXPECT_EQ(read, indexed);
            }
        }
    }
}

TEST(BitmapVariants, AShortColourTableKeepsIndicesAndItsOwnColours) {
    PackedBitmap image(16, 4, Depth::Bits8);
    for (int r = 0; r < 4; ++r) {
        for (int x = 0; x < 16; ++x) {
            image.row(r)[x] = static_cast<std::uint8_t>((x + r) % 16);
        }
    }
    for (int i = 0; i < 16; ++i) { // sixteen colours of its own
        image.palette()[4 * i + 0] = static_cast<std::uint8_t>(i * 16);
        image.palette()[4 * i + 1] = static_cast<std::uint8_t>(255 - i);
        image.palette()[4 * i + 2] = static_cast<std::uint8_t>(i);
    }
    const auto file = Build(image, {124, 8, false, false, 16, 0});
    EXPECT_EQ(ReadU32(&file[10]), 14u + 124u + 64u) << "the pixels follow the short table";

    PackedBitmap asIndexed;
    ASSERT_EQ(ParseBitmapFile(file, asIndexed, 16, 4, Depth::Bits8), Error::None);
    EXPECT_EQ(0, std::memcmp(asIndexed.pixels(), image.pixels(), image.pixelBytes()));
    EXPECT_EQ(0, std::memcmp(asIndexed.palette(), PackedBitmap(1, 1, Depth::Bits8).palette(), 1024))
        << "an 8-bit slot carries the game's palette";

    PackedBitmap asColour;
    ASSERT_EQ(ParseBitmapFile(file, asColour, 16, 4, Depth::Bits24), Error::None);
    PackedBitmap expected;
    ASSERT_TRUE(Ok(ExpandFromPalette(image, expected)));
    EXPECT_EQ(asColour, expected);
}

TEST(BitmapVariants, LoadingFromDiskReadsOnlyWhatTheHeadersPromise) {
    ScratchFolder folder;
    const PackedBitmap colour = test::PhotoLike24(64, 10);
    auto file = Build(colour, {108, 32, true, true, 0, 100});
    file.resize(file.size() + 5000, 0x55); // trailing bytes such as a colour profile
    WriteBytes(folder / "v4.bmp", file);
    PackedBitmap read;
    ASSERT_EQ(LoadBitmapFile(folder / "v4.bmp", read, 64, 10, Depth::Bits24), Error::None);
    EXPECT_EQ(read, colour);
    file.resize(file.size() - 5000 - 1);
    WriteBytes(folder / "cut.bmp", file);
    EXPECT_EQ(LoadBitmapFile(folder / "cut.bmp", read, 64, 10, Depth::Bits24), Error::PixelsOutsideFile);
    EXPECT_EQ(read, colour);
}

// Files written by ImageMagick, a real third-party writer, when it is there.
class ImageMagickBitmaps : public testing::Test {
  protected:
    void SetUp() override {
        if (!std::filesystem::exists(kConvert)) {
            GTEST_SKIP() << "ImageMagick's convert is not installed";
        }
    }
    // Converts `source` with the given options into `name` in the folder.
    std::filesystem::path convert(const std::filesystem::path& source, std::vector<std::string> options,
                                  const std::string& target) {
        std::vector<std::string> arguments{source.string()};
        arguments.insert(arguments.end(), options.begin(), options.end());
        const std::string name = target.substr(target.find(':') + 1);
        arguments.push_back(target.find(':') == std::string::npos
                                ? (folder_ / name).string()
                                : target.substr(0, target.find(':') + 1) + (folder_ / name).string());
        const auto result = test::RunProcess(folder_, kConvert, arguments);
        EXPECT_EQ(result.status, 0) << result.err;
        return folder_ / name;
    }
    std::uint32_t headerSize(const std::filesystem::path& path) {
        const auto bytes = ReadBytes(path);
        return bytes.size() >= 18 ? ReadU32(&bytes[14]) : 0;
    }

    static constexpr const char* kConvert = "/usr/bin/convert";
    ScratchFolder folder_;
};

TEST_F(ImageMagickBitmaps, EveryVariantReadsAsTheBmp3File) {
    const PackedBitmap livery = test::PhotoLike24(256, 384);
    ASSERT_TRUE(Ok(SaveBitmapFile(folder_ / "ours.bmp", livery)));
    const auto bmp3 = convert(folder_ / "ours.bmp", {}, "BMP3:bmp3.bmp");
    ASSERT_EQ(headerSize(bmp3), 40u);
    PackedBitmap reference;
    ASSERT_EQ(LoadBitmapFile(bmp3, reference, 256, 384, Depth::Bits24), Error::None);
    EXPECT_EQ(reference, livery);

    struct Case {
        std::vector<std::string> options;
        std::string target;
        std::uint32_t header;
    } cases[] = {
        {{}, "BMP:bmp5.bmp", 124},                                                 // GIMP and ImageMagick's default
        {{"-define", "bmp:format=bmp4"}, "BMP:bmp4.bmp", 0},                       // 108 where the writer offers it
        {{"-alpha", "set", "-define", "bmp3:alpha=true"}, "BMP3:bmp3-32.bmp", 40}, // 32-bit, plain
        {{"-alpha", "set"}, "BMP:bmp5-32.bmp", 124},                               // 32-bit with colour masks
        {{"-flip", "-flip"}, "BMP:flipped-twice.bmp", 124},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target);
        const auto path = convert(folder_ / "ours.bmp", c.options, c.target);
        if (c.header != 0) {
            EXPECT_EQ(headerSize(path), c.header);
        }
        PackedBitmap read;
        ASSERT_EQ(LoadBitmapFile(path, read, 256, 384, Depth::Bits24), Error::None);
        EXPECT_EQ(read, reference);
    }

    // A top-down copy of ImageMagick's own file: negative height, rows reversed.
    auto topDown = ReadBytes(folder_ / "bmp5.bmp");
    const std::size_t offset = ReadU32(&topDown[10]);
    WriteU32(&topDown[22], static_cast<std::uint32_t>(-384));
    for (std::size_t r = 0; r < 192; ++r) {
        std::swap_ranges(topDown.begin() + static_cast<std::ptrdiff_t>(offset + 768 * r),
                         topDown.begin() + static_cast<std::ptrdiff_t>(offset + 768 * (r + 1)),
                         topDown.begin() + static_cast<std::ptrdiff_t>(offset + 768 * (383 - r)));
    }
    PackedBitmap read;
    ASSERT_EQ(ParseBitmapFile(topDown, read, 256, 384, Depth::Bits24), Error::None);
    EXPECT_EQ(read, reference);
}

TEST_F(ImageMagickBitmaps, EightBitFilesKeepTheirIndicesAtTheirRealOffset) {
    const PackedBitmap picture = test::Banded8(256, 64);
    ASSERT_TRUE(Ok(SaveBitmapFile(folder_ / "ours.bmp", picture)));
    const auto bmp3 = convert(folder_ / "ours.bmp", {"-compress", "none", "-type", "Palette"}, "BMP3:p3.bmp");
    const auto bmp5 = convert(folder_ / "ours.bmp", {"-compress", "none", "-type", "Palette"}, "BMP:p5.bmp");
    EXPECT_EQ(headerSize(bmp5), 124u);
    PackedBitmap fromBmp3;
    PackedBitmap fromBmp5;
    ASSERT_EQ(LoadBitmapFile(bmp3, fromBmp3, 256, 64, Depth::Bits8), Error::None);
    ASSERT_EQ(LoadBitmapFile(bmp5, fromBmp5, 256, 64, Depth::Bits8), Error::None);
    EXPECT_EQ(fromBmp5, fromBmp3);
    // ImageMagick may order the colours its own way; the colours are what it keeps.
    PackedBitmap colours;
    ASSERT_EQ(LoadBitmapFile(bmp5, colours, 256, 64, Depth::Bits24), Error::None);
    PackedBitmap expected;
    ASSERT_TRUE(Ok(ExpandFromPalette(picture, expected)));
    EXPECT_EQ(colours, expected);
}

TEST_F(ImageMagickBitmaps, TheArtSheetLoadsFromAVersion5File) {
    const PackedBitmap wide = test::PhotoLike24(kArtSheetFileWidth, kArtSheetHeight);
    ASSERT_TRUE(Ok(SaveBitmapFile(folder_ / "ours.bmp", wide)));
    const auto bmp5 = convert(folder_ / "ours.bmp", {}, "BMP:sheet5.bmp");
    ASSERT_EQ(headerSize(bmp5), 124u);
    PackedBitmap sheet;
    ASSERT_EQ(LoadArtSheetBitmap(bmp5, sheet), Error::None);
    for (int r = 0; r < kArtSheetHeight; ++r) {
        ASSERT_EQ(0, std::memcmp(sheet.row(r), wide.row(r), sheet.stride())) << r;
    }
    // Saving writes the classic layout the game's tools expect.
    ASSERT_TRUE(Ok(SaveArtSheetBitmap(folder_ / "saved.bmp", sheet)));
    EXPECT_EQ(headerSize(folder_ / "saved.bmp"), 40u);
    EXPECT_EQ(ReadBytes(folder_ / "saved.bmp").size(), 1996854u);
}

} // namespace
} // namespace tavolex
