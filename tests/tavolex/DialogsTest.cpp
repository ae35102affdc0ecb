#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include "Screenshot.h"
#include "ShellFixture.h"
#include "game/GameConstants.h"
#include "game/GameIdentity.h"
#include "sample/SampleArt.h"
#include "sample/SampleGame.h"
#include "settings/Settings.h"
#include "shell/ConfigurationDialog.h"
#include "shell/InformationEditor.h"

namespace {
using tavolex::test::WriteBytes;
namespace fs = std::filesystem;

void MakeExe(const fs::path& folder, std::uint64_t size, bool identified) {
    std::vector<std::uint8_t> bytes(size, 0);
    if (identified) {
        std::copy(tavolex::kExeIdentificationText.begin(), tavolex::kExeIdentificationText.end(),
                  bytes.begin() + static_cast<std::ptrdiff_t>(tavolex::kExeIdentificationOffset));
    }
    fs::create_directories(folder);
    WriteBytes(folder / "GP3.EXE", bytes);
}

TEST(ConfigurationDialog, JudgesTheExecutableBeforeKeepingTheFolder) {
    Shell shell;
    int notified = 0;
    QObject::connect(shell.state.get(), &EditorState::exeStatusChanged, [&] { ++notified; });
    ConfigurationDialog dialog(*shell.state, *shell.ui, shell.window.get());
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Tavolex Configuration");
    SaveScreenshot(dialog, "tavolex-configuration-dialog");

    // Missing: the message, and the dialog stays with nothing stored.
    dialog.folderEdit()->setText(shell.path("nowhere"));
    dialog.accept();
    EXPECT_EQ(shell.ui->errors.back(),
              "GP3.EXE is missing or corrupt!\n\nLocate your main 'Grand Prix 3' folder on your hard drive.");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.folderEdit()->selectedText(), dialog.folderEdit()->text());
    EXPECT_TRUE(shell.state->settings().gameFolder.empty());
    EXPECT_EQ(notified, 0);

    MakeExe(shell.folder / "unsupported", 1000000, false);
    dialog.folderEdit()->setText(shell.path("unsupported"));
    dialog.accept();
    EXPECT_EQ(shell.ui->errors.back(),
              "Unsupported GP3.EXE version detected!\n\nTavolex does not recognise or support your GP3 version.");
    EXPECT_EQ(shell.state->exeStatus(), tavolex::ExeStatus::Unsupported);
    EXPECT_EQ(tavolex::ReadSettings(shell.paths.settingsFile).gameFolder, (shell.folder / "unsupported").string());
    EXPECT_EQ(notified, 1);

    MakeExe(shell.folder / "unreadable", 500000, false);
    ConfigurationDialog second(*shell.state, *shell.ui, shell.window.get());
    second.folderEdit()->setText(shell.path("unreadable"));
    second.accept();
    EXPECT_TRUE(shell.ui->errors.back().startsWith("GP3.EXE cannot be read!"));
    EXPECT_EQ(shell.state->exeStatus(), tavolex::ExeStatus::Unreadable);

    const auto errors = shell.ui->errors.size();
    MakeExe(shell.folder / "supported", tavolex::kSupportedExeSize, true);
    ConfigurationDialog third(*shell.state, *shell.ui, shell.window.get());
    shell.ui->paths.push_back(shell.path("supported"));
    QTest::mouseClick(third.findChild<QPushButton*>("browse"), Qt::LeftButton);
    EXPECT_EQ(third.folderEdit()->text(), shell.path("supported"));
    third.accept();
    EXPECT_EQ(shell.ui->errors.size(), errors) << "a supported game needs no message";
    EXPECT_EQ(shell.state->exeStatus(), tavolex::ExeStatus::Supported);
    EXPECT_EQ(tavolex::ReadSettings(shell.paths.settingsFile).gameFolder, (shell.folder / "supported").string());
}

QListWidgetItem* ItemFor(QListWidget* list, const QString& folder) {
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->data(Qt::UserRole).toString() == folder)
            return list->item(i);
    }
    return nullptr;
}

