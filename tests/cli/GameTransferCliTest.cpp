// tavolex-cli game import / game export: a whole car set into and out of a game.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "TestSupport.h"
#include "files/CaseInsensitivePath.h"
#include "game/GameConstants.h"
#include "game/GameIdentity.h"

namespace tavolex {
namespace {
using test::ProcessResult;
using test::ScratchFolder;
namespace fs = std::filesystem;

class GameTransferCliTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        shared_ = new ScratchFolder();
        ASSERT_EQ(RunCli(*shared_, {"game", "make-sample", (*shared_ / "game").string()}).status, 0);
        ASSERT_EQ(RunCli(*shared_, {"carset", "new", (*shared_ / "new.GP3").string()}).status, 0);
    }
    static void TearDownTestSuite() { delete shared_; }

    void SetUp() override { fs::copy(*shared_ / "game", game(), fs::copy_options::recursive); }

    static ProcessResult RunCli(const ScratchFolder& in, const std::vector<std::string>& arguments) {
        return test::RunProcess(in, TAVOLEX_CLI_PATH, arguments);
    }
    ProcessResult run(const std::vector<std::string>& arguments) const { return RunCli(folder, arguments); }
    fs::path game() const { return folder / "game"; }
    std::string newCarSet() const { return (*shared_ / "new.GP3").string(); }
    nlohmann::json info(const fs::path& carSet) const {
        const ProcessResult shown = run({"carset", "info", carSet.string()});
        EXPECT_EQ(shown.status, 0) << shown.err;
        return nlohmann::json::parse(shown.out);
    }

    static inline ScratchFolder* shared_ = nullptr;
    ScratchFolder folder;
};

TEST_F(GameTransferCliTest, ImportTakesTheChosenItemsAndSavesTheCarSet) {
    const fs::path out = folder / "imported.GP3";
    ProcessResult result =
        run({"game", "import", game().string(), newCarSet(), out.string(), "--items", "100,803,111"});
    ASSERT_EQ(result.status, 0) << result.err;
    const auto carSet = info(out);
    EXPECT_EQ(carSet["format_version"], 110);
    const auto& pictures = carSet["pictures"];
    EXPECT_TRUE(pictures.contains("car-00-software.bmp"));
    EXPECT_TRUE(pictures.contains("helmets-software.bmp"));
    EXPECT_FALSE(pictures.contains("car-00-hardware.bmp"));
    EXPECT_FALSE(pictures.contains("car-01-software.bmp"));

    // Without --items everything comes; the pictures are stored in OUT.GP3.
    const fs::path all = folder / "all.GP3";
    result = run({"game", "import", game().string(), newCarSet(), all.string()});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(info(all)["pictures"].size(), 87u);
}

