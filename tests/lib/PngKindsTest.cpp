// PNG files of every colour type and bit depth, made here through libpng so
// that each kind is there whatever the installed writers choose.
#include <png.h>

#include <array>
#include <vector>

#include <gtest/gtest.h>

#include "formats/PictureFile.h"

namespace tavolex {
namespace {

struct PngKind {
    int bitDepth;
    int colourType;
    bool interlaced = false;
    std::vector<png_color> palette = {};
    std::vector<png_byte> transparency = {}; // palette alpha, or one grey key
};

void Append(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}
void FlushNothing(png_structp) {}

// libpng jumps here on an error: only trivially destructible locals.
bool WriteRows(png_structp png, png_infop info, int width, int height, const PngKind* kind, png_bytepp rows) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), kind->bitDepth,
                 kind->colourType, kind->interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!kind->palette.empty()) {
        png_set_PLTE(png, info, kind->palette.data(), static_cast<int>(kind->palette.size()));
    }
    if (kind->colourType == PNG_COLOR_TYPE_PALETTE && !kind->transparency.empty()) {
        png_set_tRNS(png, info, kind->transparency.data(), static_cast<int>(kind->transparency.size()), nullptr);
    } else if (!kind->transparency.empty()) {
        png_color_16 key{};
        key.gray = kind->transparency[0];
        png_set_tRNS(png, info, nullptr, 0, &key);
    }
    png_write_info(png, info);
    png_set_interlace_handling(png);
    png_write_image(png, rows);
    png_write_end(png, info);
    return true;
}

// A PNG of the given kind whose rows, top first, are already packed as the
// kind stores them (samples big-endian, several to a byte below 8 bits).
std::vector<std::uint8_t> MakePng(const PngKind& kind, int width, std::vector<std::vector<png_byte>> rows) {
    std::vector<std::uint8_t> file;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    std::vector<png_bytep> pointers;
    for (auto& row : rows) {
        pointers.push_back(row.data());
    }
    png_set_write_fn(png, &file, Append, FlushNothing);
    const bool written = WriteRows(png, info, width, static_cast<int>(rows.size()), &kind, pointers.data());
    png_destroy_write_struct(&png, &info);
    EXPECT_TRUE(written);
    return file;
}

// Blue, green, red of the picture's pixel at column x of the top row y.
std::array<int, 3> Pixel(const PackedBitmap& image, int x, int y) {
    const std::uint8_t* p = image.topRow(y) + 3 * x;
    return {p[0], p[1], p[2]};
}

TEST(PngKinds, PalettesOfOneTwoFourAndEightBitsKeepTheirIndices) {
    const std::vector<png_color> colours = {{10, 20, 30}, {200, 100, 50}, {1, 2, 3}, {255, 0, 128},
                                            {9, 9, 9},    {70, 80, 90},   {0, 0, 0}, {40, 50, 60}};
    struct Case {
        int bits;
        std::vector<png_byte> packed; // one row of 8 pixels
        std::vector<int> indices;
    } cases[] = {
        {1, {0b10110010}, {1, 0, 1, 1, 0, 0, 1, 0}},
        {2, {0b00011011, 0b11100100}, {0, 1, 2, 3, 3, 2, 1, 0}},
        {4, {0x01, 0x23, 0x45, 0x67}, {0, 1, 2, 3, 4, 5, 6, 7}},
        {8, {7, 6, 5, 4, 3, 2, 1, 0}, {7, 6, 5, 4, 3, 2, 1, 0}},
    };
    for (const Case& c : cases) {
        for (bool withTransparency : {false, true}) {
            SCOPED_TRACE(testing::Message() << c.bits << " bits" << (withTransparency ? ", tRNS" : ""));
            const std::size_t count = std::min<std::size_t>(colours.size(), std::size_t{1} << c.bits);
            PngKind kind{c.bits, PNG_COLOR_TYPE_PALETTE, false,
                         std::vector<png_color>(colours.begin(), colours.begin() + static_cast<std::ptrdiff_t>(count))};
            if (withTransparency) {
                kind.transparency = {0, 128};
            }
            const auto file = MakePng(kind, 8, {c.packed, c.packed});
            PackedBitmap indexed;
            ASSERT_EQ(ParsePictureFile(file, indexed, 8, 2, Depth::Bits8), Error::None);
            PackedBitmap colour;
            ASSERT_EQ(ParsePictureFile(file, colour, 8, 2, Depth::Bits24), Error::None);
            for (int x = 0; x < 8; ++x) {
                EXPECT_EQ(indexed.topRow(1)[x], c.indices[static_cast<std::size_t>(x)]) << x;
                const png_color& expected = colours[static_cast<std::size_t>(c.indices[static_cast<std::size_t>(x)])];
                EXPECT_EQ(Pixel(colour, x, 0), (std::array<int, 3>{expected.blue, expected.green, expected.red})) << x;
            }
        }
    }
}

