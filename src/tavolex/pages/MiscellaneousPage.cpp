#include "pages/MiscellaneousPage.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/EditorState.h"
#include "document/MiscSettingsDefaults.h"
#include "editing/CommandReports.h"
#include "gamesettings/MiscSettingsExchange.h"
#include "widgets/GameText.h"
#include "widgets/NumberBox.h"
#include "widgets/Texts.h"
#include "widgets/UiServices.h"

namespace tavolex::editor {

using namespace Qt::StringLiterals;

namespace {

constexpr int kPointsDigits = 3;

QString Ordinal(int position) {
    const int lastDigit = position % 10;
    const bool teen = position % 100 >= 11 && position % 100 <= 13;
    const char* suffix = teen ? "th" : lastDigit == 1 ? "st" : lastDigit == 2 ? "nd" : lastDigit == 3 ? "rd" : "th";
    return QString::number(position) + QString::fromUtf8(suffix);
}

} // namespace

MiscellaneousPage::MiscellaneousPage(EditorState& state, UiServices& ui, QWidget* parent)
    : QWidget(parent), state_(state), ui_(ui) {
    auto* left = new QVBoxLayout;
    left->addWidget(makePowerGroup());
    left->addWidget(makeOppositionGroup());
    left->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 3);
    layout->addWidget(makePointsGroup(), 2, Qt::AlignTop);
    connect(&state_, &EditorState::dataChanged, this, &MiscellaneousPage::reload);
    connect(&state_, &EditorState::exeStatusChanged, this, &MiscellaneousPage::applyExeStatus);
    reload();
}

QPushButton* MiscellaneousPage::button(const QString& name) const { return findChild<QPushButton*>(name); }

void MiscellaneousPage::changed() { MarkModified(state_.carSet(), "Game settings"); }

QWidget* MiscellaneousPage::makeExchangeButtons(QWidget* parent, const QString& group,
                                                void (MiscellaneousPage::*import)(),
                                                void (MiscellaneousPage::*exportSettings)()) {
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch();
    for (const auto& [name, text, slot] :
         {std::tuple{u"Import"_s, tr("Import"), import}, std::tuple{u"Export"_s, tr("Export"), exportSettings}}) {
        auto* button = new QPushButton(text, row);
        button->setObjectName(group + name);
        connect(button, &QPushButton::clicked, this, slot);
        layout->addWidget(button);
    }
    return row;
}

QGroupBox* MiscellaneousPage::makePowerGroup() {
    auto* group = new QGroupBox(tr("Players Car Settings"), this);
    auto* buttons = new QButtonGroup(group);
    power_[0] = new QRadioButton(tr("Car Power Team Dependant"), group);
    power_[1] = new QRadioButton(tr("Car Power Fixed (GP3 default)"), group);
    buttons->addButton(power_[0], 1);
    buttons->addButton(power_[1], 0);
    connect(buttons, &QButtonGroup::idClicked, this, [this](int power) {
        auto& stored = state_.carSet().misc.playerCarPower;
        if (stored != power) {
            stored = static_cast<std::uint16_t>(power);
            changed();
        }
    });
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(new QLabel(tr("Players Car Performance"), group));
    layout->addWidget(power_[0]);
    layout->addWidget(power_[1]);
    layout->addWidget(
        makeExchangeButtons(group, u"power"_s, &MiscellaneousPage::importPower, &MiscellaneousPage::exportPower));
    return group;
}

