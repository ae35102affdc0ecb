// A box refuses what the car set or the game cannot keep as it is typed, and
// says its range before anything is typed.
#include <QLineEdit>
#include <QTabBar>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include "ShellFixture.h"
#include "document/MiscSettingsDefaults.h"
#include "gamesettings/CarDamage.h"
#include "pages/MiscellaneousPage.h"
#include "pages/TeamsPage.h"
#include "pages/WheelsPage.h"
#include "tools/CarDamageEditor.h"
#include "widgets/NumberBox.h"

namespace {

// Types one character more than the box takes: the last is refused, so the
// box and the car set hold the same text.
void ExpectTypingStopsAt(QLineEdit* box, int length, const std::function<std::string()>& stored) {
    ASSERT_NE(box, nullptr);
    const QString typed = QString("abcdefghijklmnopqrstuvwxyz0123456789").left(length + 1);
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, typed);
    EXPECT_EQ(box->text(), typed.left(length)) << box->objectName().toStdString();
    EXPECT_EQ(stored(), typed.left(length).toStdString()) << box->objectName().toStdString();
}

TEST(Limits, NameBoxesTakeWhatTheGameKeepsAndNoMore) {
    Shell shell;
    shell.window->show();
    tavolex::CarSet& carSet = shell.state->carSet();
    auto* teams = static_cast<TeamsPage*>(shell.window->page());
    ExpectTypingStopsAt(teams->teamName(), 12, [&] { return std::string(carSet.teams[0].teamName.view()); });
    ExpectTypingStopsAt(teams->engineName(), 12, [&] { return std::string(carSet.teams[0].engineName.view()); });
    ExpectTypingStopsAt(teams->driverName(1), 23, [&] { return std::string(carSet.teams[0].drivers[1].name.view()); });

    shell.window->tabs()->setCurrentIndex(8);
    auto* wheels = static_cast<WheelsPage*>(shell.window->page());
    ExpectTypingStopsAt(wheels->nameEdit(), 31, [&] { return std::string(carSet.tyres[0].name.view()); });

    shell.window->tabs()->setCurrentIndex(9);
    auto* level = shell.window->page()->findChild<QLineEdit*>("levelName2");
    ExpectTypingStopsAt(level, 31, [&] { return std::string(carSet.misc.levelNames[2].view()); });
}

TEST(Limits, NumberBoxesSayTheirRangeAndShowALargerNumberAsTheLargestAtOnce) {
    Shell shell;
    shell.window->show();
    QApplication::setActiveWindow(shell.window.get());
    shell.window->tabs()->setCurrentIndex(9);
    auto* misc = static_cast<MiscellaneousPage*>(shell.window->page());
    NumberBox* first = misc->pointsBox(0);
    EXPECT_EQ(first->toolTip(), "From 0 to 127");
    first->setFocus();
    first->selectAll();
    QTest::keyClicks(first, "99");
    EXPECT_EQ(first->text(), "99");
    QTest::keyClicks(first, "9");
    EXPECT_EQ(first->text(), QString::number(tavolex::kMaxPoints)) << "shown while the box still has the focus";
    EXPECT_TRUE(first->hasFocus());
    EXPECT_EQ(shell.state->carSet().misc.points[0], tavolex::kMaxPoints);

    // The damage editor's boxes each give their own limit.
    CarDamageEditor damage(*shell.state, *shell.ui, shell.window.get());
    for (int index = 0; index < tavolex::kDamageValueCount; ++index) {
        if (NumberBox* box = damage.box(index)) {
            EXPECT_EQ(box->toolTip(), QString("From 0 to %1").arg(tavolex::DamageLimit(index))) << index;
        }
    }
}

} // namespace
