#include "pages/ArtworkPage.h"
#include "shell/Eliding.h"

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
#include "editing/CommandReports.h"
#include "editing/GraphicCommands.h"
#include "pages/BoxMessages.h"
#include "pages/PictureView.h"
#include "shell/GameText.h"
#include "shell/PathText.h"
#include "shell/Texts.h"
#include "shell/ZoomWindow.h"

namespace tavolex::editor {

using namespace Qt::StringLiterals;

using tavolex::GraphicKind;
using tavolex::GraphicSource;
using tavolex::TextId;
using tavolex::Variant;

namespace {

constexpr int kFrameMs = 55;
constexpr int kFrameAndInset = 3;
constexpr int kLogo = 0;
constexpr int kFirstDriver = 1;
constexpr int kFirstScreen = 3;
// The driver box's lower right part, beyond 86/164 of its size, zooms the small picture.
constexpr int kSmallPart = 86;
// Pictures that carry a note when there is nothing to show: logo, drivers, badge, first screen.
constexpr std::array<int, 5> kNoted = {0, 1, 2, 3, 4};

const char* const kTitles[8] = {"Team Logo Animation", "First Driver Graphics",       "Second Driver Graphics",
                                "Team Badge",          " Advanced Car Setup Screen",  " Car Setup Screen",
                                " Grid Screen",        "Start Grid Formation Screen "};

QSize BoxSize(int index) {
    if (index == kLogo) {
        return {tavolex::kLogoBoxSide, tavolex::kLogoBoxSide};
    }
    if (index < kFirstScreen) {
        return {tavolex::kDriverBoxSide, tavolex::kDriverBoxSide};
    }
    const tavolex::ArtRegion r = tavolex::ArtScreenRegion(index - kFirstScreen);
    return {r.width, r.height};
}

QRect ToRect(const tavolex::ArtRegion& r) { return {r.x, r.y, r.width, r.height}; }

} // namespace

ArtworkPage::ArtworkPage(EditorState& state, UiServices& ui, QWidget* parent)
    : QWidget(parent), state_(state), ui_(ui) {
    auto* grid = new QGridLayout;
    auto* screens = new QHBoxLayout;
    for (int index = 0; index < 8; ++index) {
        auto* group = new QGroupBox(tr(kTitles[index]), this);
        auto* view = new PictureView(group);
        view->setObjectName(u"picture%1"_s.arg(600 + index));
        view->setSheetSize(BoxSize(index));
        view->setFixedSize(BoxSize(index) + QSize(2 * kFrameAndInset, 2 * kFrameAndInset));
        connect(view, &PictureView::rightClicked, this, [this, index](const QPoint& at) { zoom(index, at); });
        connect(view, &PictureView::pictureDropped, this, &ArtworkPage::loadPath);
        pictures_[static_cast<std::size_t>(index)] = view;
        auto* layout = new QVBoxLayout(group);
        layout->addWidget(view, 0, Qt::AlignCenter);
        if (index == kFirstDriver || index == kFirstDriver + 1) {
            const int driver = index - kFirstDriver;
            auto* box = new Eliding<QCheckBox>(group);
            box->setReservedCharacters(29); // "[03] " and the longest driver's name
            box->setObjectName(u"driver%1"_s.arg(driver));
            box->setPlainToolTip(TipText(Tip::ArtworkDriver));
            connect(box, &QCheckBox::clicked, this, [this, driver] { toggleDriver(driver); });
            connect(view, &PictureView::leftClicked, this, [this, driver] { driverClicked(driver); });
            drivers_[static_cast<std::size_t>(driver)] = box;
            layout->addWidget(box);
        }
        if (index >= kFirstScreen + 1) {
            // The screen labels show only with a sheet.
            auto* label = new QLabel(tr(kTitles[index]), group);
            label->setWordWrap(true);
            screenLabels_[static_cast<std::size_t>(index - kFirstScreen - 1)] = label;
            group->setTitle({});
            layout->insertWidget(0, label);
        }
        // The logo and the drivers above; the badge and the four screens below.
        if (index < kFirstScreen) {
            grid->addWidget(group, 0, index, Qt::AlignTop);
        } else {
            screens->addWidget(group, 0, Qt::AlignTop);
        }
    }
    screens->addStretch();
    grid->addLayout(screens, 1, 0, 1, kFirstScreen + 1);
    grid->setColumnStretch(kFirstScreen, 1);
    auto* options = new QGroupBox(tr("Bitmap Options"), this);
    auto* buttons = new QHBoxLayout(options);
    const struct {
        const char* name;
        const char* text;
        void (ArtworkPage::*slot)();
    } commands[] = {{"import", "Import", &ArtworkPage::importFromGame},
                    {"export", "Export", &ArtworkPage::exportToGame},
                    {"load", "Load", &ArtworkPage::loadFile},
                    {"saveAs", "Save as...", &ArtworkPage::saveFileAs},
                    {"remove", "Remove", &ArtworkPage::removePicture}};
    for (const auto& command : commands) {
        auto* button = new QPushButton(tr(command.text), options);
        button->setObjectName(QString::fromUtf8(command.name));
        connect(button, &QPushButton::clicked, this, command.slot);
        buttons->addWidget(button);
    }
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
    return state_.carSet().teams[static_cast<std::size_t>(team())].artwork.source;
}

tavolex::Rgb ArtworkPage::buttonFace() const {
    const QColor face = palette().color(QPalette::Button);
    return {static_cast<std::uint8_t>(face.red()), static_cast<std::uint8_t>(face.green()),
            static_cast<std::uint8_t>(face.blue())};
}

void ArtworkPage::reload() {
    tavolex::PackedBitmap fetched;
    if (source() != GraphicSource::None) {
        BoxMessages messages(ui_, this);
        if (!tavolex::FetchGraphic(state_.carSet(), state_.graphicEnvironment(), GraphicKind::MenuArtwork, team(),
                                   Variant::Hardware, fetched, true, &messages)) {
            fetched.clear();
        }
    }
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
    showSheet(source() == GraphicSource::None ? tavolex::PackedBitmap() : std::move(fetched));
    for (int driver = 0; driver < 2; ++driver) {
        if (drivers_[static_cast<std::size_t>(driver)]->isChecked()) {
            toggleDriver(driver);
        }
    }
}

void ArtworkPage::showSheet(tavolex::PackedBitmap sheet) {
    data_ = std::move(sheet);
    prepareDisplay();
    refreshControls();
}

void ArtworkPage::prepareDisplay() {
    display_ = data_;
    if (!display_.empty()) {
        tavolex::PrepareArtDisplay(display_, buttonFace());
    }
    tavolex::MakeDisplayImage(display_, displayPixels_);
    displayImage_ = displayPixels_.pixels.empty()
                        ? QImage()
                        : QImage(reinterpret_cast<const uchar*>(displayPixels_.pixels.data()), displayPixels_.width,
                                 displayPixels_.height, displayPixels_.width * 4, QImage::Format_ARGB32);
    paintPictures();
}

void ArtworkPage::paintPictures() {
    const bool shown = !display_.empty() && source() != GraphicSource::None;
    pictures_[kLogo]->setImage(shown ? tavolex::ComposeLogoBox(display_, logoFrame_, buttonFace())
                                     : tavolex::PackedBitmap());
    for (int driver = 0; driver < 2; ++driver) paintDriver(driver);
    for (int index = kFirstScreen; index < 8; ++index) {
        pictures_[static_cast<std::size_t>(index)]->setImage(
            shown ? tavolex::CutArtRegion(display_, tavolex::ArtScreenRegion(index - kFirstScreen))
                  : tavolex::PackedBitmap());
    }
}

void ArtworkPage::paintDriver(int driver) {
    const bool shown = !display_.empty() && source() != GraphicSource::None;
    const int frame = toggles_[static_cast<std::size_t>(driver)].frame();
    pictures_[static_cast<std::size_t>(kFirstDriver + driver)]->setImage(
        shown ? tavolex::ComposeDriverBox(display_, driver, frame, buttonFace()) : tavolex::PackedBitmap());
}

void ArtworkPage::refreshControls() {
    const GraphicSource shown = source();
    const bool none = shown == GraphicSource::None;
    const bool unable = !none && display_.empty();
    for (int index : kNoted) {
        pictures_[static_cast<std::size_t>(index)]->setNote(none     ? T(TextId::NoMenuArtwork)
                                                            : unable ? T(TextId::UnableToDisplayImage)
                                                                     : QString());
    }
    for (QLabel* label : screenLabels_) label->setVisible(!none && !unable);
    const auto& record = state_.carSet().teams[static_cast<std::size_t>(team())];
    for (int driver = 0; driver < 2; ++driver) {
        Eliding<QCheckBox>* box = drivers_[static_cast<std::size_t>(driver)];
        box->setEnabled(!none);
        if (box->isEnabled()) {
            box->setFullText(NumberedDriverName(record.carNumbers[static_cast<std::size_t>(driver)],
                                                record.drivers[static_cast<std::size_t>(driver)].name.view()));
        }
        if (none) {
            box->setChecked(false);
        }
    }
    const bool gameFiles = tavolex::AllowsGameFiles(state_.exeStatus());
    button(u"import"_s)->setEnabled(gameFiles && shown != GraphicSource::Game);
    button(u"export"_s)->setEnabled(gameFiles && shown != GraphicSource::Game && !none);
    button(u"load"_s)->setEnabled(true);
    button(u"saveAs"_s)->setEnabled(!none);
    button(u"remove"_s)->setEnabled(!none);
}

void ArtworkPage::importFromGame() {
    tavolex::PackedBitmap imported;
    if (const auto failure = tavolex::ImportGraphic(state_.carSet(), state_.graphicEnvironment(),
                                                    GraphicKind::MenuArtwork, team(), Variant::Hardware, imported)) {
        ui_.error(this, T(*failure));
        return;
    }
    tellDone(TextId::ReportImported, {});
    showSheet(std::move(imported));
}

void ArtworkPage::exportToGame() {
    if (source() == GraphicSource::None || data_.empty()) {
        return;
    }
    if (const auto failure = tavolex::ExportGraphic(state_.graphicEnvironment(), GraphicKind::MenuArtwork, team(),
                                                    Variant::Hardware, data_)) {
        ui_.error(this, T(*failure));
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
    tavolex::PackedBitmap loaded;
    if (!ui_.loaded(this,
                    tavolex::LoadGraphic(state_.carSet(), state_.graphicEnvironment(), GraphicKind::MenuArtwork, team(),
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
    if (const auto failure = tavolex::SaveGraphicAs(GraphicKind::MenuArtwork, data_, ToPath(path))) {
        ui_.error(this, T(*failure));
        return;
    }
    tellDone(TextId::ReportSavedAs, path);
}

void ArtworkPage::removePicture() {
    if (source() == GraphicSource::None || !ui_.question(this, T(TextId::RemoveBitmapQuestion))) {
        return;
    }
    tavolex::RemoveGraphic(state_.carSet(), GraphicKind::MenuArtwork, team(), Variant::Hardware);
    tellDone(TextId::ReportRemoved, {});
    reload();
}

void ArtworkPage::tellDone(TextId report, const QString& path) {
    state_.tellDone(tavolex::PictureReport(report, state_.carSet(), GraphicKind::MenuArtwork, team(), ToPath(path)));
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
    logoFrame_ = (logoFrame_ + 1) % tavolex::kLogoFrames;
    if (!display_.empty() && source() != GraphicSource::None) {
        pictures_[kLogo]->setImage(tavolex::ComposeLogoBox(display_, logoFrame_, buttonFace()));
    }
}

void ArtworkPage::zoom(int index, const QPoint& position) {
    PictureView* view = pictures_[static_cast<std::size_t>(index)];
    if (displayImage_.isNull() || source() == GraphicSource::None) {
        ui_.beep();
        return;
    }
    const int w = view->area().width();
    QRect region;
    QSize size;
    if (index == kLogo) {
        region = QRect(0, 247, 103, 114);
        size = QSize(3 * w, 342 * w / 103);
    } else if (index < kFirstScreen) {
        const int driver = index - kFirstDriver;
        const QPoint inside = position - view->area().topLeft();
        const bool small = inside.x() * tavolex::kDriverBoxSide > kSmallPart * view->area().width() &&
                           inside.y() * tavolex::kDriverBoxSide > kSmallPart * view->area().height();
        region = ToRect(small ? tavolex::ArtSmallPicture(2 + 3 * driver) : tavolex::ArtLargePicture(2 * driver));
        const int side = qRound((small ? 1.5 : 2.5) * w);
        size = QSize(side, side);
    } else {
        const tavolex::ArtRegion r = tavolex::ArtScreenRegion(index - kFirstScreen);
        region = ToRect(r);
        size = QSize(3 * w, w * (r.height * 3) / r.width);
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
