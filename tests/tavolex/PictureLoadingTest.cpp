// Every page reads a user's picture the one way: BMP or PNG, by the bytes,
// whether it is chosen with Load or dropped onto the picture.
#include <QPushButton>
#include <QTabBar>
#include <QtTest/QTest>

#include <functional>

#include <gtest/gtest.h>

#include "GraphicsShell.h"
#include "UserInput.h"
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

void Click(QWidget* holder, const char* button) {
    auto* found = holder->findChild<QPushButton*>(button);
    ASSERT_NE(found, nullptr) << button;
    ASSERT_TRUE(found->isEnabled()) << button;
    QTest::mouseClick(found, Qt::LeftButton);
}

// The game's picture saved as PNG, removed, and brought back by Load and by a
// drop: the page shows it as it was.
TEST(PictureLoading, EveryPageLoadsAndTakesDropsOfPngPictures) {
    for (const PicturePlace& place : kPlaces) {
        SCOPED_TRACE(place.name);
        GraphicsShell shell(place.tab);
        QWidget* holder = place.holder(shell.window->page());
        PictureView* view = place.view(holder);
        Click(holder, "import");
        ASSERT_TRUE(shell.ui->errors.isEmpty()) << shell.ui->errors.join("|").toStdString();
        ASSERT_TRUE(view->hasImage());
        const QImage shown = view->image().copy(); // the view's image is over its own buffer

        const fs::path png = shell.folder / (std::string(place.name) + ".png");
        shell.ui->paths.push_back(QString::fromStdString(png.string()));
        Click(holder, "saveAs");
        ASSERT_TRUE(fs::exists(png));
        const auto bytes = tavolex::test::ReadBytes(png);
        ASSERT_GE(bytes.size(), 8u);
        ASSERT_EQ(bytes[1], 'P') << "written as PNG";

        for (const bool dropped : {false, true}) {
            shell.ui->answers.push_back(UiServices::Answer::Yes);
            Click(holder, "remove");
            ASSERT_FALSE(view->hasImage());
            if (dropped) {
                EXPECT_TRUE(DropFile(view, png));
            } else {
                shell.ui->paths.push_back(QString::fromStdString(png.string()));
                Click(holder, "load");
            }
            EXPECT_TRUE(shell.ui->errors.isEmpty()) << (dropped ? "dropped: " : "loaded: ")
                                                     << shell.ui->errors.join("|").toStdString();
            shell.ui->errors.clear();
            EXPECT_TRUE(view->hasImage());
            EXPECT_EQ(view->image(), shown) << (dropped ? "dropped" : "loaded");
        }
    }
}

} // namespace
