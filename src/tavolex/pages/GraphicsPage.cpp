#include "pages/GraphicsPage.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/EditorState.h"
#include "document/LazyGraphics.h"
#include "editing/CommandReports.h"
#include "pages/CommandButtons.h"
#include "pages/FailureReport.h"
#include "pages/PictureView.h"
#include "pages/ShownPicture.h"
#include "widgets/PathText.h"
#include "widgets/Texts.h"
#include "widgets/UiServices.h"
#include "widgets/ZoomWindow.h"

namespace tavolex::editor {

using namespace Qt::StringLiterals;

GraphicsPage::GraphicsPage(EditorState& state, UiServices& ui, const GraphicsPageDeclaration& declaration,
                           QWidget* parent)
    : QWidget(parent), state_(state), ui_(ui), declaration_(declaration) {
    auto* pictureGroup = new QGroupBox(tr(declaration.groupTitle), this);
    view_ = new PictureView(pictureGroup);
    view_->setObjectName(u"picture"_s);
    view_->setSheetSize(declaration.displaySheet);
    // One screen pixel per texture pixel: the picture stays crisp and true.
    view_->setFixedSize(PictureView::sizeForPicture(declaration.displaySheet));
    pictureLayout_ = new QVBoxLayout(pictureGroup);
    pictureLayout_->addWidget(view_, 0, Qt::AlignCenter);
    connect(view_, &PictureView::rightClicked, this, &GraphicsPage::rightClicked);
    connect(view_, &PictureView::pictureDropped, this, &GraphicsPage::loadPath);

    side_ = new QVBoxLayout;
    side_->addWidget(makeVariantGroup());
    side_->addWidget(makeOptionsGroup());
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(pictureGroup, 0, Qt::AlignTop);
    layout->addLayout(side_, 1);

    connect(&state_, &EditorState::teamChanged, this, &GraphicsPage::teamChanged);
    connect(&state_, &EditorState::dataChanged, this, &GraphicsPage::dataChanged);
    // A save moves the pictures into the car set file: the same pictures, other sources.
    connect(&state_, &EditorState::carSetSaved, this, &GraphicsPage::showImage);
    connect(&state_, &EditorState::exeStatusChanged, this, &GraphicsPage::applyControlRules);
}

QWidget* GraphicsPage::makeVariantGroup() {
    auto* group = new QGroupBox(tr("Graphic Type"), this);
    auto* choice = new QButtonGroup(group);
    auto* radios = new QHBoxLayout;
    const char* labels[] = {"Software", "Hardware"};
    for (Variant variant : {Variant::Software, Variant::Hardware}) {
        auto* radio = new QRadioButton(tr(labels[VariantSlot(variant)]), group);
        radio->setObjectName(variant == Variant::Software ? u"software"_s : u"hardware"_s);
        choice->addButton(radio);
        radios->addWidget(radio);
        connect(radio, &QRadioButton::clicked, this, [this, variant] { chooseVariant(variant); });
        variantButtons_[VariantSlot(variant)] = radio;
    }
    auto* toSoftware = new QPushButton(tr(declaration_.generateTexts[0]), group);
    toSoftware->setObjectName(u"generateSoftware"_s);
    toSoftware->setToolTip(TipText(Tip::GenerateSoftware));
    connect(toSoftware, &QPushButton::clicked, this, [this] { generate(Variant::Software); });
    auto* toHardware = new QPushButton(tr(declaration_.generateTexts[1]), group);
    toHardware->setObjectName(u"generateHardware"_s);
    toHardware->setToolTip(TipText(Tip::GenerateHardware));
    connect(toHardware, &QPushButton::clicked, this, [this] { generate(Variant::Hardware); });
    auto* generators = new QHBoxLayout;
    generators->addWidget(toSoftware);
    generators->addWidget(toHardware);
    auto* layout = new QVBoxLayout(group);
    layout->addLayout(radios);
    layout->addLayout(generators);
    return group;
}

QWidget* GraphicsPage::makeOptionsGroup() {
    auto* group = new QGroupBox(tr("Bitmap Options"), this);
    options_ = new QVBoxLayout(group);
    auto* layout = new QHBoxLayout;
    AddPictureFileButtons(group, layout, *this);
    options_->addLayout(layout);
    return group;
}

void GraphicsPage::addPartChoice(const std::vector<PicturePart>& parts) {
    parts_ = parts;
    auto* group = options_->parentWidget();
    auto* choice = new QButtonGroup(group);
    auto* row = new QHBoxLayout;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        auto* radio = new QRadioButton(tr(parts[i].label), group);
        radio->setObjectName(u"part%1"_s.arg(i));
        choice->addButton(radio);
        row->addWidget(radio);
        const int index = static_cast<int>(i);
        connect(radio, &QRadioButton::clicked, this, [this, index] { choosePart(index); });
        partButtons_.push_back(radio);
    }
    options_->insertLayout(0, row);
    partButtons_.front()->setChecked(true);
    view_->setOutlines([this](bool blink) { return partOutline(blink); });
}

