#include <gtest/gtest.h>

#include "TestSupport.h"
#include "formats/IniFile.h"
#include "settings/AppPaths.h"
#include "settings/Settings.h"

namespace tavolex {
namespace {
using test::ScratchFolder;
using test::WriteBytes;
namespace fs = std::filesystem;

void WriteText(const fs::path& path, const std::string& text) {
    WriteBytes(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

TEST(Settings, DefaultsWithoutAFileAndAfterTheFirstExit) {
    ScratchFolder folder;
    const auto path = folder / "config/Tavolex/Tavolex.ini";
    Settings settings = ReadSettings(path);
    EXPECT_TRUE(settings.gameFolder.empty());
    EXPECT_EQ(settings.disclaimer, 111);
    EXPECT_EQ(settings.carSetInfo, 1);
    settings.disclaimer -= 1; // the Disclaimer box was shown once
    ASSERT_TRUE(Ok(WriteSettingsAtExit(path, settings)));
    EXPECT_EQ(ReadProfileString(path, "Setup", "Disclaimer", ""), "110");
    EXPECT_EQ(ReadSettings(path).disclaimer, 110);
}

TEST(Settings, AFolderThatCannotBeWrittenFailsTheWrite) {
    ScratchFolder folder;
    // A file where the settings folder should be: no user, root included, can write below it.
    WriteText(folder / "blocked", "");
    Settings settings;
    settings.disclaimer = kDisclaimerDone;
    EXPECT_FALSE(Ok(WriteSettingsAtExit(folder / "blocked/Tavolex/Tavolex.ini", settings)));
}

TEST(Settings, ReadTheFileAsTheEditorExpects) {
    ScratchFolder folder;
    const auto path = folder / "t.ini";
    WriteText(path, "[Setup]\nGP3Dir=%$\nDisclaimer=0\nCarSetInfo=0\n");
    Settings settings = ReadSettings(path);
    EXPECT_TRUE(settings.gameFolder.empty());
    EXPECT_EQ(settings.disclaimer, 111) << "below 110 starts over";
    EXPECT_EQ(settings.carSetInfo, 0);
    WriteText(path, "[Setup]\nGP3Dir=/games/gp3\nDisclaimer=115\n");
    settings = ReadSettings(path);
    EXPECT_EQ(settings.gameFolder, "/games/gp3");
    EXPECT_EQ(settings.disclaimer, 115);
    WriteText(path, "[Setup]\nGP3Dir=" + std::string(400, 'a') + "\n");
    EXPECT_EQ(ReadSettings(path).gameFolder.size(), kMaxPathLength);

    ASSERT_TRUE(Ok(WriteGameFolder(path, "/games/other")));
    EXPECT_EQ(ReadSettings(path).gameFolder, "/games/other");
    ASSERT_TRUE(Ok(WriteGameFolder(path, "")));
    EXPECT_EQ(ReadProfileString(path, "Setup", "GP3Dir", ""), "%$");
}

TEST(Settings, RememberAFolderPerDialogTitle) {
    ScratchFolder folder;
    const auto path = folder / "t.ini";
    EXPECT_EQ(RememberedFolder(path, "Open Car Set"), "");
    ASSERT_TRUE(Ok(RememberFolder(path, "Open Car Set", "/sets/")));
    EXPECT_EQ(RememberedFolder(path, "Open Car Set"), "/sets/");
    EXPECT_EQ(RememberedFolder(path, "Save Car Set As..."), "");
    EXPECT_EQ(ReadProfileString(path, "Directorys", "Open Car Set", ""), "/sets/");
}

TEST(Settings, RecentCarSetsNewestFirstOnceEachAndAtMostEight) {
    ScratchFolder folder;
    const auto path = folder / "config/t.ini"; // the folder is made on the first write
    EXPECT_TRUE(RecentCarSets(path).empty());
    for (int i = 1; i <= 9; ++i) {
        ASSERT_TRUE(Ok(RememberRecentCarSet(path, "/sets/" + std::to_string(i) + ".GP3")));
    }
    ASSERT_TRUE(Ok(RememberRecentCarSet(path, "/sets/5.GP3")));
    const std::vector<std::string> expected = {"/sets/5.GP3", "/sets/9.GP3", "/sets/8.GP3", "/sets/7.GP3",
                                               "/sets/6.GP3", "/sets/4.GP3", "/sets/3.GP3", "/sets/2.GP3"};
    EXPECT_EQ(RecentCarSets(path), expected);
    EXPECT_EQ(ReadProfileString(path, "Recent", "File1", ""), "/sets/5.GP3");
}

TEST(AppPaths, TheManualIsFoundInstalledPortableOrInTheSourceTree) {
    ScratchFolder folder;
    for (const char* dir : {"source/docs/manual", "bin/manual", "share/doc/tavolex/manual"}) {
        fs::create_directories(folder / dir);
    }
    EXPECT_FALSE(FindManual(folder / "bin", folder / "source/docs/manual"));
    WriteText(folder / "source/docs/manual/index.html", "<html>");
    EXPECT_EQ(FindManual(folder / "bin", folder / "source/docs/manual"), folder / "source/docs/manual/index.html");
    WriteText(folder / "bin/manual/index.html", "<html>");
    EXPECT_EQ(FindManual(folder / "bin", folder / "source/docs/manual"), folder / "bin/manual/index.html");
    WriteText(folder / "share/doc/tavolex/manual/index.html", "<html>");
    EXPECT_EQ(FindManual(folder / "bin", {}), folder / "share/doc/tavolex/manual/index.html") << "installed first";
}

TEST(AppPaths, PortableBesideTheProgramElseInTheUsersFolders) {
    ScratchFolder folder;
    fs::create_directories(folder / "bin");
    const auto executable = folder / "bin/tavolex";
    Environment environment;
    environment.home = (folder / "home").string();
    environment.systemTemp = folder / "tmp";

    AppPaths paths = ResolveAppPaths(executable, environment);
    EXPECT_FALSE(paths.portable);
    EXPECT_EQ(paths.settingsFile, folder / "home/.config/Tavolex/Tavolex.ini");
    EXPECT_EQ(paths.dataFolder, folder / "home/.local/share/Tavolex");
    EXPECT_EQ(paths.temporaryParent, folder / "tmp");

    environment.xdgConfigHome = (folder / "xdg-config").string();
    environment.xdgDataHome = (folder / "xdg-data").string();
    paths = ResolveAppPaths(executable, environment);
    EXPECT_EQ(paths.settingsFile, folder / "xdg-config/Tavolex/Tavolex.ini");
    EXPECT_EQ(paths.dataFolder, folder / "xdg-data/Tavolex");

    // Neither XDG folders nor HOME: the temporary folder, never the current directory.
    Environment bare;
    bare.systemTemp = folder / "tmp";
    paths = ResolveAppPaths(executable, bare);
    EXPECT_EQ(paths.settingsFile, folder / "tmp/.config/Tavolex/Tavolex.ini");
    EXPECT_EQ(paths.dataFolder, folder / "tmp/.local/share/Tavolex");

    WriteText(folder / "bin/tavolex.ini", "");
    paths = ResolveAppPaths(executable, environment);
    EXPECT_TRUE(paths.portable);
    EXPECT_EQ(paths.settingsFile, folder / "bin/tavolex.ini");
    EXPECT_EQ(paths.dataFolder, folder / "bin");
    EXPECT_EQ(paths.temporaryParent, folder / "bin");
}

TEST(AppPaths, TemporaryFoldersAreNamedByTheTimeOfDayAndNeverShared) {
    EXPECT_EQ(TemporaryFolderName(13, 45, 7, 99), "07630d2d");
    ScratchFolder folder;
    AppPaths paths;
    paths.portable = true;
    paths.temporaryParent = folder.path();
    const auto first = MakeTemporaryFolder(paths);
    const auto second = MakeTemporaryFolder(paths);
    ASSERT_TRUE(first && second);
    EXPECT_NE(*first, *second);
    EXPECT_EQ(first->filename().string().size(), 8u);
    paths.portable = false;
    const auto shared = MakeTemporaryFolder(paths);
    ASSERT_TRUE(shared);
    EXPECT_EQ(shared->filename().string().rfind("tavolex-", 0), 0u);
    paths.temporaryParent = folder / "missing";
    EXPECT_FALSE(MakeTemporaryFolder(paths));
}

} // namespace
} // namespace tavolex
