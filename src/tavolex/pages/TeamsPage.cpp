#include "pages/TeamsPage.h"
#include "widgets/Eliding.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include "app/EditorState.h"
#include "editing/CommandReports.h"
#include "files/FileHelpers.h"
#include "game/GameFiles.h"
#include "game/TeamTables.h"
#include "teams/ForeignTeamData.h"
#include "teams/PerformanceFile.h"
#include "widgets/GameText.h"
#include "widgets/PathText.h"
#include "widgets/Texts.h"
#include "widgets/UiServices.h"

namespace tavolex::editor {

using namespace Qt::StringLiterals;

namespace {
constexpr int kMaxPower = 1598;
constexpr int kMaxFigure = 32767;

QString DriverLabel(const TeamRecord& team, int seat) {
    const auto& driver = team.drivers[static_cast<std::size_t>(seat)];
    return NumberedDriverName(team.carNumbers[static_cast<std::size_t>(seat)], driver.name.view()) +
           (driver.selected != 0 ? u" (S)"_s : u""_s);
}
} // namespace

TeamsPage::TeamsPage(EditorState& state, UiServices& ui, QWidget* parent) : QWidget(parent), state_(state), ui_(ui) {
    auto* left = new QVBoxLayout;
    left->addWidget(makeTeamGroup());
    left->addWidget(makeCarGroup());
    left->addStretch();
    auto* drivers = new QVBoxLayout;
    drivers->addWidget(makeDriverGroup(0));
    drivers->addWidget(makeDriverGroup(1));
    drivers->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(drivers, 1);
    connect(&state_, &EditorState::teamChanged, this, &TeamsPage::reload);
    connect(&state_, &EditorState::dataChanged, this, &TeamsPage::reload);
    connect(&state_, &EditorState::exeStatusChanged, this, &TeamsPage::applyExeStatus);
    reload();
    applyExeStatus();
}

QSlider* TeamsPage::slider(const QString& name) const { return findChild<QSlider*>(name); }
QLabel* TeamsPage::valueLabel(const QString& name) const { return findChild<QLabel*>(name + u"Value"_s); }
QPushButton* TeamsPage::button(const QString& name) const { return findChild<QPushButton*>(name); }

void TeamsPage::changed(std::string_view change) { MarkModified(state_.carSet(), change); }

QWidget* TeamsPage::makeSlider(const QString& name, const QString& label, int low, int high, int page,
                               std::function<std::int16_t&()> field, bool bhp) {
    auto* box = new QWidget(this);
    auto* slider = new QSlider(Qt::Horizontal, box);
    slider->setObjectName(name);
    slider->setRange(low, high);
    slider->setPageStep(page);
    slider->setSingleStep(1);
    auto* value = new QLabel(box);
    value->setObjectName(name + u"Value"_s);
    value->setMinimumWidth(70);
    // Every figure is signed: a negative one puts the thumb at the start and keeps its sign in the label.
    auto text = [=](int number) { return bhp ? u"%1 BHP"_s.arg(number) : QString::number(number); };
    // One rule for every slider: its (clamped) position after the action is
    // the stored value, and the car set is marked modified even when unchanged.
    connect(slider, &QSlider::actionTriggered, this, [=, this](int action) {
        if (action == QAbstractSlider::SliderNoAction || loading_) {
            return;
        }
        field() = static_cast<std::int16_t>(slider->sliderPosition());
        value->setText(text(field()));
        changed(QString(label).remove(u'&').toStdString());
    });
    sliderReloads_.push_back([=] {
        slider->setValue(field());
        value->setText(text(field()));
    });
    auto* layout = new QGridLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(label, box), 0, 0, 1, 2);
    layout->addWidget(slider, 1, 0);
    layout->addWidget(value, 1, 1);
    return box;
}

