#include <gtest/gtest.h>

#include <algorithm>

#include <unistd.h>

#include "TestSupport.h"
#include "game/GameSearch.h"
#include "sample/SampleGame.h"

namespace tavolex {
namespace {
namespace fs = std::filesystem;
using test::ScratchFolder;

// A home of the test's own with Wine prefixes of every kind the search
// knows, and a folder standing in for the system's mount points.
class FindGame : public ::testing::Test {
  protected:
    void SetUp() override {
        environment.home = (folder / "home").string();
        environment.xdgDataHome = (folder / "data").string();
        environment.user = "racer";
        mounts = {folder / "mnt", folder / "media"};
    }
    fs::path Place(const fs::path& gameFolder, const std::string& exeName, bool supported) {
        fs::create_directories(gameFolder);
        test::WriteBytes(gameFolder / exeName, supported ? SampleExecutable() : std::vector<std::uint8_t>(4096, 7));
        return gameFolder;
    }
    std::vector<fs::path> Folders(const GameSearchResult& result) {
        std::vector<fs::path> folders;
        for (const FoundGame& game : result.games) folders.push_back(game.folder);
        return folders;
    }
    bool Has(const GameSearchResult& result, const fs::path& gameFolder) {
        const auto folders = Folders(result);
        return std::find(folders.begin(), folders.end(), gameFolder) != folders.end();
    }

    ScratchFolder folder;
    Environment environment;
    std::vector<fs::path> mounts;
};

TEST_F(FindGame, FindsTheGameInEveryKindOfPrefixAndMountedDriveWhateverTheCase) {
    const fs::path wine = Place(folder / "home/.wine/drive_c/Program Files/Grand Prix 3", "GP3.EXE", true);
    const fs::path prefix = Place(folder / "own-prefix/drive_c/Games/GP3", "gp3.exe", false);
    const fs::path bottles = Place(folder / "data/bottles/bottles/Racing/drive_c/GP3", "Gp3.Exe", true);
    const fs::path flatpak =
        Place(folder / "home/.var/app/com.usebottles.bottles/data/bottles/bottles/Old/drive_c/GP3", "GP3.EXE", true);
    const fs::path lutris = Place(folder / "data/lutris/prefixes/gp3/drive_c/GP3", "GP3.EXE", true);
    const fs::path lutrisGames = Place(folder / "home/Games/grand-prix-3/drive_c/MPS/GP3", "GP3.EXE", true);
    const fs::path playOnLinux = Place(folder / "home/.PlayOnLinux/wineprefix/GP3/drive_c/GP3", "GP3.exe", true);
    const fs::path drive = Place(folder / "mnt/c/Program Files/GP3", "GP3.EXE", true);
    const fs::path usb = Place(folder / "media/racer/USB/GP3", "GP3.EXE", true);
    environment.winePrefix = (folder / "own-prefix").string();

    const GameSearchResult result = FindGameInstallations(GameSearchRoots(environment, mounts));
    EXPECT_TRUE(result.complete);
    for (const fs::path& expected : {wine, prefix, bottles, flatpak, lutris, lutrisGames, playOnLinux, drive, usb}) {
        EXPECT_TRUE(Has(result, expected)) << expected;
    }
    EXPECT_EQ(result.games.size(), 9u) << "each installation once, though /media/racer lies under /media";
    EXPECT_EQ(Folders(result).front(), prefix) << "$WINEPREFIX comes first";

    // Each with what identification says of it.
    for (const FoundGame& game : result.games) {
        if (game.folder == prefix) {
            EXPECT_NE(game.identity.status, ExeStatus::Supported);
            EXPECT_EQ(game.identity.by, IdentifiedBy::None);
        } else {
            EXPECT_EQ(game.identity.status, ExeStatus::Supported) << game.folder;
            EXPECT_EQ(game.identity.by, IdentifiedBy::Text);
        }
        EXPECT_FALSE(game.saveFileValid) << "no save file beside these";
    }
}

TEST_F(FindGame, KeepsToItsDepthFollowsNoLinksAndSkipsWhatItCannotRead) {
    const fs::path shallow = Place(folder / "home/.wine/drive_c/a/b/c/d", "GP3.EXE", true);
    Place(folder / "home/.wine/drive_c/a/b/c/d/e", "GP3.EXE", true); // one folder too deep
    const fs::path other = Place(folder / "elsewhere/GP3", "GP3.EXE", true);
    fs::create_directory_symlink(folder / "elsewhere", folder / "home/.wine/drive_c/link");
    fs::create_directory_symlink(folder / "home/.wine/drive_c", folder / "home/.wine/drive_c/loop");
    fs::create_directories(folder / "home/.wine/drive_c/locked/GP3");
    test::WriteBytes(folder / "home/.wine/drive_c/locked/GP3/GP3.EXE", {1});
    fs::permissions(folder / "home/.wine/drive_c/locked", fs::perms::none);
    fs::create_directories(folder / "home/.wine/drive_c/NotTheGame");
    test::WriteBytes(folder / "home/.wine/drive_c/NotTheGame/GP3.EXE.bak", {1});

    // (Whoever may read every folder, as root may, finds the locked one too.)
    const bool readable = ::access((folder / "home/.wine/drive_c/locked").c_str(), R_OK | X_OK) == 0;
    const GameSearchResult result = FindGameInstallations(GameSearchRoots(environment, mounts));
    fs::permissions(folder / "home/.wine/drive_c/locked", fs::perms::owner_all);
    EXPECT_TRUE(result.complete);
    std::vector<fs::path> expected = {shallow};
    if (readable)
        expected.push_back(folder / "home/.wine/drive_c/locked/GP3");
    ASSERT_EQ(Folders(result), expected);
    EXPECT_FALSE(Has(result, other));
}

TEST_F(FindGame, StopsWhenItsTimeIsUpAndFindsNothingWithoutPlaces) {
    Place(folder / "home/.wine/drive_c/GP3", "GP3.EXE", true);
    const GameSearchResult late =
        FindGameInstallations(GameSearchRoots(environment, mounts), {4, std::chrono::milliseconds(-1)});
    EXPECT_FALSE(late.complete);
    EXPECT_TRUE(late.games.empty());

    Environment nobody;
    const GameSearchResult none = FindGameInstallations(GameSearchRoots(nobody, {folder / "no-such-mount"}));
    EXPECT_TRUE(none.complete);
    EXPECT_TRUE(none.games.empty());
}

} // namespace
} // namespace tavolex
