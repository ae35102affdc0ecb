#include <algorithm>

#include <QCheckBox>
#include <QPushButton>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include "GraphicsShell.h"
#include "Screenshot.h"
#include "formats/ArtSheetBitmap.h"
#include "formats/BitmapFile.h"
#include "pages/ArtworkPage.h"
#include "pages/PictureView.h"
#include "shell/TeamList.h"

namespace {
using tavolex::GraphicSource;

struct ArtworkShell : GraphicsShell {
    ArtworkShell() : GraphicsShell(4) {}
    ArtworkPage* page() { return static_cast<ArtworkPage*>(window->page()); }
    tavolex::GraphicSlot& artwork(int team) { return state->carSet().teams[static_cast<std::size_t>(team)].artwork; }
    bool enabled(const char* name) { return page()->button(name)->isEnabled(); }
};

// The badge's note and the file commands' rules are every picture's
// (EveryGraphicsPage); the notes of the logo, the drivers and the first
// screen, the driver switches and the screens' pictures are the page's own.
TEST(ArtworkPage, ATeamWithoutArtShowsItsNotesAndTheGamesArtShowsEverywhere) {
    ArtworkShell shell;
    ArtworkPage* page = shell.page();
    ASSERT_NE(page, nullptr);
    for (int index = 0; index < 5; ++index)
        EXPECT_EQ(page->picture(static_cast<ArtworkView>(index))->note(), "NO MENU ARTWORK BITMAP");
    EXPECT_TRUE(page->picture(ArtworkView::CarSetupScreen)->note().isEmpty()) << "the first screen's note only";
    EXPECT_FALSE(page->driverBox(0)->isEnabled() || page->driverBox(1)->isEnabled());

    QTest::mouseClick(page->button("import"), Qt::LeftButton);
    ASSERT_TRUE(shell.ui->errors.isEmpty()) << shell.ui->errors.value(0).toStdString();
    EXPECT_TRUE(page->driverBox(0)->isEnabled() && page->driverBox(1)->isEnabled());
    for (int index = 0; index < 8; ++index) {
        EXPECT_TRUE(page->picture(static_cast<ArtworkView>(index))->hasImage()) << index;
        EXPECT_TRUE(page->picture(static_cast<ArtworkView>(index))->note().isEmpty()) << index;
    }
    const auto& team = shell.state->carSet().teams[0];
    // The sample game's names are plain ASCII; GameText tests the others.
    const std::string_view name = team.drivers[1].name.view();
    ASSERT_TRUE(std::all_of(name.begin(), name.end(), [](char c) { return c >= 0x20 && c < 0x7F; }));
    EXPECT_EQ(page->driverBox(1)->text().toStdString(), "[" + std::string(team.carNumbers[1] < 10 ? "0" : "") +
                                                            std::to_string(team.carNumbers[1]) + "] " +
                                                            std::string(name));
    QTest::qWait(200);
    EXPECT_NE(page->logoFrame(), 0) << "the logo turns";
    SaveScreenshot(*shell.window, "tavolex-artwork-page");
}

TEST(ArtworkPage, DriverCheckBoxesIgnoreClicksWhileTheirPicturesSwitch) {
    ArtworkShell shell;
    ArtworkPage* page = shell.page();
    QTest::mouseClick(page->button("import"), Qt::LeftButton);
    QCheckBox* box = page->driverBox(0);
    ASSERT_FALSE(box->isChecked());
    box->click();
    EXPECT_TRUE(box->isChecked());
    EXPECT_TRUE(page->toggle(0).running());
    box->click();
    EXPECT_TRUE(box->isChecked()) << "the click during the toggle does nothing";
    EXPECT_TRUE(page->toggle(0).running());
    QTest::qWait(400);
    EXPECT_FALSE(page->toggle(0).running());
    EXPECT_EQ(page->toggle(0).frame(), 2) << "switched on";

    // A click on the picture flips the box and switches back.
    PictureView* driver = page->picture(ArtworkView::FirstDriver);
    QTest::mouseClick(driver, Qt::LeftButton, {}, driver->area().center());
    EXPECT_FALSE(box->isChecked());
    QTest::qWait(400);
    EXPECT_EQ(page->toggle(0).frame(), 0) << "switched off";
}

TEST(ArtworkPage, TheSheetBitmapLoadsSavesAndAWrongOneIsRefused) {
    ArtworkShell shell;
    ArtworkPage* page = shell.page();
    QTest::mouseClick(page->button("import"), Qt::LeftButton);
    const tavolex::PackedBitmap imported = page->sheet();
    shell.ui->paths.push_back(shell.path("art"));
    QTest::mouseClick(page->button("saveAs"), Qt::LeftButton);
    EXPECT_EQ(tavolex::test::ReadBytes(shell.folder / "art.BMP").size(), 1996854u) << "the 1024 x 650 sheet bitmap";

    QTest::mouseClick(shell.window->teamList()->button(6), Qt::LeftButton);
    EXPECT_EQ(page->picture(ArtworkView::Logo)->note(), "NO MENU ARTWORK BITMAP");
    ASSERT_TRUE(tavolex::Ok(
        tavolex::SaveBitmapFile(shell.folder / "small.bmp", tavolex::PackedBitmap(948, 650, tavolex::Depth::Bits24))));
    shell.ui->paths.push_back(shell.path("small.bmp"));
    QTest::mouseClick(page->button("load"), Qt::LeftButton);
    EXPECT_EQ(shell.ui->errors.value(0), "Couldn't load bitmap file!\n\nsmall.bmp: the bitmap does not have the "
                                         "required width and height (1024 x 650 wanted)");
    EXPECT_EQ(shell.artwork(6).source, GraphicSource::None);

    shell.ui->paths.push_back(shell.path("art.BMP"));
    QTest::mouseClick(page->button("load"), Qt::LeftButton);
    EXPECT_EQ(shell.artwork(6), (tavolex::GraphicSlot{GraphicSource::File, (shell.folder / "art.BMP").string()}));
    EXPECT_EQ(page->sheet(), imported);
    EXPECT_TRUE(shell.enabled("export"));
    EXPECT_TRUE(page->picture(ArtworkView::StartGridFormationScreen)->hasImage());

    // A right click on the badge enlarges its region three times the control's width.
    PictureView* badge = page->picture(ArtworkView::Badge);
    QSize shown;
    WhenModal([&](QWidget* zoom) {
        shown = zoom->size();
        zoom->close();
    });
    QTest::mouseClick(badge, Qt::RightButton, {}, badge->area().center());
    const int w = badge->area().width();
    EXPECT_EQ(shown, QSize(3 * w, w * (56 * 3) / 115));

    shell.ui->answers.push_back(UiServices::Answer::Yes);
    QTest::mouseClick(page->button("remove"), Qt::LeftButton);
    EXPECT_EQ(shell.artwork(6).source, GraphicSource::None);
    EXPECT_FALSE(page->picture(ArtworkView::Badge)->hasImage());
    QTest::mouseClick(badge, Qt::RightButton, {}, badge->area().center());
    EXPECT_EQ(shell.ui->beeps, 1) << "nothing to enlarge";
}

} // namespace
