// texelor's batch mode as a process: exit codes, stderr texts, output bytes.

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "TexelorFixtures.h"
#include "formats/BitmapFile.h"
#include "formats/HardwareJam.h"
#include "formats/PaletteConversion.h"
#include "formats/PictureFile.h"
#include "formats/PngFile.h"

namespace {
using tavolex::test::ReadBytes;
using tavolex::test::ScratchFolder;
using tavolex::test::WriteBytes;
namespace fs = std::filesystem;

using tavolex::test::ProcessResult;

// Without any display, to show that batch work needs none.
ProcessResult RunTexelor(const ScratchFolder& folder, const std::vector<std::string>& arguments) {
    return tavolex::test::RunProcess(folder, TEXELOR_PATH, arguments,
                                     "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ");
}

TEST(TexelorBatch, ExportsAndImportsWithoutADisplay) {
    ScratchFolder folder;
    WriteBytes(folder / "in.jam", texelor::test::MakeJam(32));
    ProcessResult run = RunTexelor(folder, {"--export", (folder / "in.jam").string(), (folder / "out.bmp").string()});
    ASSERT_EQ(run.status, 0) << run.err;
    tavolex::PackedBitmap exported;
    ASSERT_TRUE(tavolex::Ok(tavolex::LoadBitmapFile(folder / "out.bmp", exported, 256, 32, tavolex::Depth::Bits24)));
    EXPECT_EQ(texelor::test::PixelsOf(exported), texelor::test::ExpectedPixels(32));

    const tavolex::PackedBitmap picture = tavolex::test::PhotoLike24(256, 32, 9);
    ASSERT_TRUE(tavolex::Ok(tavolex::SaveBitmapFile(folder / "new.bmp", picture)));
    run = RunTexelor(folder, {"--import", (folder / "in.jam").string(), (folder / "new.bmp").string(),
                              (folder / "out.jam").string()});
    ASSERT_EQ(run.status, 0) << run.err;
    tavolex::PackedBitmap read;
    ASSERT_TRUE(tavolex::Ok(tavolex::ReadHardwareJam(folder / "out.jam", 32, 3, read)));
    EXPECT_EQ(read, tavolex::test::ReducedTo565(picture));
    EXPECT_EQ(fs::status(folder / "out.jam").permissions() & fs::perms::owner_write, fs::perms::none);
}

TEST(TexelorBatch, ExportsAndImportsPng) {
    ScratchFolder folder;
    WriteBytes(folder / "in.jam", texelor::test::MakeJam(32));
    ProcessResult run = RunTexelor(folder, {"--export", (folder / "in.jam").string(), (folder / "out.png").string()});
    ASSERT_EQ(run.status, 0) << run.err;
    tavolex::PackedBitmap exported;
    ASSERT_EQ(tavolex::ParsePngFile(ReadBytes(folder / "out.png"), exported, 256, 32, tavolex::Depth::Bits24),
              tavolex::Error::None);
    EXPECT_EQ(texelor::test::PixelsOf(exported), texelor::test::ExpectedPixels(32));

    // RGB and palette PNGs both import by their colours.
    const tavolex::PackedBitmap picture = tavolex::test::PhotoLike24(256, 32, 9);
    const tavolex::PackedBitmap indexed = tavolex::test::Banded8(256, 32, 2);
    ASSERT_TRUE(tavolex::Ok(tavolex::SavePictureFile(folder / "new.png", picture)));
    ASSERT_TRUE(tavolex::Ok(tavolex::SavePictureFile(folder / "indexed.png", indexed)));
    run = RunTexelor(folder, {"--import", (folder / "in.jam").string(), (folder / "new.png").string(),
                              (folder / "out.jam").string()});
    ASSERT_EQ(run.status, 0) << run.err;
    tavolex::PackedBitmap read;
    ASSERT_TRUE(tavolex::Ok(tavolex::ReadHardwareJam(folder / "out.jam", 32, 3, read)));
    EXPECT_EQ(read, tavolex::test::ReducedTo565(picture));
    run = RunTexelor(folder, {"--import", (folder / "in.jam").string(), (folder / "indexed.png").string(),
                              (folder / "out2.jam").string()});
    ASSERT_EQ(run.status, 0) << run.err;
    tavolex::PackedBitmap colours;
    ASSERT_TRUE(Ok(tavolex::ExpandFromPalette(indexed, colours)));
    ASSERT_TRUE(tavolex::Ok(tavolex::ReadHardwareJam(folder / "out2.jam", 32, 3, read)));
    EXPECT_EQ(read, tavolex::test::ReducedTo565(colours));

    auto cut = ReadBytes(folder / "new.png");
    cut.resize(cut.size() - 20);
    WriteBytes(folder / "cut.png", cut);
    run = RunTexelor(
        folder, {"--import", (folder / "in.jam").string(), (folder / "cut.png").string(), (folder / "o.jam").string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "texelor: Bitmap file cannot be loaded, or is not 24 bit.\n\nImport aborted.\n");
    EXPECT_FALSE(fs::exists(folder / "o.jam"));
}

TEST(TexelorBatch, FailuresSayTheDialogsTextsAndUsageErrorsExitTwo) {
    ScratchFolder folder;
    auto jam = texelor::test::MakeJam(32);
    jam.push_back(1);
    WriteBytes(folder / "appended.jam", jam);
    ProcessResult run =
        RunTexelor(folder, {"--export", (folder / "appended.jam").string(), (folder / "o.bmp").string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "texelor: Cannot interpret image data.\n\nLoad aborted.\n");
    EXPECT_FALSE(fs::exists(folder / "o.bmp"));

    WriteBytes(folder / "in.jam", texelor::test::MakeJam(32));
    ASSERT_TRUE(tavolex::Ok(tavolex::SaveBitmapFile(folder / "8.bmp", tavolex::test::Banded8(256, 32))));
    run = RunTexelor(
        folder, {"--import", (folder / "in.jam").string(), (folder / "8.bmp").string(), (folder / "o.jam").string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "texelor: Bitmap file cannot be loaded, or is not 24 bit.\n\nImport aborted.\n");
    EXPECT_FALSE(fs::exists(folder / "o.jam"));

    EXPECT_EQ(RunTexelor(folder, {"--export", "only-one"}).status, 2);
    EXPECT_EQ(RunTexelor(folder, {"--import", "a", "b"}).status, 2);
    EXPECT_EQ(RunTexelor(folder, {"--frob"}).status, 2);
    EXPECT_EQ(RunTexelor(folder, {"a.jam", "b.jam"}).status, 2);
    EXPECT_EQ(RunTexelor(folder, {"--help"}).status, 0);
}

} // namespace
