#include <gtest/gtest.h>

#include "TestSupport.h"
#include "editing/NumberFields.h"
#include "game/GameFiles.h"
#include "sample/SampleGame.h"

namespace tavolex {
namespace {

TEST(NumberFields, NameTheirValuesAndStoreTypedNumbersWithinTheSheet) {
    TeamRecord team;
    StoreNumberField(team, 1, 455, 300); // front source y of the second car
    EXPECT_EQ(team.numberSources[1][1].y, 128);
    StoreNumberField(team, 1, 456, 300); // its width
    EXPECT_EQ(team.numberSources[1][1].width, 256);
    StoreNumberField(team, 0, 461, 99); // right source height of the first car
    EXPECT_EQ(team.numberSources[0][2].height, 99);
    StoreNumberField(team, 0, 404, 70000); // right destination x
    EXPECT_EQ(team.numberDestinations[2].x, 256);
    StoreNumberField(team, 0, 401, 129); // left destination y
    EXPECT_EQ(team.numberDestinations[0].y, 128);
    EXPECT_EQ(NumberFieldValue(team, 1, 456), 256);
    EXPECT_EQ(NumberFieldValue(team, 0, 456), 0) << "sources belong to their car";
    const TeamRecord before = team;
    StoreNumberField(team, 0, 406, 5);
    StoreNumberField(team, 2, 450, 5);
    EXPECT_EQ(team, before) << "no such field or car";
    EXPECT_EQ(SideOfField(403), NumberSide::Front);
    EXPECT_EQ(SideOfField(458), NumberSide::Right);
}

TEST(NumberFields, OutlinesMapTheSheetIntoTheAreaAndStayInTheirBand) {
    const PixelRect area{10, 20, 10 + 256, 20 + 384}; // one pixel per texture pixel
    // The front view's band starts at row 128: x 59, y 0, 15 x 10.
    EXPECT_EQ(NumberOutline(area, NumberSide::Front, 59, 0, 15, 10), (PixelRect{69, 148, 86, 159}))
        << "the top is limited to the band";
    EXPECT_EQ(NumberOutline(area, NumberSide::Left, 4, 82, 13, 16), (PixelRect{14, 101, 29, 119}));
    EXPECT_EQ(NumberOutline(area, NumberSide::Right, 250, 120, 13, 16).right, area.right) << "kept inside the area";
    EXPECT_EQ(NumberOutline(area, NumberSide::Right, 250, 120, 13, 16).bottom, area.bottom);
    // Twice the size: every sheet pixel is two.
    const PixelRect large{0, 0, 512, 768};
    EXPECT_EQ(NumberOutline(large, NumberSide::Left, 4, 82, 13, 16), (PixelRect{8, 163, 36, 197}));

    TeamRecord team;
    team.numberDestinations[2] = {77, 108};
    team.numberSources[1][2] = {237, 101, 13, 16};
    // A source field blinks between its source and its destination; a destination field on and off.
    EXPECT_EQ(EditedFieldOutline(team, 1, 459, true, area), NumberOutline(area, NumberSide::Right, 237, 101, 13, 16));
    EXPECT_EQ(EditedFieldOutline(team, 1, 459, false, area), NumberOutline(area, NumberSide::Right, 77, 108, 13, 16));
    EXPECT_FALSE(EditedFieldOutline(team, 1, 404, true, area));
    EXPECT_EQ(EditedFieldOutline(team, 1, 404, false, area), NumberOutline(area, NumberSide::Right, 77, 108, 13, 16));
    EXPECT_FALSE(EditedFieldOutline(team, 1, 1404, false, area)) << "a field that lost the focus draws nothing";

    EXPECT_EQ(BandAt(area, 20), 0);
    EXPECT_EQ(BandAt(area, 20 + 128), 1);
    EXPECT_EQ(BandAt(area, 20 + 383), 2);
}

TEST(NumberFields, MoveBetweenTheCarSetAndTheSupportedExecutable) {
    test::ScratchFolder game;
    ASSERT_TRUE(Ok(MakeSampleGame(game.path())));
    const GameFolder folder(game.path().string());
    CarSet carSet;
    NewCarSet(carSet);
    carSet.teams[4].numberDestinations[1] = {111, 44};
    carSet.teams[4].numberSources[0][0] = {1, 2, 3, 4};
    ASSERT_TRUE(Ok(ExportNumberPositions(folder, ExeStatus::Supported, 4, carSet.teams[4])));
    EXPECT_EQ(ExportNumberPositions(folder, ExeStatus::Unreadable, 4, carSet.teams[4]), Error::UnsupportedExecutable);

    CarSet other;
    NewCarSet(other);
    EXPECT_EQ(ImportNumberPositions(other, folder, ExeStatus::Unreadable, 4), Error::UnsupportedExecutable);
    EXPECT_FALSE(other.modified);
    ASSERT_TRUE(Ok(ImportNumberPositions(other, folder, ExeStatus::Supported, 4)));
    EXPECT_EQ(other.teams[4].numberDestinations, carSet.teams[4].numberDestinations);
    EXPECT_EQ(other.teams[4].numberSources, carSet.teams[4].numberSources);
    EXPECT_TRUE(other.modified);
    EXPECT_EQ(ImportNumberPositions(other, folder, ExeStatus::Supported, 11), Error::NoSuchTeam);
}

} // namespace
} // namespace tavolex
