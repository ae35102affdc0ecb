#include <algorithm>
#include <cctype>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "GraphicsShell.h"
#include "Screenshot.h"
#include "document/GraphicDeclarations.h"
#include "document/LazyGraphics.h"
#include "game/GraphicEnvironment.h"
#include "pages/TeamsPage.h"
#include "shell/SelectionDialog.h"
#include "shell/TeamList.h"
#include "transfer/GameSelection.h"
#include "widgets/ProgressWindow.h"

namespace {
namespace fs = std::filesystem;
using tavolex::GraphicKind;
using tavolex::GraphicSource;
using tavolex::QuickGroup;
using tavolex::Variant;
namespace item = tavolex::item;

constexpr int kTeamsTab = 0;

// Runs `act` on the selection dialog the command opens, then confirms or cancels it.
void OnSelection(std::function<void(SelectionDialog&)> act, bool confirm = true) {
    WhenModal([act, confirm](QWidget* modal) {
        auto* dialog = qobject_cast<SelectionDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        act(*dialog);
        if (confirm) {
            QTest::mouseClick(dialog->confirmButton(), Qt::LeftButton);
        } else {
            dialog->reject();
        }
    });
}

// A game of the test's own, for commands that write into it.
struct ExportShell : GraphicsShell {
    ExportShell() : GraphicsShell(kTeamsTab) {
        const fs::path own = folder / "game";
        fs::copy(gameFolder, own, fs::copy_options::recursive);
        gameFolder = own;
        useGame(tavolex::ExeStatus::Supported);
    }
    // Another team's car from the game as the user's picture of `team`.
    void useCar(int team, Variant variant, const std::string& file) {
        tavolex::PackedBitmap picture;
        const tavolex::GraphicEnvironment environment = state->graphicEnvironment();
        ASSERT_TRUE(tavolex::Ok(tavolex::DeclarationOf(GraphicKind::CarLivery)
                                    .readFromGame(environment, (team + 1) % 11, variant, picture)));
        ASSERT_TRUE(tavolex::Ok(tavolex::SaveGraphicFile(GraphicKind::CarLivery, folder / file, picture)));
        tavolex::SetSlotFromFile(state->carSet(), GraphicKind::CarLivery, team, variant, folder / file);
    }
};

TEST(GameTransferShell, ImportDialogOffersEverythingAndTheQuickBoxesCycle) {
    GraphicsShell shell(kTeamsTab);
    bool seen = false;
    OnSelection([&](SelectionDialog& dialog) {
        seen = true;
        EXPECT_EQ(dialog.windowTitle(), "Import data from Grand Prix 3 files...");
        EXPECT_EQ(dialog.confirmButton()->text(), "IMPORT");
        // Focus lands once the window is active, which a slow (sanitised) run may not have reached yet.
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
        EXPECT_TRUE(dialog.confirmButton()->hasFocus());
        for (int id : tavolex::AllItems()) {
            ASSERT_NE(dialog.itemBox(id), nullptr) << id;
            EXPECT_TRUE(dialog.itemBox(id)->isEnabled() && dialog.itemBox(id)->isChecked()) << id;
        }
        EXPECT_EQ(dialog.itemBox(item::kCarSoftware)->text(), "S");
        EXPECT_EQ(dialog.itemBox(item::kPitCrewHardware + 3)->text(), "H");
        EXPECT_EQ(dialog.itemBox(item::kTyreSoftware)->text(), "S / H");
        EXPECT_EQ(dialog.itemBox(item::kTread + 1)->text(), "T");
        EXPECT_EQ(dialog.itemBox(item::kArtwork + 10)->text(), "11");
        EXPECT_EQ(dialog.itemBox(item::kPitBoxPositions)->text(), "Pit Box Positions");
        EXPECT_EQ(dialog.quickBox(QuickGroup::CarsHardware)->text(), "Cars");
        EXPECT_EQ(dialog.quickBox(QuickGroup::PitCrewsSoftware)->text(), "S");
        EXPECT_EQ(dialog.quickBox(QuickGroup::TeamDriverData)->text(), "Team/Driver Data");
        SaveScreenshot(dialog, "tavolex-import-selection");

        QCheckBox* cars = dialog.quickBox(QuickGroup::CarsHardware);
        EXPECT_EQ(cars->checkState(), Qt::Checked);
        dialog.itemBox(item::kCarHardware + 4)->click();
        EXPECT_EQ(cars->checkState(), Qt::PartiallyChecked);
        cars->click();
        EXPECT_EQ(cars->checkState(), Qt::Checked);
        EXPECT_TRUE(dialog.itemBox(item::kCarHardware + 4)->isChecked());
        cars->click(); // the preselection: every box
        EXPECT_EQ(cars->checkState(), Qt::PartiallyChecked);
        EXPECT_TRUE(dialog.itemBox(item::kCarHardware + 4)->isChecked());
        cars->click();
        EXPECT_EQ(cars->checkState(), Qt::Unchecked);
        EXPECT_FALSE(dialog.itemBox(item::kCarHardware)->isChecked());
        // The hardware cars stay out of this import.
    });
    shell.window->action("import")->trigger();
    ASSERT_TRUE(seen);
    const tavolex::CarSet& carSet = shell.state->carSet();
    EXPECT_TRUE(shell.ui->errors.isEmpty()) << shell.ui->errors.join("|").toStdString();
    EXPECT_EQ(tavolex::SourceOf(carSet, GraphicKind::CarLivery, 4, Variant::Software), GraphicSource::Game);
    EXPECT_EQ(tavolex::SourceOf(carSet, GraphicKind::CarLivery, 4, Variant::Hardware), GraphicSource::None);
    EXPECT_EQ(carSet.helmetFlags[1], 1u);
    EXPECT_TRUE(shell.window->windowTitle().contains('*'));

    // Now that the pictures are the game's own, only the rest is offered.
    OnSelection(
        [&](SelectionDialog& dialog) {
            EXPECT_FALSE(dialog.itemBox(item::kCarSoftware + 2)->isEnabled());
            EXPECT_FALSE(dialog.itemBox(item::kCarSoftware + 2)->isChecked());
            EXPECT_EQ(dialog.itemBox(item::kCarSoftware + 2)->text(), "");
            EXPECT_FALSE(dialog.quickBox(QuickGroup::CarsSoftware)->isEnabled());
            EXPECT_TRUE(dialog.quickBox(QuickGroup::CarsHardware)->isEnabled());
            EXPECT_TRUE(dialog.itemBox(item::kHelmetsHardware)->isEnabled());
        },
        false);
    shell.window->action("import")->trigger();
}

// An import that fails part-way keeps what its earlier steps took from the
// game (the team data comes before the helmets): the team list and the page
// show it, so no stale box can undo part of it.
TEST(GameTransferShell, AFailedImportStillShowsWhatItChanged) {
    ExportShell shell;
    int removed = 0;
    for (const auto& entry : fs::recursive_directory_iterator(shell.gameFolder)) {
        std::string name = entry.path().filename().string();
        std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
        if (name.rfind("helmets", 0) == 0) {
            fs::remove(entry.path());
            ++removed;
            break;
        }
    }
    ASSERT_GT(removed, 0);
    ASSERT_EQ(shell.window->teamList()->button(0)->text(), " Team Name - Engine");
    OnSelection([](SelectionDialog&) {});
    shell.window->action("import")->trigger();
    ASSERT_EQ(shell.ui->errors.size(), 1);
    const auto& team = shell.state->carSet().teams[0];
    ASSERT_NE(team.teamName.view(), "Team Name") << "the team data came from the game";
    EXPECT_TRUE(shell.state->carSet().modified);
    EXPECT_EQ(shell.window->teamList()->button(0)->text(), " " + QString::fromStdString(team.teamName.str()) + " - " +
                                                               QString::fromStdString(team.engineName.str()));
    auto* teams = static_cast<TeamsPage*>(shell.window->page());
    EXPECT_EQ(teams->teamName()->text().toStdString(), team.teamName.str());
}

// What a new user sees after importing everything: every page shows the
// game's pictures (the screenshots are looked at).
TEST(GameTransferShell, AnImportFillsEveryPage) {
    GraphicsShell shell(kTeamsTab);
    OnSelection([](SelectionDialog&) {});
    shell.window->action("import")->trigger();
    ASSERT_TRUE(shell.ui->errors.isEmpty()) << shell.ui->errors.join("|").toStdString();
    QTabBar* tabs = shell.window->tabs();
    for (int tab = 0; tab < tabs->count(); ++tab) {
        tabs->setCurrentIndex(tab);
        QApplication::processEvents();
        SaveScreenshot(*shell.window, QString("tavolex-imported-%1").arg(tab));
    }
    EXPECT_TRUE(shell.ui->errors.isEmpty()) << shell.ui->errors.join("|").toStdString();
}

TEST(GameTransferShell, ExportWritesTheGameWhileTheProgressWindowCounts) {
    ExportShell shell;
    shell.useCar(0, Variant::Software, "car0.bmp");
    shell.useCar(6, Variant::Hardware, "car6.bmp");
    shell.state->carSet().teams[0].teamName = "Exported";
    const auto carFile = shell.gameFolder / "zo3zids" / "liveries";
    const fs::file_time_type before = fs::last_write_time(shell.gameFolder / "gp3.EXE");

    bool seen = false;
    OnSelection([&](SelectionDialog& dialog) {
        seen = true;
        EXPECT_EQ(dialog.windowTitle(), "Export data to Grand Prix 3 files...");
        EXPECT_EQ(dialog.confirmButton()->text(), "EXPORT");
        EXPECT_TRUE(dialog.itemBox(item::kCarSoftware)->isEnabled() && dialog.itemBox(item::kCarSoftware)->isChecked());
        EXPECT_TRUE(dialog.itemBox(item::kCarHardware + 6)->isChecked());
        EXPECT_FALSE(dialog.itemBox(item::kCarSoftware + 1)->isEnabled()); // empty
        EXPECT_FALSE(dialog.itemBox(item::kHelmetsSoftware)->isEnabled());
        EXPECT_EQ(dialog.quickBox(QuickGroup::CarsSoftware)->checkState(), Qt::Checked);
        EXPECT_FALSE(dialog.quickBox(QuickGroup::CockpitsHardware)->isEnabled());
        SaveScreenshot(dialog, "tavolex-export-selection");
    });
    // Watches the export from inside: the progress window paints between steps.
    QStringList headings;
    bool windowDisabled = false;
    QTimer watch;
    watch.setInterval(0);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        for (auto* progress : shell.window->findChildren<ProgressWindow*>()) {
            if (progress->isVisible() && !headings.contains(progress->heading())) {
                headings << progress->heading();
                windowDisabled = !shell.window->isEnabled();
                SaveScreenshot(*progress, "tavolex-export-progress");
            }
        }
    });
    watch.start();
    shell.window->action("export")->trigger();
    watch.stop();
    ASSERT_TRUE(seen);
    EXPECT_TRUE(shell.ui->errors.isEmpty()) << shell.ui->errors.join("|").toStdString();
    EXPECT_TRUE(headings.contains("Exporting software car textures.")) << headings.join("|").toStdString();
    EXPECT_TRUE(windowDisabled);
    EXPECT_TRUE(shell.window->isEnabled());
    EXPECT_NE(fs::last_write_time(shell.gameFolder / "gp3.EXE"), before);
}