QWidget* TeamsPage::makeTeamGroup() {
    auto* group = new QGroupBox(tr("Team Settings"), this);
    auto* buttons = new QHBoxLayout;
    const struct {
        const char* name;
        const char* text;
        void (TeamsPage::*slot)();
    } commands[] = {{"import", "Import", &TeamsPage::importFromGame},
                    {"export", "Export", &TeamsPage::exportToGame},
                    {"load", "Load", &TeamsPage::loadTeamData},
                    {"saveAs", "Save as...", &TeamsPage::saveTeamData}};
    for (const auto& command : commands) {
        auto* button = new QPushButton(tr(command.text), group);
        button->setObjectName(QString::fromUtf8(command.name));
        connect(button, &QPushButton::clicked, this, command.slot);
        buttons->addWidget(button);
    }
    teamName_ = new QLineEdit(group);
    GuardGameTextBox<decltype(TeamRecord::teamName)>(teamName_, ui_);
    engineName_ = new QLineEdit(group);
    GuardGameTextBox<decltype(TeamRecord::engineName)>(engineName_, ui_);
    auto nameEdited = [this](QLineEdit* edit, auto member, std::string change) {
        connect(edit, &QLineEdit::textEdited, this, [this, member, change](const QString& text) {
            auto& field = state_.carSet().teams[static_cast<std::size_t>(state_.currentTeam())].*member;
            const std::string value = ToGameText(text).value_or(std::string(field.view()));
            if (field.view() != value) {
                field.assign(value);
                changed(change);
                state_.notifyTeamNamesChanged();
            }
        });
    };
    nameEdited(teamName_, &TeamRecord::teamName, "Team name");
    nameEdited(engineName_, &TeamRecord::engineName, "Engine name");
    auto* tyreGroup = new QButtonGroup(group);
    auto* tyreRow = new QHBoxLayout;
    for (int i = 0; i < 2; ++i) {
        auto* tyre = new Eliding<QPushButton>(group);
        // The longest tyre name the game keeps.
        tyre->setReservedCharacters(static_cast<int>(decltype(TyreRecord::name)::kCapacity));
        tyre->setObjectName(u"tyre%1"_s.arg(i));
        tyre->setCheckable(true);
        tyreGroup->addButton(tyre, i);
        tyreRow->addWidget(tyre);
        tyres_[static_cast<std::size_t>(i)] = tyre;
    }
    connect(tyreGroup, &QButtonGroup::idClicked, this, [this](int) {
        auto& team = state_.carSet().teams[static_cast<std::size_t>(state_.currentTeam())];
        const std::uint16_t type = tyres_[1]->isChecked() ? 1 : 0;
        if (team.tyreType != type) {
            team.tyreType = type;
            changed("Tyre type");
        }
    });
    auto* form = new QFormLayout;
    form->addRow(tr("Team Name"), teamName_);
    form->addRow(tr("Engine"), engineName_);
    form->addRow(tr("Tyre Type"), tyreRow);
    auto* layout = new QVBoxLayout(group);
    layout->addLayout(buttons);
    layout->addLayout(form);
    return group;
}

QWidget* TeamsPage::makeCarGroup() {
    auto* group = new QGroupBox(tr("Car Performance"), this);
    auto team = [this]() -> TeamRecord& {
        return state_.carSet().teams[static_cast<std::size_t>(state_.currentTeam())];
    };
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(makeSlider(
        u"qualifyingPower"_s, tr("Engine Power (Qualification)"), 0, kMaxPower, 5,
        [=]() -> std::int16_t& { return team().qualifyingPower; }, true));
    layout->addWidget(makeSlider(
        u"racePower"_s, tr("Engine Power (Race/Practise)"), 0, kMaxPower, 5,
        [=]() -> std::int16_t& { return team().racePower; }, true));
    layout->addWidget(makeSlider(
        u"failure"_s, tr("Probability of Failure"), 0, kMaxFigure, 10,
        [=]() -> std::int16_t& { return team().failureProbability; }, false));
    return group;
}

