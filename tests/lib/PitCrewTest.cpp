#include <gtest/gtest.h>

#include "SampleGameSuite.h"
#include "TestSupport.h"
#include "document/LazyGraphics.h"
#include "document/PitCrewSheet.h"
#include "editing/CommandMessages.h"
#include "editing/PitCrewColours.h"
#include "editing/PitCrewCommands.h"
#include "editing/PitCrewTemplates.h"
#include "formats/BitmapFile.h"
#include "formats/BitmapOps.h"
#include "formats/GameJam.h"
#include "formats/GamePalette.h"
#include "formats/JamBuilder.h"
#include "formats/TextureGeneration.h"
#include "game/GameFiles.h"
#include "game/GraphicEnvironment.h"
#include "sample/SampleGame.h"

namespace tavolex {
namespace {
using test::ScratchFolder;
namespace fs = std::filesystem;

// A sheet whose every row and column differs, so a misplaced row shows.
PackedBitmap NumberedSheet(Depth depth) {
    PackedBitmap sheet(kPitCrewSheetWidth, kPitCrewSheetHeight, depth);
    for (int y = 0; y < sheet.height(); ++y) {
        std::uint8_t* row = sheet.topRow(y);
        for (int x = 0; x < sheet.width(); ++x) {
            if (depth == Depth::Bits8) {
                row[x] = static_cast<std::uint8_t>(1 + (x + 3 * y) % 253);
            } else {
                // Values RGB565 keeps, so hardware files give them back exactly.
                row[3 * x] = static_cast<std::uint8_t>((x % 32) << 3);
                row[3 * x + 1] = static_cast<std::uint8_t>((y % 64) << 2);
                row[3 * x + 2] = static_cast<std::uint8_t>(((x + y) % 31) << 3);
            }
        }
    }
    return sheet;
}

bool RowsEqual(const PackedBitmap& a, int ya, const PackedBitmap& b, int yb, int width) {
    const int bytes = width * (a.depth() == Depth::Bits8 ? 1 : 3);
    return std::equal(a.topRow(ya), a.topRow(ya) + bytes, b.topRow(yb));
}

// The game is patched by these tests: each suite run gets a game of its own.
class PitCrew : public test::SampleGameSuite<false> {
  protected:
    GraphicSlot& crew(int slot, Variant variant) { return *SlotOf(carSet, GraphicKind::PitCrew, slot, variant); }
};

TEST_F(PitCrew, TheGameReaderJoinsBothFilesAndSlotSevenSkipsItsExtraRows) {
    for (int slot : {0, 7}) {
        for (Variant variant : {Variant::Software, Variant::Hardware}) {
            SCOPED_TRACE(slot);
            crew(slot, variant) = {GraphicSource::Game, {}};
            PackedBitmap sheet;
            ASSERT_TRUE(
                Ok(FetchGraphic(carSet, environment, GraphicKind::PitCrew, slot, variant, sheet, false, nullptr)));
            ASSERT_TRUE(sheet.is(172, 508, SheetDepth(GraphicKind::PitCrew, variant)));
            const int rows = PitCrewFileRows(slot);
            EXPECT_EQ(rows, slot == 7 ? 255 : 254);
            PackedBitmap top;
            PackedBitmap bottom;
            ASSERT_TRUE(Ok(ReadGameJam(game_->path(), 13 + 2 * slot, variant, rows, 1, top)));
            ASSERT_TRUE(Ok(ReadGameJam(game_->path(), 14 + 2 * slot, variant, rows, 1, bottom)));
            EXPECT_TRUE(RowsEqual(sheet, 0, top, rows - 254, 172)) << "the top half ends with the file's last row";
            EXPECT_TRUE(RowsEqual(sheet, 253, top, rows - 1, 172));
            EXPECT_TRUE(RowsEqual(sheet, 254, bottom, 0, 172)) << "the bottom half starts with the file's first row";
            EXPECT_TRUE(RowsEqual(sheet, 507, bottom, 253, 172));
        }
    }
}

TEST_F(PitCrew, SlotSevenHalvesRoundTripThroughExportAndImport) {
    for (Variant variant : {Variant::Software, Variant::Hardware}) {
        const PackedBitmap sheet = NumberedSheet(SheetDepth(GraphicKind::PitCrew, variant));
        // The bottom half alone: a 255-row file whose last row repeats the sheet's last row.
        ASSERT_TRUE(Ok(ExportPitCrew(environment, 7, variant, PitCrewHalf::Bottom, sheet)));
        PackedBitmap file;
        ASSERT_TRUE(Ok(ReadGameJam(game_->path(), 28, variant, 255, 1, file)));
        EXPECT_TRUE(RowsEqual(file, 254, sheet, 507, 172));
        EXPECT_TRUE(RowsEqual(file, 0, sheet, 254, 172));

        // Importing it back into an empty slot: the top half is the fill, and
        // the slot refers to its temporary file, not to the game.
        PackedBitmap imported;
        ASSERT_TRUE(Ok(ImportPitCrew(carSet, environment, 7, variant, PitCrewHalf::Bottom, {}, imported)));
        const PackedBitmap fill = PitCrewFill(172, 508, variant);
        for (int y : {0, 253}) EXPECT_TRUE(RowsEqual(imported, y, fill, y, 172));
        for (int y : {254, 400, 507}) EXPECT_TRUE(RowsEqual(imported, y, sheet, y, 172));
        EXPECT_EQ(crew(7, variant).source, GraphicSource::File);
        EXPECT_EQ(crew(7, variant).path,
                  TemporaryGraphicPath(environment.temporaryFolder, GraphicKind::PitCrew, 7, variant).string());

        // Both halves out and in again give the same sheet, and the slot refers to the game.
        ASSERT_TRUE(Ok(ExportPitCrew(environment, 7, variant, PitCrewHalf::Both, sheet)));
        ASSERT_TRUE(Ok(ReadGameJam(game_->path(), 27, variant, 255, 1, file)));
        EXPECT_TRUE(RowsEqual(file, 0, PitCrewFill(256, 1, variant), 0, 256))
            << "the top file's extra row keeps the fill";
        ASSERT_TRUE(Ok(ImportPitCrew(carSet, environment, 7, variant, PitCrewHalf::Both, imported, imported)));
        EXPECT_EQ(imported, sheet);
        EXPECT_EQ(crew(7, variant), (GraphicSlot{GraphicSource::Game, {}}));
    }
}

TEST_F(PitCrew, LoadPutsFilesIntoTheChosenHalfAndRefusesOtherSizes) {
    // A 256 x 255 bitmap with the top half chosen: its last 254 rows go into the top half.
    PackedBitmap tall(256, 255, Depth::Bits8);
    for (int y = 0; y < 255; ++y) std::fill_n(tall.topRow(y), 256, static_cast<std::uint8_t>(y));
    ASSERT_TRUE(Ok(SaveBitmapFile(folder / "tall.bmp", tall)));
    const PackedBitmap current = NumberedSheet(Depth::Bits8);
    PackedBitmap image;
    ASSERT_TRUE(Ok(
        LoadPitCrew(carSet, environment, 2, Variant::Software, PitCrewHalf::Top, current, folder / "tall.bmp", image)));
    EXPECT_EQ(image.topRow(0)[5], 1);
    EXPECT_EQ(image.topRow(253)[171], 254);
    EXPECT_TRUE(RowsEqual(image, 254, current, 254, 172)) << "the other half stays";
    EXPECT_EQ(crew(2, Variant::Software).source, GraphicSource::File);

    // The bottom half takes a file's first rows; a JAM of the other variant is converted first.
    PackedBitmap colour = PitCrewFill(256, 254, Variant::Hardware);
    std::vector<std::uint8_t> jam;
    ASSERT_TRUE(Ok(BuildHardwareJam(colour, 1, jam)));
    test::WriteBytes(folder / "crew.JAM", jam);
    ASSERT_TRUE(Ok(LoadPitCrew(carSet, environment, 2, Variant::Software, PitCrewHalf::Bottom, image,
                               folder / "crew.JAM", image)));
    EXPECT_EQ(image.topRow(300)[10], 0) << "the key colour becomes index 0";
    EXPECT_EQ(image.topRow(10)[5], 11);
    EXPECT_EQ(crew(2, Variant::Software).path,
              TemporaryGraphicPath(environment.temporaryFolder, GraphicKind::PitCrew, 13, Variant::Software).string());

    // A whole sheet refers to the user's own file; other sizes change nothing.
    ASSERT_TRUE(Ok(SaveBitmapFile(folder / "sheet.bmp", current)));
    ASSERT_TRUE(Ok(
        LoadPitCrew(carSet, environment, 2, Variant::Software, PitCrewHalf::Bottom, {}, folder / "sheet.bmp", image)));
    EXPECT_EQ(image, current);
    EXPECT_EQ(crew(2, Variant::Software).path, (folder / "sheet.bmp").string());
    ASSERT_TRUE(Ok(SaveBitmapFile(folder / "odd.bmp", PackedBitmap(256, 253, Depth::Bits8))));
    const CarSet before = carSet;
    EXPECT_EQ(
        PictureCommandMessage(GraphicCommand::Load, LoadPitCrew(carSet, environment, 2, Variant::Software,
                                                                PitCrewHalf::Top, image, folder / "odd.bmp", image)),
        TextId::CouldntLoadBitmap);
    test::WriteBytes(folder / "bad.jam", {1, 2, 3});
    EXPECT_EQ(
        PictureCommandMessage(GraphicCommand::Load, LoadPitCrew(carSet, environment, 2, Variant::Software,
                                                                PitCrewHalf::Top, image, folder / "bad.jam", image)),
        TextId::FailedToImportJam);
    EXPECT_EQ(carSet.teams, before.teams);
    EXPECT_EQ(image, current);
}

TEST_F(PitCrew, SaveAsWritesTheSheetOrAHalfAsTheGameKeepsIt) {
    const PackedBitmap sheet = NumberedSheet(Depth::Bits8);
    ASSERT_TRUE(Ok(SavePitCrewAs(sheet, 7, Variant::Software, PitCrewHalf::Top, folder / "top.bmp")));
    PackedBitmap half;
    ASSERT_TRUE(Ok(LoadBitmapFile(folder / "top.bmp", half, 256, 255, Depth::Bits8)));
    EXPECT_EQ(half.topRow(0)[0], 0);
    EXPECT_TRUE(RowsEqual(half, 1, sheet, 0, 172));
    EXPECT_EQ(half.topRow(1)[200], 0);
    ASSERT_TRUE(Ok(SavePitCrewAs(sheet, 3, Variant::Software, PitCrewHalf::Both, folder / "whole.bmp")));
    ASSERT_TRUE(Ok(LoadBitmapFile(folder / "whole.bmp", half, 172, 508, Depth::Bits8)));
    EXPECT_EQ(half, sheet);
    EXPECT_EQ(PictureCommandMessage(GraphicCommand::Save,
                                    SavePitCrewAs({}, 3, Variant::Software, PitCrewHalf::Top, folder / "none.bmp")),
              TextId::CouldntSaveBitmap);
}

TEST_F(PitCrew, TemplatesAreRebuiltFromTheGameAndCopyPaintsTheCrew) {
    PackedBitmap preview;
    ASSERT_TRUE(Ok(LoadPitCrewTemplate(environment, PitCrewTemplate::Colour, preview)));
    EXPECT_TRUE(preview.is(200, 189, Depth::Bits8));
    EXPECT_TRUE(fs::exists(folder / "data" / "PITCOLOR.DAT"));
    PackedBitmap extras;
    ASSERT_TRUE(Ok(ReadGameJam(game_->path(), 46, Variant::Software, 189, 3, extras)));
    EXPECT_TRUE(RowsEqual(preview, 100, extras, 100, 200));

    // An unreadable template is made again; without a game it cannot be.
    test::WriteBytes(folder / "data" / "PITJACK.DAT", {'B', 'M'});
    carSet.teams[4].pitCrewColours[4] = 100;
    PackedBitmap copied;
    ASSERT_TRUE(Ok(CopyPitCrewTemplate(carSet, environment, 4, Variant::Hardware, copied)));
    EXPECT_TRUE(copied.is(172, 508, Depth::Bits24));
    EXPECT_EQ(crew(4, Variant::Hardware).source, GraphicSource::File);
    PackedBitmap jack;
    ASSERT_TRUE(Ok(LoadBitmapFile(folder / "data" / "PITJACK.DAT", jack, 172, 508, Depth::Bits8)));
    DeletePitCrewTemplates(folder / "data");
    EXPECT_FALSE(fs::exists(folder / "data" / "PITJACK.DAT") || fs::exists(folder / "data" / "PITCOLOR.DAT"));
    GraphicEnvironment noGame = environment;
    noGame.gameFolder = folder / "nowhere";
    EXPECT_EQ(PictureCommandMessage(GraphicCommand::Generate,
                                    CopyPitCrewTemplate(carSet, noGame, 4, Variant::Software, copied)),
              TextId::FailedToGenerateBitmap);
    EXPECT_EQ(crew(4, Variant::Software).source, GraphicSource::None);
}

// Index 0 is see-through: in the hardware picture it is the key colour (red
// 00, green FC, blue F8), every other index its palette colour; and back.
TEST(PitCrewVariants, SoftwareToHardwareMakesIndexZeroTheKeyColour) {
    PackedBitmap software(172, 508, Depth::Bits8);
    for (int y = 0; y < 508; ++y) {
        for (int x = 0; x < 172; ++x) software.topRow(y)[x] = static_cast<std::uint8_t>((x + y) % 254);
    }
    PackedBitmap hardware;
    ASSERT_TRUE(Ok(PitCrewToHardware(software, hardware)));
    ASSERT_TRUE(hardware.is(172, 508, Depth::Bits24));
    int keys = 0;
    for (int y = 0; y < 508; ++y) {
        for (int x = 0; x < 172; ++x) {
            const std::uint8_t index = software.topRow(y)[x];
            const std::uint8_t* bgr = hardware.topRow(y) + 3 * x;
            if (index == 0) {
                ++keys;
                ASSERT_EQ(bgr[0], 0xF8) << x << "," << y;
                ASSERT_EQ(bgr[1], 0xFC) << x << "," << y;
                ASSERT_EQ(bgr[2], 0x00) << x << "," << y;
            } else {
                const PaletteColour& colour = GamePalette[index];
                ASSERT_EQ(bgr[0], colour.blue) << x << "," << y;
                ASSERT_EQ(bgr[1], colour.green) << x << "," << y;
                ASSERT_EQ(bgr[2], colour.red) << x << "," << y;
            }
        }
    }
    EXPECT_GT(keys, 0);
    EXPECT_EQ(software.palette()[0], GamePalette[0].blue) << "the caller's picture keeps the game's palette";
    PackedBitmap back;
    ASSERT_TRUE(Ok(PitCrewToSoftware(hardware, back)));
    EXPECT_EQ(back.topRow(0)[0], 0) << "the key colour becomes index 0 again";
    EXPECT_EQ(back.topRow(254)[0], 0);
}

TEST(PitCrewColours, PaintingTakesTheAreaColourPlusTheShade) {
    PackedBitmap unpainted(200, 189, Depth::Bits8);
    const std::uint8_t values[] = {0, 47, 48, 63, 136, 175, 255};
    for (int x = 0; x < 7; ++x) unpainted.topRow(0)[x] = values[x];
    PitCrewColourSet colours{};
    for (std::size_t c = 0; c < 16; ++c) colours[c] = static_cast<std::uint8_t>(16 * c + 1);
    colours[15] = 250;
    const PackedBitmap painted = PaintPitCrew(unpainted, colours);
    const std::uint8_t expected[] = {0, 47, 49, 64, 129 + 8, 161 + 15, static_cast<std::uint8_t>(250 + 15)};
    for (int x = 0; x < 7; ++x) EXPECT_EQ(painted.topRow(0)[x], expected[x]) << x;
    EXPECT_EQ(painted.topRow(188)[0], 0);

    // The area under the pointer, on a preview drawn twice the template's size.
    unpainted.topRow(94)[100] = 11 * 16 + 3;
    EXPECT_EQ(PitCrewAreaAt(unpainted, 201, 189, 400, 378), 11);
    EXPECT_FALSE(PitCrewAreaAt(unpainted, 0, 0, 400, 378)) << "index 0 belongs to no area";
    EXPECT_FALSE(PitCrewAreaAt(unpainted, 400, 0, 400, 378));
}

TEST(PitCrewColours, TheColourCycleStepsBothWays) {
    EXPECT_EQ(NextCycleColour(136), 168);
    EXPECT_EQ(PreviousCycleColour(136), 128);
    EXPECT_EQ(PreviousCycleColour(1), 192);
    EXPECT_EQ(NextCycleColour(192), 1) << "onto 208 gives 1";
    EXPECT_EQ(NextCycleColour(0), 1);
    EXPECT_EQ(NextCycleColour(100), 104);
    EXPECT_EQ(NextCycleColour(230), 230) << "208 and above stay";
    EXPECT_EQ(PreviousCycleColour(2), 192);
    EXPECT_EQ(PreviousCycleColour(8), 1);
    EXPECT_EQ(PreviousCycleColour(250), 208);
    EXPECT_EQ(PitCrewAreas().size(), 13u);
    EXPECT_EQ(PitCrewAreas()[0].colour, kFirstPitCrewArea);
}

TEST(PitCrewColours, ThePaletteGridPicksOnlyCellsOneTo192) {
    const int w = 257, h = 131;
    for (int k : {1, 17, 100, 192}) {
        const PaletteCell cell = PaletteCellAt(k, w, h);
        EXPECT_EQ(PickPaletteCell((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2, w, h), k);
        EXPECT_EQ(PickPaletteCell(cell.left, cell.top, w, h), k) << "the top-left edge belongs to the cell";
    }
    for (int k : {0, 193, 200, 207}) {
        const PaletteCell cell = PaletteCellAt(k, w, h);
        EXPECT_FALSE(PickPaletteCell((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2, w, h)) << k;
    }
    EXPECT_EQ(PaletteCellAt(17, w, h).left, 16);
    EXPECT_EQ(PaletteCellAt(17, w, h).right, 32);
    EXPECT_EQ(PaletteCellAt(17, w, h).top, 10);
    EXPECT_EQ(PaletteCellAt(207, w, h).bottom, 130);
    EXPECT_EQ(OutlinedPaletteCells(200), (std::vector<int>{200, 201, 202, 203, 204, 205, 206, 207}));
    EXPECT_EQ(OutlinedPaletteCells(0).front(), 1);
    EXPECT_EQ(OutlinedPaletteCells(0).size(), 15u);
}

TEST_F(PitCrew, CrewColoursComeFromTheSupportedExecutableOnly) {
    const GameFolder game(game_->path());
    carSet.teams[3].pitCrewColours[5] = 77;
    ASSERT_TRUE(Ok(ExportCrewColours(carSet, game, ExeStatus::Supported, 3)));
    carSet.teams[3].pitCrewColours[5] = 1;
    EXPECT_EQ(ImportCrewColours(carSet, game, ExeStatus::Unreadable, 3), Error::UnsupportedExecutable);
    EXPECT_EQ(carSet.teams[3].pitCrewColours[5], 1);
    ASSERT_TRUE(Ok(ImportCrewColours(carSet, game, ExeStatus::Supported, 3)));
    EXPECT_EQ(carSet.teams[3].pitCrewColours[5], 77);
    EXPECT_EQ(ExportCrewColours(carSet, game, ExeStatus::Unreadable, 3), Error::UnsupportedExecutable);
}

} // namespace
} // namespace tavolex
