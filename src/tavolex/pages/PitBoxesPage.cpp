#include "pages/PitBoxesPage.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QVBoxLayout>

#include "app/EditorState.h"
#include "document/DisplayTexts.h"
#include "document/PitLaneStrips.h"
#include "editing/CommandMessages.h"
#include "editing/CommandReports.h"
#include "editing/PitLane.h"
#include "pages/FailureReport.h"
#include "pages/PictureView.h"
#include "pages/PitLaneList.h"
#include "widgets/GameText.h"
#include "widgets/PathText.h"
#include "widgets/Texts.h"
#include "widgets/UiServices.h"
#include "widgets/ZoomWindow.h"

namespace tavolex::editor {

using namespace Qt::StringLiterals;

namespace {

const GraphicsPageDeclaration kPitBoxes = {
    GraphicKind::PitBoxes,
    "Pit Box Graphics - (All Teams)",
    QSize(kPitBoxWidth, kPitStripCount* kPitStripRows),
    {TextId::NoSoftwareGraphic, TextId::NoHardwareGraphic},
    {TextId::OpenSoftwarePitBoxes, TextId::OpenHardwarePitBoxes},
    {TextId::SaveSoftwarePitBoxes, TextId::SaveHardwarePitBoxes},
    {"<< Generate Software", "Generate Hardware >>"},
};

} // namespace

PitBoxesPage::PitBoxesPage(EditorState& state, UiServices& ui, QWidget* parent)
    : GraphicsPage(state, ui, kPitBoxes, parent) {
    QPushButton* sort = addOptionButton(u"sort"_s, tr("Sort"));
    sort->setToolTip(TipText(Tip::PitBoxOrder));
    connect(sort, &QPushButton::clicked, this, &PitBoxesPage::explainOrder);
    addSideWidget(makeStripGroup());
    addSideWidget(makeLaneGroup());
    picture()->setOutlines([this](bool blink) { return outlines(blink); });
    picture()->setBlinking(true);
    connect(picture(), &PictureView::doubleClicked, this, &PitBoxesPage::swapStrip);
    start();
}

QWidget* PitBoxesPage::makeStripGroup() {
    auto* group = new QGroupBox(tr("Pit Box Graphic"), this);
    teamName_ = new QLabel(group);
    teamName_->setObjectName(u"stripTeam"_s);
    strip_ = new PictureView(group);
    strip_->setObjectName("strip");
    const QSize stripSize(kPitBoxWidth, kPitStripRows);
    strip_->setSheetSize(stripSize);
    strip_->setFixedSize(PictureView::sizeForPicture(stripSize));
    connect(strip_, &PictureView::rightClicked, this, &PitBoxesPage::zoomStrip);
    auto* load = new QPushButton(tr("Load"), group);
    load->setObjectName(u"loadStrip"_s);
    connect(load, &QPushButton::clicked, this, &PitBoxesPage::loadStrip);
    auto* save = new QPushButton(tr("Save as..."), group);
    save->setObjectName(u"saveStrip"_s);
    connect(save, &QPushButton::clicked, this, &PitBoxesPage::saveStripAs);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(teamName_, 1);
    buttons->addWidget(load);
    buttons->addWidget(save);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(strip_);
    layout->addLayout(buttons);
    return group;
}

QWidget* PitBoxesPage::makeLaneGroup() {
    auto* group = new QGroupBox(tr("Pit Lane Order"), this);
    list_ = new PitLaneList(group);
    list_->setObjectName(u"pitLane"_s);
    connect(list_, &PitLaneList::itemMoved, this, &PitBoxesPage::moveItem);
    auto* import = new QPushButton(tr("Import"), group);
    import->setObjectName(u"importOrder"_s);
    connect(import, &QPushButton::clicked, this, &PitBoxesPage::importOrder);
    auto* exportButton = new QPushButton(tr("Export"), group);
    exportButton->setObjectName(u"exportOrder"_s);
    connect(exportButton, &QPushButton::clicked, this, &PitBoxesPage::exportOrder);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(import);
    buttons->addWidget(exportButton);
    buttons->addStretch();
    auto* lane = new QVBoxLayout;
    lane->addWidget(new QLabel(tr("  PIT LANE ENTRANCE"), group));
    lane->addWidget(list_);
    lane->addWidget(new QLabel(tr("  PIT LANE EXIT"), group));
    auto* layout = new QHBoxLayout(group);
    layout->addLayout(lane, 1);
    layout->addLayout(buttons);
    return group;
}

int PitBoxesPage::currentStrip() const {
    return PitStripOf(PitPositionsOf(state_.carSet())[static_cast<std::size_t>(state_.currentTeam())]);
}

void PitBoxesPage::fillList() {
    list_->setUpdatesEnabled(false);
    list_->clear();
    const auto order = PitLaneOrder(PitPositionsOf(state_.carSet()));
    for (int team : order) {
        const auto& record = state_.carSet().teams[static_cast<std::size_t>(team)];
        auto* item = new QListWidgetItem(FromGameText(TeamButtonLabel(record)), list_);
        item->setData(Qt::UserRole, team);
    }
    selectTeam(state_.currentTeam());
    list_->setUpdatesEnabled(true);
}

void PitBoxesPage::selectTeam(int team) {
    for (int row = 0; row < list_->count(); ++row) {
        if (list_->item(row)->data(Qt::UserRole).toInt() == team) {
            list_->setCurrentRow(row);
        }
    }
}

void PitBoxesPage::refreshOwnControls() {
    const auto& team = state_.carSet().teams[static_cast<std::size_t>(state_.currentTeam())];
    teamName_->setText(FromGameText(TeamButtonLabel(team)));
    fillList();
    strip_->setImage(image().empty() ? PackedBitmap() : PitStrip(image(), currentStrip()));
    picture()->update();
}

void PitBoxesPage::applyOwnRules(const GraphicControlRules& rules) {
    strip_->setNote(rules.note == PictureNote::None ? QString() : picture()->note());
    // A strip is saved as the whole picture is: from a picture in the slot.
    button(u"saveStrip"_s)->setEnabled(rules.saveAs);
    button(u"importOrder"_s)->setEnabled(rules.tableTransfer);
    button(u"exportOrder"_s)->setEnabled(rules.tableTransfer);
}

void PitBoxesPage::moveItem(int from, int target) {
    // The dragged team stays selected where it landed, and the list where it was scrolled to.
    const QListWidgetItem* dragged = list_->item(from);
    const int team = dragged != nullptr ? dragged->data(Qt::UserRole).toInt() : state_.currentTeam();
    const int scrolled = list_->verticalScrollBar()->value();
    const auto keepView = qScopeGuard([this, team, scrolled] {
        selectTeam(team);
        list_->verticalScrollBar()->setValue(scrolled);
    });
    const auto positions = MovePitLaneItem(PitPositionsOf(state_.carSet()), from, target);
    PackedBitmap picture = image();
    const auto error =
        ApplyPitPositions(state_.carSet(), state_.graphicEnvironment(), shownVariant(), positions, picture);
    if (Ok(error) && !picture.empty()) {
        showChanged(std::move(picture));
        return;
    }
    // Without a picture only the order changed; after a failure the list shows the old one again.
    refreshOwnControls();
}

void PitBoxesPage::importOrder() {
    PackedBitmap picture = image();
    if (!TableSucceeded(
            ui_, this,
            ImportPitLaneOrder(state_.carSet(), state_.graphicEnvironment(), state_.game(), shownVariant(), picture),
            GraphicCommand::Import)) {
        return;
    }
    state_.tellDone(DataReport(TextId::ReportImported, TextId::ReportPitLaneOrder));
    if (!picture.empty()) {
        showChanged(std::move(picture));
    } else {
        refreshOwnControls();
    }
}

void PitBoxesPage::exportOrder() {
    if (!TableSucceeded(ui_, this, ExportPitLaneOrder(state_.game(), PitPositionsOf(state_.carSet())),
                        GraphicCommand::Export)) {
        return;
    }
    state_.tellDone(DataReport(TextId::ReportExported, TextId::ReportPitLaneOrder));
    ui_.information(this, T(TextId::FilePatchedSuccessfully));
}

void PitBoxesPage::loadStrip() {
    const TextId title = shownVariant() == Variant::Software ? TextId::OpenSoftwarePitBox : TextId::OpenHardwarePitBox;
    const QString path = ui_.openFile(this, T(title), T(TextId::BitmapFilter));
    if (path.isEmpty()) {
        return;
    }
    PackedBitmap picture = image();
    if (!ui_.loaded(this,
                    LoadPitStrip(state_.carSet(), state_.graphicEnvironment(), shownVariant(), currentStrip(),
                                 ToPath(path), picture),
                    path, {GraphicKind::PitBoxes, shownVariant(), kPitBoxWidth, kPitStripRows})) {
        return;
    }
    tellDone(signReport(TextId::ReportLoaded, ToPath(path)));
    showChanged(std::move(picture));
}

std::string PitBoxesPage::signReport(TextId report, const std::filesystem::path& file) const {
    return NamedReport(report, PitBoxSignName(state_.carSet(), state_.currentTeam()), file);
}

void PitBoxesPage::saveStripAs() {
    if (image().empty()) {
        return;
    }
    const TextId title = shownVariant() == Variant::Software ? TextId::SaveSoftwarePitBox : TextId::SaveHardwarePitBox;
    const QString path = ui_.saveFile(this, T(title), T(TextId::BitmapFilter), u"BMP"_s);
    if (path.isEmpty() || !ui_.replace(this, path)) {
        return;
    }
    if (!PartSucceeded(ui_, this, SavePitStripAs(image(), currentStrip(), ToPath(path)), GraphicCommand::Save)) {
        return;
    }
    tellDone(signReport(TextId::ReportSavedAs, ToPath(path)));
}

void PitBoxesPage::explainOrder() {
    ui_.explain(this, T(TextId::PitBoxOrderCaption), T(TextId::PitBoxOrderExplanation));
}

void PitBoxesPage::swapStrip(const QPoint& position) {
    const QRect area = picture()->area();
    if (image().empty() || !area.contains(position)) {
        return;
    }
    const int clicked = (position.y() - area.top()) * kPitStripCount / area.height();
    if (clicked == currentStrip()) {
        ui_.beep();
        return;
    }
    PackedBitmap picture = image();
    if (!PartSucceeded(ui_, this,
                       SwapPitStrips(state_.carSet(), state_.graphicEnvironment(), shownVariant(), clicked,
                                     currentStrip(), picture),
                       GraphicCommand::Save)) {
        return;
    }
    showChanged(std::move(picture));
}

std::vector<QRect> PitBoxesPage::outlines(bool blink) const {
    if (!blink || !picture()->hasImage()) {
        return {};
    }
    // A pixel inside the current strip, so the outline leaves its neighbours' edges in sight.
    const QRect strip(0, kPitStripRows * currentStrip(), kPitBoxWidth, kPitStripRows);
    return {picture()->areaRectOf(strip).adjusted(1, 1, -1, -1)};
}

PictureZoom PitBoxesPage::zoomAt(const QPoint& position) const {
    return PitBoxZoom(pictureArea(), kPitBoxes.displaySheet.height(), position.x(), position.y());
}

void PitBoxesPage::zoomStrip(const QPoint& position) {
    if (!strip_->hasImage()) {
        ui_.beep();
        return;
    }
    const QRect area = strip_->area();
    const PictureZoom zoom =
        PitBoxZoom({area.left(), area.top(), area.left() + area.width(), area.top() + area.height()}, kPitStripRows,
                   position.x(), position.y());
    if (zoom.action != PictureZoom::Action::Show) {
        return;
    }
    ZoomWindow window(QPixmap::fromImage(strip_->image()), QRect(0, 0, kPitBoxWidth, kPitStripRows),
                      strip_->mapToGlobal(position), QSize(zoom.width, zoom.height), this);
    window.exec();
}

} // namespace tavolex::editor
