// Names and texts of the car set are Windows-1252: they reach the screen as
// the characters they are, and only characters Windows-1252 holds come back.
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTextEdit>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include "GraphicsShell.h"
#include "Screenshot.h"
#include "ShellFixture.h"
#include "pages/ArtworkPage.h"
#include "pages/HelmetsPage.h"
#include "pages/PitBoxesPage.h"
#include "pages/PitLaneList.h"
#include "pages/TeamsPage.h"
#include "pages/WheelsPage.h"
#include "shell/InformationEditor.h"
#include "shell/TeamList.h"
#include "widgets/GameText.h"

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
        teams[0].teamName = "Citro\xEBn"; // ë
        teams[0].engineName = "Peugeot";
        teams[0].drivers[0].name = "Ren\xE9 Arnoux"; // é
        teams[1].teamName = "\x8Akoda";              // Š
        teams[1].engineName = "M\xFCller";           // ü
        teams[2].teamName = "L\x92\x45quipe";        // ’
        teams[2].engineName = "Mecachrome";
        teams[3].teamName = "\x80uro Racing"; // €
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
    EXPECT_EQ(std::string(saved.begin(), saved.end()), std::string("\x84"
                                                                   "a\x93"
                                                                   "b") +
                                                           '\0');
}

// "ä", "€" and "œ": one byte each in Windows-1252 (0xE4, 0x80, 0x9C), the
// last two where Windows-1252 differs from Latin-1, so a page that converts
// names any other way shows them wrong or stores other bytes.
struct EveryPageShell : GraphicsShell {
    static constexpr const char* kTeam = "B\xE4r\x80\x9C";
    static constexpr const char* kEngine = "\x8Cuvre\x80\xE4";
    static constexpr const char* kDriver = "R\xE4ikk\xF6nen \x80\x9C";
    static constexpr const char* kTyre = "Pneu \xE4\x80\x9C";
    static constexpr const char* kLevel = "\xC4lite \x80\x9C";

    EveryPageShell() : GraphicsShell(0) {
        auto& carSet = state->carSet();
        carSet.teams[0].teamName = kTeam;
        carSet.teams[0].engineName = kEngine;
        carSet.teams[0].drivers[0].name = kDriver;
        carSet.tyres[0].name = kTyre;
        carSet.misc.levelNames[0] = kLevel;
        state->notifyDataChanged();
    }
    QWidget* open(int tab) {
        window->tabs()->setCurrentIndex(tab);
        return window->page();
    }
};

QString Shown(const char* bytes) { return FromGameText(bytes); }

// Types a character and takes it back: the box stores its text again, which
// must be the very bytes it was given.
void TouchAndRestore(QLineEdit* box) {
    box->setFocus();
    box->end(false);
    Type(box, U("x"));
    QTest::keyClick(box, Qt::Key_Backspace);
}

