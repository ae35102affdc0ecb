// The editor under a failing disk: each failed write shows the operation's
// message, and the car set stays as it was and still marked modified.
#include <QAction>
#include <QPushButton>
#include <QtTest/QTest>

#include <cerrno>

#include <gtest/gtest.h>

#include "ShellFixture.h"
#include "WriteFaultMatrix.h"
#include "core/Texts.h"
#include "document/CarSetFile.h"
#include "game/GameFolder.h"
#include "pages/TeamsPage.h"
#include "sample/SampleGame.h"

namespace {
namespace fs = std::filesystem;
using tavolex::TextId;
using tavolex::WriteStep;
using tavolex::test::ArmedWriteFault;
using tavolex::test::SnapshotFolder;

QString T(TextId id) { return QString::fromUtf8(tavolex::Text(id).data(), static_cast<int>(tavolex::Text(id).size())); }

TEST(ShellWriteFaults, AFailedSaveShowsItsMessageAndKeepsTheCarSetModified) {
    Shell shell;
    MainWindow& window = *shell.window;
    shell.ui->paths.push_back(shell.path("mine.gp3"));
    window.action("saveAs")->trigger();
    ASSERT_TRUE(shell.ui->errors.isEmpty());
    const auto saved = SnapshotFolder(shell.folder.path());
    shell.state->carSet().teams[3].teamName = "Unsaved";
    tavolex::MarkModified(shell.state->carSet());

    for (WriteStep step : tavolex::kWriteSteps) {
        SCOPED_TRACE(tavolex::WriteStepName(step));
        {
            ArmedWriteFault fault({step, 1, ENOSPC});
            window.action("save")->trigger();
        }
        ASSERT_EQ(shell.ui->errors.size(), 1);
        EXPECT_EQ(shell.ui->errors.takeFirst(), T(TextId::CouldntSaveCarSet));
        EXPECT_TRUE(shell.state->carSet().modified);
        EXPECT_EQ(shell.state->carSet().teams[3].teamName.view(), "Unsaved");
        EXPECT_TRUE(window.windowTitle().endsWith("*")) << window.windowTitle().toStdString();
        EXPECT_EQ(SnapshotFolder(shell.folder.path()), saved) << "the file on disk is the one saved before";
    }
    window.action("save")->trigger();
    EXPECT_TRUE(shell.ui->errors.isEmpty());
    EXPECT_FALSE(shell.state->carSet().modified);
}

TEST(ShellWriteFaults, TeamsPageWritesShowTheirMessages) {
    Shell shell;
    ASSERT_TRUE(tavolex::Ok(tavolex::MakeSampleGame(shell.folder / "game")));
    const tavolex::GameFolder game(shell.folder / "game");
    shell.useGameAt(shell.folder / "game", tavolex::IdentifyExecutable(game));
    auto* page = static_cast<TeamsPage*>(shell.window->page());
    shell.state->carSet().teams[1].teamName = "Exported";
    const auto exe = tavolex::test::ReadBytes(game.executable());
    const auto save = tavolex::test::ReadBytes(game.saveFile());

    for (WriteStep step : tavolex::kWriteSteps) {
        SCOPED_TRACE(tavolex::WriteStepName(step));
        {
            ArmedWriteFault fault({step, 1, EIO});
            QTest::mouseClick(page->button("export"), Qt::LeftButton);
        }
        ASSERT_EQ(shell.ui->errors.size(), 1);
        EXPECT_EQ(shell.ui->errors.takeFirst(), T(TextId::FailedToPatchGame));
        EXPECT_EQ(tavolex::test::ReadBytes(game.executable()), exe);
        EXPECT_EQ(tavolex::test::ReadBytes(game.saveFile()), save);

        tavolex::test::WriteBytes(shell.folder / "teams.TXT", {'o', 'l', 'd'});
        shell.ui->paths.push_back(shell.path("teams.TXT"));
        shell.ui->answers.push_back(UiServices::Answer::Yes); // replace it
        // The dialog remembers its folder in the settings file: the text file's write fails.
        {
            ArmedWriteFault fault({step, 1, ENOSPC, "teams.TXT"});
            QTest::mouseClick(page->button("saveAs"), Qt::LeftButton);
        }
        EXPECT_EQ(tavolex::test::ReadBytes(shell.folder / "teams.TXT"), (std::vector<std::uint8_t>{'o', 'l', 'd'}));
        ASSERT_EQ(shell.ui->errors.size(), 1);
        EXPECT_EQ(shell.ui->errors.takeFirst(), T(TextId::CouldntSaveFile));
    }
    QTest::mouseClick(page->button("export"), Qt::LeftButton);
    EXPECT_TRUE(shell.ui->errors.isEmpty());
    EXPECT_NE(tavolex::test::ReadBytes(game.executable()), exe);
}

} // namespace
