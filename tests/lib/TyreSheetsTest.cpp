#include <gtest/gtest.h>

#include "SampleGameSuite.h"
#include "TestSupport.h"
#include "core/ByteOrder.h"
#include "document/CarSetFile.h"
#include "document/LazyGraphics.h"
#include "editing/CommandMessages.h"
#include "editing/TyreCommands.h"
#include "files/CaseInsensitivePath.h"
#include "files/FileHelpers.h"
#include "formats/BitmapFile.h"
#include "formats/GameJam.h"
#include "formats/PaletteConversion.h"
#include "formats/TyreGameFiles.h"
#include "sample/SampleGame.h"

namespace tavolex {
namespace {
using test::ScratchFolder;
namespace fs = std::filesystem;

std::array<std::uint8_t, 3> PixelAt(const PackedBitmap& image, int x, int y) {
    const std::uint8_t* p = image.topRow(y) + 3 * x;
    return {p[2], p[1], p[0]};
}

// A game wheel BMP whose every pixel tells its own column, so the layout can be read back.
std::vector<std::uint8_t> ColumnCodedBitmap(int width, int height) {
    PackedBitmap file(width, height, Depth::Bits24);
    for (int r = 0; r < height; ++r) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = file.row(r) + 3 * x;
            p[0] = static_cast<std::uint8_t>(x);
            p[1] = static_cast<std::uint8_t>(x >> 8);
            p[2] = static_cast<std::uint8_t>(r);
        }
    }
    return EncodeBitmapFile(file);
}

int CodedColumn(const PackedBitmap& half, int x, int r) {
    const std::uint8_t* p = half.row(r) + 3 * x;
    return p[0] | p[1] << 8;
}

TEST(TyreBitmaps, GameWheelAndTreadBitmapsMapTheirColumnsBothWays) {
    PackedBitmap half;
    ASSERT_TRUE(Ok(ParseGameHalfBitmap(ColumnCodedBitmap(640, 480), TyreSheet::HardwareWheels, half)));
    ASSERT_TRUE(half.is(512, 480, Depth::Bits24));
    // Pixel 256 of the file is skipped: the right half starts at 257.
    EXPECT_EQ(CodedColumn(half, 0, 0), 0);
    EXPECT_EQ(CodedColumn(half, 255, 7), 255);
    EXPECT_EQ(CodedColumn(half, 256, 7), 257);
    EXPECT_EQ(CodedColumn(half, 511, 479), 512);
    EXPECT_EQ(half.row(9)[2], 9) << "rows keep the file's order";

    // Written back: the used pixels where they came from, the rest in the type's fill.
    const auto bytes = EncodeGameHalfBitmap(half, TyreSheet::HardwareWheels, {0x9F, 0x00, 0xA3});
    PackedBitmap file;
    ASSERT_TRUE(Ok(ParseBitmapFile(bytes, file, 640, 480, Depth::Bits24)));
    EXPECT_EQ(bytes.size(), 54u + 1920u * 480u);
    EXPECT_EQ(CodedColumn(file, 257, 3), 257);
    EXPECT_EQ(CodedColumn(file, 512, 3), 512);
    EXPECT_EQ(PixelAt(file, 256, 0), (std::array<std::uint8_t, 3>{0x9F, 0x00, 0xA3}));
    EXPECT_EQ(PixelAt(file, 513, 0), (std::array<std::uint8_t, 3>{0x9F, 0x00, 0xA3}));
    EXPECT_EQ(PixelAt(file, 639, 479), (std::array<std::uint8_t, 3>{0x9F, 0x00, 0xA3}));

    PackedBitmap tread;
    ASSERT_TRUE(Ok(ParseGameHalfBitmap(ColumnCodedBitmap(320, 200), TyreSheet::Treads, tread)));
    ASSERT_TRUE(tread.is(256, 200, Depth::Bits24));
    EXPECT_EQ(CodedColumn(tread, 255, 0), 255);
    const auto treadBytes = EncodeGameHalfBitmap(tread, TyreSheet::Treads, GameBitmapFill(TyreSheet::Treads, 0));
    ASSERT_TRUE(Ok(ParseBitmapFile(treadBytes, file, 320, 200, Depth::Bits24)));
    EXPECT_EQ(PixelAt(file, 256, 10), (std::array<std::uint8_t, 3>{0xFF, 0x00, 0xFF}));
}

