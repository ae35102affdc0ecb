#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include "Screenshot.h"
#include "ShellFixture.h"
#include "pages/TeamsPage.h"
#include "shell/TeamList.h"
#include "teams/PerformanceFile.h"

namespace {
namespace fs = std::filesystem;

struct TeamsPageShell : Shell {
    TeamsPage* page() { return static_cast<TeamsPage*>(window->page()); }
};

TEST(TeamsPage, SlidersStepClampAndMarkModified) {
    TeamsPageShell shell;
    shell.window->show();
    TeamsPage* page = shell.page();
    ASSERT_NE(page, nullptr);
    QSlider* power = page->slider("qualifyingPower");
    EXPECT_EQ(page->valueLabel("qualifyingPower")->text(), "770 BHP");
    power->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(shell.state->carSet().teams[0].qualifyingPower, 775) << "engine power pages by 5";
    EXPECT_EQ(page->valueLabel("qualifyingPower")->text(), "775 BHP");
    EXPECT_TRUE(shell.state->carSet().modified);
    power->triggerAction(QAbstractSlider::SliderToMaximum);
    power->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(shell.state->carSet().teams[0].qualifyingPower, 1598);

    QSlider* range = page->slider("seat1QualifyingRange");
    range->triggerAction(QAbstractSlider::SliderToMinimum);
    range->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(shell.state->carSet().teams[0].drivers[1].qualifyingRange, -32767);
    EXPECT_EQ(page->valueLabel("seat1QualifyingRange")->text(), "-32767");
    page->slider("seat0RacePerformance")->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(shell.state->carSet().teams[0].drivers[0].racePerformance, 15990) << "other sliders page by 10";

    // A stored value beyond the range: the label shows it, the first step brings it inside.
    shell.state->carSet().teams[0].racePower = 1700;
    page->reload();
    EXPECT_EQ(page->valueLabel("racePower")->text(), "1700 BHP");
    EXPECT_EQ(page->slider("racePower")->value(), 1598);
    page->slider("racePower")->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(shell.state->carSet().teams[0].racePower, 1597);
    SaveScreenshot(*shell.window, "tavolex-teams-page");
}

TEST(TeamsPage, NegativeFiguresPutTheThumbAtTheStartAndKeepTheirSign) {
    TeamsPageShell shell;
    shell.window->show();
    TeamsPage* page = shell.page();
    // What a GP2 import leaves for a race figure below 15751.
    shell.state->carSet().teams[0].drivers[0].racePerformance = -5578;
    shell.state->carSet().teams[0].qualifyingPower = -3;
    page->reload();
    EXPECT_EQ(page->valueLabel("seat0RacePerformance")->text(), "-5578");
    EXPECT_EQ(page->slider("seat0RacePerformance")->value(), 0) << "the thumb at the start, not the end";
    EXPECT_EQ(page->valueLabel("qualifyingPower")->text(), "-3 BHP");
    EXPECT_EQ(page->slider("qualifyingPower")->value(), 0);
    SaveScreenshot(*shell.window, "tavolex-teams-page-negative");
    // The first step brings it into the range from below.
    page->slider("seat0RacePerformance")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(shell.state->carSet().teams[0].drivers[0].racePerformance, 1);
}

TEST(TeamsPage, DriversSwapAndNumbersStayWithTheirSeats) {
    TeamsPageShell shell;
    auto& teams = shell.state->carSet().teams;
    teams[0].drivers[0].name = "First";
    teams[0].drivers[1].name = "Second";
    teams[4].drivers[1].name = "Far Away";
    teams[4].drivers[1].selected = 1;
    shell.state->notifyDataChanged();
    TeamsPage* page = shell.page();
    QComboBox* first = page->driverList(0);
    ASSERT_EQ(first->count(), 22);
    EXPECT_EQ(first->itemText(9), "[10] Far Away (S)");
    EXPECT_EQ(first->currentIndex(), 0);
    EXPECT_EQ(page->driverList(1)->currentIndex(), 1);

    // The same team's other driver: the two exchange, numbers stay.
    first->activated(1);
    EXPECT_EQ(teams[0].drivers[0].name.view(), "Second");
    EXPECT_EQ(teams[0].drivers[1].name.view(), "First");
    EXPECT_EQ(teams[0].carNumbers, (std::array<std::uint16_t, 2>{1, 2}));
    EXPECT_EQ(page->driverName(0)->text(), "Second");
    // Another team's driver, with his flag.
    first->activated(9);
    EXPECT_EQ(teams[0].drivers[0].name.view(), "Far Away");
    EXPECT_EQ(teams[0].drivers[0].selected, 1);
    EXPECT_EQ(teams[4].drivers[1].name.view(), "Second");
    EXPECT_TRUE(page->selectedToggle(0)->isChecked());
    EXPECT_EQ(first->itemText(0), "[01] Far Away (S)");

    QComboBox* numbers = page->numberList(1);
    ASSERT_EQ(numbers->count(), 100);
    EXPECT_EQ(numbers->itemText(7), "[07]");
    numbers->activated(42);
    EXPECT_EQ(teams[0].carNumbers[1], 42);
    EXPECT_EQ(first->itemText(1), "[42] First");
    teams[2].carNumbers[0] = 150;
    shell.state->selectTeam(2);
    EXPECT_EQ(page->numberList(0)->currentIndex(), -1) << "a number above 99 selects nothing";
    EXPECT_EQ(first->itemText(4), "[150] Drivers Name");
}

TEST(TeamsPage, NamesFollowIntoTheTeamListAndKeepTheirLimits) {
    TeamsPageShell shell;
    shell.window->show();
    TeamsPage* page = shell.page();
    EXPECT_EQ(page->teamName()->maxLength(), 12);
    EXPECT_EQ(page->driverName(0)->maxLength(), 23);
    page->teamName()->selectAll();
    QTest::keyClicks(page->teamName(), "Thirteen char");
    EXPECT_EQ(shell.state->carSet().teams[0].teamName.view(), "Thirteen cha");
    EXPECT_EQ(shell.window->teamList()->button(0)->text(), " Thirteen cha - Engine");
    page->engineName()->selectAll();
    QTest::keyClick(page->engineName(), Qt::Key_Delete);
    page->teamName()->selectAll();
    QTest::keyClick(page->teamName(), Qt::Key_Delete);
    EXPECT_EQ(shell.window->teamList()->button(0)->text(), "");
    QTest::mouseClick(page->button("tyre1"), Qt::LeftButton);
    EXPECT_EQ(shell.state->carSet().teams[0].tyreType, 1);
    EXPECT_EQ(page->button("tyre0")->text(), "Tyre 1");
}

TEST(TeamsPage, ImportExportNeedAGameAndFilesLoadByExtension) {
    TeamsPageShell shell;
    TeamsPage* page = shell.page();
    EXPECT_FALSE(page->button("import")->isEnabled()) << "no game: greyed";
    EXPECT_FALSE(page->button("export")->isEnabled());

    tavolex::CarSet other;
    tavolex::NewCarSet(other);
    other.teams[0].teamName = "From File";
    ASSERT_TRUE(tavolex::Ok(tavolex::WritePerformanceFile(shell.folder / "teams.txt", other)));
    shell.ui->paths.push_back(shell.path("teams.txt"));
    QTest::mouseClick(page->button("load"), Qt::LeftButton);
    EXPECT_EQ(shell.state->carSet().teams[0].teamName.view(), "From File");
    EXPECT_EQ(page->teamName()->text(), "From File");
    tavolex::test::WriteBytes(shell.folder / "teams.doc", {'x'});
    shell.ui->paths.push_back(shell.path("teams.doc"));
    QTest::mouseClick(page->button("load"), Qt::LeftButton);
    EXPECT_EQ(shell.ui->errors.back(), "Couldn't Load File!");

    shell.ui->paths.push_back(shell.path("out"));
    QTest::mouseClick(page->button("saveAs"), Qt::LeftButton);
    EXPECT_TRUE(fs::exists(shell.folder / "out.TXT"));
}

} // namespace
