#include "pages/CarsPage.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>

#include "app/EditorState.h"
#include "editing/CommandMessages.h"
#include "editing/CommandReports.h"
#include "editing/NumberFields.h"
#include "pages/CommandButtons.h"
#include "pages/FailureReport.h"
#include "pages/PictureView.h"
#include "widgets/NumberBox.h"
#include "widgets/Texts.h"
#include "widgets/UiServices.h"

namespace tavolex::editor {

using namespace Qt::StringLiterals;

namespace {

constexpr int kMarkedOffset = 1000; // a field that has lost the focus is still the one being edited

const GraphicsPageDeclaration kCars = {
    GraphicKind::CarLivery,
    "Car Liveries",
    QSize(256, 384),
    {TextId::NoSoftwareCarImage, TextId::NoHardwareCarImage},
    {TextId::OpenSoftwareCarGraphics, TextId::OpenHardwareCarGraphics},
    {TextId::SaveSoftwareCarBitmap, TextId::SaveHardwareCarBitmap},
};

std::size_t FieldIndex(int field) {
    return static_cast<std::size_t>(IsSourceField(field) ? field - kFirstSourceField + 6
                                                         : field - kFirstDestinationField);
}

} // namespace

CarsPage::CarsPage(EditorState& state, UiServices& ui, QWidget* parent) : GraphicsPage(state, ui, kCars, parent) {
    shownTeam_ = state_.currentTeam();
    addSideWidget(makeNumberGroup());
    picture()->setOutlines([this](bool blink) { return outlines(blink); });
    start();
}

CarsPage::~CarsPage() {
    // Focus events sent while the children go must not reach a half-destroyed page.
    for (QWidget* child : findChildren<QWidget*>()) {
        child->removeEventFilter(this);
    }
    // What was typed last is kept, even when the field never lost the focus.
    storeFields();
}

QWidget* CarsPage::makeNumberGroup() {
    numberGroup_ = new QGroupBox(tr("Car Number Positions"), this);
    auto* grid = new QGridLayout;
    auto label = [&](const char* text, int row, int column) {
        grid->addWidget(new QLabel(tr(text), numberGroup_), row, column);
    };
    label("Source", 0, 0);
    const char* sourceHeads[] = {"X", "Y", "W", "H"};
    for (int column = 0; column < 4; ++column) label(sourceHeads[column], 0, column + 1);
    const char* sides[] = {"Left ", "Front ", "Right "};
    label("Dest", 4, 0);
    label("X", 4, 1);
    label("Y", 4, 2);
    // Three digits, nothing else: values are positions in the 256 x 384 sheet.
    auto* digits = new QRegularExpressionValidator(QRegularExpression(u"[0-9]{0,3}"_s), numberGroup_);
    auto makeField = [&](int field, int row, int column) {
        auto* edit = new QLineEdit(numberGroup_);
        edit->setObjectName(u"field%1"_s.arg(field));
        edit->setToolTip(RangeTip(0, NumberFieldLimit(field)));
        edit->setMaxLength(3);
        edit->setValidator(digits);
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(u"0000"_s) + 12);
        edit->installEventFilter(this);
        fieldOf_.insert(edit, field);
        connect(edit, &QLineEdit::textEdited, this, [this, edit, field](const QString& text) {
            ShowLargestAtOnce(edit, text.toLongLong(), NumberFieldLimit(field));
            storeFields();
            MarkModified(state_.carSet(), "Number positions");
            picture()->update();
        });
        fields_[FieldIndex(field)] = edit;
        grid->addWidget(edit, row, column);
    };
    for (int side = 0; side < 3; ++side) {
        label(sides[side], side + 1, 0);
        label(sides[side], side + 5, 0);
        for (int part = 0; part < 4; ++part) makeField(kFirstSourceField + 4 * side + part, side + 1, part + 1);
        for (int part = 0; part < 2; ++part) makeField(kFirstDestinationField + 2 * side + part, side + 5, part + 1);
    }
    label("Car", 0, 5);
    for (int car = 0; car < 2; ++car) {
        auto* radio = new QRadioButton(numberGroup_);
        radio->setObjectName(u"car%1"_s.arg(car));
        radio->setToolTip(TipText(Tip::NumbersOfCar));
        radio->installEventFilter(this);
        connect(radio, &QRadioButton::clicked, this, [this, car] { selectCar(car); });
        carButtons_[static_cast<std::size_t>(car)] = radio;
        grid->addWidget(radio, car + 1, 5);
    }
    grid->setColumnMinimumWidth(5, 60);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : AddCommandButtons(numberGroup_, buttons,
                                                 {{"importNumbers", "Import", [this] { importNumbers(); }},
                                                  {"exportNumbers", "Export", [this] { exportNumbers(); }}})) {
        button->installEventFilter(this);
    }
    auto* layout = new QVBoxLayout(numberGroup_);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    return numberGroup_;
}

QLineEdit* CarsPage::numberField(int field) const {
    return IsNumberField(field) ? fields_[FieldIndex(field)] : nullptr;
}

