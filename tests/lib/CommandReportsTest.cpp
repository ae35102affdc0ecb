#include <gtest/gtest.h>

#include "TestSupport.h"
#include "core/Texts.h"
#include "document/CarSetFile.h"
#include "editing/CommandReports.h"
#include "editing/PictureRefusal.h"
#include "editing/PitCrewCommands.h"
#include "editing/TyreCommands.h"
#include "formats/BitmapFile.h"

namespace tavolex {
namespace {
using test::ScratchFolder;

TEST(CommandReports, SayWhatWasDoneToWhichPicture) {
    CarSet carSet;
    NewCarSet(carSet);
    carSet.teams[4].teamName = "Jordan";
    EXPECT_EQ(PictureReport(TextId::ReportLoaded, carSet, GraphicKind::CarLivery, 4, "/home/me/cars/jordan.png"),
              "Loaded livery for Jordan from jordan.png");
    EXPECT_EQ(PictureReport(TextId::ReportSavedAs, carSet, GraphicKind::MenuArtwork, 4, "art.bmp"),
              "Saved artwork for Jordan as art.bmp");
    // Kinds that are not the teams' are named alone; texts without a file ignore it.
    EXPECT_EQ(PictureReport(TextId::ReportImported, carSet, GraphicKind::Helmets, 0), "Imported helmets from the game");
    EXPECT_EQ(PictureReport(TextId::ReportRemoved, carSet, GraphicKind::Tyre, 1), "Removed tyres");
    EXPECT_EQ(GeneratedReport(GraphicKind::CarLivery, Variant::Software), "Generated the software livery");
    EXPECT_EQ(GeneratedReport(GraphicKind::Cockpit, Variant::Hardware), "Generated the hardware cockpit");
    // A name in the game's code page reads right; a "%s" in it is not filled.
    carSet.teams[1].teamName = std::string("Citro\xEBn %s");
    EXPECT_EQ(PictureReport(TextId::ReportLoaded, carSet, GraphicKind::Cockpit, 1, "c.bmp"),
              "Loaded cockpit for Citro\xC3\xABn %s from c.bmp");
    EXPECT_EQ(DataReport(TextId::ReportLoaded, TextId::ReportTeamsFile, "x/season.txt"),
              "Loaded the team and driver data from season.txt");
    EXPECT_EQ(FormatText(TextId::ReportSaved, "Sample.GP3"), "Saved Sample.GP3");
    // One part of a shared picture is named by its owner.
    carSet.teams[4].drivers[1].name = "Ralf Schumacher";
    EXPECT_EQ(NamedReport(TextId::ReportLoaded, HelmetName(carSet, 9), "r.bmp"),
              "Loaded helmet of Ralf Schumacher from r.bmp");
    EXPECT_EQ(NamedReport(TextId::ReportLoaded, PitBoxSignName(carSet, 4), "sign.bmp"),
              "Loaded pit box sign for Jordan from sign.bmp");
}

TEST(CommandReports, AGameTransferCountsItsPicturesAndTheData) {
    EXPECT_EQ(TransferReport(TextId::ReportExported, {87, true}), "Exported 87 pictures and the team data to the game");
    EXPECT_EQ(TransferReport(TextId::ReportExported, {1, false}), "Exported 1 picture to the game");
    EXPECT_EQ(TransferReport(TextId::ReportExported, {0, true}), "Exported the team data to the game");
    EXPECT_EQ(TransferReport(TextId::ReportExported, {0, false}), "Exported 0 pictures to the game");
    EXPECT_EQ(TransferReport(TextId::ReportImported, {22, true}),
              "Imported 22 pictures and the team data from the game");
    // The settings and the number positions are named as what they are.
    EXPECT_EQ(TransferReport(TextId::ReportExported, {0, false, true}), "Exported the settings to the game");
    EXPECT_EQ(TransferReport(TextId::ReportExported, {0, false, false, true}),
              "Exported the car number positions to the game");
    EXPECT_EQ(TransferReport(TextId::ReportExported, {3, false, true, true}),
              "Exported 3 pictures, the settings and the car number positions to the game");
    // A whole transfer keeps its short form.
    EXPECT_EQ(TransferReport(TextId::ReportImported, {87, true, true, true}),
              "Imported 87 pictures and the team data from the game");
}

TEST(PictureRefusal, SaysWhyAFileIsNotThePictureWanted) {
    ScratchFolder folder;
    ASSERT_TRUE(Ok(SaveBitmapFile(folder / "small.bmp", test::Banded8(100, 50))));
    ASSERT_TRUE(Ok(SaveBitmapFile(folder / "small24.bmp", test::PhotoLike24(100, 50))));
    const std::string text(200, 't');
    test::WriteBytes(folder / "notes.bmp", std::vector<std::uint8_t>(text.begin(), text.end()));
    ASSERT_TRUE(Ok(SaveBitmapFile(folder / "livery.bmp", test::Banded8(256, 384))));
    const WantedPicture livery{GraphicKind::CarLivery, Variant::Software};
    EXPECT_EQ(PictureRefusal(livery, folder / "small.bmp"),
              "the bitmap does not have the required width and height (256 x 384 wanted)");
    EXPECT_EQ(PictureRefusal({GraphicKind::Cockpit, Variant::Software}, folder / "small.bmp"),
              "the bitmap does not have the required width and height (256 x 64 wanted)");
    EXPECT_EQ(PictureRefusal({GraphicKind::MenuArtwork, Variant::Hardware}, folder / "small24.bmp"),
              "the bitmap does not have the required width and height (1024 x 650 wanted)")
        << "the art sheet's file is wider than the sheet";
    EXPECT_EQ(PictureRefusal({GraphicKind::Helmets, Variant::Software, 128, 33}, folder / "small.bmp"),
              "the bitmap does not have the required width and height (128 x 33 wanted)");
    // A Load of one half wants the half's own file, not the whole sheet.
    EXPECT_EQ(
        PictureRefusal(WantedTyrePicture(GraphicKind::Tyre, Variant::Software, SheetHalves::Top), folder / "small.bmp"),
        "the bitmap does not have the required width and height (256 x 256 wanted)");
    EXPECT_EQ(PictureRefusal(WantedTyrePicture(GraphicKind::Tyre, Variant::Hardware, SheetHalves::Bottom),
                             folder / "small24.bmp"),
              "the bitmap does not have the required width and height (640 x 480 wanted)");
    EXPECT_EQ(PictureRefusal(WantedTyrePicture(GraphicKind::Tyre, Variant::Hardware, SheetHalves::Both),
                             folder / "small24.bmp"),
              "the bitmap does not have the required width and height (512 x 960 wanted)");
    EXPECT_EQ(PictureRefusal(WantedPitCrewPicture(Variant::Software, PitCrewHalf::Top), folder / "small.bmp"),
              "the bitmap does not have the required width and height (256 x 254 wanted)");
    EXPECT_EQ(PictureRefusal(livery, folder / "notes.bmp"), "the file is not a BMP file");
    EXPECT_EQ(PictureRefusal(livery, folder / "missing.bmp"), ErrorText(Error::OpenFailed));
    // Nothing to say when the file itself is fine, or when it is a JAM file.
    EXPECT_EQ(PictureRefusal(livery, folder / "livery.bmp"), "");
    EXPECT_EQ(PictureRefusal(livery, folder / "cars.jam"), "");
    EXPECT_EQ(PictureProblem(Error::BadPng, 1, 1), "the PNG file is damaged or cannot be read");
}

} // namespace
} // namespace tavolex
