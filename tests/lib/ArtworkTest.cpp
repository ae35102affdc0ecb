#include <gtest/gtest.h>

#include "TestSupport.h"
#include "document/CarSetFile.h"
#include "document/LazyGraphics.h"
#include "editing/ArtworkDisplay.h"
#include "editing/CommandMessages.h"
#include "editing/GraphicCommands.h"
#include "formats/ArtSheetBitmap.h"
#include "formats/BitmapFile.h"
#include "game/GraphicEnvironment.h"
#include "game/MenuArtArchive.h"
#include "sample/SampleGame.h"

namespace tavolex {
namespace {
using test::ScratchFolder;
namespace fs = std::filesystem;

using Bgr = std::array<std::uint8_t, 3>;
Bgr At(const PackedBitmap& image, int x, int y) {
    const std::uint8_t* p = image.topRow(y) + 3 * x;
    return {p[0], p[1], p[2]};
}
void Paint(PackedBitmap& image, const ArtRegion& r, Bgr colour) {
    for (int y = r.y; y < r.y + r.height; ++y) {
        for (int x = r.x; x < r.x + r.width; ++x) std::copy(colour.begin(), colour.end(), image.topRow(y) + 3 * x);
    }
}
constexpr Bgr kMagenta = {0xF8, 0x00, 0xF8};

TEST(ArtworkDisplay, PreparationComposesTheCornersAndRecoloursMagenta) {
    // Large picture j in grey 10 + j, small picture k in 100 + k with a magenta top-left pixel.
    PackedBitmap sheet = ArtSheetBackground();
    for (int j = 0; j < 4; ++j) Paint(sheet, ArtLargePicture(j), Bgr{std::uint8_t(10 + j), 0, 0});
    for (int k = 0; k < 6; ++k) {
        const ArtRegion small = ArtSmallPicture(k);
        Paint(sheet, small, Bgr{std::uint8_t(100 + k), 0, 0});
        Paint(sheet, {small.x, small.y, 1, 1}, kMagenta);
    }
    Paint(sheet, {5, 10, 1, 1}, kMagenta);
    const Rgb face = {0xD4, 0xD0, 0xC8};
    PrepareArtDisplay(sheet, face);

    // C(3j + k) starts as L j's corner; then S(3d + k) lies over C(6d + k) and C(6d + 3 + k).
    EXPECT_EQ(At(sheet, ArtCorner(4).x + 5, ArtCorner(4).y + 5), (Bgr{101, 0, 0})) << "S1 over C4 (d = 0, k = 1)";
    EXPECT_EQ(At(sheet, ArtCorner(8).x + 5, ArtCorner(8).y + 5), (Bgr{105, 0, 0})) << "S5 over C8 (d = 1, k = 2)";
    EXPECT_EQ(At(sheet, ArtCorner(4).x, ArtCorner(4).y), (Bgr{11, 0, 0})) << "a magenta pixel lets L1 show through";
    // Magenta above row 570 becomes the button face less 2, below it a quarter less 1.
    EXPECT_EQ(At(sheet, 5, 10), (Bgr{0xC8 - 2, 0xD0 - 2, 0xD4 - 2}));
    EXPECT_EQ(At(sheet, ArtSmallPicture(0).x, ArtSmallPicture(0).y), (Bgr{0xC8 / 4 - 1, 0xD0 / 4 - 1, 0xD4 / 4 - 1}));
    EXPECT_EQ(At(sheet, 79, 640), (Bgr{0xC8 / 4 - 1, 0xD0 / 4 - 1, 0xD4 / 4 - 1})) << "the magenta band";
    EXPECT_EQ(At(sheet, 1, 569), (Bgr{0, 0xFF, 0})) << "the green markers stay";

    // A black button face never goes below 0.
    PackedBitmap dark = ArtSheetBackground();
    PrepareArtDisplay(dark, {0, 1, 2});
    EXPECT_EQ(At(dark, 10, 600), (Bgr{0, 0, 0}));

    // The driver box of driver 1, frame 2 (on): L3 at the top left, S5 and C11 at 86, 86.
    const PackedBitmap box = ComposeDriverBox(sheet, 1, 2, face);
    ASSERT_TRUE(box.is(164, 164, Depth::Bits24));
    EXPECT_EQ(At(box, 3, 3), (Bgr{13, 0, 0}));
    EXPECT_EQ(At(box, 128, 20), (Bgr{0xC8, 0xD0, 0xD4})) << "the line along the large picture";
    EXPECT_EQ(At(box, 160, 160), (Bgr{105, 0, 0}));
    EXPECT_EQ(At(box, 100, 100), At(sheet, ArtCorner(11).x + 14, ArtCorner(11).y + 14));
    EXPECT_EQ(At(box, 150, 10), (Bgr{0xC8 / 4, 0xD0 / 4, 0xD4 / 4}));
    // Logo frame 0 (29 x 119) is centred in its 120 x 120 box.
    const PackedBitmap logo = ComposeLogoBox(sheet, 0, face);
    EXPECT_EQ(At(logo, 46, 60), At(sheet, ArtLogoFrame(0).x, ArtLogoFrame(0).y + 59));
    EXPECT_EQ(At(logo, 45, 60), (Bgr{0xC8, 0xD0, 0xD4}));
}

TEST(ArtworkDisplay, ADriverToggleShowsThreeFramesAndIgnoresStartsMeanwhile) {
    DriverToggle toggle;
    EXPECT_FALSE(toggle.running());
    std::vector<int> frames;
    ASSERT_TRUE(toggle.start());
    frames.push_back(toggle.frame());
    EXPECT_FALSE(toggle.start()) << "a toggle is running";
    while (toggle.tick()) frames.push_back(toggle.frame());
    frames.push_back(toggle.frame());
    EXPECT_EQ(frames, (std::vector<int>{0, 1, 2}));
    ASSERT_TRUE(toggle.start());
    frames = {toggle.frame()};
    while (toggle.tick()) frames.push_back(toggle.frame());
    frames.push_back(toggle.frame());
    EXPECT_EQ(frames, (std::vector<int>{2, 3, 0}));
}

TEST(ArtworkGraphics, TheSheetBitmapIsTheFileAndTheArchiveTheGame) {
    ScratchFolder folder;
    ASSERT_TRUE(Ok(MakeSampleGame(folder / "game")));
    fs::create_directories(folder / "tmp");
    const GraphicEnvironment environment{folder / "tmp", folder / "game", folder / "data"};
    CarSet carSet;
    NewCarSet(carSet);

    // Import expands the packed archive once and reads the team's pictures.
    PackedBitmap imported;
    ASSERT_TRUE(Ok(ImportGraphic(carSet, environment, GraphicKind::MenuArtwork, 4, Variant::Hardware, imported)));
    EXPECT_TRUE(fs::exists(folder / "game" / "Bitmaps" / "GP3ART5.BIN.old"));
    PackedBitmap direct;
    ASSERT_TRUE(Ok(ImportTeamArt(folder / "game" / "Bitmaps" / "GP3ART5.BIN", 4, direct)));
    EXPECT_EQ(imported, direct);

    // The user's file is the 1024 x 650 sheet bitmap, loaded, fetched and saved as such.
    ASSERT_TRUE(Ok(SaveArtSheetBitmap(folder / "art.bmp", imported)));
    PackedBitmap loaded;
    ASSERT_TRUE(Ok(
        LoadGraphic(carSet, environment, GraphicKind::MenuArtwork, 7, Variant::Hardware, folder / "art.bmp", loaded)));
    EXPECT_EQ(loaded, imported);
    EXPECT_EQ(carSet.teams[7].artwork, (GraphicSlot{GraphicSource::File, (folder / "art.bmp").string()}));
    PackedBitmap fetched;
    ASSERT_TRUE(
        Ok(FetchGraphic(carSet, environment, GraphicKind::MenuArtwork, 7, Variant::Hardware, fetched, false, nullptr)));
    EXPECT_EQ(fetched, imported);
    ASSERT_TRUE(Ok(SaveGraphicAs(GraphicKind::MenuArtwork, fetched, folder / "copy.bmp")));
    EXPECT_EQ(test::ReadBytes(folder / "copy.bmp"), test::ReadBytes(folder / "art.bmp"));
    ASSERT_TRUE(Ok(SaveBitmapFile(folder / "narrow.bmp", imported)));
    EXPECT_EQ(GraphicCommandMessage(GraphicCommand::Load, GraphicKind::MenuArtwork, Variant::Hardware,
                                    LoadGraphic(carSet, environment, GraphicKind::MenuArtwork, 7, Variant::Hardware,
                                                folder / "narrow.bmp", loaded)),
              TextId::CouldntLoadBitmap)
        << "a 948-wide bitmap is not a sheet bitmap";

    // Exported into the archive, saved in the car set with a game source.
    ASSERT_TRUE(Ok(ExportGraphic(environment, GraphicKind::MenuArtwork, 2, Variant::Hardware, imported)));
    ASSERT_TRUE(Ok(ImportTeamArt(folder / "game" / "Bitmaps" / "GP3ART5.BIN", 2, direct)));
    EXPECT_EQ(direct, imported);
    ASSERT_TRUE(Ok(SaveCarSet(carSet, folder / "set.gp3", environment)));
    EXPECT_EQ(carSet.teams[4].artwork.source, GraphicSource::CarSet);

    // A foreign archive: the game source fails with the archive's message.
    test::WriteBytes(folder / "game" / "Bitmaps" / "GP3ART5.BIN", {1, 2, 3});
    EXPECT_EQ(GraphicCommandMessage(
                  GraphicCommand::Import, GraphicKind::MenuArtwork, Variant::Hardware,
                  ImportGraphic(carSet, environment, GraphicKind::MenuArtwork, 4, Variant::Hardware, imported)),
              TextId::FailedToImportArt);
}

} // namespace
} // namespace tavolex
