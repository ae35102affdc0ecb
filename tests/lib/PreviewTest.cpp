// The car set preview and its parts: the bitmap font over all of
// Windows-1252, the canvas's scaling, and the preview of real car sets.
#include <algorithm>
#include <set>

#include <gtest/gtest.h>

#include "SampleGameSuite.h"
#include "TestSupport.h"
#include "document/CarSetFile.h"
#include "document/LazyGraphics.h"
#include "formats/ArtSheetBitmap.h"
#include "formats/BitmapFile.h"
#include "formats/BitmapOps.h"
#include "formats/PictureFile.h"
#include "game/GraphicEnvironment.h"
#include "preview/BitmapFont.h"
#include "preview/CarSetPreview.h"
#include "preview/PreviewCanvas.h"
#include "transfer/ImportWorker.h"
#include "transfer/SelectionChoice.h"

namespace tavolex {
namespace {
using test::ScratchFolder;
namespace fs = std::filesystem;

bool Undefined(int code) { return code == 0x81 || code == 0x8D || code == 0x8F || code == 0x90 || code == 0x9D; }

int InkCount(const Glyph& glyph) {
    int count = 0;
    for (int y = 0; y < kGlyphRows; ++y) {
        for (int x = 0; x < kGlyphColumns; ++x) {
            count += glyph.ink(x, y) ? 1 : 0;
        }
    }
    return count;
}

bool Covers(const Glyph& outer, const Glyph& inner) {
    for (std::size_t y = 0; y < inner.rows.size(); ++y) {
        if ((outer.rows[y] & inner.rows[y]) != inner.rows[y]) {
            return false;
        }
    }
    return true;
}

TEST(BitmapFont, EveryWindows1252CharacterHasAGlyphOfItsOwn) {
    const Glyph& box = GlyphOf(0x01);
    // Characters that look alike in any font.
    const std::set<std::pair<int, int>> twins = {{' ', 0xA0}, {'-', 0xAD}, {',', 0x82}};
    for (int code = 0; code < 256; ++code) {
        SCOPED_TRACE(code);
        const Glyph& glyph = GlyphOf(static_cast<std::uint8_t>(code));
        if (code < 0x20 || code == 0x7F || Undefined(code)) {
            EXPECT_EQ(glyph, box) << "a byte without a character shows the open box";
            continue;
        }
        EXPECT_NE(glyph, box);
        const bool blank = code == ' ' || code == 0xA0;
        EXPECT_EQ(InkCount(glyph) == 0, blank);
        for (int other = 0x20; other < code; ++other) {
            if (other != 0x7F && !Undefined(other) && !twins.contains({other, code})) {
                EXPECT_NE(glyph, GlyphOf(static_cast<std::uint8_t>(other))) << "same as " << other;
            }
        }
    }
}

TEST(BitmapFont, AccentedLettersAreTheirLetterWithAMark) {
    const std::pair<std::uint8_t, char> letters[] = {{0xE4, 'a'}, {0xF6, 'o'}, {0xD6, 'O'}, {0xC5, 'A'}, {0xE7, 'c'},
                                                     {0xC7, 'C'}, {0x8A, 'S'}, {0x9E, 'z'}, {0xF1, 'n'}, {0x9F, 'Y'},
                                                     {0xE9, 'e'}, {0xDC, 'U'}, {0xFD, 'y'}};
    for (const auto& [accented, letter] : letters) {
        SCOPED_TRACE(letter);
        const Glyph& glyph = GlyphOf(accented);
        const Glyph& base = GlyphOf(static_cast<std::uint8_t>(letter));
        EXPECT_TRUE(Covers(glyph, base));
        EXPECT_GT(InkCount(glyph), InkCount(base));
    }
    // An accented i carries its mark in place of the dot.
    EXPECT_FALSE(Covers(GlyphOf(0xED), GlyphOf('i')));
}

Rgb PixelAt(const PackedBitmap& image, int x, int y) {
    const std::uint8_t* p = image.topRow(y) + 3 * x;
    return {p[2], p[1], p[0]};
}

int CountColour(const PackedBitmap& image, Rgb colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += PixelAt(image, x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

TEST(PreviewCanvas, MapsUnitsToPixelsAndSamplesPicturesNearestNeighbour) {
    PreviewCanvas canvas;
    ASSERT_TRUE(canvas.reset(10, 5, 30, {0, 0, 0}));
    EXPECT_EQ(canvas.image().width(), 30);
    EXPECT_EQ(canvas.image().height(), 15);
    canvas.fill({1, 1, 2, 1}, {255, 0, 0});
    EXPECT_EQ(CountColour(canvas.image(), {255, 0, 0}), 6 * 3);
    EXPECT_EQ(PixelAt(canvas.image(), 3, 3), (Rgb{255, 0, 0}));
    EXPECT_EQ(PixelAt(canvas.image(), 2, 3), (Rgb{0, 0, 0}));

    // A 2 x 2 palette picture over 2 x 2 units: four blocks of 3 x 3 pixels in
    // the palette's colours, no colour in between.
    PackedBitmap checker(2, 2, Depth::Bits8);
    checker.topRow(0)[0] = 1;
    checker.topRow(0)[1] = 2;
    checker.topRow(1)[0] = 3;
    checker.topRow(1)[1] = 4;
    canvas.picture(checker, {4, 2, 2, 2});
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 6; ++x) {
            const int index = checker.topRow(y / 3)[x / 3];
            const std::uint8_t* entry = checker.palette() + 4 * index;
            EXPECT_EQ(PixelAt(canvas.image(), 12 + x, 6 + y), (Rgb{entry[2], entry[1], entry[0]})) << x << "," << y;
        }
    }

    EXPECT_FALSE(canvas.reset(1, 2, PackedBitmap::kMaxSide, {0, 0, 0})) << "too tall";
    EXPECT_FALSE(canvas.reset(10, 5, 0, {0, 0, 0}));
    EXPECT_EQ(FitInside(256, 384, {10, 0, 100, 96}), (PreviewBox{10 + 18, 0, 64, 96}));
    EXPECT_EQ(FitInside(256, 16, {0, 0, 128, 128}), (PreviewBox{0, 60, 128, 8}));
}

TEST(PreviewCanvas, TextIsWindows1252AndStopsAtItsRightEdge) {
    auto draw = [](std::string_view text, int right) {
        PreviewCanvas canvas;
        EXPECT_TRUE(canvas.reset(80, kGlyphRows, 80, {0, 0, 0}));
        canvas.text(0, 0, text, {255, 255, 255}, right);
        return canvas.take();
    };
    const PackedBitmap plain = draw("Raikkonen", 80);
    const PackedBitmap accented = draw("R\xE4ikk\xF6nen", 80);
    // The same letters in the same places: only the marks over small letters differ.
    constexpr int kMarkRows[] = {2, 3};
    std::set<int> rows;
    for (int y = 0; y < plain.height(); ++y) {
        for (int x = 0; x < plain.width(); ++x) {
            if (PixelAt(plain, x, y) != PixelAt(accented, x, y)) {
                rows.insert(y);
                EXPECT_TRUE(x / kGlyphAdvance == 1 || x / kGlyphAdvance == 5) << x;
            }
        }
    }
    EXPECT_FALSE(rows.empty());
    EXPECT_TRUE(std::includes(std::begin(kMarkRows), std::end(kMarkRows), rows.begin(), rows.end()));
    // A character that does not fit whole is left out.
    const PackedBitmap cut = draw("WWWWWWWWWW", 2 * kGlyphAdvance + kGlyphColumns - 1);
    for (int y = 0; y < cut.height(); ++y) {
        for (int x = 2 * kGlyphAdvance; x < cut.width(); ++x) {
            EXPECT_EQ(PixelAt(cut, x, y), (Rgb{0, 0, 0}));
        }
    }
}

// A car set whose slots are given plain colours, for finding them in a preview.
class PreviewOfPictures : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(folder / "tmp");
        environment = {folder / "tmp", {}, folder / "data"};
        NewCarSet(carSet);
    }

