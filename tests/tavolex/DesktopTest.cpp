// What a desktop editor is expected to do: recent files and drag and drop.

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QUrl>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include "GraphicsShell.h"
#include "UserInput.h"
#include "document/CarSetFile.h"
#include "formats/BitmapFile.h"
#include "pages/CarsPage.h"
#include "pages/PictureView.h"

namespace {
namespace fs = std::filesystem;

TEST(Desktop, RecentCarSetsNewestFirstWithMissingOnesGreyed) {
    Shell shell;
    shell.window->show();
    for (const char* name : {"first.GP3", "second.GP3"}) {
        shell.ui->paths.push_back(shell.path(name));
        shell.window->action("saveAs")->trigger();
    }
    fs::remove(shell.folder / "first.GP3");
    QMenu* recent = shell.window->findChild<QMenu*>("recent");
    ASSERT_NE(recent, nullptr);
    emit recent->aboutToShow();
    const QList<QAction*> entries = recent->actions();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0]->text(), shell.path("second.GP3"));
    EXPECT_TRUE(entries[0]->isEnabled());
    EXPECT_FALSE(entries[1]->isEnabled()) << "first.GP3 is gone";

    shell.state->carSet().teams[0].teamName = "Changed";
    tavolex::MarkModified(shell.state->carSet());
    shell.ui->answers.push_back(UiServices::Answer::No);
    entries[0]->trigger();
    EXPECT_EQ(shell.state->carSet().teams[0].teamName.view(), "Team Name") << "reopened from the file";
}

TEST(Desktop, DropsOpenCarSetsAndLoadPicturesAndRefuseTheRest) {
    GraphicsShell shell(2);
    auto* cars = static_cast<CarsPage*>(shell.window->page());
    const tavolex::PackedBitmap livery = tavolex::test::PhotoLike24(256, 384, 6);
    ASSERT_TRUE(tavolex::Ok(tavolex::SaveBitmapFile(shell.folder / "livery.BMP", livery)));
    EXPECT_TRUE(DropFile(cars->picture(), shell.folder / "livery.BMP"));
    EXPECT_EQ(shell.state->carSet().teams[0].livery[1].source, tavolex::GraphicSource::File);
    EXPECT_EQ(cars->image(), livery);

    tavolex::test::WriteBytes(shell.folder / "notes.txt", {'x'});
    EXPECT_FALSE(DropFile(cars->picture(), shell.folder / "notes.txt"));
    EXPECT_FALSE(DropFile(shell.window.get(), shell.folder / "notes.txt"));

    tavolex::CarSet other;
    tavolex::NewCarSet(other);
    other.teams[3].teamName = "Dropped";
    ASSERT_TRUE(tavolex::Ok(tavolex::SaveCarSet(other, shell.folder / "other.gp3", {})));
    shell.ui->answers.push_back(UiServices::Answer::No); // the loaded livery is not saved
    EXPECT_TRUE(DropFile(shell.window.get(), shell.folder / "other.gp3"));
    EXPECT_EQ(shell.state->carSet().teams[3].teamName.view(), "Dropped");
    EXPECT_EQ(shell.ui->questions.value(0), "Save Changes to Car Set?");
}

} // namespace
