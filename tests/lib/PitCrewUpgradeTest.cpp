#include <algorithm>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "editing/PitCrewMaskPicture.h"
#include "editing/PitCrewTemplates.h"
#include "editing/PitCrewUpgrade.h"
#include "formats/GameJam.h"
#include "formats/GamePalette.h"
#include "formats/JamNames.h"
#include "formats/PictureFile.h"
#include "game/GameFolder.h"
#include "game/GraphicEnvironment.h"
#include "sample/SampleGame.h"

namespace tavolex {
namespace {
using test::ScratchFolder;
namespace fs = std::filesystem;

std::uint8_t After(std::uint8_t p, std::uint8_t m) {
    std::uint8_t pixel = p;
    RecolourPitCrewPixels({&pixel, 1}, {&m, 1});
    return pixel;
}

TEST(PitCrewUpgrade, TheNineRulesOnASyntheticMask) {
    EXPECT_EQ(After(70, 0), 70) << "mask 0 leaves a pixel alone";
    EXPECT_EQ(After(70, 243), 71);
    EXPECT_EQ(After(79, 243), 79) << "the shade stops at 79";
    EXPECT_EQ(After(5, 243), 64) << "dark pixels join the range";
    EXPECT_EQ(After(70, 246), 71 + 128);
    EXPECT_EQ(After(5, 246), 64 + 128);
    EXPECT_EQ(After(70, 253), 71 + 144);
    EXPECT_EQ(After(150, 252), 151);
    EXPECT_EQ(After(159, 252), 159);
    EXPECT_EQ(After(0, 252), 0) << "index 0 is see-through and stays";
    EXPECT_EQ(After(3, 252), 144);
    EXPECT_EQ(After(64, 254), 176);
    EXPECT_EQ(After(70, 247), 246) << "70 - 80 modulo 256";
    EXPECT_EQ(After(50, 247), 242);
    EXPECT_EQ(After(170, 245), 234);
    EXPECT_EQ(After(140, 242), 132);
    EXPECT_EQ(After(144, 242), 144);
    EXPECT_EQ(After(100, 254), 100);
}

class PitCrewUpgradeGame : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(Ok(MakeSampleGame(game.path()))); }
    // Masks of `value` everywhere, file i with its own size unless `wrongFile` is i.
    void WriteMasks(std::uint8_t value, int wrongFile = -1) {
        for (int i = 0; i < kPitCrewUpgradeFiles; ++i) {
            const int height = ExpectedJamSize(100 + i, Variant::Software)->height;
            fs::create_directories(PitCrewMaskPath(data.path(), i).parent_path());
            test::WriteBytes(
                PitCrewMaskPath(data.path(), i),
                std::vector<std::uint8_t>(256u * static_cast<std::size_t>(height + (i == wrongFile ? 1 : 0)), value));
        }
    }
    PackedBitmap Read(int i) {
        PackedBitmap picture;
        const auto size = ExpectedJamSize(100 + i, Variant::Software);
        EXPECT_TRUE(Ok(ReadGameJam(game.path(), 100 + i, Variant::Software, size->height, size->imageCount, picture)));
        return picture;
    }
    std::vector<std::uint8_t> Bytes(int i) {
        return test::ReadBytes(*GameJamPath(game.path(), 100 + i, Variant::Software));
    }

    ScratchFolder game;
    ScratchFolder data;
};

TEST_F(PitCrewUpgradeGame, TheSampleGameHasTheSheetsAtTheirSizes) {
    EXPECT_EQ(ExpectedJamSize(105, Variant::Software)->height, 172);
    EXPECT_EQ(ExpectedJamSize(105, Variant::Software)->imageCount, 2);
    EXPECT_FALSE(ExpectedJamSize(105, Variant::Hardware));
    for (int i = 0; i < kPitCrewUpgradeFiles; ++i) {
        EXPECT_TRUE(Read(i).is(256, ExpectedJamSize(100 + i, Variant::Software)->height, Depth::Bits8)) << i;
    }
    EXPECT_EQ(PitCrewFilesNeedingUpgrade(game.path()).size(), 11u);
}

