#include <gtest/gtest.h>

#include <set>

#include "TestSupport.h"
#include "document/PitCrewSheet.h"
#include "editing/PitCrewTemplates.h"
#include "editing/PitCrewUpgrade.h"
#include "formats/GameJam.h"
#include "formats/PitCrewPainting.h"
#include "game/GameFileList.h"
#include "game/GraphicEnvironment.h"
#include "game/MenuArtArchive.h"
#include "game/MenuArtBuilder.h"
#include "sample/SampleArt.h"
#include "sample/SampleGame.h"
#include "sample/SamplePictures.h"
#include "sample/SamplePitCrew.h"
#include "sample/SamplePitCrewMasks.h"

namespace tavolex {
namespace {
namespace fs = std::filesystem;
using test::ScratchFolder;

std::vector<std::uint16_t> ArtPixels(const PackedBitmap& picture) {
    std::vector<std::uint16_t> pixels;
    for (int y = 0; y < picture.height(); ++y) {
        const std::uint8_t* p = picture.topRow(y);
        for (int x = 0; x < picture.width(); ++x, p += 3) {
            pixels.push_back(static_cast<std::uint16_t>((p[0] >> 3) | (p[1] >> 3) << 5 | (p[2] >> 3) << 10));
        }
    }
    return pixels;
}

// The pictures are drawn, not random: the same each time, at the game's sizes.
TEST(SampleGamePictures, AreTheSameEveryTimeAtEveryTexturesSize) {
    for (const GameJamFile& jam : GameJamFiles()) {
        SCOPED_TRACE(jam.index);
        const PackedBitmap picture = SampleJamPicture(jam.index, jam.variant, jam.height);
        EXPECT_TRUE(picture.is(256, jam.height, jam.variant == Variant::Software ? Depth::Bits8 : Depth::Bits24));
        EXPECT_EQ(SampleJamPicture(jam.index, jam.variant, jam.height), picture);
    }
    EXPECT_EQ(SampleTechJamPicture(0).width(), 640);
    EXPECT_EQ(SampleTechJamPicture(7).height(), 200);
}

// Packing a drawn picture gives back every pixel through the game's decoder,
// with the tokens real art has: transparent runs, copies and literals.
TEST(SampleGamePictures, MenuArtIsCutOutOfMagentaAndUnpacksToWhatWasDrawn) {
    const std::vector<std::uint8_t> archive = BuildSampleArtArchive();
    std::vector<ArtEntry> entries;
    ASSERT_TRUE(Ok(ReadArtDirectory(archive, entries)));
    for (int team : {0, 10}) {
        const auto teamEntries = TeamArtEntries(team);
        for (int k = 0; k < kArtPicturesPerTeam; ++k) {
            SCOPED_TRACE(k);
            const int entry = teamEntries[static_cast<std::size_t>(k)];
            const ArtEntry& e = entries[static_cast<std::size_t>(entry)];
            ASSERT_TRUE(e.packed());
            const std::vector<std::uint16_t> drawn = ArtPixels(SampleArtPicture(team, k));
            std::vector<std::uint16_t> decoded;
            ASSERT_TRUE(Ok(DecodePackedArt(
                std::span(archive).subspan(static_cast<std::size_t>(e.offset), static_cast<std::size_t>(e.size)),
                e.width, e.height, entry, decoded)));
            ASSERT_EQ(decoded, drawn);
            EXPECT_EQ(drawn.front(), kArtTransparent) << "the top-left corner is background";
            // Runs make a cut-out picture far smaller than its pixels.
            if (HasTransparentRuns(entry)) {
                EXPECT_LT(e.size, e.width * e.height);
            }
        }
    }
    // The logo turns: its frames differ.
    EXPECT_NE(ArtPixels(SampleArtPicture(3, 0)), ArtPixels(SampleArtPicture(3, 1)));
    std::vector<std::uint8_t> expanded;
    bool changed = false;
    ASSERT_TRUE(Ok(ExpandArtArchive(archive, expanded, changed))) << "every picture fits its slot";
    EXPECT_TRUE(changed);
}

TEST(SampleGamePictures, PackingUsesCopiesOfTheRowAboveAndThePixelBefore) {
    // A stretch of one colour, the same row again, then two of it and a few others.
    std::vector<std::uint16_t> pixels(64, 0x1234);
    const std::vector<std::uint16_t> last = {0x1234, 0x1234, 1, 2, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3,
                                             3,      3,      3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3};
    pixels.insert(pixels.end(), last.begin(), last.end());
    const auto packed = PackArtPixels(pixels, 32, 500);
    std::vector<std::uint16_t> decoded;
    ASSERT_TRUE(Ok(DecodePackedArt(packed, 32, 3, 500, decoded)));
    EXPECT_EQ(decoded, pixels);
    EXPECT_LT(packed.size(), 48u) << "four literals, the rest copies";
    const std::vector<std::uint16_t> odd = {0x7C1F, 0x7C1F, 5, 0x7C1F};
    const auto plain = PackArtPixels(odd, 4, 425); // an entry without transparent runs
    ASSERT_TRUE(Ok(DecodePackedArt(plain, 4, 1, 425, decoded)));
    EXPECT_EQ(decoded, odd);
}

// The pit crews end to end: the sample masks upgrade the sample sheets so
// that the templates hold every paintable area, and a team's crew in the game
// is the template painted in the team's crew colours.
TEST(SampleGamePictures, TheSampleMasksMarkEveryPaintableAreaOfTheCrew) {
    ScratchFolder game;
    ScratchFolder data;
    ASSERT_TRUE(Ok(MakeSampleGame(game.path())));
    ASSERT_TRUE(Ok(WriteSamplePitCrewMasks(data.path())));
    EXPECT_EQ(PitCrewUpgradeState(game.path(), data.path()), PitCrewFilesState::NeedsUpgrade);
    ASSERT_TRUE(Ok(UpgradePitCrewFiles(game.path(), data.path(), nullptr)));
    const GraphicEnvironment environment{data.path(), game.path(), data.path()};
    PackedBitmap preview;
    PackedBitmap jack;
    ASSERT_TRUE(Ok(LoadPitCrewTemplate(environment, PitCrewTemplate::Colour, preview)));
    ASSERT_TRUE(Ok(LoadPitCrewTemplate(environment, PitCrewTemplate::Jack, jack)));
    std::set<int> areas;
    for (int y = 0; y < preview.height(); ++y) {
        for (int x = 0; x < preview.width(); ++x) {
            if (preview.topRow(y)[x] >= kFirstPaintedPixel)
                areas.insert(preview.topRow(y)[x] / 16);
        }
    }
    EXPECT_EQ(areas, (std::set<int>{3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));

    for (int team : {0, 7}) {
        SCOPED_TRACE(team);
        PackedBitmap top;
        const int rows = PitCrewFileRows(team);
        ASSERT_TRUE(
            Ok(ReadGameJam(game.path(), PitCrewJamIndex(team, PitCrewHalf::Top), Variant::Software, rows, 1, top)));
        PackedBitmap sheet = PitCrewFill(kPitCrewSheetWidth, kPitCrewSheetHeight, Variant::Software);
        ASSERT_TRUE(Ok(PutPitCrewHalf(top, PitCrewHalf::Top, sheet)));
        const PackedBitmap painted = PaintPitCrew(jack, SampleCrewColours(team));
        for (int y = 0; y < kPitCrewHalfRows; ++y) {
            ASSERT_TRUE(std::equal(painted.topRow(y), painted.topRow(y) + kPitCrewSheetWidth, sheet.topRow(y))) << y;
        }
    }
}

} // namespace
} // namespace tavolex
