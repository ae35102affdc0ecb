#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest/QTest>

#include <QScreen>

#include <gtest/gtest.h>

#include "GraphicsShell.h"
#include "Screenshot.h"
#include "formats/TyreBitmaps.h"
#include "pages/PictureView.h"
#include "pages/TyreSheetPanel.h"
#include "pages/WheelsPage.h"

namespace {
using tavolex::GraphicSource;

struct WheelsShell : GraphicsShell {
    WheelsShell() : GraphicsShell(8) {}
    WheelsPage* page() { return static_cast<WheelsPage*>(window->page()); }
    tavolex::TyreRecord& tyre(int type) { return state->carSet().tyres[static_cast<std::size_t>(type)]; }
};

bool Enabled(TyreSheetPanel* panel, const char* name) { return panel->button(name)->isEnabled(); }

// The sheets' notes and rules are every picture's (EveryGraphicsPage).
TEST(WheelsPage, OpensOnTheFirstTyreTypeWithItsName) {
    WheelsShell shell;
    WheelsPage* page = shell.page();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->tyreType(), 0);
    EXPECT_EQ(page->tyreButton(0)->text(), "Tyre 1");
    EXPECT_EQ(page->nameEdit()->text(), "Tyre 1");
    EXPECT_EQ(page->right()->title(), "Internal Hardware Wheel Graphics");
}

TEST(WheelsPage, OneHalfImportLeavesTheOtherInTheFillAndTheTreadsHaveTheirOwnPicture) {
    WheelsShell shell;
    WheelsPage* page = shell.page();
    page->tyreButton(1)->click();
    EXPECT_EQ(page->tyreType(), 1);
    TyreSheetPanel* right = page->right();
    right->choiceButton(2)->click(); // "WHXX1.BMP"
    EXPECT_TRUE(right->picture()->note() == "NO BITMAP");
    QTest::mouseClick(right->button("import"), Qt::LeftButton);
    EXPECT_EQ(shell.tyre(1).tyre[1].source, GraphicSource::File);
    const tavolex::PackedBitmap& sheet = right->image();
    ASSERT_TRUE(sheet.is(512, 960, tavolex::Depth::Bits24));
    const std::uint8_t* topPixel = sheet.topRow(100) + 3 * 100;
    EXPECT_EQ(topPixel[0], 0xFF);
    EXPECT_EQ(topPixel[1], 0x00);
    EXPECT_EQ(topPixel[2], 0xFF) << "the top half keeps the magenta of an empty sheet";
    EXPECT_TRUE(Enabled(right, "export")) << "a temporary file may go into the game";

    // Both halves import for the left panel too, then the picture blinks its chosen half.
    QTest::mouseClick(page->left()->button("import"), Qt::LeftButton);
    page->left()->choiceButton(1)->click();
    SaveScreenshot(*shell.window, "tavolex-wheels-page");

    // The treads: another picture, another title; the choice lasts while the page is rebuilt.
    right->choiceButton(4)->click();
    EXPECT_EQ(right->title(), "Software and Hardware Wet Weather Tyre Treads");
    EXPECT_EQ(right->picture()->objectName(), "picture1");
    EXPECT_EQ(right->picture()->note(), "NO BITMAP");
    QTest::mouseClick(right->button("import"), Qt::LeftButton);
    EXPECT_EQ(shell.tyre(1).tread.source, GraphicSource::File);
    EXPECT_TRUE(right->picture()->hasImage());
    SaveScreenshot(*shell.window, "tavolex-wheels-page-treads");
    shell.window->tabs()->setCurrentIndex(0);
    shell.window->tabs()->setCurrentIndex(8);
    EXPECT_EQ(shell.page()->right()->choice(), 4);
    EXPECT_EQ(shell.page()->tyreType(), 1) << "type 0 has no wheels, type 1 has";
}

TEST(WheelsPage, RenamingATyreTypeRelabelsItsButtonsAndTheTeamsPage) {
    WheelsShell shell;
    WheelsPage* page = shell.page();
    page->nameEdit()->selectAll();
    QTest::keyClicks(page->nameEdit(), "Bridgestone dry");
    EXPECT_EQ(page->tyreButton(0)->text(), "Bridgestone dry");
    EXPECT_EQ(shell.tyre(0).name.str(), "Bridgestone dry");
    EXPECT_TRUE(shell.state->carSet().modified);
    page->tyreButton(1)->click();
    EXPECT_EQ(page->nameEdit()->text(), "Tyre 2");
    shell.window->tabs()->setCurrentIndex(0);
    QPushButton* teamsTyre = shell.window->page()->findChild<QPushButton*>("tyre0");
    ASSERT_NE(teamsTyre, nullptr);
    EXPECT_EQ(teamsTyre->text(), "Bridgestone dry");
}

TEST(WheelsPage, SaveAsWritesTheChosenHalfAsAGameBitmap) {
    WheelsShell shell;
    WheelsPage* page = shell.page();
    TyreSheetPanel* right = page->right();
    right->choose(0);
    QTest::mouseClick(right->button("import"), Qt::LeftButton);
    right->choiceButton(1)->click();
    shell.ui->paths.push_back(shell.path("half"));
    QTest::mouseClick(right->button("saveAs"), Qt::LeftButton);
    EXPECT_TRUE(shell.ui->errors.isEmpty());
    const auto bytes = tavolex::test::ReadBytes(shell.folder / "half.BMP");
    tavolex::PackedBitmap half;
    ASSERT_TRUE(tavolex::Ok(tavolex::ParseGameHalfBitmap(bytes, tavolex::TyreSheet::HardwareWheels, half)));
    EXPECT_EQ(half, tavolex::SheetHalf(right->image(), 1));

    // A right click enlarges the half under the pointer: 512 x 480, three times the area wide,
    // or as large as the screen allows.
    PictureView* view = right->picture();
    QSize shown;
    WhenModal([&](QWidget* zoom) {
        shown = zoom->size();
        SaveScreenshot(*zoom, "tavolex-wheels-zoom");
        zoom->close();
    });
    QTest::mouseClick(view, Qt::RightButton, {}, view->area().center() + QPoint(0, 40));
    const QSize screen = QApplication::primaryScreen()->geometry().size();
    const QSize zoom(3 * view->area().width(), qRound(1440.0 / 512 * view->area().width()));
    EXPECT_EQ(shown, zoom.boundedTo(screen) == zoom ? zoom : zoom.scaled(screen, Qt::KeepAspectRatio));

    // Remove asks, then the sheet is empty again.
    shell.ui->answers.push_back(UiServices::Answer::Yes);
    QTest::mouseClick(right->button("remove"), Qt::LeftButton);
    EXPECT_EQ(shell.tyre(0).tyre[1].source, GraphicSource::None);
    EXPECT_EQ(right->picture()->note(), "NO BITMAP");
    QTest::mouseClick(view, Qt::RightButton, {}, view->area().center());
    EXPECT_EQ(shell.ui->beeps, 1) << "nothing to enlarge";
}

} // namespace
