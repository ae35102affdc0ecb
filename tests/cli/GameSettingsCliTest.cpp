// tavolex-cli game settings: what the game holds, the defaults, and partial writes.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "TestSupport.h"
#include "core/ByteOrder.h"
#include "game/GameConstants.h"
#include "game/GameFolder.h"
#include "game/LevelNames.h"

namespace tavolex {
namespace {
using test::ProcessResult;
using test::ReadBytes;
using test::ScratchFolder;
using test::WriteBytes;
using Json = nlohmann::json;
namespace fs = std::filesystem;

// A small game: a supported executable with a few known values, an intact
// save file and the language files (the Spanish one naming its levels with an "ñ").
struct SettingsGame {
    ScratchFolder folder;
    fs::path game = folder / "game";
    const char* languageFiles[5] = {"english.str",
                                    "fran\xC3\xA7"
                                    "ais.str",
                                    "italiano.str", "deutsch.str",
                                    "espa\xC3\xB1"
                                    "ol.str"};

    SettingsGame() {
        std::vector<std::uint8_t> exe(kSupportedExeSize, 0);
        std::copy(kExeIdentificationText.begin(), kExeIdentificationText.end(),
                  exe.begin() + static_cast<std::ptrdiff_t>(kExeIdentificationOffset));
        WriteU16(exe.data() + 0x13FC79, 5);   // nose cone
        WriteU16(exe.data() + 0x13EEBD, 300); // wall bounce, read as 255
        WriteU16(exe.data() + 0x722C18, 64 + 831);
        WriteU16(exe.data() + 0x79E59E + 6, 32767); // camera 1, direction
        exe[0x73B456] = 9;
        exe[0x36C67] = 255;
        fs::create_directories(game / "LDATA");
        WriteBytes(game / "GP3.EXE", exe);
        std::vector<std::uint8_t> save(0x16000, 0);
        save[0x16A0] = 2;
        EXPECT_TRUE(Ok(StampSaveFileChecksums(save)));
        WriteBytes(game / "F1GSTATE.SAV", save);
        for (int l = 0; l < 5; ++l)
            WriteBytes(game / "LDATA" / languageFiles[l], LanguageFile(l == 4 ? "A\xF1o" : "Old"));
    }
    static std::vector<std::uint8_t> LanguageFile(const std::string& levelName) {
        std::vector<std::uint8_t> file = {1, 2, 3, 4};
        for (int i = 0; i < 265; ++i) {
            const std::string text = i == kLevelNameEntry ? levelName : "entry";
            file.insert(file.end(), text.begin(), text.end());
            file.push_back(0);
        }
        return file;
    }
    ProcessResult run(const std::vector<std::string>& arguments) const {
        return test::RunProcess(folder, TAVOLEX_CLI_PATH, arguments);
    }
    // Writes `json` as FILE and runs --write with it.
    ProcessResult write(const Json& json) const {
        const fs::path file = folder / "settings.json";
        const std::string text = json.dump();
        WriteBytes(file, std::vector<std::uint8_t>(text.begin(), text.end()));
        return run({"game", "settings", game.string(), "--write", file.string()});
    }
    std::vector<std::vector<std::uint8_t>> files() const {
        std::vector<std::vector<std::uint8_t>> all = {ReadBytes(game / "GP3.EXE"), ReadBytes(game / "F1GSTATE.SAV")};
        for (const char* file : languageFiles) all.push_back(ReadBytes(game / "LDATA" / file));
        return all;
    }
};

TEST(GameSettingsCli, PrintsTheDefaultsAndWhatTheGameHolds) {
    SettingsGame game;
    const ProcessResult defaults = game.run({"game", "settings", game.game.string(), "--defaults"});
    ASSERT_EQ(defaults.status, 0) << defaults.err;
    const Json expected = Json::parse(defaults.out);
    EXPECT_EQ(expected["damage"].size(), 26u);
    EXPECT_EQ(expected["damage"][24], 8192);
    EXPECT_EQ(expected["driver_aids"], Json({831, 830, 574, 562, 50}));
    EXPECT_EQ(expected["cameras"][0], Json({0, 36, 192, -180, 0, 0, -32768, 1280, 0, 0}));
    EXPECT_EQ(expected["points"][0], 10);
    EXPECT_EQ(expected["player_car_power"], 1);
    EXPECT_EQ(expected["opposition_spread"], 1);
    EXPECT_EQ(expected["level_names"][4], "Niveles de Tavolex");

    const ProcessResult read = game.run({"game", "settings", game.game.string()});
    ASSERT_EQ(read.status, 0) << read.err;
    const Json held = Json::parse(read.out);
    EXPECT_EQ(held["damage"][0], 5);
    EXPECT_EQ(held["damage"][23], 255);
    EXPECT_EQ(held["driver_aids"][0], 831);
    EXPECT_EQ(held["cameras"][0][3], 180);
    EXPECT_EQ(held["points"][0], 9);
    EXPECT_EQ(held["player_car_power"], 0);
    EXPECT_EQ(held["opposition_spread"], 2);
    EXPECT_EQ(held["level_names"][0], "Old");
    EXPECT_EQ(held["level_names"][4], "A\xC3\xB1o") << "as UTF-8";

    // Not the supported executable: its settings are null, the others still there.
    auto exe = ReadBytes(game.game / "GP3.EXE");
    exe[kExeIdentificationOffset] ^= 1;
    WriteBytes(game.game / "GP3.EXE", exe);
    const Json partial = Json::parse(game.run({"game", "settings", game.game.string()}).out);
    EXPECT_TRUE(partial["damage"].is_null());
    EXPECT_TRUE(partial["player_car_power"].is_null());
    EXPECT_EQ(partial["opposition_spread"], 2);
}

TEST(GameSettingsCli, WritesTheKeysPresentAndNothingElse) {
    SettingsGame game;
    const auto before = game.files();
    Json cameras = Json::parse(game.run({"game", "settings", "x", "--defaults"}).out)["cameras"];
    cameras[1][3] = 90;
    const ProcessResult run = game.write({{"cameras", cameras},
                                          {"points", Json(std::vector<int>(22, 127))},
                                          {"opposition_spread", 0},
                                          {"level_names",
                                           {"1998 Levels", "Niveaux 1998", "Livelli del 1998",
                                            "Leistungsstufen von 1998", "Niveles de 1998 \xE2\x82\xAC"}}});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto exe = ReadBytes(game.game / "GP3.EXE");
    EXPECT_EQ(ReadU16(exe.data() + 0x79E59E + 2 * 13), 16384);
    EXPECT_EQ(exe[0x73B456 + 21], 127);
    EXPECT_EQ(ReadU16(exe.data() + 0x13FC79), 5) << "damage was not in the file";
    EXPECT_EQ(ReadU16(exe.data() + 0x722C18), 64 + 831);
    EXPECT_EQ(exe[0x36C67], 255);
    EXPECT_EQ(ReadBytes(game.game / "F1GSTATE.SAV")[0x16A0], 0);
    EXPECT_TRUE(CheckSaveFile(GameFolder(game.game)));
    FixedText<32> name;
    ASSERT_TRUE(Ok(ReadLevelName(GameFolder(game.game), Language::Spanish, name)));
    EXPECT_EQ(name.view(), "Niveles de 1998 \x80") << "Windows-1252 in the game";
    EXPECT_NE(game.files(), before);
}

TEST(GameSettingsCli, RefusesBadFilesNamingTheKeyAndWritesNothing) {
    SettingsGame game;
    const auto before = game.files();
    const Json goodNames = {"a", "b", "c", "d", "e"};
    const std::pair<Json, std::string> bad[] = {
        {{{"level_names", goodNames}, {"damage", Json(std::vector<int>(25, 1))}}, "\"damage\""},
        {{{"level_names", goodNames}, {"damage", Json(std::vector<int>(26, 70000))}}, "\"damage\""},
        {{{"points", Json(std::vector<int>(22, 128))}}, "\"points\""},
        {{{"player_car_power", "1"}}, "\"player_car_power\""},
        {{{"opposition_spread", 3}}, "\"opposition_spread\""},
        {{{"driver_aids", {1, 2, 3, 4, 65472}}}, "\"driver_aids\""},
        {{{"driver_aids", {1, 2, 3, 4, 64}}}, "\"driver_aids\""},
        {{{"driver_aids", {1, 2, 3, 4, 0x400}}}, "\"driver_aids\""},
        {{{"level_names", {"a", "b", "Tab\there", "d", "e"}}}, "\"level_names\""},
        {{{"cameras", Json::array()}}, "\"cameras\""},
        {{{"level_names", {"a", "b", "c", "d", std::string(32, 'x')}}}, "\"level_names\""},
        {{{"level_names", {"a", "b", "c", "d", "\xE4\xB8\xAD"}}}, "\"level_names\""},
        {{{"level_names", goodNames}, {"damages", Json::array()}}, "\"damages\""},
    };
    for (const auto& [json, key] : bad) {
        const ProcessResult run = game.write(json);
        EXPECT_EQ(run.status, 1) << json.dump();
        EXPECT_NE(run.err.find(key), std::string::npos) << run.err;
    }
    Json cameras = Json::parse(game.run({"game", "settings", "x", "--defaults"}).out)["cameras"];
    cameras[8][5] = 181;
    EXPECT_NE(game.write({{"cameras", cameras}}).err.find("\"cameras\""), std::string::npos);
    cameras[8][5] = Json(18446744073709551615u);
    EXPECT_EQ(game.write({{"cameras", cameras}}).status, 1) << "a huge number is no -1";
    EXPECT_EQ(game.write(Json::array()).status, 1);
    EXPECT_EQ(game.files(), before);

    // Executable values need the supported build; then nothing at all is written.
    auto exe = ReadBytes(game.game / "GP3.EXE");
    exe[kExeIdentificationOffset] ^= 1;
    WriteBytes(game.game / "GP3.EXE", exe);
    const auto unsupported = game.files();
    const ProcessResult run = game.write({{"level_names", goodNames}, {"points", Json(std::vector<int>(22, 1))}});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Failed to patch Grand Prix 3 files!"), std::string::npos) << run.err;
    EXPECT_EQ(game.files(), unsupported);
    EXPECT_EQ(game.write({{"level_names", goodNames}}).status, 0) << "the language files need no executable";

    EXPECT_EQ(game.run({"game", "settings", game.game.string(), "--defaults", "--write", "x.json"}).status, 2);
    EXPECT_EQ(game.run({"game", "settings"}).status, 2);
}

// A folder without a game is told as such, and what the game does not hold
// is null rather than a default that came from nowhere.
TEST(GameSettingsCli, TellsAMissingGameAndMarksWhatTheGameDoesNotHold) {
    SettingsGame game;
    const ProcessResult nowhere = game.run({"game", "settings", (game.folder / "nowhere").string()});
    EXPECT_EQ(nowhere.status, 1);
    EXPECT_NE(nowhere.err.find("GP3.EXE is missing or corrupt!"), std::string::npos) << nowhere.err;
    EXPECT_TRUE(nowhere.out.empty()) << nowhere.out;
    EXPECT_EQ(game.run({"game", "settings", (game.folder / "nowhere").string(), "--write", "x.json"}).status, 1);

    fs::remove(game.game / "F1GSTATE.SAV");
    fs::remove(game.game / "LDATA" / "italiano.str");
    const ProcessResult read = game.run({"game", "settings", game.game.string()});
    ASSERT_EQ(read.status, 0) << read.err;
    const Json held = Json::parse(read.out);
    EXPECT_TRUE(held["opposition_spread"].is_null());
    EXPECT_TRUE(held["level_names"][2].is_null());
    EXPECT_EQ(held["level_names"][1], "Old");
    EXPECT_EQ(held["points"][0], 9);
}

// A language file that exists but cannot be written fails the command; a
// missing one, or a null name, leaves its language alone.
TEST(GameSettingsCli, ALanguageFileThatCannotBeWrittenIsAFailure) {
    SettingsGame game;
    fs::remove(game.game / "LDATA" / "deutsch.str");
    fs::create_directory(game.game / "LDATA" / "deutsch.str"); // there, but no file to rewrite
    ProcessResult run = game.write({{"level_names", {"One", "Two", "Three", "Four", "Five"}}});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Failed to patch Grand Prix 3 files!"), std::string::npos) << run.err;

    fs::remove(game.game / "LDATA" / "deutsch.str");
    run = game.write({{"level_names", {"Uno", nullptr, "Tre", "Vier", "Cinco"}}});
    ASSERT_EQ(run.status, 0) << run.err;
    const Json held = Json::parse(game.run({"game", "settings", game.game.string()}).out);
    EXPECT_EQ(held["level_names"], Json({"Uno", "Two", "Tre", nullptr, "Cinco"}))
        << "the languages before the failure were written; null and missing ones left alone";
}

// No aid at all is stored as 64 and read back as no aid.
TEST(GameSettingsCli, DriverAidMasksHoldOnlyTheAidBits) {
    SettingsGame game;
    const ProcessResult run = game.write({{"driver_aids", {0, 1, 0x33F, 0x200, 0}}});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadU16(ReadBytes(game.game / "GP3.EXE").data() + 0x722C18), 64);
    const Json held = Json::parse(game.run({"game", "settings", game.game.string()}).out);
    EXPECT_EQ(held["driver_aids"], Json({0, 1, 0x33F, 0x200, 0}));
}

} // namespace
} // namespace tavolex
