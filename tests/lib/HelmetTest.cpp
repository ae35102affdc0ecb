#include <gtest/gtest.h>

#include "SampleGameSuite.h"
#include "TestSupport.h"
#include "document/HelmetPicture.h"
#include "document/LazyGraphics.h"
#include "editing/CommandMessages.h"
#include "editing/GraphicCommands.h"
#include "editing/HelmetCommands.h"
#include "formats/BitmapFile.h"
#include "formats/GameJam.h"
#include "formats/JamBuilder.h"
#include "formats/PaletteConversion.h"
#include "sample/SampleGame.h"

namespace tavolex {
namespace {
using test::ScratchFolder;
namespace fs = std::filesystem;

bool RowsEqual(const PackedBitmap& a, int ya, const PackedBitmap& b, int yb) {
    return std::equal(a.topRow(ya), a.topRow(ya) + a.stride(), b.topRow(yb));
}

class Helmets : public test::SampleGameSuite<false> {
  protected:
    const PackedBitmap& held(Variant variant) {
        return carSet.helmetImages[static_cast<std::size_t>(VariantIndex(variant))];
    }
    bool present(Variant variant) { return SourceOf(carSet, GraphicKind::Helmets, 0, variant) != GraphicSource::None; }
};

TEST(HelmetPicture, HelmetsArePlacedByDriverAndPart) {
    EXPECT_EQ(HelmetAt(200, 70, 256, 330), 5) << "the right half of the third row";
    EXPECT_EQ(HelmetAt(128, 0, 256, 330), 0) << "the middle column is still the left helmet";
    EXPECT_EQ(HelmetAt(129, 329, 256, 330), 21);
    EXPECT_EQ(HelmetAt(40, 35, 512, 660), 0);
    EXPECT_FALSE(HelmetAt(256, 0, 256, 330));
    EXPECT_EQ(HelmetPartOf(11), HelmetPart::D);
    EXPECT_EQ(HelmetPartOf(12), HelmetPart::E);

    PackedBitmap picture = BlankHelmets(Variant::Software);
    PackedBitmap one(128, 30, Depth::Bits8);
    std::fill_n(one.topRow(0), 128, 9);
    ASSERT_TRUE(Ok(PutHelmet(one, 5, picture)));
    EXPECT_EQ(picture.topRow(60)[128], 9);
    EXPECT_EQ(picture.topRow(60)[127], 0);
    EXPECT_EQ(picture.topRow(59)[200], 0);
    PackedBitmap back;
    ASSERT_TRUE(Ok(TakeHelmet(picture, 5, back)));
    EXPECT_EQ(back, one);
    EXPECT_FALSE(Ok(PutHelmet(one, 22, picture)));
    EXPECT_FALSE(Ok(PutHelmet(PackedBitmap(128, 30, Depth::Bits24), 1, picture))) << "depths must agree";

    const PackedBitmap blank = BlankHelmets(Variant::Hardware);
    EXPECT_EQ(blank.topRow(100)[0], 0x67);
    EXPECT_EQ(blank.topRow(100)[1], 0x67);
    EXPECT_EQ(blank.topRow(100)[2], 0x3F);
}

TEST_F(Helmets, HelmetElevenAndTwelveComeFromDifferentFiles) {
    // A game with only the first file: helmet 11 imports, helmet 12 cannot.
    const auto partD = GameJamPath(game_->path(), 11, Variant::Software);
    ASSERT_TRUE(partD);
    fs::create_directories(folder / "game" / "ZO3ZIDS" / "Liveries");
    fs::copy_file(*partD, folder / "game" / "ZO3ZIDS" / "Liveries" / "HELMETSD.JAM");
    environment.gameFolder = folder / "game";
    PackedBitmap image;
    ASSERT_TRUE(Ok(ImportHelmet(carSet, environment, Variant::Software, 11, image)));
    EXPECT_TRUE(present(Variant::Software));
    PackedBitmap game;
    ASSERT_TRUE(Ok(ReadGameJam(game_->path(), 11, Variant::Software, 180, 12, game)));
    EXPECT_TRUE(std::equal(game.topRow(150) + 128, game.topRow(150) + 256, image.topRow(150) + 128));
    EXPECT_EQ(image.topRow(150)[0], 0) << "the rest of an absent picture is blank";
    const PackedBitmap before = held(Variant::Software);
    EXPECT_EQ(
        PictureCommandMessage(GraphicCommand::Import, ImportHelmet(carSet, environment, Variant::Software, 12, image)),
        TextId::FailedToImportJam);
    EXPECT_EQ(held(Variant::Software), before);

    // Exporting helmet 11 patches only the first file, and gives it back.
    PackedBitmap one(128, 30, Depth::Bits8);
    std::fill_n(one.pixels(), one.pixelBytes(), 77);
    PackedBitmap picture = held(Variant::Software);
    ASSERT_TRUE(Ok(PutHelmet(one, 11, picture)));
    StoreHeldPicture(carSet, GraphicKind::Helmets, Variant::Software, picture);
    ASSERT_TRUE(Ok(ExportHelmet(carSet, environment, Variant::Software, 11)));
    ASSERT_TRUE(Ok(ReadGameJam(environment.gameFolder, 11, Variant::Software, 180, 12, game)));
    EXPECT_EQ(game.topRow(150)[130], 77);
    EXPECT_EQ(PictureCommandMessage(GraphicCommand::Export, ExportHelmet(carSet, environment, Variant::Software, 12)),
              TextId::FailedToPatchJam);
}

TEST_F(Helmets, WholeAndPartBitmapsLoadIntoAnAbsentVariant) {
    const PackedBitmap colour = test::PhotoLike24(256, 330, 3);
    PackedBitmap rows180(256, 180, Depth::Bits24);
    for (int y = 0; y < 180; ++y) std::copy_n(colour.topRow(y), rows180.stride(), rows180.topRow(y));
    ASSERT_TRUE(Ok(SaveBitmapFile(folder / "d.bmp", rows180)));
    PackedBitmap image;
    ASSERT_TRUE(Ok(LoadHelmets(carSet, Variant::Hardware, folder / "d.bmp", image)));
    EXPECT_TRUE(present(Variant::Hardware));
    EXPECT_TRUE(RowsEqual(image, 179, colour, 179));
    EXPECT_TRUE(RowsEqual(image, 180, BlankHelmets(Variant::Hardware), 180)) << "part E stays blank";

    // Part E alone replaces only its rows; the whole picture replaces all.
    PackedBitmap rows150(256, 150, Depth::Bits24);
    std::fill_n(rows150.pixels(), rows150.pixelBytes(), 0x20);
    ASSERT_TRUE(Ok(SaveBitmapFile(folder / "e.bmp", rows150)));
    ASSERT_TRUE(Ok(LoadHelmets(carSet, Variant::Hardware, folder / "e.bmp", image)));
    EXPECT_TRUE(RowsEqual(image, 0, colour, 0));
    EXPECT_EQ(image.topRow(329)[0], 0x20);
    ASSERT_TRUE(Ok(SaveBitmapFile(folder / "all.bmp", colour)));
    ASSERT_TRUE(Ok(LoadHelmets(carSet, Variant::Hardware, folder / "all.bmp", image)));
    EXPECT_EQ(held(Variant::Hardware), colour);

    // Any other size is refused and changes nothing.
    ASSERT_TRUE(Ok(SaveBitmapFile(folder / "odd.bmp", PackedBitmap(256, 151, Depth::Bits24))));
    EXPECT_EQ(
        PictureCommandMessage(GraphicCommand::Load, LoadHelmets(carSet, Variant::Hardware, folder / "odd.bmp", image)),
        TextId::CouldntLoadBitmap);
    EXPECT_EQ(held(Variant::Hardware), colour);
    EXPECT_FALSE(present(Variant::Software));
}

TEST_F(Helmets, AJamOfTheOtherVariantIsTriedAsPartEThenDAndConverted) {
    const PackedBitmap colour = test::ReducedTo565(test::PhotoLike24(256, 180, 5));
    std::vector<std::uint8_t> jam;
    ASSERT_TRUE(Ok(BuildHardwareJam(colour, 12, jam)));
    test::WriteBytes(folder / "d.jam", jam);
    PackedBitmap image;
    ASSERT_TRUE(Ok(LoadHelmets(carSet, Variant::Software, folder / "d.jam", image)));
    PackedBitmap expected;
    ASSERT_TRUE(Ok(ReduceToPalette(colour, expected, 0, 254)));
    EXPECT_TRUE(RowsEqual(image, 100, expected, 100)) << "nearest colours among 0-253";
    EXPECT_EQ(image.topRow(200)[5], 0);
    test::WriteBytes(folder / "bad.jam", {0, 1});
    EXPECT_EQ(
        PictureCommandMessage(GraphicCommand::Load, LoadHelmets(carSet, Variant::Software, folder / "bad.jam", image)),
        TextId::FailedToImportJam);
}

TEST_F(Helmets, WholePicturesGoBothWaysAndGenerateAndRemoveUseTheFlags) {
    PackedBitmap image;
    ASSERT_TRUE(Ok(ImportHelmets(carSet, environment, Variant::Hardware, HelmetPart::Both, image)));
    ASSERT_TRUE(Ok(SaveHelmetsAs(carSet, Variant::Hardware, HelmetPart::E, folder / "e.bmp")));
    PackedBitmap part;
    ASSERT_TRUE(Ok(LoadBitmapFile(folder / "e.bmp", part, 256, 150, Depth::Bits24)));
    EXPECT_TRUE(RowsEqual(part, 0, image, 180));
    ASSERT_TRUE(Ok(SaveHelmetAs(carSet, Variant::Hardware, 3, folder / "three.bmp")));
    ASSERT_TRUE(Ok(LoadBitmapFile(folder / "three.bmp", part, 128, 30, Depth::Bits24)));

    // The fetch gives the held picture; Generate fills the other variant; Remove empties one.
    PackedBitmap fetched;
    ASSERT_TRUE(
        Ok(FetchGraphic(carSet, environment, GraphicKind::Helmets, 0, Variant::Hardware, fetched, true, nullptr)));
    EXPECT_EQ(fetched, image);
    EXPECT_EQ(PictureCommandMessage(GraphicCommand::Generate, GenerateGraphic(carSet, environment, GraphicKind::Helmets,
                                                                              0, Variant::Hardware, image, image)),
              TextId::FailedToGenerateBitmap)
        << "nothing to generate from";
    ASSERT_TRUE(Ok(GenerateGraphic(carSet, environment, GraphicKind::Helmets, 0, Variant::Software, image, image)));
    EXPECT_TRUE(present(Variant::Software));
    EXPECT_TRUE(image.is(256, 330, Depth::Bits8));
    RemoveGraphic(carSet, GraphicKind::Helmets, 0, Variant::Hardware);
    EXPECT_FALSE(present(Variant::Hardware));
    EXPECT_TRUE(held(Variant::Hardware).empty());
    EXPECT_EQ(PictureCommandMessage(GraphicCommand::Export,
                                    ExportHelmets(carSet, environment, Variant::Hardware, HelmetPart::Both)),
              TextId::FailedToPatchJam);
    ASSERT_TRUE(Ok(ExportHelmets(carSet, environment, Variant::Software, HelmetPart::Both)));

    // The common Load keeps a whole picture in memory too.
    ASSERT_TRUE(Ok(SaveBitmapFile(folder / "whole.bmp", test::PhotoLike24(256, 330, 9))));
    ASSERT_TRUE(
        Ok(LoadGraphic(carSet, environment, GraphicKind::Helmets, 0, Variant::Hardware, folder / "whole.bmp", image)));
    EXPECT_TRUE(present(Variant::Hardware));
    EXPECT_EQ(held(Variant::Hardware), image);
}

} // namespace
} // namespace tavolex
