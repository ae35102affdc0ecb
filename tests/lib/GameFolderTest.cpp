#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

#include <gtest/gtest.h>
#include <unistd.h>

#include "TestSupport.h"
#include "core/ByteOrder.h"
#include "core/RunningChecksum.h"
#include "game/GameConstants.h"
#include "game/GameFolder.h"

namespace tavolex {
namespace {
using test::ScratchFolder;
using test::WriteBytes;
namespace fs = std::filesystem;

void MakeExe(const fs::path& path, std::uint64_t size, bool identified) {
    std::vector<std::uint8_t> bytes(size, 0x11);
    if (identified && size >= kExeIdentificationOffset + 27) {
        std::copy(kExeIdentificationText.begin(), kExeIdentificationText.end(),
                  bytes.begin() + static_cast<std::ptrdiff_t>(kExeIdentificationOffset));
    }
    WriteBytes(path, bytes);
}

TEST(IdentifyExecutable, FollowsTheSizeAndTextRules) {
    ScratchFolder folder;
    const GameFolder game(folder.path());
    EXPECT_EQ(IdentifyExecutable(game), ExeStatus::Missing);
    EXPECT_EQ(IdentifyExecutable(GameFolder()), ExeStatus::Missing);
    MakeExe(folder / "gp3.exe", 999999, false);
    EXPECT_EQ(IdentifyExecutable(game), ExeStatus::Unreadable);
    MakeExe(folder / "gp3.exe", 1000000, false);
    EXPECT_EQ(IdentifyExecutable(game), ExeStatus::Unsupported);
    // The text is read only when the file is larger than 8,429,048 bytes.
    std::vector<std::uint8_t> exact(kExeIdentificationReadAbove, 0);
    std::copy(kExeIdentificationText.begin(), kExeIdentificationText.end(),
              exact.begin() + static_cast<std::ptrdiff_t>(kExeIdentificationOffset));
    WriteBytes(folder / "gp3.exe", exact);
    EXPECT_EQ(IdentifyExecutable(game), ExeStatus::Unsupported);
    MakeExe(folder / "gp3.exe", kSupportedExeSize, true);
    EXPECT_EQ(IdentifyExecutable(game), ExeStatus::Supported);
    MakeExe(folder / "gp3.exe", kSupportedExeSize, false);
    EXPECT_EQ(IdentifyExecutable(game), ExeStatus::Unreadable) << "the known size, other bytes";
    MakeExe(folder / "gp3.exe", kSupportedExeSize + 1, false);
    EXPECT_EQ(IdentifyExecutable(game), ExeStatus::Unsupported);
}

TEST(SaveFile, ChecksumsAreTestedAndStored) {
    ScratchFolder folder;
    const GameFolder game(folder.path());
    EXPECT_FALSE(CheckSaveFile(game));
    WriteBytes(folder / "F1GSTATE.SAV", {0, 0, 0, 0});
    EXPECT_TRUE(CheckSaveFile(game)) << "four zero bytes sum nothing";
    WriteBytes(folder / "F1GSTATE.SAV", {0, 0, 0, 1});
    EXPECT_FALSE(CheckSaveFile(game));
    WriteBytes(folder / "F1GSTATE.SAV", {0, 0, 0});
    EXPECT_FALSE(CheckSaveFile(game));

    std::vector<std::uint8_t> save(6000, 7);
    WriteBytes(folder / "f1gstate.sav", save);
    fs::remove(folder / "F1GSTATE.SAV");
    EXPECT_FALSE(CheckSaveFile(game));
    ASSERT_TRUE(Ok(StoreSaveFileChecksums(game.saveFile())));
    EXPECT_TRUE(CheckSaveFile(game));
    const auto stored = test::ReadBytes(folder / "f1gstate.sav");
    RunningChecksum expected;
    expected.add(std::span(stored).first(stored.size() - 4));
    EXPECT_EQ(ReadU16(stored.data() + stored.size() - 4), expected.sum);
    EXPECT_EQ(ReadU16(stored.data() + stored.size() - 2), expected.rot);
}

TEST(GameFolder, FindsLanguageFilesByEitherEncodingOfTheirNames) {
    ScratchFolder folder;
    fs::create_directories(folder / "ldata");
    WriteBytes(folder / "ldata" /
                   "fran\xE7"
                   "ais.STR",
               {1});
    WriteBytes(folder / "ldata" /
                   "espa\xC3\xB1"
                   "ol.str",
               {2});
    const GameFolder game(folder.path());
    EXPECT_EQ(game.languageFile(Language::French), folder / "ldata" /
                                                       "fran\xE7"
                                                       "ais.STR");
    EXPECT_EQ(game.languageFile(Language::Spanish), folder / "ldata" /
                                                        "espa\xC3\xB1"
                                                        "ol.str");
    EXPECT_EQ(game.languageFile(Language::German), folder / "ldata" / "deutsch.str");
}

// The PATH of this process for as long as it lives.
class PathOverride {
  public:
    explicit PathOverride(const std::string& path) {
        if (const char* old = std::getenv("PATH")) {
            saved_ = old;
        }
        ::setenv("PATH", path.c_str(), 1);
    }
    ~PathOverride() { ::setenv("PATH", saved_.c_str(), 1); }
    PathOverride(const PathOverride&) = delete;
    PathOverride& operator=(const PathOverride&) = delete;