TEST(ConfigurationDialog, FirstRunListsTheGamesFoundAndAClickTakesOne) {
    Shell shell;
    const ScopedHome home(shell.folder.path());
    fs::create_directories(shell.folder / "home/.wine/drive_c/Games/Grand Prix 3");
    WriteBytes(shell.folder / "home/.wine/drive_c/Games/Grand Prix 3/gp3.exe", tavolex::SampleExecutable());
    fs::create_directories(shell.folder / "data/bottles/bottles/Racing/drive_c/GP3");
    WriteBytes(shell.folder / "data/bottles/bottles/Racing/drive_c/GP3/GP3.EXE", std::vector<std::uint8_t>(2000, 1));
    const QString wine = shell.path("home/.wine/drive_c/Games/Grand Prix 3");
    const QString bottles = shell.path("data/bottles/bottles/Racing/drive_c/GP3");

    ConfigurationDialog dialog(*shell.state, *shell.ui, shell.window.get());
    dialog.show();
    QListWidget* list = dialog.foundGamesList();
    ASSERT_NE(list, nullptr);
    QListWidgetItem* supported = ItemFor(list, wine);
    QListWidgetItem* unknown = ItemFor(list, bottles);
    ASSERT_NE(supported, nullptr);
    ASSERT_NE(unknown, nullptr);
    EXPECT_EQ(supported->text(), wine + "\nGP3.EXE is recognised by its identification text.");
    EXPECT_EQ(unknown->text(), bottles + "\nGP3.EXE is not recognised.");
    SaveScreenshot(dialog, "tavolex-configuration-first-run");

    list->scrollToItem(supported);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(supported).center());
    EXPECT_EQ(dialog.folderEdit()->text(), wine);
    dialog.accept();
    EXPECT_EQ(shell.state->exeStatus(), tavolex::ExeStatus::Supported);
    EXPECT_EQ(tavolex::ReadSettings(shell.paths.settingsFile).gameFolder, wine.toStdString());

    // With a game folder set, the dialog searches nothing.
    ConfigurationDialog later(*shell.state, *shell.ui, shell.window.get());
    EXPECT_EQ(later.foundGamesList(), nullptr);
}

TEST(ConfigurationDialog, SaysHowTheExecutableIsRecognisedAndRemembersItsText) {
    Shell shell;
    const auto credited = tavolex::SampleIdentityWithCredit("Grand Prix 3 (c) 1998 Test");
    ASSERT_TRUE(credited.has_value());
    fs::create_directories(shell.folder / "real");
    WriteBytes(shell.folder / "real/GP3.EXE", tavolex::SampleExecutable(credited->exeText));
    MakeExe(shell.folder / "builtin", tavolex::kSupportedExeSize, true);

    ConfigurationDialog dialog(*shell.state, *shell.ui, shell.window.get());
    dialog.show();
    EXPECT_EQ(dialog.recognitionLabel()->text(), "GP3.EXE is not recognised.");
    dialog.folderEdit()->setText(shell.path("builtin"));
    const auto recognised = [&dialog](const QString& text) {
        return QTest::qWaitFor([&] { return dialog.recognitionLabel()->text() == text; }, 2000);
    };
    EXPECT_TRUE(recognised("GP3.EXE is recognised by its identification text."));

    // Typed, the folder is identified once the typing pauses, not at every key.
    dialog.folderEdit()->clear();
    dialog.folderEdit()->setFocus();
    QTest::keyClicks(dialog.folderEdit(), shell.path("real"));
    EXPECT_EQ(dialog.recognitionLabel()->text(), "GP3.EXE is recognised by its identification text.")
        << "still what the last pause found";
    QTest::qWait(ConfigurationDialog::kIdentifyPauseMs / 2);
    EXPECT_EQ(dialog.recognitionLabel()->text(), "GP3.EXE is recognised by its identification text.");
    EXPECT_TRUE(recognised(
        "GP3.EXE is recognised by its contents. Before it is first changed, a copy is kept as GP3.EXE.orig."));
    SaveScreenshot(dialog, "tavolex-configuration-recognised-by-contents");
    const auto errors = shell.ui->errors.size();
    dialog.accept();
    EXPECT_EQ(shell.ui->errors.size(), errors);
    EXPECT_EQ(shell.state->exeStatus(), tavolex::ExeStatus::Supported);
    EXPECT_EQ(shell.state->exeIdentifiedBy(), tavolex::IdentifiedBy::Contents);
    EXPECT_EQ(tavolex::ReadSettings(shell.paths.settingsFile).exeIdentification,
              tavolex::IdentificationToHex(credited->exeText));

    // The art archive's signature likewise, after the start-up check.
    fs::create_directories(shell.folder / "real/Bitmaps");
    WriteBytes(shell.folder / "real/Bitmaps/gp3art5.bin", tavolex::BuildSampleArtArchive(credited->artSignature));
    shell.state->rememberArtSignature();
    EXPECT_EQ(tavolex::ReadSettings(shell.paths.settingsFile).artSignature,
              tavolex::IdentificationToHex(credited->artSignature));

    // The next start compares the remembered text.
    EditorState again(shell.paths, shell.folder / "tmp");
    again.loadSettings();
    EXPECT_EQ(again.exeStatus(), tavolex::ExeStatus::Supported);
    EXPECT_EQ(again.exeIdentifiedBy(), tavolex::IdentifiedBy::Text);
}