    // A one-coloured picture of the slot (palette index `index` for software) as its file.
    void Paint(GraphicKind kind, int slot, Variant variant, Rgb colour, std::uint8_t index = 0) {
        PackedBitmap image;
        FillBitmap(image, SheetWidth(kind, variant), SheetHeight(kind, variant),
                   MakeColour(colour[0], colour[1], colour[2]), index, SheetDepth(kind, variant));
        const fs::path path = folder / (std::to_string(files++) + ".bmp");
        ASSERT_TRUE(
            Ok(kind == GraphicKind::MenuArtwork ? SaveArtSheetBitmap(path, image) : SaveBitmapFile(path, image)));
        SetSlotFromFile(carSet, kind, slot, variant, path);
    }

    PackedBitmap Preview(std::optional<int> team = std::nullopt, int width = 0) {
        PreviewOptions options;
        options.team = team;
        options.width = width;
        PackedBitmap picture;
        EXPECT_TRUE(Ok(DrawCarSetPreview(carSet, environment, options, picture)));
        return picture;
    }

    ScratchFolder folder;
    GraphicEnvironment environment;
    CarSet carSet;
    int files = 0;
};

Rgb PaletteColour(std::uint8_t index) {
    PackedBitmap image(1, 1, Depth::Bits8);
    const std::uint8_t* entry = image.palette() + 4 * index;
    return {entry[2], entry[1], entry[0]};
}