TEST_F(PitCrewUpgradeGame, WithoutAllMasksNothingIsWritten) {
    const auto before = Bytes(3);
    EXPECT_EQ(PitCrewUpgradeState(game.path(), data.path()), PitCrewFilesState::NoMasks);
    EXPECT_EQ(UpgradePitCrewFiles(game.path(), data.path(), nullptr), Error::OpenFailed);
    WriteMasks(254, 7); // one mask a row too long counts as missing
    test::WriteBytes(data / "PITCOLOR.DAT", {1});
    EXPECT_EQ(PitCrewUpgradeState(game.path(), data.path()), PitCrewFilesState::NoMasks);
    EXPECT_EQ(UpgradePitCrewFiles(game.path(), data.path(), nullptr), Error::OpenFailed);
    EXPECT_EQ(Bytes(3), before);
    EXPECT_FALSE(HasValidChecksums(Bytes(3)));
    EXPECT_TRUE(fs::exists(data / "PITCOLOR.DAT"));
}

TEST_F(PitCrewUpgradeGame, EveryFileIsRecolouredAndStampedOnceAndStaysReadable) {
    WriteMasks(254);
    std::vector<PackedBitmap> before;
    for (int i = 0; i < kPitCrewUpgradeFiles; ++i) before.push_back(Read(i));
    test::WriteBytes(data / "PITJACK.DAT", {1});
    // A file the upgrade cannot read is skipped and left unstamped; the others go on.
    test::WriteBytes(*GameJamPath(game.path(), 109, Variant::Software), {9, 9, 9});
    EXPECT_EQ(PitCrewUpgradeState(game.path(), data.path()), PitCrewFilesState::NeedsUpgrade);
    std::vector<int> done;
    EXPECT_FALSE(Ok(UpgradePitCrewFiles(game.path(), data.path(), nullptr, [&](int file) { done.push_back(file); })));
    EXPECT_EQ(done.size(), 10u);
    EXPECT_FALSE(fs::exists(data / "PITJACK.DAT")) << "the templates are built again";
    for (int i = 0; i < kPitCrewUpgradeFiles; ++i) {
        if (i == 9)
            continue;
        SCOPED_TRACE(i);
        EXPECT_TRUE(HasValidChecksums(Bytes(i)));
        PackedBitmap expected = before[static_cast<std::size_t>(i)];
        const std::vector<std::uint8_t> mask(expected.pixelBytes(), 254);
        RecolourPitCrewPixels({expected.pixels(), expected.pixelBytes()}, mask);
        EXPECT_EQ(Read(i), expected) << "the stamped file still reads";
    }
    EXPECT_EQ(PitCrewFilesNeedingUpgrade(game.path()), std::vector<int>{9});

    // Stamped files are never recoloured again, the broken one fails again; the
    // template is made from the upgraded sheet.
    const auto stamped = Bytes(0);
    done.clear();
    EXPECT_FALSE(Ok(UpgradePitCrewFiles(game.path(), data.path(), nullptr, [&](int file) { done.push_back(file); })));
    EXPECT_TRUE(done.empty());
    EXPECT_EQ(Bytes(0), stamped);
    PackedBitmap preview;
    const GraphicEnvironment environment{data.path(), game.path(), data.path()};
    ASSERT_TRUE(Ok(LoadPitCrewTemplate(environment, PitCrewTemplate::Colour, preview)));
    EXPECT_EQ(preview.topRow(50)[20], Read(0).topRow(50)[20]);
}

