#include <set>

#include <gtest/gtest.h>

#include "SampleGameSuite.h"
#include "TestSupport.h"
#include "document/LazyGraphics.h"
#include "editing/CommandMessages.h"
#include "editing/DisplayImage.h"
#include "editing/GraphicCommands.h"
#include "editing/GraphicControls.h"
#include "editing/PictureZoom.h"
#include "formats/BitmapFile.h"
#include "formats/GameJam.h"
#include "formats/GamePalette.h"
#include "formats/JamBuilder.h"
#include "formats/PaletteConversion.h"
#include "formats/TextureGeneration.h"
#include "game/GraphicEnvironment.h"
#include "sample/SampleGame.h"

namespace tavolex {
namespace {
using test::ScratchFolder;
namespace fs = std::filesystem;

// One sample game for the whole suite: making it is the slow part.
class GraphicCommands : public test::SampleGameSuite<false> {
  protected:
    GraphicSlot& livery(int slot, Variant variant) { return *SlotOf(carSet, GraphicKind::CarLivery, slot, variant); }
    GraphicSlot& cockpit(int slot, Variant variant) { return *SlotOf(carSet, GraphicKind::Cockpit, slot, variant); }
};

TEST_F(GraphicCommands, ImportLoadAndRemoveMoveTheSlotAndKeepAGeneratedPartnerHonest) {
    PackedBitmap image;
    // Import: the game's texture, the slot refers to the game; a generated partner must be made again.
    SetSlotGenerated(carSet, GraphicKind::CarLivery, 2, Variant::Hardware);
    livery(2, Variant::Hardware).path = "stale.tmp";
    ASSERT_TRUE(Ok(ImportGraphic(carSet, environment, GraphicKind::CarLivery, 2, Variant::Software, image)));
    PackedBitmap expected;
    ASSERT_TRUE(Ok(ReadGameJam(game_->path(), 2, Variant::Software, 384, 3, expected)));
    EXPECT_EQ(image, expected);
    EXPECT_EQ(livery(2, Variant::Software), (GraphicSlot{GraphicSource::Game, {}}));
    EXPECT_EQ(livery(2, Variant::Hardware), (GraphicSlot{GraphicSource::Generated, {}}));
    EXPECT_TRUE(carSet.modified);

    // Load of a bitmap of the wrong size: refused, nothing changes.
    const PackedBitmap colour = test::PhotoLike24(256, 384, 7);
    ASSERT_TRUE(Ok(SaveBitmapFile(folder / "tall.bmp", test::PhotoLike24(256, 385))));
    const CarSet before = carSet;
    EXPECT_EQ(GraphicCommandMessage(GraphicCommand::Load, GraphicKind::CarLivery, Variant::Hardware,
                                    LoadGraphic(carSet, environment, GraphicKind::CarLivery, 2, Variant::Hardware,
                                                folder / "tall.bmp", image)),
              TextId::CouldntLoadBitmap);
    EXPECT_EQ(carSet.teams, before.teams);
    EXPECT_EQ(image, expected);

    // Load of a bitmap: the slot refers to the user's file; a generated partner is made again.
    ASSERT_TRUE(Ok(SaveBitmapFile(folder / "livery.bmp", colour)));
    livery(2, Variant::Software) = {GraphicSource::Generated, "old.tmp"};
    ASSERT_TRUE(Ok(
        LoadGraphic(carSet, environment, GraphicKind::CarLivery, 2, Variant::Hardware, folder / "livery.bmp", image)));
    EXPECT_EQ(image, colour);
    EXPECT_EQ(livery(2, Variant::Hardware), (GraphicSlot{GraphicSource::File, (folder / "livery.bmp").string()}));
    EXPECT_EQ(livery(2, Variant::Software), (GraphicSlot{GraphicSource::Generated, {}}));

    // A hardware JAM loaded into the software view: converted through the temporary bitmap of slot + 11.
    std::vector<std::uint8_t> jam;
    ASSERT_TRUE(Ok(BuildHardwareJam(colour, 3, jam)));
    test::WriteBytes(folder / "mine.JAM", jam);
    ASSERT_TRUE(
        Ok(LoadGraphic(carSet, environment, GraphicKind::CarLivery, 2, Variant::Software, folder / "mine.JAM", image)));
    EXPECT_EQ(livery(2, Variant::Software).source, GraphicSource::File);
    EXPECT_EQ(livery(2, Variant::Software).path, (folder / "tmp/Car130.tmp").string());
    ASSERT_TRUE(Ok(ReduceToPalette(test::ReducedTo565(colour), expected, 1, 254)));
    EXPECT_EQ(image, expected);
    test::WriteBytes(folder / "junk.jam", {1, 2, 3, 4});
    EXPECT_EQ(GraphicCommandMessage(GraphicCommand::Load, GraphicKind::CarLivery, Variant::Software,
                                    LoadGraphic(carSet, environment, GraphicKind::CarLivery, 2, Variant::Software,
                                                folder / "junk.jam", image)),
              TextId::FailedToImportJam);
    EXPECT_EQ(image, expected) << "a failed load keeps the shown picture";
    EXPECT_EQ(livery(2, Variant::Software).path, (folder / "tmp/Car130.tmp").string()) << "and the slot";

    // Remove of a picture whose partner was generated from it empties both.
    EXPECT_EQ(
        PictureCommandMessage(GraphicCommand::Generate, GenerateGraphic(carSet, environment, GraphicKind::CarLivery, 3,
                                                                        Variant::Software, image, image)),
        TextId::FailedToGenerateBitmap)
        << "team 3 has nothing";
    ASSERT_TRUE(Ok(
        LoadGraphic(carSet, environment, GraphicKind::CarLivery, 3, Variant::Hardware, folder / "livery.bmp", image)));
    ASSERT_TRUE(Ok(GenerateGraphic(carSet, environment, GraphicKind::CarLivery, 3, Variant::Software, image, image)));
    RemoveGraphic(carSet, GraphicKind::CarLivery, 3, Variant::Hardware);
    EXPECT_EQ(livery(3, Variant::Hardware), GraphicSlot{});
    EXPECT_EQ(livery(3, Variant::Software), GraphicSlot{});
}

TEST_F(GraphicCommands, GenerateWorksBothWaysButNeverFromAGeneratedPicture) {
    const PackedBitmap colour = test::PhotoLike24(256, 384, 3);
    ASSERT_TRUE(Ok(SaveBitmapFile(folder / "hw.bmp", colour)));
    PackedBitmap image;
    ASSERT_TRUE(
        Ok(LoadGraphic(carSet, environment, GraphicKind::CarLivery, 0, Variant::Hardware, folder / "hw.bmp", image)));
    EXPECT_EQ(
        PictureCommandMessage(GraphicCommand::Generate, GenerateGraphic(carSet, environment, GraphicKind::CarLivery, 0,
                                                                        Variant::Hardware, image, image)),
        TextId::FailedToGenerateBitmap)
        << "the target's own picture is no origin";
    ASSERT_TRUE(Ok(GenerateGraphic(carSet, environment, GraphicKind::CarLivery, 0, Variant::Software, image, image)));
    PackedBitmap expected;
    ASSERT_TRUE(Ok(ReduceToPalette(colour, expected, 1, 254)));
    EXPECT_EQ(image, expected) << "candidates 1-253";
    EXPECT_EQ(livery(0, Variant::Software),
              (GraphicSlot{GraphicSource::Generated, (folder / "tmp/Car000.tmp").string()}));
    EXPECT_EQ(GenerateVariant(carSet, environment, GraphicKind::CarLivery, 0, Variant::Hardware),
              Error::NothingToGenerateFrom);

    // The other way: a software picture of the slot's own makes the hardware one by palette lookup.
    const PackedBitmap indexed = test::Banded8(256, 384, 5);
    ASSERT_TRUE(Ok(SaveBitmapFile(folder / "sw.bmp", indexed)));
    ASSERT_TRUE(
        Ok(LoadGraphic(carSet, environment, GraphicKind::CarLivery, 1, Variant::Software, folder / "sw.bmp", image)));
    ASSERT_TRUE(Ok(GenerateGraphic(carSet, environment, GraphicKind::CarLivery, 1, Variant::Hardware, image, image)));
    ASSERT_TRUE(Ok(ExpandFromPalette(indexed, expected)));
    EXPECT_EQ(image, expected);
    EXPECT_EQ(livery(1, Variant::Hardware).path, (folder / "tmp/Car011.tmp").string());
}

TEST_F(GraphicCommands, CockpitsKeepTheTopQuarterAndTakeTheirColoursIntoTheMask) {
    // Hardware to software: the top 64 rows of the whole sheet reduced.
    const PackedBitmap colour = test::PhotoLike24(256, 256, 9);
    ASSERT_TRUE(Ok(SaveBitmapFile(folder / "cockpit.bmp", colour)));
    PackedBitmap image;
    ASSERT_TRUE(Ok(
        LoadGraphic(carSet, environment, GraphicKind::Cockpit, 4, Variant::Hardware, folder / "cockpit.bmp", image)));
    ASSERT_TRUE(Ok(GenerateGraphic(carSet, environment, GraphicKind::Cockpit, 4, Variant::Software, image, image)));
    PackedBitmap whole;
    ASSERT_TRUE(Ok(ReduceToPalette(colour, whole, 1, 254)));
    ASSERT_TRUE(image.is(256, 64, Depth::Bits8));
    for (int y = 0; y < 64; ++y) {
        ASSERT_EQ(std::vector<std::uint8_t>(image.topRow(y), image.topRow(y) + 256),
                  std::vector<std::uint8_t>(whole.topRow(y), whole.topRow(y) + 256))
            << "row " << y;
    }
    EXPECT_EQ(cockpit(4, Variant::Software).path, (folder / "tmp/Cpit040.tmp").string());

    // Software to hardware without a mask file: the mask is rebuilt from the game's
    // Ferrari cockpit into a data folder that does not exist yet, as 252 and 254 only.
    PackedBitmap software(256, 64, Depth::Bits8);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 256; ++x) software.topRow(y)[x] = static_cast<std::uint8_t>(10 + (x + y) % 30);
    }
    software.topRow(1)[1] = 48;
    software.topRow(63)[90] = 200;
    ASSERT_TRUE(Ok(SaveBitmapFile(folder / "soft.bmp", software)));
    ASSERT_TRUE(
        Ok(LoadGraphic(carSet, environment, GraphicKind::Cockpit, 5, Variant::Software, folder / "soft.bmp", image)));
    ASSERT_FALSE(fs::exists(environment.dataFolder));
    ASSERT_TRUE(Ok(GenerateGraphic(carSet, environment, GraphicKind::Cockpit, 5, Variant::Hardware, image, image)));
    PackedBitmap mask;
    ASSERT_TRUE(Ok(LoadBitmapFile(environment.dataFolder / "HCOCKPIT.DAT", mask, 256, 192, Depth::Bits8)));
    std::set<int> markers;
    for (int y = 0; y < 192; ++y) markers.insert(mask.topRow(y), mask.topRow(y) + 256);
    EXPECT_EQ(markers, (std::set<int>{252, 254}));