  private:
    std::string saved_;
};

void WriteScript(const fs::path& path, const std::string& body) {
    const std::string text = "#!/bin/sh\n" + body + "\n";
    WriteBytes(path, std::vector<std::uint8_t>(text.begin(), text.end()));
    fs::permissions(path, fs::perms::owner_all);
}

// Children of this process that ended and were never waited for.
int ZombieChildren() {
    int zombies = 0;
    for (const auto& entry : fs::directory_iterator("/proc")) {
        std::ifstream stat(entry.path() / "stat");
        std::string line;
        if (!std::getline(stat, line)) {
            continue;
        }
        // "pid (name) state ppid ...": the name may hold spaces, so read after its ')'.
        std::istringstream rest(line.substr(line.rfind(')') + 1));
        char state = 0;
        int parent = 0;
        rest >> state >> parent;
        zombies += state == 'Z' && parent == ::getpid() ? 1 : 0;
    }
    return zombies;
}

bool WaitFor(const std::function<bool()>& condition) {
    for (int i = 0; i < 500 && !condition(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return condition();
}

TEST(GameFolder, LaunchingReportsAMissingGame) {
    ScratchFolder folder;
    std::string command;
    EXPECT_FALSE(Ok(LaunchGame(GameFolder(folder.path()), &command)));
    EXPECT_NE(command.find("GP3.EXE"), std::string::npos) << "the message names what was tried";
    // A native program that exists is started and left to run.
    WriteScript(folder / "GP3.EXE", "echo ran > ran");
    EXPECT_TRUE(Ok(LaunchGame(GameFolder(folder.path()))));
    EXPECT_TRUE(WaitFor([&] { return fs::exists(folder / "ran"); })) << "started in the game folder";
}

// A Windows program goes through wine by its header, even where every file
// has the execute bit (NTFS and FAT mounts); the child is reaped, and the
// message says which command failed.
TEST(GameFolder, AWindowsProgramRunsThroughWineAndIsReaped) {
    ScratchFolder folder;
    fs::create_directories(folder / "bin");
    WriteBytes(folder / "GP3.EXE", {'M', 'Z', 0x90, 0x00, 0x03});
    fs::permissions(folder / "GP3.EXE", fs::perms::owner_all);
    WriteScript(folder / "bin" / "wine", "echo \"$PWD|$1\" > \"" + (folder / "ran").string() + "\"");
    {
        const PathOverride path((folder / "bin").string());
        std::string command;
        ASSERT_TRUE(Ok(LaunchGame(GameFolder(folder.path()), &command)));
        EXPECT_EQ(command, "wine " + (folder / "GP3.EXE").string());
    }
    ASSERT_TRUE(WaitFor([&] { return fs::exists(folder / "ran") && fs::file_size(folder / "ran") > 0; }));
    const auto ran = test::ReadBytes(folder / "ran");
    EXPECT_EQ(std::string(ran.begin(), ran.end()),
              fs::canonical(folder.path()).string() + "|" + (folder / "GP3.EXE").string() + "\n")
        << "started in the game folder with the program's path";
    EXPECT_TRUE(WaitFor([] { return ZombieChildren() == 0; })) << "the ended child is waited for";

    // Without wine on the PATH the launch fails, naming the command.
    fs::remove(folder / "bin" / "wine");
    const PathOverride path((folder / "bin").string());
    std::string command;
    EXPECT_FALSE(Ok(LaunchGame(GameFolder(folder.path()), &command)));
    EXPECT_EQ(command, "wine " + (folder / "GP3.EXE").string());
}

} // namespace
} // namespace tavolex
