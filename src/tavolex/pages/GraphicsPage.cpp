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
#include "pages/BoxMessages.h"
#include "pages/PictureView.h"
#include "shell/PathText.h"
#include "shell/Texts.h"
#include "shell/UiServices.h"
#include "shell/ZoomWindow.h"

namespace tavolex::editor {

using namespace Qt::StringLiterals;

using tavolex::GraphicSource;
using tavolex::TextId;
using tavolex::Variant;

namespace {

constexpr int kFrameAndInset = 3; // the frame's line and the 2-pixel inset

} // namespace

GraphicsPage::GraphicsPage(EditorState& state, UiServices& ui, const GraphicsPageDeclaration& declaration,
                           QWidget* parent)
    : QWidget(parent), state_(state), ui_(ui), declaration_(declaration) {
    auto* pictureGroup = new QGroupBox(tr(declaration.groupTitle), this);
    view_ = new PictureView(pictureGroup);
    view_->setObjectName(u"picture"_s);
    view_->setSheetSize(declaration.displaySheet);
    // One screen pixel per texture pixel: the picture stays crisp and true.
    view_->setFixedSize(declaration.displaySheet + QSize(2 * kFrameAndInset, 2 * kFrameAndInset));
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
        auto* radio = new QRadioButton(tr(labels[tavolex::VariantSlot(variant)]), group);
        radio->setObjectName(variant == Variant::Software ? u"software"_s : u"hardware"_s);
        choice->addButton(radio);
        radios->addWidget(radio);
        connect(radio, &QRadioButton::clicked, this, [this, variant] { chooseVariant(variant); });
        variantButtons_[tavolex::VariantSlot(variant)] = radio;
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
    const struct {
        const char* name;
        const char* text;
        void (GraphicsPage::*slot)();
    } commands[] = {{"import", "Import", &GraphicsPage::importFromGame},
                    {"export", "Export", &GraphicsPage::exportToGame},
                    {"load", "Load", &GraphicsPage::loadFile},
                    {"saveAs", "Save as...", &GraphicsPage::saveFileAs},
                    {"remove", "Remove", &GraphicsPage::removePicture}};
    options_ = new QVBoxLayout(group);
    auto* layout = new QHBoxLayout;
    for (const auto& command : commands) {
        auto* button = new QPushButton(tr(command.text), group);
        button->setObjectName(QString::fromUtf8(command.name));
        connect(button, &QPushButton::clicked, this, command.slot);
        layout->addWidget(button);
    }
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
    // The sheet's rectangle scaled to the area the sheet is stretched over.
    const QRect area = view_->area();
    const QSize sheet = declaration_.displaySheet;
    const QRect rect = parts_[static_cast<std::size_t>(part_)].sheetRect;
    const auto x = [&](int value) { return area.left() + value * area.width() / sheet.width(); };
    const auto y = [&](int value) { return area.top() + value * area.height() / sheet.height(); };
    return {QRect(QPoint(x(rect.left()), y(rect.top())),
                  QPoint(x(rect.left() + rect.width()) - 1, y(rect.top() + rect.height()) - 1))};
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
    variant_ = tavolex::ChooseShownVariant(sourceOf(Variant::Software), sourceOf(Variant::Hardware));
    variantButtons_[tavolex::VariantSlot(variant_)]->setChecked(true);
    showImage();
}

QPushButton* GraphicsPage::button(const QString& name) const { return findChild<QPushButton*>(name); }
QRadioButton* GraphicsPage::variantButton(Variant variant) const {
    return variantButtons_[tavolex::VariantSlot(variant)];
}

int GraphicsPage::slot() const { return state_.currentTeam(); }

tavolex::PixelRect GraphicsPage::pictureArea() const {
    const QRect area = view_->area();
    return {area.left(), area.top(), area.left() + area.width(), area.top() + area.height()};
}

// Memory-held pictures (the helmets) count as held by the car set while present.
GraphicSource GraphicsPage::sourceOf(Variant variant) const {
    return tavolex::SourceOf(state_.carSet(), declaration_.kind, slot(), variant);
}

void GraphicsPage::showImage() {
    if (sourceOf(variant_) != GraphicSource::None) {
        BoxMessages messages(ui_, this);
        tavolex::PackedBitmap fetched;
        if (tavolex::FetchGraphic(state_.carSet(), state_.graphicEnvironment(), declaration_.kind, slot(), variant_,
                                  fetched, true, &messages)) {
            showFetched(std::move(fetched));
        } else {
            image_.clear();
            view_->clearImage();
        }
    }
    if (sourceOf(variant_) == GraphicSource::None) {
        image_.clear();
        view_->clearImage();
    }
    // After the picture: the page's own controls (the pit box strip) show parts of it.
    refreshOwnControls();
    applyControlRules();
}

void GraphicsPage::showFetched(tavolex::PackedBitmap image) {
    image_ = std::move(image);
    view_->setImage(image_);
}

void GraphicsPage::showChanged(tavolex::PackedBitmap image) {
    showFetched(std::move(image));
    refreshOwnControls();
    applyControlRules();
}

void GraphicsPage::applyControlRules() {
    tavolex::GraphicPageState page;
    page.shown = variant_;
    page.software = sourceOf(Variant::Software);
    page.hardware = sourceOf(Variant::Hardware);
    page.exeStatus = state_.exeStatus();
    page.hasDisplayImage = view_->hasImage();
    const tavolex::GraphicControlRules rules = tavolex::DecideGraphicControls(page);
    switch (rules.note) {
    case tavolex::PictureNote::None: view_->setNote({}); break;
    case tavolex::PictureNote::NoSoftware: view_->setNote(T(declaration_.noImageNote[0])); break;
    case tavolex::PictureNote::NoHardware: view_->setNote(T(declaration_.noImageNote[1])); break;
    case tavolex::PictureNote::UnableToDisplay: view_->setNote(T(TextId::UnableToDisplayImage)); break;
    }
    button(u"import"_s)->setEnabled(rules.importFromGame);
    button(u"export"_s)->setEnabled(rules.exportToGame);
    button(u"load"_s)->setEnabled(rules.load);
    button(u"saveAs"_s)->setEnabled(rules.saveAs);
    button(u"remove"_s)->setEnabled(rules.remove);
    button(u"generateSoftware"_s)->setEnabled(rules.generateSoftware);
    button(u"generateHardware"_s)->setEnabled(rules.generateHardware);
    updateBlinking();
    applyOwnRules(rules);
}

std::string GraphicsPage::pictureReport(TextId report, const std::filesystem::path& file) const {
    return tavolex::PictureReport(report, state_.carSet(), declaration_.kind, slot(), file);
}

void GraphicsPage::tellDone(const std::string& what) { state_.tellDone(what); }

bool GraphicsPage::report(const tavolex::Failure& failure) {
    if (failure) {
        ui_.error(this, T(*failure));
        return false;
    }
    return true;
}

void GraphicsPage::chooseVariant(Variant variant) {
    variantButtons_[tavolex::VariantSlot(variant)]->setChecked(true);
    if (variant == variant_) {
        return;
    }
    variant_ = variant;
    showImage();
}

void GraphicsPage::importFromGame() {
    tavolex::PackedBitmap imported;
    if (!report(runImport(imported))) {
        return;
    }
    tellDone(pictureReport(TextId::ReportImported));
    showChanged(std::move(imported));
}

void GraphicsPage::exportToGame() {
    if (sourceOf(variant_) == GraphicSource::None || image_.empty()) {
        return;
    }
    if (report(runExport())) {
        tellDone(pictureReport(TextId::ReportExported));
        ui_.information(this, T(TextId::FilePatchedSuccessfully));
    }
}

void GraphicsPage::loadFile() {
    const QString path =
        ui_.openFile(this, T(declaration_.openTitle[tavolex::VariantSlot(variant_)]), T(TextId::GraphicsFilter));
    if (!path.isEmpty()) {
        loadPath(path);
    }
}

void GraphicsPage::loadPath(const QString& path) {
    const std::filesystem::path file = ToPath(path);
    tavolex::PackedBitmap loaded;
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
    const QString path = ui_.saveFile(this, T(declaration_.saveTitle[tavolex::VariantSlot(variant_)]),
                                      T(TextId::BitmapFilter), u"BMP"_s);
    if (path.isEmpty() || !ui_.replace(this, path)) {
        return;
    }
    if (report(runSaveAs(ToPath(path)))) {
        tellDone(pictureReport(TextId::ReportSavedAs, ToPath(path)));
    }
}

tavolex::Failure GraphicsPage::runImport(tavolex::PackedBitmap& image) {
    return tavolex::ImportGraphic(state_.carSet(), state_.graphicEnvironment(), declaration_.kind, slot(), variant_,
                                  image);
}

tavolex::Failure GraphicsPage::runExport() {
    return tavolex::ExportGraphic(state_.graphicEnvironment(), declaration_.kind, slot(), variant_, image_);
}

tavolex::WantedPicture GraphicsPage::wantedPicture() const { return {declaration_.kind, variant_}; }

tavolex::Failure GraphicsPage::runLoad(const std::filesystem::path& path, tavolex::PackedBitmap& image) {
    return tavolex::LoadGraphic(state_.carSet(), state_.graphicEnvironment(), declaration_.kind, slot(), variant_, path,
                                image);
}

tavolex::Failure GraphicsPage::runSaveAs(const std::filesystem::path& path) {
    return tavolex::SaveGraphicAs(image_, path);
}

void GraphicsPage::removePicture() {
    if (sourceOf(variant_) == GraphicSource::None || !ui_.question(this, T(TextId::RemoveBitmapQuestion))) {
        return;
    }
    tavolex::RemoveGraphic(state_.carSet(), declaration_.kind, slot(), variant_);
    tellDone(pictureReport(TextId::ReportRemoved));
    showImage();
}

void GraphicsPage::generate(Variant target) {
    if (target == variant_) {
        return;
    }
    tavolex::PackedBitmap generated;
    if (!report(tavolex::GenerateGraphic(state_.carSet(), state_.graphicEnvironment(), declaration_.kind, slot(),
                                         target, image_, generated))) {
        return;
    }
    tellDone(tavolex::GeneratedReport(declaration_.kind, target));
    // The page moves to the new picture as if its button had been clicked.
    variantButtons_[tavolex::VariantSlot(target)]->setChecked(true);
    variant_ = target;
    showChanged(std::move(generated));
}

void GraphicsPage::teamChanged() {
    leavingTeam();
    showImage();
}

void GraphicsPage::dataChanged() {
    const Variant chosen = tavolex::ChooseShownVariant(sourceOf(Variant::Software), sourceOf(Variant::Hardware));
    variantButtons_[tavolex::VariantSlot(chosen)]->setChecked(true);
    variant_ = chosen;
    showImage();
}

void GraphicsPage::rightClicked(const QPoint& position) {
    if (!view_->hasImage() || sourceOf(variant_) == GraphicSource::None) {
        ui_.beep();
        return;
    }
    const tavolex::PictureZoom zoom = zoomAt(position);
    if (zoom.action == tavolex::PictureZoom::Action::Beep) {
        ui_.beep();
    } else if (zoom.action == tavolex::PictureZoom::Action::Show) {
        const QRect sheet(QPoint(zoom.sheet.left, zoom.sheet.top), QPoint(zoom.sheet.right - 1, zoom.sheet.bottom - 1));
        ZoomWindow window(QPixmap::fromImage(view_->image()), sheet, view_->mapToGlobal(position),
                          QSize(zoom.width, zoom.height), this);
        window.exec();
    }
}

} // namespace tavolex::editor
