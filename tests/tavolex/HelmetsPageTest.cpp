#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include "GraphicsShell.h"
#include "Screenshot.h"
#include "document/HelmetPicture.h"
#include "formats/BitmapFile.h"
#include "pages/HelmetsPage.h"
#include "pages/PictureView.h"

namespace {
using tavolex::Variant;
using Answer = UiServices::Answer;

constexpr int kHelmetsTab = 3;

struct HelmetsShell : GraphicsShell {
    HelmetsShell() : GraphicsShell(kHelmetsTab) {}
    HelmetsPage* page() { return static_cast<HelmetsPage*>(window->page()); }
    bool enabled(const char* name) { return page()->button(name)->isEnabled(); }
    bool present(Variant variant) {
        return state->carSet().helmetFlags[static_cast<std::size_t>(tavolex::VariantIndex(variant))] != 0;
    }
    // A point of the picture at (x, y) of the 256 x 330 sheet.
    QPoint at(int x, int y) { return page()->picture()->area().topLeft() + QPoint(x, y); }
};

TEST(HelmetsPage, EnableRulesAndSelection) {
    HelmetsShell shell;
    HelmetsPage* page = shell.page();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->shownVariant(), Variant::Hardware);
    EXPECT_EQ(page->picture()->note(), "NO HARDWARE HELMETS IMAGE");
    EXPECT_TRUE(shell.enabled("import") && shell.enabled("load") && shell.enabled("importHelmet") &&
                shell.enabled("loadHelmet"));
    EXPECT_FALSE(shell.enabled("export") || shell.enabled("saveAs") || shell.enabled("remove"));
    EXPECT_FALSE(shell.enabled("exportHelmet") || shell.enabled("saveHelmetAs"));
    EXPECT_FALSE(shell.enabled("generateSoftware") || shell.enabled("generateHardware"));
    EXPECT_EQ(page->button("generateSoftware")->text(), "<<< Generate Software");
    const auto& drivers = shell.state->carSet().teams[2].drivers;
    EXPECT_TRUE(page->helmetButton(4)->text().endsWith(" >"));
    EXPECT_TRUE(page->helmetButton(5)->text().startsWith("< "));
    EXPECT_EQ(page->helmetButton(5)->toolTip(), QString::fromStdString(drivers[1].name.str()));
    shell.state->carSet().teams[2].drivers[1].name = "Jo";
    shell.state->notifyDataChanged();
    EXPECT_EQ(page->helmetButton(5)->text(), "< Jo") << "new team data relabels the buttons";
    EXPECT_LT(page->helmetButton(4)->mapTo(page, QPoint(page->helmetButton(4)->width(), 0)).x(),
              page->picture()->mapTo(page, QPoint(0, 0)).x())
        << "even helmets left of the picture";
    EXPECT_GT(page->helmetButton(5)->mapTo(page, QPoint(0, 0)).x(),
              page->picture()->mapTo(page, QPoint(page->picture()->width(), 0)).x())
        << "odd helmets right of it";

    // Without a picture a click beeps; the buttons select.
    QTest::mouseClick(page->picture(), Qt::LeftButton, {}, shell.at(10, 10));
    EXPECT_EQ(shell.ui->beeps, 1);
    page->helmetButton(3)->click();
    EXPECT_EQ(page->selectedHelmet(), 3);

    // No game: nothing goes to or from it.
    shell.useGame(tavolex::ExeStatus::Missing);
    EXPECT_FALSE(shell.enabled("import") || shell.enabled("importHelmet"));
    shell.useGame(tavolex::ExeStatus::Supported);

    // Import of the whole picture: present, and a click in the right half of the third row selects helmet 5.
    QTest::mouseClick(page->button("import"), Qt::LeftButton);
    EXPECT_TRUE(shell.present(Variant::Hardware));
    EXPECT_TRUE(page->picture()->hasImage());
    EXPECT_TRUE(shell.enabled("export") && shell.enabled("import") && shell.enabled("generateSoftware"));
    EXPECT_TRUE(shell.enabled("exportHelmet") && shell.enabled("saveHelmetAs"));
    QTest::mouseClick(page->picture(), Qt::LeftButton, {}, shell.at(200, 70));
    EXPECT_EQ(page->selectedHelmet(), 5);
    EXPECT_TRUE(page->helmetButton(5)->isChecked());
    page->partButton(2)->click();
    QTest::qWait(700);
    SaveScreenshot(*shell.window, "tavolex-helmets-page");

    // The selection lasts the run; the part choice does not.
    shell.window->tabs()->setCurrentIndex(0);
    shell.window->tabs()->setCurrentIndex(kHelmetsTab);
    EXPECT_TRUE(shell.page()->helmetButton(5)->isChecked());
    EXPECT_TRUE(shell.page()->partButton(0)->isChecked());
    EXPECT_EQ(shell.page()->shownVariant(), Variant::Hardware);
}

