#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabBar>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include "GameSettingsFixture.h"
#include "Screenshot.h"
#include "core/ByteOrder.h"
#include "document/MiscSettingsDefaults.h"
#include "pages/MiscellaneousPage.h"
#include "widgets/NumberBox.h"

namespace {

struct MiscShell : GameSettingsShell {
    MiscShell() {
        window->show();
        window->tabs()->setCurrentIndex(9);
    }
    MiscellaneousPage* page() { return static_cast<MiscellaneousPage*>(window->page()); }
    tavolex::MiscSettings& misc() { return state->carSet().misc; }
};

TEST(MiscellaneousPage, ShowsTheSettingsAndEnablesTheExecutableGroupsOnlyForTheSupportedGame) {
    MiscShell shell;
    MiscellaneousPage* page = shell.page();
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(page->powerButton(true)->isChecked());
    EXPECT_EQ(page->powerButton(false)->text(), "Car Power Fixed (GP3 default)");
    EXPECT_TRUE(page->spreadButton(1)->isChecked());
    EXPECT_EQ(page->spreadButton(1)->text(), "Tavolex Levels*");
    EXPECT_EQ(page->levelName(2)->text(), "Livelli del Tavolex");
    EXPECT_EQ(page->pointsBox(0)->text(), "10");
    EXPECT_EQ(page->pointsBox(6)->text(), "0");
    for (const char* name : {"powerImport", "powerExport", "pointsImport", "pointsExport"}) {
        EXPECT_FALSE(page->button(name)->isEnabled()) << name;
    }
    EXPECT_TRUE(page->button("oppositionImport")->isEnabled());
    EXPECT_TRUE(page->button("oppositionExport")->isEnabled());
    SaveScreenshot(*shell.window, "tavolex-miscellaneous-page");

    shell.useGame(tavolex::ExeStatus::Unreadable);
    EXPECT_FALSE(page->button("pointsExport")->isEnabled());
    shell.useGame();
    for (const char* name : {"powerImport", "powerExport", "pointsImport", "pointsExport"}) {
        EXPECT_TRUE(page->button(name)->isEnabled()) << name;
    }
    EXPECT_FALSE(shell.state->carSet().modified) << "showing changes nothing";
}

TEST(MiscellaneousPage, PointsAreLimitedAndShownAsStoredWhileTyped) {
    MiscShell shell;
    MiscellaneousPage* page = shell.page();
    NumberBox* first = page->pointsBox(0);
    first->setFocus();
    first->selectAll();
    QTest::keyClicks(first, "200");
    EXPECT_EQ(shell.misc().points[0], 127);
    EXPECT_TRUE(shell.state->carSet().modified);
    EXPECT_EQ(first->text(), "127") << "shown as stored at once";
    LoseFocus(first);
    EXPECT_EQ(first->text(), "127");
    NumberBox* last = page->pointsBox(21);
    last->selectAll();
    QTest::keyClicks(last, "9x8");
    EXPECT_EQ(last->text(), "98") << "digits only";
    QTest::keyClicks(last, "7");
    EXPECT_EQ(last->text(), "127");
    EXPECT_EQ(shell.misc().points[21], 127);

    QTest::mouseClick(page->button("ALL"), Qt::LeftButton);
    EXPECT_EQ(shell.misc().points[0], 22);
    EXPECT_EQ(shell.misc().points[21], 1);
    EXPECT_EQ(page->pointsBox(21)->text(), "1");
    QTest::mouseClick(page->button("CART"), Qt::LeftButton);
    EXPECT_EQ(page->pointsBox(0)->text(), "20");
    EXPECT_EQ(page->pointsBox(12)->text(), "0");
    QTest::mouseClick(page->button("F1"), Qt::LeftButton);
    EXPECT_EQ(shell.misc().points, tavolex::PresetPoints(tavolex::PointsPreset::F1));
}

TEST(MiscellaneousPage, RadioButtonsNamesAndTheirPresets) {
    MiscShell shell;
    MiscellaneousPage* page = shell.page();
    QTest::mouseClick(page->powerButton(false), Qt::LeftButton);
    EXPECT_EQ(shell.misc().playerCarPower, 0);
    EXPECT_TRUE(shell.state->carSet().modified);
    QTest::mouseClick(page->spreadButton(2), Qt::LeftButton);
    EXPECT_EQ(shell.misc().oppositionSpread, 2);

    QLineEdit* english = page->levelName(0);
    english->selectAll();
    QTest::keyClicks(english, QString(32, 'a'));
    EXPECT_EQ(english->text(), QString(31, 'a')) << "a 32nd character cannot be typed";
    EXPECT_EQ(shell.misc().levelNames[0].view(), std::string(31, 'a'));

    QComboBox* presets = page->namePresets();
    ASSERT_EQ(presets->count(), 1 + 81 + 1);
    EXPECT_EQ(presets->itemText(0), "...Levels");
    EXPECT_EQ(presets->itemText(1), "1940 Levels");
    EXPECT_EQ(presets->itemText(81), "2020 Levels");
    EXPECT_EQ(presets->itemText(82), "Tavolex Levels");
    presets->activated(0);
    EXPECT_EQ(shell.misc().levelNames[0].view(), std::string(31, 'a')) << "\"...Levels\" changes nothing";
    presets->activated(1998 - 1940 + 1);
    EXPECT_EQ(presets->currentIndex(), 0) << "the list returns to its first entry";
    const char* expected[] = {"1998 Levels", "Niveaux 1998", "Livelli del 1998", "Leistungsstufen von 1998",
                              "Niveles de 1998"};
    for (int language = 0; language < 5; ++language) {
        EXPECT_EQ(shell.misc().levelNames[static_cast<std::size_t>(language)].view(), expected[language]);
        EXPECT_EQ(page->levelName(language)->text(), expected[language]);
    }
    presets->activated(82);
    EXPECT_EQ(page->levelName(3)->text(), "Leistungsstufen von Tavolex");
}

TEST(MiscellaneousPage, EachGroupImportsAndExportsOnItsOwn) {
    MiscShell shell;
    shell.useGame();
    MiscellaneousPage* page = shell.page();

    QTest::mouseClick(page->powerButton(false), Qt::LeftButton);
    QTest::mouseClick(page->button("powerExport"), Qt::LeftButton);
    EXPECT_EQ(shell.ui->informations.back(), "File Patched Successfully!");
    EXPECT_EQ(shell.exe()[0x36C67], 255);
    EXPECT_EQ(shell.exe()[0x36E29], 255);

    // Points typed but not yet left are taken before the export.
    page->pointsBox(1)->selectAll();
    QTest::keyClicks(page->pointsBox(1), "150");
    QTest::mouseClick(page->button("pointsExport"), Qt::LeftButton);
    EXPECT_EQ(shell.exe()[0x73B456], 10);
    EXPECT_EQ(shell.exe()[0x73B457], 127);
    EXPECT_EQ(page->pointsBox(1)->text(), "127");

    auto exe = shell.exe();
    exe[0x73B456] = 25;
    exe[0x73B457] = 200;
    exe[0x36C67] = 0;
    shell.setExe(exe);
    shell.state->carSet().modified = false;
    QTest::mouseClick(page->button("pointsImport"), Qt::LeftButton);
    EXPECT_EQ(page->pointsBox(0)->text(), "25");
    EXPECT_EQ(shell.misc().points[1], 127);
    EXPECT_TRUE(shell.state->carSet().modified);
    QTest::mouseClick(page->button("powerImport"), Qt::LeftButton);
    EXPECT_TRUE(page->powerButton(true)->isChecked());

    // The opposition group: names into the language files, the spread into the intact save file.
    page->namePresets()->activated(1998 - 1940 + 1);
    QTest::mouseClick(page->spreadButton(0), Qt::LeftButton);
    QTest::mouseClick(page->button("oppositionExport"), Qt::LeftButton);
    EXPECT_EQ(shell.ui->informations.back(), "File Patched Successfully!");
    EXPECT_EQ(tavolex::test::ReadBytes(shell.gameFolder / "F1GSTATE.SAV")[0x16A0], 0);
    EXPECT_TRUE(tavolex::CheckSaveFile(tavolex::GameFolder(shell.gameFolder)));
    // A language file that is there but cannot be written is told as a failure.
    const auto german = tavolex::GameFolder(shell.gameFolder).languageFile(tavolex::Language::German);
    std::filesystem::remove(german);
    std::filesystem::create_directory(german);
    const auto patchErrors = shell.ui->errors.size();
    QTest::mouseClick(page->button("oppositionExport"), Qt::LeftButton);
    ASSERT_EQ(shell.ui->errors.size(), patchErrors + 1);
    EXPECT_EQ(shell.ui->errors.back(), "Failed to patch Grand Prix 3 files!");
    std::filesystem::remove(german);
    page->namePresets()->activated(82);
    QTest::mouseClick(page->button("oppositionImport"), Qt::LeftButton);
    EXPECT_EQ(page->levelName(1)->text(), "Niveaux 1998");
    EXPECT_TRUE(page->spreadButton(0)->isChecked());

    // Without a save file the spread reads as 1; a cut executable is a read failure that keeps the points.
    std::filesystem::remove(shell.gameFolder / "F1GSTATE.SAV");
    QTest::mouseClick(page->button("oppositionImport"), Qt::LeftButton);
    EXPECT_TRUE(page->spreadButton(1)->isChecked());
    exe.resize(0x73B456 + 4);
    shell.setExe(exe);
    const auto errors = shell.ui->errors.size();
    QTest::mouseClick(page->button("pointsImport"), Qt::LeftButton);
    ASSERT_EQ(shell.ui->errors.size(), errors + 1);
    EXPECT_EQ(shell.ui->errors.back(), "Failed to read data from Grand Prix 3 files!");
    EXPECT_EQ(shell.misc().points[0], 25);
}

// Without a game there is nothing to import: a failure, and the level names stay as typed.
TEST(MiscellaneousPage, OppositionImportWithoutAGameIsAFailure) {
    MiscShell shell;
    MiscellaneousPage* page = shell.page();
    page->namePresets()->activated(82);
    const tavolex::MiscSettings before = shell.misc();
    const auto errors = shell.ui->errors.size();
    QTest::mouseClick(page->button("oppositionImport"), Qt::LeftButton);
    ASSERT_EQ(shell.ui->errors.size(), errors + 1);
    EXPECT_EQ(shell.ui->errors.back(), "Failed to read data from Grand Prix 3 files!");
    EXPECT_EQ(shell.misc(), before);
    EXPECT_FALSE(shell.window->statusBar()->currentMessage().startsWith("Imported"));
}

} // namespace
