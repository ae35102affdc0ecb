#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTabBar>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include "GraphicsShell.h"
#include "formats/BitmapFile.h"
#include "pages/CarsPage.h"
#include "pages/PerformancePage.h"
#include "pages/PictureView.h"
#include "pages/TeamsPage.h"

namespace {
using tavolex::GraphicSource;
using tavolex::Variant;

// Changes are recorded once the command that made them is done.
void Settle() { QApplication::processEvents(); }

TEST(Undo, TakesBackSlidersNamesAndPicturesAndFollowsTheSavedState) {
    GraphicsShell shell(0);
    auto* teams = static_cast<TeamsPage*>(shell.window->page());
    QAction* undo = shell.window->action("undo");
    QAction* redo = shell.window->action("redo");
    EXPECT_FALSE(undo->isEnabled());

    teams->slider("qualifyingPower")->triggerAction(QAbstractSlider::SliderPageStepAdd);
    Settle();
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_TRUE(undo->text().startsWith("&Undo ")) << undo->text().toStdString();
    QLineEdit* engine = teams->engineName();
    engine->setFocus();
    engine->selectAll();
    QTest::keyClicks(engine, "V10"); // one keystroke at a time, one step
    Settle();
    EXPECT_EQ(undo->text(), "&Undo Engine name");
    undo->trigger();
    EXPECT_EQ(shell.state->carSet().teams[0].engineName.view(), "Engine");
    EXPECT_EQ(engine->text(), "Engine") << "the page shows the restored car set";
    EXPECT_EQ(redo->text(), "&Redo Engine name");
    undo->trigger();
    EXPECT_EQ(shell.state->carSet().teams[0].qualifyingPower, 770);
    EXPECT_FALSE(shell.state->carSet().modified) << "back at the state the editor started with";
    EXPECT_FALSE(shell.window->windowTitle().endsWith("*"));
    redo->trigger();
    redo->trigger();
    EXPECT_EQ(shell.state->carSet().teams[0].engineName.view(), "V10");

    // Pictures: a load and a remove come back exactly.
    shell.window->tabs()->setCurrentIndex(2);
    auto* cars = static_cast<CarsPage*>(shell.window->page());
    const tavolex::PackedBitmap livery = tavolex::test::PhotoLike24(256, 384, 3);
    ASSERT_TRUE(tavolex::Ok(tavolex::SaveBitmapFile(shell.folder / "livery.bmp", livery)));
    shell.ui->paths.push_back(shell.path("livery.bmp"));
    QTest::mouseClick(cars->button("load"), Qt::LeftButton);
    Settle();
    EXPECT_EQ(undo->text(), "&Undo Load livery");
    shell.ui->answers.push_back(UiServices::Answer::Yes);
    QTest::mouseClick(cars->button("remove"), Qt::LeftButton);
    Settle();
    EXPECT_EQ(undo->text(), "&Undo Remove livery");
    undo->trigger();
    EXPECT_EQ(shell.state->carSet().teams[0].livery[1].source, GraphicSource::File);
    EXPECT_EQ(cars->image(), livery);
    EXPECT_TRUE(cars->picture()->hasImage());

    // Saved now: undoing away and back again ends unmodified.
    shell.ui->paths.push_back(shell.path("season.gp3"));
    shell.window->action("saveAs")->trigger();
    EXPECT_FALSE(shell.window->windowTitle().endsWith("*"));
    undo->trigger();
    EXPECT_TRUE(shell.window->windowTitle().endsWith("*"));
    redo->trigger();
    EXPECT_FALSE(shell.window->windowTitle().endsWith("*"));

    // New starts afresh.
    shell.window->newCarSet();
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());
}

// Ctrl+Z pressed while the typing box still has the focus takes back the
// typed change at once: the box does not keep an undo of its own.
TEST(Undo, OnePressTakesBackOneTypedChange) {
    GraphicsShell shell(1);
    auto* performance = static_cast<PerformancePage*>(shell.window->page());
    QAction* undo = shell.window->action("undo");
    const auto teams = shell.state->carSet().teams;
    QLineEdit* cell = performance->cell(2, 0);
    ASSERT_NE(cell, nullptr);
    const QString shown = cell->text();
    cell->setFocus();
    cell->selectAll();
    QTest::keyClicks(cell, "12345");
    Settle();
    ASSERT_NE(shell.state->carSet().teams, teams);
    const QString change = undo->text();
    QTest::keyClick(cell, Qt::Key_Z, Qt::ControlModifier);
    Settle();
    EXPECT_EQ(shell.state->carSet().teams, teams);
    EXPECT_EQ(cell->text(), shown);
    EXPECT_NE(undo->text(), change) << "the Edit menu no longer offers the same undo";
    QTest::keyClick(cell, Qt::Key_Y, Qt::ControlModifier);
    Settle();
    EXPECT_NE(shell.state->carSet().teams, teams) << "and Ctrl+Y makes it again";

    // A number box (the championship points) the same way.
    shell.window->tabs()->setCurrentIndex(9);
    auto* points = shell.window->page()->findChild<QLineEdit*>("points0");
    ASSERT_NE(points, nullptr);
    const auto misc = shell.state->carSet().misc;
    points->setFocus();
    points->selectAll();
    QTest::keyClicks(points, "7");
    Settle();
    ASSERT_NE(shell.state->carSet().misc, misc);
    QTest::keyClick(points, Qt::Key_Z, Qt::ControlModifier);
    Settle();
    EXPECT_EQ(shell.state->carSet().misc, misc);
    EXPECT_EQ(points->text(), "10");
}

} // namespace