QRadioButton* GraphicsPage::partButton(int part) const {
    return part >= 0 && part < static_cast<int>(partButtons_.size()) ? partButtons_[static_cast<std::size_t>(part)]
                                                                     : nullptr;
}

void GraphicsPage::choosePart(int part) {
    if (QRadioButton* radio = partButton(part)) {
        radio->setChecked(true);
        part_ = part;
        updateBlinking();
    }
}

std::vector<QRect> GraphicsPage::partOutline(bool blink) const {
    if (!blink || part_ <= 0 || part_ >= static_cast<int>(parts_.size()) || !view_->hasImage()) {
        return {};
    }
    return {view_->areaRectOf(parts_[static_cast<std::size_t>(part_)].sheetRect)};
}

void GraphicsPage::updateBlinking() {
    if (!parts_.empty()) {
        view_->setBlinking(part_ > 0 && view_->hasImage());
    }
}

void GraphicsPage::addSideWidget(QWidget* widget) { side_->addWidget(widget); }

QPushButton* GraphicsPage::addOptionButton(const QString& name, const QString& text) {
    // Into the row of the common buttons, before "Remove", which stays last.
    auto* row = static_cast<QBoxLayout*>(options_->itemAt(0)->layout());
    auto* button = new QPushButton(text, options_->parentWidget());
    button->setObjectName(name);
    row->insertWidget(row->count() - 1, button);
    return button;
}

void GraphicsPage::setPictureNeighbours(QWidget* left, QWidget* right) {
    pictureLayout_->removeWidget(view_);
    auto* row = new QHBoxLayout;
    row->setSpacing(0);
    row->addWidget(left, 0, Qt::AlignTop);
    // The neighbours' rows begin a pixel above the picture's top, inside their own columns.
    auto* pictureColumn = new QVBoxLayout;
    pictureColumn->setSpacing(0);
    pictureColumn->addSpacing(1);
    pictureColumn->addWidget(view_, 0, Qt::AlignTop);
    pictureColumn->addStretch();
    row->addLayout(pictureColumn);
    row->addWidget(right, 0, Qt::AlignTop);
    pictureLayout_->addLayout(row);
}

void GraphicsPage::start() {
    side_->addStretch();
    variant_ = ChooseShownVariant(sourceOf(Variant::Software), sourceOf(Variant::Hardware));
    variantButtons_[VariantSlot(variant_)]->setChecked(true);
    showImage();
}

QPushButton* GraphicsPage::button(const QString& name) const { return findChild<QPushButton*>(name); }
QRadioButton* GraphicsPage::variantButton(Variant variant) const { return variantButtons_[VariantSlot(variant)]; }

int GraphicsPage::slot() const { return state_.currentTeam(); }

PixelRect GraphicsPage::pictureArea() const {
    const QRect area = view_->area();
    return {area.left(), area.top(), area.left() + area.width(), area.top() + area.height()};
}

// Memory-held pictures (the helmets) count as held by the car set while present.
GraphicSource GraphicsPage::sourceOf(Variant variant) const {
    return SourceOf(state_.carSet(), declaration_.kind, slot(), variant);
}

void GraphicsPage::showImage() {
    showChanged(FetchShownPicture(state_, ui_, this, declaration_.kind, slot(), variant_));
}

void GraphicsPage::showChanged(PackedBitmap image) {
    image_ = std::move(image);
    view_->setImage(image_);
    // After the picture: the page's own controls (the pit box strip) show parts of it.
    refreshOwnControls();
    applyControlRules();
}

void GraphicsPage::applyControlRules() {
    GraphicPageState page;
    page.shown = variant_;
    page.software = sourceOf(Variant::Software);
    page.hardware = sourceOf(Variant::Hardware);
    page.exeStatus = state_.exeStatus();
    page.hasDisplayImage = view_->hasImage();
    addOwnState(page);
    const GraphicControlRules rules = DecideGraphicControls(page);
    view_->setNote(PictureNoteText(rules.note, declaration_.noImageNote));
    EnablePictureFileButtons(this, rules);
    button(u"generateSoftware"_s)->setEnabled(rules.generateSoftware);
    button(u"generateHardware"_s)->setEnabled(rules.generateHardware);
    updateBlinking();
    applyOwnRules(rules);
}

std::string GraphicsPage::pictureReport(TextId report, const std::filesystem::path& file) const {
    return PictureReport(report, state_.carSet(), declaration_.kind, slot(), file);
}

void GraphicsPage::tellDone(const std::string& what) { state_.tellDone(what); }

bool GraphicsPage::report(GraphicCommand command, Error error) {
    return Succeeded(ui_, this, error, command, declaration_.kind, variant_);
}