TEST(PngKinds, GreyOfEveryDepthSpreadsOverTheWholeRange) {
    struct Case {
        int bits;
        std::vector<png_byte> packed; // one row of 4 pixels
        std::vector<int> levels;
    } cases[] = {
        {1, {0b10100000}, {255, 0, 255, 0}},
        {2, {0b00011011}, {0, 85, 170, 255}},
        {4, {0x0F, 0x7A}, {0, 255, 119, 170}},
        {8, {0, 1, 128, 255}, {0, 1, 128, 255}},
        // 16-bit samples are rounded: 0x1234 is 18.13, 0x8101 128.5, 0xFF7F 254.5.
        {16, {0x12, 0x34, 0x81, 0x01, 0xFF, 0x7F, 0xFF, 0xFF}, {18, 129, 255, 255}},
    };
    for (const Case& c : cases) {
        for (int type : {PNG_COLOR_TYPE_GRAY, PNG_COLOR_TYPE_GRAY_ALPHA}) {
            if (type == PNG_COLOR_TYPE_GRAY_ALPHA && c.bits < 8) {
                continue; // grey with alpha has 8 and 16 bits only
            }
            SCOPED_TRACE(testing::Message() << c.bits << " bits, type " << type);
            std::vector<png_byte> row = c.packed;
            if (type == PNG_COLOR_TYPE_GRAY_ALPHA) {
                // An alpha sample after each grey one, ignored.
                row.clear();
                const std::size_t sample = static_cast<std::size_t>(c.bits / 8);
                for (std::size_t i = 0; i < c.packed.size(); i += sample) {
                    row.insert(row.end(), c.packed.begin() + static_cast<std::ptrdiff_t>(i),
                               c.packed.begin() + static_cast<std::ptrdiff_t>(i + sample));
                    row.insert(row.end(), sample, static_cast<png_byte>(i * 40));
                }
            }
            PngKind kind{c.bits, type};
            if (type == PNG_COLOR_TYPE_GRAY && c.bits <= 8) {
                kind.transparency = {0}; // a grey key, ignored
            }
            PackedBitmap colour;
            ASSERT_EQ(ParsePictureFile(MakePng(kind, 4, {row}), colour, 4, 1, Depth::Bits24), Error::None);
            for (int x = 0; x < 4; ++x) {
                const int level = c.levels[static_cast<std::size_t>(x)];
                EXPECT_EQ(Pixel(colour, x, 0), (std::array<int, 3>{level, level, level})) << x;
            }
        }
    }
}

TEST(PngKinds, SixteenBitColourAndInterlacedRowsArriveInPlace) {
    // 7 x 5 with Adam7: every pass has pixels, and each pixel tells its place.
    constexpr int kWidth = 7;
    constexpr int kHeight = 5;
    for (bool alpha : {false, true}) {
        for (bool interlaced : {false, true}) {
            SCOPED_TRACE(testing::Message() << (alpha ? "RGBA" : "RGB") << (interlaced ? " interlaced" : ""));
            std::vector<std::vector<png_byte>> rows;
            for (int y = 0; y < kHeight; ++y) {
                std::vector<png_byte> row;
                for (int x = 0; x < kWidth; ++x) {
                    // Red, green, blue (and alpha) as 16-bit big-endian samples.
                    for (int sample : {x * 9000, y * 12000, (x + y) * 257, 0x1111}) {
                        if (sample == 0x1111 && !alpha) {
                            continue;
                        }
                        row.push_back(static_cast<png_byte>(sample >> 8));
                        row.push_back(static_cast<png_byte>(sample));
                    }
                }
                rows.push_back(row);
            }
            PngKind kind{16, alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, interlaced};
            PackedBitmap colour;
            ASSERT_EQ(ParsePictureFile(MakePng(kind, kWidth, rows), colour, kWidth, kHeight, Depth::Bits24),
                      Error::None);
            auto eight = [](int sample) { return (sample * 255 + 32767) / 65535; };
            for (int y = 0; y < kHeight; ++y) {
                for (int x = 0; x < kWidth; ++x) {
                    EXPECT_EQ(Pixel(colour, x, y),
                              (std::array<int, 3>{eight((x + y) * 257), eight(y * 12000), eight(x * 9000)}))
                        << x << ", " << y;
                }
            }
        }
    }
}

} // namespace
} // namespace tavolex