    ASSERT_TRUE(image.is(256, 256, Depth::Bits24));
    auto colourOf = [](int index) {
        return std::array<std::uint8_t, 3>{GamePalette[index].blue, GamePalette[index].green, GamePalette[index].red};
    };
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            const std::uint8_t* p = image.topRow(y) + 3 * x;
            const std::array<std::uint8_t, 3> got{p[0], p[1], p[2]};
            const int expected = y < 64 ? software.topRow(y)[x] : mask.topRow(y - 64)[x] == 254 ? 48 : 200;
            ASSERT_EQ(got, colourOf(expected)) << x << "," << y;
        }
    }

    // A mask file of other markers is used as it is: values other than 252 and 254 show their own colour.
    for (int y = 0; y < 192; ++y) mask.topRow(y)[0] = 7;
    ASSERT_TRUE(Ok(SaveBitmapFile(environment.dataFolder / "HCOCKPIT.DAT", mask)));
    SetSlotGenerated(carSet, GraphicKind::Cockpit, 5, Variant::Hardware);
    environment.gameFolder = folder / "no-game";
    ASSERT_TRUE(Ok(GenerateGraphic(carSet, environment, GraphicKind::Cockpit, 5, Variant::Hardware, software, image)));
    const std::uint8_t* corner = image.topRow(100);
    EXPECT_EQ((std::array<std::uint8_t, 3>{corner[0], corner[1], corner[2]}), colourOf(7));

    // Without the mask file and without a game, a hardware cockpit cannot be made.
    fs::remove(environment.dataFolder / "HCOCKPIT.DAT");
    SetSlotGenerated(carSet, GraphicKind::Cockpit, 5, Variant::Hardware);
    const CarSet before = carSet;
    EXPECT_EQ(PictureCommandMessage(GraphicCommand::Generate, GenerateGraphic(carSet, environment, GraphicKind::Cockpit,
                                                                              5, Variant::Hardware, software, image)),
              TextId::FailedToGenerateBitmap);
    EXPECT_EQ(carSet.teams, before.teams);
}