QGroupBox* MiscellaneousPage::makeOppositionGroup() {
    auto* group = new QGroupBox(tr("Computer Controlled Car Settings"), this);
    auto* buttons = new QButtonGroup(group);
    auto* spreadRow = new QHBoxLayout;
    const QString spreadLabels[] = {tr("All the Same"), tr("Tavolex Levels*"), tr("Random")};
    for (int spread = 0; spread < 3; ++spread) {
        auto* radio = new QRadioButton(spreadLabels[spread], group);
        spread_[static_cast<std::size_t>(spread)] = radio;
        buttons->addButton(radio, spread);
        spreadRow->addWidget(radio);
    }
    spread_[1]->setToolTip(TipText(Tip::MiddleSpread));
    connect(buttons, &QButtonGroup::idClicked, this, [this](int spread) {
        auto& stored = state_.carSet().misc.oppositionSpread;
        if (stored != spread) {
            stored = static_cast<std::uint16_t>(spread);
            changed();
        }
    });
    auto* form = new QFormLayout;
    const QString nameLabels[] = {tr("English Text*"), tr("French Text*"), tr("Italian Text*"), tr("German Text*"),
                                  tr("Spanish Text*")};
    for (int language = 0; language < kLanguageCount; ++language) {
        auto* edit = new QLineEdit(group);
        edit->setObjectName(u"levelName%1"_s.arg(language));
        edit->setToolTip(TipText(Tip::LevelName));
        GuardGameTextBox<decltype(MiscSettings::levelNames)::value_type>(edit, ui_);
        connect(edit, &QLineEdit::textChanged, this, [this, language](const QString& text) {
            auto& name = state_.carSet().misc.levelNames[static_cast<std::size_t>(language)];
            const std::string value = ToGameText(text).value_or(std::string(name.view()));
            if (name.view() != value) {
                name.assign(value);
                changed();
            }
        });
        names_[static_cast<std::size_t>(language)] = edit;
        form->addRow(nameLabels[language], edit);
    }
    presets_ = new QComboBox(group);
    presets_->setObjectName(u"namePresets"_s);
    presets_->setToolTip(TipText(Tip::LevelPresets));
    presets_->addItem(tr("...Levels"));
    for (int year = kFirstPresetYear; year <= kLastPresetYear; ++year) {
        presets_->addItem(QString::fromStdString(EnglishLevelName(std::to_string(year))), year);
    }
    presets_->addItem(QString::fromStdString(EnglishLevelName("Tavolex")));
    connect(presets_, &QComboBox::activated, this, &MiscellaneousPage::choosePreset);
    form->addRow(QString(), presets_);

    auto* layout = new QVBoxLayout(group);
    layout->addWidget(new QLabel(tr("Opposition Spread"), group));
    layout->addLayout(spreadRow);
    layout->addLayout(form);
    layout->addWidget(makeExchangeButtons(group, u"opposition"_s, &MiscellaneousPage::importOpposition,
                                          &MiscellaneousPage::exportOpposition));
    return group;
}

QGroupBox* MiscellaneousPage::makePointsGroup() {
    auto* group = new QGroupBox(tr("Championship Points"), this);
    auto* grid = new QGridLayout;
    constexpr int kRows = kPointsPositions / 2;
    for (int p = 0; p < kPointsPositions; ++p) {
        auto* box = new NumberBox(kPointsDigits, kMaxPoints, group);
        box->setObjectName(u"points%1"_s.arg(p));
        box->setFixedWidth(48);
        connect(box, &NumberBox::valueTyped, this, [this, p](int value) {
            state_.carSet().misc.points[static_cast<std::size_t>(p)] = LimitPoints(value);
            changed();
        });
        points_[static_cast<std::size_t>(p)] = box;
        auto* label = new QLabel(Ordinal(p + 1), group);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setBuddy(box);
        grid->addWidget(label, p % kRows, 2 * (p / kRows));
        grid->addWidget(box, p % kRows, 2 * (p / kRows) + 1);
    }
    auto* presets = new QHBoxLayout;
    const struct {
        const char* name;
        PointsPreset preset;
        Tip tip;
    } kPresets[] = {{"F1", PointsPreset::F1, Tip::PointsF1},
                    {"CART", PointsPreset::Cart, Tip::PointsCart},
                    {"ALL", PointsPreset::All, Tip::PointsAll}};
    for (const auto& [name, preset, tip] : kPresets) {
        auto* button = new QPushButton(QString::fromUtf8(name), group);
        button->setObjectName(QString::fromUtf8(name));
        button->setToolTip(TipText(tip));
        connect(button, &QPushButton::clicked, this, [this, preset = preset] {
            state_.carSet().misc.points = PresetPoints(preset);
            reload();
            changed();
        });
        presets->addWidget(button);
    }
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(new QLabel(tr("Finishing Positions"), group));
    layout->addLayout(grid);
    layout->addLayout(presets);
    layout->addWidget(
        makeExchangeButtons(group, u"points"_s, &MiscellaneousPage::importPoints, &MiscellaneousPage::exportPoints));
    return group;
}

