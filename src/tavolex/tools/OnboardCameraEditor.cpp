#include "tools/OnboardCameraEditor.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

#include "app/EditorState.h"
#include "tools/ToolCommands.h"
#include "widgets/Texts.h"
#include "widgets/UiServices.h"

namespace tavolex::editor {

using namespace Qt::StringLiterals;

namespace {

// Each value's box, in the order the window shows them and checks them.
constexpr std::array<int, kCameraValueCount> kShownOrder = {0, 2, 1, 3, 4, 5, 6, 7, 8, 9};

TextId RangeText(int value) {
    switch (KindOfCameraValue(value)) {
    case CameraValueKind::Coordinate: return TextId::CameraCoordinateRange;
    case CameraValueKind::Angle: return TextId::CameraAngleRange;
    case CameraValueKind::Focus: break;
    }
    return TextId::CameraValueRange;
}

} // namespace

OnboardCameraEditor::OnboardCameraEditor(EditorState& state, UiServices& ui, QWidget* parent)
    : QDialog(parent), state_(state), ui_(ui), record_(DefaultCameras()) {
    setWindowTitle(tr("Onboard Camera Editor"));
    cameras_ = new QButtonGroup(this);
    auto* cameraColumn = new QVBoxLayout;
    for (int camera = 0; camera < kCameraCount; ++camera) {
        auto* button = new QPushButton(QString::asprintf("Camera [%.2d]", camera + 1), this);
        button->setObjectName(u"camera%1"_s.arg(camera));
        button->setCheckable(true);
        button->setAutoDefault(false);
        cameras_->addButton(button, camera);
        cameraColumn->addWidget(button);
    }
    cameraColumn->addStretch();
    connect(cameras_, &QButtonGroup::idClicked, this, &OnboardCameraEditor::chooseCamera);

    auto* values = new QVBoxLayout;
    values->addWidget(makeValueGroup(tr("Position"), {{0, tr("X coord.")}, {2, tr("Y coord.")}, {1, tr("Z coord.")}}));
    values->addWidget(makeValueGroup(tr("Angle (deg)"), {{3, tr("Direction")}, {4, tr("Pitch")}, {5, tr("Roll")}}));
    values->addWidget(makeValueGroup(
        tr("Focus"), {{6, tr("Detail 1")}, {7, tr("Detail 2")}, {8, tr("Unknown 1")}, {9, tr("Unknown 2")}}));
    values->addStretch();

    auto* commands = new QVBoxLayout;
    AddToolCommands(this, commands,
                    {[this] { importFromGame(); }, [this] { exportToGame(); }, [this] { loadDefaults(); }},
                    AllowsExecutable(state_.exeStatus()));
    commands->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(cameraColumn);
    layout->addLayout(values, 1);
    layout->addLayout(commands);
    cameraButton(0)->setChecked(true);
    showCamera();
    button(u"close"_s)->setFocus();
    busy_ = false;
}

QPushButton* OnboardCameraEditor::cameraButton(int camera) const {
    return static_cast<QPushButton*>(cameras_->button(camera));
}

QPushButton* OnboardCameraEditor::button(const QString& name) const { return findChild<QPushButton*>(name); }

QWidget* OnboardCameraEditor::makeValueGroup(const QString& title,
                                             std::initializer_list<std::pair<int, QString>> values) {
    auto* group = new QGroupBox(title, this);
    auto* form = new QFormLayout(group);
    for (const auto& [value, label] : values) {
        const bool angle = KindOfCameraValue(value) == CameraValueKind::Angle;
        auto* edit = new QLineEdit(group);
        edit->setObjectName(u"value%1"_s.arg(value));
        edit->setToolTip(RangeTip(CameraValueLow(value), CameraValueHigh(value)));
        edit->setMaxLength(angle ? 4 : 6);
        edit->setFixedWidth(72);
        edit->setAlignment(Qt::AlignRight);
        // A small up/down scroller: only its arrows (and page steps) count.
        auto* stepper = new QScrollBar(Qt::Vertical, group);
        stepper->setRange(-1, 1);
        stepper->setValue(0);
        stepper->setFixedSize(16, edit->sizeHint().height());
        connect(stepper, &QScrollBar::actionTriggered, this, [this, value = value, stepper](int action) {
            step(value, action);
            stepper->setSliderPosition(0);
        });
        boxes_[static_cast<std::size_t>(value)] = edit;
        steppers_[static_cast<std::size_t>(value)] = stepper;
        auto* row = new QHBoxLayout;
        row->setSpacing(0);
        row->addWidget(edit);
        row->addWidget(stepper);
        row->addStretch();
        auto* caption = new QLabel(label, group);
        caption->setMinimumWidth(80); // the boxes of all three groups in one column
        form->addRow(caption, row);
    }
    return group;
}

void OnboardCameraEditor::step(int value, int action) {
    if (busy_) {
        return;
    }
    int change = 0;
    if (action == QAbstractSlider::SliderSingleStepSub || action == QAbstractSlider::SliderPageStepSub) {
        change = 1; // the upper arrow: the number goes up
    } else if (action == QAbstractSlider::SliderSingleStepAdd || action == QAbstractSlider::SliderPageStepAdd) {
        change = -1;
    } else {
        return;
    }
    QLineEdit* edit = box(value);
    const int number = edit->text().toInt() + change;
    edit->setText(QString::number(std::clamp(number, CameraValueLow(value), CameraValueHigh(value))));
}

void OnboardCameraEditor::showCamera() {
    const CameraValues& camera = record_[static_cast<std::size_t>(shown_)];
    for (int value = 0; value < kCameraValueCount; ++value) {
        box(value)->setText(QString::number(camera[static_cast<std::size_t>(value)]));
    }
}

bool OnboardCameraEditor::validateShownCamera() {
    for (int value : kShownOrder) {
        QLineEdit* edit = box(value);
        if (edit->text().trimmed().isEmpty()) {
            edit->setText(u"0"_s);
        }
        bool number = false;
        const int typed = edit->text().trimmed().toInt(&number);
        if (!number || typed < CameraValueLow(value) || typed > CameraValueHigh(value)) {
            busy_ = true;
            ui_.error(this, T(RangeText(value)));
            cameraButton(shown_)->setChecked(true);
            edit->setFocus();
            edit->selectAll();
            busy_ = false;
            return false;
        }
    }
    return true;
}

void OnboardCameraEditor::storeShownCamera() {
    CameraValues& camera = record_[static_cast<std::size_t>(shown_)];
    for (int value = 0; value < kCameraValueCount; ++value) {
        camera[static_cast<std::size_t>(value)] = static_cast<std::int16_t>(box(value)->text().trimmed().toInt());
    }
}

void OnboardCameraEditor::chooseCamera(int camera) {
    if (busy_ || camera < 0 || camera >= kCameraCount) {
        return;
    }
    if (camera == shown_) {
        cameraButton(camera)->setChecked(true);
        return;
    }
    if (!validateShownCamera()) {
        return;
    }
    storeShownCamera();
    shown_ = camera;
    cameraButton(camera)->setChecked(true);
    showCamera();
}

void OnboardCameraEditor::importFromGame() {
    CameraRecord read = record_;
    if (!Ok(ReadGameCameras(state_.game(), state_.exeStatus(), read))) {
        ui_.error(this, T(TextId::FailedToReadGame));
        return;
    }
    record_ = read;
    showCamera();
}

void OnboardCameraEditor::exportToGame() {
    if (!validateShownCamera()) {
        return;
    }
    storeShownCamera();
    if (!Ok(WriteGameCameras(state_.game(), state_.exeStatus(), record_))) {
        ui_.error(this, T(TextId::FailedToPatchGame));
        return;
    }
    ui_.information(this, T(TextId::FilePatchedSuccessfully));
}

void OnboardCameraEditor::loadDefaults() {
    record_ = DefaultCameras();
    showCamera();
}

} // namespace tavolex::editor
