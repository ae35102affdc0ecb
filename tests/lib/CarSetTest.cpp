#include <gtest/gtest.h>

#include "document/CarSet.h"
#include "document/GraphicKind.h"

namespace tavolex {
namespace {

TEST(NewCarSet, DealsCarNumbersWithoutThirteen) {
    const auto numbers = DefaultCarNumbers();
    const std::array<std::uint16_t, 22> expected = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11,
                                                    12, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23};
    EXPECT_EQ(numbers, expected);
    CarSet carSet;
    NewCarSet(carSet);
    EXPECT_EQ(carSet.teams[5].carNumbers, (std::array<std::uint16_t, 2>{11, 12}));
    EXPECT_EQ(carSet.teams[6].carNumbers, (std::array<std::uint16_t, 2>{14, 15}));
    EXPECT_EQ(carSet.teams[10].carNumbers, (std::array<std::uint16_t, 2>{22, 23}));
}

TEST(NewCarSet, ResetsEveryMemberToItsDefault) {
    CarSet carSet;
    carSet.teams[3].livery[1] = {GraphicSource::File, "/x.bmp"};
    carSet.teams[3].tyreType = 1;
    carSet.information = "notes";
    carSet.hasInformation = 1;
    carSet.formatVersion = 110;
    carSet.path = "/a.gp3";
    carSet.modified = true;
    carSet.helmetFlags = {1, 1};
    NewCarSet(carSet);

    const TeamRecord& team = carSet.teams[3];
    EXPECT_EQ(team.teamName.view(), "Team Name");
    EXPECT_EQ(team.engineName.view(), "Engine");
    EXPECT_EQ(team.qualifyingPower, 770);
    EXPECT_EQ(team.racePower, 760);
    EXPECT_EQ(team.failureProbability, 4000);
    EXPECT_EQ(team.pitBoxPosition, 3);
    EXPECT_EQ(team.pitCrewColours[3], 48);
    EXPECT_EQ(team.pitCrewColours[15], 1);
    EXPECT_EQ(team.tyreType, 0);
    EXPECT_EQ(team.livery[1], GraphicSlot{});
    for (const DriverRecord& driver : team.drivers) {
        EXPECT_EQ(driver.name.view(), "Drivers Name");
        EXPECT_EQ(driver.qualifyingPerformance, 16100);
        EXPECT_EQ(driver.racePerformance, 16000);
        EXPECT_EQ(driver.qualifyingRange, 128);
        EXPECT_EQ(driver.raceRange, 192);
        EXPECT_EQ(driver.selected, 0);
    }
    EXPECT_EQ(carSet.backupTeams[3], TeamRecord{});
    EXPECT_EQ(carSet.tyres[0].name.view(), "Tyre 1");
    EXPECT_EQ(carSet.tyres[1].name.view(), "Tyre 2");
    EXPECT_EQ(carSet.misc.points[0], 10);
    EXPECT_EQ(carSet.misc.points[5], 1);
    EXPECT_EQ(carSet.misc.points[6], 0);
    EXPECT_EQ(carSet.misc.oppositionSpread, 1);
    EXPECT_EQ(carSet.misc.playerCarPower, 1);
    EXPECT_EQ(carSet.misc.levelNames[0].view(), "Tavolex Levels");
    EXPECT_EQ(carSet.misc.levelNames[3].view(), "Leistungsstufen von Tavolex");
    EXPECT_EQ(carSet.misc.levelNames[4].view(), "Niveles de Tavolex");
    EXPECT_EQ(carSet.formatVersion, 0u);
    EXPECT_TRUE(carSet.untitled());
    EXPECT_FALSE(carSet.modified);
    EXPECT_TRUE(carSet.information.empty());
    EXPECT_EQ(carSet.hasInformation, 0);
    EXPECT_EQ(carSet.helmetFlags, (std::array<std::uint32_t, 2>{0, 0}));
    EXPECT_EQ(carSet.scratch.size(), kScratchSize);
}

TEST(CarSet, BacksUpAndRestoresTheTeamTableAndReportsChanges) {
    CarSet carSet;
    NewCarSet(carSet);
    int notified = 0;
    carSet.onModified = [&](std::string_view) { ++notified; };
    BackupTeams(carSet);
    carSet.teams[2].teamName = "Changed";
    carSet.teams[9].racePower = 1;
    RestoreTeams(carSet);
    EXPECT_EQ(carSet.teams[2].teamName.view(), "Team Name");
    EXPECT_EQ(carSet.teams[9].racePower, 760);
    MarkModified(carSet);
    EXPECT_TRUE(carSet.modified);
    EXPECT_EQ(notified, 1);
}

TEST(FixedText, KeepsAtMostItsCapacity) {
    FixedText<13> name;
    EXPECT_TRUE(name.assign("Twelve chars"));
    EXPECT_FALSE(name.assign("Thirteen char"));
    EXPECT_EQ(name.view(), "Thirteen cha");
    EXPECT_EQ(name.bytes()[12], '\0');
}

TEST(GraphicKind, NamesTemporaryFilesByKindSlotAndVariant) {
    const std::filesystem::path folder = "/tmp/0a1b2c3d";
    EXPECT_EQ(TemporaryGraphicPath(folder, GraphicKind::CarLivery, 3, Variant::Hardware), folder / "Car031.tmp");
    EXPECT_EQ(TemporaryGraphicPath(folder, GraphicKind::CarLivery, 3 + kConvertedLiverySlotOffset, Variant::Software),
              folder / "Car140.tmp");
    EXPECT_EQ(TemporaryGraphicPath(folder, GraphicKind::Cockpit, 10, Variant::Software), folder / "Cpit100.tmp");
    EXPECT_EQ(TemporaryGraphicPath(folder, GraphicKind::PitCrew, 0, Variant::Hardware), folder / "Pjack001.tmp");
    EXPECT_EQ(TemporaryGraphicPath(folder, GraphicKind::Tyre, 1, Variant::Hardware), folder / "Tyres11.tmp");
    EXPECT_EQ(TemporaryGraphicPath(folder, GraphicKind::Tread, 0, Variant::Hardware), folder / "Tread01.tmp");
    EXPECT_EQ(TemporaryGraphicPath(folder, GraphicKind::PitBoxes, 0, Variant::Hardware), folder / "pitbox01.tmp");
    EXPECT_TRUE(TemporaryGraphicPath(folder, GraphicKind::Helmets, 0, Variant::Software).empty());
    EXPECT_EQ(KindInfo(GraphicKind::Tyre).width[1], 512);
    EXPECT_EQ(KindInfo(GraphicKind::Tyre).height[1], 960);
    EXPECT_EQ(KindInfo(GraphicKind::Cockpit).height[0], 64);
}

} // namespace
} // namespace tavolex
