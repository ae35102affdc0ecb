// tavolex-cli carset preview as a script would use it.

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "formats/PngFile.h"

namespace tavolex {
namespace {
using test::ProcessResult;
using test::ReadBytes;
using test::ScratchFolder;
namespace fs = std::filesystem;

ProcessResult RunCli(const ScratchFolder& folder, const std::vector<std::string>& arguments) {
    return test::RunProcess(folder, TAVOLEX_CLI_PATH, arguments);
}

PackedBitmap ReadPng(const fs::path& path) {
    PackedBitmap image;
    EXPECT_TRUE(Ok(ReadPngPicture(ReadBytes(path), image, PackedBitmap::kMaxSide, PackedBitmap::kMaxSide)));
    return image;
}

TEST(PreviewCli, DrawsTheWholeCarSetOrOneTeamAtTheAskedWidth) {
    ScratchFolder folder;
    const std::string carSet = (folder / "new.GP3").string();
    ASSERT_EQ(RunCli(folder, {"carset", "new", carSet}).status, 0);

    ProcessResult run = RunCli(folder, {"carset", "preview", carSet, (folder / "all.png").string()});
    ASSERT_EQ(run.status, 0) << run.err;
    const PackedBitmap all = ReadPng(folder / "all.png");
    EXPECT_EQ(all.width(), 1099);
    EXPECT_EQ(all.height(), 1874);

    // Any name: the preview is a PNG whatever OUT ends in.
    run =
        RunCli(folder, {"carset", "preview", carSet, (folder / "team.out").string(), "--team", "10", "--width", "700"});
    ASSERT_EQ(run.status, 0) << run.err;
    const PackedBitmap team = ReadPng(folder / "team.out");
    EXPECT_EQ(team.width(), 700);
    EXPECT_LT(team.height(), team.width() / 4) << "one row";
}

TEST(PreviewCli, RefusesBadOptionsAndDamagedFilesWithoutWriting) {
    ScratchFolder folder;
    const std::string carSet = (folder / "new.GP3").string();
    ASSERT_EQ(RunCli(folder, {"carset", "new", carSet}).status, 0);
    const std::string out = (folder / "out.png").string();
    for (const std::vector<std::string>& usage :
         {std::vector<std::string>{"carset", "preview", carSet, out, "--team", "11"},
          {"carset", "preview", carSet, out, "--team", "-1"},
          {"carset", "preview", carSet, out, "--width", "0"},
          {"carset", "preview", carSet, out, "--width", "wide"},
          {"carset", "preview", carSet, out, "--width"},
          {"carset", "preview", carSet},
          {"carset", "preview", carSet, out, "--height", "10"}}) {
        EXPECT_EQ(RunCli(folder, usage).status, 2) << usage.back();
    }
    ProcessResult run = RunCli(folder, {"carset", "preview", carSet, out, "--width", "16384"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Couldn't save the preview!"), std::string::npos) << run.err;

    std::vector<std::uint8_t> damaged = ReadBytes(carSet);
    damaged.resize(damaged.size() / 2);
    test::WriteBytes(folder / "damaged.GP3", damaged);
    run = RunCli(folder, {"carset", "preview", (folder / "damaged.GP3").string(), out});
    EXPECT_EQ(run.status, 1);
    EXPECT_FALSE(fs::exists(out));
}

} // namespace
} // namespace tavolex
