#include <algorithm>
#include <cstring>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "core/ByteOrder.h"
#include "game/GameConstants.h"
#include "game/GameFiles.h"
#include "game/LevelNames.h"
#include "game/TeamTables.h"
#include "gamesettings/DriverAids.h"
#include "gamesettings/OnboardCameras.h"

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
    WriteU16(exe.data() + 0x143A90, 0);
    WriteU16(exe.data() + 0x143A90 + 2, 34415);
    WriteU16(exe.data() + 0x143A90 + 4, 40000);
    WriteU16(exe.data() + 0x143ABC, 40000);
    WriteU16(exe.data() + 0x143B6C, 40000);
    exe[0x73A240] = 128;
    exe[0x73A240 + 1] = 129;
    exe[0x73A256] = 150;
    WriteU32(exe.data() + 0x73A2C4, 0x03370336u);
    WriteU32(exe.data() + 0x73A2C4 + 4, 0x03370336u + 1);
    const char* name = "Twelve chars and more";
    std::memcpy(exe.data() + 0x73A52C, name, 13);
    std::memcpy(exe.data() + 0x73A31C, "Michael Schumacher", 19);
    for (std::uint8_t k = 0; k < 11; ++k) exe[0x73B470 + k] = static_cast<std::uint8_t>(11 - k);

    Teams teams = Defaults();
    ASSERT_TRUE(Ok(ReadExeTeamTables(exe, 0x1FFF, teams)));
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
    EXPECT_FALSE(Ok(ReadExeTeamTables(small, team_data::TeamNames, teams)));
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
    ASSERT_TRUE(Ok(WriteExeTeamTables(exe, 0x1FFF, teams)));
    EXPECT_EQ(ReadU16(exe.data() + 0x143A90 + 6), 800 + 32817);
    EXPECT_EQ(exe[0x73A240 + 7], 8 + 128);
    EXPECT_EQ(exe[0x73A240 + 6], 7);
    EXPECT_EQ(ReadU32(exe.data() + 0x73A2C4 + 12), 0x03370336u);
    EXPECT_EQ(ReadU32(exe.data() + 0x73A2C4), 0x03350334u);
    EXPECT_EQ(exe[0x73B470], 4);
    EXPECT_EQ(exe[0x73B470 + 3], 1);
    Teams back = Defaults();
    ASSERT_TRUE(Ok(ReadExeTeamTables(exe, 0x1FFF, back)));
    EXPECT_EQ(back[3].teamName.view(), "McLaren");
    EXPECT_EQ(back[3].qualifyingPower, 800);
    EXPECT_EQ(back[3].drivers[1].raceRange, 77);
    EXPECT_EQ(back[3].pitCrewColours[14], 192) << "a colour above 192 reads as 192";
}

// Where the game keeps each table, written out here from the game's layout
// (not taken from the code): every value lands at its literal place, and
// nothing outside the tables changes.
struct Span {
    std::size_t offset;
    std::size_t size;
};

// Every byte that differs from `fill` lies inside one of the spans.
void ExpectChangesOnlyInside(const std::vector<std::uint8_t>& bytes, std::uint8_t fill,
                             std::initializer_list<Span> spans) {
    std::size_t outside = 0;
    for (std::size_t k = 0; k < bytes.size(); ++k) {
        if (bytes[k] == fill) {
            continue;
        }
        const bool inside = std::any_of(spans.begin(), spans.end(), [&](const Span& span) {
            return k >= span.offset && k < span.offset + span.size;
        });
        if (!inside && outside++ < 5) {
            ADD_FAILURE() << "byte 0x" << std::hex << k << " changed outside every table";
        }
    }
    EXPECT_EQ(outside, 0u);
}

