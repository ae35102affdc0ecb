// Pictures as ImageMagick and Pillow write them, every kind of BMP and PNG,
// packed with `carset pack` and compared pixel by pixel with what the writer
// itself reads back from its file. The writers are called by their full
// paths: another python3 may come first on PATH.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "core/ByteOrder.h"
#include "formats/BitmapFile.h"
#include "formats/PaletteConversion.h"
#include "formats/PictureFile.h"

namespace tavolex {
namespace {
using test::ProcessResult;
using test::ReadBytes;
using test::ScratchFolder;
namespace fs = std::filesystem;

constexpr const char* kConvert = "/usr/bin/convert";
constexpr const char* kPython = "/usr/bin/python3";
constexpr int kWidth = 256; // a car livery
constexpr int kHeight = 384;

// One written file and what its writer read back from it: NAME.rgb and, for
// a palette picture, NAME.idx beside it.
struct Written {
    fs::path file;
    bool palette;
};

// Who reads a file of ImageMagick's back: ImageMagick itself, and Pillow for
// the indices of a palette picture. ImageMagick reads 16-bit grey through its
// own grey conversion (its 8-bit output is off by one in places), so that
// file is read back by Pillow, from its 16-bit values; 16-bit grey with alpha
// has no such reader here and is left out.
enum class ReadBack { Colours, ColoursAndIndices, PillowOnly };

// A picture with smooth noise above and flat stripes below, so that the
// writers' palettes and run-length codings have both to work on.
PackedBitmap Source() {
    PackedBitmap picture = test::PhotoLike24(kWidth, kHeight, 23);
    for (int y = kHeight / 2; y < kHeight; ++y) {
        std::uint8_t* row = picture.topRow(y);
        for (int x = 0; x < kWidth; ++x) {
            const int band = (x / 24 + y / 40) % 5;
            row[3 * x + 0] = static_cast<std::uint8_t>(band * 60);
            row[3 * x + 1] = static_cast<std::uint8_t>(255 - band * 50);
            row[3 * x + 2] = static_cast<std::uint8_t>(band * 13);
        }
    }
    return picture;
}

PackedBitmap FromRgb(const std::vector<std::uint8_t>& rgb) {
    PackedBitmap image(kWidth, kHeight, Depth::Bits24);
    if (rgb.size() != static_cast<std::size_t>(3 * kWidth * kHeight)) {
        ADD_FAILURE() << "the writer read back " << rgb.size() << " bytes";
        return image;
    }
    for (int y = 0; y < kHeight; ++y) {
        std::uint8_t* row = image.topRow(y);
        for (int x = 0; x < kWidth; ++x) {
            const std::uint8_t* in = &rgb[3 * (static_cast<std::size_t>(y) * kWidth + static_cast<std::size_t>(x))];
            row[3 * x + 0] = in[2];
            row[3 * x + 1] = in[1];
            row[3 * x + 2] = in[0];
        }
    }
    return image;
}

PackedBitmap FromIndices(const std::vector<std::uint8_t>& indices) {
    PackedBitmap image(kWidth, kHeight, Depth::Bits8);
    if (indices.size() != static_cast<std::size_t>(kWidth * kHeight)) {
        ADD_FAILURE() << "the writer read back " << indices.size() << " indices";
        return image;
    }
    for (int y = 0; y < kHeight; ++y) {
        std::copy_n(&indices[static_cast<std::size_t>(y) * kWidth], kWidth, image.topRow(y));
    }
    return image;
}

class PictureWriters : public testing::Test {
  protected:
    void SetUp() override {
        if (!fs::exists(kConvert) || !fs::exists(kPython)) {
            GTEST_SKIP() << "ImageMagick or Python is not installed";
        }
        fs::create_directories(folder_ / "written");
        ASSERT_EQ(SaveBitmapFile(folder_ / "source.bmp", Source()), Error::None);
    }

    ProcessResult run(const std::string& program, const std::vector<std::string>& arguments) {
        return test::RunProcess(folder_, program, arguments);
    }