TEST_F(PreviewOfPictures, ShowsTheHardwarePictureElseTheSoftwareOneThroughThePalette) {
    const Rgb red = {250, 10, 10};
    Paint(GraphicKind::CarLivery, 0, Variant::Hardware, red);
    Paint(GraphicKind::CarLivery, 0, Variant::Software, {}, 200);
    Paint(GraphicKind::Cockpit, 4, Variant::Software, {}, 120);
    const PackedBitmap both = Preview();
    EXPECT_EQ(both.width(), NaturalPreviewWidth({}));
    EXPECT_GT(CountColour(both, red), 80 * 120);
    EXPECT_EQ(CountColour(both, PaletteColour(200)), 0);
    EXPECT_EQ(CountColour(both, PaletteColour(120)), 128 * 32) << "the software cockpit (256 x 64), alone";

    RemoveSlot(carSet, GraphicKind::CarLivery, 0, Variant::Hardware);
    const PackedBitmap software = Preview();
    EXPECT_EQ(CountColour(software, red), 0);
    EXPECT_GT(CountColour(software, PaletteColour(200)), 80 * 120);
}

TEST_F(PreviewOfPictures, DrawsAGeneratedPictureAsGeneratedAndLeavesTheCarSetAsItWas) {
    Paint(GraphicKind::CarLivery, 2, Variant::Software, {}, 77);
    SetSlotGenerated(carSet, GraphicKind::CarLivery, 2, Variant::Hardware);
    const auto before = carSet.teams;
    const PackedBitmap generated = Preview();
    EXPECT_TRUE(carSet.teams == before) << "the preview fetches from a copy: the slot keeps no cache";

    PackedBitmap made;
    CarSet other = carSet;
    ASSERT_TRUE(Ok(GenerateVariant(other, environment, GraphicKind::CarLivery, 2, Variant::Hardware, &made)));
    const fs::path file = folder / "made.bmp";
    ASSERT_TRUE(Ok(SaveBitmapFile(file, made)));
    SetSlotFromFile(carSet, GraphicKind::CarLivery, 2, Variant::Hardware, file);
    EXPECT_TRUE(Preview() == generated);
}

TEST_F(PreviewOfPictures, EmptySlotsShowAPlaceholder) {
    const Rgb placeholder = {72, 74, 80};
    const int empty = CountColour(Preview(), placeholder);
    EXPECT_GT(empty, 11 * 128 * 128);
    Paint(GraphicKind::Cockpit, 5, Variant::Hardware, {1, 2, 3});
    const PackedBitmap filled = Preview();
    EXPECT_EQ(CountColour(filled, {1, 2, 3}), 128 * 128);
    EXPECT_LT(CountColour(filled, placeholder), empty - 120 * 120);
}

TEST_F(PreviewOfPictures, OneTeamAndAnyWidthKeepPixelsCrisp) {
    const Rgb blue = {0, 0, 240};
    const Rgb green = {0, 200, 0};
    Paint(GraphicKind::CarLivery, 0, Variant::Hardware, blue);
    Paint(GraphicKind::CarLivery, 3, Variant::Hardware, green);
    Paint(GraphicKind::MenuArtwork, 3, Variant::Hardware, {90, 10, 90});
    carSet.teams[3].drivers[0].name = "Kimi R\xE4ikk\xF6nen";

    const PackedBitmap one = Preview(3);
    EXPECT_EQ(one.width(), NaturalPreviewWidth(PreviewOptions{3, 0}));
    EXPECT_EQ(CountColour(one, blue), 0);
    EXPECT_GT(CountColour(one, green), 4 * 80 * 120) << "drawn larger";
    EXPECT_GT(CountColour(one, {90, 10, 90}), 0) << "the badge";

    // At twice the width every unit is 2 x 2 pixels of the same colour.
    const PackedBitmap natural = Preview();
    const PackedBitmap doubled = Preview(std::nullopt, 2 * natural.width());
    ASSERT_EQ(doubled.height(), 2 * natural.height());
    for (int y = 0; y < doubled.height(); ++y) {
        for (int x = 0; x < doubled.width(); ++x) {
            ASSERT_EQ(PixelAt(doubled, x, y), PixelAt(natural, x / 2, y / 2)) << x << "," << y;
        }
    }
    const PackedBitmap narrow = Preview(std::nullopt, 300);
    EXPECT_EQ(narrow.width(), 300);
    EXPECT_EQ(narrow.height(), natural.height() * 300 / natural.width());
}

