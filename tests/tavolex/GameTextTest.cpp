// Names and texts of the car set are Windows-1252: they reach the screen as
// the characters they are, and only characters Windows-1252 holds come back.
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTextEdit>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include "Screenshot.h"
#include "ShellFixture.h"
#include "pages/TeamsPage.h"
#include "shell/InformationEditor.h"
#include "shell/TeamList.h"

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// Types each character as a key press carrying it, as a keyboard layout
// with that character would (QTest::keyClicks knows only Latin-1 keys).
void Type(QWidget* widget, const QString& text) {
    for (const char32_t c : text.toUcs4()) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString::fromUcs4(&c, 1));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString::fromUcs4(&c, 1));
        QApplication::sendEvent(widget, &release);
    }
}

struct AccentedShell : Shell {
    AccentedShell() {
        auto& teams = state->carSet().teams;
        teams[0].teamName = "Citro\xEBn";        // ë
        teams[0].engineName = "Peugeot";
        teams[0].drivers[0].name = "Ren\xE9 Arnoux"; // é
        teams[1].teamName = "\x8Akoda";          // Š
        teams[1].engineName = "M\xFCller";       // ü
        teams[2].teamName = "L\x92\x45quipe";    // ’
        teams[2].engineName = "Mecachrome";
        teams[3].teamName = "\x80uro Racing";    // €
        teams[3].engineName = "Mugen Honda";
        state->notifyDataChanged();
        window->show();
    }
    TeamsPage* teamsPage() { return static_cast<TeamsPage*>(window->page()); }
    QString teamButton(int team) {
        return window->teamList()->findChild<QPushButton*>(QString("team%1").arg(team))->text();
    }
};

TEST(GameText, TheTeamListAndPagesShowWindows1252Names) {
    AccentedShell shell;
    EXPECT_EQ(shell.teamButton(0), U(" Citroën - Peugeot"));
    EXPECT_EQ(shell.teamButton(1), U(" Škoda - Müller"));
    EXPECT_EQ(shell.teamButton(2), U(" L’Equipe - Mecachrome"));
    EXPECT_EQ(shell.teamButton(3), U(" €uro Racing - Mugen Honda"));
    EXPECT_EQ(shell.teamsPage()->teamName()->text(), U("Citroën"));
    EXPECT_EQ(shell.teamsPage()->driverName(0)->text(), U("René Arnoux"));
    SaveScreenshot(*shell.window, "tavolex-team-list-accents");

    shell.window->tabs()->setCurrentIndex(1);
    bool shown = false;
    for (QLabel* label : shell.window->page()->findChildren<QLabel*>()) {
        shown = shown || label->text() == U("René Arnoux");
    }
    EXPECT_TRUE(shown) << "the Performance page names the driver";
}

TEST(GameText, TypedNamesAreStoredAsWindows1252AndForeignCharactersRefused) {
    AccentedShell shell;
    QLineEdit* name = shell.teamsPage()->teamName();
    name->setFocus();
    name->selectAll();
    Type(name, U("Cité€"));
    EXPECT_EQ(shell.state->carSet().teams[0].teamName.view(), "Cit\xE9\x80");
    Type(name, U("Ωλ→"));
    EXPECT_EQ(name->text(), U("Cité€")) << "Greek letters and arrows are refused as typed";
    EXPECT_EQ(shell.state->carSet().teams[0].teamName.view(), "Cit\xE9\x80");
    EXPECT_EQ(shell.teamButton(0), U(" Cité€ - Peugeot"));

    QLineEdit* driver = shell.teamsPage()->driverName(1);
    driver->setFocus();
    driver->selectAll();
    Type(driver, U("Zoë “Z” Ångström"));
    EXPECT_EQ(shell.state->carSet().teams[0].drivers[1].name.view(), "Zo\xEB \x93Z\x94 \xC5ngstr\xF6m");
}

TEST(GameText, TheInformationTextKeepsQuotesAndTheEuroSign) {
    AccentedShell shell;
    shell.state->carSet().information = "It\x92s \x93new\x94 \x80 5";
    InformationEditor editor(*shell.state, *shell.ui, shell.window.get());
    EXPECT_EQ(editor.text()->toPlainText(), U("It’s “new” € 5"));
    QTextCursor cursor = editor.text()->textCursor();
    cursor.movePosition(QTextCursor::End);
    editor.text()->setTextCursor(cursor);
    Type(editor.text(), U("→!"));
    EXPECT_EQ(editor.text()->toPlainText(), U("It’s “new” € 5!"));
    EXPECT_EQ(shell.ui->beeps, 1);
    editor.accept();
    EXPECT_EQ(shell.state->carSet().information, "It\x92s \x93new\x94 \x80 5!");

    // A text file is read and written in the same encoding.
    tavolex::test::WriteBytes(shell.folder / "in.txt", {0x84, 'a', 0x93, 'b'});
    InformationEditor again(*shell.state, *shell.ui, shell.window.get());
    shell.ui->paths.push_back(shell.path("in.txt"));
    QTest::mouseClick(again.findChild<QPushButton*>("load"), Qt::LeftButton);
    EXPECT_EQ(again.text()->toPlainText(), U("„a“b"));
    shell.ui->paths.push_back(shell.path("out.txt"));
    QTest::mouseClick(again.findChild<QPushButton*>("saveAs"), Qt::LeftButton);
    const auto saved = tavolex::test::ReadBytes(shell.folder / "out.txt");
    EXPECT_EQ(std::string(saved.begin(), saved.end()), std::string("\x84" "a\x93" "b") + '\0');
}

} // namespace
