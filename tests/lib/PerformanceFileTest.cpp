#include <gtest/gtest.h>

#include "TestSupport.h"
#include "teams/PerformanceFile.h"

namespace tavolex {
namespace {

using test::NewSet;

TEST(PerformanceFile, IsWrittenInTheExactLayout) {
    const std::string text = PerformanceFileText(NewSet());
    const std::string firstTeam = "** Tavolex - Performance File **\r\n\r\n[Team #00]\r\nName=Team Name,Engine\r\n"
                                  "Performance=760,770,4000\r\nFirst Driver=1,Drivers Name,16000,192,16100,128\r\n"
                                  "Second Driver=2,Drivers Name,16000,192,16100,128\r\n\r\n[Team #01]\r\n";
    EXPECT_EQ(text.substr(0, firstTeam.size()), firstTeam);
    const std::string ending = "Second Driver=23,Drivers Name,16000,192,16100,128\r\n\r\n[File]\r\nVersion=210\r\n";
    ASSERT_GE(text.size(), ending.size());
    EXPECT_EQ(text.substr(text.size() - ending.size()), ending);
    EXPECT_NE(text.find("[Team #10]\r\n"), std::string::npos);
}

TEST(PerformanceFile, RoundTripsEveryFieldItWrites) {
    CarSet carSet = NewSet();
    carSet.teams[2].teamName = "Benetton";
    carSet.teams[2].engineName = "";
    carSet.teams[2].racePower = 1598;
    carSet.teams[2].qualifyingPower = 800;
    carSet.teams[2].failureProbability = 32000;
    carSet.teams[2].carNumbers = {5, 0};
    carSet.teams[2].drivers[1].name = "Alexander Wurz";
    carSet.teams[2].drivers[1].racePerformance = 17000;
    carSet.teams[2].drivers[1].qualifyingRange = 333;
    const std::string text = PerformanceFileText(carSet);
    CarSet loaded = NewSet();
    ASSERT_TRUE(Ok(ReadPerformanceText(text, loaded)));
    const TeamRecord& team = loaded.teams[2];
    EXPECT_EQ(team.teamName.view(), "Benetton");
    EXPECT_EQ(team.engineName.view(), "") << "written as ?? and read back empty";
    EXPECT_EQ(team.racePower, 1579) << "the file's limit";
    EXPECT_EQ(team.qualifyingPower, 800);
    EXPECT_EQ(team.failureProbability, 32000);
    EXPECT_EQ(team.carNumbers, (std::array<std::uint16_t, 2>{5, 0}));
    EXPECT_EQ(team.drivers[1].name.view(), "Alexander Wurz");
    EXPECT_EQ(team.drivers[1].racePerformance, 17000);
    EXPECT_EQ(team.drivers[1].qualifyingRange, 333);

    test::ScratchFolder folder;
    ASSERT_TRUE(Ok(WritePerformanceFile(folder / "teams.txt", carSet)));
    CarSet fromFile = NewSet();
    ASSERT_TRUE(Ok(ReadPerformanceFile(folder / "teams.txt", fromFile)));
    EXPECT_EQ(fromFile.teams, loaded.teams);
}

TEST(PerformanceFile, NegativeFiguresAndRangesKeepTheirSignBothWays) {
    CarSet carSet = NewSet();
    TeamRecord& team = carSet.teams[3];
    team.racePower = -20;
    team.drivers[0].racePerformance = -5578; // as a GP2 import leaves a low figure
    team.drivers[0].raceRange = -5;
    team.drivers[0].qualifyingRange = -32767;
    const std::string text = PerformanceFileText(carSet);
    EXPECT_NE(text.find("[Team #03]\r\nName=Team Name,Engine\r\nPerformance=-20,770,4000\r\n"
                        "First Driver=7,Drivers Name,-5578,-5,16100,-32767\r\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("59958"), std::string::npos) << "no figure written as its unsigned bit pattern";
    EXPECT_EQ(text.find("6553"), std::string::npos);

    CarSet loaded = NewSet();
    ASSERT_TRUE(Ok(ReadPerformanceText(text, loaded)));
    EXPECT_EQ(loaded.teams[3].drivers[0].raceRange, -5);
    EXPECT_EQ(loaded.teams[3].drivers[0].qualifyingRange, -32767);
    EXPECT_EQ(loaded.teams[3].drivers[0].racePerformance, 0) << "negative performance reads as 0";
    EXPECT_EQ(loaded.teams[3].racePower, 0) << "negative power reads as 0";

    // Written by hand: ranges below zero are taken as they are.
    std::string edited = text;
    const std::string from = "Second Driver=8,Drivers Name,16000,192,16100,128";
    edited.replace(edited.find(from), from.size(), "Second Driver=8,Drivers Name,16000,-300,16100,-1");
    ASSERT_TRUE(Ok(ReadPerformanceText(edited, loaded)));
    EXPECT_EQ(loaded.teams[3].drivers[1].raceRange, -300);
    EXPECT_EQ(loaded.teams[3].drivers[1].qualifyingRange, -1);
}

TEST(PerformanceFile, ReadsTheOldScale) {
    std::string text;
    for (int t = 0; t < 11; ++t) {
        text += "[team #" + std::string(t < 10 ? "0" : "") + std::to_string(t) +
                "]\nname=A,B\nperformance=700,710,100\n"
                "First Driver=1, Old Driver,20000,18000,16384\nSecond Driver=2,X,15751,-5,0\n";
    }
    CarSet carSet = NewSet();
    ASSERT_TRUE(Ok(ReadPerformanceText(text + "[File]\nVersion=150\n", carSet)));
    const DriverRecord& first = carSet.teams[4].drivers[0];
    EXPECT_EQ(first.racePerformance, 4121);
    EXPECT_EQ(first.qualifyingPerformance, 2181);
    EXPECT_EQ(first.raceRange, 1128);
    EXPECT_EQ(first.qualifyingRange, 1128);
    EXPECT_EQ(first.name.view(), " Old Driver");
    EXPECT_EQ(carSet.teams[4].carNumbers[0], 1);
    EXPECT_EQ(carSet.teams[4].drivers[1].racePerformance, 0);
    EXPECT_EQ(carSet.teams[4].drivers[1].raceRange, 128);

    CarSet zero = NewSet();
    ASSERT_TRUE(Ok(ReadPerformanceText(text + "[File]\nVersion=150\nDriverZero=5\n", zero)));
    EXPECT_EQ(zero.teams[4].carNumbers[0], 0) << "DriverZero above 1 counts as 1";
    EXPECT_EQ(ConvertOldRange(32767), 2128);
    EXPECT_EQ(ConvertOldPerformance(40000), 16505);
}

TEST(PerformanceFile, AFailedReadChangesNothing) {
    CarSet source = NewSet();
    source.teams[0].drivers[0].name = "Keep Me";
    std::string text = PerformanceFileText(source);
    CarSet carSet = NewSet();
    carSet.teams[0].teamName = "Before";
    const CarSet before = carSet;

    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string copy = text;
        copy.replace(copy.find(from), from.size(), to);
        return copy;
    };
    EXPECT_EQ(ReadPerformanceText(replaced("Version=210", "Version=0"), carSet), Error::NotAPerformanceFile);
    EXPECT_EQ(ReadPerformanceText(replaced("[Team #10]", "[Team #11]"), carSet), Error::TeamDataIncomplete);
    EXPECT_FALSE(Ok(ReadPerformanceText(replaced("Name=Team Name,Engine\r\nPerformance=760,770,4000\r\nFirst Driver=22",
                                                 "Name=OnlyOne\r\nPerformance=760,770,4000\r\nFirst Driver=22"),
                                        carSet)));
    EXPECT_FALSE(Ok(ReadPerformanceText(replaced("Performance=760,770,4000", "Performance=!"), carSet)));
    EXPECT_FALSE(Ok(ReadPerformanceText(
        replaced("First Driver=1,Keep Me,16000,192,16100,128", "First Driver=1,Keep Me,16000,192,16100"), carSet)));
    EXPECT_EQ(carSet.teams, before.teams);

    // A control character in any name refuses the whole file: the game's files never take one.
    EXPECT_EQ(ReadPerformanceText(replaced("Keep Me", "Keep\x07Me"), carSet), Error::ControlCharacter);
    EXPECT_EQ(ReadPerformanceText(replaced("Name=Team Name,Engine", "Name=Team\tName,Engine"), carSet),
              Error::ControlCharacter);
    EXPECT_EQ(ReadPerformanceText(replaced("Name=Team Name,Engine", "Name=Team Name,Eng\x1Fine"), carSet),
              Error::ControlCharacter);
    EXPECT_EQ(carSet.teams, before.teams);

    // Long names leave the field alone; a comma in a name splits it; commas in a row count once.
    CarSet named = NewSet();
    named.teams[0].drivers[0].name = "Previous";
    std::string edited = replaced("Name=Team Name,Engine", "Name=Mc,Laren,,Mercedes");
    edited.replace(edited.find("Keep Me"), 7, "A Name Of Twenty Four Ch");
    ASSERT_TRUE(Ok(ReadPerformanceText(edited, named)));
    EXPECT_EQ(named.teams[0].teamName.view(), "Mc");
    EXPECT_EQ(named.teams[0].engineName.view(), "Laren");
    EXPECT_EQ(named.teams[0].drivers[0].name.view(), "Previous");
}

} // namespace
} // namespace tavolex