// While a part is chosen its rectangle of the 256 x 330 sheet blinks around
// it: part D (1, 3, 253, 176) and part E (1, 183, 253, 145), one screen pixel
// per sheet pixel; nothing for the whole picture or without one.
TEST(HelmetsPage, TheChosenPartIsOutlined) {
    HelmetsShell shell;
    HelmetsPage* page = shell.page();
    PictureView* view = page->picture();
    page->partButton(1)->click();
    EXPECT_TRUE(view->outlines(true).empty()) << "no picture yet";
    QTest::mouseClick(page->button("import"), Qt::LeftButton);
    ASSERT_TRUE(view->hasImage());
    const QPoint origin = view->area().topLeft();
    ASSERT_EQ(view->area().size(), QSize(256, 330));
    EXPECT_EQ(view->outlines(true), std::vector<QRect>{QRect(origin + QPoint(1, 3), QSize(253, 176))});
    EXPECT_TRUE(view->outlines(false).empty()) << "the other blink phase shows nothing";
    page->partButton(2)->click();
    EXPECT_EQ(view->outlines(true), std::vector<QRect>{QRect(origin + QPoint(1, 183), QSize(253, 145))});
    QTest::qWait(600);
    SaveScreenshot(*shell.window, "tavolex-helmets-part-outline");
    page->partButton(0)->click();
    EXPECT_TRUE(view->outlines(true).empty());
}

TEST(HelmetsPage, LoadRemoveGenerateAndOneHelmet) {
    HelmetsShell shell;
    HelmetsPage* page = shell.page();
    tavolex::PackedBitmap odd(256, 200, tavolex::Depth::Bits24);
    ASSERT_TRUE(tavolex::Ok(tavolex::SaveBitmapFile(shell.folder / "odd.bmp", odd)));
    shell.ui->paths.push_back(shell.path("odd.bmp"));
    QTest::mouseClick(page->button("load"), Qt::LeftButton);
    EXPECT_TRUE(shell.ui->errors.value(0).startsWith("Couldn't load bitmap file!\n\nodd.bmp: "))
        << shell.ui->errors.value(0).toStdString();
    EXPECT_FALSE(shell.present(Variant::Hardware));

    // Part D alone into the absent picture.
    tavolex::PackedBitmap partD(256, 180, tavolex::Depth::Bits24);
    std::fill_n(partD.pixels(), partD.pixelBytes(), 0xC0);
    ASSERT_TRUE(tavolex::Ok(tavolex::SaveBitmapFile(shell.folder / "d.bmp", partD)));
    shell.ui->paths.push_back(shell.path("d.bmp"));
    QTest::mouseClick(page->button("load"), Qt::LeftButton);
    EXPECT_TRUE(shell.present(Variant::Hardware));
    EXPECT_TRUE(shell.state->carSet().modified);
    EXPECT_EQ(page->image().topRow(300)[2], 0x3F) << "part E is blank";

    // One helmet from the game, then one from a file.
    page->helmetButton(12)->click();
    QTest::mouseClick(page->button("importHelmet"), Qt::LeftButton);
    EXPECT_NE(page->image().topRow(190)[2], 0x3F);
    tavolex::PackedBitmap one(128, 30, tavolex::Depth::Bits24);
    ASSERT_TRUE(tavolex::Ok(tavolex::SaveBitmapFile(shell.folder / "one.bmp", one)));
    page->helmetButton(21)->click();
    shell.ui->paths.push_back(shell.path("one.bmp"));
    QTest::mouseClick(page->button("loadHelmet"), Qt::LeftButton);
    EXPECT_EQ(page->image().topRow(329)[3 * 200], 0);
    EXPECT_EQ(shell.ui->errors.size(), 1);
    // The status bar names the one helmet, by its driver.
    const std::string driver(shell.state->carSet().teams[10].drivers[1].name.view());
    EXPECT_EQ(shell.window->statusBar()->currentMessage().toStdString(),
              "Loaded helmet of " + driver + " from one.bmp");

    // Generate software: the page moves there; removing hardware leaves software.
    QTest::mouseClick(page->button("generateSoftware"), Qt::LeftButton);
    EXPECT_EQ(page->shownVariant(), Variant::Software);
    EXPECT_TRUE(shell.present(Variant::Software));
    EXPECT_FALSE(shell.enabled("generateSoftware"));
    EXPECT_TRUE(shell.enabled("generateHardware"));
    SaveScreenshot(*shell.window, "tavolex-helmets-page-software");
    page->variantButton(Variant::Hardware)->click();
    shell.ui->answers.push_back(Answer::Yes);
    QTest::mouseClick(page->button("remove"), Qt::LeftButton);
    EXPECT_FALSE(shell.present(Variant::Hardware));
    EXPECT_TRUE(shell.present(Variant::Software));
    EXPECT_EQ(page->picture()->note(), "NO HARDWARE HELMETS IMAGE");

    // Export of part E of the software picture patches the game.
    page->variantButton(Variant::Software)->click();
    page->partButton(2)->click();
    QTest::mouseClick(page->button("export"), Qt::LeftButton);
    EXPECT_EQ(shell.ui->informations.value(0), "File Patched Successfully!");
    EXPECT_EQ(shell.ui->errors.size(), 1);
}

TEST(HelmetsPage, RightClickZoomsOneHelmet) {
    HelmetsShell shell;
    HelmetsPage* page = shell.page();
    PictureView* view = page->picture();
    QTest::mouseClick(view, Qt::RightButton, {}, shell.at(10, 10));
    EXPECT_EQ(shell.ui->beeps, 1);
    QTest::mouseClick(page->button("import"), Qt::LeftButton);
    QRect shown;
    WhenModal([&](QWidget* zoom) {
        shown = zoom->geometry();
        SaveScreenshot(*zoom, "tavolex-helmets-zoom");
        zoom->close();
    });
    QTest::mouseClick(view, Qt::RightButton, {}, shell.at(200, 100));
    EXPECT_EQ(shown.size(), QSize(2 * view->width(), view->width() * 60 / 128));
}

} // namespace
