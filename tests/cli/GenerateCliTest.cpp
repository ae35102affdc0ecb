// tavolex-cli carset generate: the other variant of every picture, stored in a new car set.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "TestSupport.h"
#include "formats/BitmapFile.h"
#include "formats/PaletteConversion.h"

namespace tavolex {
namespace {
using test::ProcessResult;
using test::ScratchFolder;
namespace fs = std::filesystem;

ProcessResult RunCli(const ScratchFolder& folder, const std::vector<std::string>& arguments) {
    // Settings and data of its own: the cockpit mask must not come from the user's folders.
    return test::RunProcess(folder, TAVOLEX_CLI_PATH, arguments,
                            "XDG_DATA_HOME=" + (folder / "data").string() + " HOME=" + folder.path().string() + " ");
}

std::string P(const fs::path& path) { return path.string(); }

TEST(GenerateCli, FillsEmptyVariantsStoresThemAndWritesNothingOnFailure) {
    ScratchFolder folder;
    fs::create_directories(folder / "pictures");
    const PackedBitmap livery = test::PhotoLike24(256, 384, 4);
    ASSERT_TRUE(Ok(SaveBitmapFile(folder / "pictures/car-02-hardware.bmp", livery)));
    ASSERT_TRUE(Ok(SaveBitmapFile(folder / "pictures/cockpit-03-software.bmp", test::Banded8(256, 64))));
    ProcessResult run = RunCli(folder, {"carset", "pack", P(folder / "pictures"), P(folder / "in.gp3")});
    ASSERT_EQ(run.status, 0) << run.err;

    // Only cars towards software: one picture.
    run = RunCli(folder, {"carset", "generate", P(folder / "in.gp3"), P(folder / "cars.gp3"), "--kind", "cars", "--to",
                          "software"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "generated car-02-software\n");
    run = RunCli(folder, {"carset", "extract", P(folder / "cars.gp3"), P(folder / "out")});
    ASSERT_EQ(run.status, 0) << run.err;
    PackedBitmap stored;
    ASSERT_TRUE(Ok(LoadBitmapFile(folder / "out/car-02-software.bmp", stored, 256, 384, Depth::Bits8)));
    PackedBitmap expected;
    ASSERT_TRUE(Ok(ReduceToPalette(test::ReducedTo565(livery), expected, 1, 254))); // the car set keeps RGB565
    EXPECT_EQ(stored, expected);
    run = RunCli(folder, {"carset", "info", P(folder / "cars.gp3")});
    EXPECT_EQ(nlohmann::json::parse(run.out)["pictures"]["car-02-software.bmp"], "present") << "stored, not generated";

    // Everything: the hardware cockpit needs the mask, and there is no game to rebuild it from.
    run = RunCli(folder, {"carset", "generate", P(folder / "in.gp3"), P(folder / "all.gp3")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Failed to generate bitmap!"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(folder / "all.gp3"));

    run = RunCli(folder, {"carset", "generate", P(folder / "in.gp3"), P(folder / "x.gp3"), "--kind", "wheels"});
    EXPECT_EQ(run.status, 2);
    run = RunCli(folder, {"carset", "generate", P(folder / "in.gp3"), P(folder / "x.gp3"), "--to", "both"});
    EXPECT_EQ(run.status, 2);
}

TEST(GenerateCli, RebuildsTheCockpitMaskFromTheNamedGame) {
    ScratchFolder folder;
    ProcessResult run = RunCli(folder, {"game", "make-sample", P(folder / "game")});
    ASSERT_EQ(run.status, 0) << run.err;
    fs::create_directories(folder / "pictures");
    ASSERT_TRUE(Ok(SaveBitmapFile(folder / "pictures/cockpit-03-software.bmp", test::Banded8(256, 64))));
    run = RunCli(folder, {"carset", "pack", P(folder / "pictures"), P(folder / "in.gp3")});
    ASSERT_EQ(run.status, 0) << run.err;
    run = RunCli(folder,
                 {"carset", "generate", P(folder / "in.gp3"), P(folder / "out.gp3"), "--game", P(folder / "game")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "generated cockpit-03-hardware\n");
    EXPECT_TRUE(fs::exists(folder / "data/Tavolex/HCOCKPIT.DAT"));
}

} // namespace
} // namespace tavolex