QWidget* TeamsPage::makeDriverGroup(int seat) {
    auto* group = new QGroupBox(seat == 0 ? tr("First Driver Settings") : tr("Second Driver Settings"), this);
    Seat& controls = seats_[static_cast<std::size_t>(seat)];
    controls.drivers = new QComboBox(group);
    controls.drivers->setObjectName(u"drivers%1"_s.arg(seat));
    controls.numbers = new QComboBox(group);
    controls.numbers->setObjectName(u"numbers%1"_s.arg(seat));
    for (int n = 0; n <= 99; ++n) {
        controls.numbers->addItem(QString::asprintf("[%.2d]", n), n);
    }
    controls.name = new QLineEdit(group);
    GuardGameTextBox<decltype(DriverRecord::name)>(controls.name, ui_);
    controls.name->setMinimumWidth(170);
    controls.selected = new QPushButton(u"S"_s, group);
    controls.selected->setToolTip(TipText(Tip::SelectedDriver));
    controls.drivers->setToolTip(TipText(Tip::DriverList));
    controls.numbers->setToolTip(TipText(Tip::CarNumber));
    controls.name->setToolTip(TipText(Tip::DriverName));
    controls.selected->setCheckable(true);
    controls.selected->setFixedWidth(32);
    auto driver = [this, seat]() -> DriverRecord& {
        return state_.carSet()
            .teams[static_cast<std::size_t>(state_.currentTeam())]
            .drivers[static_cast<std::size_t>(seat)];
    };

    // Choosing another driver swaps the whole driver record; the numbers stay with their seats.
    connect(controls.drivers, &QComboBox::activated, this, [this, seat](int entry) {
        const int own = 2 * state_.currentTeam() + seat;
        if (entry < 0 || entry == own) {
            return;
        }
        auto& teams = state_.carSet().teams;
        std::swap(teams[static_cast<std::size_t>(state_.currentTeam())].drivers[static_cast<std::size_t>(seat)],
                  teams[static_cast<std::size_t>(entry / 2)].drivers[static_cast<std::size_t>(entry % 2)]);
        changed("Swap drivers");
        reload();
    });
    connect(controls.numbers, &QComboBox::activated, this, [this, seat](int index) {
        auto& number = state_.carSet()
                           .teams[static_cast<std::size_t>(state_.currentTeam())]
                           .carNumbers[static_cast<std::size_t>(seat)];
        if (index >= 0 && number != index) {
            number = static_cast<std::uint16_t>(index);
            refillDriverLists();
            changed("Car number");
        }
    });
    connect(controls.name, &QLineEdit::textEdited, this, [this, driver](const QString& text) {
        const std::string value = ToGameText(text).value_or(std::string(driver().name.view()));
        if (driver().name.view() != value) {
            driver().name.assign(value);
            refillDriverLists();
            changed("Driver name");
        }
    });
    connect(controls.selected, &QPushButton::clicked, this, [this, driver](bool on) {
        driver().selected = on ? 1 : 0;
        refillDriverLists();
        changed("Selected driver");
    });

    auto* row = new QHBoxLayout;
    row->addWidget(controls.numbers);
    row->addWidget(controls.name, 1);
    row->addWidget(controls.selected);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(controls.drivers);
    layout->addLayout(row);
    const QString prefix = u"seat%1"_s.arg(seat);
    layout->addWidget(makeSlider(
        prefix + u"QualifyingPerformance"_s, tr("Performance (Qualification)"), 0, kMaxFigure, 10,
        [=]() -> std::int16_t& { return driver().qualifyingPerformance; }, false));
    layout->addWidget(makeSlider(
        prefix + u"QualifyingRange"_s, tr("Ability Range (Qualification)"), -kMaxFigure, kMaxFigure, 10,
        [=]() -> std::int16_t& { return driver().qualifyingRange; }, false));
    layout->addWidget(makeSlider(
        prefix + u"RacePerformance"_s, tr("Performance (Race/Practise)"), 0, kMaxFigure, 10,
        [=]() -> std::int16_t& { return driver().racePerformance; }, false));
    layout->addWidget(makeSlider(
        prefix + u"RaceRange"_s, tr("Ability Range (Race/Practise)"), -kMaxFigure, kMaxFigure, 10,
        [=]() -> std::int16_t& { return driver().raceRange; }, false));
    return group;
}

void TeamsPage::refillDriverLists() {
    const auto& teams = state_.carSet().teams;
    for (int seat = 0; seat < 2; ++seat) {
        QComboBox* list = seats_[static_cast<std::size_t>(seat)].drivers;
        const QSignalBlocker block(list);
        list->clear();
        for (const auto& team : teams) {
            list->addItem(DriverLabel(team, 0));
            list->addItem(DriverLabel(team, 1));
        }
        list->setCurrentIndex(2 * state_.currentTeam() + seat);
        // A number above 99 (from an old car set) selects nothing in the number list.
        const int number =
            teams[static_cast<std::size_t>(state_.currentTeam())].carNumbers[static_cast<std::size_t>(seat)];
        seats_[static_cast<std::size_t>(seat)].numbers->setCurrentIndex(number <= 99 ? number : -1);
    }
}

