#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include "GraphicsShell.h"
#include "Screenshot.h"
#include "ShellFixture.h"
#include "document/CarSetFile.h"
#include "editing/PitCrewUpgrade.h"
#include "formats/IniFile.h"
#include "formats/PictureFile.h"
#include "preview/CarSetPreview.h"
#include "sample/SampleGame.h"
#include "settings/Settings.h"
#include "shell/Boxes.h"
#include "shell/Startup.h"
#include "shell/TeamList.h"
#include "widgets/ProgressWindow.h"

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

    // Wide pages hide the team list.
    window.tabs()->setCurrentIndex(1);
    EXPECT_FALSE(window.teamList()->isVisible());
    window.tabs()->setCurrentIndex(9);
    EXPECT_FALSE(window.teamList()->isVisible());
    window.tabs()->setCurrentIndex(2);
    EXPECT_TRUE(window.teamList()->isVisible());

    window.tabs()->setCurrentIndex(0);
    shell.state->carSet().teams[3].teamName = "McLaren";
    shell.state->carSet().teams[3].engineName = "";
    shell.state->notifyDataChanged();
    EXPECT_EQ(window.teamList()->button(3)->text(), " McLaren");
    SaveScreenshot(window, "tavolex-main-window");
}

// A menu's mnemonic and an action's shortcut on the same key make Qt call
// the key ambiguous, and then neither works: Alt+E is Export's.
TEST(MainWindow, EveryAltKeyOpensOneThing) {
    Shell shell;
    MainWindow& window = *shell.window;
    QList<QKeySequence> keys;
    for (QAction* menu : window.menuBar()->actions()) {
        const QKeySequence mnemonic = QKeySequence::mnemonic(menu->text());
        EXPECT_FALSE(mnemonic.isEmpty()) << menu->text().toStdString();
        EXPECT_FALSE(keys.contains(mnemonic)) << menu->text().toStdString();
        keys << mnemonic;
    }
    for (QAction* action : window.findChildren<QAction*>()) {
        for (const QKeySequence& shortcut : action->shortcuts()) {
            EXPECT_FALSE(keys.contains(shortcut))
                << action->objectName().toStdString() << " " << shortcut.toString().toStdString();
        }
    }

    // Pressed, Alt+E runs Export (which first asks where the game is).
    window.show();
    QApplication::setActiveWindow(&window);
    int exports = 0;
    QObject::connect(window.action("export"), &QAction::triggered, [&exports] { ++exports; });
    WhenModal([](QWidget* modal) { modal->close(); });
    QTest::keyClick(&window, Qt::Key_E, Qt::AltModifier);
    EXPECT_EQ(exports, 1);
}

// Help topics opens the manual; when nothing can open it the user is told where it is.
TEST(MainWindow, HelpOpensTheManualOrSaysWhereItIs) {
    Shell shell;
    shell.window->action("help")->trigger();
    ASSERT_EQ(shell.ui->opened.size(), 1);
    const QString manual = shell.ui->opened[0];
    EXPECT_TRUE(manual.endsWith("/manual/index.html")) << manual.toStdString();
    EXPECT_TRUE(shell.ui->errors.isEmpty());

    shell.ui->canOpenDocuments = false;
    shell.window->action("help")->trigger();
    ASSERT_EQ(shell.ui->errors.size(), 1);
    EXPECT_TRUE(shell.ui->errors[0].startsWith("Couldn't open the help file!"));
    EXPECT_TRUE(shell.ui->errors[0].contains(manual)) << shell.ui->errors[0].toStdString();
}