TEST_F(GameTransferCliTest, ExportWritesTheCarSetIntoTheGame) {
    const fs::path imported = folder / "imported.GP3";
    ASSERT_EQ(run({"game", "import", game().string(), newCarSet(), imported.string()}).status, 0);
    // A team renamed through the team data text file, then exported.
    const fs::path text = folder / "teams.txt";
    ASSERT_EQ(run({"teams", "export", imported.string(), text.string()}).status, 0);
    const auto bytes = test::ReadBytes(text);
    std::string content(bytes.begin(), bytes.end());
    const std::size_t at = content.find("Williams");
    ASSERT_NE(at, std::string::npos);
    content.replace(at, 8, "Tavolex!");
    test::WriteBytes(text, std::vector<std::uint8_t>(content.begin(), content.end()));
    const fs::path renamed = folder / "renamed.GP3";
    ASSERT_EQ(run({"teams", "import", imported.string(), text.string(), renamed.string()}).status, 0);

    ProcessResult result = run({"game", "export", renamed.string(), game().string(), "--items", "200-210,800-810"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(result.err.empty()) << "no bar unless stderr is a terminal: " << result.err;
    const fs::path back = folder / "back.GP3";
    ASSERT_EQ(run({"game", "import", game().string(), newCarSet(), back.string()}).status, 0);
    EXPECT_EQ(info(back)["teams"][0]["name"], "Tavolex!");
    EXPECT_EQ(info(back)["teams"], info(renamed)["teams"]);
}

TEST_F(GameTransferCliTest, FailuresAndUsage) {
    // A new car set has no pictures; without the data items nothing is left.
    ProcessResult result = run({"game", "export", newCarSet(), game().string(), "--items", "100-110"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("Nothing to export!"), std::string::npos) << result.err;

    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
             {"game", "export", newCarSet(), game().string(), "--items", "100-999"},
             {"game", "export", newCarSet(), game().string(), "--items"},
             {"game", "export", newCarSet()},
             {"game", "import", game().string(), newCarSet()},
             {"game", "import", game().string(), newCarSet(), "x.GP3", "--items", "abc"}}) {
        result = run(bad);
        EXPECT_EQ(result.status, 2) << bad.back() << ": " << result.err;
    }

    const fs::path empty = folder / "empty";
    fs::create_directories(empty);
    // A bad list is bad usage even where there is no game to look at.
    EXPECT_EQ(run({"game", "export", newCarSet(), empty.string(), "--items", "abc"}).status, 2);
    result = run({"game", "export", newCarSet(), empty.string()});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("GP3.EXE is missing or corrupt!"), std::string::npos) << result.err;
    result = run({"game", "import", empty.string(), newCarSet(), (folder / "x.GP3").string()});
    EXPECT_EQ(result.status, 1);
    EXPECT_FALSE(fs::exists(folder / "x.GP3"));

    // A car whose texture file is gone from the game: the patch fails.
    const fs::path withCar = folder / "car.GP3";
    ASSERT_EQ(run({"game", "import", game().string(), newCarSet(), withCar.string(), "--items", "200"}).status, 0);
    const auto williams = FindPathIgnoringCase(game(), "ZO3ZIDSH\\Liveries\\WILLIA98.JAM");
    ASSERT_TRUE(williams);
    fs::remove(*williams);
    result = run({"game", "export", withCar.string(), game().string(), "--items", "200"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("Failed to patch JAM file!"), std::string::npos) << result.err;
}

// An executable the editor recognised once by its contents and remembered
// is recognised by the command line too; without that, executable items on
// an executable that cannot be read fail before anything is written.
TEST_F(GameTransferCliTest, UsesTheEditorsRememberedIdentification) {
    const fs::path credited = folder / "credited";
    ASSERT_EQ(run({"game", "make-sample", credited.string(), "--credit", "Grand Prix 3 (c) 1998 Test"}).status, 0);
    const fs::path exePath = *FindPathIgnoringCase(credited, "GP3.EXE");
    auto exe = test::ReadBytes(exePath);
    const std::string hex = IdentificationToHex(std::span(exe).subspan(kExeIdentificationOffset, 27));
    exe[0x73A31C] = 0x01; // a driver name no longer reads as the supported build's
    test::WriteBytes(exePath, exe);

    // Without the editor's memory: "cannot be read", and nothing is written.
    const std::string unknown = "XDG_CONFIG_HOME=" + (folder / "none").string() + " ";
    auto gameFiles = [&] {
        return std::pair{test::ReadBytes(exePath), test::ReadBytes(*FindPathIgnoringCase(credited, "F1GSTATE.SAV"))};
    };
    const auto before = gameFiles();
    ProcessResult result = test::RunProcess(
        folder, TAVOLEX_CLI_PATH, {"game", "export", newCarSet(), credited.string(), "--items", "800-810"}, unknown);
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("GP3.EXE cannot be read!"), std::string::npos) << result.err;
    EXPECT_EQ(gameFiles(), before);
    result = test::RunProcess(folder, TAVOLEX_CLI_PATH, {"game", "info", credited.string()}, unknown);
    EXPECT_EQ(nlohmann::json::parse(result.out)["exe_status"], 0);

    // With the identification the editor keeps in its settings file.
    fs::create_directories(folder / "config" / "Tavolex");
    const std::string ini = "[Setup]\nExeIdentification=" + hex + "\n";
    test::WriteBytes(folder / "config" / "Tavolex" / "Tavolex.ini", std::vector<std::uint8_t>(ini.begin(), ini.end()));
    const std::string remembered = "XDG_CONFIG_HOME=" + (folder / "config").string() + " ";
    result = test::RunProcess(folder, TAVOLEX_CLI_PATH, {"game", "info", credited.string()}, remembered);
    EXPECT_EQ(nlohmann::json::parse(result.out)["exe_status"], 1);
    EXPECT_EQ(nlohmann::json::parse(result.out)["exe_identified_by"], "text");
    result = test::RunProcess(folder, TAVOLEX_CLI_PATH,
                              {"game", "export", newCarSet(), credited.string(), "--items", "800-810"}, remembered);
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_NE(test::ReadBytes(exePath), before.first) << "the team data went into GP3.EXE";
}

} // namespace
} // namespace tavolex
