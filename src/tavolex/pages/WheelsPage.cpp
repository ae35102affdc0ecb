#include "pages/WheelsPage.h"
#include "widgets/Eliding.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/EditorState.h"
#include "app/RunChoice.h"
#include "pages/TyreSheetPanel.h"
#include "widgets/GameText.h"

namespace tavolex::editor {

using namespace Qt::StringLiterals;

namespace {

// The outlines of the top halves in sheet pixels and the zoom of a half, as the game's editors drew them.
// The hardware wheels, taller than any window, scroll.
const TyreSheetPanel::Sheet kSoftwareWheels = {GraphicKind::Tyre,
                                               Variant::Software,
                                               "Software and External Hardware Wheel Graphics",
                                               QSize(256, 512),
                                               {"WHEEL.BMP", "WHXX0.JAM", "WHXX1.JAM"},
                                               TextId::OpenSoftwareTyre,
                                               TextId::SaveSoftwareTyre,
                                               TextId::GraphicsFilter,
                                               QRect(2, 4, 251, 249),
                                               true,
                                               QSize(256, 256),
                                               QSizeF(2.2, 2.2)};
const TyreSheetPanel::Sheet kHardwareWheels = {GraphicKind::Tyre,
                                               Variant::Hardware,
                                               "Internal Hardware Wheel Graphics",
                                               QSize(512, 512),
                                               {"WHEEL.BMP", "WHXX0.BMP", "WHXX1.BMP"},
                                               TextId::OpenHardwareTyre,
                                               TextId::SaveHardwareTyre,
                                               TextId::BitmapFilter,
                                               QRect(4, 6, 503, 470),
                                               false,
                                               QSize(512, 480),
                                               QSizeF(3.0, 1440.0 / 512)};
const TyreSheetPanel::Sheet kTreads = {GraphicKind::Tread,
                                       Variant::Hardware,
                                       "Software and Hardware Wet Weather Tyre Treads",
                                       QSize(256, 400),
                                       {"TREAD.BMP", "TREADX1.BMP", "TREADX2.BMP"},
                                       TextId::OpenHardwareTread,
                                       TextId::SaveHardwareTread,
                                       TextId::BitmapFilter,
                                       QRect(2, 4, 251, 194),
                                       false,
                                       QSize(256, 200),
                                       QSizeF(2.2, 2.2 * 200 / 256)};

// The half choices of the two panels, for the run: the left 0-2 (both, top,
// bottom of the software wheels), the right 0-2 the hardware wheels, 3-5 the treads.
const RunChoice<int> kLeftHalves{"wheels/left", 0};
const RunChoice<int> kRightHalves{"wheels/right", 0};

bool HasWheels(const TyreRecord& tyre) {
    return tyre.tyre[0].source != GraphicSource::None || tyre.tyre[1].source != GraphicSource::None;
}

} // namespace

WheelsPage::WheelsPage(EditorState& state, UiServices& ui, QWidget* parent) : QWidget(parent), state_(state) {
    auto* types = new QGroupBox(tr("Tyre Type"), this);
    auto* group = new QButtonGroup(types);
    auto* typeRow = new QHBoxLayout(types);
    for (int type = 0; type < kTyreTypeCount; ++type) {
        auto* radio = new Eliding<QRadioButton>(types);
        // The longest tyre name the game keeps.
        radio->setReservedCharacters(static_cast<int>(decltype(TyreRecord::name)::kCapacity));
        radio->setObjectName(u"tyreType%1"_s.arg(type));
        group->addButton(radio, type);
        typeRow->addWidget(radio);
        tyreButtons_[static_cast<std::size_t>(type)] = radio;
    }
    name_ = new QLineEdit(types);
    name_->setObjectName(u"tyreName"_s);
    GuardGameTextBox<decltype(TyreRecord::name)>(name_, ui);
    typeRow->addWidget(name_, 1);
    connect(group, &QButtonGroup::idClicked, this, &WheelsPage::showTyreType);
    connect(name_, &QLineEdit::textEdited, this, &WheelsPage::nameEdited);

    left_ = new TyreSheetPanel(state_, ui, {kSoftwareWheels}, kLeftHalves.in(state_), this);
    left_->setObjectName(u"left"_s);
    right_ = new TyreSheetPanel(state_, ui, {kHardwareWheels, kTreads}, kRightHalves.in(state_), this);
    right_->setObjectName(u"right"_s);
    auto* panels = new QHBoxLayout;
    panels->addWidget(left_, 1);
    panels->addWidget(right_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(types);
    layout->addLayout(panels, 1);

    tyreType_ = -1;
    chooseTyreType();
    connect(&state_, &EditorState::dataChanged, this, &WheelsPage::dataChanged);
    connect(&state_, &EditorState::exeStatusChanged, this, &WheelsPage::applyControlRules);
    // A save moves the pictures into the car set file: the same pictures, other sources.
    connect(&state_, &EditorState::carSetSaved, this, &WheelsPage::applyControlRules);
}

void WheelsPage::chooseTyreType() {
    const auto& tyres = state_.carSet().tyres;
    const int type = !HasWheels(tyres[0]) && HasWheels(tyres[1]) ? 1 : 0;
    relabel();
    showTyreType(type);
}

void WheelsPage::showTyreType(int type) {
    tyreButtons_[static_cast<std::size_t>(type)]->setChecked(true);
    if (type == tyreType_) {
        return;
    }
    tyreType_ = type;
    right_->showTyreType(type);
    left_->showTyreType(type);
    name_->setText(FromGameText(state_.carSet().tyres[static_cast<std::size_t>(type)].name.view()));
}

void WheelsPage::relabel() {
    for (int type = 0; type < kTyreTypeCount; ++type) {
        const auto& name = state_.carSet().tyres[static_cast<std::size_t>(type)].name;
        tyreButtons_[static_cast<std::size_t>(type)]->setFullText(FromGameText(name.view()));
    }
}

void WheelsPage::nameEdited(const QString& text) {
    auto& name = state_.carSet().tyres[static_cast<std::size_t>(tyreType_)].name;
    const std::string value = ToGameText(text.left(name_->maxLength())).value_or(std::string(name.view()));
    if (name.view() == value) {
        return;
    }
    name.assign(value);
    relabel();
    MarkModified(state_.carSet(), "Tyre name");
}

void WheelsPage::dataChanged() {
    // The car set was replaced: every sheet is fetched again, whichever type shows.
    tyreType_ = -1;
    chooseTyreType();
}

void WheelsPage::applyControlRules() {
    left_->applyControlRules();
    right_->applyControlRules();
}

} // namespace tavolex::editor
