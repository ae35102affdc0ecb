#include "pages/PitCrewPage.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/EditorState.h"
#include "app/PitCrewFileUpgrade.h"
#include "app/RunChoice.h"
#include "editing/CommandMessages.h"
#include "editing/CommandReports.h"
#include "editing/PitCrewCommands.h"
#include "editing/PitCrewTemplates.h"
#include "pages/FailureReport.h"
#include "pages/PaletteGrid.h"
#include "pages/PictureView.h"
#include "widgets/Texts.h"
#include "widgets/UiServices.h"
#include "widgets/ZoomWindow.h"

namespace tavolex::editor {

using namespace Qt::StringLiterals;

namespace {

constexpr QSize kSheet(kPitCrewSheetWidth, kPitCrewSheetHeight);
constexpr QSize kPreview(200, 189);
constexpr QSize kPalette(16 * 14 + 1, 13 * 10 + 1);
constexpr int kHalfRows = kPitCrewHalfRows;

const GraphicsPageDeclaration kPitCrew = {
    GraphicKind::PitCrew,
    "Pit Crew Jack",
    kSheet,
    {TextId::NoSoftwarePitCrewBitmap, TextId::NoHardwarePitCrewBitmap},
    {TextId::OpenSoftwarePitCrewGraphics, TextId::OpenHardwarePitCrewGraphics},
    {TextId::SaveSoftwarePitCrewBitmap, TextId::SaveHardwarePitCrewBitmap},
};

const RunChoice<int> kCurrentArea{"pitCrew/area", kFirstPitCrewArea};

} // namespace

PitCrewPage::PitCrewPage(EditorState& state, UiServices& ui, QWidget* parent)
    : GraphicsPage(state, ui, kPitCrew, parent) {
    // The upgrade deletes the templates, so it runs before the preview's is read.
    UpgradePitCrewFilesIfNeeded(state_, this);
    addPartChoice({{"PITCREW.BMP", {}},
                   {"JM-XX1.JAM", QRect(2, 4, 166, 248)},
                   {"JM-XXX.JAM", QRect(2, kHalfRows + 4, 166, 248)}});
    copy_ = new QPushButton(tr("<<< Copy"), this);
    copy_->setObjectName(u"copy"_s);
    copy_->setToolTip(TipText(Tip::CopyPitCrew));
    connect(copy_, &QPushButton::clicked, this, &PitCrewPage::copyTemplate);
    auto* copyRow = new QHBoxLayout;
    copyRow->addWidget(copy_);
    copyRow->addStretch();
    auto* copyHolder = new QWidget(this);
    copyHolder->setLayout(copyRow);
    copyRow->setContentsMargins(0, 0, 0, 0);
    addSideWidget(copyHolder);
    addSideWidget(makeColourGroup());
    masksNote_ = new QLabel(this);
    masksNote_->setObjectName(u"masksNote"_s);
    masksNote_->setWordWrap(true);
    addSideWidget(masksNote_);
    checkPaintable();
    // Another game folder may hold upgraded files, or none.
    connect(&state_, &EditorState::exeStatusChanged, this, [this] {
        checkPaintable();
        applyControlRules();
    });
    // Another car set may come with other templates beside it: read the preview's again.
    connect(&state_, &EditorState::dataChanged, this, [this] {
        loadTemplate();
        paintPreview();
    });
    start();
}

void PitCrewPage::loadTemplate() {
    // The preview's template comes from the data folder, rebuilt from the game when needed.
    if (!Ok(LoadPitCrewTemplate(state_.graphicEnvironment(), PitCrewTemplate::Colour, unpainted_))) {
        unpainted_.clear();
    }
}

QWidget* PitCrewPage::makeColourGroup() {
    auto* group = new QGroupBox(tr("Pit Crew Colours"), this);
    preview_ = new PictureView(group);
    preview_->setObjectName("preview");
    // The painted crew fills the frame: no inset, no drops.
    preview_->setAreaInset(0);
    preview_->setAcceptDrops(false);
    preview_->setSheetSize(kPreview);
    preview_->setFixedSize(kPreview + QSize(2, 2));
    connect(preview_, &PictureView::pressed, this, &PitCrewPage::previewClicked);
    areas_ = new QComboBox(group);
    areas_->setObjectName(u"areas"_s);
    areas_->setToolTip(TipText(Tip::PitCrewAreas));
    for (const PitCrewArea& area : PitCrewAreas()) {
        areas_->addItem(tr(area.label), area.colour);
    }
    connect(areas_, &QComboBox::activated, this, [this](int index) { chooseArea(areas_->itemData(index).toInt()); });
    palette_ = new PaletteGrid(group);
    palette_->setObjectName(u"palette"_s);
    palette_->setFixedSize(kPalette);
    connect(palette_, &PaletteGrid::clicked, this, &PitCrewPage::paletteClicked);
    importColours_ = new QPushButton(tr("Import"), group);
    importColours_->setObjectName(u"importColours"_s);
    connect(importColours_, &QPushButton::clicked, this, &PitCrewPage::importColours);
    exportColours_ = new QPushButton(tr("Export"), group);
    exportColours_->setObjectName(u"exportColours"_s);
    connect(exportColours_, &QPushButton::clicked, this, &PitCrewPage::exportColours);

    auto* right = new QVBoxLayout;
    right->addWidget(areas_);
    right->addWidget(palette_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(importColours_);
    buttons->addWidget(exportColours_);
    right->addLayout(buttons);
    right->addStretch();
    auto* layout = new QHBoxLayout(group);
    layout->addWidget(preview_, 0, Qt::AlignTop);
    layout->addLayout(right);

    loadTemplate();
    chooseArea(currentArea());
    return group;
}

PitCrewColourSet& PitCrewPage::colours() {
    return state_.carSet().teams[static_cast<std::size_t>(slot())].pitCrewColours;
}

void PitCrewPage::checkPaintable() {
    const QString note = MissingPitCrewMasksNote(state_);
    paintable_ = note.isEmpty();
    masksNote_->setText(note);
    masksNote_->setVisible(!paintable_);
    preview_->setEnabled(paintable_);
    palette_->setEnabled(paintable_);
    areas_->setEnabled(paintable_);
    paintPreview();
}

void PitCrewPage::paintPreview() {
    const bool shown = paintable_ && !unpainted_.empty();
    preview_->setImage(shown ? PaintPitCrew(unpainted_, colours()) : PackedBitmap());
    preview_->setNote(preview_->hasImage() ? QString() : T(TextId::UnableToDisplayImage));
    palette_->setOutlined(OutlinedPaletteCells(colours()[static_cast<std::size_t>(currentArea())]));
}

int PitCrewPage::currentArea() const { return kCurrentArea.get(state_); }

void PitCrewPage::chooseArea(int colourNumber) {
    kCurrentArea.set(state_, colourNumber);
    const int index = areas_->findData(colourNumber);
    if (index >= 0) {
        areas_->setCurrentIndex(index);
    }
    paintPreview();
}

void PitCrewPage::setColour(int colour) {
    auto& stored = colours()[static_cast<std::size_t>(currentArea())];
    if (stored == colour) {
        return;
    }
    stored = static_cast<std::uint8_t>(colour);
    MarkModified(state_.carSet(), "Pit crew colour");
    paintPreview();
}

void PitCrewPage::previewClicked(const QPoint& position, Qt::MouseButton button, bool twice) {
    if (!paintable_ || !preview_->hasImage()) {
        ui_.beep();
        return;
    }
    const QSize size = preview_->area().size();
    const auto area = PitCrewAreaAt(unpainted_, position.x(), position.y(), size.width(), size.height());
    if (!area) {
        if (twice) {
            return;
        }
        if (button == Qt::LeftButton) {
            ui_.beep();
        } else {
            const QSize zoom(size.width() * 19 / 10, size.height() * 19 / 10);
            ZoomWindow window(QPixmap::fromImage(preview_->image()), QRect(QPoint(0, 0), kPreview),
                              preview_->mapToGlobal(position + preview_->area().topLeft()), zoom, this);
            window.exec();
        }
        return;
    }
    if (*area != currentArea()) {
        // A double click makes another area current; a single click there does nothing.
        if (twice) {
            chooseArea(*area);
        }
        return;
    }
    const int colour = colours()[static_cast<std::size_t>(currentArea())];
    setColour(button == Qt::LeftButton ? NextCycleColour(colour) : PreviousCycleColour(colour));
}

void PitCrewPage::paletteClicked(const QPoint& position) {
    if (!paintable_) {
        ui_.beep();
        return;
    }
    const auto cell = PickPaletteCell(position.x(), position.y(), palette_->width(), palette_->height());
    if (!cell) {
        ui_.beep();
        return;
    }
    setColour(*cell);
}

void PitCrewPage::copyTemplate() {
    if (!paintable_) {
        return;
    }
    PackedBitmap copied;
    if (!PartSucceeded(
            ui_, this,
            CopyPitCrewTemplate(state_.carSet(), state_.graphicEnvironment(), slot(), shownVariant(), copied),
            GraphicCommand::Generate)) {
        return;
    }
    tellDone(pictureReport(TextId::ReportPaintedTemplate));
    showChanged(std::move(copied));
}

void PitCrewPage::importColours() {
    if (!TableSucceeded(ui_, this, ImportCrewColours(state_.carSet(), state_.game(), state_.exeStatus(), slot()),
                        GraphicCommand::Import)) {
        return;
    }
    tellDone(DataReport(TextId::ReportImported, TextId::ReportCrewColours));
    paintPreview();
}

void PitCrewPage::exportColours() {
    if (!TableSucceeded(ui_, this, ExportCrewColours(state_.carSet(), state_.game(), state_.exeStatus(), slot()),
                        GraphicCommand::Export)) {
        return;
    }
    tellDone(DataReport(TextId::ReportExported, TextId::ReportCrewColours));
    ui_.information(this, T(TextId::FilePatchedSuccessfully));
}

Error PitCrewPage::runImport(PackedBitmap& image) {
    return ImportPitCrew(state_.carSet(), state_.graphicEnvironment(), slot(), shownVariant(), half(), this->image(),
                         image);
}

Error PitCrewPage::runExport() {
    return ExportPitCrew(state_.graphicEnvironment(), slot(), shownVariant(), half(), image());
}

Error PitCrewPage::runLoad(const std::filesystem::path& path, PackedBitmap& image) {
    return LoadPitCrew(state_.carSet(), state_.graphicEnvironment(), slot(), shownVariant(), half(), this->image(),
                       path, image);
}

WantedPicture PitCrewPage::wantedPicture() const { return WantedPitCrewPicture(shownVariant(), half()); }

Error PitCrewPage::runSaveAs(const std::filesystem::path& path) {
    return SavePitCrewAs(image(), slot(), shownVariant(), half(), path);
}

void PitCrewPage::refreshOwnControls() {
    if (preview_ != nullptr) {
        paintPreview();
    }
}

void PitCrewPage::addOwnState(GraphicPageState& page) const { page.crewPaintable = paintable_; }

void PitCrewPage::applyOwnRules(const GraphicControlRules& rules) {
    importColours_->setEnabled(rules.tableTransfer);
    exportColours_->setEnabled(rules.tableTransfer);
    copy_->setEnabled(rules.copyCrewTemplate);
}

PictureZoom PitCrewPage::zoomAt(const QPoint& position) const {
    const QRect area = picture()->area();
    if (!area.contains(position)) {
        return {};
    }
    return {PictureZoom::Action::Show,
            {0, 0, kSheet.width(), kSheet.height()},
            area.width() * 21 / 10,
            area.height() * 21 / 10};
}

} // namespace tavolex::editor
