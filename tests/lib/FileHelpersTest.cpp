#include <chrono>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "files/AtomicWrite.h"
#include "files/FileHelpers.h"

namespace tavolex {
namespace {
using test::ReadBytes;
using test::ScratchFolder;
using test::WriteBytes;
namespace fs = std::filesystem;

std::size_t EntriesIn(const fs::path& folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
}

TEST(WriteFileAtomically, ReplacesTheFileKeepingItsPermissions) {
    ScratchFolder folder;
    const auto path = folder / "GP3.EXE";
    WriteBytes(path, {1, 2, 3});
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read);
    const std::vector<std::uint8_t> content(5000, 7);
    ASSERT_TRUE(Ok(WriteFileAtomically(path, content)));
    EXPECT_EQ(ReadBytes(path), content);
    const auto perms = fs::status(path).permissions();
    EXPECT_NE(perms & fs::perms::owner_exec, fs::perms::none);
    EXPECT_NE(perms & fs::perms::group_read, fs::perms::none);
    EXPECT_NE(perms & fs::perms::owner_write, fs::perms::none);
    EXPECT_EQ(EntriesIn(folder.path()), 1u);

    ASSERT_TRUE(Ok(WriteFileAtomically(folder / "new.bin", content)));
    EXPECT_EQ(ReadBytes(folder / "new.bin"), content);
}

TEST(WriteFileAtomically, AFailureLeavesTheOldFileAndNoLeftovers) {
    ScratchFolder folder;
    const auto path = folder / "F1GSTATE.SAV";
    WriteBytes(path, {9, 9});
    {
        test::FileSizeLimit limit(1000);
        EXPECT_EQ(WriteFileAtomically(path, std::vector<std::uint8_t>(4000, 1)), Error::WriteFailed);
    }
    EXPECT_EQ(ReadBytes(path), (std::vector<std::uint8_t>{9, 9}));
    EXPECT_EQ(EntriesIn(folder.path()), 1u);

    // A rename that cannot happen (a folder of that name) fails and cleans up too.
    fs::create_directories(folder / "taken/inside");
    EXPECT_EQ(WriteFileAtomically(folder / "taken", std::vector<std::uint8_t>(10, 1)), Error::WriteFailed);
    EXPECT_EQ(EntriesIn(folder.path()), 2u);
    EXPECT_EQ(WriteFileAtomically(folder / "no/such/folder/file", std::vector<std::uint8_t>(1, 1)), Error::WriteFailed);
}

// A write killed before its rename may leave ".NAME.xxxxxxxx.tmp"; the next
// write to NAME removes such files once they are a day old, and nothing else.
TEST(WriteFileAtomically, RemovesItsOwnLeftoversOnceADayOld) {
    ScratchFolder folder;
    const auto twoDaysAgo = fs::file_time_type::clock::now() - std::chrono::hours(48);
    const std::vector<std::string> names = {".set.gp3.0123abcd.tmp", ".set.gp3.89abcdef.tmp", ".other.gp3.0123abcd.tmp",
                                            "set.gp3.0123abcd.tmp", ".set.gp3.0123ABCD.tmp"};
    for (const auto& name : names) {
        WriteBytes(folder / name, {1});
        if (name != ".set.gp3.89abcdef.tmp") {
            fs::last_write_time(folder / name, twoDaysAgo);
        }
    }
    ASSERT_TRUE(Ok(WriteFileAtomically(folder / "set.gp3", std::vector<std::uint8_t>{2})));
    EXPECT_FALSE(fs::exists(folder / names[0])) << "a day old: removed";
    for (std::size_t i = 1; i < names.size(); ++i) {
        EXPECT_TRUE(fs::exists(folder / names[i])) << names[i] << ": fresh, or not this target's";
    }
}

TEST(WriteFileAtomically, ReplacesWhatALinkPointsTo) {
    ScratchFolder folder;
    WriteBytes(folder / "real.jam", {1});
    fs::create_symlink(folder / "real.jam", folder / "link.jam");
    ASSERT_TRUE(Ok(WriteFileAtomically(folder / "link.jam", std::vector<std::uint8_t>{2, 2})));
    EXPECT_TRUE(fs::is_symlink(folder / "link.jam"));
    EXPECT_EQ(ReadBytes(folder / "real.jam"), (std::vector<std::uint8_t>{2, 2}));
}

TEST(ReadWholeFile, RefusesFilesAboveTheLimitAndFolders) {
    ScratchFolder folder;
    WriteBytes(folder / "a", std::vector<std::uint8_t>(100, 3));
    std::vector<std::uint8_t> bytes;
    EXPECT_EQ(ReadWholeFile(folder / "a", 99, bytes), Error::FileTooLarge);
    EXPECT_TRUE(bytes.empty());
    EXPECT_TRUE(Ok(ReadWholeFile(folder / "a", 100, bytes)));
    EXPECT_EQ(bytes.size(), 100u);
    EXPECT_EQ(ReadWholeFile(folder.path(), 100, bytes), Error::OpenFailed);
    EXPECT_EQ(ReadWholeFile(folder / "none", 100, bytes), Error::OpenFailed);
}

TEST(FileHelpers, KnowFileKindsAndNameParts) {
    EXPECT_EQ(FileKindOf("a/b/LIVERY.jam"), FileKind::Jam);
    EXPECT_EQ(FileKindOf("x.Bmp"), FileKind::Bitmap);
    EXPECT_EQ(FileKindOf("team.TXT"), FileKind::Text);
    EXPECT_EQ(FileKindOf("old.per"), FileKind::Performance);
    EXPECT_EQ(FileKindOf("old.GP2"), FileKind::OldCarSet);
    EXPECT_EQ(FileKindOf("new.GP3"), FileKind::Unknown);
    EXPECT_EQ(FileKindOf("noextension"), FileKind::Unknown);
    EXPECT_EQ(FileKindOf("trailingdot."), FileKind::Unknown);

    EXPECT_EQ(FileNamePart("/games/gp3/Cars.GP3", true, 20), "Cars.GP3");
    EXPECT_EQ(FileNamePart("/games/gp3/Cars.GP3", false, 20), "Cars");
    EXPECT_FALSE(FileNamePart("/games/gp3/Cars.GP3", true, 7));
    EXPECT_FALSE(FileNamePart("/games/", true, 20));
}

TEST(FileHelpers, MakeTemporaryFilesMoveFilesAndEmptyFolders) {
    ScratchFolder folder;
    const auto first = MakeTemporaryFile(folder.path());
    const auto second = MakeTemporaryFile(folder.path());
    ASSERT_TRUE(first && second);
    EXPECT_NE(*first, *second);
    EXPECT_EQ(first->filename().string().rfind("Tav", 0), 0u);
    EXPECT_EQ(fs::file_size(*first), 0u);
    EXPECT_FALSE(MakeTemporaryFile(folder / "missing"));

    WriteBytes(*first, {4, 5});
    ASSERT_TRUE(Ok(SetReadOnly(*first, true)));
    ASSERT_TRUE(Ok(MoveFileOver(*first, *second)));
    EXPECT_FALSE(FileExists(*first));
    EXPECT_EQ(ReadBytes(*second), (std::vector<std::uint8_t>{4, 5}));

    fs::create_directories(folder / "sub");
    EmptyFolder(folder.path());
    EXPECT_EQ(EntriesIn(folder.path()), 1u) << "only files go; the sub-folder stays";
    EXPECT_TRUE(EqualsIgnoreCase("Whblur0", "WHBLUR0"));
    EXPECT_EQ(ToUpperAscii("car.gp3"), "CAR.GP3");
}

} // namespace
} // namespace tavolex
