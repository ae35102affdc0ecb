#include <map>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "document/CarSetFile.h"
#include "document/LazyGraphics.h"
#include "formats/ArtSheetBitmap.h"
#include "formats/BitmapFile.h"
#include "formats/JamBuilder.h"
#include "formats/PaletteConversion.h"
#include "game/GraphicEnvironment.h"

namespace tavolex {
namespace {
using test::ScratchFolder;
namespace fs = std::filesystem;

class RecordedMessages final : public MessageSink {
  public:
    void showError(TextId text) override { texts.push_back(std::string(Text(text))); }
    std::vector<std::string> texts;
};

// A car set whose every lazily held slot of both variants is a bitmap file,
// and whose helmets are in memory.
struct FullCarSet {
    ScratchFolder folder;
    GraphicEnvironment environment;
    CarSet carSet;
    std::map<std::string, PackedBitmap> pictures;

    FullCarSet() {
        fs::create_directories(folder / "tmp");
        environment.temporaryFolder = folder / "tmp";
        NewCarSet(carSet);
        unsigned seed = 1;
        for (GraphicKind kind : {GraphicKind::CarLivery, GraphicKind::Cockpit, GraphicKind::PitCrew, GraphicKind::Tyre,
                                 GraphicKind::Tread, GraphicKind::PitBoxes, GraphicKind::MenuArtwork}) {
            const GraphicKindInfo& info = KindInfo(kind);
            for (int slot = 0; slot < info.slotCount; ++slot) {
                for (Variant variant : {Variant::Software, Variant::Hardware}) {
                    if (SlotOf(carSet, kind, slot, variant) == nullptr) {
                        continue;
                    }
                    const int v = VariantIndex(variant);
                    const bool colour = variant == Variant::Hardware;
                    PackedBitmap image = colour ? test::PhotoLike24(info.width[v], info.height[v], seed)
                                                : test::Banded8(info.width[v], info.height[v], seed);
                    ++seed;
                    const std::string name = Name(kind, slot, variant);
                    // The artwork's file is the 1024-wide sheet bitmap a user loads.
                    EXPECT_TRUE(Ok(kind == GraphicKind::MenuArtwork ? SaveArtSheetBitmap(folder / name, image)
                                                                    : SaveBitmapFile(folder / name, image)));
                    SetSlotFromFile(carSet, kind, slot, variant, folder / name);
                    pictures[name] = std::move(image);
                }
            }
        }
        carSet.helmetImages = {test::Banded8(256, 330, 90), test::PhotoLike24(256, 330, 91)};
        carSet.helmetFlags = {1, 1};
    }

