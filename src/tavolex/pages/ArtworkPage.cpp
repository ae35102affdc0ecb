#include "pages/ArtworkPage.h"
#include "widgets/Eliding.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/EditorState.h"
#include "document/LazyGraphics.h"
#include "editing/CommandMessages.h"
#include "editing/CommandReports.h"
#include "editing/GraphicCommands.h"
#include "pages/CommandButtons.h"
#include "pages/DisplayQImage.h"
#include "pages/FailureReport.h"
#include "pages/PictureView.h"
#include "pages/ShownPicture.h"
#include "widgets/GameText.h"
#include "widgets/PathText.h"
#include "widgets/Texts.h"
#include "widgets/UiServices.h"
#include "widgets/ZoomWindow.h"

namespace tavolex::editor {

using namespace Qt::StringLiterals;

namespace {

constexpr int kFrameMs = 55;
// The driver box's lower right part, beyond 86/164 of its size, zooms the small picture.
constexpr int kSmallPart = 86;
// How many times the area's width a zoom of the logo, the badge or a screen is wide.
constexpr int kRegionZoom = 3;
// A driver's zoom: a square this many times the area's width.
constexpr double kLargePictureZoom = 2.5;
constexpr double kSmallPictureZoom = 1.5;
// The logo's zoom shows the sheet's logo column at its first frames.
constexpr QRect kLogoZoomRegion(0, 247, 103, 114);

// Each picture: its name, its title, whether its title stands above it as a
// label that shows only with a sheet (the screens right of the badge), and
// whether it carries the note when there is nothing to show.
struct ViewDeclaration {
    ArtworkView view;
    const char* name;
    const char* title;
    bool labelled;
    bool noted;
};
const ViewDeclaration kViews[kArtworkViews] = {
    {ArtworkView::Logo, "logo", "Team Logo Animation", false, true},
    {ArtworkView::FirstDriver, "firstDriver", "First Driver Graphics", false, true},
    {ArtworkView::SecondDriver, "secondDriver", "Second Driver Graphics", false, true},
    {ArtworkView::Badge, "badge", "Team Badge", false, true},
    {ArtworkView::AdvancedCarSetupScreen, "advancedCarSetupScreen", " Advanced Car Setup Screen", true, true},
    {ArtworkView::CarSetupScreen, "carSetupScreen", " Car Setup Screen", true, false},
    {ArtworkView::GridScreen, "gridScreen", " Grid Screen", true, false},
    {ArtworkView::StartGridFormationScreen, "startGridFormationScreen", "Start Grid Formation Screen ", true, false},
};

bool IsDriver(ArtworkView view) { return view == ArtworkView::FirstDriver || view == ArtworkView::SecondDriver; }
int DriverOf(ArtworkView view) { return static_cast<int>(view) - static_cast<int>(ArtworkView::FirstDriver); }
ArtworkView DriverView(int driver) {
    return static_cast<ArtworkView>(static_cast<int>(ArtworkView::FirstDriver) + driver);
}
// The badge and the screens are regions of the sheet, in their order.
bool IsRegion(ArtworkView view) { return view >= ArtworkView::Badge; }
ArtRegion RegionOf(ArtworkView view) {
    return ArtScreenRegion(static_cast<int>(view) - static_cast<int>(ArtworkView::Badge));
}

QSize BoxSize(ArtworkView view) {
    if (view == ArtworkView::Logo) {
        return {kLogoBoxSide, kLogoBoxSide};
    }
    if (IsDriver(view)) {
        return {kDriverBoxSide, kDriverBoxSide};
    }
    const ArtRegion r = RegionOf(view);
    return {r.width, r.height};
}

QRect ToRect(const ArtRegion& r) { return {r.x, r.y, r.width, r.height}; }

// A region enlarged to kRegionZoom times the area's width, its sides in proportion.
QSize RegionZoom(const QRect& region, int areaWidth) {
    return {kRegionZoom * areaWidth, areaWidth * (region.height() * kRegionZoom) / region.width()};
}

} // namespace

ArtworkPage::ArtworkPage(EditorState& state, UiServices& ui, QWidget* parent)
    : QWidget(parent), state_(state), ui_(ui) {
    auto* grid = new QGridLayout;
    auto* screens = new QHBoxLayout;
    int column = 0;
    std::size_t labels = 0;
    for (const ViewDeclaration& declaration : kViews) {
        const ArtworkView shown = declaration.view;
        auto* group = new QGroupBox(declaration.labelled ? QString() : tr(declaration.title), this);
        auto* view = new PictureView(group);
        view->setObjectName(QString::fromUtf8(declaration.name));
        view->setSheetSize(BoxSize(shown));
        view->setFixedSize(PictureView::sizeForPicture(BoxSize(shown)));
        connect(view, &PictureView::rightClicked, this, [this, shown](const QPoint& at) { zoom(shown, at); });
        connect(view, &PictureView::pictureDropped, this, &ArtworkPage::loadPath);
        pictures_[static_cast<std::size_t>(shown)] = view;
        auto* layout = new QVBoxLayout(group);
        if (declaration.labelled) {
            // The screen labels show only with a sheet.
            auto* label = new QLabel(tr(declaration.title), group);
            label->setWordWrap(true);
            screenLabels_[labels++] = label;
            layout->addWidget(label);
        }
        layout->addWidget(view, 0, Qt::AlignCenter);
        if (IsDriver(shown)) {
            const int driver = DriverOf(shown);
            auto* box = new Eliding<QCheckBox>(group);
            box->setReservedCharacters(29); // "[03] " and the longest driver's name
            box->setObjectName(u"driver%1"_s.arg(driver));
            box->setPlainToolTip(TipText(Tip::ArtworkDriver));
            connect(box, &QCheckBox::clicked, this, [this, driver] { toggleDriver(driver); });
            connect(view, &PictureView::leftClicked, this, [this, driver] { driverClicked(driver); });
            drivers_[static_cast<std::size_t>(driver)] = box;
            layout->addWidget(box);
        }
        // The logo and the drivers above; the badge and the four screens below.
        if (IsRegion(shown)) {
            screens->addWidget(group, 0, Qt::AlignTop);
        } else {
            grid->addWidget(group, 0, column++, Qt::AlignTop);
        }
    }
    screens->addStretch();
    grid->addLayout(screens, 1, 0, 1, column + 1);
    grid->setColumnStretch(column, 1);
    auto* options = new QGroupBox(tr("Bitmap Options"), this);
    AddPictureFileButtons(options, new QHBoxLayout(options), *this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(options);
    layout->addStretch();

    logoTimer_.setInterval(kFrameMs);
    connect(&logoTimer_, &QTimer::timeout, this, &ArtworkPage::stepLogo);
    for (int driver = 0; driver < 2; ++driver) {
        QTimer& timer = driverTimers_[static_cast<std::size_t>(driver)];
        timer.setInterval(kFrameMs);
        connect(&timer, &QTimer::timeout, this, [this, driver] { stepDriver(driver); });
    }
    reload();
    logoTimer_.start();
    connect(&state_, &EditorState::teamChanged, this, &ArtworkPage::reload);
    connect(&state_, &EditorState::dataChanged, this, &ArtworkPage::reload);
    connect(&state_, &EditorState::exeStatusChanged, this, &ArtworkPage::refreshControls);
    connect(&state_, &EditorState::carSetSaved, this, &ArtworkPage::refreshControls);
}

QPushButton* ArtworkPage::button(const QString& name) const { return findChild<QPushButton*>(name); }

int ArtworkPage::team() const { return state_.currentTeam(); }

GraphicSource ArtworkPage::source() const {
    return SourceOf(state_.carSet(), GraphicKind::MenuArtwork, team(), Variant::Hardware);
}

Rgb ArtworkPage::buttonFace() const {
    const QColor face = palette().color(QPalette::Button);
    return {static_cast<std::uint8_t>(face.red()), static_cast<std::uint8_t>(face.green()),
            static_cast<std::uint8_t>(face.blue())};
}

void ArtworkPage::reload() {
    PackedBitmap fetched = FetchShownPicture(state_, ui_, this, GraphicKind::MenuArtwork, team(), Variant::Hardware);
    // The drivers start switched off, and a selected driver switches on.
    toggles_ = {};
    for (int driver = 0; driver < 2; ++driver) {
        driverTimers_[static_cast<std::size_t>(driver)].stop();
        const bool selected = state_.carSet()
                                  .teams[static_cast<std::size_t>(team())]
                                  .drivers[static_cast<std::size_t>(driver)]
                                  .selected != 0;
        drivers_[static_cast<std::size_t>(driver)]->setChecked(selected && source() != GraphicSource::None);
    }
    logoFrame_ = 0;
    showSheet(std::move(fetched));
    for (int driver = 0; driver < 2; ++driver) {
        if (drivers_[static_cast<std::size_t>(driver)]->isChecked()) {
            toggleDriver(driver);
        }
    }
}

void ArtworkPage::showSheet(PackedBitmap sheet) {
    data_ = std::move(sheet);
    prepareDisplay();
    refreshControls();
}

void ArtworkPage::prepareDisplay() {
    display_ = data_;
    if (!display_.empty()) {
        PrepareArtDisplay(display_, buttonFace());
    }
    displayImage_ = ToQImage(display_);
    paintPictures();
}

void ArtworkPage::paintPictures() {
    const bool shown = !display_.empty() && source() != GraphicSource::None;
    picture(ArtworkView::Logo)->setImage(shown ? ComposeLogoBox(display_, logoFrame_, buttonFace()) : PackedBitmap());
    for (int driver = 0; driver < 2; ++driver) paintDriver(driver);
    for (const ViewDeclaration& declaration : kViews) {
        if (IsRegion(declaration.view)) {
            picture(declaration.view)
                ->setImage(shown ? CutArtRegion(display_, RegionOf(declaration.view)) : PackedBitmap());
        }
    }
}

void ArtworkPage::paintDriver(int driver) {
    const bool shown = !display_.empty() && source() != GraphicSource::None;
    const int frame = toggles_[static_cast<std::size_t>(driver)].frame();
    picture(DriverView(driver))
        ->setImage(shown ? ComposeDriverBox(display_, driver, frame, buttonFace()) : PackedBitmap());
}

void ArtworkPage::refreshControls() {
    GraphicPageState page;
    page.shown = Variant::Hardware;
    page.hardware = source();
    page.exeStatus = state_.exeStatus();
    page.hasDisplayImage = !display_.empty();
    page.bothVariants = false;
    const GraphicControlRules rules = DecideGraphicControls(page);
    const QString note = PictureNoteText(rules.note, {TextId::NoMenuArtwork, TextId::NoMenuArtwork});
    for (const ViewDeclaration& declaration : kViews) {
        if (declaration.noted) {
            picture(declaration.view)->setNote(note);
        }
    }
    for (QLabel* label : screenLabels_) label->setVisible(rules.note == PictureNote::None);
    const auto& record = state_.carSet().teams[static_cast<std::size_t>(team())];
    for (int driver = 0; driver < 2; ++driver) {
        Eliding<QCheckBox>* box = drivers_[static_cast<std::size_t>(driver)];
        box->setEnabled(rules.driverSwitches);
        if (box->isEnabled()) {
            box->setFullText(NumberedDriverName(record.carNumbers[static_cast<std::size_t>(driver)],
                                                record.drivers[static_cast<std::size_t>(driver)].name.view()));
        } else {
            box->setChecked(false);
        }
    }
    EnablePictureFileButtons(this, rules);
}

void ArtworkPage::importFromGame() {
    PackedBitmap imported;
    if (!Succeeded(ui_, this,
                   ImportGraphic(state_.carSet(), state_.graphicEnvironment(), GraphicKind::MenuArtwork, team(),
                                 Variant::Hardware, imported),
                   GraphicCommand::Import, GraphicKind::MenuArtwork, Variant::Hardware)) {
        return;
    }
    tellDone(TextId::ReportImported, {});
    showSheet(std::move(imported));
}

void ArtworkPage::exportToGame() {
    if (source() == GraphicSource::None || data_.empty()) {
        return;
    }
    if (!Succeeded(
            ui_, this,
            ExportGraphic(state_.graphicEnvironment(), GraphicKind::MenuArtwork, team(), Variant::Hardware, data_),
            GraphicCommand::Export, GraphicKind::MenuArtwork, Variant::Hardware)) {
        return;
    }
    tellDone(TextId::ReportExported, {});
    ui_.information(this, T(TextId::FilePatchedSuccessfully));
}

void ArtworkPage::loadFile() {
    const QString path = ui_.openFile(this, T(TextId::OpenMenuArt), T(TextId::BitmapFilter));
    if (!path.isEmpty()) {
        loadPath(path);
    }
}

void ArtworkPage::loadPath(const QString& path) {
    PackedBitmap loaded;
    if (!ui_.loaded(this,
                    LoadGraphic(state_.carSet(), state_.graphicEnvironment(), GraphicKind::MenuArtwork, team(),
                                Variant::Hardware, ToPath(path), loaded),
                    path, {GraphicKind::MenuArtwork, Variant::Hardware})) {
        return;
    }
    tellDone(TextId::ReportLoaded, path);
    showSheet(std::move(loaded));
}

void ArtworkPage::saveFileAs() {
    if (source() == GraphicSource::None || data_.empty()) {
        return;
    }
    const QString path = ui_.saveFile(this, T(TextId::SaveMenuArt), T(TextId::BitmapFilter), u"BMP"_s);
    if (path.isEmpty() || !ui_.replace(this, path)) {
        return;
    }
    if (!PartSucceeded(ui_, this, SaveGraphicAs(GraphicKind::MenuArtwork, data_, ToPath(path)), GraphicCommand::Save)) {
        return;
    }
    tellDone(TextId::ReportSavedAs, path);
}

void ArtworkPage::removePicture() {
    if (source() == GraphicSource::None || !ui_.question(this, T(TextId::RemoveBitmapQuestion))) {
        return;
    }
    RemoveGraphic(state_.carSet(), GraphicKind::MenuArtwork, team(), Variant::Hardware);
    tellDone(TextId::ReportRemoved, {});
    reload();
}

void ArtworkPage::tellDone(TextId report, const QString& path) {
    state_.tellDone(PictureReport(report, state_.carSet(), GraphicKind::MenuArtwork, team(), ToPath(path)));
}

void ArtworkPage::toggleDriver(int driver) {
    const auto d = static_cast<std::size_t>(driver);
    if (!toggles_[d].start()) {
        // A click while the pictures switch changes nothing: the box shows where they are going.
        drivers_[d]->setChecked(toggles_[d].counter() < 4);
        return;
    }
    paintDriver(driver);
    driverTimers_[d].start();
}

void ArtworkPage::driverClicked(int driver) {
    QCheckBox* box = drivers_[static_cast<std::size_t>(driver)];
    if (!box->isEnabled()) {
        return;
    }
    if (!toggles_[static_cast<std::size_t>(driver)].running()) {
        box->setChecked(!box->isChecked());
    }
    toggleDriver(driver);
}

void ArtworkPage::stepDriver(int driver) {
    const auto d = static_cast<std::size_t>(driver);
    if (!toggles_[d].tick()) {
        driverTimers_[d].stop();
    }
    paintDriver(driver);
}

void ArtworkPage::stepLogo() {
    logoFrame_ = (logoFrame_ + 1) % kLogoFrames;
    if (!display_.empty() && source() != GraphicSource::None) {
        picture(ArtworkView::Logo)->setImage(ComposeLogoBox(display_, logoFrame_, buttonFace()));
    }
}

void ArtworkPage::zoom(ArtworkView shown, const QPoint& position) {
    PictureView* view = picture(shown);
    if (displayImage_.isNull() || source() == GraphicSource::None) {
        ui_.beep();
        return;
    }
    const int w = view->area().width();
    QRect region;
    QSize size;
    if (shown == ArtworkView::Logo) {
        region = kLogoZoomRegion;
        size = RegionZoom(region, w);
    } else if (IsDriver(shown)) {
        const int driver = DriverOf(shown);
        const QPoint inside = position - view->area().topLeft();
        const bool small = inside.x() * kDriverBoxSide > kSmallPart * view->area().width() &&
                           inside.y() * kDriverBoxSide > kSmallPart * view->area().height();
        // The driver's own pictures: small S2 and S5, large L0 and L2.
        region = ToRect(small ? ArtSmallPicture(2 + 3 * driver) : ArtLargePicture(2 * driver));
        const int side = qRound((small ? kSmallPictureZoom : kLargePictureZoom) * w);
        size = QSize(side, side);
    } else {
        region = ToRect(RegionOf(shown));
        size = RegionZoom(region, w);
    }
    ZoomWindow window(QPixmap::fromImage(displayImage_), region, view->mapToGlobal(position), size, this);
    window.exec();
}

void ArtworkPage::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && !data_.empty()) {
        prepareDisplay();
    }
}

} // namespace tavolex::editor