void TeamsPage::reload() {
    loading_ = true;
    const auto& carSet = state_.carSet();
    const auto& team = carSet.teams[static_cast<std::size_t>(state_.currentTeam())];
    teamName_->setText(FromGameText(team.teamName.view()));
    engineName_->setText(FromGameText(team.engineName.view()));
    for (int i = 0; i < 2; ++i) {
        tyres_[static_cast<std::size_t>(i)]->setFullText(
            FromGameText(carSet.tyres[static_cast<std::size_t>(i)].name.view()));
    }
    tyres_[team.tyreType != 0 ? 1 : 0]->setChecked(true);
    for (int seat = 0; seat < 2; ++seat) {
        const auto& driver = team.drivers[static_cast<std::size_t>(seat)];
        seats_[static_cast<std::size_t>(seat)].name->setText(FromGameText(driver.name.view()));
        seats_[static_cast<std::size_t>(seat)].selected->setChecked(driver.selected != 0);
    }
    for (const auto& reloadSlider : sliderReloads_) {
        reloadSlider();
    }
    refillDriverLists();
    loading_ = false;
}

void TeamsPage::applyExeStatus() {
    const bool allowed = AllowsGameFiles(state_.exeStatus());
    button(u"import"_s)->setEnabled(allowed);
    button(u"export"_s)->setEnabled(allowed);
}

void TeamsPage::importFromGame() {
    if (!Ok(ImportTeamData(state_.game(), state_.exeStatus(), kTeamsPageMask, state_.carSet()))) {
        ui_.error(this, T(TextId::FailedToReadGame));
        return;
    }
    state_.notifyDataChanged();
    changed("Import team data");
    state_.tellDone(DataReport(TextId::ReportImported, TextId::ReportTeamsFile));
}

void TeamsPage::exportToGame() {
    if (!Ok(ExportTeamData(state_.game(), state_.exeStatus(), kTeamsPageMask, state_.carSet()))) {
        ui_.error(this, T(TextId::FailedToPatchGame));
        return;
    }
    state_.tellDone(DataReport(TextId::ReportExported, TextId::ReportTeamsFile));
    ui_.information(this, T(TextId::FilePatchedSuccessfully));
}

void TeamsPage::loadTeamData() {
    const QString path = ui_.openFile(this, tr("Load Team/Driver Data"), tr("Team Data Files (*.TXT *.PER *.GP2)"));
    if (path.isEmpty()) {
        return;
    }
    const std::filesystem::path file = ToPath(path);
    Error error = Error::InvalidName;
    switch (FileKindOf(file)) {
    case FileKind::Text: error = ReadPerformanceFile(file, state_.carSet()); break;
    case FileKind::Performance: error = ReadPerFile(file, state_.carSet()); break;
    case FileKind::OldCarSet: error = ReadGp2CarSet(file, state_.carSet()); break;
    default: break;
    }
    if (!Ok(error)) {
        ui_.error(this, T(TextId::CouldntLoadFile));
        return;
    }
    state_.notifyDataChanged();
    changed("Load team data");
    state_.tellDone(DataReport(TextId::ReportLoaded, TextId::ReportTeamsFile, file));
}

void TeamsPage::saveTeamData() {
    const QString path =
        ui_.saveFile(this, tr("Save Team/Driver Data As..."), tr("Performance Text Files (*.TXT)"), u"TXT"_s);
    if (path.isEmpty() || !ui_.replace(this, path)) {
        return;
    }
    if (!Ok(WritePerformanceFile(ToPath(path), state_.carSet()))) {
        ui_.error(this, T(TextId::CouldntSaveFile));
        return;
    }
    state_.tellDone(DataReport(TextId::ReportSavedAs, TextId::ReportTeamsFile, ToPath(path)));
}

} // namespace tavolex::editor
