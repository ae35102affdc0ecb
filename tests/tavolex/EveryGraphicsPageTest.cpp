// What every place that shows a car set picture shares: the note of an empty
// slot, the file commands' enable rules by the picture's source and the game,
// Import, Export, Load, Save as and Remove, drops, and on the pages with both
// variants the variant choice and Generate. The page tests keep what is
// their own.
#include <QPushButton>
#include <QRadioButton>
#include <QtTest/QTest>

#include <functional>
#include <utility>

#include <gtest/gtest.h>

#include "GraphicsShell.h"
#include "UserInput.h"
#include "document/LazyGraphics.h"
#include "pages/ArtworkPage.h"
#include "pages/GraphicsPage.h"
#include "pages/PictureView.h"
#include "pages/TyreSheetPanel.h"
#include "pages/WheelsPage.h"

namespace {
namespace fs = std::filesystem;
using tavolex::GraphicKind;
using tavolex::GraphicSource;
using tavolex::Variant;

// A place that shows a picture: the widget holding its buttons, the picture,
// and the kind and variant it shows of the first slot (the first team, the
// first tyre type, or the one sheet of all teams).
struct GraphicsPlace {
    const char* name;
    int tab;
    std::function<QWidget*(QWidget* page)> holder;
    std::function<PictureView*(QWidget* holder)> view;
    std::function<std::pair<GraphicKind, Variant>(QWidget* holder)> shown;
    std::array<const char*, 2> emptyNote; // software, hardware
    // A graphics page: the "Graphic Type" choice and the Generate buttons.
    bool variantChoice;
};

void PrintTo(const GraphicsPlace& place, std::ostream* out) { *out << place.name; }

QWidget* Itself(QWidget* page) { return page; }
GraphicsPage* AsPage(QWidget* holder) { return static_cast<GraphicsPage*>(holder); }
PictureView* PageView(QWidget* holder) { return AsPage(holder)->picture(); }
std::function<std::pair<GraphicKind, Variant>(QWidget*)> PageShows(GraphicKind kind) {
    return [kind](QWidget* holder) { return std::pair(kind, AsPage(holder)->shownVariant()); };
}

TyreSheetPanel* AsPanel(QWidget* holder) { return static_cast<TyreSheetPanel*>(holder); }
PictureView* PanelView(QWidget* holder) { return AsPanel(holder)->picture(); }
std::pair<GraphicKind, Variant> PanelShows(QWidget* holder) {
    const TyreSheetPanel::Sheet& sheet = AsPanel(holder)->shownSheet();
    return {sheet.kind, sheet.variant};
}

const GraphicsPlace kPlaces[] = {
    {"Cars",
     2,
     Itself,
     PageView,
     PageShows(GraphicKind::CarLivery),
     {"NO SOFTWARE CAR IMAGE", "NO HARDWARE CAR IMAGE"},
     true},
    {"Helmets",
     3,
     Itself,
     PageView,
     PageShows(GraphicKind::Helmets),
     {"NO SOFTWARE HELMETS IMAGE", "NO HARDWARE HELMETS IMAGE"},
     true},
    // The badge: unlike the logo it does not turn.
    {"Artwork",
     4,
     Itself,
     [](QWidget* holder) { return static_cast<ArtworkPage*>(holder)->picture(ArtworkView::Badge); },
     [](QWidget*) { return std::pair(GraphicKind::MenuArtwork, Variant::Hardware); },
     {"NO MENU ARTWORK BITMAP", "NO MENU ARTWORK BITMAP"},
     false},
    {"Cockpits",
     5,
     Itself,
     PageView,
     PageShows(GraphicKind::Cockpit),
     {"NO SOFTWARE COCKPIT IMAGE", "NO HARDWARE COCKPIT IMAGE"},
     true},
    {"PitCrews",
     6,
     Itself,
     PageView,
     PageShows(GraphicKind::PitCrew),
     {"NO SOFTWARE PIT CREW BITMAP", "NO HARDWARE PIT CREW BITMAP"},
     true},
    {"PitBoxes",
     7,
     Itself,
     PageView,
     PageShows(GraphicKind::PitBoxes),
     {"NO SOFTWARE GRAPHIC", "NO HARDWARE GRAPHIC"},
     true},
    {"SoftwareWheels",
     8,
     [](QWidget* page) -> QWidget* { return static_cast<WheelsPage*>(page)->left(); },
     PanelView,
     PanelShows,
     {"NO BITMAP", "NO BITMAP"},
     false},
    {"HardwareWheels",
     8,
     [](QWidget* page) -> QWidget* { return static_cast<WheelsPage*>(page)->right(); },
     PanelView,
     PanelShows,
     {"NO BITMAP", "NO BITMAP"},
     false},
};

class EveryGraphicsPage : public ::testing::TestWithParam<GraphicsPlace> {
  protected:
    EveryGraphicsPage() : shell(GetParam().tab) {
        holder = GetParam().holder(shell.window->page());
        view = GetParam().view(holder);
    }