// A mask made by hand: the texture with its legend, painted in the marker
// colours, becomes the mask the upgrade reads, byte for byte in the
// texture's stored order; any other colour is refused with its place.
TEST_F(PitCrewUpgradeGame, APaintedMaskPictureBecomesTheMask) {
    for (const PitCrewMarkerColour& marker : PitCrewMarkerColours()) {
        for (const PaletteColour& colour : GamePalette) {
            EXPECT_FALSE(colour.red == marker.red && colour.green == marker.green && colour.blue == marker.blue)
                << "marker " << int{marker.value} << " is a colour of the game";
        }
    }
    ASSERT_EQ(PitCrewMarkerColours().size(), kPitCrewMaskMarkers.size());
    for (std::size_t m = 0; m < kPitCrewMaskMarkers.size(); ++m) {
        EXPECT_EQ(PitCrewMarkerColours()[m].value, kPitCrewMaskMarkers[m]);
    }

    const int file = 3;
    PackedBitmap texture;
    ASSERT_TRUE(Ok(ReadPitCrewUpgradeTexture(game.path(), file, texture)));
    const int height = ExpectedJamSize(100 + file, Variant::Software)->height;
    ASSERT_TRUE(texture.is(256, height, Depth::Bits8));
    PackedBitmap picture = MakePitCrewMaskPicture(texture);
    ASSERT_TRUE(picture.is(256 + kPitCrewLegendWidth, height, Depth::Bits24));
    // The texture in its own colours, the legend's first swatch in the first marker's colour.
    const PaletteColour own = GamePalette[texture.topRow(7)[9]];
    EXPECT_EQ(picture.topRow(7)[3 * 9 + 2], own.red);
    EXPECT_EQ(picture.topRow(7)[3 * 9 + 1], own.green);
    EXPECT_EQ(picture.topRow(7)[3 * 9 + 0], own.blue);
    for (std::size_t m = 0; m < PitCrewMarkerColours().size(); ++m) {
        const std::uint8_t* swatch = picture.topRow(static_cast<int>(m) * kPitCrewLegendSwatchRows + 2) + 3 * 280;
        EXPECT_EQ(swatch[2], PitCrewMarkerColours()[m].red) << m;
        EXPECT_EQ(swatch[0], PitCrewMarkerColours()[m].blue) << m;
    }

    std::vector<std::uint8_t> mask;
    PixelPosition bad;
    ASSERT_TRUE(Ok(PitCrewMaskFromPicture(texture, picture, mask, bad)));
    EXPECT_EQ(mask, std::vector<std::uint8_t>(PitCrewMaskSize(file), 0)) << "nothing painted: mask 0";

    // Marker 252 at (10, 0) from the top, marker 242 at (255, height - 1).
    auto paint = [&](int x, int y, const PitCrewMarkerColour& marker) {
        std::uint8_t* pixel = picture.topRow(y) + 3 * x;
        pixel[0] = marker.blue;
        pixel[1] = marker.green;
        pixel[2] = marker.red;
    };
    paint(10, 0, PitCrewMarkerColours()[5]);
    paint(255, height - 1, PitCrewMarkerColours()[0]);
    paint(300, 5, PitCrewMarkerColours()[3]); // the legend is not read
    ASSERT_TRUE(Ok(PitCrewMaskFromPicture(texture, picture, mask, bad)));
    ASSERT_EQ(mask.size(), PitCrewMaskSize(file));
    // Stored order is bottom-up: the top row is the last 256 bytes.
    EXPECT_EQ(mask[static_cast<std::size_t>(height - 1) * 256 + 10], 252);
    EXPECT_EQ(mask[255], 242);
    EXPECT_EQ(std::count(mask.begin(), mask.end(), 0), static_cast<std::ptrdiff_t>(mask.size() - 2));

    // Saved through the one picture loader (PNG here) and written where the upgrade looks.
    const fs::path png = data.path() / "painted.png";
    ASSERT_TRUE(Ok(SavePictureFile(png, picture)));
    PackedBitmap loaded;
    ASSERT_TRUE(Ok(LoadPitCrewMaskPicture(png, texture, loaded)));
    std::vector<std::uint8_t> again;
    ASSERT_TRUE(Ok(PitCrewMaskFromPicture(texture, loaded, again, bad)));
    EXPECT_EQ(again, mask);
    ASSERT_TRUE(Ok(WritePitCrewMask(data.path(), file, mask)));
    EXPECT_EQ(test::ReadBytes(PitCrewMaskPath(data.path(), file)), mask);
    EXPECT_EQ(WritePitCrewMask(data.path(), file, std::span(mask).first(mask.size() - 1)), Error::WrongBitmapSize);
    EXPECT_EQ(test::ReadBytes(PitCrewMaskPath(data.path(), file)), mask) << "a wrong size writes nothing";

    // A colour that is neither: refused at its place, from the top left.
    picture.topRow(20)[3 * 40 + 1] ^= 0x01;
    picture.topRow(30)[3 * 2 + 1] ^= 0x01;
    mask.assign(3, 7);
    EXPECT_EQ(PitCrewMaskFromPicture(texture, picture, mask, bad), Error::UnexpectedMaskColour);
    EXPECT_EQ(bad.x, 40);
    EXPECT_EQ(bad.y, 20);
    EXPECT_EQ(mask, std::vector<std::uint8_t>(3, 7)) << "nothing given back on a failure";
    // A picture of another size is refused.
    EXPECT_EQ(PitCrewMaskFromPicture(texture, PackedBitmap(256, height, Depth::Bits24), mask, bad),
              Error::WrongBitmapSize);
}

} // namespace
} // namespace tavolex
