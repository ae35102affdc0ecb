// The manual's pictures: every page and tool window with the demo's car set
// (the sample game's whole field imported, its pit crews upgraded with the
// sample masks as `make demo` does), written into docs/manual/pictures so
// that the manual shows the editor as it is.

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QListWidget>
#include <QTabBar>

#include <optional>

#include <gtest/gtest.h>

#include "GraphicsShell.h"
#include "editing/PitCrewUpgrade.h"
#include "sample/SampleGame.h"
#include "sample/SamplePitCrewMasks.h"
#include "shell/ConfigurationDialog.h"
#include "shell/MainWindow.h"
#include "tools/CarDamageEditor.h"
#include "tools/DriverAidsEditor.h"
#include "tools/OnboardCameraEditor.h"
#include "transfer/ImportWorker.h"
#include "transfer/SelectionChoice.h"

namespace {
namespace fs = std::filesystem;

QString PictureName(QString label) { return label.toLower().replace(' ', '-'); }

// Writes the widget's picture under `name` and gives it back for checking.
QImage SaveManualPicture(QWidget& widget, const QString& name) {
    QApplication::processEvents();
    QDir().mkpath(TAVOLEX_MANUAL_PICTURES);
    const QImage picture = widget.grab().toImage();
    EXPECT_TRUE(picture.save(QString(TAVOLEX_MANUAL_PICTURES) + "/" + name + ".png")) << name.toStdString();
    return picture;
}

TEST(ManualScreenshots, EveryPageAndToolWindowShowsTheDemoCarSet) {
    GraphicsShell shell(0);
    // A game of its own, as the upgrade recolours it.
    const fs::path game = shell.folder / "game";
    fs::copy(shell.gameFolder, game, fs::copy_options::recursive);
    shell.useGameAt(game, tavolex::ExeStatus::Supported);
    ASSERT_TRUE(tavolex::Ok(tavolex::WriteSamplePitCrewMasks(shell.paths.dataFolder)));
    ASSERT_TRUE(tavolex::Ok(tavolex::UpgradePitCrewFiles(game, shell.paths.dataFolder, nullptr)));

    tavolex::CarSet& carSet = shell.state->carSet();
    ASSERT_TRUE(
        tavolex::Ok(tavolex::ImportFromGame(carSet, shell.state->graphicEnvironment(), tavolex::ExeStatus::Supported,
                                            tavolex::DefaultSelection(tavolex::SelectionMode::Import, carSet))));
    shell.state->selectTeam(1);
    shell.state->notifyDataChanged();
    shell.window->resize(shell.window->defaultSize());

    std::vector<QImage> pictures;
    QTabBar* tabs = shell.window->tabs();
    for (int tab = 0; tab < tabs->count(); ++tab) {
        tabs->setCurrentIndex(tab);
        pictures.push_back(SaveManualPicture(*shell.window, "page-" + PictureName(tabs->tabText(tab))));
    }
    CarDamageEditor damage(*shell.state, *shell.ui, shell.window.get());
    DriverAidsEditor aids(*shell.state, *shell.ui, shell.window.get());
    OnboardCameraEditor cameras(*shell.state, *shell.ui, shell.window.get());
    for (auto [tool, name] : {std::pair<QWidget*, QString>{&damage, "tool-car-damage"},
                              {&aids, "tool-driver-aids"},
                              {&cameras, "tool-onboard-cameras"}}) {
        tool->show();
        pictures.push_back(SaveManualPicture(*tool, name));
        tool->hide();
    }
    // Every picture is a window of its own, not the same one again.
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        EXPECT_FALSE(pictures[i].isNull()) << i;
        for (std::size_t j = 0; j < i; ++j) EXPECT_NE(pictures[i], pictures[j]) << i << " and " << j;
    }
}

// The configuration dialog of a first run, listing a game in a Wine prefix
// of a home of the test's own.
TEST(ManualScreenshots, TheFirstRunConfigurationDialogListsTheGameFound) {
    Shell shell;
    const fs::path game = shell.folder / "home/.wine/drive_c/Games/Grand Prix 3";
    fs::create_directories(game);
    tavolex::test::WriteBytes(game / "GP3.EXE", tavolex::SampleExecutable());
    std::optional<ScopedHome> testHome(shell.folder.path());
    ConfigurationDialog dialog(*shell.state, *shell.ui, shell.window.get());
    testHome.reset();
    dialog.show();
    ASSERT_NE(dialog.foundGamesList(), nullptr);
    EXPECT_GE(dialog.foundGamesList()->count(), 1);
    SaveManualPicture(dialog, "dialog-configuration-first-run");
}

} // namespace
