// Success is told in the status bar; only a page's Export to the game also
// confirms in a box. A failure leaves the bar as it was.
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include "GraphicsShell.h"
#include "Screenshot.h"
#include "UserInput.h"
#include "document/GraphicDeclarations.h"
#include "document/LazyGraphics.h"
#include "pages/GraphicsPage.h"
#include "shell/SelectionDialog.h"

namespace {
namespace fs = std::filesystem;
using tavolex::GraphicKind;
using tavolex::Variant;

constexpr int kCarsTab = 2;

QString Status(const Shell& shell) { return shell.window->statusBar()->currentMessage(); }

TEST(StatusBar, PictureCommandsSayWhatTheyDidToWhichTeamAndFile) {
    GraphicsShell shell(kCarsTab);
    shell.state->carSet().teams[0].teamName = "Jordan";
    auto* page = static_cast<GraphicsPage*>(shell.window->page());

    ClickButton(page, "import");
    EXPECT_EQ(Status(shell), "Imported livery for Jordan from the game");
    shell.ui->paths.push_back(shell.path("jordan.png"));
    ClickButton(page, "saveAs");
    EXPECT_EQ(Status(shell), "Saved livery for Jordan as jordan.png");
    shell.ui->answers.push_back(UiServices::Answer::Yes);
    ClickButton(page, "remove");
    EXPECT_EQ(Status(shell), "Removed livery for Jordan");
    shell.ui->paths.push_back(shell.path("jordan.png"));
    ClickButton(page, "load");
    EXPECT_EQ(Status(shell), "Loaded livery for Jordan from jordan.png");
    EXPECT_TRUE(shell.ui->informations.isEmpty()) << "no box for a success";
    SaveScreenshot(*shell.window, "tavolex-status-bar");

    // The software picture made from the hardware one.
    page->chooseVariant(Variant::Hardware);
    ClickButton(page, "import");
    ClickButton(page, "generateSoftware");
    EXPECT_EQ(Status(shell), "Generated the software livery");

    // A failure is told in its box and leaves the bar alone.
    tavolex::test::WriteBytes(shell.folder / "notes.txt", {'n', 'o'});
    shell.ui->paths.push_back(shell.path("notes.txt"));
    ClickButton(page, "load");
    EXPECT_EQ(shell.ui->errors.size(), 1);
    EXPECT_EQ(Status(shell), "Generated the software livery");
    EXPECT_TRUE(shell.ui->informations.isEmpty());
}

TEST(StatusBar, CarSetCommandsNameTheFile) {
    Shell shell;
    shell.window->show();
    shell.ui->paths.push_back(shell.path("Sample"));
    shell.window->action("saveAs")->trigger();
    EXPECT_EQ(Status(shell), "Saved Sample.GP3");
    shell.window->action("new")->trigger();
    EXPECT_EQ(Status(shell), "Started a new car set");
    shell.ui->paths.push_back(shell.path("Sample.GP3"));
    shell.window->action("open")->trigger();
    EXPECT_EQ(Status(shell), "Opened Sample.GP3");
    shell.ui->paths.push_back(shell.path("preview"));
    shell.window->action("exportPreview")->trigger();
    EXPECT_EQ(Status(shell), "Saved preview.png");
    EXPECT_TRUE(shell.ui->informations.isEmpty());
}

TEST(StatusBar, DataCommandsNameWhatTheyMovedAndWhere) {
    GraphicsShell shell(0);
    QWidget* teams = shell.window->page();
    shell.ui->paths.push_back(shell.path("season"));
    ClickButton(teams, "saveAs");
    EXPECT_EQ(Status(shell), "Saved the team and driver data as season.TXT");
    shell.ui->paths.push_back(shell.path("season.TXT"));
    ClickButton(teams, "load");
    EXPECT_EQ(Status(shell), "Loaded the team and driver data from season.TXT");
    ClickButton(teams, "import");
    EXPECT_EQ(Status(shell), "Imported the team and driver data from the game");

    shell.window->tabs()->setCurrentIndex(6);
    ClickButton(shell.window->page(), "copy");
    EXPECT_TRUE(Status(shell).startsWith("Painted the game's template as the pit crew for "))
        << Status(shell).toStdString();
    EXPECT_TRUE(shell.ui->errors.isEmpty()) << shell.ui->errors.join("|").toStdString();
}

// The count is what the export wrote: the game's own pictures among the
// chosen ones are not written, so they are not counted.
TEST(StatusBar, AGameExportCountsThePicturesItWrote) {
    GraphicsShell shell(0);
    const fs::path own = shell.folder / "game";
    fs::copy(shell.gameFolder, own, fs::copy_options::recursive);
    shell.gameFolder = own;
    shell.useGame(tavolex::ExeStatus::Supported);
    const tavolex::GraphicEnvironment environment = shell.state->graphicEnvironment();
    for (int team : {0, 6}) {
        tavolex::PackedBitmap picture;
        ASSERT_TRUE(tavolex::Ok(tavolex::DeclarationOf(GraphicKind::CarLivery)
                                    .readFromGame(environment, team + 1, Variant::Software, picture)));
        const fs::path file = shell.folder / ("car" + std::to_string(team) + ".bmp");
        ASSERT_TRUE(tavolex::Ok(tavolex::SaveGraphicFile(GraphicKind::CarLivery, file, picture)));
        tavolex::SetSlotFromFile(shell.state->carSet(), GraphicKind::CarLivery, team, Variant::Software, file);
    }
    tavolex::SetSlotFromGame(shell.state->carSet(), GraphicKind::Cockpit, 3, Variant::Software);

    const auto confirm = [] {
        WhenModal([](QWidget* modal) {
            auto* dialog = qobject_cast<SelectionDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            QTest::mouseClick(dialog->confirmButton(), Qt::LeftButton);
        });
    };
    confirm();
    shell.window->action("export")->trigger();
    ASSERT_TRUE(shell.ui->errors.isEmpty()) << shell.ui->errors.join("|").toStdString();
    EXPECT_EQ(Status(shell), "Exported 2 pictures and the team data to the game");

    // An import counts every picture it switched to the game's.
    confirm();
    shell.window->action("import")->trigger();
    ASSERT_TRUE(shell.ui->errors.isEmpty()) << shell.ui->errors.join("|").toStdString();
    EXPECT_TRUE(Status(shell).startsWith("Imported ")) << Status(shell).toStdString();
    EXPECT_TRUE(Status(shell).endsWith(" pictures and the team data from the game")) << Status(shell).toStdString();
}

} // namespace
