#include <gtest/gtest.h>

#include "TestSupport.h"
#include "files/CaseInsensitivePath.h"
#include "formats/GameJam.h"
#include "formats/JamBuilder.h"
#include "formats/JamNames.h"

namespace tavolex {
namespace {
using test::ScratchFolder;
using test::WriteBytes;
namespace fs = std::filesystem;

TEST(JamNames, NameTheGameTexturesAndTheirSizes) {
    EXPECT_EQ(JamName(0), "Liveries\\WILLIA98");
    EXPECT_EQ(JamName(12), "Liveries\\HELMETSE");
    EXPECT_EQ(JamName(27), "main\\JM-ARRO1");
    EXPECT_EQ(JamName(45), "Liveries\\Pa_minar");
    EXPECT_EQ(JamName(59), "GenJam\\Podgen04");
    EXPECT_EQ(JamName(110), "main\\PITPROP2");
    EXPECT_TRUE(JamName(54).empty());
    EXPECT_TRUE(JamName(99).empty());
    EXPECT_TRUE(JamName(-1).empty());
    EXPECT_EQ(ExpectedJamSize(27, Variant::Software)->height, 255);
    EXPECT_EQ(ExpectedJamSize(26, Variant::Software)->height, 254);
    EXPECT_EQ(ExpectedJamSize(40, Variant::Software)->height, 64);
    EXPECT_EQ(ExpectedJamSize(40, Variant::Hardware)->height, 256);
    EXPECT_FALSE(ExpectedJamSize(46, Variant::Hardware));
    EXPECT_EQ(ExpectedJamSize(11, Variant::Hardware)->imageCount, 12);
    EXPECT_TRUE(UsesIdentityTables("whBLUR1"));
    EXPECT_TRUE(UsesIdentityTables("Whbridg0"));
    EXPECT_FALSE(UsesIdentityTables("Whblur2"));
}

TEST(CaseInsensitivePath, FindsGameFilesWhateverTheirCaseOnDisk) {
    ScratchFolder game;
    fs::create_directories(game / "zo3zids/liveries");
    WriteBytes(game / "zo3zids/liveries/Willia98.jam", {1});
    const auto found = FindPathIgnoringCase(game.path(), "ZO3ZIDS\\Liveries\\WILLIA98.JAM");
    ASSERT_TRUE(found);
    EXPECT_EQ(*found, game / "zo3zids/liveries/Willia98.jam");
    EXPECT_FALSE(FindPathIgnoringCase(game.path(), "ZO3ZIDS\\Liveries\\FERRAR98.JAM"));
    EXPECT_FALSE(FindPathIgnoringCase(game.path(), "ZO3ZIDS\\..\\zo3zids"));
    EXPECT_EQ(ResolvePathIgnoringCase(game.path(), "ZO3ZIDS\\Liveries\\NEW.JAM"), game / "zo3zids/liveries/NEW.JAM");
}

TEST(GameJam, ReadsAndPatchesTheGamesTexturesByIndex) {
    ScratchFolder game;
    fs::create_directories(game / "Zo3zidsH/LIVERIES");
    fs::create_directories(game / "zo3zids/liveries");
    const PackedBitmap colour = test::PhotoLike24(256, 384);
    const PackedBitmap indexed = test::Banded8(256, 384);
    std::vector<std::uint8_t> file;
    ASSERT_TRUE(Ok(BuildHardwareJam(colour, 3, file)));
    WriteBytes(game / "Zo3zidsH/LIVERIES/ferrar98.JAM", file);
    ASSERT_TRUE(Ok(BuildSoftwareJam(indexed, {{0, 0, 256, 128}, {0, 128, 256, 128}, {0, 256, 256, 128}}, false, file)));
    WriteBytes(game / "zo3zids/liveries/FERRAR98.jam", file);

    PackedBitmap read;
    ASSERT_TRUE(Ok(ReadGameJam(game.path(), 1, Variant::Hardware, 384, 3, read)));
    EXPECT_EQ(read, test::ReducedTo565(colour));
    ASSERT_TRUE(Ok(ReadGameJam(game.path(), 1, Variant::Software, 384, 3, read)));
    EXPECT_EQ(read, indexed);
    EXPECT_EQ(ReadGameJam(game.path(), 1, Variant::Software, 384, 2, read), Error::WrongImageCount)
        << "game files are held to their image count";
    EXPECT_EQ(ReadGameJam(game.path(), 0, Variant::Software, 384, 3, read), Error::OpenFailed);

    const PackedBitmap other = test::Banded8(256, 384, 4);
    ASSERT_TRUE(Ok(PatchGameJam(game.path(), other, 1, Variant::Software, 384, 3)));
    ASSERT_TRUE(Ok(ReadGameJam(game.path(), 1, Variant::Software, 384, 3, read)));
    EXPECT_EQ(read, other);
    EXPECT_TRUE(fs::exists(game / "zo3zids/liveries/FERRAR98.jam")) << "patched under its own name";
}

} // namespace
} // namespace tavolex
