// tavolex-cli carset: new, info, extract and pack as a script would use them.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "TestSupport.h"
#include "document/CarSetFile.h"
#include "formats/ArtSheetBitmap.h"
#include "formats/BitmapFile.h"
#include "formats/PictureFile.h"
#include "game/GraphicEnvironment.h"

namespace tavolex {
namespace {
using test::ProcessResult;
using test::ReadBytes;
using test::ScratchFolder;
namespace fs = std::filesystem;

ProcessResult RunCli(const ScratchFolder& folder, const std::vector<std::string>& arguments) {
    return test::RunProcess(folder, TAVOLEX_CLI_PATH, arguments);
}

std::string P(const fs::path& path) { return path.string(); }

TEST(CarSetCli, NewAndInfo) {
    ScratchFolder folder;
    ProcessResult run = RunCli(folder, {"carset", "new", P(folder / "new.gp3")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadBytes(folder / "new.gp3").size(), 1312u);

    run = RunCli(folder, {"carset", "info", P(folder / "new.gp3")});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto info = nlohmann::json::parse(run.out);
    EXPECT_EQ(info["format_version"], 110);
    ASSERT_EQ(info["teams"].size(), 11u);
    const auto& team = info["teams"][6];
    EXPECT_EQ(team["name"], "Team Name");
    EXPECT_EQ(team["engine"], "Engine");
    EXPECT_EQ(team["qualifying_power"], 770);
    EXPECT_EQ(team["race_power"], 760);
    EXPECT_EQ(team["failure"], 4000);
    EXPECT_EQ(team["tyre_type"], 0);
    EXPECT_EQ(team["crew_colours"].size(), 16u);
    EXPECT_EQ(team["pit_box_position"], 6);
    EXPECT_EQ(team["number_destinations"].size(), 3u);
    EXPECT_EQ(team["number_sources"].size(), 2u);
    ASSERT_EQ(team["drivers"].size(), 2u);
    EXPECT_EQ(team["drivers"][0]["name"], "Drivers Name");
    EXPECT_EQ(team["drivers"][0]["number"], 14);
    EXPECT_EQ(team["drivers"][1]["number"], 15);
    EXPECT_EQ(team["drivers"][1]["qualifying_performance"], 16100);
    EXPECT_EQ(team["drivers"][1]["race_performance"], 16000);
    EXPECT_EQ(team["drivers"][1]["qualifying_range"], 128);
    EXPECT_EQ(team["drivers"][1]["race_range"], 192);
    EXPECT_EQ(team["drivers"][1]["selected"], false);
    EXPECT_EQ(info["tyres"][1]["name"], "Tyre 2");
    EXPECT_EQ(info["misc"]["points"][0], 10);
    EXPECT_EQ(info["misc"]["opposition_spread"], 1);
    EXPECT_EQ(info["misc"]["level_names"][3], "Leistungsstufen von Tavolex");
    EXPECT_EQ(info["misc"]["player_car_power"], 1);
    EXPECT_TRUE(info["information"].is_null());
    EXPECT_TRUE(info["pictures"].empty());

    test::WriteBytes(folder / "bad.gp3", {'T', 'a', 'v'});
    run = RunCli(folder, {"carset", "info", P(folder / "bad.gp3")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "tavolex-cli: File is not a Tavolex Car Set!\n");
    EXPECT_EQ(RunCli(folder, {"carset", "info"}).status, 2);
    EXPECT_EQ(RunCli(folder, {"carset", "melt", "x"}).status, 2);
}

TEST(CarSetCli, PackThenExtractGivesThePicturesBack) {
    ScratchFolder folder;
    fs::create_directories(folder / "in");
    const PackedBitmap livery = test::PhotoLike24(256, 384, 3);
    const PackedBitmap helmets = test::Banded8(256, 330, 4);
    const PackedBitmap tread = test::PhotoLike24(256, 400, 5);
    const PackedBitmap art = test::PhotoLike24(948, 650, 6);
    ASSERT_TRUE(Ok(SaveBitmapFile(folder / "in/car-03-hardware.bmp", livery)));
    ASSERT_TRUE(Ok(SaveBitmapFile(folder / "in/HELMETS-SOFTWARE.BMP", helmets)));
    ASSERT_TRUE(Ok(SaveBitmapFile(folder / "in/tread-1.bmp", tread)));
    ASSERT_TRUE(Ok(SaveArtSheetBitmap(folder / "in/artwork-10.bmp", art)));

    // Team data from an existing car set.
    CarSet named;
    NewCarSet(named);
    named.teams[3].teamName = "McLaren";
    named.information = "Made by a script";
    named.hasInformation = 1;
    ASSERT_TRUE(Ok(SaveCarSet(named, folder / "from.gp3", GraphicEnvironment{})));

    ProcessResult run =
        RunCli(folder, {"carset", "pack", P(folder / "in"), P(folder / "out.gp3"), "--from", P(folder / "from.gp3")});
    ASSERT_EQ(run.status, 0) << run.err;
    run = RunCli(folder, {"carset", "info", P(folder / "out.gp3")});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto info = nlohmann::json::parse(run.out);
    EXPECT_EQ(info["teams"][3]["name"], "McLaren");
    EXPECT_EQ(info["information"], "Made by a script");
    const nlohmann::json expectedPictures = {{"car-03-hardware.bmp", "present"},
                                             {"helmets-software.bmp", "present"},
                                             {"tread-1.bmp", "present"},
                                             {"artwork-10.bmp", "present"}};
    EXPECT_EQ(info["pictures"], expectedPictures);

    run = RunCli(folder, {"carset", "extract", P(folder / "out.gp3"), P(folder / "out")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(std::distance(fs::directory_iterator(folder / "out"), {}), 4);
    PackedBitmap read;
    ASSERT_TRUE(Ok(LoadBitmapFile(folder / "out/car-03-hardware.bmp", read, 256, 384, Depth::Bits24)));
    EXPECT_EQ(read, test::ReducedTo565(livery));
    ASSERT_TRUE(Ok(LoadBitmapFile(folder / "out/helmets-software.bmp", read, 256, 330, Depth::Bits8)));
    EXPECT_EQ(read, helmets);
    ASSERT_TRUE(Ok(LoadBitmapFile(folder / "out/tread-1.bmp", read, 256, 400, Depth::Bits24)));
    EXPECT_EQ(read, test::ReducedTo565(tread));
    ASSERT_TRUE(Ok(LoadArtSheetBitmap(folder / "out/artwork-10.bmp", read)));
    EXPECT_EQ(read, test::ReducedTo565(art));
    EXPECT_EQ(ReadBytes(folder / "out/artwork-10.bmp").size(), 1996854u);
}

TEST(CarSetCli, ExtractsAsPngAndPacksFromPng) {
    ScratchFolder folder;
    fs::create_directories(folder / "in");
    const PackedBitmap livery = test::ReducedTo565(test::PhotoLike24(256, 384, 3));
    const PackedBitmap helmets = test::Banded8(256, 330, 4);
    const PackedBitmap art = test::ReducedTo565(test::PhotoLike24(948, 650, 6));
    ASSERT_TRUE(Ok(SavePictureFile(folder / "in/car-03-hardware.png", livery)));
    ASSERT_TRUE(Ok(SavePictureFile(folder / "in/HELMETS-SOFTWARE.PNG", helmets)));
    ASSERT_TRUE(Ok(SaveArtSheetBitmap(folder / "in/artwork-10.png", art)));
    ProcessResult run = RunCli(folder, {"carset", "pack", P(folder / "in"), P(folder / "a.gp3")});
    ASSERT_EQ(run.status, 0) << run.err;

    run = RunCli(folder, {"carset", "extract", P(folder / "a.gp3"), P(folder / "out"), "--png"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(std::distance(fs::directory_iterator(folder / "out"), {}), 3);
    for (const char* name : {"car-03-hardware.png", "helmets-software.png", "artwork-10.png"}) {
        const auto bytes = ReadBytes(folder / "out" / name);
        ASSERT_GT(bytes.size(), 8u) << name;
        EXPECT_EQ(bytes[1], 'P') << name;
    }
    EXPECT_EQ(ReadBytes(folder / "out/helmets-software.png")[25], 3) << "a palette PNG";
    PackedBitmap read;
    ASSERT_TRUE(Ok(LoadPictureFile(folder / "out/car-03-hardware.png", read, 256, 384, Depth::Bits24)));
    EXPECT_EQ(read, livery);
    ASSERT_TRUE(Ok(LoadPictureFile(folder / "out/helmets-software.png", read, 256, 330, Depth::Bits8)));
    EXPECT_EQ(read, helmets);
    ASSERT_TRUE(Ok(LoadArtSheetBitmap(folder / "out/artwork-10.png", read)));
    EXPECT_EQ(read, art);

    // The extracted PNGs pack again into the same pictures.
    run = RunCli(folder, {"carset", "pack", P(folder / "out"), P(folder / "b.gp3")});
    ASSERT_EQ(run.status, 0) << run.err;
    run = RunCli(folder, {"carset", "extract", P(folder / "b.gp3"), P(folder / "again")});
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_TRUE(Ok(LoadBitmapFile(folder / "again/car-03-hardware.bmp", read, 256, 384, Depth::Bits24)));
    EXPECT_EQ(read, livery);
    ASSERT_TRUE(Ok(LoadArtSheetBitmap(folder / "again/artwork-10.bmp", read)));
    EXPECT_EQ(read, art);
}

TEST(CarSetCli, PackRefusesPicturesOfTheWrongSize) {
    ScratchFolder folder;
    fs::create_directories(folder / "in");
    ASSERT_TRUE(Ok(SaveBitmapFile(folder / "in/cockpit-00-software.bmp", test::Banded8(256, 65))));
    const ProcessResult run = RunCli(folder, {"carset", "pack", P(folder / "in"), P(folder / "out.gp3")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "tavolex-cli: cockpit-00-software.bmp: Couldn't load bitmap file! (the bitmap does not "
                       "have the required width and height (256 x 64 wanted))\n");
    EXPECT_FALSE(fs::exists(folder / "out.gp3"));
}

} // namespace
} // namespace tavolex

namespace tavolex {
namespace {

TEST(TeamsCli, ExportAndImportTeamData) {
    test::ScratchFolder folder;
    CarSet carSet;
    NewCarSet(carSet);
    carSet.teams[1].teamName = "Ferrari";
    carSet.teams[1].drivers[0].racePerformance = 17123;
    ASSERT_TRUE(Ok(SaveCarSet(carSet, folder / "in.gp3", GraphicEnvironment{})));
    test::ProcessResult run = test::RunProcess(
        folder, TAVOLEX_CLI_PATH, {"teams", "export", (folder / "in.gp3").string(), (folder / "teams.txt").string()});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto text = test::ReadBytes(folder / "teams.txt");
    EXPECT_NE(std::string(text.begin(), text.end()).find("Name=Ferrari,Engine\r\n"), std::string::npos);

    test::WriteBytes(folder / "other.per",
                     {'[', 'T', 'N', 'A', 'M', 'E', ']', '\n', '1', '=', 'W', 'i', 'l', 'd', '\n'});
    run = test::RunProcess(folder, TAVOLEX_CLI_PATH,
                           {"teams", "import", (folder / "in.gp3").string(), (folder / "other.per").string(),
                            (folder / "out.gp3").string()});
    ASSERT_EQ(run.status, 0) << run.err;
    CarSet loaded;
    NewCarSet(loaded);
    ASSERT_EQ(LoadCarSet(loaded, folder / "out.gp3"), Error::None);
    EXPECT_EQ(loaded.teams[1].teamName.view(), "Wild");
    EXPECT_EQ(loaded.teams[1].drivers[0].racePerformance, 16000) << "a PER file's defaults";

    run = test::RunProcess(folder, TAVOLEX_CLI_PATH,
                           {"teams", "import", (folder / "in.gp3").string(), (folder / "teams.txt").string(),
                            (folder / "back.gp3").string()});
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(LoadCarSet(loaded, folder / "back.gp3"), Error::None);
    EXPECT_EQ(loaded.teams[1].teamName.view(), "Ferrari");
    EXPECT_EQ(loaded.teams[1].drivers[0].racePerformance, 17123);

    test::WriteBytes(folder / "bad.gp2", {'n', 'o', 'p', 'e'});
    run = test::RunProcess(
        folder, TAVOLEX_CLI_PATH,
        {"teams", "import", (folder / "in.gp3").string(), (folder / "bad.gp2").string(), (folder / "x.gp3").string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Couldn't Load File!"), std::string::npos);
    // The reason names what is wrong with a team data file, not with a texture.
    EXPECT_NE(run.err.find("not a GP2 car set"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("texture"), std::string::npos) << run.err;
    test::WriteBytes(folder / "damaged.gp2", {'Q', 'U', 'E', 'N', 'S', 'E', 'T', 160, 0, 0, 0, 0, 0});
    run = test::RunProcess(folder, TAVOLEX_CLI_PATH,
                           {"teams", "import", (folder / "in.gp3").string(), (folder / "damaged.gp2").string(),
                            (folder / "x.gp3").string()});
    EXPECT_NE(run.err.find("checksum mismatch"), std::string::npos) << run.err;
    test::WriteBytes(folder / "empty.txt", {'[', 'F', 'i', 'l', 'e', ']', '\n'});
    run = test::RunProcess(folder, TAVOLEX_CLI_PATH,
                           {"teams", "import", (folder / "in.gp3").string(), (folder / "empty.txt").string(),
                            (folder / "x.gp3").string()});
    EXPECT_NE(run.err.find("not a performance text file"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(folder / "x.gp3"));
    // A control character in a name never reaches a car set bound for the game.
    std::string edited(text.begin(), text.end());
    edited.replace(edited.find("Ferrari"), 7, "Fer\x1Brari");
    test::WriteBytes(folder / "escape.txt", std::vector<std::uint8_t>(edited.begin(), edited.end()));
    run = test::RunProcess(folder, TAVOLEX_CLI_PATH,
                           {"teams", "import", (folder / "in.gp3").string(), (folder / "escape.txt").string(),
                            (folder / "x.gp3").string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("control character"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(folder / "x.gp3"));
    EXPECT_EQ(test::RunProcess(folder, TAVOLEX_CLI_PATH, {"teams", "import", "a", "b.doc", "c"}).status, 2);
}

} // namespace
} // namespace tavolex