TEST_F(GraphicCommands, ExportPatchesTheGameAndAFailureSaysSo) {
    const PackedBitmap indexed = test::Banded8(256, 64, 11);
    ASSERT_TRUE(Ok(ExportGraphic(environment, GraphicKind::Cockpit, 3, Variant::Software, indexed)));
    PackedBitmap read;
    ASSERT_TRUE(Ok(ReadGameJam(game_->path(), 35 + 3, Variant::Software, 64, 1, read)));
    EXPECT_EQ(read, indexed);
    EXPECT_EQ(GraphicCommandMessage(
                  GraphicCommand::Export, GraphicKind::Cockpit, Variant::Software,
                  ExportGraphic(environment, GraphicKind::Cockpit, 3, Variant::Software, test::Banded8(256, 65))),
              TextId::FailedToPatchJam);
    GraphicEnvironment nowhere = environment;
    nowhere.gameFolder = folder / "missing";
    EXPECT_EQ(GraphicCommandMessage(
                  GraphicCommand::Export, GraphicKind::CarLivery, Variant::Hardware,
                  ExportGraphic(nowhere, GraphicKind::CarLivery, 0, Variant::Hardware, test::PhotoLike24(256, 384))),
              TextId::FailedToPatchJam);
}

TEST_F(GraphicCommands, GenerateEmptySlotsFillsOnlyEmptyTargetsFromPicturesOfTheirOwn) {
    const PackedBitmap colour = test::PhotoLike24(256, 384, 2);
    ASSERT_TRUE(Ok(SaveBitmapFile(folder / "hw.bmp", colour)));
    PackedBitmap image;
    ASSERT_TRUE(
        Ok(LoadGraphic(carSet, environment, GraphicKind::CarLivery, 0, Variant::Hardware, folder / "hw.bmp", image)));
    ASSERT_TRUE(
        Ok(LoadGraphic(carSet, environment, GraphicKind::CarLivery, 1, Variant::Hardware, folder / "hw.bmp", image)));
    ASSERT_TRUE(
        Ok(LoadGraphic(carSet, environment, GraphicKind::CarLivery, 1, Variant::Software, folder / "hw.bmp", image)));
    carSet.helmetImages[0] = test::Banded8(256, 330);
    carSet.helmetFlags = {1, 0};
    std::vector<std::string> made;
    const auto record = [&](const GeneratedPicture& picture) {
        made.push_back(std::to_string(static_cast<int>(picture.kind)) + "/" + std::to_string(picture.slot) + "/" +
                       std::to_string(VariantIndex(picture.target)));
    };
    ASSERT_TRUE(Ok(GenerateEmptySlots(carSet, environment, {GraphicKind::CarLivery, GraphicKind::Helmets},
                                      {Variant::Software, Variant::Hardware}, record)));
    EXPECT_EQ(made, (std::vector<std::string>{"0/0/0", "3/0/1"})) << "team 1 has both already";
    EXPECT_EQ(livery(0, Variant::Software).source, GraphicSource::Generated);
    PackedBitmap expected;
    ASSERT_TRUE(Ok(ExpandFromPalette(carSet.helmetImages[0], expected)));
    EXPECT_EQ(carSet.helmetImages[1], expected);
    made.clear();
    ASSERT_TRUE(Ok(GenerateEmptySlots(carSet, environment, {GraphicKind::CarLivery}, {Variant::Software}, record)));
    EXPECT_TRUE(made.empty()) << "a second run finds nothing to do";
}