    // ImageMagick writes the source with `options` as FORMAT:NAME, and reads
    // its own file back; Pillow reads back the indices of a palette picture.
    Written magick(const std::string& format, const std::string& name, std::vector<std::string> options,
                   ReadBack readBack = ReadBack::Colours) {
        const bool palette = readBack == ReadBack::ColoursAndIndices;
        const fs::path file = folder_ / "written" / name;
        std::vector<std::string> arguments{(folder_ / "source.bmp").string()};
        arguments.insert(arguments.end(), options.begin(), options.end());
        arguments.push_back(format + ":" + file.string());
        ProcessResult result = run(kConvert, arguments);
        EXPECT_EQ(result.status, 0) << name << ": " << result.err;
        fs::path rgb = file;
        if (readBack != ReadBack::PillowOnly) {
            result = run(kConvert, {file.string(), "-depth", "8", "rgb:" + rgb.replace_extension(".rgb").string()});
            EXPECT_EQ(result.status, 0) << name << ": " << result.err;
        }
        if (readBack != ReadBack::Colours) {
            result = run(kPython, {kPillowScript, "read", file.string()});
            EXPECT_EQ(result.status, 0) << name << ": " << result.err;
        }
        return {file, palette};
    }

    std::vector<Written> pillow(const std::vector<std::string>& names) {
        const ProcessResult result =
            run(kPython, {kPillowScript, "write", (folder_ / "source.bmp").string(), (folder_ / "written").string()});
        EXPECT_EQ(result.status, 0) << result.err;
        std::vector<Written> written;
        for (const std::string& name : names) {
            const fs::path base = folder_ / "written" / name;
            written.push_back({fs::path(base).concat(name.starts_with("png") ? ".png" : ".bmp"),
                               fs::exists(fs::path(base).concat(".idx"))});
        }
        return written;
    }

    // Reads every file as the editor does, and through `carset pack` into
    // one car's software and hardware slots each, against what its writer read.
    void check(const std::vector<Written>& files) {
        ASSERT_LE(files.size(), 11u);
        const fs::path pictures = folder_ / "pictures";
        fs::remove_all(pictures);
        fs::remove_all(folder_ / "extracted");
        fs::create_directories(pictures);
        std::vector<PackedBitmap> colours;
        std::vector<PackedBitmap> indices;
        for (std::size_t team = 0; team < files.size(); ++team) {
            const Written& written = files[team];
            SCOPED_TRACE(written.file.filename().string());
            fs::path rgb = written.file;
            fs::path idx = written.file;
            const PackedBitmap colour = FromRgb(ReadBytes(rgb.replace_extension(".rgb")));
            PackedBitmap indexed;
            if (written.palette) {
                indexed = FromIndices(ReadBytes(idx.replace_extension(".idx")));
            } else {
                ASSERT_TRUE(Ok(ReduceToPalette(colour, indexed, 1, 254)));
            }
            PackedBitmap read;
            ASSERT_EQ(LoadPictureFile(written.file, read, kWidth, kHeight, Depth::Bits24), Error::None);
            EXPECT_EQ(read, colour) << "in colour";
            ASSERT_EQ(LoadPictureFile(written.file, read, kWidth, kHeight, Depth::Bits8), Error::None);
            EXPECT_EQ(read, indexed) << "as indices";
            colours.push_back(colour);
            indices.push_back(indexed);
            const std::string car = "car-" + std::string(team < 10 ? "0" : "") + std::to_string(team);
            const std::string extension = written.file.extension().string();
            fs::copy_file(written.file, pictures / (car + "-software" + extension));
            fs::copy_file(written.file, pictures / (car + "-hardware" + extension));
        }
        ProcessResult result =
            run(TAVOLEX_CLI_PATH, {"carset", "pack", pictures.string(), (folder_ / "packed.gp3").string()});
        ASSERT_EQ(result.status, 0) << result.err;
        result = run(TAVOLEX_CLI_PATH,
                     {"carset", "extract", (folder_ / "packed.gp3").string(), (folder_ / "extracted").string()});
        ASSERT_EQ(result.status, 0) << result.err;
        for (std::size_t team = 0; team < files.size(); ++team) {
            SCOPED_TRACE(files[team].file.filename().string());
            const std::string car = "car-" + std::string(team < 10 ? "0" : "") + std::to_string(team);
            PackedBitmap read;
            ASSERT_EQ(
                LoadBitmapFile(folder_ / "extracted" / (car + "-software.bmp"), read, kWidth, kHeight, Depth::Bits8),
                Error::None);
            EXPECT_EQ(read, indices[team]);
            // The hardware variant is kept as RGB565 in the car set.
            ASSERT_EQ(
                LoadBitmapFile(folder_ / "extracted" / (car + "-hardware.bmp"), read, kWidth, kHeight, Depth::Bits24),
                Error::None);
            EXPECT_EQ(read, test::ReducedTo565(colours[team]));
        }
    }