    GraphicSource source() const {
        const auto [kind, variant] = GetParam().shown(holder);
        return tavolex::SourceOf(shell.state->carSet(), kind, 0, variant);
    }
    Variant variant() const { return GetParam().shown(holder).second; }
    QString emptyNote() const {
        return GetParam().emptyNote[static_cast<std::size_t>(tavolex::VariantSlot(variant()))];
    }
    QPushButton* button(const char* name) const { return holder->findChild<QPushButton*>(name); }
    bool enabled(const char* name) const { return button(name)->isEnabled(); }
    void importFromGame() {
        ClickButton(holder, "import");
        ASSERT_TRUE(shell.ui->errors.isEmpty()) << shell.ui->errors.join("|").toStdString();
        ASSERT_NE(source(), GraphicSource::None);
    }
    // The shown picture saved as `name` and loaded again: a picture of the car set's own.
    void loadSaved(const char* name) {
        shell.ui->paths.push_back(shell.path(name));
        ClickButton(holder, "saveAs");
        shell.ui->paths.push_back(shell.path(name));
        ClickButton(holder, "load");
        ASSERT_TRUE(shell.ui->errors.isEmpty()) << shell.ui->errors.join("|").toStdString();
    }
    // The file commands as an empty slot offers them.
    void expectEmptyRules() const {
        EXPECT_FALSE(view->hasImage());
        EXPECT_EQ(view->note(), emptyNote());
        EXPECT_TRUE(enabled("import") && enabled("load"));
        EXPECT_FALSE(enabled("export") || enabled("saveAs") || enabled("remove"));
        if (GetParam().variantChoice) {
            EXPECT_FALSE(enabled("generateSoftware") || enabled("generateHardware")) << "nothing to generate from";
        }
    }

    GraphicsShell shell;
    QWidget* holder = nullptr;
    PictureView* view = nullptr;
};

TEST_P(EveryGraphicsPage, AnEmptySlotShowsItsNoteAndImportFollowsTheGame) {
    ASSERT_EQ(source(), GraphicSource::None);
    expectEmptyRules();
    shell.useGame(tavolex::ExeStatus::Missing);
    EXPECT_FALSE(enabled("import")) << "no game files without a game";
    EXPECT_TRUE(enabled("load"));
    shell.useGame(tavolex::ExeStatus::Unreadable);
    EXPECT_TRUE(enabled("import")) << "the game's files, though not its executable";
}

TEST_P(EveryGraphicsPage, ThePicturesSourceDecidesWhereItMayGo) {
    importFromGame();
    EXPECT_TRUE(view->hasImage());
    EXPECT_TRUE(view->note().isEmpty());
    const bool fromGame = source() == GraphicSource::Game;
    EXPECT_EQ(enabled("import"), !fromGame) << "the game's own picture goes neither way";
    EXPECT_EQ(enabled("export"), !fromGame);
    EXPECT_TRUE(enabled("saveAs") && enabled("remove") && enabled("load"));

    loadSaved("own.bmp");
    EXPECT_NE(source(), GraphicSource::Game);
    EXPECT_TRUE(enabled("import") && enabled("export"));
    shell.useGame(tavolex::ExeStatus::Missing);
    EXPECT_FALSE(enabled("import") || enabled("export"));
    EXPECT_TRUE(enabled("saveAs") && enabled("remove")) << "the car set's picture needs no game";
    shell.useGame(tavolex::ExeStatus::Unreadable);
    ClickButton(holder, "export");
    EXPECT_TRUE(shell.ui->errors.isEmpty()) << shell.ui->errors.join("|").toStdString();
    EXPECT_EQ(shell.ui->informations, QStringList{"File Patched Successfully!"});
}

TEST_P(EveryGraphicsPage, RemoveAsksFirstAndACancelledSaveWritesNothing) {
    importFromGame();
    const GraphicSource imported = source();
    shell.ui->answers.push_back(UiServices::Answer::No);
    ClickButton(holder, "remove");
    EXPECT_EQ(shell.ui->questions, QStringList{"Are you sure you want to remove bitmap?"});
    EXPECT_EQ(source(), imported);
    EXPECT_TRUE(view->hasImage());

    const auto files = [&] {
        return std::distance(fs::directory_iterator(shell.folder.path()), fs::directory_iterator());
    };
    const auto before = files();
    ClickButton(holder, "saveAs"); // the dialog is cancelled
    EXPECT_TRUE(shell.ui->errors.isEmpty());
    EXPECT_EQ(files(), before);

    shell.ui->answers.push_back(UiServices::Answer::Yes);
    ClickButton(holder, "remove");
    EXPECT_EQ(source(), GraphicSource::None);
    expectEmptyRules();
}

// The game's picture saved as PNG, removed, and brought back by Load and by a
// drop: the page shows it as it was.
TEST_P(EveryGraphicsPage, LoadsAndTakesDropsOfPngPictures) {
    importFromGame();
    const QImage shown = view->image().copy();
    const fs::path png = shell.folder / (std::string(GetParam().name) + ".png");
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
        EXPECT_NE(source(), GraphicSource::Game) << "the car set's own (the helmets are held by it)";
    }
    EXPECT_FALSE(DropFile(view, shell.folder / "notes.txt")) << "only pictures are taken";
}

