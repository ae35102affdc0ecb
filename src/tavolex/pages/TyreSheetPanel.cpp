#include "pages/TyreSheetPanel.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedLayout>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include "app/EditorState.h"
#include "document/LazyGraphics.h"
#include "editing/CommandReports.h"
#include "editing/TyreCommands.h"
#include "pages/BoxMessages.h"
#include "pages/PictureView.h"
#include "shell/PathText.h"
#include "shell/ZoomWindow.h"

namespace tavolex::editor {

using namespace Qt::StringLiterals;

using tavolex::GraphicSource;
using tavolex::TextId;

namespace {
constexpr int kFrameAndInset = 3;
constexpr int kChoicesPerSheet = 3;

QSize SheetSize(const TyreSheetPanel::Sheet& sheet) {
    return QSize(tavolex::SheetWidth(sheet.kind, sheet.variant), tavolex::SheetHeight(sheet.kind, sheet.variant));
}
} // namespace

TyreSheetPanel::TyreSheetPanel(EditorState& state, UiServices& ui, std::vector<Sheet> sheets, int& choice,
                               QWidget* parent)
    : QGroupBox(parent), state_(state), ui_(ui), sheets_(std::move(sheets)), choice_(choice) {
    auto* pictures = new QWidget(this);
    stack_ = new QStackedLayout(pictures);
    auto* group = new QButtonGroup(this);
    auto* radios = new QGridLayout;
    // Every sheet's place is as large as the largest shown at once, with room
    // for a scroll bar when a sheet is taller than that.
    const QSize frame(2 * kFrameAndInset, 2 * kFrameAndInset);
    QSize place(0, 0);
    bool scrolls = false;
    for (const Sheet& sheet : sheets_) {
        place = place.expandedTo(sheet.visibleSize + frame);
        scrolls = scrolls || SheetSize(sheet).height() > sheet.visibleSize.height();
    }
    if (scrolls)
        place.rwidth() += style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    for (std::size_t s = 0; s < sheets_.size(); ++s) {
        const Sheet& sheet = sheets_[s];
        auto* scroller = new QScrollArea(pictures);
        scroller->setFrameShape(QFrame::NoFrame);
        scroller->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        scroller->setFixedSize(place);
        auto* view = new PictureView;
        view->setObjectName(u"picture%1"_s.arg(s));
        view->setSheetSize(SheetSize(sheet));
        // One screen pixel per texture pixel: the picture stays crisp and true.
        view->setFixedSize(SheetSize(sheet) + frame);
        view->setOutlines([this, s](bool blink) { return outlines(s, blink); });
        connect(view, &PictureView::rightClicked, this, &TyreSheetPanel::rightClicked);
        connect(view, &PictureView::pictureDropped, this, &TyreSheetPanel::loadPath);
        scroller->setWidget(view);
        stack_->addWidget(scroller);
        scrollers_.push_back(scroller);
        views_.push_back(view);
        for (int c = 0; c < kChoicesPerSheet; ++c) {
            const int index = static_cast<int>(s) * kChoicesPerSheet + c;
            auto* radio = new QRadioButton(tr(sheet.choices[static_cast<std::size_t>(c)]), this);
            radio->setObjectName(u"choice%1"_s.arg(index));
            group->addButton(radio, index);
            radios->addWidget(radio, static_cast<int>(s), c);
            choices_.push_back(radio);
        }
    }
    connect(group, &QButtonGroup::idClicked, this, &TyreSheetPanel::choose);
    const struct {
        const char* name;
        const char* text;
        void (TyreSheetPanel::*slot)();
    } commands[] = {{"import", "Import", &TyreSheetPanel::importFromGame},
                    {"export", "Export", &TyreSheetPanel::exportToGame},
                    {"load", "Load", &TyreSheetPanel::loadFile},
                    {"saveAs", "Save as...", &TyreSheetPanel::saveFileAs},
                    {"remove", "Remove", &TyreSheetPanel::removePicture}};
    auto* buttons = new QHBoxLayout;
    for (const auto& command : commands) {
        auto* button = new QPushButton(tr(command.text), this);
        button->setObjectName(QString::fromUtf8(command.name));
        connect(button, &QPushButton::clicked, this, command.slot);
        buttons->addWidget(button);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pictures, 0, Qt::AlignHCenter);
    layout->addLayout(radios);
    layout->addLayout(buttons);
    layout->addStretch();
    choice_ = std::clamp(choice_, 0, static_cast<int>(choices_.size()) - 1);
    choices_[static_cast<std::size_t>(choice_)]->setChecked(true);
    stack_->setCurrentIndex(choice_ / kChoicesPerSheet);
    setTitle(tr(shownSheet().groupTitle));
    // The scroll range is known once the panel is laid out.
    QTimer::singleShot(0, this, &TyreSheetPanel::scrollToChosenHalf);
}

const TyreSheetPanel::Sheet& TyreSheetPanel::shownSheet() const {
    return sheets_[static_cast<std::size_t>(choice_ / kChoicesPerSheet)];
}

PictureView* TyreSheetPanel::picture() const { return views_[static_cast<std::size_t>(choice_ / kChoicesPerSheet)]; }

QPushButton* TyreSheetPanel::button(const QString& name) const { return findChild<QPushButton*>(name); }

tavolex::SheetHalves TyreSheetPanel::halves() const {
    return static_cast<tavolex::SheetHalves>(choice_ % kChoicesPerSheet);
}

GraphicSource TyreSheetPanel::source() const {
    const Sheet& sheet = shownSheet();
    const tavolex::GraphicSlot* slot = tavolex::SlotOf(state_.carSet(), sheet.kind, tyreType_, sheet.variant);
    return slot != nullptr ? slot->source : GraphicSource::None;
}

void TyreSheetPanel::showTyreType(int tyreType) {
    tyreType_ = tyreType;
    reload();
}

void TyreSheetPanel::reload() {
    const Sheet& sheet = shownSheet();
    image_.clear();
    if (source() != GraphicSource::None) {
        BoxMessages messages(ui_, this);
        tavolex::PackedBitmap fetched;
        if (tavolex::FetchGraphic(state_.carSet(), state_.graphicEnvironment(), sheet.kind, tyreType_, sheet.variant,
                                  fetched, true, &messages) &&
            source() != GraphicSource::None) {
            image_ = std::move(fetched);
        }
    }
    picture()->setImage(image_);
    applyControlRules();
}

void TyreSheetPanel::show(tavolex::PackedBitmap image) {
    image_ = std::move(image);
    picture()->setImage(image_);
    applyControlRules();
}

void TyreSheetPanel::applyControlRules() {
    tavolex::GraphicPageState page;
    page.shown = tavolex::Variant::Hardware;
    page.hardware = source();
    page.exeStatus = state_.exeStatus();
    page.hasDisplayImage = picture()->hasImage();
    const tavolex::GraphicControlRules rules = tavolex::DecideGraphicControls(page);
    switch (rules.note) {
    case tavolex::PictureNote::None: picture()->setNote({}); break;
    case tavolex::PictureNote::UnableToDisplay: picture()->setNote(T(TextId::UnableToDisplayImage)); break;
    default: picture()->setNote(T(TextId::NoBitmap)); break;
    }
    button(u"import"_s)->setEnabled(rules.importFromGame);
    button(u"export"_s)->setEnabled(rules.exportToGame);
    button(u"saveAs"_s)->setEnabled(rules.saveAs);
    button(u"remove"_s)->setEnabled(rules.remove);
    // A half is outlined only while one is chosen and there is a picture to outline.
    picture()->setBlinking(halves() != tavolex::SheetHalves::Both && picture()->hasImage());
}

void TyreSheetPanel::choose(int choice) {
    choices_[static_cast<std::size_t>(choice)]->setChecked(true);
    const bool otherSheet = choice / kChoicesPerSheet != choice_ / kChoicesPerSheet;
    picture()->setBlinking(false);
    choice_ = choice;
    if (otherSheet) {
        stack_->setCurrentIndex(choice / kChoicesPerSheet);
        setTitle(tr(shownSheet().groupTitle));
        reload();
        scrollToChosenHalf();
        return;
    }
    applyControlRules();
    picture()->update();
    scrollToChosenHalf();
}

void TyreSheetPanel::scrollToChosenHalf() {
    QScrollBar* bar = scrollers_[static_cast<std::size_t>(choice_ / kChoicesPerSheet)]->verticalScrollBar();
    bar->setValue(halves() == tavolex::SheetHalves::Bottom ? bar->maximum() : bar->minimum());
}

bool TyreSheetPanel::report(const std::optional<TextId>& failure) {
    if (failure) {
        ui_.error(this, T(*failure));
        return false;
    }
    return true;
}

void TyreSheetPanel::tellDone(TextId report, const QString& path) {
    state_.tellDone(tavolex::PictureReport(report, state_.carSet(), shownSheet().kind, tyreType_, ToPath(path)));
}

void TyreSheetPanel::importFromGame() {
    const Sheet& sheet = shownSheet();
    tavolex::PackedBitmap picture = image_;
    if (report(tavolex::ImportTyreHalves(state_.carSet(), state_.graphicEnvironment(), sheet.kind, tyreType_,
                                         sheet.variant, halves(), picture))) {
        tellDone(TextId::ReportImported, {});
        show(std::move(picture));
    }
}

void TyreSheetPanel::exportToGame() {
    const Sheet& sheet = shownSheet();
    if (source() == GraphicSource::None || image_.empty()) {
        return;
    }
    if (report(tavolex::ExportTyreHalves(state_.graphicEnvironment(), sheet.kind, tyreType_, sheet.variant, halves(),
                                         image_))) {
        tellDone(TextId::ReportExported, {});
        ui_.information(this, T(TextId::FilePatchedSuccessfully));
    }
}

void TyreSheetPanel::loadFile() {
    const Sheet& sheet = shownSheet();
    const QString path = ui_.openFile(this, T(sheet.openTitle), T(sheet.filter));
    if (!path.isEmpty()) {
        loadPath(path);
    }
}

void TyreSheetPanel::loadPath(const QString& path) {
    const Sheet& sheet = shownSheet();
    tavolex::PackedBitmap picture = image_;
    if (ui_.loaded(this,
                   tavolex::LoadTyreFile(state_.carSet(), state_.graphicEnvironment(), sheet.kind, tyreType_,
                                         sheet.variant, halves(), ToPath(path), picture),
                   path, tavolex::WantedTyrePicture(sheet.kind, sheet.variant, halves()))) {
        tellDone(TextId::ReportLoaded, path);
        show(std::move(picture));
    }
}

void TyreSheetPanel::saveFileAs() {
    const Sheet& sheet = shownSheet();
    if (source() == GraphicSource::None || image_.empty()) {
        return;
    }
    const QString path = ui_.saveFile(this, T(sheet.saveTitle), T(TextId::BitmapFilter), u"BMP"_s);
    if (path.isEmpty() || !ui_.replace(this, path)) {
        return;
    }
    if (report(tavolex::SaveTyreFileAs(sheet.kind, tyreType_, sheet.variant, halves(), image_, ToPath(path)))) {
        tellDone(TextId::ReportSavedAs, path);
    }
}

void TyreSheetPanel::removePicture() {
    const Sheet& sheet = shownSheet();
    if (source() == GraphicSource::None || !ui_.question(this, T(TextId::RemoveBitmapQuestion))) {
        return;
    }
    tavolex::RemoveGraphic(state_.carSet(), sheet.kind, tyreType_, sheet.variant);
    tellDone(TextId::ReportRemoved, {});
    reload();
}

std::vector<QRect> TyreSheetPanel::outlines(std::size_t sheet, bool blink) const {
    const Sheet& shown = sheets_[sheet];
    PictureView* view = views_[sheet];
    if (static_cast<std::size_t>(choice_ / kChoicesPerSheet) != sheet || halves() == tavolex::SheetHalves::Both ||
        blink != shown.outlineWhileBlinkSet || !view->hasImage()) {
        return {};
    }
    const int v = tavolex::VariantIndex(shown.variant);
    const int sheetWidth = tavolex::KindInfo(shown.kind).width[v];
    const int sheetHeight = tavolex::KindInfo(shown.kind).height[v];
    const QRect area = view->area();
    const QRect half = shown.outline.translated(0, halves() == tavolex::SheetHalves::Bottom ? sheetHeight / 2 : 0);
    const auto x = [&](int value) { return area.left() + value * area.width() / sheetWidth; };
    const auto y = [&](int value) { return area.top() + value * area.height() / sheetHeight; };
    return {QRect(QPoint(x(half.left()), y(half.top())), QPoint(x(half.right() + 1) - 1, y(half.bottom() + 1) - 1))};
}

void TyreSheetPanel::rightClicked(const QPoint& position) {
    PictureView* view = picture();
    const QRect area = view->area();
    if (!view->hasImage() || source() == GraphicSource::None) {
        ui_.beep();
        return;
    }
    if (!area.contains(position)) {
        return;
    }
    const Sheet& sheet = shownSheet();
    const bool bottom = position.y() >= area.top() + area.height() / 2;
    const QRect region(QPoint(0, bottom ? view->image().height() / 2 : 0), sheet.zoomRegion);
    const QSize size(qRound(sheet.zoomScale.width() * area.width()), qRound(sheet.zoomScale.height() * area.width()));
    ZoomWindow window(QPixmap::fromImage(view->image()), region, view->mapToGlobal(position), size, this);
    window.exec();
}

} // namespace tavolex::editor