TEST(InformationEditor, CountsLoadsSavesAndMarksTheCarSetModified) {
    Shell shell;
    InformationEditor editor(*shell.state, *shell.ui, shell.window.get());
    editor.show();
    EXPECT_EQ(editor.windowTitle(), "Car Set Information Editor");
    EXPECT_EQ(editor.counter()->text(), "[00000/20000 chars]");
    QPushButton* saveAs = editor.findChild<QPushButton*>("saveAs");
    QTest::mouseClick(saveAs, Qt::LeftButton);
    EXPECT_EQ(shell.ui->beeps, 1) << "nothing to save";

    editor.text()->setPlainText("Credits: me");
    EXPECT_EQ(editor.counter()->text(), "[00011/20000 chars]");
    shell.ui->paths.push_back(shell.path("notes.doc"));
    QTest::mouseClick(saveAs, Qt::LeftButton);
    const auto saved = tavolex::test::ReadBytes(shell.folder / "notes.TXT");
    EXPECT_EQ(std::string(saved.begin(), saved.end()), std::string("Credits: me") + '\0');

    tavolex::test::WriteBytes(shell.folder / "long.txt", std::vector<std::uint8_t>(25000, 'x'));
    shell.ui->paths.push_back(shell.path("long.txt"));
    QTest::mouseClick(editor.findChild<QPushButton*>("load"), Qt::LeftButton);
    EXPECT_EQ(editor.counter()->text(), "[20000/20000 chars]");
    shell.ui->paths.push_back(shell.path("missing.txt"));
    QTest::mouseClick(editor.findChild<QPushButton*>("load"), Qt::LeftButton);
    EXPECT_EQ(shell.ui->errors.back(), "Couldn't Load File!");
    SaveScreenshot(editor, "tavolex-information-editor");

    QTest::mouseClick(editor.findChild<QPushButton*>("ok"), Qt::LeftButton);
    EXPECT_EQ(shell.state->carSet().information.size(), 20000u);
    EXPECT_EQ(shell.state->carSet().hasInformation, 1);
    EXPECT_TRUE(shell.window->action("aboutCarSet")->isEnabled());

    // OK on an emptied text removes the information; OK always marks modified.
    shell.state->carSet().modified = false;
    InformationEditor again(*shell.state, *shell.ui, shell.window.get());
    again.text()->clear();
    again.accept();
    EXPECT_EQ(shell.state->carSet().hasInformation, 0);
    EXPECT_TRUE(shell.state->carSet().modified);
    EXPECT_FALSE(shell.window->action("aboutCarSet")->isEnabled());
}

