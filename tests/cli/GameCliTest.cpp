// tavolex-cli game: the sample installation and the commands that read it.

#include <algorithm>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "TestSupport.h"
#include "editing/PitCrewMaskPicture.h"
#include "files/CaseInsensitivePath.h"
#include "formats/ArtSheetBitmap.h"
#include "formats/GameJam.h"
#include "formats/PictureFile.h"
#include "game/GameFileList.h"
#include "game/GameFolder.h"
#include "game/LevelNames.h"
#include "game/MenuArtArchive.h"
#include "sample/SampleGame.h"

namespace tavolex {
namespace {
using test::ProcessResult;
using test::ScratchFolder;
namespace fs = std::filesystem;

ProcessResult RunCli(const ScratchFolder& folder, const std::vector<std::string>& arguments) {
    return test::RunProcess(folder, TAVOLEX_CLI_PATH, arguments);
}

// One sample game for all tests here: making it takes a moment.
class SampleGameTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        folder_ = new ScratchFolder();
        const ProcessResult run = RunCli(*folder_, {"game", "make-sample", (*folder_ / "game").string()});
        ASSERT_EQ(run.status, 0) << run.err;
    }
    static void TearDownTestSuite() { delete folder_; }
    static fs::path Game() { return *folder_ / "game"; }
    static ScratchFolder* folder_;
};
ScratchFolder* SampleGameTest::folder_ = nullptr;

TEST_F(SampleGameTest, IsACompleteSupportedInstallation) {
    const ProcessResult run = RunCli(*folder_, {"game", "info", Game().string()});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto info = nlohmann::json::parse(run.out);
    EXPECT_EQ(info["exe_status"], 1);
    EXPECT_EQ(info["exe_identified_by"], "text");
    EXPECT_EQ(info["art_identified_by"], "text");
    EXPECT_EQ(info["save_file_valid"], true);
    EXPECT_TRUE(info["missing"].empty()) << info["missing"].dump();

    const GameFolder game(Game());
    // Names on disk are in mixed case; every texture reads with its expected size.
    EXPECT_TRUE(fs::exists(Game() / "gp3.EXE"));
    for (const GameJamFile& jam : GameJamFiles()) {
        PackedBitmap image;
        ASSERT_TRUE(Ok(ReadGameJam(Game(), jam.index, jam.variant, jam.height, jam.imageCount, image)))
            << jam.index << " " << VariantIndex(jam.variant);
    }
    FixedText<32> name;
    ASSERT_TRUE(Ok(ReadLevelName(game, Language::French, name)));
    EXPECT_EQ(name.view(), "Niveaux Sample");
    ASSERT_TRUE(Ok(ReadLevelName(game, Language::Spanish, name)));
    EXPECT_EQ(name.view(), "Niveles Sample");
}

TEST_F(SampleGameTest, TeamsReadAsTheEditorWouldImportThem) {
    const ProcessResult run = RunCli(*folder_, {"game", "teams", Game().string()});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto teams = nlohmann::json::parse(run.out)["teams"];
    ASSERT_EQ(teams.size(), 11u);
    EXPECT_EQ(teams[3]["name"], "McLaren");
    EXPECT_EQ(teams[3]["engine"], "Mercedes");
    EXPECT_EQ(teams[0]["qualifying_power"], 800);
    EXPECT_EQ(teams[0]["pit_box_position"], 10);
    // Team 0 keeps the game's markers: its last colours follow colours 4 and 10.
    EXPECT_EQ(teams[0]["crew_colours"][11], teams[0]["crew_colours"][4]);
    EXPECT_EQ(teams[0]["crew_colours"][14], teams[0]["crew_colours"][10]);
    EXPECT_NE(teams[0]["crew_colours"][4], teams[0]["crew_colours"][10]);
    EXPECT_EQ(teams[0]["drivers"][1]["name"], "Driver 2 Williams");
    EXPECT_EQ(teams[0]["number_destinations"][0]["x"], 165);
}