TEST(GraphicControls, FollowTheSourcesTheShownVariantAndTheGame) {
    using S = GraphicSource;
    EXPECT_EQ(ChooseShownVariant(S::None, S::None), Variant::Hardware);
    EXPECT_EQ(ChooseShownVariant(S::File, S::None), Variant::Software);
    EXPECT_EQ(ChooseShownVariant(S::File, S::Game), Variant::Hardware);

    GraphicPageState state{Variant::Software, S::None, S::None, ExeStatus::Missing, false};
    GraphicControlRules rules = DecideGraphicControls(state);
    EXPECT_EQ(rules.note, PictureNote::NoSoftware);
    EXPECT_FALSE(rules.importFromGame || rules.exportToGame || rules.saveAs || rules.remove);
    EXPECT_TRUE(rules.load);
    EXPECT_FALSE(rules.generateHardware || rules.generateSoftware || rules.numberFields);

    state = {Variant::Software, S::File, S::None, ExeStatus::Unreadable, true};
    rules = DecideGraphicControls(state);
    EXPECT_EQ(rules.note, PictureNote::None);
    EXPECT_TRUE(rules.importFromGame && rules.exportToGame && rules.saveAs && rules.remove);
    EXPECT_TRUE(rules.generateHardware);
    EXPECT_FALSE(rules.generateSoftware) << "the button that makes the shown variant";
    EXPECT_TRUE(rules.numberFields);
    EXPECT_FALSE(rules.numberTransfer) << "the executable's tables need a supported build";

    state = {Variant::Hardware, S::File, S::Game, ExeStatus::Supported, true};
    rules = DecideGraphicControls(state);
    EXPECT_FALSE(rules.importFromGame || rules.exportToGame) << "a game picture goes neither way";
    EXPECT_TRUE(rules.generateSoftware && rules.numberTransfer);

    state = {Variant::Hardware, S::File, S::Generated, ExeStatus::Supported, false};
    rules = DecideGraphicControls(state);
    EXPECT_EQ(rules.note, PictureNote::UnableToDisplay);
    EXPECT_FALSE(rules.generateSoftware) << "a generated picture is never an origin";
    EXPECT_EQ(DecideGraphicControls({Variant::Hardware, S::File, S::None, ExeStatus::Supported, false}).note,
              PictureNote::NoHardware);
}

