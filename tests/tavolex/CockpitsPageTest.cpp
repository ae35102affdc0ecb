#include <QPushButton>
#include <QRadioButton>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include "GraphicsShell.h"
#include "Screenshot.h"
#include "formats/BitmapFile.h"
#include "pages/CockpitsPage.h"
#include "pages/PictureView.h"
#include "shell/TeamList.h"

namespace {
using tavolex::GraphicSource;
using tavolex::Variant;

struct CockpitsShell : GraphicsShell {
    CockpitsShell() : GraphicsShell(5) {}
    CockpitsPage* page() { return static_cast<CockpitsPage*>(window->page()); }
    tavolex::GraphicSlot& cockpit(int team, Variant variant) {
        return state->carSet()
            .teams[static_cast<std::size_t>(team)]
            .cockpit[static_cast<std::size_t>(tavolex::VariantIndex(variant))];
    }
};

TEST(CockpitsPage, SoftwareSheetFillsTheTopQuarterAndGeneratesTheHardwareOne) {
    CockpitsShell shell;
    CockpitsPage* page = shell.page();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->picture()->note(), "NO HARDWARE COCKPIT IMAGE");
    page->variantButton(Variant::Software)->click();
    EXPECT_EQ(page->picture()->note(), "NO SOFTWARE COCKPIT IMAGE");

    // A hardware-sized bitmap is refused in the software view; a 256 x 64 one is taken.
    ASSERT_TRUE(tavolex::Ok(tavolex::SaveBitmapFile(shell.folder / "big.bmp", tavolex::test::Banded8(256, 256))));
    shell.ui->paths.push_back(shell.path("big.bmp"));
    QTest::mouseClick(page->button("load"), Qt::LeftButton);
    EXPECT_TRUE(shell.ui->errors.value(0).startsWith("Couldn't load bitmap file!\n\nbig.bmp: "))
        << shell.ui->errors.value(0).toStdString();
    QTest::mouseClick(page->button("import"), Qt::LeftButton);
    ASSERT_EQ(shell.cockpit(0, Variant::Software).source, GraphicSource::Game);
    EXPECT_TRUE(page->image().is(256, 64, tavolex::Depth::Bits8));
    const QRect area = page->picture()->area();
    EXPECT_EQ(page->picture()->imageRect(), QRect(area.topLeft(), QSize(area.width(), area.height() / 4)));
    SaveScreenshot(*shell.window, "tavolex-cockpits-page-software");

    // Below the quarter a right click only beeps.
    QTest::mouseClick(page->picture(), Qt::RightButton, {}, area.center());
    EXPECT_EQ(shell.ui->beeps, 1);

    // Without a mask file the mask is rebuilt from the game into the data folder.
    QTest::mouseClick(page->button("generateHardware"), Qt::LeftButton);
    EXPECT_TRUE(shell.ui->errors.size() == 1) << shell.ui->errors.join("; ").toStdString();
    EXPECT_EQ(page->shownVariant(), Variant::Hardware);
    EXPECT_EQ(shell.cockpit(0, Variant::Hardware).source, GraphicSource::Generated);
    EXPECT_TRUE(page->image().is(256, 256, tavolex::Depth::Bits24));
    EXPECT_TRUE(std::filesystem::exists(shell.paths.dataFolder / "HCOCKPIT.DAT"));
    SaveScreenshot(*shell.window, "tavolex-cockpits-page");

    // A new car set: the page chooses its variant again and shows the empty note.
    shell.ui->answers.push_back(UiServices::Answer::No); // no saving of the changes
    shell.window->newCarSet();
    EXPECT_EQ(page->picture()->note(), "NO HARDWARE COCKPIT IMAGE");
}

// The rules by the game and Remove are every graphics page's (EveryGraphicsPage).
TEST(CockpitsPage, ImportReadsTheHardwareFolderAndTheVariantOutlivesATeamChange) {
    CockpitsShell shell;
    CockpitsPage* page = shell.page();
    shell.useGame(tavolex::ExeStatus::Unreadable);
    QTest::mouseClick(page->button("import"), Qt::LeftButton);
    EXPECT_TRUE(page->image().is(256, 256, tavolex::Depth::Bits24)) << "256 rows from the hardware folder";

    // Team 3 has nothing: the variant stays, the note shows.
    page->variantButton(Variant::Software)->click();
    QTest::mouseClick(shell.window->teamList()->button(3), Qt::LeftButton);
    EXPECT_EQ(page->shownVariant(), Variant::Software);
    EXPECT_EQ(page->picture()->note(), "NO SOFTWARE COCKPIT IMAGE");
}

} // namespace