// A page's Load starts in the car set's folder, else the game's, else home;
// the program's own folder is never offered.
TEST(FileDialogs, APagesDialogStartsInTheCarSetsFolderElseTheGamesElseHome) {
    Shell shell;
    const ScopedHome home(shell.folder.path());
    fs::create_directories(shell.folder / "home");
    fs::create_directories(shell.folder / "game");
    fs::create_directories(shell.folder / "sets");
    shell.window->show();
    shell.window->tabs()->setCurrentIndex(2);
    auto* load = shell.window->page()->findChild<QPushButton*>("load");
    ASSERT_NE(load, nullptr);
    const auto folderOf = [](const fs::path& folder) { return QString::fromStdString(folder.string()); };

    shell.ui->paths.push_back("");
    load->click();
    EXPECT_EQ(shell.ui->dialogFolders.back(), folderOf(shell.folder / "home"));
    shell.useGameAt(shell.folder / "game", tavolex::ExeStatus::Missing);
    shell.ui->paths.push_back("");
    load->click();
    EXPECT_EQ(shell.ui->dialogFolders.back(), folderOf(shell.folder / "game"));
    shell.ui->paths.push_back(shell.path("sets/season"));
    shell.window->action("saveAs")->trigger();
    shell.ui->paths.push_back("");
    load->click();
    EXPECT_EQ(shell.ui->dialogFolders.back(), folderOf(shell.folder / "sets"));
    for (const QString& folder : shell.ui->dialogFolders) {
        EXPECT_NE(folder, QString::fromStdString(shell.paths.programFolder.string()));
        EXPECT_NE(folder, QDir::currentPath());
    }
}

TEST(FileDialogs, ForceTheExtensionAndRememberAFolderPerTitle) {
    Shell shell;
    UiServices& ui = *shell.ui;
    fs::create_directories(shell.folder / "texts");
    shell.ui->paths = {shell.path("texts/plain"), shell.path("texts/word.doc"), shell.path("texts/kept.txt"),
                       shell.path("texts/.hidden")};
    EXPECT_EQ(ui.saveFile(nullptr, "Save Text As...", "Text Files (*.TXT)", "TXT"), shell.path("texts/plain.TXT"));
    EXPECT_EQ(ui.saveFile(nullptr, "Save Text As...", "Text Files (*.TXT)", "TXT"), shell.path("texts/word.TXT"));
    EXPECT_EQ(ui.saveFile(nullptr, "Save Text As...", "Text Files (*.TXT)", "TXT"), shell.path("texts/kept.txt"));
    EXPECT_TRUE(ui.saveFile(nullptr, "Save Text As...", "Text Files (*.TXT)", "TXT").isEmpty());
    EXPECT_EQ(shell.ui->beeps, 1);
    // The first dialog starts in the home folder (no car set file, no game), later ones where their title was last
    // used.
    const QString home = QDir::homePath();
    EXPECT_EQ(shell.ui->dialogFolders[0], home);
    EXPECT_EQ(shell.ui->dialogFolders[1].toStdString(), (shell.folder / "texts").string() + "/");
    shell.ui->paths = {shell.path("texts/set.gp3"), ""};
    ui.openFile(nullptr, "Open Car Set", "Tavolex Car Sets (*.GP3)");
    ui.saveFile(nullptr, "Save Car Set As...", "Tavolex Car Sets (*.GP3)", "GP3");
    EXPECT_EQ(shell.ui->dialogFolders.back(), home) << "each title remembers its own folder";
    // No question about a file that does not exist.
    EXPECT_TRUE(ui.replace(nullptr, shell.path("texts/none.txt")));
    EXPECT_TRUE(shell.ui->questions.isEmpty());
    // A picture's "Save as..." keeps a PNG name: the picture is saved as PNG.
    shell.ui->paths = {shell.path("texts/car.Png"), shell.path("texts/car.jpg"), shell.path("texts/car")};
    EXPECT_EQ(ui.saveFile(nullptr, "Save Bitmap As...", "Bitmap Files (*.bmp);;PNG Files (*.png)", "BMP"),
              shell.path("texts/car.Png"));
    EXPECT_EQ(ui.saveFile(nullptr, "Save Bitmap As...", "Bitmap Files (*.bmp);;PNG Files (*.png)", "BMP"),
              shell.path("texts/car.BMP"));
    EXPECT_EQ(ui.saveFile(nullptr, "Save Bitmap As...", "Bitmap Files (*.bmp);;PNG Files (*.png)", "BMP"),
              shell.path("texts/car.BMP"));
}

} // namespace
