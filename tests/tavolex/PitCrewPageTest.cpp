#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include "GraphicsShell.h"
#include "Screenshot.h"
#include "document/PitCrewSheet.h"
#include "editing/PitCrewTemplates.h"
#include "editing/PitCrewUpgrade.h"
#include "formats/BitmapFile.h"
#include "formats/GameJam.h"
#include "formats/JamNames.h"
#include "pages/CrewPreview.h"
#include "pages/PaletteGrid.h"
#include "pages/PictureView.h"
#include "pages/PitCrewPage.h"
#include "shell/TeamList.h"

namespace {
namespace fs = std::filesystem;
using tavolex::GraphicSource;
using tavolex::Variant;
using Answer = UiServices::Answer;

constexpr int kPitCrewTab = 6;

struct PitCrewShell : GraphicsShell {
    PitCrewShell() : GraphicsShell(kPitCrewTab) {}
    PitCrewPage* page() { return static_cast<PitCrewPage*>(window->page()); }
    tavolex::GraphicSlot& crew(int team, Variant variant) {
        return state->carSet()
            .teams[static_cast<std::size_t>(team)]
            .pitCrew[static_cast<std::size_t>(tavolex::VariantIndex(variant))];
    }
    bool enabled(const char* name) { return page()->button(name)->isEnabled(); }
    // Opens the page again, as selecting its tab after another does.
    void reopen() {
        window->tabs()->setCurrentIndex(0);
        window->tabs()->setCurrentIndex(kPitCrewTab);
    }
};

TEST(PitCrewPage, EnableRulesFollowTheSlotAndTheExecutable) {
    PitCrewShell shell;
    PitCrewPage* page = shell.page();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->shownVariant(), Variant::Hardware);
    EXPECT_EQ(page->picture()->note(), "NO HARDWARE PIT CREW BITMAP");
    EXPECT_TRUE(page->partButton(0)->isChecked());
    EXPECT_EQ(page->partButton(1)->text(), "JM-XX1.JAM");
    EXPECT_TRUE(shell.enabled("import") && shell.enabled("load") && shell.enabled("copy"));
    EXPECT_FALSE(shell.enabled("export") || shell.enabled("saveAs") || shell.enabled("remove"));
    EXPECT_TRUE(shell.enabled("importColours") && shell.enabled("exportColours"));
    EXPECT_TRUE(page->preview()->hasImage()) << "the preview's template was built from the game";
    EXPECT_TRUE(fs::exists(shell.folder / "PITCOLOR.DAT"));
    EXPECT_EQ(page->areaList()->count(), 13);
    EXPECT_EQ(page->areaList()->currentText(), "Head.");

    // An executable that is only readable: the JAM files yes, the colours no.
    shell.useGame(tavolex::ExeStatus::Unreadable);
    EXPECT_TRUE(shell.enabled("import"));
    EXPECT_FALSE(shell.enabled("importColours") || shell.enabled("exportColours"));
    shell.useGame(tavolex::ExeStatus::Missing);
    EXPECT_FALSE(shell.enabled("import") || shell.enabled("export"));
    EXPECT_TRUE(shell.enabled("copy"));
    shell.useGame(tavolex::ExeStatus::Supported);

    // Only the bottom half from the game: the slot refers to a temporary file, the outline blinks.
    page->partButton(2)->click();
    QTest::mouseClick(page->button("import"), Qt::LeftButton);
    EXPECT_EQ(shell.crew(0, Variant::Hardware).source, GraphicSource::File);
    EXPECT_TRUE(page->picture()->hasImage());
    const tavolex::PackedBitmap fill = tavolex::PitCrewFill(172, 1, Variant::Hardware);
    EXPECT_TRUE(std::equal(fill.topRow(0), fill.topRow(0) + 3 * 172, page->image().topRow(10)));
    EXPECT_TRUE(shell.enabled("export") && shell.enabled("saveAs") && shell.enabled("generateSoftware"));
    QTest::qWait(700);
    SaveScreenshot(*shell.window, "tavolex-pit-crew-page-half");