TEST_F(SampleGameTest, ArtSheetsExportAndWriteBack) {
    const fs::path sheetPath = *folder_ / "art4.bmp";
    ProcessResult run = RunCli(*folder_, {"game", "art", Game().string(), "4", sheetPath.string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(FindPathIgnoringCase(Game(), "BITMAPS\\GP3ART5.BIN.old")) << "expanded once, old one kept";
    PackedBitmap sheet;
    ASSERT_TRUE(Ok(LoadArtSheetBitmap(sheetPath, sheet)));

    // Paint the team's first picture, write the sheet, read it back.
    const SheetPosition p = ArtSheetPosition(0);
    for (int y = 0; y < 20; ++y) {
        std::uint8_t* row = sheet.topRow(p.y + y) + 3 * p.x;
        for (int x = 0; x < 20; ++x) {
            row[3 * x] = 0x40;
            row[3 * x + 1] = 0x80;
            row[3 * x + 2] = static_cast<std::uint8_t>(8 * x);
        }
    }
    ASSERT_TRUE(Ok(SaveArtSheetBitmap(sheetPath, sheet)));
    run = RunCli(*folder_, {"game", "art", Game().string(), "4", sheetPath.string(), "--write"});
    ASSERT_EQ(run.status, 0) << run.err;
    run = RunCli(*folder_, {"game", "art", Game().string(), "4", (*folder_ / "again.bmp").string()});
    ASSERT_EQ(run.status, 0) << run.err;
    PackedBitmap again;
    ASSERT_TRUE(Ok(LoadArtSheetBitmap(*folder_ / "again.bmp", again)));
    EXPECT_EQ(again, sheet);

    EXPECT_EQ(RunCli(*folder_, {"game", "art", Game().string(), "11", sheetPath.string()}).status, 2);
    run = RunCli(*folder_, {"game", "art", (*folder_ / "nowhere").string(), "1", sheetPath.string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Failed to import from GP3ART5.BIN file!"), std::string::npos);
}

// A bitmap that cannot be loaded is found before the archive is expanded:
// the game's files stay exactly as they were.
TEST(GameCli, ArtWriteChecksThePictureBeforeTouchingTheArchive) {
    ScratchFolder folder;
    const fs::path game = folder / "game";
    ASSERT_EQ(RunCli(folder, {"game", "make-sample", game.string()}).status, 0);
    const fs::path archive = GameFolder(game).artArchive();
    const auto before = test::ReadBytes(archive);
    test::WriteBytes(folder / "broken.bmp", {'B', 'M', 1, 2, 3});
    const ProcessResult run =
        RunCli(folder, {"game", "art", game.string(), "2", (folder / "broken.bmp").string(), "--write"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Couldn't load bitmap file!"), std::string::npos) << run.err;
    EXPECT_EQ(test::ReadBytes(archive), before) << "not expanded";
    EXPECT_FALSE(FindPathIgnoringCase(game, "BITMAPS\\GP3ART5.BIN.old")) << "no copy made either";
}

TEST(GameCli, ReportsAMissingInstallation) {
    ScratchFolder folder;
    ProcessResult run = RunCli(folder, {"game", "info", folder.path().string()});
    ASSERT_EQ(run.status, 0);
    const auto info = nlohmann::json::parse(run.out);
    EXPECT_EQ(info["exe_status"], -2);
    EXPECT_TRUE(info["exe_identified_by"].is_null());
    EXPECT_TRUE(info["art_identified_by"].is_null());
    EXPECT_EQ(info["save_file_valid"], false);
    EXPECT_GT(info["missing"].size(), 100u);
    run = RunCli(folder, {"game", "teams", folder.path().string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Failed to read data from Grand Prix 3 files!"), std::string::npos);
}

TEST(GameCli, ASampleGameWithAnotherCreditTextIsRecognisedByItsContents) {
    ScratchFolder folder;
    const std::string game = (folder / "game").string();
    ProcessResult run = RunCli(folder, {"game", "make-sample", game, "--credit", "Grand Prix 3 (c) 1998 Test"});
    ASSERT_EQ(run.status, 0) << run.err;
    run = RunCli(folder, {"game", "info", game});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto info = nlohmann::json::parse(run.out);
    EXPECT_EQ(info["exe_status"], 1);
    EXPECT_EQ(info["exe_identified_by"], "contents");
    EXPECT_EQ(info["art_identified_by"], "contents");
    // Its art is read like the game's own.
    run = RunCli(folder, {"game", "art", game, "3", (folder / "art.png").string()});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(test::ReadBytes(folder / "art.png")[1], 'P');

    EXPECT_EQ(RunCli(folder, {"game", "make-sample", game, "--credit", "too short"}).status, 2);
    EXPECT_EQ(RunCli(folder, {"game", "make-sample", game, "--credit"}).status, 2);
}

} // namespace
} // namespace tavolex

namespace tavolex {
namespace {

// A sample game and a data folder of its own, shared by the tool and the editor.
class PitCrewUpgradeCli : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(run({"game", "make-sample", game}).status, 0); }
    ProcessResult run(const std::vector<std::string>& arguments) const {
        return test::RunProcess(folder, TAVOLEX_CLI_PATH, arguments,
                                "XDG_DATA_HOME=" + (folder / "data").string() + " HOME=" + folder.path().string() +
                                    " ");
    }
    ScratchFolder folder;
    const std::string game = (folder / "game").string();
};

// The pit crew upgrade with the masks of the data folder the tool shares with the editor.
TEST_F(PitCrewUpgradeCli, InfoTellsTheStateAndTheUpgradeNeedsAllMasks) {
    ProcessResult result = run({"game", "info", game});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(nlohmann::json::parse(result.out)["pit_crew_files"], "no masks");
    result = run({"game", "pitcrew-upgrade", game});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("The pit crew recolouring masks are missing!"), std::string::npos) << result.err;

    const fs::path masks = folder / "data" / "Tavolex" / "pitcrew-masks";
    fs::create_directories(masks);
    const int heights[] = {189, 189, 190, 156, 190, 172, 254, 254, 164, 169, 168};
    for (int i = 0; i < 11; ++i) {
        test::WriteBytes(masks / (std::to_string(19000 + i) + ".bin"),
                         std::vector<std::uint8_t>(256u * static_cast<std::size_t>(heights[i]), 246));
    }
    result = run({"game", "info", game});
    EXPECT_EQ(nlohmann::json::parse(result.out)["pit_crew_files"], "needs upgrade");
    result = run({"game", "pitcrew-upgrade", game});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find("main\\PC-EXTR2\n"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("main\\PITPROP2\n"), std::string::npos);
    result = run({"game", "info", game});
    EXPECT_EQ(nlohmann::json::parse(result.out)["pit_crew_files"], "upgraded");
    result = run({"game", "pitcrew-upgrade", game});
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(result.out.empty()) << "nothing is upgraded twice";
}

// A mask made by hand: the texture with its legend out, the painted picture
// in as the mask where the editor and the upgrade look for it.
TEST_F(PitCrewUpgradeCli, AMaskIsMadeFromThePaintedTexturePicture) {
    const fs::path picture = folder / "mask3.bmp";
    ProcessResult result = run({"game", "pitcrew-mask", game, "3", picture.string()});
    ASSERT_EQ(result.status, 0) << result.err;
    PackedBitmap painted;
    ASSERT_TRUE(Ok(LoadPictureFile(picture, painted, 256 + 64, 156, Depth::Bits24))) << "the texture and its legend";

    // Paint the top left pixel in the legend's second colour (marker 243), as a user's eyedropper would.
    const std::uint8_t* legend = painted.topRow(kPitCrewLegendSwatchRows + 2) + 3 * 280;
    std::copy(legend, legend + 3, painted.topRow(0));
    const fs::path png = folder / "painted.png";
    ASSERT_TRUE(Ok(SavePictureFile(png, painted)));
    result = run({"game", "pitcrew-mask", game, "3", png.string(), "--write"});
    ASSERT_EQ(result.status, 0) << result.err;
    const fs::path mask = folder / "data" / "Tavolex" / "pitcrew-masks" / "19003.bin";
    EXPECT_NE(result.out.find(mask.string()), std::string::npos) << result.out;
    const auto bytes = test::ReadBytes(mask);
    ASSERT_EQ(bytes.size(), 256u * 156u);
    EXPECT_EQ(bytes[155u * 256u], 243) << "the top row is stored last";
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), 0), static_cast<std::ptrdiff_t>(bytes.size() - 1));

    // Any other colour is refused with its place, and the mask stays as it was.
    painted.topRow(9)[3 * 17] ^= 0x01;
    ASSERT_TRUE(Ok(SavePictureFile(png, painted)));
    result = run({"game", "pitcrew-mask", game, "3", png.string(), "--write"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("x 17, y 9"), std::string::npos) << result.err;
    EXPECT_EQ(test::ReadBytes(mask), bytes);
    // A picture of another size, and a texture that is not there.
    ASSERT_TRUE(Ok(SavePictureFile(png, PackedBitmap(256, 156, Depth::Bits24))));
    EXPECT_EQ(run({"game", "pitcrew-mask", game, "3", png.string(), "--write"}).status, 1);
    EXPECT_EQ(run({"game", "pitcrew-mask", game, "11", picture.string()}).status, 2);
    result = run({"game", "pitcrew-mask", (folder / "nowhere").string(), "3", picture.string()});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("Failed to import JAM file!"), std::string::npos) << result.err;
}

// `game find` lists what the editor's first run would: the game in a Wine
// prefix of a home of the test's own, with what identification says of it.
TEST(FindGameCli, PrintsTheInstallationsFoundAsJson) {
    ScratchFolder folder;
    const fs::path prefix = folder / "home" / ".wine" / "drive_c" / "Games" / "GP3";
    const fs::path bottle = folder / "data" / "bottles" / "bottles" / "Old" / "drive_c" / "GP3";
    fs::create_directories(prefix);
    fs::create_directories(bottle);
    test::WriteBytes(prefix / "gp3.exe", SampleExecutable());
    test::WriteBytes(bottle / "GP3.EXE", std::vector<std::uint8_t>(3000, 9));
    const std::string environment =
        "HOME=" + (folder / "home").string() + " XDG_DATA_HOME=" + (folder / "data").string() + " WINEPREFIX= ";
    const ProcessResult result = test::RunProcess(folder, TAVOLEX_CLI_PATH, {"game", "find"}, environment);
    ASSERT_EQ(result.status, 0) << result.err;
    const nlohmann::json found = nlohmann::json::parse(result.out);
    ASSERT_TRUE(found.is_array());
    auto entry = [&](const fs::path& gameFolder) {
        for (const auto& game : found) {
            if (game["folder"] == gameFolder.string())
                return game;
        }
        return nlohmann::json();
    };
    EXPECT_EQ(entry(prefix), (nlohmann::json{{"folder", prefix.string()},
                                             {"exe_status", 1},
                                             {"exe_identified_by", "text"},
                                             {"save_file_valid", false}}));
    EXPECT_NE(entry(bottle)["exe_status"], 1);
    EXPECT_TRUE(entry(bottle)["exe_identified_by"].is_null());
    EXPECT_EQ(test::RunProcess(folder, TAVOLEX_CLI_PATH, {"game", "find", "extra"}, environment).status, 2);
}

// The demo's masks: make-sample writes them where the editor's data folder keeps them.
TEST(SampleGameMasksCli, MakeSampleWritesMasksThatFitTheSample) {
    ScratchFolder folder;
    const std::string environment =
        "XDG_DATA_HOME=" + (folder / "data").string() + " HOME=" + folder.path().string() + " ";
    auto run = [&](const std::vector<std::string>& arguments) {
        return test::RunProcess(folder, TAVOLEX_CLI_PATH, arguments, environment);
    };
    const std::string game = (folder / "game").string();
    ASSERT_EQ(run({"game", "make-sample", game, "--masks", (folder / "data" / "Tavolex").string()}).status, 0);
    EXPECT_EQ(nlohmann::json::parse(run({"game", "info", game}).out)["pit_crew_files"], "needs upgrade");
    ProcessResult result = run({"game", "pitcrew-upgrade", game});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(nlohmann::json::parse(run({"game", "info", game}).out)["pit_crew_files"], "upgraded");
}

} // namespace
} // namespace tavolex
