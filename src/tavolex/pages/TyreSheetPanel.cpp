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

namespace {
constexpr int kChoicesPerSheet = 3;

QSize SheetSize(const TyreSheetPanel::Sheet& sheet) {
    return QSize(SheetWidth(sheet.kind, sheet.variant), SheetHeight(sheet.kind, sheet.variant));
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
    QSize place(0, 0);
    bool scrolls = false;
    for (const Sheet& sheet : sheets_) {
        place = place.expandedTo(PictureView::sizeForPicture(sheet.visibleSize));
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
        view->setFixedSize(PictureView::sizeForPicture(SheetSize(sheet)));
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
    auto* buttons = new QHBoxLayout;
    AddPictureFileButtons(this, buttons, *this);
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

SheetHalves TyreSheetPanel::halves() const { return static_cast<SheetHalves>(choice_ % kChoicesPerSheet); }

GraphicSource TyreSheetPanel::source() const {
    const Sheet& sheet = shownSheet();
    return SourceOf(state_.carSet(), sheet.kind, tyreType_, sheet.variant);
}

void TyreSheetPanel::showTyreType(int tyreType) {
    tyreType_ = tyreType;
    reload();
}

void TyreSheetPanel::reload() {
    const Sheet& sheet = shownSheet();
    show(FetchShownPicture(state_, ui_, this, sheet.kind, tyreType_, sheet.variant));
}

void TyreSheetPanel::show(PackedBitmap image) {
    image_ = std::move(image);
    picture()->setImage(image_);
    applyControlRules();
}

void TyreSheetPanel::applyControlRules() {
    const Sheet& sheet = shownSheet();
    GraphicPageState page;
    page.shown = sheet.variant;
    (sheet.variant == Variant::Software ? page.software : page.hardware) = source();
    page.exeStatus = state_.exeStatus();
    page.hasDisplayImage = picture()->hasImage();
    page.bothVariants = false;
    const GraphicControlRules rules = DecideGraphicControls(page);
    picture()->setNote(PictureNoteText(rules.note, {TextId::NoBitmap, TextId::NoBitmap}));
    EnablePictureFileButtons(this, rules);
    // A half is outlined only while one is chosen and there is a picture to outline.
    picture()->setBlinking(halves() != SheetHalves::Both && picture()->hasImage());
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
    bar->setValue(halves() == SheetHalves::Bottom ? bar->maximum() : bar->minimum());
}

bool TyreSheetPanel::report(GraphicCommand command, Error error) { return PartSucceeded(ui_, this, error, command); }

void TyreSheetPanel::tellDone(TextId report, const QString& path) {
    state_.tellDone(PictureReport(report, state_.carSet(), shownSheet().kind, tyreType_, ToPath(path)));
}

void TyreSheetPanel::importFromGame() {
    const Sheet& sheet = shownSheet();
    PackedBitmap picture = image_;
    if (report(GraphicCommand::Import, ImportTyreHalves(state_.carSet(), state_.graphicEnvironment(), sheet.kind,
                                                        tyreType_, sheet.variant, halves(), picture))) {
        tellDone(TextId::ReportImported, {});
        show(std::move(picture));
    }
}

void TyreSheetPanel::exportToGame() {
    const Sheet& sheet = shownSheet();
    if (source() == GraphicSource::None || image_.empty()) {
        return;
    }
    if (report(GraphicCommand::Export,
               ExportTyreHalves(state_.graphicEnvironment(), sheet.kind, tyreType_, sheet.variant, halves(), image_))) {
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
    PackedBitmap picture = image_;
    if (ui_.loaded(this,
                   LoadTyreFile(state_.carSet(), state_.graphicEnvironment(), sheet.kind, tyreType_, sheet.variant,
                                halves(), ToPath(path), picture),
                   path, WantedTyrePicture(sheet.kind, sheet.variant, halves()))) {
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
    if (report(GraphicCommand::Save,
               SaveTyreFileAs(sheet.kind, tyreType_, sheet.variant, halves(), image_, ToPath(path)))) {
        tellDone(TextId::ReportSavedAs, path);
    }
}

void TyreSheetPanel::removePicture() {
    const Sheet& sheet = shownSheet();
    if (source() == GraphicSource::None || !ui_.question(this, T(TextId::RemoveBitmapQuestion))) {
        return;
    }
    RemoveGraphic(state_.carSet(), sheet.kind, tyreType_, sheet.variant);
    tellDone(TextId::ReportRemoved, {});
    reload();
}

std::vector<QRect> TyreSheetPanel::outlines(std::size_t sheet, bool blink) const {
    const Sheet& shown = sheets_[sheet];
    PictureView* view = views_[sheet];
    if (static_cast<std::size_t>(choice_ / kChoicesPerSheet) != sheet || halves() == SheetHalves::Both ||
        blink != shown.outlineWhileBlinkSet || !view->hasImage()) {
        return {};
    }
    const int halfRows = SheetSize(shown).height() / 2;
    return {view->areaRectOf(shown.outline.translated(0, halves() == SheetHalves::Bottom ? halfRows : 0))};
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
