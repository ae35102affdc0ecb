#include <gtest/gtest.h>

#include "SampleGameSuite.h"
#include "TestSupport.h"
#include "document/LazyGraphics.h"
#include "editing/CommandMessages.h"
#include "editing/PitLane.h"
#include "formats/BitmapFile.h"
#include "formats/GameJam.h"
#include "game/GameFiles.h"
#include "game/TeamTables.h"
#include "sample/SampleGame.h"

namespace tavolex {
namespace {
using test::ScratchFolder;
namespace fs = std::filesystem;

// A hardware pit box picture whose strip s is filled with the value s + 1.
PackedBitmap NumberedStrips() {
    PackedBitmap picture(kPitBoxWidth, kPitStripCount * kPitStripRows, Depth::Bits24);
    for (int y = 0; y < picture.height(); ++y) {
        std::fill_n(picture.topRow(y), picture.stride(), static_cast<std::uint8_t>(y / kPitStripRows + 1));
    }
    return picture;
}
int StripValue(const PackedBitmap& picture, int strip) { return picture.topRow(kPitStripRows * strip + 3)[5] - 1; }

PitPositions Identity() {
    PitPositions positions{};
    for (int t = 0; t < kTeamCount; ++t) positions[static_cast<std::size_t>(t)] = t;
    return positions;
}

TEST(PitLane, DraggingTheFirstItemBelowTheLastMovesItsStripFromSlotTenToSlotFive) {
    const PitPositions before = Identity();
    const PitPositions after = MovePitLaneItem(before, 0, 11);
    EXPECT_EQ(after[0], 10);
    for (int t = 1; t < kTeamCount; ++t) EXPECT_EQ(after[static_cast<std::size_t>(t)], t - 1);
    PackedBitmap moved;
    ASSERT_TRUE(Ok(MovePitStrips(NumberedStrips(), before, after, moved)));
    EXPECT_EQ(StripValue(moved, 5), 10) << "team 0's sign";
    // Every team keeps its own sign at its new position.
    for (int t = 0; t < kTeamCount; ++t) {
        EXPECT_EQ(StripValue(moved, PitStripOf(after[static_cast<std::size_t>(t)])),
                  PitStripOf(before[static_cast<std::size_t>(t)]));
    }
    // Upwards: the boundary is where it lands; a drop onto its own place changes nothing.
    EXPECT_EQ(MovePitLaneItem(before, 7, 2)[7], 2);
    EXPECT_EQ(MovePitLaneItem(before, 7, 2)[2], 3);
    EXPECT_EQ(MovePitLaneItem(before, 4, 4), before);
    EXPECT_EQ(MovePitLaneItem(before, 4, 5), before) << "just below itself is where it already is";
}

class PitLaneGame : public test::SampleGameSuite<true> {
  protected:
    void writeOrder(const std::array<std::uint8_t, kTeamCount>& order) {
        ASSERT_TRUE(Ok(PatchExecutable(GameFolder(folder / "game"), [&](std::vector<std::uint8_t>& exe) {
            std::copy(order.begin(), order.end(), exe.begin() + exe_offsets::kPitBoxes);
            return Error::None;
        })));
    }
};

TEST_F(PitLaneGame, AnOrderTableWithARepeatedTeamReadsAsTheDefaultOrder) {
    for (std::size_t t = 0; t < kTeamCount; ++t) carSet.teams[t].pitBoxPosition = static_cast<std::uint16_t>(10 - t);
    writeOrder({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 10});
    PackedBitmap none;
    ASSERT_TRUE(Ok(ImportPitLaneOrder(carSet, environment, GameFolder(folder / "game"), Variant::Hardware, none)));
    for (int t = 0; t < kTeamCount; ++t) EXPECT_EQ(carSet.teams[static_cast<std::size_t>(t)].pitBoxPosition, t);
    EXPECT_TRUE(carSet.modified);
    EXPECT_EQ(carSet.pitBoxes[1].slot.source, GraphicSource::None) << "without a picture only the order changes";

    // A real permutation, with a picture: the strips move and the picture becomes the temporary file.
    writeOrder({11, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    PackedBitmap picture;
    ASSERT_TRUE(Ok(ImportGraphic(carSet, environment, GraphicKind::PitBoxes, 0, Variant::Hardware, picture)));
    const PackedBitmap before = picture;
    ASSERT_TRUE(Ok(ImportPitLaneOrder(carSet, environment, GameFolder(folder / "game"), Variant::Hardware, picture)));
    EXPECT_EQ(carSet.teams[10].pitBoxPosition, 0);
    EXPECT_EQ(carSet.teams[0].pitBoxPosition, 1);
    EXPECT_EQ(PitStrip(picture, PitStripOf(0)), PitStrip(before, PitStripOf(10)));
    EXPECT_EQ(carSet.pitBoxes[1].slot, (GraphicSlot{GraphicSource::File, (folder / "tmp" / "pitbox01.tmp").string()}));

    // Exported, the table names the team at each position.
    ASSERT_TRUE(Ok(ExportPitLaneOrder(GameFolder(folder / "game"), MovePitLaneItem(PitPositionsOf(carSet), 0, 11))));
    std::vector<std::uint8_t> exe;
    ASSERT_TRUE(Ok(ReadExecutable(GameFolder(folder / "game"), exe)));
    EXPECT_EQ(exe[exe_offsets::kPitBoxes + 10], 11);
    EXPECT_EQ(exe[exe_offsets::kPitBoxes + 0], 1);
}

TEST_F(PitLaneGame, AFailedStripMoveKeepsTheOldPositions) {
    PackedBitmap picture;
    ASSERT_TRUE(Ok(ImportGraphic(carSet, environment, GraphicKind::PitBoxes, 0, Variant::Software, picture)));
    environment.temporaryFolder = folder / "no such folder";
    const CarSet before = carSet;
    EXPECT_FALSE(Ok(ApplyPitPositions(carSet, environment, Variant::Software,
                                      MovePitLaneItem(PitPositionsOf(carSet), 0, 11), picture)));
    EXPECT_EQ(carSet.teams, before.teams);
    EXPECT_EQ(carSet.pitBoxes, before.pitBoxes);
}

// Each variant that holds a picture of its own moves its strips with the
// teams; one made from the other variant is made again. Otherwise the game
// would show one team's sign at another's box in the variant not shown.
TEST_F(PitLaneGame, ANewOrderMovesTheStripsOfEveryVariantWithItsOwnPicture) {
    PackedBitmap hardware;
    ASSERT_TRUE(Ok(ImportGraphic(carSet, environment, GraphicKind::PitBoxes, 0, Variant::Hardware, hardware)));
    PackedBitmap software;
    ASSERT_TRUE(Ok(ImportGraphic(carSet, environment, GraphicKind::PitBoxes, 0, Variant::Software, software)));
    const PitPositions before = PitPositionsOf(carSet);
    const PitPositions after = MovePitLaneItem(before, 0, 11);
    ASSERT_TRUE(Ok(ApplyPitPositions(carSet, environment, Variant::Hardware, after, hardware)));
    PackedBitmap movedSoftware;
    ASSERT_TRUE(Ok(
        FetchGraphic(carSet, environment, GraphicKind::PitBoxes, 0, Variant::Software, movedSoftware, false, nullptr)));
    for (std::size_t t = 0; t < kTeamCount; ++t) {
        EXPECT_EQ(PitStrip(movedSoftware, PitStripOf(after[t])), PitStrip(software, PitStripOf(before[t]))) << t;
    }
    EXPECT_EQ(carSet.pitBoxes[0].slot, (GraphicSlot{GraphicSource::File, (folder / "tmp" / "pitbox00.tmp").string()}));
    EXPECT_EQ(carSet.pitBoxes[1].slot.source, GraphicSource::File);

    // The order from GP3.EXE moves both too.
    writeOrder({11, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    const PitPositions beforeImport = PitPositionsOf(carSet);
    ASSERT_TRUE(
        Ok(ImportPitLaneOrder(carSet, environment, GameFolder(folder / "game"), Variant::Software, movedSoftware)));
    PackedBitmap movedHardware;
    ASSERT_TRUE(Ok(
        FetchGraphic(carSet, environment, GraphicKind::PitBoxes, 0, Variant::Hardware, movedHardware, false, nullptr)));
    const PitPositions imported = PitPositionsOf(carSet);
    for (std::size_t t = 0; t < kTeamCount; ++t) {
        EXPECT_EQ(PitStrip(movedHardware, PitStripOf(imported[t])), PitStrip(hardware, PitStripOf(beforeImport[t])));
    }

    // A generated software picture is not moved but made again from the moved hardware one.
    ASSERT_TRUE(Ok(GenerateVariant(carSet, environment, GraphicKind::PitBoxes, 0, Variant::Software)));
    ASSERT_TRUE(
        Ok(ApplyPitPositions(carSet, environment, Variant::Hardware, MovePitLaneItem(imported, 3, 0), movedHardware)));
    EXPECT_EQ(carSet.pitBoxes[0].slot.source, GraphicSource::Generated);
    EXPECT_TRUE(carSet.pitBoxes[0].slot.path.empty()) << "made again at its next fetch";
}

TEST_F(PitLaneGame, StripsAreSwappedLoadedAndSavedOneAtATime) {
    PackedBitmap picture;
    ASSERT_TRUE(Ok(ImportGraphic(carSet, environment, GraphicKind::PitBoxes, 0, Variant::Software, picture)));
    PackedBitmap expected;
    ASSERT_TRUE(Ok(ReadGameJam(folder / "game", 59, Variant::Software, 176, 11, expected)));
    EXPECT_EQ(picture, expected);
    const PackedBitmap before = picture;
    ASSERT_TRUE(Ok(SwapPitStrips(carSet, environment, Variant::Software, 2, 9, picture)));
    EXPECT_EQ(PitStrip(picture, 2), PitStrip(before, 9));
    EXPECT_EQ(PitStrip(picture, 9), PitStrip(before, 2));
    EXPECT_EQ(carSet.pitBoxes[0].slot.path, (folder / "tmp" / "pitbox00.tmp").string());

    ASSERT_TRUE(Ok(SavePitStripAs(picture, 4, folder / "strip.bmp")));
    PackedBitmap strip;
    ASSERT_TRUE(Ok(LoadBitmapFile(folder / "strip.bmp", strip, 256, 16, Depth::Bits8)));
    EXPECT_EQ(strip, PitStrip(picture, 4));

    // Into an empty hardware variant: the rest of the picture is blank.
    ASSERT_TRUE(Ok(SaveBitmapFile(folder / "hw.bmp", test::PhotoLike24(256, 16))));
    PackedBitmap hardware;
    ASSERT_TRUE(Ok(LoadPitStrip(carSet, environment, Variant::Hardware, 3, folder / "hw.bmp", hardware)));
    EXPECT_EQ(PitStrip(hardware, 3), test::PhotoLike24(256, 16));
    EXPECT_EQ(hardware.topRow(0)[0], 0x67) << "blue of the blank picture";
    EXPECT_EQ(hardware.topRow(0)[2], 0x3F) << "red of the blank picture";
    EXPECT_EQ(LoadPitStrip(carSet, environment, Variant::Hardware, 3, folder / "strip.bmp", hardware), Error::None)
        << "an 8-bit strip widens through its palette";
    ASSERT_TRUE(Ok(SaveBitmapFile(folder / "tall.bmp", test::PhotoLike24(256, 17))));
    EXPECT_EQ(PictureCommandMessage(GraphicCommand::Load, LoadPitStrip(carSet, environment, Variant::Hardware, 3,
                                                                       folder / "tall.bmp", hardware)),
              TextId::CouldntLoadBitmap);
}

TEST_F(PitLaneGame, GameSourcesOfPitBoxesAreReadAndExportedBack) {
    SetSlotFromGame(carSet, GraphicKind::PitBoxes, 0, Variant::Hardware);
    PackedBitmap picture;
    ASSERT_TRUE(
        Ok(FetchGraphic(carSet, environment, GraphicKind::PitBoxes, 0, Variant::Hardware, picture, false, nullptr)));
    ASSERT_TRUE(picture.is(256, 176, Depth::Bits24));
    const PackedBitmap mine = test::ReducedTo565(test::PhotoLike24(256, 176, 3));
    ASSERT_TRUE(Ok(ExportGraphic(environment, GraphicKind::PitBoxes, 0, Variant::Hardware, mine)));
    ASSERT_TRUE(
        Ok(FetchGraphic(carSet, environment, GraphicKind::PitBoxes, 0, Variant::Hardware, picture, false, nullptr)));
    EXPECT_EQ(picture, mine);
}

} // namespace
} // namespace tavolex