TEST_F(PreviewOfPictures, FailsWithoutWritingWhenAPictureCannotBeReadOrThePictureIsTooLarge) {
    Paint(GraphicKind::PitCrew, 6, Variant::Hardware, {5, 5, 5});
    const fs::path target = folder / "preview.png";
    fs::remove(carSet.teams[6].pitCrew[1].path);
    EXPECT_EQ(SaveCarSetPreview(carSet, environment, {}, target), Error::SourceUnreadable);
    EXPECT_FALSE(fs::exists(target));
    RemoveSlot(carSet, GraphicKind::PitCrew, 6, Variant::Hardware);
    EXPECT_EQ(SaveCarSetPreview(carSet, environment, PreviewOptions{std::nullopt, PackedBitmap::kMaxSide}, target),
              Error::WrongBitmapSize)
        << "taller than any picture may be";
    EXPECT_EQ(SaveCarSetPreview(carSet, environment, PreviewOptions{11, 0}, target), Error::InvalidName);
    EXPECT_FALSE(fs::exists(target));
    ASSERT_TRUE(Ok(SaveCarSetPreview(carSet, environment, PreviewOptions{std::nullopt, 500}, target)));
    PackedBitmap written;
    ASSERT_TRUE(Ok(LoadPictureFile(target, written, 500, 500 * 1874 / 1099, Depth::Bits24)));
}

TEST(CarSetTitle, IsTheFirstLineOfTheInformationElseTheFileName) {
    CarSet carSet = test::NewSet();
    EXPECT_EQ(CarSetTitle(carSet), "Untitled car set");
    carSet.path = "/cars/F\xC3\xB6rmula.GP3";
    EXPECT_EQ(CarSetTitle(carSet), "F\xF6rmula.GP3") << "drawn in Windows-1252";
    carSet.information = "1998 season \x80 by J\xFCrgen\r\nSecond line";
    carSet.hasInformation = 1;
    EXPECT_EQ(CarSetTitle(carSet), "1998 season \x80 by J\xFCrgen");
    carSet.information = "  \r\nSecond line";
    EXPECT_EQ(CarSetTitle(carSet), "F\xF6rmula.GP3") << "a blank first line is no title";
}

using SampleCarSetPreview = test::SampleGameSuite<>;

// The sample car set as `make demo` makes it: the game imported, saved, opened again.
TEST_F(SampleCarSetPreview, ShowsEveryTeamOfTheSampleGame) {
    ASSERT_EQ(
        ImportFromGame(carSet, environment, ExeStatus::Supported, DefaultSelection(SelectionMode::Import, carSet)),
        Error::None);
    const fs::path file = folder / "Sample.GP3";
    ASSERT_TRUE(Ok(SaveCarSet(carSet, file, environment)));
    CarSet opened;
    ASSERT_EQ(LoadCarSet(opened, file), Error::None);
    const GraphicEnvironment noGame{environment.temporaryFolder, {}, environment.dataFolder};

    PackedBitmap preview;
    ASSERT_TRUE(Ok(DrawCarSetPreview(opened, noGame, {}, preview)));
    EXPECT_EQ(CountColour(preview, {72, 74, 80}), 0) << "every slot of the sample is filled";
    const fs::path shots = TAVOLEX_SCREENSHOT_DIR;
    fs::create_directories(shots);
    ASSERT_TRUE(Ok(SavePictureFile(shots / "carset-preview-sample.png", preview)));
    ASSERT_TRUE(Ok(DrawCarSetPreview(opened, noGame, PreviewOptions{0, 0}, preview)));
    ASSERT_TRUE(Ok(SavePictureFile(shots / "carset-preview-sample-team0.png", preview)));
}

} // namespace
} // namespace tavolex