void MiscellaneousPage::reload() {
    const MiscSettings& misc = state_.carSet().misc;
    power_[misc.playerCarPower != 0 ? 0 : 1]->setChecked(true);
    if (misc.oppositionSpread < spread_.size()) {
        spread_[misc.oppositionSpread]->setChecked(true);
    }
    for (std::size_t language = 0; language < names_.size(); ++language) {
        const QSignalBlocker block(names_[language]);
        names_[language]->setText(FromGameText(misc.levelNames[language].view()));
    }
    for (std::size_t p = 0; p < points_.size(); ++p) {
        points_[p]->setValue(misc.points[p]);
    }
    applyExeStatus();
}

void MiscellaneousPage::applyExeStatus() {
    const bool executable = AllowsExecutable(state_.exeStatus());
    for (const QString& name : {u"powerImport"_s, u"powerExport"_s, u"pointsImport"_s, u"pointsExport"_s}) {
        button(name)->setEnabled(executable);
    }
}

void MiscellaneousPage::choosePreset(int index) {
    if (index <= 0) {
        return;
    }
    const QVariant year = presets_->itemData(index);
    const std::string filler = year.isValid() ? std::to_string(year.toInt()) : "Tavolex";
    state_.carSet().misc.levelNames = LevelNamesFilledWith(filler);
    presets_->setCurrentIndex(0);
    reload();
    changed();
}

void MiscellaneousPage::showPatched(Error error) {
    if (Ok(error)) {
        state_.tellDone(DataReport(TextId::ReportExported, TextId::ReportSettings));
        ui_.information(this, T(TextId::FilePatchedSuccessfully));
    } else {
        ui_.error(this, T(TextId::FailedToPatchGame));
    }
}

void MiscellaneousPage::importPower() {
    MiscSettings copy = state_.carSet().misc;
    if (!Ok(ReadGamePowerSwitch(state_.game(), state_.exeStatus(), copy))) {
        ui_.error(this, T(TextId::FailedToReadGame));
        return;
    }
    state_.carSet().misc.playerCarPower = copy.playerCarPower;
    reload();
    changed();
    state_.tellDone(DataReport(TextId::ReportImported, TextId::ReportSettings));
}

void MiscellaneousPage::exportPower() {
    showPatched(WriteGamePowerSwitch(state_.game(), state_.exeStatus(), state_.carSet().misc));
}

void MiscellaneousPage::importOpposition() {
    if (!Ok(ReadOppositionSettings(state_.game(), state_.carSet().misc))) {
        ui_.error(this, T(TextId::FailedToReadGame));
        return;
    }
    reload();
    changed();
    state_.tellDone(DataReport(TextId::ReportImported, TextId::ReportSettings));
}

void MiscellaneousPage::exportOpposition() {
    showPatched(WriteOppositionSettings(state_.game(), state_.carSet().misc));
}

void MiscellaneousPage::importPoints() {
    MiscSettings copy = state_.carSet().misc;
    if (!Ok(ReadGamePoints(state_.game(), state_.exeStatus(), copy))) {
        ui_.error(this, T(TextId::FailedToReadGame));
        return;
    }
    state_.carSet().misc.points = copy.points;
    reload();
    changed();
    state_.tellDone(DataReport(TextId::ReportImported, TextId::ReportSettings));
}

void MiscellaneousPage::exportPoints() {
    auto& points = state_.carSet().misc.points;
    for (std::size_t p = 0; p < points.size(); ++p) {
        points[p] = LimitPoints(points_[p]->text().toLong());
        points_[p]->setValue(points[p]);
    }
    showPatched(WriteGamePoints(state_.game(), state_.exeStatus(), state_.carSet().misc));
}

} // namespace tavolex::editor