// A refused file keeps the page's message and says under it which file it
// was and why, in the command line's words; by Load and by a drop alike.
TEST_P(EveryGraphicsPage, SaysWhichFileItRefusedAndWhy) {
    const fs::path notes = shell.folder / "notes.bmp";
    const std::string text(200, 't');
    tavolex::test::WriteBytes(notes, std::vector<std::uint8_t>(text.begin(), text.end()));
    for (const bool dropped : {false, true}) {
        if (dropped) {
            EXPECT_TRUE(DropFile(view, notes));
        } else {
            shell.ui->paths.push_back(QString::fromStdString(notes.string()));
            ClickButton(holder, "load");
        }
        ASSERT_EQ(shell.ui->errors.size(), 1) << (dropped ? "dropped" : "loaded");
        EXPECT_EQ(shell.ui->errors[0].toStdString(),
                  "Couldn't load bitmap file!\n\nnotes.bmp: the file is not a BMP file");
        shell.ui->errors.clear();
        EXPECT_EQ(source(), GraphicSource::None);
    }
}

// The variant shown: hardware unless only software is there; kept when the
// team changes, chosen again for another car set; Generate makes the other
// one from a picture of the slot's own and moves to it.
TEST_P(EveryGraphicsPage, ShowsAVariantAndGeneratesTheOther) {
    if (!GetParam().variantChoice) {
        EXPECT_EQ(button("generateSoftware"), nullptr) << "a kind of one variant makes no other";
        EXPECT_EQ(button("generateHardware"), nullptr);
        return;
    }
    GraphicsPage* page = AsPage(holder);
    EXPECT_EQ(page->shownVariant(), Variant::Hardware);
    EXPECT_TRUE(page->variantButton(Variant::Hardware)->isChecked());
    page->variantButton(Variant::Software)->click();
    EXPECT_EQ(page->shownVariant(), Variant::Software);
    expectEmptyRules();

    importFromGame();
    EXPECT_TRUE(enabled("generateHardware"));
    EXPECT_FALSE(enabled("generateSoftware")) << "the button that makes the shown variant";
    ClickButton(holder, "generateHardware");
    EXPECT_EQ(page->shownVariant(), Variant::Hardware);
    EXPECT_TRUE(page->variantButton(Variant::Hardware)->isChecked());
    EXPECT_TRUE(view->hasImage());
    EXPECT_NE(source(), GraphicSource::None);
    EXPECT_EQ(enabled("generateSoftware"), source() != GraphicSource::Generated)
        << "a generated picture is never an origin (the helmets' are held by the car set)";

    shell.ui->answers.push_back(UiServices::Answer::No); // no saving of the changes
    shell.window->newCarSet();
    EXPECT_EQ(page->shownVariant(), Variant::Hardware);
    expectEmptyRules();
}

INSTANTIATE_TEST_SUITE_P(Places, EveryGraphicsPage, ::testing::ValuesIn(kPlaces),
                         [](const ::testing::TestParamInfo<GraphicsPlace>& info) { return info.param.name; });

} // namespace