Teams Distinct() {
    Teams teams = Defaults();
    for (int t = 0; t < kTeamCount; ++t) {
        TeamRecord& team = teams[static_cast<std::size_t>(t)];
        team.teamName = "Team " + std::to_string(t);
        team.engineName = "Engine " + std::to_string(t);
        team.qualifyingPower = static_cast<std::int16_t>(100 + t);
        team.racePower = static_cast<std::int16_t>(200 + t);
        team.failureProbability = static_cast<std::int16_t>(300 + t);
        team.tyreType = static_cast<std::uint16_t>(t % 2);
        team.pitBoxPosition = static_cast<std::uint16_t>((t + 3) % kTeamCount);
        for (int k = 0; k < 16; ++k)
            team.pitCrewColours[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(16 + k + t);
        for (int d = 0; d < 2; ++d) {
            const int car = 2 * t + d;
            DriverRecord& driver = team.drivers[static_cast<std::size_t>(d)];
            driver.name = "Driver " + std::to_string(car);
            driver.qualifyingPerformance = static_cast<std::int16_t>(1000 + car);
            driver.racePerformance = static_cast<std::int16_t>(2000 + car);
            driver.qualifyingRange = static_cast<std::int16_t>(3000 + car);
            driver.raceRange = static_cast<std::int16_t>(4000 + car);
            driver.selected = static_cast<std::uint16_t>(d == 0 ? 1 : 0);
            team.carNumbers[static_cast<std::size_t>(d)] = static_cast<std::uint16_t>(40 + car);
        }
    }
    return teams;
}

std::string FieldAt(const std::vector<std::uint8_t>& bytes, std::size_t offset, std::size_t width) {
    const auto* start = reinterpret_cast<const char*>(bytes.data() + offset);
    return std::string(start, strnlen(start, width));
}

TEST(TeamTables, EveryExecutableTableLiesAtItsLiteralOffset) {
    std::vector<std::uint8_t> exe(kSupportedExeSize, 0xEE);
    const Teams teams = Distinct();
    ASSERT_TRUE(Ok(WriteExeTeamTables(exe, 0x1FFF, teams)));
    for (std::size_t t = 0; t < 11; ++t) {
        EXPECT_EQ(FieldAt(exe, 0x73A52C + 13 * t, 13), "Team " + std::to_string(t)) << t;
        EXPECT_EQ(FieldAt(exe, 0x73A5BB + 13 * t, 13), "Engine " + std::to_string(t)) << t;
        EXPECT_EQ(ReadU16(exe.data() + 0x143A90 + 2 * t), 100 + t + 32817) << t;
        EXPECT_EQ(ReadU16(exe.data() + 0x143AA6 + 2 * t), 200 + t + 32817) << t;
        EXPECT_EQ(ReadU16(exe.data() + 0x143B6C + 2 * t), 300 + t) << t;
        EXPECT_EQ(ReadU32(exe.data() + 0x73A2C4 + 4 * t), t % 2 == 1 ? 0x03370336u : 0x03350334u) << t;
        for (std::size_t k = 0; k < 16; ++k) {
            EXPECT_EQ(exe[0x41BF38 + 16 * t + k], 16 + k + t) << t << " " << k;
        }
        EXPECT_EQ(exe[0x73B470 + (t + 3) % 11], t + 1) << "box " << (t + 3) % 11;
        for (std::size_t d = 0; d < 2; ++d) {
            const std::size_t car = 2 * t + d;
            EXPECT_EQ(FieldAt(exe, 0x73A31C + 24 * car, 24), "Driver " + std::to_string(car));
            EXPECT_EQ(exe[0x73A256 + car], 40 + car);
            EXPECT_EQ(exe[0x73A240 + car], car + 1 + (d == 0 ? 128 : 0));
            // Qualifying and race side by side per driver, team after team.
            EXPECT_EQ(ReadU16(exe.data() + 0x143ABC + 4 * car), 1000 + car) << car;
            EXPECT_EQ(ReadU16(exe.data() + 0x143ABC + 4 * car + 2), 2000 + car) << car;
            EXPECT_EQ(ReadU16(exe.data() + 0x143B14 + 4 * car), 3000 + car) << car;
            EXPECT_EQ(ReadU16(exe.data() + 0x143B14 + 4 * car + 2), 4000 + car) << car;
        }
    }
    ExpectChangesOnlyInside(exe, 0xEE,
                            {{0x73A31C, 22 * 24},
                             {0x73A52C, 11 * 13},
                             {0x73A5BB, 11 * 13},
                             {0x73A256, 22},
                             {0x73A240, 22},
                             {0x143A90, 22 + 22 + 88 + 88 + 22},
                             {0x73A2C4, 44},
                             {0x41BF38, 176},
                             {0x73B470, 11}});

    // And read back from the same places, driver by driver.
    std::vector<std::uint8_t> raw(kSupportedExeSize, 0);
    for (std::size_t car = 0; car < 22; ++car) {
        WriteU16(raw.data() + 0x143ABC + 4 * car, static_cast<std::uint16_t>(500 + car));
        WriteU16(raw.data() + 0x143ABC + 4 * car + 2, static_cast<std::uint16_t>(600 + car));
        WriteU16(raw.data() + 0x143B14 + 4 * car, static_cast<std::uint16_t>(700 + car));
        WriteU16(raw.data() + 0x143B14 + 4 * car + 2, static_cast<std::uint16_t>(800 + car));
    }
    Teams back = Defaults();
    ASSERT_TRUE(Ok(ReadExeTeamTables(raw, team_data::DriverPerformance | team_data::AbilityRanges, back)));
    for (std::size_t t = 0; t < 11; ++t) {
        for (std::size_t d = 0; d < 2; ++d) {
            const int car = static_cast<int>(2 * t + d);
            const DriverRecord& driver = back[t].drivers[d];
            EXPECT_EQ(driver.qualifyingPerformance, 500 + car) << car;
            EXPECT_EQ(driver.racePerformance, 600 + car) << car;
            EXPECT_EQ(driver.qualifyingRange, 700 + car) << car;
            EXPECT_EQ(driver.raceRange, 800 + car) << car;
        }
    }
}

TEST(TeamTables, EverySettingsAndNumberTableLiesAtItsLiteralOffset) {
    std::vector<std::uint8_t> exe(kSupportedExeSize, 0xEE);
    std::array<std::uint8_t, kPointsPositions> points{};
    for (std::size_t k = 0; k < points.size(); ++k) points[k] = static_cast<std::uint8_t>(k + 1);
    ASSERT_TRUE(Ok(WritePoints(exe, points)));
    ASSERT_TRUE(Ok(WritePlayerCarPower(exe, 1)));
    EXPECT_EQ(exe[0x73B456], 1);
    EXPECT_EQ(exe[0x73B456 + 21], 22);
    EXPECT_EQ(exe[0x36C67], 0) << "team dependant";
    EXPECT_EQ(exe[0x36E29], 0);
    ASSERT_TRUE(Ok(WritePlayerCarPower(exe, 0)));
    EXPECT_EQ(exe[0x36C67], 255) << "fixed";
    EXPECT_EQ(exe[0x36E29], 255);

    TeamRecord record = Defaults()[0];
    for (std::size_t side = 0; side < 3; ++side) {
        record.numberDestinations[side] = {static_cast<std::uint16_t>(10 + side),
                                           static_cast<std::uint16_t>(20 + side)};
        for (std::size_t car = 0; car < 2; ++car) {
            record.numberSources[car][side] = {
                static_cast<std::uint16_t>(30 + side), static_cast<std::uint16_t>(40 + car),
                static_cast<std::uint16_t>(50 + side), static_cast<std::uint16_t>(60 + car)};
        }
    }
    ASSERT_TRUE(Ok(WriteNumberPositions(exe, 7, record)));
    // Team 7: destinations at 0x1814D0 + 24 * 7, sources at 0x1810B0 + 96 * 7, 32-bit values.
    EXPECT_EQ(ReadU32(exe.data() + 0x1814D0 + 168), 10u);
    EXPECT_EQ(ReadU32(exe.data() + 0x1814D0 + 168 + 4), 20u);
    EXPECT_EQ(ReadU32(exe.data() + 0x1814D0 + 168 + 16), 12u) << "right side x";
    EXPECT_EQ(ReadU32(exe.data() + 0x1810B0 + 672), 30u);
    EXPECT_EQ(ReadU32(exe.data() + 0x1810B0 + 672 + 12), 60u) << "first car, left side height";
    EXPECT_EQ(ReadU32(exe.data() + 0x1810B0 + 672 + 48 + 4), 41u) << "second car, left side y";

    CameraRecord cameras{};
    for (auto& camera : cameras) camera.fill(1);
    ASSERT_TRUE(Ok(WriteCameras(exe, cameras)));
    ASSERT_TRUE(Ok(WriteDriverAids(exe, DriverAidMasks{1, 2, 4, 8, 16})));
    EXPECT_EQ(ReadU16(exe.data() + 0x722C18), 65);
    EXPECT_EQ(ReadU16(exe.data() + 0x722C18 + 8), 80);
    ExpectChangesOnlyInside(exe, 0xEE,
                            {{0x73B456, 22},
                             {0x36C67, 1},
                             {0x36E29, 1},
                             {0x1814D0 + 168, 24},
                             {0x1810B0 + 672, 96},
                             {0x79E59E, 9 * 10 * 2},
                             {0x722C18, 10}});
}

TEST(TeamTables, EverySaveFileTableLiesAtItsLiteralOffset) {
    std::vector<std::uint8_t> save(0x16000, 0xEE);
    const Teams teams = Distinct();
    ASSERT_TRUE(Ok(WriteSaveTeamTables(save, 0x1FFF, teams)));
    ASSERT_TRUE(Ok(WriteSaveSpread(save, 2)));
    EXPECT_EQ(save[0x16A0], 2);
    for (std::size_t t = 0; t < 11; ++t) {
        EXPECT_EQ(FieldAt(save, 0x15728 + 13 * t, 13), "Team " + std::to_string(t)) << t;
        EXPECT_EQ(FieldAt(save, 0x157B7 + 13 * t, 13), "Engine " + std::to_string(t)) << t;
        EXPECT_EQ(ReadU32(save.data() + 0x154C0 + 4 * t), t % 2 == 1 ? 0x03370336u : 0x03350334u) << t;
        for (std::size_t d = 0; d < 2; ++d) {
            const std::size_t car = 2 * t + d;
            EXPECT_EQ(FieldAt(save, 0x15518 + 24 * car, 24), "Driver " + std::to_string(car));
            EXPECT_EQ(save[0x15452 + car], 40 + car);
            EXPECT_EQ(save[0x1543C + car], car + 1 + (d == 0 ? 128 : 0));
        }
    }
    ExpectChangesOnlyInside(save, 0xEE,
                            {{0x16A0, 1},
                             {0x1543C, 22},
                             {0x15452, 22},
                             {0x154C0, 44},
                             {0x15518, 22 * 24},
                             {0x15728, 11 * 13},
                             {0x157B7, 11 * 13}});
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
    for (std::uint8_t k = 0; k < 11; ++k) exe[0x73B470 + k] = static_cast<std::uint8_t>(k + 1);
    exe[0x73B470 + 5] = 3; // two teams in box 3
    Teams teams = Defaults();
    teams[4].pitBoxPosition = 9;
    ASSERT_TRUE(Ok(ReadPitBoxOrder(exe, teams)));
    EXPECT_EQ(teams[4].pitBoxPosition, 4) << "a broken order reads as the identity";
}

TEST(TeamTables, NumberPositionsClampAndSignExtend) {
    std::vector<std::uint8_t> exe(kSupportedExeSize, 0);
    TeamRecord team;
    team.numberDestinations[0] = {300, 50};
    team.numberSources[1][2] = {1, 2, 3, 4};
    ASSERT_TRUE(Ok(WriteNumberPositions(exe, 2, team)));
    WriteU32(exe.data() + 0x1814D0 + 48 + 4, static_cast<std::uint32_t>(-5));
    TeamRecord back;
    ASSERT_TRUE(Ok(ReadNumberPositions(exe, 2, back)));
    EXPECT_EQ(back.numberDestinations[0].x, 256);
    EXPECT_EQ(back.numberDestinations[0].y, 0);
    EXPECT_EQ(back.numberSources[1][2], (NumberRect{1, 2, 3, 4}));
    EXPECT_FALSE(Ok(ReadNumberPositions(exe, 11, back)));
}

TEST(TeamTables, ImportIsAllOrNothingAndTheSaveFileWins) {
    ScratchFolder folder;
    const GameFolder game(folder.path());
    std::vector<std::uint8_t> exe(kSupportedExeSize, 0);
    Teams fromExe = Defaults();
    fromExe[1].teamName = "Exe Team";
    fromExe[1].racePower = 700;
    ASSERT_TRUE(Ok(WriteExeTeamTables(exe, 0x1FFF, fromExe)));
    WriteBytes(folder / "GP3.EXE", exe);
    std::vector<std::uint8_t> save(0x16000, 0);
    Teams fromSave = Defaults();
    fromSave[1].teamName = "Save Team";
    ASSERT_TRUE(Ok(WriteSaveTeamTables(save, 0x1FFF, fromSave)));
    WriteBytes(folder / "F1GSTATE.SAV", save);
    ASSERT_TRUE(Ok(StoreSaveFileChecksums(game.saveFile())));

    CarSet carSet;
    NewCarSet(carSet);
    ASSERT_TRUE(Ok(ImportTeamData(game, ExeStatus::Supported, 0x1FFF, carSet)));
    EXPECT_EQ(carSet.teams[1].teamName.view(), "Save Team");
    EXPECT_EQ(carSet.teams[1].racePower, 700);

    // A save file cut short: the import fails and the team table stays.
    CarSet other;
    NewCarSet(other);
    save.resize(0x15600);
    WriteBytes(folder / "F1GSTATE.SAV", save);
    ASSERT_TRUE(Ok(StoreSaveFileChecksums(game.saveFile())));
    EXPECT_FALSE(Ok(ImportTeamData(game, ExeStatus::Supported, 0x1FFF, other)));
    EXPECT_EQ(other.teams[1].teamName.view(), "Team Name");

    // Export writes both files; the save file keeps valid checksums.
    other.teams[2].engineName = "Ilmor";
    save.resize(0x16000);
    WriteBytes(folder / "F1GSTATE.SAV", save);
    ASSERT_TRUE(Ok(StoreSaveFileChecksums(game.saveFile())));
    ASSERT_TRUE(Ok(ExportTeamData(game, ExeStatus::Supported, team_data::EngineNames, other)));
    EXPECT_TRUE(CheckSaveFile(game));
    CarSet back;
    NewCarSet(back);
    ASSERT_TRUE(Ok(ImportTeamData(game, ExeStatus::Supported, team_data::EngineNames, back)));
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
