// A modder's evening on the real main window, from an empty car set to the
// game and back: each step is one a user takes, and what reaches the game is
// read back by a fresh import.
#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QtTest/QTest>

#include <algorithm>
#include <cerrno>
#include <set>

#include <gtest/gtest.h>

#include "GraphicsShell.h"
#include "UserInput.h"
#include "WriteFaultMatrix.h"
#include "document/CarSetFile.h"
#include "document/GraphicDeclarations.h"
#include "document/LazyGraphics.h"
#include "formats/PictureFile.h"
#include "game/GraphicEnvironment.h"
#include "pages/CarsPage.h"
#include "pages/PictureView.h"
#include "pages/PitBoxesPage.h"
#include "pages/PitLaneList.h"
#include "pages/TeamsPage.h"
#include "shell/SelectionDialog.h"
#include "transfer/GameSelection.h"
#include "transfer/ImportWorker.h"
#include "transfer/SelectionChoice.h"

namespace {
namespace fs = std::filesystem;
using tavolex::GraphicKind;
using tavolex::GraphicSource;
using tavolex::Variant;
using tavolex::test::FolderSnapshot;
using tavolex::test::SnapshotFolder;

constexpr int kTeamsTab = 0;
constexpr int kCarsTab = 2;
constexpr int kPitBoxesTab = 7;
// "Räikkönen" as the game stores it (Windows-1252).
constexpr std::string_view kRenamedDriver = "R\xE4ikk\xF6nen";

// Confirms the import or export selection dialog the command opens, with its preselection.
void ConfirmSelection() {
    WhenModal([](QWidget* modal) {
        auto* dialog = qobject_cast<SelectionDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        QTest::mouseClick(dialog->confirmButton(), Qt::LeftButton);
    });
}

// The sample game copied for the session, which writes into it.
struct ModderShell : GraphicsShell {
    ModderShell() : GraphicsShell(kTeamsTab) {
        const fs::path own = folder / "game";
        fs::copy(gameFolder, own, fs::copy_options::recursive);
        gameFolder = own;
        useGame(tavolex::ExeStatus::Supported);
    }
    void showTab(int tab) {
        window->tabs()->setCurrentIndex(tab);
        QApplication::processEvents();
    }
    QString allErrors() const { return ui->errors.join(QStringLiteral(" | ")); }