    // Both halves: the slot refers to the game, which it neither imports nor exports again.
    page->partButton(0)->click();
    QTest::mouseClick(page->button("import"), Qt::LeftButton);
    EXPECT_EQ(shell.crew(0, Variant::Hardware).source, GraphicSource::Game);
    EXPECT_FALSE(shell.enabled("import") || shell.enabled("export"));
    EXPECT_TRUE(shell.ui->errors.isEmpty());
    SaveScreenshot(*shell.window, "tavolex-pit-crew-page");

    // The part choice returns to both halves at every opening.
    page->partButton(1)->click();
    shell.reopen();
    EXPECT_TRUE(shell.page()->partButton(0)->isChecked());
}

TEST(PitCrewPage, LoadCopyGenerateAndRemove) {
    PitCrewShell shell;
    PitCrewPage* page = shell.page();
    tavolex::PackedBitmap wrong(172, 507, tavolex::Depth::Bits24);
    ASSERT_TRUE(tavolex::Ok(tavolex::SaveBitmapFile(shell.folder / "wrong.bmp", wrong)));
    shell.ui->paths.push_back(shell.path("wrong.bmp"));
    QTest::mouseClick(page->button("load"), Qt::LeftButton);
    EXPECT_TRUE(shell.ui->errors.value(0).startsWith("Couldn't load bitmap file!\n\nwrong.bmp: "))
        << shell.ui->errors.value(0).toStdString();
    EXPECT_EQ(shell.crew(0, Variant::Hardware).source, GraphicSource::None);

    // A game file of the top half, loaded as a JAM.
    const auto jam = tavolex::GameJamPath(shell.gameFolder, 13, Variant::Hardware);
    ASSERT_TRUE(jam);
    shell.ui->paths.push_back(QString::fromStdString(jam->string()));
    QTest::mouseClick(page->button("load"), Qt::LeftButton);
    EXPECT_EQ(shell.ui->errors.size(), 1);
    EXPECT_EQ(shell.crew(0, Variant::Hardware).source, GraphicSource::File);
    EXPECT_TRUE(page->picture()->hasImage());

    // "<<< Copy" paints the template into the software sheet; generating hardware moves the page there.
    page->variantButton(Variant::Software)->click();
    QTest::mouseClick(page->button("copy"), Qt::LeftButton);
    EXPECT_EQ(shell.crew(0, Variant::Software).source, GraphicSource::File);
    EXPECT_TRUE(fs::exists(shell.folder / "PITJACK.DAT"));
    EXPECT_FALSE(shell.enabled("generateSoftware"));
    ASSERT_TRUE(shell.enabled("generateHardware"));
    QTest::mouseClick(page->button("generateHardware"), Qt::LeftButton);
    EXPECT_EQ(page->shownVariant(), Variant::Hardware);
    EXPECT_EQ(shell.crew(0, Variant::Hardware).source, GraphicSource::Generated);

    // Removing the software sheet takes the generated one with it.
    page->variantButton(Variant::Software)->click();
    shell.ui->answers.push_back(Answer::Yes);
    QTest::mouseClick(page->button("remove"), Qt::LeftButton);
    EXPECT_EQ(shell.crew(0, Variant::Software).source, GraphicSource::None);
    EXPECT_EQ(shell.crew(0, Variant::Hardware).source, GraphicSource::None);
    EXPECT_EQ(page->picture()->note(), "NO SOFTWARE PIT CREW BITMAP");
    EXPECT_EQ(shell.ui->errors.size(), 1);
}