    // The information header's field at `offset` of a written BMP, to show
    // the writer made the kind the test names.
    static std::uint32_t field(const Written& written, std::size_t offset, bool wide = true) {
        const auto bytes = ReadBytes(written.file);
        if (bytes.size() < offset + 4) {
            return 0xFFFFFFFF;
        }
        return wide ? ReadU32(&bytes[offset]) : ReadU16(&bytes[offset]);
    }
    // A written PNG's bit depth, colour type and interlace method.
    static std::vector<int> pngKind(const Written& written) {
        const auto bytes = ReadBytes(written.file);
        return bytes.size() < 29 ? std::vector<int>{} : std::vector<int>{bytes[24], bytes[25], bytes[28]};
    }

    static constexpr const char* kPillowScript = TAVOLEX_PILLOW_SCRIPT;
    ScratchFolder folder_;
};

TEST_F(PictureWriters, ImageMagickBmpFiles) {
    const std::vector<std::string> palette200 = {"-colors", "200", "-type", "Palette"};
    std::vector<Written> files = {
        magick("BMP2", "os2.bmp", {}),
        magick("BMP2", "os2-palette.bmp", palette200, ReadBack::ColoursAndIndices),
        magick("BMP3", "bmp3.bmp", {}),
        magick("BMP3", "rle8.bmp", palette200, ReadBack::ColoursAndIndices),
        magick("BMP3", "palette.bmp", {"-colors", "200", "-type", "Palette", "-compress", "none"},
               ReadBack::ColoursAndIndices),
        magick("BMP3", "sixteen-colours.bmp", {"-colors", "16"}, ReadBack::ColoursAndIndices),
        magick("BMP3", "monochrome.bmp", {"-monochrome"}, ReadBack::ColoursAndIndices),
        magick("BMP", "rgb565.bmp", {"-define", "bmp:subtype=RGB565"}),
        magick("BMP", "argb1555.bmp",
               {"-alpha", "set", "-channel", "A", "-evaluate", "set", "50%", "+channel", "-define",
                "bmp:subtype=ARGB1555"}),
        magick("BMP3", "alpha40.bmp", {"-alpha", "set", "-define", "bmp3:alpha=true"}),
        magick("BMP", "alpha124.bmp", {"-alpha", "set"}),
    };
    EXPECT_EQ(field(files[0], 14), 12u) << "OS/2 header";
    EXPECT_EQ(field(files[1], 24, false), 8u) << "OS/2 palette";
    EXPECT_EQ(field(files[3], 30), 1u) << "RLE8";
    EXPECT_EQ(field(files[4], 30), 0u) << "not compressed";
    EXPECT_EQ(field(files[5], 28, false), 4u) << "4 bits";
    EXPECT_EQ(field(files[6], 28, false), 1u) << "1 bit";
    EXPECT_EQ(field(files[7], 28, false), 16u);
    EXPECT_EQ(field(files[7], 54), 0xF800u) << "5-6-5";
    EXPECT_EQ(field(files[8], 54), 0x7C00u) << "1-5-5-5";
    EXPECT_EQ(field(files[9], 28, false), 32u);
    EXPECT_EQ(field(files[10], 14), 124u);
    check(files);
}

TEST_F(PictureWriters, ImageMagickPngFiles) {
    std::vector<Written> files = {
        magick("PNG8", "palette8.png", {"-colors", "200"}, ReadBack::ColoursAndIndices),
        magick("PNG", "palette4.png", {"-colors", "12", "-define", "png:bit-depth=4", "-define", "png:color-type=3"},
               ReadBack::ColoursAndIndices),
        magick("PNG", "palette2.png", {"-colors", "3", "-define", "png:bit-depth=2", "-define", "png:color-type=3"},
               ReadBack::ColoursAndIndices),
        magick("PNG8", "palette-trns.png",
               {"-colors", "100", "-alpha", "set", "-fill", "none", "-draw", "color 3,3 point"},
               ReadBack::ColoursAndIndices),
        magick("PNG24", "rgb.png", {}),
        magick("PNG32", "rgba.png", {"-alpha", "set", "-channel", "A", "-evaluate", "set", "40%", "+channel"}),
        magick("PNG48", "rgb16.png", {}),
        magick("PNG64", "rgba16.png", {"-alpha", "set"}),
        magick("PNG", "grey8.png", {"-colorspace", "Gray", "-depth", "8"}),
        magick("PNG", "grey2.png",
               {"-colorspace", "Gray", "-define", "png:bit-depth=2", "-define", "png:color-type=0"}),
        magick("PNG", "grey4.png",
               {"-colorspace", "Gray", "-define", "png:bit-depth=4", "-define", "png:color-type=0"}),
    };
    const std::vector<std::vector<int>> kinds = {{8, 3, 0},  {4, 3, 0},  {2, 3, 0}, {8, 3, 0}, {8, 2, 0}, {8, 6, 0},
                                                 {16, 2, 0}, {16, 6, 0}, {8, 0, 0}, {2, 0, 0}, {4, 0, 0}};
    for (std::size_t i = 0; i < files.size(); ++i) {
        EXPECT_EQ(pngKind(files[i]), kinds[i]) << files[i].file;
    }
    check(files);
}

TEST_F(PictureWriters, ImageMagickMorePngFiles) {
    std::vector<Written> files = {
        magick("PNG", "monochrome.png", {"-monochrome"}),
        magick("PNG", "grey-alpha8.png",
               {"-colorspace", "Gray", "-alpha", "set", "-channel", "A", "-evaluate", "set", "50%", "+channel",
                "-depth", "8"}),
        magick("PNG", "grey16.png", {"-colorspace", "Gray", "-depth", "16"}, ReadBack::PillowOnly),
        magick("PNG24", "interlaced.png", {"-interlace", "PNG"}),
        magick("PNG8", "interlaced-palette.png", {"-colors", "50", "-interlace", "PNG"}, ReadBack::ColoursAndIndices),
    };
    const std::vector<std::vector<int>> kinds = {{1, 0, 0}, {8, 4, 0}, {16, 0, 0}, {8, 2, 1}, {8, 3, 1}};
    for (std::size_t i = 0; i < files.size(); ++i) {
        EXPECT_EQ(pngKind(files[i]), kinds[i]) << files[i].file;
    }
    check(files);
}

TEST_F(PictureWriters, PillowBmpFiles) {
    const auto files = pillow({"bmp-1", "bmp-L", "bmp-P", "bmp-RGB", "bmp-RGBA"});
    EXPECT_EQ(field(files[0], 28, false), 1u);
    EXPECT_EQ(field(files[4], 28, false), 32u);
    check(files);
}

TEST_F(PictureWriters, PillowPngFiles) {
    const auto files = pillow(
        {"png-1", "png-L", "png-LA", "png-P", "png-P2", "png-P4", "png-P-tRNS", "png-RGB", "png-RGBA", "png-I16"});
    const std::vector<std::vector<int>> kinds = {{1, 0, 0}, {8, 0, 0}, {8, 4, 0}, {8, 3, 0}, {2, 3, 0},
                                                 {4, 3, 0}, {8, 3, 0}, {8, 2, 0}, {8, 6, 0}, {16, 0, 0}};
    for (std::size_t i = 0; i < files.size(); ++i) {
        EXPECT_EQ(pngKind(files[i]), kinds[i]) << files[i].file;
    }
    check(files);
}

} // namespace
} // namespace tavolex