TEST(GraphicControls, OneVariantKindsTableTransfersAndTheCrewTemplateHaveRulesOfTheirOwn) {
    using S = GraphicSource;
    GraphicPageState tyre{Variant::Software, S::File, S::None, ExeStatus::Supported, true};
    tyre.bothVariants = false;
    GraphicControlRules rules = DecideGraphicControls(tyre);
    EXPECT_FALSE(rules.generateHardware || rules.generateSoftware) << "a one-variant sheet makes no other";
    EXPECT_TRUE(rules.importFromGame && rules.exportToGame && rules.saveAs && rules.remove);
    EXPECT_EQ(rules.note, PictureNote::None);

    for (const ExeStatus status : {ExeStatus::Missing, ExeStatus::Unreadable, ExeStatus::Supported}) {
        const GraphicPageState empty{Variant::Hardware, S::None, S::None, status, false};
        EXPECT_EQ(DecideGraphicControls(empty).tableTransfer, status == ExeStatus::Supported)
            << "crew colours and pit order need no picture, only a supported executable";
        EXPECT_FALSE(DecideGraphicControls(empty).driverSwitches) << "no sheet, nothing to switch";
    }
    GraphicPageState artwork{Variant::Hardware, S::None, S::Game, ExeStatus::Unreadable, false};
    artwork.bothVariants = false;
    rules = DecideGraphicControls(artwork);
    EXPECT_TRUE(rules.driverSwitches) << "even a sheet that cannot be shown is switched";
    EXPECT_EQ(rules.note, PictureNote::UnableToDisplay);
    EXPECT_FALSE(rules.tableTransfer);

    GraphicPageState crew{Variant::Hardware, S::None, S::None, ExeStatus::Supported, false};
    EXPECT_FALSE(DecideGraphicControls(crew).copyCrewTemplate) << "without the masks, by default";
    crew.crewPaintable = true;
    EXPECT_TRUE(DecideGraphicControls(crew).copyCrewTemplate) << "into an empty slot too";
}