void CarsPage::fillFields() {
    const TeamRecord& team = state_.carSet().teams[static_cast<std::size_t>(shownTeam_)];
    const bool blank = team.livery[0].source == GraphicSource::None && team.livery[1].source == GraphicSource::None;
    filling_ = true;
    for (int field = kFirstDestinationField; field <= kLastSourceField; ++field) {
        if (QLineEdit* edit = numberField(field)) {
            edit->setText(blank ? QString() : QString::number(NumberFieldValue(team, car_, field)));
        }
    }
    filling_ = false;
    for (int car = 0; car < 2; ++car) {
        carButtons_[static_cast<std::size_t>(car)]->setText(
            QString::asprintf("[%.2d]", team.carNumbers[static_cast<std::size_t>(car)]));
    }
    carButtons_[static_cast<std::size_t>(car_)]->setChecked(true);
}

void CarsPage::storeFields() {
    TeamRecord& team = state_.carSet().teams[static_cast<std::size_t>(shownTeam_)];
    // A team without a livery shows its fields blank: blanks that stand for
    // nothing must not overwrite its stored positions.
    if (team.livery[0].source == GraphicSource::None && team.livery[1].source == GraphicSource::None) {
        return;
    }
    for (int field = kFirstDestinationField; field <= kLastSourceField; ++field) {
        if (QLineEdit* edit = numberField(field)) {
            // Read as an unsigned number: an emptied field is 0.
            StoreNumberField(team, car_, field, edit->text().toULongLong());
        }
    }
}

void CarsPage::leavingTeam() {
    storeFields();
    shownTeam_ = state_.currentTeam();
}

void CarsPage::refreshOwnControls() {
    shownTeam_ = state_.currentTeam();
    fillFields();
}

void CarsPage::applyOwnRules(const GraphicControlRules& rules) {
    numberGroup_->setEnabled(rules.numberFields);
    findChild<QPushButton*>(u"importNumbers"_s)->setEnabled(rules.numberTransfer);
    findChild<QPushButton*>(u"exportNumbers"_s)->setEnabled(rules.numberTransfer);
}

void CarsPage::selectCar(int car) {
    carButtons_[static_cast<std::size_t>(car)]->setChecked(true);
    if (car == car_) {
        return;
    }
    storeFields();
    car_ = car;
    fillFields();
    picture()->update();
}

void CarsPage::importNumbers() {
    if (!TableSucceeded(ui_, this,
                        ImportNumberPositions(state_.carSet(), state_.game(), state_.exeStatus(), shownTeam_),
                        GraphicCommand::Import)) {
        return;
    }
    state_.tellDone(DataReport(TextId::ReportImported, TextId::ReportCarNumbers));
    fillFields();
    picture()->update();
}

void CarsPage::exportNumbers() {
    storeFields();
    const auto& team = state_.carSet().teams[static_cast<std::size_t>(shownTeam_)];
    if (!TableSucceeded(ui_, this, ExportNumberPositions(state_.game(), state_.exeStatus(), shownTeam_, team),
                        GraphicCommand::Export)) {
        return;
    }
    state_.tellDone(DataReport(TextId::ReportExported, TextId::ReportCarNumbers));
    ui_.information(this, T(TextId::FilePatchedSuccessfully));
}

void CarsPage::setEditedField(int field) {
    editedField_ = field;
    picture()->setBlinking(IsNumberField(field));
}

bool CarsPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::FocusIn && event->type() != QEvent::FocusOut) {
        return GraphicsPage::eventFilter(watched, event);
    }
    const bool focusIn = event->type() == QEvent::FocusIn;
    if (const auto found = fieldOf_.constFind(watched); found != fieldOf_.constEnd()) {
        const int field = found.value();
        if (focusIn) {
            setEditedField(field);
        } else {
            // Leaving a field shows what was stored: a value above its limit becomes the limit.
            setEditedField(field + kMarkedOffset);
            storeFields();
            fillFields();
        }
    } else if (focusIn && editedField_ > kMarkedOffset) {
        // The car buttons and the number buttons keep the field's outline alive.
        setEditedField(editedField_ - kMarkedOffset);
    } else if (!focusIn && IsNumberField(editedField_)) {
        setEditedField(editedField_ + kMarkedOffset);
    }
    return GraphicsPage::eventFilter(watched, event);
}

std::vector<QRect> CarsPage::outlines(bool blink) const {
    if (!IsNumberField(editedField_)) {
        return {};
    }
    const auto& team = state_.carSet().teams[static_cast<std::size_t>(shownTeam_)];
    const auto outline = EditedFieldOutline(team, car_, editedField_, blink, pictureArea());
    if (!outline) {
        return {};
    }
    return {QRect(QPoint(outline->left, outline->top), QPoint(outline->right - 1, outline->bottom - 1))};
}

PictureZoom CarsPage::zoomAt(const QPoint& position) const {
    return LiveryZoom(pictureArea(), position.x(), position.y());
}

} // namespace tavolex::editor