TEST(TyreBitmaps, GameBitmapsWithOtherHeadersAreRefused) {
    auto good = ColumnCodedBitmap(640, 480);
    PackedBitmap half;
    auto compressed = good;
    WriteU32(compressed.data() + 30, 1);
    EXPECT_EQ(ParseGameHalfBitmap(compressed, TyreSheet::HardwareWheels, half), Error::CompressedBitmap);
    EXPECT_EQ(ParseGameHalfBitmap(ColumnCodedBitmap(640, 481), TyreSheet::HardwareWheels, half),
              Error::WrongBitmapSize);
    EXPECT_EQ(ParseGameHalfBitmap(good, TyreSheet::Treads, half), Error::WrongBitmapSize);
    EXPECT_EQ(
        ParseGameHalfBitmap(EncodeBitmapFile(PackedBitmap(640, 480, Depth::Bits8)), TyreSheet::HardwareWheels, half),
        Error::UnsupportedBitDepth);
    good.resize(good.size() - 1);
    EXPECT_EQ(ParseGameHalfBitmap(good, TyreSheet::HardwareWheels, half), Error::ReadFailed);
    good[0] = 'X';
    EXPECT_EQ(ParseGameHalfBitmap(good, TyreSheet::HardwareWheels, half), Error::NotABitmap);
    EXPECT_TRUE(half.empty()) << "nothing is written on failure";
}

TEST(TyreBitmaps, EmptySheetsTakeTheirFills) {
    const PackedBitmap software = EmptyTyreSheet(TyreSheet::SoftwareWheels, 0);
    ASSERT_TRUE(software.is(256, 512, Depth::Bits8));
    EXPECT_EQ(software.topRow(300)[17], 254);
    EXPECT_EQ(PixelAt(EmptyTyreSheet(TyreSheet::HardwareWheels, 0), 5, 5),
              (std::array<std::uint8_t, 3>{0x9F, 0, 0xA3}));
    EXPECT_EQ(PixelAt(EmptyTyreSheet(TyreSheet::HardwareWheels, 1), 5, 5),
              (std::array<std::uint8_t, 3>{0xFF, 0, 0xFF}));
    EXPECT_TRUE(EmptyTyreSheet(TyreSheet::Treads, 1).is(256, 400, Depth::Bits24));
}

// One sample game for the suite: making it is the slow part.
class TyreGame : public test::SampleGameSuite<true> {
  protected:
    fs::path gameFile(const std::string& relative) { return *FindPathIgnoringCase(folder / "game", relative); }
};

TEST_F(TyreGame, ImportingOneHalfKeepsTheOtherAndRefersToATemporaryFile) {
    // Type 1, "WHXX1.BMP" only: the bottom half from Whbridg1.bmp, the top stays magenta.
    PackedBitmap sheet;
    ASSERT_TRUE(
        Ok(ImportTyreHalves(carSet, environment, GraphicKind::Tyre, 1, Variant::Hardware, SheetHalves::Bottom, sheet)));
    ASSERT_TRUE(sheet.is(512, 960, Depth::Bits24));
    EXPECT_EQ(PixelAt(sheet, 100, 100), (std::array<std::uint8_t, 3>{0xFF, 0x00, 0xFF}));
    PackedBitmap bottom;
    ASSERT_TRUE(Ok(ParseGameHalfBitmap(test::ReadBytes(gameFile("ZO3ZIDSH\\TechJam\\Whbridg1.bmp")),
                                       TyreSheet::HardwareWheels, bottom)));
    EXPECT_EQ(SheetHalf(sheet, 2), bottom);
    const GraphicSlot& slot = carSet.tyres[1].tyre[1];
    EXPECT_EQ(slot.source, GraphicSource::File);
    EXPECT_EQ(slot.path, (folder / "tmp" / "Tyres11.tmp").string());
    EXPECT_TRUE(carSet.modified);
    PackedBitmap fetched;
    ASSERT_TRUE(
        Ok(FetchGraphic(carSet, environment, GraphicKind::Tyre, 1, Variant::Hardware, fetched, false, nullptr)));
    EXPECT_EQ(fetched, sheet);

    // Both halves: the slot refers to the game, and reads both files again.
    ASSERT_TRUE(
        Ok(ImportTyreHalves(carSet, environment, GraphicKind::Tyre, 1, Variant::Hardware, SheetHalves::Both, sheet)));
    EXPECT_EQ(slot, (GraphicSlot{GraphicSource::Game, {}}));
    ASSERT_TRUE(
        Ok(FetchGraphic(carSet, environment, GraphicKind::Tyre, 1, Variant::Hardware, fetched, false, nullptr)));
    EXPECT_EQ(fetched, sheet);
    EXPECT_EQ(SheetHalf(fetched, 2), bottom);
}