void GraphicsPage::chooseVariant(Variant variant) {
    variantButtons_[VariantSlot(variant)]->setChecked(true);
    if (variant == variant_) {
        return;
    }
    variant_ = variant;
    showImage();
}

void GraphicsPage::importFromGame() {
    PackedBitmap imported;
    if (!report(GraphicCommand::Import, runImport(imported))) {
        return;
    }
    tellDone(pictureReport(TextId::ReportImported));
    showChanged(std::move(imported));
}

void GraphicsPage::exportToGame() {
    if (sourceOf(variant_) == GraphicSource::None || image_.empty()) {
        return;
    }
    if (report(GraphicCommand::Export, runExport())) {
        tellDone(pictureReport(TextId::ReportExported));
        ui_.information(this, T(TextId::FilePatchedSuccessfully));
    }
}

void GraphicsPage::loadFile() {
    const QString path =
        ui_.openFile(this, T(declaration_.openTitle[VariantSlot(variant_)]), T(TextId::GraphicsFilter));
    if (!path.isEmpty()) {
        loadPath(path);
    }
}

void GraphicsPage::loadPath(const QString& path) {
    const std::filesystem::path file = ToPath(path);
    PackedBitmap loaded;
    if (!ui_.loaded(this, runLoad(file, loaded), path, wantedPicture())) {
        return;
    }
    tellDone(pictureReport(TextId::ReportLoaded, file));
    showChanged(std::move(loaded));
}

void GraphicsPage::saveFileAs() {
    if (sourceOf(variant_) == GraphicSource::None || image_.empty()) {
        return;
    }
    const QString path =
        ui_.saveFile(this, T(declaration_.saveTitle[VariantSlot(variant_)]), T(TextId::BitmapFilter), u"BMP"_s);
    if (path.isEmpty() || !ui_.replace(this, path)) {
        return;
    }
    if (report(GraphicCommand::Save, runSaveAs(ToPath(path)))) {
        tellDone(pictureReport(TextId::ReportSavedAs, ToPath(path)));
    }
}

Error GraphicsPage::runImport(PackedBitmap& image) {
    return ImportGraphic(state_.carSet(), state_.graphicEnvironment(), declaration_.kind, slot(), variant_, image);
}

Error GraphicsPage::runExport() {
    return ExportGraphic(state_.graphicEnvironment(), declaration_.kind, slot(), variant_, image_);
}

WantedPicture GraphicsPage::wantedPicture() const { return {declaration_.kind, variant_}; }

Error GraphicsPage::runLoad(const std::filesystem::path& path, PackedBitmap& image) {
    return LoadGraphic(state_.carSet(), state_.graphicEnvironment(), declaration_.kind, slot(), variant_, path, image);
}

Error GraphicsPage::runSaveAs(const std::filesystem::path& path) { return SaveGraphicAs(image_, path); }

void GraphicsPage::removePicture() {
    if (sourceOf(variant_) == GraphicSource::None || !ui_.question(this, T(TextId::RemoveBitmapQuestion))) {
        return;
    }
    RemoveGraphic(state_.carSet(), declaration_.kind, slot(), variant_);
    tellDone(pictureReport(TextId::ReportRemoved));
    showImage();
}

void GraphicsPage::generate(Variant target) {
    if (target == variant_) {
        return;
    }
    PackedBitmap generated;
    if (!report(GraphicCommand::Generate, GenerateGraphic(state_.carSet(), state_.graphicEnvironment(),
                                                          declaration_.kind, slot(), target, image_, generated))) {
        return;
    }
    tellDone(GeneratedReport(declaration_.kind, target));
    // The page moves to the new picture as if its button had been clicked.
    variantButtons_[VariantSlot(target)]->setChecked(true);
    variant_ = target;
    showChanged(std::move(generated));
}

void GraphicsPage::teamChanged() {
    leavingTeam();
    showImage();
}

void GraphicsPage::dataChanged() {
    const Variant chosen = ChooseShownVariant(sourceOf(Variant::Software), sourceOf(Variant::Hardware));
    variantButtons_[VariantSlot(chosen)]->setChecked(true);
    variant_ = chosen;
    showImage();
}

void GraphicsPage::rightClicked(const QPoint& position) {
    if (!view_->hasImage() || sourceOf(variant_) == GraphicSource::None) {
        ui_.beep();
        return;
    }
    const PictureZoom zoom = zoomAt(position);
    if (zoom.action == PictureZoom::Action::Beep) {
        ui_.beep();
    } else if (zoom.action == PictureZoom::Action::Show) {
        const QRect sheet(QPoint(zoom.sheet.left, zoom.sheet.top), QPoint(zoom.sheet.right - 1, zoom.sheet.bottom - 1));
        ZoomWindow window(QPixmap::fromImage(view_->image()), sheet, view_->mapToGlobal(position),
                          QSize(zoom.width, zoom.height), this);
        window.exec();
    }
}

} // namespace tavolex::editor