// "<<< Copy" makes the team's sheet from the jack template: every template
// pixel of an area (48 and up: area p / 16, shade p mod 16) becomes the team's
// colour of that area plus the shade; the rest stays as the template has it.
TEST(PitCrewPage, CopyPaintsTheTemplateInTheTeamsColours) {
    PitCrewShell shell;
    PitCrewPage* page = shell.page();
    auto& colours = shell.state->carSet().teams[0].pitCrewColours;
    for (std::size_t area = 3; area < colours.size(); ++area) colours[area] = static_cast<std::uint8_t>(8 * area + 1);
    page->variantButton(Variant::Software)->click();
    QTest::mouseClick(page->button("copy"), Qt::LeftButton);
    ASSERT_TRUE(shell.ui->errors.isEmpty()) << shell.ui->errors.join("|").toStdString();
    tavolex::PackedBitmap jack;
    ASSERT_TRUE(tavolex::Ok(
        tavolex::LoadPitCrewTemplate(shell.state->graphicEnvironment(), tavolex::PitCrewTemplate::Jack, jack)));
    const tavolex::PackedBitmap& sheet = page->image();
    ASSERT_TRUE(sheet.is(jack.width(), jack.height(), tavolex::Depth::Bits8));
    int painted = 0;
    for (int y = 0; y < jack.height(); ++y) {
        for (int x = 0; x < jack.width(); ++x) {
            const int p = jack.topRow(y)[x];
            const int expected = p >= 48 ? (colours[static_cast<std::size_t>(p / 16)] + p % 16) % 256 : p;
            ASSERT_EQ(sheet.topRow(y)[x], expected) << x << "," << y;
            painted += p >= 48 ? 1 : 0;
        }
    }
    EXPECT_GT(painted, 0) << "the template has areas to paint";
    EXPECT_EQ(shell.crew(0, Variant::Software).source, GraphicSource::File);
    EXPECT_TRUE(shell.state->carSet().modified);
}

TEST(PitCrewPage, PaletteAndPreviewClicksEditTheCurrentArea) {
    PitCrewShell shell;
    // A template whose left half is the head (area 11), right half the goggles (14), bottom rows nothing.
    tavolex::PackedBitmap unpainted(200, 189, tavolex::Depth::Bits8);
    for (int y = 0; y < 150; ++y) {
        std::fill_n(unpainted.topRow(y), 100, static_cast<std::uint8_t>(11 * 16 + 2));
        std::fill_n(unpainted.topRow(y) + 100, 100, static_cast<std::uint8_t>(14 * 16));
    }
    ASSERT_TRUE(tavolex::Ok(tavolex::SaveBitmapFile(shell.folder / "PITCOLOR.DAT", unpainted)));
    shell.reopen();
    PitCrewPage* page = shell.page();
    auto& colours = shell.state->carSet().teams[0].pitCrewColours;
    ASSERT_EQ(page->currentArea(), 11);

    PaletteGrid* palette = page->paletteGrid();
    QTest::mouseClick(palette, Qt::LeftButton, {}, palette->cellCentre(0));
    QTest::mouseClick(palette, Qt::RightButton, {}, palette->cellCentre(200));
    EXPECT_EQ(shell.ui->beeps, 2) << "cells 0 and 200 cannot be picked";
    EXPECT_FALSE(shell.state->carSet().modified);
    QTest::mouseClick(palette, Qt::LeftButton, {}, palette->cellCentre(136));
    EXPECT_EQ(colours[11], 136);
    EXPECT_TRUE(shell.state->carSet().modified);
    EXPECT_EQ(palette->outlined().front(), 136);

    // The head steps through the colour cycle; a click on the goggles does nothing, nothing beeps.
    CrewPreview* preview = page->preview();
    const QPoint head = preview->area().topLeft() + QPoint(50, 50);
    const QPoint goggles = preview->area().topLeft() + QPoint(150, 50);
    QTest::mouseClick(preview, Qt::LeftButton, {}, head);
    EXPECT_EQ(colours[11], 168);
    QTest::mouseClick(preview, Qt::RightButton, {}, head);
    QTest::mouseClick(preview, Qt::RightButton, {}, head);
    EXPECT_EQ(colours[11], 128);
    const auto gogglesColour = colours[14];
    QTest::mouseClick(preview, Qt::LeftButton, {}, goggles);
    EXPECT_EQ(colours[14], gogglesColour);
    QTest::mouseClick(preview, Qt::LeftButton, {}, preview->area().topLeft() + QPoint(50, 170));
    EXPECT_EQ(shell.ui->beeps, 3) << "a left click on no area beeps";

    // A double click on the goggles makes them current without changing a colour.
    QTest::mouseDClick(preview, Qt::LeftButton, {}, goggles);
    EXPECT_EQ(page->currentArea(), 14);
    EXPECT_EQ(page->areaList()->currentText(), "Goggles.");
    EXPECT_EQ(colours[14], gogglesColour);
    EXPECT_EQ(colours[11], 128);
    EXPECT_EQ(palette->outlined().front(), gogglesColour);
    SaveScreenshot(*shell.window, "tavolex-pit-crew-colours");

    // The area list chooses too; the current area lasts the run, across openings.
    page->areaList()->setCurrentIndex(2);
    emit page->areaList()->activated(2);
    EXPECT_EQ(page->currentArea(), 4);
    shell.reopen();
    EXPECT_EQ(shell.page()->areaList()->currentText(), "Chest.");
    shell.page()->chooseArea(11);

    // Colours go to the executable and back.
    colours[11] = 99;
    QTest::mouseClick(shell.page()->button("exportColours"), Qt::LeftButton);
    EXPECT_EQ(shell.ui->informations.value(0), "File Patched Successfully!");
    colours[11] = 1;
    QTest::mouseClick(shell.page()->button("importColours"), Qt::LeftButton);
    EXPECT_EQ(colours[11], 99);
}

