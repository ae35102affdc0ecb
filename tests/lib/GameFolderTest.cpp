#include <gtest/gtest.h>

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
    WriteBytes(folder / "ldata" / "fran\xE7" "ais.STR", {1});
    WriteBytes(folder / "ldata" / "espa\xC3\xB1" "ol.str", {2});
    const GameFolder game(folder.path());
    EXPECT_EQ(game.languageFile(Language::French), folder / "ldata" / "fran\xE7" "ais.STR");
    EXPECT_EQ(game.languageFile(Language::Spanish), folder / "ldata" / "espa\xC3\xB1" "ol.str");
    EXPECT_EQ(game.languageFile(Language::German), folder / "ldata" / "deutsch.str");
}

TEST(GameFolder, LaunchingReportsAMissingGame) {
    ScratchFolder folder;
    EXPECT_FALSE(Ok(LaunchGame(GameFolder(folder.path()))));
    // An executable that exists is started and left to run.
    WriteBytes(folder / "GP3.EXE", {'#', '!', '/', 'b', 'i', 'n', '/', 't', 'r', 'u', 'e', '\n'});
    fs::permissions(folder / "GP3.EXE", fs::perms::owner_all);
    EXPECT_TRUE(Ok(LaunchGame(GameFolder(folder.path()))));
}

} // namespace
} // namespace tavolex