TEST(GameText, EveryPageShowsWindows1252NamesAndStoresThemBackByteExact) {
    EveryPageShell shell;
    const QString team = U("Bär€œ");
    const QString driver = U("Räikkönen €œ");
    ASSERT_EQ(Shown(EveryPageShell::kTeam), team);
    EXPECT_EQ(shell.window->teamList()->findChild<QPushButton*>("team0")->text(), U(" Bär€œ - Œuvre€ä"));

    auto* teams = static_cast<TeamsPage*>(shell.open(0));
    EXPECT_EQ(teams->teamName()->text(), team);
    EXPECT_EQ(teams->engineName()->text(), U("Œuvre€ä"));
    EXPECT_EQ(teams->driverName(0)->text(), driver);
    bool tyreShown = false;
    for (QPushButton* button : teams->findChildren<QPushButton*>())
        tyreShown = tyreShown || button->text() == U("Pneu ä€œ");
    EXPECT_TRUE(tyreShown) << "the Teams page's tyre choice";
    for (QLineEdit* box : {teams->teamName(), teams->engineName(), teams->driverName(0)}) TouchAndRestore(box);
    SaveScreenshot(*shell.window, "tavolex-names-teams");

    QWidget* performance = shell.open(1);
    bool driverShown = false;
    for (QLabel* label : performance->findChildren<QLabel*>()) driverShown = driverShown || label->text() == driver;
    EXPECT_TRUE(driverShown) << "the Performance page";

    auto* helmets = static_cast<HelmetsPage*>(shell.open(3));
    EXPECT_EQ(helmets->helmetButton(0)->toolTip(), driver);

    auto* artwork = static_cast<ArtworkPage*>(shell.open(4));
    QTest::mouseClick(artwork->button("import"), Qt::LeftButton);
    EXPECT_TRUE(artwork->driverBox(0)->text().endsWith(U("] Räikkönen €œ")))
        << artwork->driverBox(0)->text().toStdString();
    SaveScreenshot(*shell.window, "tavolex-names-artwork");

    auto* pitBoxes = static_cast<PitBoxesPage*>(shell.open(7));
    EXPECT_EQ(pitBoxes->findChild<QLabel*>("stripTeam")->text(), U(" Bär€œ - Œuvre€ä"));
    bool laneShown = false;
    for (int row = 0; row < pitBoxes->pitLane()->count(); ++row) {
        laneShown = laneShown || pitBoxes->pitLane()->item(row)->text() == U(" Bär€œ - Œuvre€ä");
    }
    EXPECT_TRUE(laneShown) << "the pit lane list";
    SaveScreenshot(*shell.window, "tavolex-names-pit-boxes");

    auto* wheels = static_cast<WheelsPage*>(shell.open(8));
    EXPECT_EQ(wheels->tyreButton(0)->text(), U("Pneu ä€œ"));
    EXPECT_EQ(wheels->nameEdit()->text(), U("Pneu ä€œ"));
    TouchAndRestore(wheels->nameEdit());
    Type(wheels->nameEdit(), U("Ω"));
    EXPECT_EQ(wheels->nameEdit()->text(), U("Pneu ä€œ")) << "what Windows-1252 cannot hold is refused";

    QWidget* misc = shell.open(9);
    auto* level = misc->findChild<QLineEdit*>("levelName0");
    ASSERT_NE(level, nullptr);
    EXPECT_EQ(level->text(), U("Älite €œ"));
    TouchAndRestore(level);
    SaveScreenshot(*shell.window, "tavolex-names-miscellaneous");

    const auto& carSet = shell.state->carSet();
    EXPECT_EQ(carSet.teams[0].teamName.view(), EveryPageShell::kTeam);
    EXPECT_EQ(carSet.teams[0].engineName.view(), EveryPageShell::kEngine);
    EXPECT_EQ(carSet.teams[0].drivers[0].name.view(), EveryPageShell::kDriver);
    EXPECT_EQ(carSet.tyres[0].name.view(), EveryPageShell::kTyre);
    EXPECT_EQ(carSet.misc.levelNames[0].view(), EveryPageShell::kLevel);
    EXPECT_TRUE(shell.ui->errors.isEmpty()) << shell.ui->errors.join("|").toStdString();
}

// A control character (a tab or line break, pasted mostly) never reaches a
// name of the game's files: every name box refuses it and says why.
TEST(GameText, EveryNameBoxRefusesControlCharactersWithAMessage) {
    EveryPageShell shell;
    const auto refuses = [&shell](QLineEdit* box, const std::function<std::string()>& stored) {
        const QString before = box->text();
        const std::string bytes = stored();
        shell.ui->errors.clear();
        box->setFocus();
        box->end(false);
        box->insert(U("a\tb"));
        box->insert(U("\n"));
        box->insert(QString(QChar(0x1B)));
        QApplication::processEvents();
        EXPECT_EQ(box->text(), before);
        EXPECT_EQ(stored(), bytes);
        ASSERT_FALSE(shell.ui->errors.isEmpty()) << box->objectName().toStdString();
        EXPECT_EQ(shell.ui->errors.value(0),
                  "Names cannot hold control characters (tabs, line breaks and the like): the game's files do not "
                  "take them.");
        box->insert(U("ä"));
        EXPECT_EQ(box->text(), before + U("ä")) << "a character of the game's code page goes in";
    };
    auto& carSet = shell.state->carSet();
    auto* teams = static_cast<TeamsPage*>(shell.open(0));
    refuses(teams->teamName(), [&] { return carSet.teams[0].teamName.str(); });
    refuses(teams->engineName(), [&] { return carSet.teams[0].engineName.str(); });
    refuses(teams->driverName(1), [&] { return carSet.teams[0].drivers[1].name.str(); });
    auto* wheels = static_cast<WheelsPage*>(shell.open(8));
    refuses(wheels->nameEdit(), [&] { return carSet.tyres[0].name.str(); });
    auto* level = shell.open(9)->findChild<QLineEdit*>("levelName2");
    ASSERT_NE(level, nullptr);
    refuses(level, [&] { return carSet.misc.levelNames[2].str(); });
    EXPECT_EQ(carSet.misc.levelNames[2].view().find('\t'), std::string_view::npos);
}

} // namespace
