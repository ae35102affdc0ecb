// Writes a few valid files per fuzz target, so the fuzzers start from real structure.
#include <filesystem>
#include <fstream>
#include <algorithm>
#include <iostream>

#include "document/CarSetFile.h"
#include "formats/BitmapFile.h"
#include "formats/TyreBitmaps.h"
#include "formats/JamBuilder.h"
#include "formats/MenuArtBuilder.h"
#include "formats/PngFile.h"
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

    std::vector<std::uint8_t> file;
    if (Ok(BuildSoftwareJam(Pattern(12, Depth::Bits8), {{0, 0, 128, 6}, {128, 0, 128, 6}, {0, 6, 256, 6, true}},
                            false, file))) {
        Write(folder / "fuzz-software-jam/three.jam", file);
    }
    if (Ok(BuildHardwareJam(Pattern(12, Depth::Bits24), 5, file))) {
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
    carSet.helmetImages = {Pattern(330, Depth::Bits8), Pattern(330, Depth::Bits24)};
    carSet.helmetFlags = {1, 1};
    carSet.information = "seed";
    carSet.hasInformation = 1;
    if (Ok(EncodeCarSet(carSet, GraphicEnvironment{}, file))) {
        Write(folder / "fuzz-car-set/helmets.gp3", file);
    }
    NewCarSet(carSet);
    if (Ok(EncodeCarSet(carSet, GraphicEnvironment{}, file))) {
        Write(folder / "fuzz-car-set/new.gp3", file);
    }
    const std::string performance = PerformanceFileText(carSet);
    Write(folder / "fuzz-performance-file/new.txt", std::vector<std::uint8_t>(performance.begin(), performance.end()));
    Write(folder / "fuzz-menu-art/archive.bin", BuildSampleArtArchive());
    std::vector<std::uint8_t> tokens = {40, 30, 5};
    const auto packed = MakePackedArtTokens(40, 30, 405, 7, 3);
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
    Write(folder / "fuzz-game-settings-json/defaults.json", std::vector<std::uint8_t>(settings.begin(), settings.end()));
    return 0;
}