TEST_F(TyreGame, LoadingAGameWheelBitmapWithBothChosenFillsTheTopHalf) {
    fs::copy_file(gameFile("ZO3ZIDSH\\TechJam\\Whblur1.bmp"), folder / "wheel.bmp");
    PackedBitmap sheet;
    ASSERT_TRUE(Ok(LoadTyreFile(carSet, environment, GraphicKind::Tyre, 0, Variant::Hardware, SheetHalves::Both,
                                folder / "wheel.bmp", sheet)));
    PackedBitmap half;
    ASSERT_TRUE(Ok(ParseGameHalfBitmap(test::ReadBytes(folder / "wheel.bmp"), TyreSheet::HardwareWheels, half)));
    EXPECT_EQ(SheetHalf(sheet, 1), half);
    EXPECT_EQ(PixelAt(sheet, 3, 700), (std::array<std::uint8_t, 3>{0x9F, 0x00, 0xA3}));
    EXPECT_EQ(carSet.tyres[0].tyre[1].path, (folder / "tmp" / "Tyres01.tmp").string());

    // A whole sheet is the slot's file itself; a compressed game BMP is refused and changes nothing.
    ASSERT_TRUE(Ok(SaveBitmapFile(folder / "whole.bmp", test::PhotoLike24(512, 960))));
    ASSERT_TRUE(Ok(LoadTyreFile(carSet, environment, GraphicKind::Tyre, 0, Variant::Hardware, SheetHalves::Bottom,
                                folder / "whole.bmp", sheet)));
    EXPECT_EQ(sheet, test::PhotoLike24(512, 960));
    EXPECT_EQ(carSet.tyres[0].tyre[1].path, (folder / "whole.bmp").string());
    auto compressed = test::ReadBytes(folder / "wheel.bmp");
    WriteU32(compressed.data() + 30, 1);
    test::WriteBytes(folder / "packed.bmp", compressed);
    const CarSet before = carSet;
    EXPECT_EQ(PictureCommandMessage(GraphicCommand::Load,
                                    LoadTyreFile(carSet, environment, GraphicKind::Tyre, 0, Variant::Hardware,
                                                 SheetHalves::Top, folder / "packed.bmp", sheet)),
              TextId::CouldntLoadBitmap);
    EXPECT_EQ(carSet.tyres, before.tyres);
    EXPECT_EQ(sheet, test::PhotoLike24(512, 960));

    // Software: a game JAM goes into the chosen half and is kept under type + 2.
    const auto jam = GameJamPath(folder / "game", SoftwareWheelJam(1, 2), Variant::Software);
    ASSERT_TRUE(jam);
    PackedBitmap software;
    ASSERT_TRUE(Ok(LoadTyreFile(carSet, environment, GraphicKind::Tyre, 1, Variant::Software, SheetHalves::Bottom, *jam,
                                software)));
    PackedBitmap expected;
    ASSERT_TRUE(Ok(ReadGameJam(folder / "game", SoftwareWheelJam(1, 2), Variant::Software, 256, 1, expected)));
    EXPECT_EQ(SheetHalf(software, 2), expected);
    EXPECT_EQ(software.topRow(10)[10], 254);
    EXPECT_EQ(carSet.tyres[1].tyre[0].path, (folder / "tmp" / "Tyres30.tmp").string());
}

