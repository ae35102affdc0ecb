#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include "Screenshot.h"
#include "ShellFixture.h"
#include "app/Startup.h"
#include "document/CarSetFile.h"
#include "settings/IniFile.h"
#include "shell/Boxes.h"
#include "shell/ProgressWindow.h"
#include "shell/TeamList.h"

namespace {
using Answer = UiServices::Answer;
namespace fs = std::filesystem;

TEST(MainWindow, HasTheMenusTabsAndToolbarOfTheEditor) {
    Shell shell;
    MainWindow& window = *shell.window;
    window.show();
    EXPECT_EQ(window.windowTitle(), "Tavolex v1.10 - [ ..... ]");
    ASSERT_EQ(window.tabs()->count(), 10);
    EXPECT_EQ(window.tabs()->tabText(0), "Teams");
    EXPECT_EQ(window.tabs()->tabText(9), "Miscellaneous");
    EXPECT_EQ(window.action("save")->shortcut(), QKeySequence(Qt::ALT | Qt::Key_S));
    EXPECT_EQ(window.action("import")->shortcut(), QKeySequence(Qt::ALT | Qt::Key_I));
    EXPECT_EQ(window.action("export")->shortcut(), QKeySequence(Qt::ALT | Qt::Key_E));
    EXPECT_EQ(window.action("help")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F1));
    EXPECT_FALSE(window.action("save")->isEnabled()) << "untitled";
    EXPECT_FALSE(window.action("aboutCarSet")->isEnabled());
    EXPECT_EQ(window.action("tool_import")->toolTip(), "Import data from game");
    EXPECT_EQ(window.action("tool_exit")->toolTip(), "Quit");
    EXPECT_EQ(window.teamList()->button(6)->text(), " Team Name - Engine");

    // Wide pages hide the team list; tabs whose page is not built yet show their title.
    window.tabs()->setCurrentIndex(1);
    EXPECT_FALSE(window.teamList()->isVisible());
    window.tabs()->setCurrentIndex(3);
    EXPECT_EQ(window.page()->findChild<QLabel*>("pageTitle")->text(), "Helmets");
    window.tabs()->setCurrentIndex(2);
    EXPECT_TRUE(window.teamList()->isVisible());

    window.tabs()->setCurrentIndex(0);
    shell.state->carSet().teams[3].teamName = "McLaren";
    shell.state->carSet().teams[3].engineName = "";
    shell.state->notifyDataChanged();
    EXPECT_EQ(window.teamList()->button(3)->text(), " McLaren");
    SaveScreenshot(window, "tavolex-main-window");
}

TEST(MainWindow, TeamButtonsSelectTheCurrentTeamOnce) {
    Shell shell;
    shell.window->show();
    int changes = 0;
    QObject::connect(shell.state.get(), &EditorState::teamChanged, [&] { ++changes; });
    QTest::mouseClick(shell.window->teamList()->button(4), Qt::LeftButton);
    EXPECT_EQ(shell.state->currentTeam(), 4);
    QTest::mouseClick(shell.window->teamList()->button(4), Qt::LeftButton);
    EXPECT_EQ(changes, 1) << "the current team again sends nothing";
}

TEST(MainWindow, TitleFollowsTheFileAndUnsavedChanges) {
    Shell shell;
    MainWindow& window = *shell.window;
    tavolex::MarkModified(shell.state->carSet());
    EXPECT_EQ(window.windowTitle(), "Tavolex v1.10 - [ ..... ]*");
    // Save on an untitled car set is Save As (by Alt+S: the item itself is
    // greyed); a name without extension gets .GP3.
    window.show();
    QApplication::setActiveWindow(&window);
    shell.ui->paths.push_back(shell.path("season"));
    QTest::keyClick(&window, Qt::Key_S, Qt::AltModifier);
    EXPECT_TRUE(fs::exists(shell.folder / "season.GP3"));
    EXPECT_EQ(window.windowTitle(), "Tavolex v1.10 - [ season.GP3 ]");
    EXPECT_TRUE(window.action("save")->isEnabled());
    tavolex::MarkModified(shell.state->carSet());
    EXPECT_EQ(window.windowTitle(), "Tavolex v1.10 - [ season.GP3 ]*");
    window.action("save")->trigger();
    EXPECT_TRUE(shell.ui->paths.empty());
    EXPECT_EQ(window.windowTitle(), "Tavolex v1.10 - [ season.GP3 ]");
}

