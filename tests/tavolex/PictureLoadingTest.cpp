// Every page reads a user's picture the one way: BMP or PNG, by the bytes,
// whether it is chosen with Load or dropped onto the picture.
#include <QPushButton>
#include <QTabBar>
#include <QtTest/QTest>

#include <functional>

#include <gtest/gtest.h>

#include "GraphicsShell.h"
#include "UserInput.h"
#include "formats/BitmapFile.h"
#include "pages/ArtworkPage.h"
#include "pages/GraphicsPage.h"
#include "pages/PictureView.h"
#include "pages/TyreSheetPanel.h"
#include "pages/WheelsPage.h"

namespace {
namespace fs = std::filesystem;

// A place that shows a picture: the widget holding its buttons and the picture itself.
struct PicturePlace {
    const char* name;
    int tab;
    std::function<QWidget*(QWidget* page)> holder;
    std::function<PictureView*(QWidget* holder)> view;
};

PictureView* PageView(QWidget* holder) { return static_cast<GraphicsPage*>(holder)->picture(); }
QWidget* Itself(QWidget* page) { return page; }

const PicturePlace kPlaces[] = {
    {"Cars", 2, Itself, PageView},
    {"Helmets", 3, Itself, PageView},
    // The badge: unlike the logo it does not turn.
    {"Artwork", 4, Itself, [](QWidget* holder) { return static_cast<ArtworkPage*>(holder)->picture(3); }},
    {"Cockpits", 5, Itself, PageView},
    {"PitCrews", 6, Itself, PageView},
    {"PitBoxes", 7, Itself, PageView},
    {"SoftwareWheels", 8, [](QWidget* page) -> QWidget* { return static_cast<WheelsPage*>(page)->left(); },
     [](QWidget* holder) { return static_cast<TyreSheetPanel*>(holder)->picture(); }},
    {"HardwareWheels", 8, [](QWidget* page) -> QWidget* { return static_cast<WheelsPage*>(page)->right(); },
     [](QWidget* holder) { return static_cast<TyreSheetPanel*>(holder)->picture(); }},
};

// The game's picture saved as PNG, removed, and brought back by Load and by a
// drop: the page shows it as it was.
TEST(PictureLoading, EveryPageLoadsAndTakesDropsOfPngPictures) {
    for (const PicturePlace& place : kPlaces) {
        SCOPED_TRACE(place.name);
        GraphicsShell shell(place.tab);
        QWidget* holder = place.holder(shell.window->page());
        PictureView* view = place.view(holder);
        ClickButton(holder, "import");
        ASSERT_TRUE(shell.ui->errors.isEmpty()) << shell.ui->errors.join("|").toStdString();
        ASSERT_TRUE(view->hasImage());
        const QImage shown = view->image().copy(); // the view's image is over its own buffer

        const fs::path png = shell.folder / (std::string(place.name) + ".png");
        shell.ui->paths.push_back(QString::fromStdString(png.string()));
        ClickButton(holder, "saveAs");
        ASSERT_TRUE(fs::exists(png));
        const auto bytes = tavolex::test::ReadBytes(png);
        ASSERT_GE(bytes.size(), 8u);
        ASSERT_EQ(bytes[1], 'P') << "written as PNG";

        for (const bool dropped : {false, true}) {
            shell.ui->answers.push_back(UiServices::Answer::Yes);
            ClickButton(holder, "remove");
            ASSERT_FALSE(view->hasImage());
            if (dropped) {
                EXPECT_TRUE(DropFile(view, png));
            } else {
                shell.ui->paths.push_back(QString::fromStdString(png.string()));
                ClickButton(holder, "load");
            }
            EXPECT_TRUE(shell.ui->errors.isEmpty())
                << (dropped ? "dropped: " : "loaded: ") << shell.ui->errors.join("|").toStdString();
            shell.ui->errors.clear();
            EXPECT_TRUE(view->hasImage());
            EXPECT_EQ(view->image(), shown) << (dropped ? "dropped" : "loaded");
        }
    }
}

// A refused file keeps the page's message and says under it which file it
// was and why, in the command line's words; by Load and by a drop alike.
TEST(PictureLoading, EveryPageSaysWhichFileItRefusedAndWhy) {
    for (const PicturePlace& place : kPlaces) {
        SCOPED_TRACE(place.name);
        GraphicsShell shell(place.tab);
        QWidget* holder = place.holder(shell.window->page());
        const fs::path notes = shell.folder / "notes.bmp";
        const std::string text(200, 't');
        tavolex::test::WriteBytes(notes, std::vector<std::uint8_t>(text.begin(), text.end()));
        for (const bool dropped : {false, true}) {
            if (dropped) {
                EXPECT_TRUE(DropFile(place.view(holder), notes));
            } else {
                shell.ui->paths.push_back(QString::fromStdString(notes.string()));
                ClickButton(holder, "load");
            }
            ASSERT_EQ(shell.ui->errors.size(), 1) << (dropped ? "dropped" : "loaded");
            EXPECT_EQ(shell.ui->errors[0].toStdString(),
                      "Couldn't load bitmap file!\n\nnotes.bmp: the file is not a BMP file");
            shell.ui->errors.clear();
        }
    }
}

// The size wanted is the page's picture's; a damaged PNG and a BMP of a
// kind that is not read say so.
TEST(PictureLoading, ARefusedPictureNamesTheSizeWantedOrTheFault) {
    GraphicsShell shell(5); // the cockpits: their variants differ in size
    QWidget* page = shell.window->page();
    static_cast<GraphicsPage*>(page)->chooseVariant(tavolex::Variant::Software);
    const struct {
        const char* name;
        std::function<void(const fs::path&)> write;
        const char* reason;
    } files[] = {
        {"small.bmp",
         [](const fs::path& file) {
             ASSERT_TRUE(tavolex::Ok(tavolex::SaveBitmapFile(file, tavolex::test::Banded8(100, 50))));
         },
         "the bitmap does not have the required width and height (256 x 64 wanted)"},
        {"torn.png",
         [](const fs::path& file) {
             tavolex::test::WriteBytes(file, {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n', 0, 0, 0, 13, 'I', 'H'});
         },
         "the PNG file is damaged or cannot be read"},
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.name);
        file.write(shell.folder / file.name);
        shell.ui->paths.push_back(shell.path(file.name));
        ClickButton(page, "load");
        ASSERT_EQ(shell.ui->errors.size(), 1);
        EXPECT_EQ(shell.ui->errors[0].toStdString(),
                  std::string("Couldn't load bitmap file!\n\n") + file.name + ": " + file.reason);
        shell.ui->errors.clear();
    }
    // The hardware cockpit wants its own size.
    static_cast<GraphicsPage*>(page)->chooseVariant(tavolex::Variant::Hardware);
    shell.ui->paths.push_back(shell.path("small.bmp"));
    ClickButton(page, "load");
    ASSERT_EQ(shell.ui->errors.size(), 1);
    EXPECT_TRUE(shell.ui->errors[0].endsWith("(256 x 256 wanted)")) << shell.ui->errors[0].toStdString();
}

} // namespace