TEST_F(TyreGame, ExportingTreadHalvesWritesTheirBitmapsAndStrips) {
    const PackedBitmap treads = test::PhotoLike24(256, 400, 5);
    ASSERT_TRUE(Ok(ExportTyreHalves(environment, GraphicKind::Tread, 0, Variant::Hardware, SheetHalves::Top, treads)));
    PackedBitmap written;
    ASSERT_TRUE(Ok(ParseGameHalfBitmap(test::ReadBytes(gameFile("ZO3ZIDSH\\TechJam\\treadgy1_art.bmp")),
                                       TyreSheet::Treads, written)));
    EXPECT_EQ(written, SheetHalf(treads, 1));
    PackedBitmap top = SheetHalf(treads, 1);
    for (int k = 0; k < 4; ++k) {
        const auto strip = test::ReadBytes(gameFile("ZO3ZIDSH\\TechJam\\tread0" + std::to_string(k) + ".bin"));
        ASSERT_EQ(strip.size(), 12800u);
        // Strip k: rows 50k to 50k + 49 from the top, stored bottom-up, candidates 1-223.
        const std::uint8_t* pixel = top.topRow(50 * k + 49) + 3 * 17;
        EXPECT_EQ(strip[17], NearestPaletteIndex(pixel[2], pixel[1], pixel[0], 1, 224));
        pixel = top.topRow(50 * k) + 3 * 200;
        EXPECT_EQ(strip[49 * 256 + 200], NearestPaletteIndex(pixel[2], pixel[1], pixel[0], 1, 224));
    }
    EXPECT_FALSE(FindPathIgnoringCase(folder / "game", "ZO3ZIDSH\\TechJam\\tread10.bin")) << "only the top half";

    // A read-only game file is replaced all the same, as the game's tools clear the attribute.
    ASSERT_TRUE(Ok(SetReadOnly(gameFile("ZO3ZIDSH\\TechJam\\treadbs2_art.bmp"), true)));
    // The bottom half of type 1: treadbs2_art.bmp and tread30-33.
    ASSERT_TRUE(
        Ok(ExportTyreHalves(environment, GraphicKind::Tread, 1, Variant::Hardware, SheetHalves::Bottom, treads)));
    ASSERT_TRUE(Ok(ParseGameHalfBitmap(test::ReadBytes(gameFile("ZO3ZIDSH\\TechJam\\treadbs2_art.bmp")),
                                       TyreSheet::Treads, written)));
    EXPECT_EQ(written, SheetHalf(treads, 2));
    for (int k = 0; k < 4; ++k) {
        EXPECT_TRUE(FindPathIgnoringCase(folder / "game", "ZO3ZIDSH\\TechJam\\tread3" + std::to_string(k) + ".bin"));
    }
    EXPECT_FALSE(FindPathIgnoringCase(folder / "game", "ZO3ZIDSH\\TechJam\\tread20.bin"));
}

TEST_F(TyreGame, GameSourcesOfTyresAndTreadsAreReadAndSaved) {
    for (int type = 0; type < 2; ++type) {
        SetSlotFromGame(carSet, GraphicKind::Tyre, type, Variant::Software);
        SetSlotFromGame(carSet, GraphicKind::Tyre, type, Variant::Hardware);
        SetSlotFromGame(carSet, GraphicKind::Tread, type, Variant::Hardware);
    }
    PackedBitmap software;
    ASSERT_TRUE(
        Ok(FetchGraphic(carSet, environment, GraphicKind::Tyre, 0, Variant::Software, software, false, nullptr)));
    PackedBitmap top;
    ASSERT_TRUE(Ok(ReadGameJam(folder / "game", 50, Variant::Software, 256, 1, top)));
    EXPECT_EQ(SheetHalf(software, 1), top);
    PackedBitmap tread;
    ASSERT_TRUE(Ok(FetchGraphic(carSet, environment, GraphicKind::Tread, 1, Variant::Hardware, tread, false, nullptr)));
    EXPECT_TRUE(tread.is(256, 400, Depth::Bits24));

    ASSERT_TRUE(Ok(SaveCarSet(carSet, folder / "set.gp3", environment)));
    carSet.path = (folder / "set.gp3").string();
    EXPECT_EQ(carSet.tyres[1].tread.source, GraphicSource::CarSet);
    PackedBitmap stored;
    ASSERT_TRUE(
        Ok(FetchGraphic(carSet, environment, GraphicKind::Tread, 1, Variant::Hardware, stored, false, nullptr)));
    EXPECT_EQ(stored, test::ReducedTo565(tread)) << "the car set keeps colour pictures as RGB565";

    // A missing game file: the software read says so in its own words, the hardware one in the bitmap's.
    fs::remove(gameFile("ZO3ZIDSH\\TechJam\\Whblur1.bmp"));
    SetSlotFromGame(carSet, GraphicKind::Tyre, 0, Variant::Hardware);
    EXPECT_EQ(GameReadFailure(GraphicKind::Tyre, Variant::Hardware), TextId::CouldntLoadBitmap);
    EXPECT_EQ(GameReadFailure(GraphicKind::Tyre, Variant::Software), TextId::FailedToImportJam);
    EXPECT_FALSE(
        Ok(FetchGraphic(carSet, environment, GraphicKind::Tyre, 0, Variant::Hardware, stored, false, nullptr)));
}

} // namespace
} // namespace tavolex