TEST(MainWindow, UnsavedChangesAreAskedAboutAndYesGoesOnEvenWithoutASave) {
    Shell shell;
    MainWindow& window = *shell.window;
    shell.state->carSet().teams[0].teamName = "Changed";
    tavolex::MarkModified(shell.state->carSet());
    // Cancel keeps everything.
    shell.ui->answers.push_back(Answer::Cancel);
    window.action("new")->trigger();
    EXPECT_EQ(shell.ui->questions.back(), "Save Changes to Car Set?");
    EXPECT_EQ(shell.state->carSet().teams[0].teamName.view(), "Changed");
    // Yes, then the save dialog is cancelled: New still happens.
    shell.ui->answers.push_back(Answer::Yes);
    shell.ui->paths.push_back("");
    window.action("new")->trigger();
    EXPECT_EQ(shell.state->carSet().teams[0].teamName.view(), "Team Name");
    EXPECT_FALSE(shell.state->carSet().modified);

    // With a file the question names it in upper case; the close box asks too.
    shell.ui->paths.push_back(shell.path("mine.gp3"));
    window.action("saveAs")->trigger();
    tavolex::MarkModified(shell.state->carSet());
    shell.ui->answers.push_back(Answer::Cancel);
    window.show();
    EXPECT_FALSE(window.close());
    EXPECT_EQ(shell.ui->questions.back(), "Save Changes to MINE.GP3?");
    shell.ui->answers.push_back(Answer::No);
    EXPECT_TRUE(window.close());
}

TEST(MainWindow, OpenShowsTheLoadersMessageAndKeepsTheCarSet) {
    Shell shell;
    tavolex::test::WriteBytes(shell.folder / "bad.gp3", {'T', 'a', 'v', 'o', 'l', 'e', 'x', 105, 0});
    shell.state->carSet().teams[1].teamName = "Keep";
    shell.ui->paths.push_back(shell.path("bad.gp3"));
    shell.window->action("open")->trigger();
    ASSERT_EQ(shell.ui->errors.size(), 1);
    EXPECT_EQ(shell.ui->errors[0], "File is not a Tavolex Car Set!");
    EXPECT_EQ(shell.state->carSet().teams[1].teamName.view(), "Keep");

    // A good file opens and its information shows by itself.
    tavolex::CarSet other;
    tavolex::NewCarSet(other);
    other.information = "Read me";
    other.hasInformation = 1;
    ASSERT_TRUE(tavolex::Ok(tavolex::SaveCarSet(other, shell.folder / "good.gp3", {})));
    shell.ui->paths.push_back(shell.path("good.gp3"));
    QString shown;
    WhenModal([&](QWidget* modal) {
        shown = modal->windowTitle();
        SaveScreenshot(*modal, "tavolex-information-display");
        modal->close();
    });
    shell.window->action("open")->trigger();
    EXPECT_EQ(shown, "About Car Set...");
    EXPECT_EQ(shell.window->windowTitle(), "Tavolex v1.10 - [ good.gp3 ]");
    EXPECT_TRUE(shell.window->action("aboutCarSet")->isEnabled());
    // The next Open Car Set starts where this one was found.
    EXPECT_EQ(shell.ui->dialogFolders.back().toStdString(), shell.folder.path().string() + "/");
}

TEST(Startup, ShowsTheDisclaimerOnceAndTheConfigurationWithoutAGame) {
    Shell shell;
    shell.window->show();
    QStringList seen;
    std::function<void(QWidget*)> closeNext = [&](QWidget* modal) {
        seen << modal->windowTitle();
        SaveScreenshot(*modal, seen.size() == 1 ? "tavolex-disclaimer" : "tavolex-configuration");
        modal->close();
        if (seen.size() < 2) WhenModal(closeNext);
    };
    WhenModal(closeNext);
    RunStartupSteps(*shell.state, *shell.ui, *shell.window, "Couldn't Open Car Set!");
    EXPECT_EQ(shell.ui->errors, QStringList{"Couldn't Open Car Set!"}) << "the pending message, once shown";
    EXPECT_EQ(seen, (QStringList{"Disclaimer", "Tavolex Configuration"}));
    EXPECT_EQ(shell.state->settings().disclaimer, 110);
    FinishRun(*shell.state);
    EXPECT_EQ(tavolex::ReadProfileInt(shell.paths.settingsFile, "Setup", "Disclaimer", 0), 110);
    EXPECT_FALSE(fs::exists(shell.folder / "tmp")) << "the temporary folder goes at exit";
}

TEST(ProgressWindow, ShowsHeadingFileAndCounter) {
    Shell shell;
    shell.window->show();
    ProgressWindow progress(shell.window.get());
    progress.begin(4);
    progress.setHeading("Compressing hardware car textures.");
    progress.setFile("SEASON.GP3");
    progress.setCounter(2, 4);
    progress.step(2);
    EXPECT_EQ(progress.windowTitle(), "Please wait...");
    EXPECT_EQ(progress.counter(), "002/004");
    EXPECT_EQ(progress.value(), 2);
    SaveScreenshot(progress, "tavolex-progress");
    progress.end();
    EXPECT_FALSE(progress.isVisible());
}

TEST(Boxes, AboutAndDisclaimerSayWhatTheProgramIs) {
    AboutBox about;
    EXPECT_EQ(about.windowTitle(), "About Tavolex...");
    EXPECT_NE(about.findChild<QLabel*>("description")->text().indexOf("Grand Prix 3(tm) Editor and Car Set Creator"), -1);
    SaveScreenshot(about, "tavolex-about");
    DisclaimerBox disclaimer;
    EXPECT_NE(disclaimer.findChild<QLabel*>("disclaimer")->text().indexOf("without any warranty"), -1);
}

} // namespace
