#include <QAction>
#include <QMenuBar>
#include <QShortcut>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include "ShellFixture.h"
#include "document/CarSetFile.h"

namespace {
namespace fs = std::filesystem;

void Press(MainWindow& window, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QApplication::setActiveWindow(&window);
    QTest::keyClick(&window, key, modifiers);
}

// Every key that would do something in the window now: the enabled actions'
// shortcuts, the enabled shortcuts' keys and the menus' Alt+letter.
QList<QKeySequence> LiveKeys(MainWindow& window) {
    QList<QKeySequence> keys;
    for (QAction* menu : window.menuBar()->actions()) {
        keys << QKeySequence::mnemonic(menu->text());
    }
    for (QAction* action : window.findChildren<QAction*>()) {
        if (action->isEnabled())
            keys << action->shortcuts();
    }
    for (QShortcut* shortcut : window.findChildren<QShortcut*>()) {
        if (shortcut->isEnabled())
            keys << shortcut->keys();
    }
    return keys;
}

TEST(StandardShortcuts, TheDesktopsKeysRunNewOpenSaveSaveAsAndExit) {
    Shell shell;
    MainWindow& window = *shell.window;
    window.show();

    // Ctrl+S on an untitled car set is Save As, as Alt+S is.
    shell.ui->paths.push_back(shell.path("first"));
    Press(window, Qt::Key_S, Qt::ControlModifier);
    ASSERT_TRUE(fs::exists(shell.folder / "first.GP3"));
    EXPECT_EQ(shell.ui->dialogFolders.size(), 1);
    // Titled: Ctrl+S saves in place, without a dialog.
    shell.state->carSet().teams[0].teamName = "Saved";
    tavolex::MarkModified(shell.state->carSet());
    Press(window, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(shell.ui->dialogFolders.size(), 1);
    EXPECT_FALSE(shell.state->carSet().modified);
    // Ctrl+Shift+S asks for a new name even for a titled car set.
    shell.ui->paths.push_back(shell.path("second"));
    Press(window, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(shell.ui->dialogFolders.size(), 2);
    EXPECT_TRUE(fs::exists(shell.folder / "second.GP3"));
    EXPECT_EQ(fs::path(shell.state->carSet().path).filename(), "second.GP3");

    // Ctrl+N starts a new car set.
    Press(window, Qt::Key_N, Qt::ControlModifier);
    EXPECT_TRUE(shell.state->carSet().untitled());
    EXPECT_EQ(shell.state->carSet().teams[0].teamName.view(), "Team Name");

    // Ctrl+O opens one through the open dialog.
    shell.ui->paths.push_back(shell.path("first.GP3"));
    Press(window, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(shell.ui->dialogFolders.size(), 3);
    EXPECT_EQ(fs::path(shell.state->carSet().path).filename(), "first.GP3");
    EXPECT_EQ(shell.state->carSet().teams[0].teamName.view(), "Saved");

    // Ctrl+Q ends the program as Exit does, asking about unsaved changes first.
    tavolex::MarkModified(shell.state->carSet());
    shell.ui->answers.push_back(UiServices::Answer::Cancel);
    Press(window, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(shell.ui->questions.size(), 1);
    EXPECT_TRUE(window.isVisible()) << "cancelled";
    shell.ui->answers.push_back(UiServices::Answer::No);
    Press(window, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(window.isVisible());
}

// Qt runs neither of two live bindings of one key: each key, accelerator or
// menu letter, may be bound once, untitled or not.
TEST(StandardShortcuts, NoKeyIsBoundTwice) {
    Shell shell;
    MainWindow& window = *shell.window;
    for (bool untitled : {true, false}) {
        if (!untitled) {
            ASSERT_TRUE(tavolex::Ok(tavolex::SaveCarSet(shell.state->carSet(), shell.folder / "set.GP3", {})));
            shell.state->carSet().path = (shell.folder / "set.GP3").string();
            window.refreshTitle();
        }
        const QList<QKeySequence> keys = LiveKeys(window);
        for (const QKeySequence& key : keys) {
            EXPECT_EQ(keys.count(key), 1) << key.toString().toStdString() << (untitled ? " untitled" : " titled");
        }
        for (const QKeySequence& wanted :
             {QKeySequence(Qt::CTRL | Qt::Key_N), QKeySequence(Qt::CTRL | Qt::Key_O),
              QKeySequence(Qt::CTRL | Qt::Key_S), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
              QKeySequence(Qt::CTRL | Qt::Key_Q), QKeySequence(Qt::ALT | Qt::Key_S)}) {
            EXPECT_TRUE(keys.contains(wanted)) << wanted.toString().toStdString();
        }
    }
}

} // namespace
