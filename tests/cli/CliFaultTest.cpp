// The commands that write files, run in-process under each fault of the disk:
// they exit with 1 and the operation's message, and leave every file whole.
#include <algorithm>

#include <gtest/gtest.h>

#include "CarSetCommands.h"
#include "GameCommands.h"
#include "JamCommands.h"
#include "StressArtArchive.h"
#include "TeamsCommands.h"
#include "TestSupport.h"
#include "WriteFaultMatrix.h"
#include "core/Texts.h"
#include "document/CarSetFile.h"
#include "formats/ArtSheetBitmap.h"
#include "formats/BitmapFile.h"
#include "formats/JamBuilder.h"
#include "game/GameFolder.h"
#include "game/GraphicEnvironment.h"
#include "game/MenuArtArchive.h"
#include "teams/PerformanceFile.h"

namespace tavolex {
namespace {
namespace fs = std::filesystem;
using test::ExpectEveryWriteFaultSurvived;

struct CommandRun {
    int status = 0;
    std::string err;
};

// Runs a command as main would and keeps what it printed on stderr.
CommandRun RunCommand(int (*command)(cli::Arguments), std::vector<std::string> words) {
    testing::internal::CaptureStderr();
    CommandRun run;
    run.status = command(std::move(words));
    run.err = testing::internal::GetCapturedStderr();
    return run;
}

std::string P(const fs::path& path) { return path.string(); }

// Each fault makes the command fail with its message (one of `messages`
// where the command writes several kinds of file).
void ExpectCommandSurvives(const std::function<void(const fs::path&)>& prepare,
                           const std::function<CommandRun(const fs::path&)>& command, std::vector<TextId> messages,
                           const std::function<void(const fs::path&)>& firstPart = {}) {
    CommandRun last;
    ExpectEveryWriteFaultSurvived({
        prepare,
        [&](const fs::path& folder) {
            last = command(folder);
            return last.status == cli::kSuccess;
        },
        [&](const fs::path&) {
            EXPECT_EQ(last.status, cli::kFailure);
            EXPECT_TRUE(std::any_of(messages.begin(), messages.end(), [&](TextId message) {
                return last.err.find(std::string(Text(message)) + " (") != std::string::npos;
            })) << last.err;
        },
        firstPart,
    });
}

// A small menu art archive where the game keeps it: quick to expand many times.
void CopyArchive(const fs::path& folder) {
    const fs::path archive = GameFolder(folder).artArchive();
    fs::create_directories(archive.parent_path());
    test::WriteBytes(archive, test::BuildSmallStressArtArchive());
}

TEST(CliFaults, CarSetCommandsReportCouldntSaveCarSet) {
    auto prepare = [](const fs::path& folder) {
        ASSERT_EQ(RunCommand(cli::RunCarSetCommand, {"new", P(folder / "old.gp3")}).status, 0);
    };
    ExpectCommandSurvives(
        [](const fs::path& folder) {
            test::WriteBytes(folder / "set.gp3", {'o', 'l', 'd'});
        },
        [](const fs::path& folder) {
            return RunCommand(cli::RunCarSetCommand, {"new", P(folder / "set.gp3")});
        },
        {TextId::CouldntSaveCarSet});
    ExpectCommandSurvives(
        [&](const fs::path& folder) {
            prepare(folder);
            CarSet other;
            NewCarSet(other);
            other.teams[5].teamName = "From Text";
            ASSERT_TRUE(Ok(WritePerformanceFile(folder / "teams.txt", other)));
            fs::copy_file(folder / "old.gp3", folder / "out.gp3");
        },
        [](const fs::path& folder) {
            return RunCommand(cli::RunTeamsCommand,
                              {"import", P(folder / "old.gp3"), P(folder / "teams.txt"), P(folder / "out.gp3")});
        },
        {TextId::CouldntSaveCarSet});
    ExpectCommandSurvives(
        [&](const fs::path& folder) {
            prepare(folder);
            test::WriteBytes(folder / "teams.txt", {'o', 'l', 'd'});
        },
        [](const fs::path& folder) {
            return RunCommand(cli::RunTeamsCommand, {"export", P(folder / "old.gp3"), P(folder / "teams.txt")});
        },
        {TextId::CouldntSaveFile});
}

TEST(CliFaults, PictureExportsReportCouldntSaveBitmap) {
    ExpectCommandSurvives(
        [](const fs::path& folder) {
            CarSet carSet;
            NewCarSet(carSet);
            carSet.helmetImages = {test::Banded8(256, 330), test::PhotoLike24(256, 330)};
            carSet.helmetFlags = {1, 1};
            std::vector<std::uint8_t> file;
            ASSERT_TRUE(Ok(EncodeCarSet(carSet, GraphicEnvironment{}, file)));
            test::WriteBytes(folder / "set.gp3", file);
            fs::create_directories(folder / "out");
            test::WriteBytes(folder / "out/helmets-hardware.bmp", {'o', 'l', 'd'});
        },
        [](const fs::path& folder) {
            return RunCommand(cli::RunCarSetCommand, {"extract", P(folder / "set.gp3"), P(folder / "out")});
        },
        {TextId::CouldntSaveBitmap});
    ExpectCommandSurvives(
        [](const fs::path& folder) {
            std::vector<std::uint8_t> file;
            ASSERT_TRUE(Ok(BuildHardwareJam(test::PhotoLike24(256, 12), 5, file)));
            test::WriteBytes(folder / "car.jam", file);
            test::WriteBytes(folder / "car.bmp", {'o', 'l', 'd'});
        },
        [](const fs::path& folder) {
            return RunCommand(cli::RunJamCommand, {"read", P(folder / "car.jam"), P(folder / "car.bmp")});
        },
        {TextId::CouldntSaveBitmap});
}

TEST(CliFaults, JamPatchReportsFailedToPatchJam) {
    ExpectCommandSurvives(
        [](const fs::path& folder) {
            std::vector<std::uint8_t> file;
            ASSERT_TRUE(Ok(BuildHardwareJam(test::PhotoLike24(256, 12), 5, file)));
            test::WriteBytes(folder / "car.jam", file);
            ASSERT_TRUE(Ok(SaveBitmapFile(folder / "new.bmp", test::PhotoLike24(256, 12, 3))));
        },
        [](const fs::path& folder) {
            return RunCommand(cli::RunJamCommand, {"patch", P(folder / "car.jam"), P(folder / "new.bmp")});
        },
        {TextId::FailedToPatchJam});
}

TEST(CliFaults, ArtCommandsReportTheirFailure) {
    ExpectCommandSurvives(
        [](const fs::path& folder) {
            CopyArchive(folder);
            ASSERT_TRUE(Ok(SaveArtSheetBitmap(folder / "art.bmp", ArtSheetBackground())));
        },
        [](const fs::path& folder) {
            return RunCommand(cli::RunGameCommand, {"art", P(folder), "3", P(folder / "art.bmp"), "--write"});
        },
        {TextId::FailedToPatchArt},
        // The archive is expanded first, kept whole with the previous one as .old.
        [](const fs::path& folder) { ASSERT_TRUE(Ok(CheckAndExpandArtArchive(GameFolder(folder).artArchive()))); });
    // Reading the art expands the archive first: a failure there is the import's.
    ExpectCommandSurvives([](const fs::path& folder) { CopyArchive(folder); },
                          [](const fs::path& folder) {
                              return RunCommand(cli::RunGameCommand, {"art", P(folder), "3", P(folder / "art.bmp")});
                          },
                          {TextId::FailedToImportArt, TextId::CouldntSaveBitmap});
}

} // namespace
} // namespace tavolex
