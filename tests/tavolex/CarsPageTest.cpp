#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include "GraphicsShell.h"
#include "Screenshot.h"
#include "document/LazyGraphics.h"
#include "document/NumberPositions.h"
#include "editing/NumberFields.h"
#include "formats/BitmapFile.h"
#include "formats/GameJam.h"
#include "pages/CarsPage.h"
#include "pages/PictureView.h"
#include "shell/TeamList.h"

namespace {
namespace fs = std::filesystem;
using tavolex::GraphicSource;
using tavolex::Variant;
using Answer = UiServices::Answer;

struct CarsShell : GraphicsShell {
    CarsShell() : GraphicsShell(2) {}
    CarsPage* page() { return static_cast<CarsPage*>(window->page()); }
    tavolex::GraphicSlot& livery(int team, Variant variant) {
        return state->carSet()
            .teams[static_cast<std::size_t>(team)]
            .livery[static_cast<std::size_t>(tavolex::VariantIndex(variant))];
    }
    bool enabled(const char* name) { return page()->button(name)->isEnabled(); }
};

// The picture's own rules are every graphics page's (EveryGraphicsPage); the
// number positions follow the livery and the executable.
TEST(CarsPage, TheNumberPositionsFollowTheLiveryAndTheExecutable) {
    CarsShell shell;
    CarsPage* page = shell.page();
    ASSERT_NE(page, nullptr);
    EXPECT_FALSE(page->numberField(400)->isEnabled());
    EXPECT_TRUE(page->numberField(400)->text().isEmpty()) << "no livery, no positions shown";
    EXPECT_EQ(page->carButton(0)->text(), "[01]");
    page->variantButton(Variant::Software)->click();

    // An unreadable executable allows the JAM files but not the number tables.
    shell.useGame(tavolex::ExeStatus::Unreadable);
    QTest::mouseClick(page->button("import"), Qt::LeftButton);
    EXPECT_EQ(shell.livery(0, Variant::Software).source, GraphicSource::Game);
    EXPECT_TRUE(page->numberField(400)->isEnabled()) << "a livery in either variant";
    EXPECT_FALSE(page->button("importNumbers")->isEnabled());
    shell.useGame(tavolex::ExeStatus::Supported);
    EXPECT_TRUE(page->button("importNumbers")->isEnabled());
    EXPECT_FALSE(page->numberField(400)->text().isEmpty());
}

TEST(CarsPage, LoadRemoveAndGenerateWithTheDialogs) {
    CarsShell shell;
    CarsPage* page = shell.page();
    // A bitmap of the wrong size is refused and changes nothing.
    tavolex::PackedBitmap wrong(256, 256, tavolex::Depth::Bits24);
    ASSERT_TRUE(tavolex::Ok(tavolex::SaveBitmapFile(shell.folder / "wrong.bmp", wrong)));
    shell.ui->paths.push_back(shell.path("wrong.bmp"));
    QTest::mouseClick(page->button("load"), Qt::LeftButton);
    EXPECT_TRUE(shell.ui->errors.value(0).startsWith("Couldn't load bitmap file!\n\nwrong.bmp: "))
        << shell.ui->errors.value(0).toStdString();
    EXPECT_EQ(shell.livery(0, Variant::Hardware).source, GraphicSource::None);

    // A hardware JAM of the game, loaded into the hardware view.
    const auto jam = tavolex::GameJamPath(shell.gameFolder, 3, Variant::Hardware);
    ASSERT_TRUE(jam);
    shell.ui->paths.push_back(QString::fromStdString(jam->string()));
    QTest::mouseClick(page->button("load"), Qt::LeftButton);
    EXPECT_EQ(shell.ui->errors.size(), 1);
    EXPECT_EQ(shell.livery(0, Variant::Hardware).source, GraphicSource::File);
    EXPECT_TRUE(page->picture()->hasImage());
    EXPECT_TRUE(shell.state->carSet().modified);
    EXPECT_EQ(page->numberField(402)->text(), QString::number(shell.state->carSet().teams[0].numberDestinations[1].x));

    // Generate software: the page moves to the generated picture.
    QTest::mouseClick(page->button("generateSoftware"), Qt::LeftButton);
    EXPECT_EQ(page->shownVariant(), Variant::Software);
    EXPECT_TRUE(page->variantButton(Variant::Software)->isChecked());
    EXPECT_EQ(shell.livery(0, Variant::Software).source, GraphicSource::Generated);
    SaveScreenshot(*shell.window, "tavolex-cars-page-software");

    // Removing the hardware livery takes the generated software one with it.
    page->variantButton(Variant::Hardware)->click();
    shell.ui->answers.push_back(Answer::Yes);
    QTest::mouseClick(page->button("remove"), Qt::LeftButton);
    EXPECT_EQ(shell.livery(0, Variant::Hardware).source, GraphicSource::None);
    EXPECT_EQ(shell.livery(0, Variant::Software).source, GraphicSource::None);
}

TEST(CarsPage, AFileThatWentMissingIsRepairedAndThePageShowsTheNewState) {
    CarsShell shell;
    shell.livery(0, Variant::Hardware) = {GraphicSource::File, shell.folder / "gone.bmp"};
    shell.state->notifyDataChanged();
    CarsPage* page = shell.page();
    EXPECT_EQ(shell.ui->errors, QStringList{"Couldn't load bitmap file!"});
    EXPECT_EQ(shell.livery(0, Variant::Hardware).source, GraphicSource::None) << "an untitled car set has no file";
    EXPECT_EQ(page->picture()->note(), "NO HARDWARE CAR IMAGE");
    EXPECT_EQ(shell.ui->errors.size(), 1) << "the page does not loop";
}

TEST(CarsPage, SaveAsWritesTheShownPictureAsItsBitmap) {
    CarsShell shell;
    CarsPage* page = shell.page();
    QTest::mouseClick(page->button("import"), Qt::LeftButton);
    const tavolex::PackedBitmap shown = page->image();
    shell.ui->paths.push_back(shell.path("copy"));
    QTest::mouseClick(page->button("saveAs"), Qt::LeftButton);
    tavolex::PackedBitmap saved;
    ASSERT_TRUE(
        tavolex::Ok(tavolex::LoadBitmapFile(shell.folder / "copy.BMP", saved, 256, 384, tavolex::Depth::Bits24)));
    EXPECT_EQ(saved, shown);
    EXPECT_EQ(shell.livery(0, Variant::Hardware).source, GraphicSource::Game) << "Save as changes no source";
}

TEST(CarsPage, NumberFieldsStoreAndShowTheLimitOnTyping) {
    CarsShell shell;
    CarsPage* page = shell.page();
    tavolex::SetDefaultNumberPositions(shell.state->carSet().teams[0], 0);
    QTest::mouseClick(page->button("import"), Qt::LeftButton);
    QLineEdit* x = page->numberField(450);
    x->setFocus();
    EXPECT_EQ(page->editedField(), 450);
    x->selectAll();
    QTest::keyClicks(x, "300");
    EXPECT_EQ(x->text(), "256") << "the limit is shown at once";
    // The source of the edited field blinks in turn with its destination.
    const auto area = page->pictureArea();
    const auto& team = shell.state->carSet().teams[0];
    const auto source = *tavolex::EditedFieldOutline(team, 0, 450, true, area);
    EXPECT_EQ(page->outlines(true),
              std::vector<QRect>{QRect(QPoint(source.left, source.top), QPoint(source.right - 1, source.bottom - 1))});
    EXPECT_EQ(page->outlines(false).size(), 1u);
    EXPECT_NE(page->outlines(false), page->outlines(true));
    EXPECT_EQ(shell.state->carSet().teams[0].numberSources[0][0].x, 256);
    page->numberField(451)->setFocus();
    EXPECT_EQ(x->text(), "256");
    EXPECT_EQ(page->editedField(), 451);

    // The second car has sources of its own; the outline blinks for the edited field.
    page->carButton(1)->click();
    EXPECT_EQ(page->selectedCar(), 1);
    EXPECT_EQ(page->editedField(), 451) << "the car buttons keep the field edited";
    EXPECT_EQ(x->text(), QString::number(shell.state->carSet().teams[0].numberSources[1][0].x));
    SaveScreenshot(*shell.window, "tavolex-cars-page");

    // Another team: the variant stays and the fields show that team.
    shell.state->carSet().teams[5].numberDestinations[0] = {12, 34};
    page->variantButton(Variant::Software)->click();
    QTest::mouseClick(shell.window->teamList()->button(5), Qt::LeftButton);
    EXPECT_EQ(page->shownVariant(), Variant::Software) << "even though team 5 would open in Hardware";
    EXPECT_TRUE(page->numberField(400)->text().isEmpty()) << "team 5 has no livery";
    page->variantButton(Variant::Hardware)->click();
    QTest::mouseClick(page->button("import"), Qt::LeftButton);
    EXPECT_EQ(page->numberField(400)->text(), "12");
    EXPECT_EQ(page->numberField(401)->text(), "34");
}

// The number positions' Import and Export: the fields go to GP3.EXE and come back from it.
TEST(CarsPage, NumberPositionsAreExportedToTheGameAndImportedBack) {
    CarsShell shell;
    // A game of its own, as the export changes it.
    const fs::path game = shell.folder / "game";
    fs::copy(shell.gameFolder, game, fs::copy_options::recursive);
    shell.gameFolder = game;
    shell.useGame(tavolex::ExeStatus::Supported);
    CarsPage* page = shell.page();
    EXPECT_FALSE(shell.enabled("importNumbers") || shell.enabled("exportNumbers")) << "no livery, no positions";
    QTest::mouseClick(page->button("import"), Qt::LeftButton);
    ASSERT_TRUE(shell.enabled("importNumbers") && shell.enabled("exportNumbers"));

    QLineEdit* x = page->numberField(400);
    x->setFocus();
    x->selectAll();
    QTest::keyClicks(x, "123");
    const fs::path exe = game / "gp3.EXE";
    const auto before = tavolex::test::ReadBytes(exe);
    QTest::mouseClick(page->button("exportNumbers"), Qt::LeftButton);
    EXPECT_TRUE(shell.ui->errors.isEmpty()) << shell.ui->errors.join("|").toStdString();
    EXPECT_EQ(shell.ui->informations.value(0), "File Patched Successfully!");
    EXPECT_NE(tavolex::test::ReadBytes(exe), before);

    x->setFocus();
    x->selectAll();
    QTest::keyClicks(x, "45");
    ASSERT_EQ(shell.state->carSet().teams[0].numberDestinations[0].x, 45);
    QTest::mouseClick(page->button("importNumbers"), Qt::LeftButton);
    EXPECT_TRUE(shell.ui->errors.isEmpty()) << shell.ui->errors.join("|").toStdString();
    EXPECT_EQ(shell.state->carSet().teams[0].numberDestinations[0].x, 123);
    EXPECT_EQ(x->text(), "123");

    // Another team's positions in the game are its own.
    QTest::mouseClick(shell.window->teamList()->button(1), Qt::LeftButton);
    QTest::mouseClick(page->button("import"), Qt::LeftButton);
    QTest::mouseClick(page->button("importNumbers"), Qt::LeftButton);
    EXPECT_NE(shell.state->carSet().teams[1].numberDestinations[0].x, 123);

    shell.useGame(tavolex::ExeStatus::Unreadable);
    EXPECT_FALSE(shell.enabled("importNumbers") || shell.enabled("exportNumbers"));
}

TEST(CarsPage, ANewDocumentChoosesTheVariantAgainButASaveKeepsIt) {
    CarsShell shell;
    CarsPage* page = shell.page();
    QTest::mouseClick(page->button("import"), Qt::LeftButton); // hardware from the game
    page->variantButton(Variant::Software)->click();
    QTest::mouseClick(page->button("import"), Qt::LeftButton);
    shell.ui->paths.push_back(shell.path("saved.gp3"));
    shell.window->action("saveAs")->trigger();
    EXPECT_EQ(page->shownVariant(), Variant::Software) << "a save changes no picture";
    EXPECT_TRUE(page->picture()->hasImage());

    shell.livery(0, Variant::Hardware) = {};
    page->variantButton(Variant::Hardware)->click();
    shell.state->notifyDataChanged();
    EXPECT_EQ(page->shownVariant(), Variant::Software) << "only the software livery is left";
    EXPECT_TRUE(page->variantButton(Variant::Software)->isChecked());
}

TEST(CarsPage, RightClickZoomsTheBandOrBeepsWithoutAPicture) {
    CarsShell shell;
    CarsPage* page = shell.page();
    PictureView* view = page->picture();
    QTest::mouseClick(view, Qt::RightButton, {}, view->area().center());
    EXPECT_EQ(shell.ui->beeps, 1);
    QTest::mouseClick(page->button("import"), Qt::LeftButton);
    QRect shown;
    WhenModal([&](QWidget* zoom) {
        shown = zoom->geometry();
        SaveScreenshot(*zoom, "tavolex-cars-zoom");
        zoom->close();
    });
    QTest::mouseClick(view, Qt::RightButton, {}, view->area().center());
    EXPECT_EQ(shell.ui->beeps, 1);
    EXPECT_EQ(shown.size(), QSize(view->area().width() * 5 / 2, view->area().width() * 5 / 4));
}

} // namespace
