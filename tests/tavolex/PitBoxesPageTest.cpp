#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include "GraphicsShell.h"
#include "Screenshot.h"
#include "UserInput.h"
#include "editing/PitLane.h"
#include "pages/PictureView.h"
#include "pages/PitBoxesPage.h"
#include "pages/PitLaneList.h"
#include "shell/TeamList.h"

namespace {
using tavolex::GraphicSource;
using tavolex::Variant;

struct PitBoxesShell : GraphicsShell {
    PitBoxesShell() : GraphicsShell(7) {}
    PitBoxesPage* page() { return static_cast<PitBoxesPage*>(window->page()); }
    tavolex::GraphicSlot& slot(Variant variant) {
        return state->carSet().pitBoxes[static_cast<std::size_t>(tavolex::VariantIndex(variant))].slot;
    }
    bool enabled(const char* name) { return page()->button(name)->isEnabled(); }
    int position(int team) { return state->carSet().teams[static_cast<std::size_t>(team)].pitBoxPosition; }
};

TEST(PitBoxesPage, EnableRulesFollowTheSourceAndTheExecutable) {
    PitBoxesShell shell;
    PitBoxesPage* page = shell.page();
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(shell.enabled("sort"));
    EXPECT_FALSE(shell.enabled("saveStrip"));
    EXPECT_TRUE(shell.enabled("loadStrip") && shell.enabled("importOrder") && shell.enabled("exportOrder"));
    EXPECT_EQ(page->button("generateSoftware")->text(), "<< Generate Software");
    EXPECT_EQ(page->pitLane()->count(), 11);
    EXPECT_EQ(page->pitLane()->currentRow(), 0) << "team 0 at position 0 is selected";

    // An unreadable executable: the texture may be imported, the order not.
    shell.useGame(tavolex::ExeStatus::Unreadable);
    EXPECT_FALSE(shell.enabled("importOrder") || shell.enabled("exportOrder"));
    shell.useGame(tavolex::ExeStatus::Supported);

    QTest::mouseClick(page->button("import"), Qt::LeftButton);
    EXPECT_EQ(shell.slot(Variant::Hardware).source, GraphicSource::Game);
    EXPECT_TRUE(shell.enabled("saveStrip"));
    EXPECT_TRUE(page->stripPicture()->hasImage());

    // The strip preview follows the team list.
    QTest::mouseClick(shell.window->teamList()->button(3), Qt::LeftButton);
    EXPECT_EQ(page->currentStrip(), tavolex::PitStripOf(3));
    EXPECT_EQ(page->findChild<QLabel*>("stripTeam")->text(), shell.window->teamList()->button(3)->text());
    EXPECT_EQ(page->pitLane()->currentRow(), 3);
    SaveScreenshot(*shell.window, "tavolex-pit-boxes-page");

    QTest::mouseClick(page->button("generateSoftware"), Qt::LeftButton);
    EXPECT_EQ(page->shownVariant(), Variant::Software);
    EXPECT_EQ(shell.slot(Variant::Software).source, GraphicSource::Generated);
}

TEST(PitBoxesPage, DraggingATeamDownTheLaneCarriesItsSign) {
    PitBoxesShell shell;
    PitBoxesPage* page = shell.page();
    QTest::mouseClick(page->button("import"), Qt::LeftButton);
    const tavolex::PackedBitmap before = page->image();
    PitLaneList* list = page->pitLane();
    QWidget* viewport = list->viewport();
    const QRect first = list->visualRect(list->model()->index(0, 0));
    const QRect sixth = list->visualRect(list->model()->index(5, 0));
    SendMouse(viewport, QEvent::MouseButtonPress, first.center());
    SendMouse(viewport, QEvent::MouseMove, sixth.topLeft() + QPoint(5, 2));
    EXPECT_TRUE(list->dragging());
    EXPECT_EQ(list->markerRow(), 5);
    // The lower half of an item does not move the marker.
    SendMouse(viewport, QEvent::MouseMove, sixth.bottomLeft() + QPoint(5, -1));
    EXPECT_EQ(list->markerRow(), 5);
    SaveScreenshot(*shell.window, "tavolex-pit-boxes-drag");
    SendMouse(viewport, QEvent::MouseButtonRelease, sixth.bottomLeft() + QPoint(5, -1));
    EXPECT_FALSE(list->dragging());

    // Team 0 went from position 0 to 4 (one less: it left a place above); teams 1-4 moved up.
    EXPECT_EQ(shell.position(0), 4);
    EXPECT_EQ(shell.position(1), 0);
    EXPECT_EQ(shell.position(5), 5);
    EXPECT_EQ(list->item(4)->data(Qt::UserRole).toInt(), 0);
    EXPECT_EQ(tavolex::PitStrip(page->image(), tavolex::PitStripOf(4)),
              tavolex::PitStrip(before, tavolex::PitStripOf(0)));
    EXPECT_EQ(shell.slot(Variant::Hardware).source, GraphicSource::File);
    EXPECT_TRUE(shell.state->carSet().modified);

    // Below the list the marker walks down to the boundary under the last item.
    const QRect third = list->visualRect(list->model()->index(2, 0));
    SendMouse(viewport, QEvent::MouseButtonPress, third.center());
    SendMouse(viewport, QEvent::MouseMove, QPoint(5, viewport->height() + 20));
    QTest::qWait(1500);
    EXPECT_EQ(list->markerRow(), 11);
    SendMouse(viewport, QEvent::MouseButtonRelease, QPoint(5, viewport->height() + 20));
    EXPECT_EQ(shell.position(3), 10) << "the team at position 2 went to the exit";
}

TEST(PitBoxesPage, DoubleClickSwapsStripsAndTheOrderComesFromTheGame) {
    PitBoxesShell shell;
    PitBoxesPage* page = shell.page();
    PictureView* view = page->picture();
    QTest::mouseDClick(view, Qt::LeftButton, {}, view->area().center());
    EXPECT_TRUE(shell.ui->errors.isEmpty()) << "no picture, nothing to swap";
    QTest::mouseClick(page->button("import"), Qt::LeftButton);
    const tavolex::PackedBitmap before = page->image();
    const QRect area = view->area();
    auto stripCentre = [&](int strip) {
        return QPoint(area.center().x(), area.top() + (2 * strip + 1) * area.height() / 22);
    };
    QTest::mouseDClick(view, Qt::LeftButton, {}, stripCentre(page->currentStrip()));
    EXPECT_EQ(shell.ui->beeps, 1) << "the team's own strip";
    QTest::mouseDClick(view, Qt::LeftButton, {}, stripCentre(4));
    EXPECT_EQ(tavolex::PitStrip(page->image(), 4), tavolex::PitStrip(before, page->currentStrip()));
    EXPECT_EQ(tavolex::PitStrip(page->image(), page->currentStrip()), tavolex::PitStrip(before, 4));

    // The sample game's order is the reverse of the teams: the strips follow it.
    const tavolex::PackedBitmap swapped = page->image();
    QTest::mouseClick(page->button("importOrder"), Qt::LeftButton);
    EXPECT_TRUE(shell.ui->errors.isEmpty());
    EXPECT_EQ(shell.position(0), 10);
    EXPECT_EQ(page->pitLane()->item(0)->data(Qt::UserRole).toInt(), 10);
    EXPECT_EQ(tavolex::PitStrip(page->image(), tavolex::PitStripOf(10)),
              tavolex::PitStrip(swapped, tavolex::PitStripOf(0)));

    // The strip preview enlarges at 2.2 times its width, in the strip's proportion.
    PictureView* strip = page->stripPicture();
    QSize shown;
    WhenModal([&](QWidget* zoom) {
        shown = zoom->size();
        zoom->close();
    });
    QTest::mouseClick(strip, Qt::RightButton, {}, strip->area().center());
    EXPECT_EQ(shown, QSize(qRound(2.2 * strip->area().width()), qRound(2.2 * strip->area().width() * 16 / 256)));

    // The Sort box's caption names the order; its text explains it.
    QTest::mouseClick(page->button("sort"), Qt::LeftButton);
    EXPECT_EQ(shell.ui->captions.value(0), "JAM file image order");
    EXPECT_FALSE(shell.ui->informations.value(0).contains("JAM file image order"));
    EXPECT_TRUE(shell.ui->informations.value(0).contains("PODGEN04.JAM"));
}

// The strip preview is a part of the picture the page shows: after a variant
// change, Remove and at the page's opening it is that picture's strip, never
// the one shown before.
TEST(PitBoxesPage, TheStripPreviewFollowsTheShownPicture) {
    PitBoxesShell shell;
    PitBoxesPage* page = shell.page();
    const auto stripOfShown = [page] {
        const QImage whole = page->picture()->image();
        return whole.copy(0, tavolex::kPitStripRows * page->currentStrip(), tavolex::kPitBoxWidth,
                          tavolex::kPitStripRows);
    };
    EXPECT_FALSE(page->stripPicture()->hasImage());
    QTest::mouseClick(page->button("import"), Qt::LeftButton);
    ASSERT_TRUE(page->stripPicture()->hasImage());
    EXPECT_EQ(page->stripPicture()->image(), stripOfShown());
    const QImage hardwareStrip = page->stripPicture()->image().copy(); // not the view's own buffer

    // Software is made from hardware by the game's palette: another strip.
    QTest::mouseClick(page->button("generateSoftware"), Qt::LeftButton);
    ASSERT_EQ(page->shownVariant(), Variant::Software);
    EXPECT_EQ(page->stripPicture()->image(), stripOfShown());
    ASSERT_NE(page->stripPicture()->image(), hardwareStrip);

    page->variantButton(Variant::Hardware)->click();
    EXPECT_EQ(page->stripPicture()->image(), hardwareStrip);
    page->variantButton(Variant::Software)->click();
    EXPECT_EQ(page->stripPicture()->image(), stripOfShown());

    // Removing the hardware picture takes the software one made from it: both strips go.
    page->variantButton(Variant::Hardware)->click();
    shell.ui->answers.push_back(UiServices::Answer::Yes);
    QTest::mouseClick(page->button("remove"), Qt::LeftButton);
    EXPECT_FALSE(page->stripPicture()->hasImage());

    // Opened again on a picture, the page shows its strip at once.
    QTest::mouseClick(page->button("import"), Qt::LeftButton);
    shell.window->tabs()->setCurrentIndex(0);
    shell.window->tabs()->setCurrentIndex(7);
    ASSERT_TRUE(shell.page()->stripPicture()->hasImage());
    EXPECT_EQ(shell.page()->stripPicture()->image(), hardwareStrip);
    SaveScreenshot(*shell.window, "tavolex-pit-boxes-strip-after-reopen");
}

TEST(PitBoxesPage, AfterADragTheDraggedTeamStaysSelectedAndTheListWhereItWas) {
    PitBoxesShell shell;
    PitBoxesPage* page = shell.page();
    PitLaneList* list = page->pitLane();
    // A short list, scrolled to its end.
    list->setFixedHeight(5 * list->sizeHintForRow(0) + 2 * list->frameWidth());
    QApplication::processEvents();
    list->scrollToBottom();
    const int scrolled = list->verticalScrollBar()->value();
    ASSERT_GT(scrolled, 0);
    QWidget* viewport = list->viewport();
    const QRect last = list->visualRect(list->model()->index(10, 0));
    const QRect above = list->visualRect(list->model()->index(9, 0));
    const int dragged = list->item(10)->data(Qt::UserRole).toInt();
    SendMouse(viewport, QEvent::MouseButtonPress, last.center());
    SendMouse(viewport, QEvent::MouseMove, above.topLeft() + QPoint(5, 2));
    SendMouse(viewport, QEvent::MouseButtonRelease, above.topLeft() + QPoint(5, 2));
    EXPECT_EQ(shell.position(dragged), 9);
    ASSERT_NE(list->currentItem(), nullptr);
    EXPECT_EQ(list->currentItem()->data(Qt::UserRole).toInt(), dragged);
    EXPECT_EQ(list->verticalScrollBar()->value(), scrolled);
}

// Two teams in one box (a car set written elsewhere) read as the default
// order: every team is in the lane once, and a drag moves signs, not loses them.
TEST(PitBoxesPage, RepeatedBoxPositionsReadAsTheDefaultOrder) {
    PitBoxesShell shell;
    for (auto& team : shell.state->carSet().teams) team.pitBoxPosition = 3;
    shell.state->notifyDataChanged();
    PitLaneList* list = shell.page()->pitLane();
    ASSERT_EQ(list->count(), 11);
    for (int row = 0; row < 11; ++row) EXPECT_EQ(list->item(row)->data(Qt::UserRole).toInt(), row);
    EXPECT_EQ(shell.page()->currentStrip(), tavolex::PitStripOf(0));
}

} // namespace
