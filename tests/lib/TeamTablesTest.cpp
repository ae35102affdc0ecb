#include <cstring>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "core/ByteOrder.h"
#include "game/GameFiles.h"
#include "game/GameConstants.h"
#include "game/LevelNames.h"
#include "game/TeamTables.h"

namespace tavolex {
namespace {
using test::ScratchFolder;
using test::WriteBytes;
namespace fs = std::filesystem;

Teams Defaults() {
    CarSet carSet;
    NewCarSet(carSet);
    return carSet.teams;
}

TEST(TeamTables, ReadRulesConvertAndClamp) {
    std::vector<std::uint8_t> exe(kSupportedExeSize, 0);
    using namespace exe_offsets;
    WriteU16(exe.data() + kQualifyingPower, 0);
    WriteU16(exe.data() + kQualifyingPower + 2, 34415);
    WriteU16(exe.data() + kQualifyingPower + 4, 40000);
    WriteU16(exe.data() + kDriverPerformance, 40000);
    WriteU16(exe.data() + kFailure, 40000);
    exe[kSelected] = 128;
    exe[kSelected + 1] = 129;
    exe[kCarNumbers] = 150;
    WriteU32(exe.data() + kTyreTypes, kTyreValue1);
    WriteU32(exe.data() + kTyreTypes + 4, kTyreValue1 + 1);
    const char* name = "Twelve chars and more";
    std::memcpy(exe.data() + kTeamNames, name, 13);
    std::memcpy(exe.data() + kDriverNames, "Michael Schumacher", 19);
    for (std::uint8_t k = 0; k < 11; ++k) exe[kPitBoxes + k] = static_cast<std::uint8_t>(11 - k);

    Teams teams = Defaults();
    ASSERT_TRUE(ReadExeTeamTables(exe, 0x1FFF, teams));
    EXPECT_EQ(teams[0].qualifyingPower, 0);
    EXPECT_EQ(teams[1].qualifyingPower, 1598);
    EXPECT_EQ(teams[2].qualifyingPower, 1598);
    EXPECT_EQ(teams[0].drivers[0].qualifyingPerformance, 32767);
    EXPECT_EQ(teams[0].failureProbability, 32767);
    EXPECT_EQ(teams[0].drivers[0].selected, 0) << "128 is not selected";
    EXPECT_EQ(teams[0].drivers[1].selected, 1);
    EXPECT_EQ(teams[0].carNumbers[0], 99);
    EXPECT_EQ(teams[0].tyreType, 1);
    EXPECT_EQ(teams[1].tyreType, 0);
    EXPECT_EQ(teams[0].teamName.view(), "Twelve chars") << "the 13th byte is forced to zero";
    EXPECT_EQ(teams[0].drivers[0].name.view(), "Michael Schumacher");
    EXPECT_EQ(teams[10].pitBoxPosition, 0);
    EXPECT_EQ(teams[0].pitBoxPosition, 10);
    EXPECT_EQ(teams[0].pitCrewColours[0], 1) << "colour 0 reads as 1";

    // Too short a file: nothing read.
    std::vector<std::uint8_t> small(1000000, 0);
    EXPECT_FALSE(ReadExeTeamTables(small, team_data::TeamNames, teams));
}

TEST(TeamTables, WritesAreReadBackAndEncodedAsTheGameExpects) {
    std::vector<std::uint8_t> exe(kSupportedExeSize, 0);
    Teams teams = Defaults();
    teams[3].teamName = "McLaren";
    teams[3].qualifyingPower = 800;
    teams[3].drivers[1].selected = 1;
    teams[3].drivers[1].raceRange = 77;
    teams[3].tyreType = 1;
    teams[3].pitCrewColours[14] = 200;
    teams[3].pitBoxPosition = 0;
    teams[0].pitBoxPosition = 3;
    ASSERT_TRUE(WriteExeTeamTables(exe, 0x1FFF, teams));
    using namespace exe_offsets;
    EXPECT_EQ(ReadU16(exe.data() + kQualifyingPower + 6), 800 + 32817);
    EXPECT_EQ(exe[kSelected + 7], 8 + 128);
    EXPECT_EQ(exe[kSelected + 6], 7);
    EXPECT_EQ(ReadU32(exe.data() + kTyreTypes + 12), kTyreValue1);
    EXPECT_EQ(ReadU32(exe.data() + kTyreTypes), kTyreValue0);
    EXPECT_EQ(exe[kPitBoxes], 4);
    EXPECT_EQ(exe[kPitBoxes + 3], 1);
    Teams back = Defaults();
    ASSERT_TRUE(ReadExeTeamTables(exe, 0x1FFF, back));
    EXPECT_EQ(back[3].teamName.view(), "McLaren");
    EXPECT_EQ(back[3].qualifyingPower, 800);
    EXPECT_EQ(back[3].drivers[1].raceRange, 77);
    EXPECT_EQ(back[3].pitCrewColours[14], 192) << "a colour above 192 reads as 192";
}

TEST(TeamTables, CrewColourMarkersAndPitBoxRepair) {
    std::array<std::uint8_t, 16> raw = {5, 0, 200, 3, 40, 5, 6, 7, 8, 9, 100, 0xA0, 0xB0, 0xE0, 0xE0, 0xF0};
    const auto colours = ResolveCrewColours(raw);
    EXPECT_EQ(colours[1], 1);
    EXPECT_EQ(colours[2], 192);
    EXPECT_EQ(colours[11], 40);
    EXPECT_EQ(colours[12], 40);
    EXPECT_EQ(colours[13], 192) << "224 at 13 is an ordinary colour";
    EXPECT_EQ(colours[14], 100);
    EXPECT_EQ(colours[15], 40);

    std::vector<std::uint8_t> exe(kSupportedExeSize, 0);
    for (std::uint8_t k = 0; k < 11; ++k) exe[exe_offsets::kPitBoxes + k] = static_cast<std::uint8_t>(k + 1);
    exe[exe_offsets::kPitBoxes + 5] = 3; // two teams in box 3
    Teams teams = Defaults();
    teams[4].pitBoxPosition = 9;
    ASSERT_TRUE(ReadPitBoxOrder(exe, teams));
    EXPECT_EQ(teams[4].pitBoxPosition, 4) << "a broken order reads as the identity";
}

TEST(TeamTables, NumberPositionsClampAndSignExtend) {
    std::vector<std::uint8_t> exe(kSupportedExeSize, 0);
    TeamRecord team;
    team.numberDestinations[0] = {300, 50};
    team.numberSources[1][2] = {1, 2, 3, 4};
    ASSERT_TRUE(WriteNumberPositions(exe, 2, team));
    WriteU32(exe.data() + exe_offsets::kNumberDestinations + 48 + 4, static_cast<std::uint32_t>(-5));
    TeamRecord back;
    ASSERT_TRUE(ReadNumberPositions(exe, 2, back));
    EXPECT_EQ(back.numberDestinations[0].x, 256);
    EXPECT_EQ(back.numberDestinations[0].y, 0);
    EXPECT_EQ(back.numberSources[1][2], (NumberRect{1, 2, 3, 4}));
    EXPECT_FALSE(ReadNumberPositions(exe, 11, back));
}

TEST(TeamTables, ImportIsAllOrNothingAndTheSaveFileWins) {
    ScratchFolder folder;
    const GameFolder game(folder.path());
    std::vector<std::uint8_t> exe(kSupportedExeSize, 0);
    Teams fromExe = Defaults();
    fromExe[1].teamName = "Exe Team";
    fromExe[1].racePower = 700;
    ASSERT_TRUE(WriteExeTeamTables(exe, 0x1FFF, fromExe));
    WriteBytes(folder / "GP3.EXE", exe);
    std::vector<std::uint8_t> save(0x16000, 0);
    Teams fromSave = Defaults();
    fromSave[1].teamName = "Save Team";
    ASSERT_TRUE(WriteSaveTeamTables(save, 0x1FFF, fromSave));
    WriteBytes(folder / "F1GSTATE.SAV", save);
    ASSERT_TRUE(Ok(StoreSaveFileChecksums(game.saveFile())));

    CarSet carSet;
    NewCarSet(carSet);
    ASSERT_TRUE(ImportTeamData(game, ExeStatus::Supported, 0x1FFF, carSet));
    EXPECT_EQ(carSet.teams[1].teamName.view(), "Save Team");
    EXPECT_EQ(carSet.teams[1].racePower, 700);

    // A save file cut short: the import fails and the team table stays.
    CarSet other;
    NewCarSet(other);
    save.resize(0x15600);
    WriteBytes(folder / "F1GSTATE.SAV", save);
    ASSERT_TRUE(Ok(StoreSaveFileChecksums(game.saveFile())));
    EXPECT_FALSE(ImportTeamData(game, ExeStatus::Supported, 0x1FFF, other));
    EXPECT_EQ(other.teams[1].teamName.view(), "Team Name");

    // Export writes both files; the save file keeps valid checksums.
    other.teams[2].engineName = "Ilmor";
    save.resize(0x16000);
    WriteBytes(folder / "F1GSTATE.SAV", save);
    ASSERT_TRUE(Ok(StoreSaveFileChecksums(game.saveFile())));
    ASSERT_TRUE(ExportTeamData(game, ExeStatus::Supported, team_data::EngineNames, other));
    EXPECT_TRUE(CheckSaveFile(game));
    CarSet back;
    NewCarSet(back);
    ASSERT_TRUE(ImportTeamData(game, ExeStatus::Supported, team_data::EngineNames, back));
    EXPECT_EQ(back.teams[2].engineName.view(), "Ilmor");
}

std::vector<std::uint8_t> LanguageFile(int entries, const std::string& levelName) {
    std::vector<std::uint8_t> file = {1, 2, 3, 4};
    for (int i = 0; i < entries; ++i) {
        const std::string text = i == kLevelNameEntry ? levelName : "entry " + std::to_string(i);
        file.insert(file.end(), text.begin(), text.end());
        file.push_back(0);
    }
    return file;
}

TEST(LevelNames, AreReadAndReplacedKeepingEveryOtherEntry) {
    ScratchFolder folder;
    fs::create_directories(folder / "LDATA");
    const GameFolder game(folder.path());
    const auto original = LanguageFile(300, "Fourteen chars");
    WriteBytes(folder / "LDATA/english.str", original);
    FixedText<32> name;
    ASSERT_TRUE(Ok(ReadLevelName(game, Language::English, name)));
    EXPECT_EQ(name.view(), "Fourteen chars");
    ASSERT_TRUE(Ok(WriteLevelName(game, Language::English, "Twenty characters!!!")));
    const auto written = test::ReadBytes(folder / "LDATA/english.str");
    EXPECT_EQ(written.size(), original.size() + 6);
    EXPECT_EQ(written, LanguageFile(300, "Twenty characters!!!"));
    EXPECT_EQ(test::ReadBytes(folder / "LDATA/english.str.old"), original);

    WriteBytes(folder / "LDATA/deutsch.str", LanguageFile(260, "x"));
    EXPECT_FALSE(Ok(ReadLevelName(game, Language::German, name)));
    EXPECT_FALSE(Ok(WriteLevelName(game, Language::German, "y")));
    EXPECT_EQ(test::ReadBytes(folder / "LDATA/deutsch.str"), LanguageFile(260, "x"));
}

TEST(LevelNames, TheLastEntryNeedsNoTerminator) {
    ScratchFolder folder;
    fs::create_directories(folder / "LDATA");
    const GameFolder game(folder.path());
    auto unterminated = LanguageFile(261, "Vets");
    unterminated.pop_back();
    WriteBytes(folder / "LDATA/italiano.str", unterminated);
    FixedText<32> name;
    ASSERT_TRUE(Ok(ReadLevelName(game, Language::Italian, name)));
    EXPECT_EQ(name.view(), "Vets");
    // Replacing it keeps the file's shape: the name still ends the file.
    ASSERT_TRUE(Ok(WriteLevelName(game, Language::Italian, "Veterani")));
    auto expected = LanguageFile(261, "Veterani");
    expected.pop_back();
    EXPECT_EQ(test::ReadBytes(folder / "LDATA/italiano.str"), expected);

    // 260 texts and nothing after the last terminator: entry 260 is missing.
    std::size_t start = 0;
    std::size_t end = 0;
    EXPECT_EQ(FindLevelName(LanguageFile(260, ""), start, end), Error::LevelNameMissing);
    EXPECT_EQ(FindLevelName(LanguageFile(261, ""), start, end), Error::None) << "an empty, terminated entry";
    EXPECT_EQ(start, end);
}

} // namespace
} // namespace tavolex