    static std::string Name(GraphicKind kind, int slot, Variant variant) {
        return std::to_string(static_cast<int>(kind)) + "-" + std::to_string(slot) + "-" +
               std::to_string(VariantIndex(variant)) + ".bmp";
    }
};

TEST(LazyGraphics, EveryKindSavesLoadsAndFetchesBackItsPictures) {
    FullCarSet full;
    const auto path = full.folder / "full.gp3";
    const Error saved = SaveCarSet(full.carSet, path, full.environment);
    ASSERT_TRUE(Ok(saved)) << ErrorText(saved);
    EXPECT_EQ(full.carSet.formatVersion, 110u);
    EXPECT_EQ(full.carSet.teams[3].livery[1].source, GraphicSource::CarSet) << "saved: the file is the home";
    EXPECT_TRUE(full.carSet.teams[3].livery[1].path.empty());

    // The bitmap files may go now: everything lives in the car set file.
    for (const auto& [name, image] : full.pictures) fs::remove(full.folder / name);

    CarSet loaded;
    NewCarSet(loaded);
    ASSERT_EQ(LoadCarSet(loaded, path), Error::None);
    EXPECT_EQ(loaded.helmetImages[0], full.carSet.helmetImages[0]);
    EXPECT_EQ(loaded.helmetImages[1], test::ReducedTo565(full.carSet.helmetImages[1]));
    for (const auto& [name, image] : full.pictures) {
        const int kind = std::stoi(name);
        const int slot = std::stoi(name.substr(name.find('-') + 1));
        const auto variant = static_cast<Variant>(name[name.size() - 5] - '0');
        const GraphicSlot* target = SlotOf(loaded, static_cast<GraphicKind>(kind), slot, variant);
        ASSERT_NE(target, nullptr);
        EXPECT_EQ(target->source, GraphicSource::CarSet) << name;
        PackedBitmap fetched;
        ASSERT_TRUE(Ok(FetchGraphic(loaded, full.environment, static_cast<GraphicKind>(kind), slot, variant, fetched,
                                    false, nullptr)))
            << name;
        const PackedBitmap expected = image.depth() == Depth::Bits24 ? test::ReducedTo565(image) : image;
        EXPECT_EQ(fetched, expected) << name;
    }

    // Saving the loaded car set over its own file reads from it while writing.
    loaded.teams[0].teamName = "Again";
    ASSERT_TRUE(Ok(SaveCarSet(loaded, path, full.environment)));
    CarSet again;
    NewCarSet(again);
    ASSERT_EQ(LoadCarSet(again, path), Error::None);
    PackedBitmap fetched;
    ASSERT_TRUE(Ok(FetchGraphic(again, full.environment, GraphicKind::MenuArtwork, 10, Variant::Hardware, fetched,
                                false, nullptr)));
    EXPECT_EQ(fetched,
              test::ReducedTo565(full.pictures[FullCarSet::Name(GraphicKind::MenuArtwork, 10, Variant::Hardware)]));
    EXPECT_EQ(again.teams[0].teamName.view(), "Again");
}

TEST(LazyGraphics, AMissingBitmapFallsBackToTheCarSetFileThenToNothing) {
    ScratchFolder folder;
    GraphicEnvironment environment{folder.path(), {}, {}};
    CarSet carSet;
    NewCarSet(carSet);
    ASSERT_TRUE(Ok(SaveBitmapFile(folder / "livery.bmp", test::Banded8(256, 384))));
    SetSlotFromFile(carSet, GraphicKind::CarLivery, 2, Variant::Software, folder / "livery.bmp");
    fs::remove(folder / "livery.bmp");

    // Without repair nothing changes.
    RecordedMessages messages;
    PackedBitmap image;
    EXPECT_FALSE(
        Ok(FetchGraphic(carSet, environment, GraphicKind::CarLivery, 2, Variant::Software, image, false, &messages)));
    EXPECT_EQ(carSet.teams[2].livery[0].source, GraphicSource::File);
    // Untitled: the slot becomes empty.
    EXPECT_TRUE(
        Ok(FetchGraphic(carSet, environment, GraphicKind::CarLivery, 2, Variant::Software, image, true, &messages)));
    EXPECT_EQ(carSet.teams[2].livery[0].source, GraphicSource::None);
    EXPECT_EQ(messages.texts, (std::vector<std::string>{"Couldn't load bitmap file!", "Couldn't load bitmap file!"}));

    // Saved before: the slot falls back to the car set file, which has no copy.
    ASSERT_TRUE(Ok(SaveCarSet(carSet, folder / "set.gp3", environment)));
    carSet.path = (folder / "set.gp3").string();
    ASSERT_TRUE(Ok(SaveBitmapFile(folder / "livery.bmp", test::Banded8(256, 384))));
    SetSlotFromFile(carSet, GraphicKind::CarLivery, 2, Variant::Software, folder / "livery.bmp");
    fs::remove(folder / "livery.bmp");
    messages.texts.clear();
    EXPECT_TRUE(
        Ok(FetchGraphic(carSet, environment, GraphicKind::CarLivery, 2, Variant::Software, image, true, &messages)));
    EXPECT_EQ(messages.texts,
              (std::vector<std::string>{"Couldn't load bitmap file!", "Failed to read data from Car Set!"}));
    EXPECT_EQ(carSet.teams[2].livery[0], GraphicSlot{});
    EXPECT_TRUE(image.empty());
}

TEST(LazyGraphics, GeneratedVariantsFollowTheirOrigin) {
    ScratchFolder folder;
    fs::create_directories(folder / "tmp");
    GraphicEnvironment environment{folder / "tmp", {}, {}};
    CarSet carSet;
    NewCarSet(carSet);
    const PackedBitmap colour = test::PhotoLike24(256, 384);
    ASSERT_TRUE(Ok(SaveBitmapFile(folder / "hw.bmp", colour)));
    SetSlotFromFile(carSet, GraphicKind::CarLivery, 1, Variant::Hardware, folder / "hw.bmp");
    SetSlotGenerated(carSet, GraphicKind::CarLivery, 1, Variant::Software);

    PackedBitmap software;
    ASSERT_TRUE(
        Ok(FetchGraphic(carSet, environment, GraphicKind::CarLivery, 1, Variant::Software, software, true, nullptr)));
    PackedBitmap expected;
    ASSERT_TRUE(Ok(ReduceToPalette(colour, expected, 1, 254)));
    EXPECT_EQ(software, expected);
    EXPECT_EQ(carSet.teams[1].livery[0].path, (folder / "tmp/Car010.tmp").string());
    EXPECT_EQ(GenerateVariant(carSet, environment, GraphicKind::CarLivery, 1, Variant::Hardware),
              Error::NothingToGenerateFrom)
        << "a generated picture is never the origin of another";

    // Saving stores no record for the generated slot; it stays generated.
    ASSERT_TRUE(Ok(SaveCarSet(carSet, folder / "set.gp3", environment)));
    EXPECT_EQ(carSet.teams[1].livery[0].source, GraphicSource::Generated);
    CarSet loaded;
    NewCarSet(loaded);
    ASSERT_EQ(LoadCarSet(loaded, folder / "set.gp3"), Error::None);
    EXPECT_EQ(loaded.teams[1].livery[0], (GraphicSlot{GraphicSource::Generated, {}}));
    ASSERT_TRUE(
        Ok(FetchGraphic(loaded, environment, GraphicKind::CarLivery, 1, Variant::Software, software, true, nullptr)));
    PackedBitmap fromStored;
    ASSERT_TRUE(Ok(ReduceToPalette(test::ReducedTo565(colour), fromStored, 1, 254)));
    EXPECT_EQ(software, fromStored);

    // A new origin invalidates the cache; removing it empties the generated one.
    SetSlotFromFile(carSet, GraphicKind::CarLivery, 1, Variant::Hardware, folder / "hw.bmp");
    EXPECT_TRUE(carSet.teams[1].livery[0].path.empty());
    EXPECT_EQ(carSet.teams[1].livery[0].source, GraphicSource::Generated);
    RemoveSlot(carSet, GraphicKind::CarLivery, 1, Variant::Hardware);
    EXPECT_EQ(carSet.teams[1].livery[0], GraphicSlot{});
}

TEST(LazyGraphics, PicturesThatCannotBeFetchedFailTheSave) {
    ScratchFolder folder;
    GraphicEnvironment environment{folder.path(), {}, {}};
    CarSet carSet;
    NewCarSet(carSet);
    test::WriteBytes(folder / "set.gp3", {1, 2, 3});
    SetSlotFromFile(carSet, GraphicKind::Cockpit, 0, Variant::Software, folder / "gone.bmp");
    carSet.modified = true;
    EXPECT_FALSE(Ok(SaveCarSet(carSet, folder / "set.gp3", environment)));
    EXPECT_EQ(carSet.teams[0].cockpit[0].source, GraphicSource::File) << "the slot keeps its source";
    EXPECT_TRUE(carSet.modified);
    EXPECT_EQ(test::ReadBytes(folder / "set.gp3"), (std::vector<std::uint8_t>{1, 2, 3}));
}

TEST(LazyGraphics, GameSourcesReadTheInstalledTextures) {
    ScratchFolder game;
    fs::create_directories(game / "zo3zidsh/liveries");
    const PackedBitmap colour = test::PhotoLike24(256, 384, 4);
    std::vector<std::uint8_t> jam;
    ASSERT_TRUE(Ok(BuildHardwareJam(colour, 3, jam)));
    test::WriteBytes(game / "zo3zidsh/liveries/WILLIA98.JAM", jam);
    GraphicEnvironment environment{game.path(), game.path(), {}};
    CarSet carSet;
    NewCarSet(carSet);
    SetSlotFromGame(carSet, GraphicKind::CarLivery, 0, Variant::Hardware);
    SetSlotFromGame(carSet, GraphicKind::CarLivery, 0, Variant::Software);
    PackedBitmap image;
    ASSERT_TRUE(
        Ok(FetchGraphic(carSet, environment, GraphicKind::CarLivery, 0, Variant::Hardware, image, true, nullptr)));
    EXPECT_EQ(image, test::ReducedTo565(colour));
    RecordedMessages messages;
    EXPECT_TRUE(
        Ok(FetchGraphic(carSet, environment, GraphicKind::CarLivery, 0, Variant::Software, image, true, &messages)));
    EXPECT_EQ(messages.texts, (std::vector<std::string>{"Failed to import JAM file!"}));
    EXPECT_EQ(carSet.teams[0].livery[0].source, GraphicSource::None);
}

} // namespace
} // namespace tavolex