TEST(MainWindow, TheStartBannerCoversThePageAreaOnlyWithAMarkThatStandsOut) {
    Shell shell;
    MainWindow& window = *shell.window;
    window.show();
    window.showBanner();
    QApplication::processEvents();
    StartBanner* banner = window.banner();
    ASSERT_NE(banner, nullptr);
    const int tabsBottom = window.tabs()->mapTo(&window, QPoint(0, window.tabs()->height())).y();
    EXPECT_GE(banner->mapTo(&window, QPoint(0, 0)).y(), tabsBottom) << "the tab labels stay whole";
    const QPoint listCorner = window.teamList()->mapTo(&window, QPoint(0, 0));
    EXPECT_TRUE(QRect(banner->mapTo(&window, QPoint(0, 0)), banner->size()).contains(listCorner));
    // It follows the page area when the window grows.
    window.resize(window.width() + 120, window.height() + 80);
    QApplication::processEvents();
    EXPECT_EQ(banner->size(), banner->parentWidget()->size());

    const QImage picture = banner->grab().toImage();
    const int side = std::min(banner->width(), banner->height()) / 3;
    const QColor body = picture.pixelColor(banner->width() / 2, banner->height() / 4 - side / 3 + 12 * side / 16);
    EXPECT_GT(body.green(), 150) << "the car is not red on red";
    SaveScreenshot(window, "tavolex-start-banner");
    QTest::mouseClick(banner, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(window.banner(), nullptr);
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

TEST(MainWindow, TheToolbarSaveButtonActsAsSaveAsWhileUntitled) {
    Shell shell;
    MainWindow& window = *shell.window;
    window.show();
    QAction* tool = window.action("tool_save");
    EXPECT_FALSE(window.action("save")->isEnabled()) << "the menu item is greyed";
    EXPECT_TRUE(tool->isEnabled()) << "the button is not";
    shell.ui->paths.push_back(shell.path("field"));
    tool->trigger();
    EXPECT_TRUE(fs::exists(shell.folder / "field.GP3"));
    EXPECT_EQ(shell.ui->dialogFolders.size(), 1);
    // Titled now: the button saves in place without a dialog.
    tavolex::MarkModified(shell.state->carSet());
    tool->trigger();
    EXPECT_EQ(shell.ui->dialogFolders.size(), 1);
    EXPECT_FALSE(shell.state->carSet().modified);
    EXPECT_TRUE(tool->isEnabled());
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
        if (seen.size() < 2)
            WhenModal(closeNext);
    };
    WhenModal(closeNext);
    RunStartupSteps(*shell.state, *shell.ui, *shell.window, "Couldn't Open Car Set!");
    EXPECT_EQ(shell.ui->errors, QStringList{"Couldn't Open Car Set!"}) << "the pending message, once shown";
    EXPECT_EQ(seen, (QStringList{"Disclaimer", "Tavolex Configuration"}));
    EXPECT_EQ(shell.state->settings().disclaimer, 110);
    FinishRun(*shell.state, *shell.ui);
    EXPECT_TRUE(shell.ui->errors.size() == 1) << "nothing more to say when the settings were written";
    EXPECT_EQ(tavolex::ReadProfileInt(shell.paths.settingsFile, "Setup", "Disclaimer", 0), 110);
    EXPECT_FALSE(fs::exists(shell.folder / "tmp")) << "the temporary folder goes at exit";
}

// Without the recolouring masks the game's pit crew files stay as they are:
// the user hears so once at start-up, with where the masks go.
TEST(Startup, SaysWhenThePitCrewMasksAreMissing) {
    Shell shell;
    shell.window->show();
    shell.state->settings().disclaimer = tavolex::kDisclaimerDone;
    ASSERT_TRUE(tavolex::Ok(tavolex::MakeSampleGame(shell.folder / "game")));
    shell.useGameAt(shell.folder / "game", tavolex::ExeStatus::Supported);
    RunStartupSteps(*shell.state, *shell.ui, *shell.window, {});
    ASSERT_EQ(shell.ui->errors.size(), 1) << shell.ui->errors.join("|").toStdString();
    EXPECT_TRUE(shell.ui->errors[0].startsWith("The pit crew recolouring masks are missing!"));
    const fs::path masks = tavolex::PitCrewMaskPath(shell.folder.path(), 0).parent_path();
    EXPECT_TRUE(shell.ui->errors[0].contains(QString::fromStdString(masks.string())))
        << shell.ui->errors[0].toStdString();

    // With the masks the files are upgraded, and there is nothing to say.
    WriteBlankPitCrewMasks(shell.folder.path());
    shell.ui->errors.clear();
    RunStartupSteps(*shell.state, *shell.ui, *shell.window, {});
    EXPECT_TRUE(shell.ui->errors.isEmpty()) << shell.ui->errors.join("|").toStdString();
    EXPECT_TRUE(tavolex::PitCrewFilesNeedingUpgrade(shell.folder / "game").empty());
}

TEST(MainWindow, ExportPreviewSavesTheCarSetAsOnePngPicture) {
    Shell shell;
    MainWindow& window = *shell.window;
    window.show();
    QMenu* file = window.menuBar()->actions().front()->menu();
    ASSERT_TRUE(file->actions().contains(window.action("exportPreview")));
    EXPECT_EQ(window.action("exportPreview")->text(), "Export &Preview...");
    file->popup(window.mapToGlobal(QPoint(0, 0)));
    SaveScreenshot(*file, "file-menu");
    file->hide();

    shell.state->carSet().teams[2].drivers[0].name = "Kimi R\xE4ikk\xF6nen";
    const tavolex::CarSet before = shell.state->carSet();
    // The dialog adds the extension; the preview is drawn by the library, as the command line's.
    shell.ui->paths.push_back(shell.path("field"));
    window.action("exportPreview")->trigger();
    EXPECT_TRUE(shell.ui->errors.isEmpty());
    tavolex::PackedBitmap picture;
    ASSERT_TRUE(
        tavolex::Ok(tavolex::LoadPictureFile(shell.folder / "field.png", picture, 1099, 1874, tavolex::Depth::Bits24)));
    tavolex::PackedBitmap expected;
    ASSERT_TRUE(tavolex::Ok(tavolex::DrawCarSetPreview(before, shell.state->graphicEnvironment(), {}, expected)));
    EXPECT_TRUE(picture == expected);
    EXPECT_TRUE(shell.state->carSet().teams == before.teams) << "an export only reads the car set";
    EXPECT_EQ(shell.state->carSet().modified, before.modified);

    // Cancelled, then into a folder that does not exist: nothing written, the failure said.
    shell.ui->paths.push_back("");
    window.action("exportPreview")->trigger();
    EXPECT_TRUE(shell.ui->errors.isEmpty());
    shell.ui->paths.push_back(shell.path("missing/field.png"));
    window.action("exportPreview")->trigger();
    ASSERT_EQ(shell.ui->errors.size(), 1);
    EXPECT_EQ(shell.ui->errors[0], "Couldn't save the preview!");
    EXPECT_FALSE(fs::exists(shell.folder / "missing"));
}

TEST(Startup, SaysOnceAtExitWhenTheSettingsCannotBeWritten) {
    Shell shell;
    tavolex::AppPaths paths = shell.paths;
    tavolex::test::WriteBytes(shell.folder / "blocked", {}); // a file where the folder should be
    paths.settingsFile = shell.folder / "blocked/Tavolex.ini";
    fs::create_directories(shell.folder / "tmp2");
    EditorState state(paths, shell.folder / "tmp2");
    state.loadSettings();
    FinishRun(state, *shell.ui);
    ASSERT_EQ(shell.ui->errors.size(), 1);
    EXPECT_TRUE(shell.ui->errors[0].startsWith("Couldn't save settings to " +
                                               QString::fromStdString(paths.settingsFile.string())))
        << shell.ui->errors[0].toStdString();
    EXPECT_FALSE(fs::exists(shell.folder / "tmp2"));
}

TEST(ProgressWindow, ShowsHeadingFileAndCounterEnabledAndCentred) {
    Shell shell;
    shell.window->show();
    ProgressWindow progress(shell.window.get());
    shell.window->setEnabled(false); // as during a save
    progress.begin(4);
    EXPECT_TRUE(progress.isEnabled()) << "not greyed out with the main window";
    const QPoint offset = progress.geometry().center() - shell.window->geometry().center();
    EXPECT_LE(offset.manhattanLength(), 2) << "centred over the main window, not cornered at its centre";
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
    EXPECT_NE(about.findChild<QLabel*>("description")->text().indexOf("Grand Prix 3(tm) Editor and Car Set Creator"),
              -1);
    SaveScreenshot(about, "tavolex-about");
    DisclaimerBox disclaimer;
    EXPECT_NE(disclaimer.findChild<QLabel*>("disclaimer")->text().indexOf("without any warranty"), -1);
}

} // namespace