TEST(PictureZoom, EnlargesTheViewUnderThePointOrBeepsBelowTheSoftwareCockpit) {
    const PixelRect area{10, 20, 10 + 256, 20 + 384};
    PictureZoom zoom = LiveryZoom(area, 100, 20 + 200);
    EXPECT_EQ(zoom.action, PictureZoom::Action::Show);
    EXPECT_EQ(zoom.sheet, (PixelRect{0, 128, 256, 256})) << "the front view";
    EXPECT_EQ(zoom.width, 640);
    EXPECT_EQ(zoom.height, 320);
    EXPECT_EQ(LiveryZoom(area, 100, 20 + 383).sheet.top, 256);
    EXPECT_EQ(LiveryZoom(area, 9, 100).action, PictureZoom::Action::Nothing) << "outside the area";

    const PixelRect square{0, 0, 256, 256};
    zoom = CockpitZoom(square, Variant::Software, 50, 63);
    EXPECT_EQ(zoom.sheet, (PixelRect{0, 0, 256, 64}));
    EXPECT_EQ(zoom.width, 512);
    EXPECT_EQ(zoom.height, 128);
    EXPECT_EQ(CockpitZoom(square, Variant::Software, 50, 64).action, PictureZoom::Action::Beep);
    zoom = CockpitZoom(square, Variant::Hardware, 50, 200);
    EXPECT_EQ(zoom.sheet, (PixelRect{0, 0, 256, 256}));
    EXPECT_EQ(zoom.height, 512);
}

TEST(DisplayImage, ShowsRowsFromTheTopInTheirColours) {
    PackedBitmap indexed(3, 2, Depth::Bits8);
    indexed.topRow(0)[0] = 48;
    indexed.topRow(1)[2] = 200;
    DisplayImage display;
    MakeDisplayImage(indexed, display);
    ASSERT_EQ(display.pixels.size(), 6U);
    const auto argb = [](int i) {
        return 0xFF000000u | GamePalette[i].red << 16 | GamePalette[i].green << 8 | GamePalette[i].blue;
    };
    EXPECT_EQ(display.pixels[0], argb(48));
    EXPECT_EQ(display.pixels[5], argb(200));
    PackedBitmap colour(2, 2, Depth::Bits24);
    colour.topRow(0)[0] = 0x10; // blue
    colour.topRow(0)[1] = 0x20;
    colour.topRow(0)[2] = 0x30; // red
    colour.topRow(1)[3] = 0x40; // the last pixel of the last row: read on its own
    colour.topRow(1)[5] = 0x50;
    MakeDisplayImage(colour, display);
    EXPECT_EQ(display.pixels, (std::vector<std::uint32_t>{0xFF302010u, 0xFF000000u, 0xFF000000u, 0xFF500040u}));
    MakeDisplayImage(PackedBitmap(), display);
    EXPECT_TRUE(display.pixels.empty());
}

} // namespace
} // namespace tavolex