TEST(PitCrewPage, OpeningThePageUpgradesTheGamesPitCrewFilesOnce) {
    PitCrewShell shell;
    // A game of its own, fresh from its maker: its pit crew files were never upgraded.
    const fs::path game = shell.folder / "game";
    ASSERT_TRUE(tavolex::Ok(tavolex::MakeSampleGame(game)));
    shell.gameFolder = game;
    shell.useGame(tavolex::ExeStatus::Supported);
    ASSERT_FALSE(tavolex::PitCrewFilesNeedingUpgrade(game).empty());

    // Without the masks the page cannot paint the colours, and says why and where the masks go.
    shell.reopen();
    PitCrewPage* page = shell.page();
    EXPECT_FALSE(page->masksNote()->isHidden());
    EXPECT_TRUE(page->masksNote()->text().contains(
        QString::fromStdString(tavolex::PitCrewMaskPath(shell.folder.path(), 0).parent_path().string())));
    EXPECT_FALSE(page->preview()->hasImage() || page->preview()->isEnabled());
    EXPECT_FALSE(page->paletteGrid()->isEnabled() || page->areaList()->isEnabled() || shell.enabled("copy"));
    EXPECT_TRUE(shell.enabled("importColours")) << "the colours themselves are still the team's data";
    SaveScreenshot(*shell.window, "tavolex-pit-crew-page-without-masks");
    const int team = shell.state->currentTeam();
    const auto colours = shell.state->carSet().teams[static_cast<std::size_t>(team)].pitCrewColours;
    QTest::mouseClick(page->preview(), Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_EQ(shell.state->carSet().teams[static_cast<std::size_t>(team)].pitCrewColours, colours);

    // With them the page upgrades the files at its opening, and paints again.
    for (int i = 0; i < tavolex::kPitCrewUpgradeFiles; ++i) {
        const auto size = tavolex::ExpectedJamSize(100 + i, Variant::Software);
        const fs::path mask = tavolex::PitCrewMaskPath(shell.folder.path(), i);
        fs::create_directories(mask.parent_path());
        tavolex::test::WriteBytes(mask, std::vector<std::uint8_t>(256u * static_cast<std::size_t>(size->height), 254));
    }
    ASSERT_TRUE(fs::exists(shell.folder / "PITCOLOR.DAT"));
    shell.reopen();
    EXPECT_TRUE(tavolex::PitCrewFilesNeedingUpgrade(game).empty());
    EXPECT_TRUE(fs::exists(shell.folder / "PITCOLOR.DAT")) << "the preview's template is built again";
    EXPECT_TRUE(shell.page()->preview()->hasImage());
    EXPECT_TRUE(shell.page()->masksNote()->isHidden());
    EXPECT_TRUE(shell.enabled("copy"));
    EXPECT_TRUE(shell.ui->errors.isEmpty());
}

} // namespace
