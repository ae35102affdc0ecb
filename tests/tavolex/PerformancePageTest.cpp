#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include "Screenshot.h"
#include "ShellFixture.h"
#include "pages/PerformancePage.h"

namespace {

struct PerformanceShell : Shell {
    PerformanceShell() {
        window->show();
        window->tabs()->setCurrentIndex(1);
    }
    PerformancePage* page() { return static_cast<PerformancePage*>(window->page()); }
};

TEST(PerformancePage, StartsInTheQualificationViewAndClampsTypedValues) {
    PerformanceShell shell;
    PerformancePage* page = shell.page();
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(page->viewButton(2)->isChecked()) << "the first opening shows Qualification";
    EXPECT_EQ(page->calculatorMode(), 0);
    EXPECT_EQ(page->cell(0, 0)->text(), "16100");

    QTest::mouseClick(page->viewButton(0), Qt::LeftButton);
    QLineEdit* cell = page->cell(3, 0);
    cell->setFocus();
    cell->selectAll();
    QTest::keyClicks(cell, "2000");
    EXPECT_EQ(shell.state->carSet().teams[3].qualifyingPower, 1598);
    EXPECT_EQ(cell->text(), "1598") << "the largest is shown at once";
    // A number on its way to a larger one is left as typed.
    cell->selectAll();
    QTest::keyClicks(cell, "5");
    EXPECT_EQ(cell->text(), "5");
    page->cell(3, 1)->setFocus();
    emit cell->editingFinished();
    EXPECT_EQ(cell->text(), QString::number(shell.state->carSet().teams[3].qualifyingPower));
    // A Quick Edit step above its largest shows the largest at once too.
    QLineEdit* step = page->stepBox(0);
    step->setFocus();
    step->selectAll();
    QTest::keyClicks(step, "5000");
    EXPECT_EQ(step->text(), "1000");
    EXPECT_TRUE(shell.state->carSet().modified);
    SaveScreenshot(*shell.window, "tavolex-performance-page");
}

TEST(PerformancePage, ViewsSetTheCalculatorAndQuickEditActsOnTheirEntry) {
    PerformanceShell shell;
    PerformancePage* page = shell.page();
    QTest::mouseClick(page->viewButton(1), Qt::LeftButton);
    EXPECT_EQ(page->calculatorMode(), 1) << "Reliability shows the race";
    EXPECT_FALSE(page->modeButton(1)->isVisible());
    QTest::mouseClick(page->viewButton(2), Qt::LeftButton);
    EXPECT_EQ(page->calculatorMode(), 0);

    // Engine BHP: Minimum "+" with step 10 on 700/750/800 and others at 750.
    QTest::mouseClick(page->viewButton(0), Qt::LeftButton);
    auto& teams = shell.state->carSet().teams;
    for (auto& team : teams) team.qualifyingPower = 750;
    teams[0].qualifyingPower = 700;
    teams[1].qualifyingPower = 800;
    QTest::mouseClick(page->quickEditButton(0, +1), Qt::LeftButton);
    EXPECT_EQ(teams[0].qualifyingPower, 710);
    EXPECT_EQ(teams[2].qualifyingPower, 755);
    EXPECT_EQ(teams[1].qualifyingPower, 800);
    EXPECT_EQ(page->cell(0, 0)->text(), "710");

    // Qualification with Ability Range: "Race = Qual." copies QA onto RA only.
    QTest::mouseClick(page->viewButton(2), Qt::LeftButton);
    QTest::mouseClick(page->modeButton(1), Qt::LeftButton);
    teams[4].drivers[1].qualifyingRange = 300;
    teams[4].drivers[1].qualifyingPerformance = 17000;
    QTest::mouseClick(page->button("raceFromQual"), Qt::LeftButton);
    EXPECT_EQ(teams[4].drivers[1].raceRange, 300);
    EXPECT_EQ(teams[4].drivers[1].racePerformance, 16000);
    EXPECT_EQ(page->calculatorRow(0).section('|', 1, 1), "Drivers Name");
}

TEST(PerformancePage, NegativeFiguresShowSignedAndRankLast) {
    PerformanceShell shell;
    PerformancePage* page = shell.page();
    auto& teams = shell.state->carSet().teams;
    teams[6].drivers[1].name = "Slow Import";
    teams[6].drivers[1].racePerformance = -5578;
    shell.state->notifyDataChanged();
    QTest::mouseClick(page->viewButton(3), Qt::LeftButton);
    EXPECT_EQ(page->cell(6, 2)->text(), "-5578");
    EXPECT_EQ(page->calculatorRow(21).section('|', 1, 1), "Slow Import");
    SaveScreenshot(*shell.window, "tavolex-performance-negative");
}

} // namespace
