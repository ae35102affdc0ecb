#include <gtest/gtest.h>

#include "TestSupport.h"
#include "document/LazyGraphics.h"
#include "document/Recovery.h"
#include "formats/BitmapFile.h"
#include "game/GraphicEnvironment.h"

namespace tavolex {
namespace {
using test::ScratchFolder;
namespace fs = std::filesystem;

TEST(Recovery, KeepsACopyBesideNothingOfTheUsersAndOpensItUntitled) {
    ScratchFolder folder;
    fs::create_directories(folder / "tmp");
    const GraphicEnvironment environment{folder / "tmp", {}, {}};
    EXPECT_FALSE(FindRecovery(folder / "data"));

    // A titled car set with an unsaved change and a picture from a file.
    CarSet carSet;
    NewCarSet(carSet);
    ASSERT_TRUE(Ok(SaveCarSet(carSet, folder / "mine.GP3", environment)));
    carSet.path = (folder / "mine.GP3").string();
    const auto mine = test::ReadBytes(folder / "mine.GP3");
    const PackedBitmap livery = test::PhotoLike24(256, 384, 2);
    ASSERT_TRUE(Ok(SaveBitmapFile(folder / "livery.bmp", livery)));
    SetSlotFromFile(carSet, GraphicKind::CarLivery, 4, Variant::Hardware, folder / "livery.bmp");
    carSet.teams[4].teamName = "Unsaved";
    MarkModified(carSet);

    ASSERT_TRUE(Ok(WriteRecovery(carSet, environment, folder / "data", "2026-12-08 01:23")));
    EXPECT_EQ(test::ReadBytes(folder / "mine.GP3"), mine) << "the user's file is never written";
    EXPECT_EQ(carSet.teams[4].livery[1].source, GraphicSource::File) << "the car set itself is untouched";
    EXPECT_TRUE(carSet.modified);

    const auto found = FindRecovery(folder / "data");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->when, "2026-12-08 01:23");
    EXPECT_EQ(found->original, (folder / "mine.GP3").string());

    CarSet recovered;
    NewCarSet(recovered);
    ASSERT_EQ(OpenRecovery(recovered, *found, folder / "tmp"), Error::None);
    EXPECT_EQ(recovered.teams[4].teamName.view(), "Unsaved");
    EXPECT_TRUE(recovered.untitled()) << "Save asks where";
    EXPECT_TRUE(recovered.modified);
    RemoveRecovery(folder / "data");
    PackedBitmap image;
    ASSERT_TRUE(
        Ok(FetchGraphic(recovered, environment, GraphicKind::CarLivery, 4, Variant::Hardware, image, false, nullptr)))
        << "the pictures are read from the editor's own copy, not the recovery file";
    EXPECT_EQ(image, test::ReducedTo565(livery));
    EXPECT_FALSE(FindRecovery(folder / "data"));
}

} // namespace
} // namespace tavolex
