// tavolex-cli as a process: exit codes, what it prints, the files it writes.

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "formats/BitmapFile.h"
#include "formats/GameJam.h"
#include "formats/JamBuilder.h"
#include "formats/PictureFile.h"
#include "formats/PngFile.h"
#include "formats/SoftwareJam.h"

namespace tavolex {
namespace {
using test::ReadBytes;
using test::ScratchFolder;
using test::WriteBytes;

using test::ProcessResult;

ProcessResult RunCli(const ScratchFolder& folder, const std::vector<std::string>& arguments) {
    return test::RunProcess(folder, TAVOLEX_CLI_PATH, arguments);
}

TEST(Cli, HelpUsageAndUnknownCommands) {
    ScratchFolder folder;
    ProcessResult run = RunCli(folder, {"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("jam read IN.JAM OUT.BMP"), std::string::npos);
    run = RunCli(folder, {});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("Usage:"), std::string::npos);
    run = RunCli(folder, {"frobnicate"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("unknown command 'frobnicate'"), std::string::npos);
    EXPECT_EQ(RunCli(folder, {"jam", "read", "only-one"}).status, 2);
    EXPECT_EQ(RunCli(folder, {"jam", "read", "a", "b", "--height"}).status, 2);
    EXPECT_EQ(RunCli(folder, {"jam", "read", "a", "b", "--height", "0"}).status, 2);
    EXPECT_EQ(RunCli(folder, {"jam", "read", "a", "b", "--frob"}).status, 2);
    EXPECT_EQ(RunCli(folder, {"jam", "shred"}).status, 2);
}

TEST(Cli, ReadsBothVariantsToBitmaps) {
    ScratchFolder folder;
    const PackedBitmap indexed = test::Banded8(256, 64);
    std::vector<std::uint8_t> file;
    ASSERT_TRUE(Ok(BuildSoftwareJam(indexed, {{0, 0, 256, 64}}, false, file)));
    WriteBytes(folder / "soft.jam", file);
    const PackedBitmap colour = test::PhotoLike24(256, 32);
    ASSERT_TRUE(Ok(BuildHardwareJam(colour, 2, file)));
    WriteBytes(folder / "hard.jam", file);

    ProcessResult run = RunCli(folder, {"jam", "read", (folder / "soft.jam").string(), (folder / "s.bmp").string()});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "software\n");
    PackedBitmap loaded;
    ASSERT_TRUE(Ok(LoadBitmapFile(folder / "s.bmp", loaded, 256, 64, Depth::Bits8)));
    EXPECT_EQ(loaded, indexed);
    EXPECT_EQ(ReadBytes(folder / "s.bmp").size(), 1078u + 256u * 64u);

    run =
        RunCli(folder, {"jam", "read", (folder / "hard.jam").string(), (folder / "h.bmp").string(), "--height", "32"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "hardware\n");
    ASSERT_TRUE(Ok(LoadBitmapFile(folder / "h.bmp", loaded, 256, 32, Depth::Bits24)));
    EXPECT_EQ(loaded, test::ReducedTo565(colour));

    run =
        RunCli(folder, {"jam", "read", (folder / "hard.jam").string(), (folder / "x.bmp").string(), "--height", "33"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "tavolex-cli: Failed to import JAM file! (the sheet height does not match)\n");
    EXPECT_FALSE(std::filesystem::exists(folder / "x.bmp"));
    run = RunCli(folder, {"jam", "read", (folder / "none.jam").string(), (folder / "x.bmp").string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Failed to import JAM file!"), std::string::npos);
}

TEST(Cli, PatchesJamsInPlaceOrLeavesThemAlone) {
    ScratchFolder folder;
    std::vector<std::uint8_t> file;
    ASSERT_TRUE(Ok(BuildHardwareJam(test::PhotoLike24(256, 32), 2, file)));
    WriteBytes(folder / "hard.jam", file);
    const PackedBitmap replacement = test::PhotoLike24(256, 32, 77);
    ASSERT_TRUE(Ok(SaveBitmapFile(folder / "new.bmp", replacement)));
    ASSERT_TRUE(Ok(SaveBitmapFile(folder / "short.bmp", test::PhotoLike24(256, 31))));

    ProcessResult run =
        RunCli(folder, {"jam", "patch", (folder / "hard.jam").string(), (folder / "short.bmp").string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "tavolex-cli: Couldn't load bitmap file! (the bitmap does not have the required width "
                       "and height)\n");
    EXPECT_EQ(ReadBytes(folder / "hard.jam"), file);

    run = RunCli(folder, {"jam", "patch", (folder / "hard.jam").string(), (folder / "new.bmp").string()});
    EXPECT_EQ(run.status, 0) << run.err;
    PackedBitmap read;
    JamKind kind;
    ASSERT_TRUE(Ok(ReadJamFile(folder / "hard.jam", 32, read, kind)));
    EXPECT_EQ(read, test::ReducedTo565(replacement));
}

TEST(Cli, ReadsToPngAndPatchesFromPng) {
    ScratchFolder folder;
    std::vector<std::uint8_t> file;
    const PackedBitmap indexed = test::Banded8(256, 16);
    ASSERT_TRUE(Ok(BuildSoftwareJam(indexed, {{0, 0, 256, 16}}, false, file)));
    WriteBytes(folder / "soft.jam", file);
    ProcessResult run = RunCli(folder, {"jam", "read", (folder / "soft.jam").string(), (folder / "s.png").string()});
    ASSERT_EQ(run.status, 0) << run.err;
    PackedBitmap read;
    ASSERT_EQ(ParsePngFile(ReadBytes(folder / "s.png"), read, 256, 16, Depth::Bits8), Error::None);
    EXPECT_EQ(read, indexed);

    ASSERT_TRUE(Ok(BuildHardwareJam(test::PhotoLike24(256, 32), 2, file)));
    WriteBytes(folder / "hard.jam", file);
    const PackedBitmap replacement = test::PhotoLike24(256, 32, 77);
    ASSERT_TRUE(Ok(SavePictureFile(folder / "new.png", replacement)));
    run = RunCli(folder, {"jam", "patch", (folder / "hard.jam").string(), (folder / "new.png").string()});
    ASSERT_EQ(run.status, 0) << run.err;
    JamKind kind;
    ASSERT_TRUE(Ok(ReadJamFile(folder / "hard.jam", 32, read, kind)));
    EXPECT_EQ(read, test::ReducedTo565(replacement));

    // A damaged PNG: a clear message, the JAM untouched.
    auto damaged = ReadBytes(folder / "new.png");
    damaged.resize(damaged.size() / 2);
    WriteBytes(folder / "cut.png", damaged);
    const auto before = ReadBytes(folder / "hard.jam");
    run = RunCli(folder, {"jam", "patch", (folder / "hard.jam").string(), (folder / "cut.png").string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "tavolex-cli: Couldn't load bitmap file! (the PNG file is damaged or cannot be read)\n");
    EXPECT_EQ(ReadBytes(folder / "hard.jam"), before);
}

TEST(Cli, PatchesWheelBlurSheetsWithIdentityTables) {
    ScratchFolder folder;
    const PackedBitmap sheet = test::Banded8(256, 16);
    std::vector<std::uint8_t> file;
    ASSERT_TRUE(Ok(BuildSoftwareJam(sheet, {{0, 0, 256, 16}}, false, file)));
    WriteBytes(folder / "WHBLUR1.jam", file);
    WriteBytes(folder / "other.jam", file);
    const PackedBitmap replacement = test::Banded8(256, 16, 3);
    ASSERT_TRUE(Ok(SaveBitmapFile(folder / "new.bmp", replacement)));
    for (const char* name : {"WHBLUR1.jam", "other.jam"}) {
        ProcessResult run = RunCli(folder, {"jam", "patch", (folder / name).string(), (folder / "new.bmp").string()});
        ASSERT_EQ(run.status, 0) << run.err;
        PackedBitmap read;
        ASSERT_TRUE(Ok(ReadSoftwareJam(folder / name, 16, 1, read)));
        EXPECT_EQ(read, replacement);
    }
    std::vector<std::uint8_t> expected;
    ASSERT_TRUE(Ok(BuildSoftwareJam(replacement, {{0, 0, 256, 16}}, true, expected)));
    EXPECT_EQ(ReadBytes(folder / "WHBLUR1.jam"), expected);
    EXPECT_NE(ReadBytes(folder / "other.jam"), expected);
}

} // namespace
} // namespace tavolex