    // Everything up to the export: new, import all, a PNG livery dropped,
    // the other variant generated, a driver renamed, a pit box dragged, saved.
    void workUntilSaved() {
        window->action("new")->trigger();
        ConfirmSelection();
        window->action("import")->trigger();
        ASSERT_TRUE(ui->errors.isEmpty()) << allErrors().toStdString();

        // Team 0's car in another team's paint, as a PNG a paint program wrote.
        tavolex::PackedBitmap paint;
        ASSERT_TRUE(tavolex::Ok(tavolex::DeclarationOf(GraphicKind::CarLivery)
                                    .readFromGame(state->graphicEnvironment(), 5, Variant::Hardware, paint)));
        const fs::path png = folder / "my livery.png";
        ASSERT_TRUE(tavolex::Ok(tavolex::SavePictureFile(png, paint)));
        showTab(kCarsTab);
        auto* cars = static_cast<CarsPage*>(window->page());
        cars->variantButton(Variant::Hardware)->click();
        ASSERT_TRUE(DropFile(cars->picture(), png));
        ASSERT_EQ(tavolex::SourceOf(state->carSet(), GraphicKind::CarLivery, 0, Variant::Hardware), GraphicSource::File)
            << allErrors().toStdString();
        QTest::mouseClick(cars->button("generateSoftware"), Qt::LeftButton);
        ASSERT_EQ(tavolex::SourceOf(state->carSet(), GraphicKind::CarLivery, 0, Variant::Software),
                  GraphicSource::Generated)
            << allErrors().toStdString();

        showTab(kTeamsTab);
        QLineEdit* driver = static_cast<TeamsPage*>(window->page())->driverName(0);
        driver->selectAll();
        TypeText(driver, QStringLiteral("R\u00E4ikk\u00F6nen"));
        ASSERT_EQ(state->carSet().teams[0].drivers[0].name.view(), kRenamedDriver);

        showTab(kPitBoxesTab);
        auto* pitBoxes = static_cast<PitBoxesPage*>(window->page());
        PitLaneList* lane = pitBoxes->pitLane();
        QWidget* viewport = lane->viewport();
        const QRect first = lane->visualRect(lane->model()->index(0, 0));
        const QRect fourth = lane->visualRect(lane->model()->index(3, 0));
        const int teamAtFirst = lane->item(0)->data(Qt::UserRole).toInt();
        SendMouse(viewport, QEvent::MouseButtonPress, first.center());
        SendMouse(viewport, QEvent::MouseMove, fourth.topLeft() + QPoint(5, 2));
        SendMouse(viewport, QEvent::MouseButtonRelease, fourth.topLeft() + QPoint(5, 2));
        ASSERT_EQ(state->carSet().teams[static_cast<std::size_t>(teamAtFirst)].pitBoxPosition, 2);

        ui->paths.push_back(path("Evening.GP3"));
        window->action("saveAs")->trigger();
        ASSERT_TRUE(ui->errors.isEmpty()) << allErrors().toStdString();
        ASSERT_FALSE(state->carSet().modified);
    }
};

// A 24-bit picture at the menu art archive's precision, 5 bits a channel.
std::vector<std::uint8_t> AsArchiveColours(const tavolex::PackedBitmap& picture) {
    std::vector<std::uint8_t> channels(picture.pixels(), picture.pixels() + picture.pixelBytes());
    for (std::uint8_t& channel : channels) channel = static_cast<std::uint8_t>(channel >> 3);
    return channels;
}

// The saved car set and a fresh import from the game it was exported to hold
// the same texts and the same pixels in every slot the export writes.
void ExpectTheGameHoldsTheCarSet(const fs::path& carSetFile, ModderShell& shell) {
    tavolex::CarSet saved;
    ASSERT_EQ(tavolex::LoadCarSet(saved, carSetFile), tavolex::Error::None);
    tavolex::CarSet imported;
    tavolex::NewCarSet(imported);
    const tavolex::GraphicEnvironment environment = shell.state->graphicEnvironment();
    ASSERT_EQ(tavolex::ImportFromGame(imported, environment, tavolex::ExeStatus::Supported,
                                      tavolex::DefaultSelection(tavolex::SelectionMode::Import, imported)),
              tavolex::Error::None);

    EXPECT_EQ(imported.teams[0].drivers[0].name.view(), kRenamedDriver);
    for (std::size_t t = 0; t < saved.teams.size(); ++t) {
        SCOPED_TRACE(t);
        const tavolex::TeamRecord& mine = saved.teams[t];
        const tavolex::TeamRecord& game = imported.teams[t];
        EXPECT_EQ(game.teamName.view(), mine.teamName.view());
        EXPECT_EQ(game.engineName.view(), mine.engineName.view());
        EXPECT_EQ(game.drivers[0].name.view(), mine.drivers[0].name.view());
        EXPECT_EQ(game.drivers[1].name.view(), mine.drivers[1].name.view());
        EXPECT_EQ(game.carNumbers, mine.carNumbers);
        EXPECT_EQ(game.pitBoxPosition, mine.pitBoxPosition);
    }
    for (const tavolex::GraphicItemRun& run : tavolex::GraphicItemRuns()) {
        for (int slot = 0; slot < run.count; ++slot) {
            SCOPED_TRACE(std::string(tavolex::KindNoun(run.kind)) + " " + std::to_string(slot) + " " +
                         std::to_string(tavolex::VariantIndex(run.variant)));
            tavolex::PackedBitmap mine;
            tavolex::PackedBitmap game;
            ASSERT_TRUE(tavolex::Ok(
                tavolex::FetchGraphic(saved, environment, run.kind, slot, run.variant, mine, false, nullptr)));
            ASSERT_TRUE(tavolex::Ok(
                tavolex::FetchGraphic(imported, environment, run.kind, slot, run.variant, game, false, nullptr)));
            if (run.kind == GraphicKind::MenuArtwork) {
                // The archive keeps 5 bits a channel and the car set 5-6-5: the
                // two expand the same stored colour to different low bits.
                EXPECT_TRUE(AsArchiveColours(mine) == AsArchiveColours(game));
            } else {
                EXPECT_TRUE(mine == game);
            }
        }
    }
}

TEST(ModderSession, FromANewCarSetToTheGameAndBack) {
    ModderShell shell;
    ASSERT_NO_FATAL_FAILURE(shell.workUntilSaved());
    const FolderSnapshot before = SnapshotFolder(shell.gameFolder);

    ConfirmSelection();
    shell.window->action("export")->trigger();
    ASSERT_TRUE(shell.ui->errors.isEmpty()) << shell.allErrors().toStdString();
    EXPECT_NE(SnapshotFolder(shell.gameFolder), before) << "the export wrote into the game";
    EXPECT_FALSE(shell.state->carSet().modified) << "an export only reads the car set";

    ExpectTheGameHoldsTheCarSet(shell.folder / "Evening.GP3", shell);
}

// The same evening on a disk that refuses one game file: the user is told
// once, and no step after the failing one touched the game. The export
// writes the team data (the save file, GP3.EXE, then the language files)
// before the pictures, and team 0's software livery is the first picture.
TEST(ModderSession, AGameFileThatCannotBeWrittenStopsTheExportThere) {
    const struct {
        std::string refused;
        std::vector<std::string> mayChange; // path prefixes of what the steps before it write
    } cases[] = {
        {"F1GState.sav", {}},
        {"gp3.EXE", {"F1GState.sav"}},
        {"willia98.jam", {"gp3.EXE", "F1GState.sav", "LData/"}},
    };
    for (const auto& [refused, mayChange] : cases) {
        SCOPED_TRACE(refused);
        ModderShell shell;
        ASSERT_NO_FATAL_FAILURE(shell.workUntilSaved());
        const FolderSnapshot before = SnapshotFolder(shell.gameFolder);

        ConfirmSelection();
        {
            tavolex::test::ArmedWriteFault fault({tavolex::WriteStep::Create, 1, EACCES, refused});
            shell.window->action("export")->trigger();
        }
        EXPECT_EQ(shell.ui->errors.size(), 1) << shell.allErrors().toStdString();

        const FolderSnapshot after = SnapshotFolder(shell.gameFolder);
        for (const auto& [file, bytes] : after) {
            const auto was = before.find(file);
            if (was == before.end() || was->second != bytes) {
                const bool earlier = std::any_of(mayChange.begin(), mayChange.end(),
                                                 [&](const std::string& prefix) { return file.rfind(prefix, 0) == 0; });
                EXPECT_TRUE(earlier) << file << " was written after the failing step";
            }
            EXPECT_FALSE(tavolex::test::IsTemporaryFileName(file)) << file;
        }
        const bool languageFilesWritten = std::find(mayChange.begin(), mayChange.end(), "LData/") != mayChange.end();
        EXPECT_EQ(after.size() != before.size(), languageFilesWritten) << "backups only come with the language files";
    }
}

} // namespace
