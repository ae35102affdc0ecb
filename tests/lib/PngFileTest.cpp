// PNG pictures: written as palette or RGB PNGs, read from what real writers
// make, damaged files refused.
#include <cstring>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "core/ByteOrder.h"
#include "formats/ArtSheetBitmap.h"
#include "formats/BitmapFile.h"
#include "formats/PaletteConversion.h"
#include "formats/PictureFile.h"
#include "formats/PngFile.h"

namespace tavolex {
namespace {
using test::ReadBytes;
using test::ScratchFolder;
using test::WriteBytes;

std::uint32_t ReadBigEndian(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
           static_cast<std::uint32_t>(p[2]) << 8 | p[3];
}

void WriteBigEndian(std::uint8_t* p, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        p[i] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
    }
}

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

// The offset of the first chunk of the given type, or 0.
std::size_t FindChunk(const std::vector<std::uint8_t>& file, const char* type) {
    for (std::size_t at = 8; at + 12 <= file.size(); at += 12 + ReadBigEndian(&file[at])) {
        if (std::memcmp(&file[at + 4], type, 4) == 0) {
            return at;
        }
    }
    return 0;
}

// Sets the chunk's CRC to what its bytes need.
void FixCrc(std::vector<std::uint8_t>& file, std::size_t chunk) {
    const std::uint32_t length = ReadBigEndian(&file[chunk]);
    WriteBigEndian(&file[chunk + 8 + length], Crc32(&file[chunk + 4], length + 4));
}

TEST(PngFile, WritesPalettePngsWithTheGamePaletteAndRgbPngs) {
    ScratchFolder folder;
    const PackedBitmap indexed = test::Banded8(256, 40);
    const PackedBitmap colour = test::PhotoLike24(255, 41);
    ASSERT_EQ(SavePictureFile(folder / "i.png", indexed), Error::None);
    ASSERT_EQ(SavePictureFile(folder / "c.PNG", colour), Error::None);
    ASSERT_EQ(SavePictureFile(folder / "c.bmp", colour), Error::None);

    const auto file = ReadBytes(folder / "i.png");
    ASSERT_TRUE(IsPngData(file));
    EXPECT_EQ(file[8 + 8 + 9], 3) << "colour type: palette";
    const std::size_t plte = FindChunk(file, "PLTE");
    ASSERT_NE(plte, 0u);
    EXPECT_EQ(ReadBigEndian(&file[plte]), 768u);
    EXPECT_EQ(file[plte + 8 + 3 * 255 + 0], 0xFF) << "entry 255 is white";
    EXPECT_EQ(file[plte + 8 + 0], 0x3F) << "entry 0 is 3F6767";
    EXPECT_EQ(ReadBytes(folder / "c.PNG")[8 + 8 + 9], 2) << "colour type: RGB";
    EXPECT_FALSE(IsPngData(ReadBytes(folder / "c.bmp"))) << "other names are written as BMP";

    PackedBitmap read;
    ASSERT_EQ(LoadPictureFile(folder / "i.png", read, 256, 40, Depth::Bits8), Error::None);
    EXPECT_EQ(read, indexed);
    ASSERT_EQ(LoadPictureFile(folder / "c.PNG", read, 255, 41, Depth::Bits24), Error::None);
    EXPECT_EQ(read, colour);
    // Read by content: a PNG under a .bmp name is still a PNG.
    std::filesystem::copy_file(folder / "c.PNG", folder / "renamed.bmp");
    ASSERT_EQ(LoadPictureFile(folder / "renamed.bmp", read, 255, 41, Depth::Bits24), Error::None);
    EXPECT_EQ(read, colour);
    ASSERT_EQ(LoadPictureFile(folder / "c.bmp", read, 255, 41, Depth::Bits24), Error::None);
    EXPECT_EQ(read, colour);
}

TEST(PngFile, PalettePngsKeepTheirIndicesAndColourPngsAreReduced) {
    PackedBitmap foreign = test::Banded8(16, 8);
    for (int i = 0; i < 1024; ++i) {
        foreign.palette()[i] = static_cast<std::uint8_t>(i * 7);
    }
    std::vector<std::uint8_t> file;
    ASSERT_EQ(EncodePngFile(foreign, file), Error::None);
    PackedBitmap asIndexed;
    ASSERT_EQ(ParsePictureFile(file, asIndexed, 16, 8, Depth::Bits8), Error::None);
    EXPECT_EQ(asIndexed, test::Banded8(16, 8)) << "indices kept, the game's palette carried";
    PackedBitmap asColour;
    ASSERT_EQ(ParsePictureFile(file, asColour, 16, 8, Depth::Bits24), Error::None);
    PackedBitmap expected;
    ASSERT_TRUE(Ok(ExpandFromPalette(foreign, expected)));
    EXPECT_EQ(asColour, expected);

    // An RGB PNG for an 8-bit slot takes candidates 1-253, as a 24-bit BMP does.
    const PackedBitmap colour = test::PhotoLike24(16, 8);
    ASSERT_EQ(EncodePngFile(colour, file), Error::None);
    ASSERT_EQ(ParsePictureFile(file, asIndexed, 16, 8, Depth::Bits8), Error::None);
    ASSERT_TRUE(Ok(ReduceToPalette(colour, expected, 1, 254)));
    EXPECT_EQ(asIndexed, expected);
}

TEST(PngFile, RefusesDamagedAndWronglySizedFiles) {
    std::vector<std::uint8_t> good;
    ASSERT_EQ(EncodePngFile(test::PhotoLike24(64, 32), good), Error::None);
    PackedBitmap destination = test::Banded8(4, 4);
    const PackedBitmap before = destination;
    auto parse = [&](const std::vector<std::uint8_t>& file) {
        return ParsePngFile(file, destination, 64, 32, Depth::Bits24);
    };
    ASSERT_EQ(parse(good), Error::None);
    destination = before;

    for (std::size_t length : {std::size_t{8}, std::size_t{20}, std::size_t{33}, std::size_t{60}, good.size() / 2,
                               good.size() - 13, good.size() - 1}) {
        EXPECT_EQ(parse(std::vector<std::uint8_t>(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(length))),
                  Error::BadPng)
            << length;
    }
    auto damaged = good;
    damaged[8 + 8 + 3] ^= 1; // the width inside IHDR, its CRC left as it was
    EXPECT_EQ(parse(damaged), Error::BadPng);
    damaged = good;
    const std::size_t idat = FindChunk(good, "IDAT");
    ASSERT_NE(idat, 0u);
    damaged[idat + 8 + 20] ^= 0x40; // the image data, CRC left as it was
    EXPECT_EQ(parse(damaged), Error::BadPng);
    damaged = good;
    damaged[idat + 8 + 2] ^= 0xFF; // bad compressed data with a CRC that matches
    FixCrc(damaged, idat);
    EXPECT_EQ(parse(damaged), Error::BadPng);

    // A chunk that claims to run past the end of the file (here a 1 GB sPLT
    // before IDAT) is refused before libpng allocates its stated length.
    damaged.assign(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(idat));
    const std::uint8_t hugeChunk[] = {0x3C, 0x00, 0xFC, 0x00, 's', 'P', 'L', 'T', 'n', 'a', 'm', 'e', 0, 8};
    damaged.insert(damaged.end(), std::begin(hugeChunk), std::end(hugeChunk));
    damaged.insert(damaged.end(), good.begin() + static_cast<std::ptrdiff_t>(idat), good.end());
    EXPECT_EQ(parse(damaged), Error::BadPng);
    damaged = good;

    // Huge dimensions are refused from the header, before any pixel is read.
    damaged = good;
    WriteBigEndian(&damaged[16], 1u << 30);
    WriteBigEndian(&damaged[20], 1u << 30);
    FixCrc(damaged, 8);
    EXPECT_EQ(parse(damaged), Error::WrongBitmapSize);
    PackedBitmap any;
    EXPECT_EQ(ReadPngPicture(damaged, any, 16384, 16384), Error::WrongBitmapSize);
    EXPECT_EQ(ParsePngFile(good, destination, 64, 33, Depth::Bits24), Error::WrongBitmapSize);
    EXPECT_EQ(ParsePngFile(good, destination, 63, 32, Depth::Bits24), Error::WrongBitmapSize);
    EXPECT_EQ(ReadPngPicture({good.data(), 7}, any, 64, 64), Error::NotAPicture);
    EXPECT_EQ(destination, before);
    EXPECT_TRUE(any.empty());
}

TEST(PngFile, TheArtSheetGoesOutAndInAsPng) {
    ScratchFolder folder;
    const PackedBitmap sheet = test::PhotoLike24(kArtSheetWidth, kArtSheetHeight);
    ASSERT_EQ(SaveArtSheetBitmap(folder / "sheet.png", sheet), Error::None);
    const auto file = ReadBytes(folder / "sheet.png");
    ASSERT_TRUE(IsPngData(file));
    EXPECT_EQ(ReadBigEndian(&file[16]), 1024u);
    PackedBitmap read;
    ASSERT_EQ(LoadArtSheetBitmap(folder / "sheet.png", read), Error::None);
    EXPECT_EQ(read, sheet);
}

// PNG files written and read by ImageMagick, when it is there.
class ImageMagickPngs : public testing::Test {
  protected:
    void SetUp() override {
        if (!std::filesystem::exists("/usr/bin/convert")) {
            GTEST_SKIP() << "ImageMagick's convert is not installed";
        }
    }
    void convert(std::vector<std::string> arguments) {
        const auto result = test::RunProcess(folder_, "/usr/bin/convert", arguments);
        ASSERT_EQ(result.status, 0) << result.err;
    }
    std::string at(const std::string& name) const { return (folder_ / name).string(); }
    ScratchFolder folder_;
};

TEST_F(ImageMagickPngs, RgbAlphaGreySixteenBitAndInterlacedFilesRead) {
    const PackedBitmap picture = test::PhotoLike24(256, 96);
    ASSERT_EQ(SaveBitmapFile(folder_ / "ours.bmp", picture), Error::None);
    convert({at("ours.bmp"), "PNG24:" + at("rgb.png")});
    convert({at("ours.bmp"), "-alpha", "set", "-channel", "A", "-evaluate", "set", "40%", "+channel",
             "PNG32:" + at("rgba.png")});
    convert({at("ours.bmp"), "PNG48:" + at("sixteen.png")});
    convert({at("ours.bmp"), "-interlace", "PNG", "PNG24:" + at("interlaced.png")});
    for (const char* name : {"rgb.png", "rgba.png", "sixteen.png", "interlaced.png"}) {
        PackedBitmap read;
        ASSERT_EQ(LoadPictureFile(folder_ / name, read, 256, 96, Depth::Bits24), Error::None) << name;
        EXPECT_EQ(read, picture) << name;
    }
    // Grey: the same pixels as ImageMagick's own BMP of the grey picture.
    convert({at("ours.bmp"), "-colorspace", "Gray", at("grey.png")});
    convert({at("grey.png"), "-type", "TrueColor", "BMP3:" + at("grey.bmp")});
    PackedBitmap grey;
    PackedBitmap greyBmp;
    ASSERT_EQ(LoadPictureFile(folder_ / "grey.png", grey, 256, 96, Depth::Bits24), Error::None);
    ASSERT_EQ(LoadBitmapFile(folder_ / "grey.bmp", greyBmp, 256, 96, Depth::Bits24), Error::None);
    EXPECT_EQ(grey, greyBmp);
}

TEST_F(ImageMagickPngs, PalettePngsAndOurPngsInTheOtherDirection) {
    const PackedBitmap picture = test::Banded8(256, 64);
    ASSERT_EQ(SavePictureFile(folder_ / "ours.png", picture), Error::None);
    ASSERT_EQ(SavePictureFile(folder_ / "ours24.png", test::PhotoLike24(256, 64)), Error::None);
    // ImageMagick reads what we write.
    convert({at("ours.png"), "-type", "TrueColor", "BMP3:" + at("back.bmp")});
    convert({at("ours24.png"), "BMP3:" + at("back24.bmp")});
    PackedBitmap read;
    ASSERT_EQ(LoadBitmapFile(folder_ / "back.bmp", read, 256, 64, Depth::Bits24), Error::None);
    PackedBitmap expected;
    ASSERT_TRUE(Ok(ExpandFromPalette(picture, expected)));
    EXPECT_EQ(read, expected);
    ASSERT_EQ(LoadBitmapFile(folder_ / "back24.bmp", read, 256, 64, Depth::Bits24), Error::None);
    EXPECT_EQ(read, test::PhotoLike24(256, 64));

    // A palette PNG of ImageMagick's, few colours in 4 bits: its colours are kept.
    convert({at("ours24.png"), "-colors", "12", "PNG8:" + at("few.png")});
    convert({at("few.png"), "-type", "TrueColor", "BMP3:" + at("few.bmp")});
    PackedBitmap fromPng;
    PackedBitmap fromBmp;
    ASSERT_EQ(LoadPictureFile(folder_ / "few.png", fromPng, 256, 64, Depth::Bits24), Error::None);
    ASSERT_EQ(LoadBitmapFile(folder_ / "few.bmp", fromBmp, 256, 64, Depth::Bits24), Error::None);
    EXPECT_EQ(fromPng, fromBmp);
}

} // namespace
} // namespace tavolex