TEST(GameTransferShell, ExportFailuresShowOneMessage) {
    ExportShell shell;
    // Nothing left to export once the data boxes are cleared.
    OnSelection([](SelectionDialog& dialog) {
        QCheckBox* data = dialog.quickBox(QuickGroup::TeamDriverData);
        data->click(); // indeterminate: the preselection
        data->click(); // unchecked
        EXPECT_FALSE(dialog.itemBox(item::kCarNumbers)->isChecked());
    });
    shell.window->action("export")->trigger();
    EXPECT_EQ(shell.ui->errors, QStringList{"Nothing to export!"});

    shell.useCar(3, Variant::Hardware, "car3.bmp");
    fs::remove(shell.folder / "car3.bmp");
    OnSelection([](SelectionDialog&) {});
    shell.window->action("export")->trigger();
    EXPECT_EQ(shell.ui->errors, (QStringList{"Nothing to export!", "Failed to patch JAM file!"}));
    EXPECT_EQ(tavolex::SourceOf(shell.state->carSet(), GraphicKind::CarLivery, 3, Variant::Hardware),
              GraphicSource::File);
    EXPECT_TRUE(shell.window->isEnabled());
}

TEST(GameTransferShell, WithoutAUsableGameTheCommandsOpenTheConfiguration) {
    GraphicsShell shell(kTeamsTab);
    shell.useGame(tavolex::ExeStatus::Missing);
    QString title;
    WhenModal([&](QWidget* modal) {
        title = modal->windowTitle();
        qobject_cast<QDialog*>(modal)->reject();
    });
    shell.window->action("export")->trigger();
    EXPECT_EQ(title, "Tavolex Configuration");
}

} // namespace
