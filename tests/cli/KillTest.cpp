// tavolex-cli killed at random moments while it replaces a car set or a
// game's files: each file is afterwards either the old one or the complete
// new one, and nothing incomplete is left beside it.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <random>
#include <string_view>
#include <thread>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "PictureFiles.h"
#include "TestSupport.h"
#include "WriteFaultMatrix.h"
#include "formats/ArtSheetBitmap.h"
#include "formats/BitmapFile.h"
#include "game/GameFolder.h"
#include "game/MenuArtArchive.h"
#include "sample/SampleGame.h"

namespace tavolex {
namespace {
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using test::ReadBytes;
using test::ScratchFolder;

// The command's own temporary folders go below `temporary` (TMPDIR), so that
// what killed runs leave there stays in the test's folder.
pid_t Start(const std::vector<std::string>& arguments, const fs::path& temporary) {
    std::vector<std::string> words = {TAVOLEX_CLI_PATH};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    std::vector<std::string> variables = {"TMPDIR=" + temporary.string()};
    for (char** variable = environ; *variable != nullptr; ++variable) {
        if (std::string_view(*variable).substr(0, 7) != "TMPDIR=") {
            variables.emplace_back(*variable);
        }
    }
    std::vector<char*> envp;
    for (std::string& variable : variables) {
        envp.push_back(variable.data());
    }
    envp.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        const int null = open("/dev/null", O_RDWR);
        dup2(null, 0);
        dup2(null, 1);
        dup2(null, 2);
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    return child;
}

// Runs the command to its end; how long it took, or nothing when it failed.
std::optional<Clock::duration> RunToEnd(const std::vector<std::string>& arguments, const fs::path& temporary) {
    const auto start = Clock::now();
    int status = 0;
    waitpid(Start(arguments, temporary), &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return std::nullopt;
    }
    return Clock::now() - start;
}

std::vector<fs::path> TemporaryFilesIn(const fs::path& folder) {
    std::vector<fs::path> found;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (test::IsTemporaryFileName(entry.path().filename().string())) {
            found.push_back(entry.path());
        }
    }
    return found;
}

// Kills the command `kills` times, each at a random moment of its usual run
// time (half of them late in it), restoring `target` to `old` before each run; then expects the target
// old or new each time, and any temporary file left by a kill complete.
void KillRepeatedly(const std::vector<std::string>& command, const fs::path& target,
                    const std::vector<std::uint8_t>& old, int kills, const fs::path& temporary) {
    fs::create_directories(temporary);
    test::WriteBytes(target, old);
    const auto duration = RunToEnd(command, temporary);
    ASSERT_TRUE(duration) << "the command fails without being killed";
    const std::vector<std::uint8_t> complete = ReadBytes(target);
    ASSERT_NE(complete, old);

    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    const auto longest = std::chrono::duration_cast<std::chrono::microseconds>(*duration);
    // Half the kills anywhere, half late, where the file is written; a run
    // may be faster or slower than the measured one, so both reach beyond it.
    std::uniform_int_distribution<long> anywhere(0, longest.count() * 13 / 10);
    std::uniform_int_distribution<long> late(longest.count() * 6 / 10, longest.count() * 12 / 10);
    int sawOld = 0;
    int sawNew = 0;
    int leftovers = 0;
    for (int run = 0; run < kills; ++run) {
        test::WriteBytes(target, old);
        const pid_t child = Start(command, temporary);
        std::this_thread::sleep_for(std::chrono::microseconds(run % 2 == 0 ? anywhere(random) : late(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        const std::vector<std::uint8_t> now = ReadBytes(target);
        if (now == old) {
            ++sawOld;
        } else if (now == complete) {
            ++sawNew;
        } else {
            ADD_FAILURE() << "kill " << run << " left " << target << " neither old nor complete";
        }
        for (const fs::path& temporary : TemporaryFilesIn(target.parent_path())) {
            // Named only once complete and synced, never a torn file.
            EXPECT_EQ(ReadBytes(temporary), complete) << temporary;
            fs::remove(temporary);
            ++leftovers;
        }
    }
    std::cout << "[ killed    ] " << kills << " runs of " << longest.count() / 1000 << " ms: " << sawOld
              << " left the old file, " << sawNew << " the new one, " << leftovers << " a temporary file; "
              << std::distance(fs::directory_iterator(temporary), {}) << " temporary folders remain\n";
    EXPECT_LE(leftovers, kills / 10) << "a killed write leaves a named file only in its last instant";
}

// The subject is the file system, not memory: under the sanitizers the runs
// would take many times as long and show nothing more.
#if defined(__SANITIZE_ADDRESS__)
#define TAVOLEX_SKIP_UNDER_SANITIZERS() GTEST_SKIP() << "not under the sanitizers"
#else
#define TAVOLEX_SKIP_UNDER_SANITIZERS() (void)0
#endif

TEST(KilledCli, CarSetSaveLeavesTheOldOrTheNewFile) {
    TAVOLEX_SKIP_UNDER_SANITIZERS();
    ScratchFolder folder;
    // A car set of some megabytes: every livery and both helmet pictures, of
    // noise that does not pack, from bitmaps.
    fs::create_directories(folder / "pictures");
    for (const cli::PictureFile& file : cli::AllPictureFiles()) {
        if (file.kind != GraphicKind::CarLivery && file.kind != GraphicKind::Helmets) {
            continue;
        }
        const GraphicKindInfo& info = KindInfo(file.kind);
        const int v = VariantIndex(file.variant);
        const fs::path path = folder / "pictures" / file.name;
        const unsigned seed = static_cast<unsigned>(file.slot + 1);
        if (file.variant == Variant::Hardware) {
            ASSERT_TRUE(Ok(SaveBitmapFile(path, test::PhotoLike24(info.width[v], info.height[v], seed))));
        } else {
            ASSERT_TRUE(Ok(SaveBitmapFile(path, test::Banded8(info.width[v], info.height[v], seed))));
        }
    }
    ASSERT_TRUE(RunToEnd({"carset", "new", (folder / "old.gp3").string()}, folder.path()));
    ASSERT_TRUE(
        RunToEnd({"carset", "pack", (folder / "pictures").string(), (folder / "new.gp3").string()}, folder.path()));
    std::cout << "[ car set   ] " << fs::file_size(folder / "new.gp3") << " bytes\n";
    KillRepeatedly({"carset", "pack", (folder / "pictures").string(), (folder / "set.gp3").string()},
                   folder / "set.gp3", ReadBytes(folder / "old.gp3"), 30, folder / "tmp");
}

TEST(KilledCli, ArtExportLeavesTheOldOrTheNewArchive) {
    TAVOLEX_SKIP_UNDER_SANITIZERS();
    ScratchFolder folder;
    ASSERT_TRUE(Ok(MakeSampleGame(folder / "game")));
    const fs::path archive = GameFolder(folder / "game").artArchive();
    ASSERT_TRUE(Ok(CheckAndExpandArtArchive(archive)));
    ASSERT_TRUE(Ok(SaveArtSheetBitmap(folder / "art.bmp", ArtSheetBackground())));
    KillRepeatedly({"game", "art", (folder / "game").string(), "4", (folder / "art.bmp").string(), "--write"}, archive,
                   ReadBytes(archive), 20, folder / "tmp");
}

} // namespace
} // namespace tavolex
