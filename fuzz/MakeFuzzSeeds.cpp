// Writes a few small valid files per fuzz target, so the fuzzers start from
// real structure: `make-fuzz-seeds fuzz/corpus` remakes the checked-in seeds.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "BmpBuilder.h"
#include "StressArtArchive.h"
#include "core/ByteOrder.h"
#include "document/CarSetFile.h"
#include "document/LazyGraphics.h"
#include "document/PictureRecords.h"
#include "formats/ArtSheetBitmap.h"
#include "formats/BitmapFile.h"
#include "formats/JamBuilder.h"
#include "formats/PngFile.h"
#include "formats/TyreBitmaps.h"
#include "game/GraphicEnvironment.h"
#include "teams/PerformanceFile.h"

namespace {

void Write(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

tavolex::PackedBitmap Pattern(int height, tavolex::Depth depth) {
    tavolex::PackedBitmap image(256, height, depth);
    for (int r = 0; r < height; ++r) {
        for (std::size_t i = 0; i < image.stride(); ++i) {
            image.row(r)[i] = static_cast<std::uint8_t>((i / 7 + static_cast<std::size_t>(r) * 3) % 251);
        }
    }
    return image;
}

// Rows of one value each, changing every 16 rows: packs into few bytes.
tavolex::PackedBitmap Bands(int width, int height, tavolex::Depth depth) {
    tavolex::PackedBitmap image(width, height, depth);
    for (int r = 0; r < height; ++r) {
        std::fill_n(image.row(r), image.stride(), static_cast<std::uint8_t>((r / 16) * 17 % 251 + 1));
    }
    return image;
}

// One small BMP of every kind the reader knows: each header size, bit
// depth, colour mask and run-length coding.
void WriteBitmapVariants(const std::filesystem::path& folder) {
    using tavolex::test::BmpHeaders;
    using tavolex::test::MakeHeaders;
    constexpr int kWidth = 13;
    constexpr int kHeight = 5;
    std::vector<std::uint32_t> indices;
    std::vector<std::uint32_t> colours;
    for (int i = 0; i < kWidth * kHeight; ++i) {
        indices.push_back(static_cast<std::uint32_t>(i / 4 % 3 == 0 ? i * 7 : 9));
        colours.push_back(static_cast<std::uint32_t>(i * 0x030507 + 0x102030));
    }
    auto table = [](std::size_t count, std::size_t entrySize) {
        std::vector<std::uint8_t> bytes;
        for (std::size_t i = 0; i < count; ++i) {
            for (std::size_t b = 0; b < entrySize; ++b) {
                bytes.push_back(static_cast<std::uint8_t>(i * (b + 3)));
            }
        }
        return bytes;
    };
    auto masked = [&](int bits) {
        std::vector<std::uint32_t> values;
        for (std::uint32_t c : colours) {
            values.push_back(bits == 16 ? (c & 0xFFFF) : (c | 0x80000000u));
        }
        return values;
    };
    auto lowered = [&](int bits) {
        std::vector<std::uint32_t> values;
        for (std::uint32_t v : indices) {
            values.push_back(v % (1u << bits));
        }
        return values;
    };
    auto write = [&](const std::string& name, BmpHeaders headers, const std::vector<std::uint8_t>& pixels) {
        Write(folder / "fuzz-bitmap-file" / (name + ".bmp"), tavolex::test::BuildBmp(headers, pixels));
    };
    for (int bits : {1, 4, 8}) {
        BmpHeaders headers = MakeHeaders(40, kWidth, kHeight, bits);
        headers.colourTable = table(std::size_t{1} << bits, 4);
        write("palette" + std::to_string(bits), headers,
              tavolex::test::PackRows(lowered(bits), kWidth, kHeight, bits, false));
        BmpHeaders os2 = MakeHeaders(12, kWidth, kHeight, bits);
        os2.colourTable = table(std::size_t{1} << bits, 3);
        write("os2-palette" + std::to_string(bits), os2,
              tavolex::test::PackRows(lowered(bits), kWidth, kHeight, bits, false));
    }
    BmpHeaders shortTable = MakeHeaders(124, kWidth, kHeight, 8, true);
    shortTable.coloursUsed = 12;
    shortTable.colourTable = table(12, 4);
    write("palette8-short-top-down", shortTable, tavolex::test::PackRows(indices, kWidth, kHeight, 8, true));
    for (int bits : {8, 4}) {
        BmpHeaders headers = MakeHeaders(40, kWidth, kHeight, bits);
        headers.compression = bits == 8 ? 1 : 2;
        headers.colourTable = table(std::size_t{1} << bits, 4);
        write("rle" + std::to_string(bits), headers,
              tavolex::test::EncodeBmpRunLength(lowered(bits), kWidth, kHeight, bits, false));
        // A skip of 3 right and 2 up, a run of 4, the end of that row and of the picture.
        write("rle" + std::to_string(bits) + "-skip", headers, {0, 2, 3, 2, 4, 0x35, 0, 0, 0, 1});
    }
    write("os2-24", MakeHeaders(12, kWidth, kHeight, 24), tavolex::test::PackRows(colours, kWidth, kHeight, 24, false));
    for (std::uint32_t infoSize : {52u, 56u, 108u}) {
        write("rgb24-" + std::to_string(infoSize), MakeHeaders(infoSize, kWidth, kHeight, 24, true),
              tavolex::test::PackRows(colours, kWidth, kHeight, 24, true));
    }
    write("rgb555", MakeHeaders(40, kWidth, kHeight, 16),
          tavolex::test::PackRows(masked(16), kWidth, kHeight, 16, false));
    BmpHeaders rgb565 = MakeHeaders(40, kWidth, kHeight, 16);
    rgb565.compression = 3;
    rgb565.masks = {0xF800, 0x07E0, 0x001F};
    write("rgb565", rgb565, tavolex::test::PackRows(masked(16), kWidth, kHeight, 16, false));
    BmpHeaders argb1555 = MakeHeaders(40, kWidth, kHeight, 16);
    argb1555.compression = 6;
    argb1555.masks = {0x7C00, 0x03E0, 0x001F, 0x8000};
    write("argb1555", argb1555, tavolex::test::PackRows(masked(16), kWidth, kHeight, 16, false));
    write("rgb32", MakeHeaders(40, kWidth, kHeight, 32),
          tavolex::test::PackRows(masked(32), kWidth, kHeight, 32, false));
    BmpHeaders argb = MakeHeaders(124, kWidth, kHeight, 32, true);
    argb.compression = 3;
    argb.masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
    write("argb32-top-down", argb, tavolex::test::PackRows(masked(32), kWidth, kHeight, 32, true));
}

const char* const kSectionNames[] = {"car-liveries", "helmets", "cockpits",  "pit-crews",
                                     "artwork",      "tyres",   "pit-boxes", "treads"};

} // namespace

int main(int argc, char** argv) {
    using namespace tavolex;
    if (argc != 2) {
        std::cerr << "usage: make-fuzz-seeds FOLDER\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    Write(folder / "fuzz-bitmap-file/8bit.bmp", EncodeBitmapFile(Pattern(4, Depth::Bits8)));
    Write(folder / "fuzz-bitmap-file/24bit.bmp", EncodeBitmapFile(Pattern(4, Depth::Bits24)));
    WriteBitmapVariants(folder);
    Write(folder / "fuzz-tyre-bitmap/tread.bmp",
          EncodeGameHalfBitmap(PackedBitmap(256, 200, Depth::Bits24), TyreSheet::Treads, {0xFF, 0, 0xFF}));
    Write(folder / "fuzz-texelor/24bit.bmp", EncodeBitmapFile(Pattern(4, Depth::Bits24)));
    for (Depth depth : {Depth::Bits8, Depth::Bits24}) {
        std::vector<std::uint8_t> png;
        if (Ok(EncodePngFile(Pattern(8, depth), png))) {
            Write(folder / (depth == Depth::Bits8 ? "fuzz-png-file/8bit.png" : "fuzz-png-file/24bit.png"), png);
            Write(folder / (depth == Depth::Bits8 ? "fuzz-texelor/8bit.png" : "fuzz-texelor/24bit.png"), png);
        }
    }

    // Thumbnail seeds: the size byte, then the file.
    auto thumbnailSeed = [&](const char* name, const std::vector<std::uint8_t>& bytes) {
        std::vector<std::uint8_t> seed = {63};
        seed.insert(seed.end(), bytes.begin(), bytes.end());
        Write(folder / "fuzz-thumbnail" / name, seed);
    };
    std::vector<std::uint8_t> file;
    if (Ok(BuildSoftwareJam(Pattern(12, Depth::Bits8), {{0, 0, 128, 6}, {128, 0, 128, 6}, {0, 6, 256, 6, true}}, false,
                            file))) {
        Write(folder / "fuzz-software-jam/three.jam", file);
        thumbnailSeed("software.jam", file);
    }
    if (Ok(BuildHardwareJam(Pattern(12, Depth::Bits24), 5, file))) {
        thumbnailSeed("hardware.jam", file);
        Write(folder / "fuzz-hardware-jam/five.jam", file);
        Write(folder / "fuzz-texelor/five.jam", file);
        // The run-length target reads a pixel count and an implicit code first.
        std::vector<std::uint8_t> stream = {0x0B, 0xFF, 128};
        stream.insert(stream.end(), file.end() - std::min<std::size_t>(file.size(), 400), file.end());
        Write(folder / "fuzz-run-length/stream.bin", stream);
    }
    // A small car set with a helmet picture of each variant and some information.
    CarSet carSet;
    NewCarSet(carSet);
    carSet.helmetImages = {Bands(256, 330, Depth::Bits8), Bands(256, 330, Depth::Bits24)};
    carSet.helmetFlags = {1, 1};
    carSet.information = "seed";
    carSet.hasInformation = 1;
    if (Ok(EncodeCarSet(carSet, GraphicEnvironment{}, file))) {
        Write(folder / "fuzz-car-set/helmets.gp3", file);
    }
    // The thumbnail's car set also holds the first team's livery.
    const std::filesystem::path livery = std::filesystem::temp_directory_path() / "tavolex-seed-livery.bmp";
    if (Ok(SaveBitmapFile(livery, Bands(256, 384, Depth::Bits24)))) {
        SetSlotFromFile(carSet, GraphicKind::CarLivery, 0, Variant::Hardware, livery);
        if (Ok(EncodeCarSet(carSet, GraphicEnvironment{}, file))) {
            thumbnailSeed("livery.gp3", file);
        }
        std::filesystem::remove(livery);
    }
    NewCarSet(carSet);
    if (Ok(EncodeCarSet(carSet, GraphicEnvironment{}, file))) {
        Write(folder / "fuzz-car-set/new.gp3", file);
    }
    const std::string performance = PerformanceFileText(carSet);
    Write(folder / "fuzz-performance-file/new.txt", std::vector<std::uint8_t>(performance.begin(), performance.end()));
    Write(folder / "fuzz-menu-art/archive.bin", tavolex::test::BuildSmallStressArtArchive());
    std::vector<std::uint8_t> tokens = {40, 30, 5};
    const auto packed = tavolex::test::MakePackedArtTokens(40, 30, 405, 7, 3);
    tokens.insert(tokens.end(), packed.begin(), packed.end());
    Write(folder / "fuzz-menu-art/tokens.bin", tokens);
    // A small GP2 car set of format 160: header, block offset, the block.
    std::vector<std::uint8_t> gp2(200 + 2500, 0);
    std::copy_n("QUENSET", 7, gp2.begin());
    gp2[7] = 160;
    gp2[85] = 199;
    for (int t = 0; t < 11; ++t) {
        gp2[200 + 1060 + t] = static_cast<std::uint8_t>(2 * t + 1);
        gp2[200 + 1080 + t] = static_cast<std::uint8_t>(2 * t + 2);
    }
    gp2.resize(gp2.size() + 4);
    Write(folder / "fuzz-gp2/format160.gp2", gp2);
    const std::string ini = "[Setup]\r\nGP3Dir=C:\\GP3\r\nDisclaimer=110\r\n\r\n[Directorys]\r\nOpen Car Set=/x/\r\n";
    Write(folder / "fuzz-ini-file/settings.ini", std::vector<std::uint8_t>(ini.begin(), ini.end()));
    const std::string settings =
        R"({"damage":[2,130,130,66,66,136,136,68,68,8,4,12,34,34,17,17,256,256,256,256,4,8,7424,16,8192,32],)"
        R"("driver_aids":[831,830,574,562,50],"cameras":[)"
        R"([0,36,192,-180,0,0,-32768,1280,0,0],[80,64,-184,0,0,0,3840,1280,0,256],[144,68,-464,0,0,0,0,-1,0,256],)"
        R"([80,20,-192,-180,0,0,26866,1280,256,0],[-80,20,-192,-180,0,0,-26610,1280,1,0],)"
        R"([-144,68,-464,0,0,0,0,-1,0,1],[-80,64,-184,0,0,0,-3840,1280,0,1],[0,36,320,0,0,0,0,72,0,0],)"
        R"([80,-64,244,0,0,0,0,72,0,256]],"points":[10,6,4,3,2,1,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0],)"
        R"("player_car_power":1,"opposition_spread":1,"level_names":["Tavolex Levels","Niveaux Tavolex",)"
        R"("Livelli del Tavolex","Leistungsstufen von Tavolex","Niveles de Año €"]})";
    Write(folder / "fuzz-game-settings-json/defaults.json",
          std::vector<std::uint8_t>(settings.begin(), settings.end()));
    // A record of each section's variants: the variant byte, then the record.
    for (int s = 0; s < 8; ++s) {
        const auto section = static_cast<PictureSection>(s);
        for (Variant variant : {Variant::Software, Variant::Hardware}) {
            const PictureShape shape = ShapeOf(section, variant);
            if (variant == Variant::Software && !KindInfo(SectionLayout(section).kind).hasSoftware) {
                continue;
            }
            std::vector<std::uint8_t> record = {static_cast<std::uint8_t>(variant == Variant::Hardware ? 1 : 0)};
            if (Ok(AppendPictureRecord(section, variant,
                                       Bands(shape.width, shape.height, shape.colour ? Depth::Bits24 : Depth::Bits8),
                                       record))) {
                Write(folder / ("fuzz-picture-" + std::string(kSectionNames[s])) /
                          (variant == Variant::Hardware ? "hardware.bin" : "software.bin"),
                      record);
            }
        }
    }
    // A language file: header, 260 entries, the level name and one more.
    std::vector<std::uint8_t> language = {1, 0, 0, 0};
    for (int entry = 0; entry < 262; ++entry) {
        const std::string text = entry == 260 ? "Levels" : "e" + std::to_string(entry);
        language.insert(language.end(), text.begin(), text.end());
        language.push_back(0);
    }
    Write(folder / "fuzz-language-file/english.bin", language);
    std::vector<std::uint8_t> tables = {0, 5, 16, 39, 32, 78};
    for (const char* text : {"Driver One", "Driver Two", "Team", "Engine"}) {
        tables.insert(tables.end(), text, text + std::char_traits<char>::length(text) + 1);
    }
    Write(folder / "fuzz-game-tables/names.bin", tables);
    // The art sheet's header and first rows; the target pads the rest.
    const auto sheet = EncodeBitmapFile(Bands(kArtSheetFileWidth, kArtSheetHeight, Depth::Bits24));
    Write(folder / "fuzz-art-sheet/sheet.bmp", std::vector<std::uint8_t>(sheet.begin(), sheet.begin() + 54 + 3072));
    return 0;
}
