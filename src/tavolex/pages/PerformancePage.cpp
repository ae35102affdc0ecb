#include "pages/PerformancePage.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <array>

#include "app/EditorState.h"
#include "app/RunChoice.h"
#include "document/DisplayTexts.h"
#include "widgets/GameText.h"
#include "widgets/NumberBox.h"
#include "widgets/Texts.h"
#include "widgets/UiServices.h"

namespace tavolex::editor {

using namespace Qt::StringLiterals;

namespace {

enum View { EngineView = 0, ReliabilityView = 1, QualificationView = 2, RaceView = 3 };
constexpr int kBaseEntry[4] = {0, 2, 3, 5};
constexpr int kMaxPower = 1598;
constexpr int kMaxFigure = 32767;

constexpr int kLargestStep = 1000;

// What the page remembers for the run.
struct PerformanceChoices {
    int view = -1;          // 0 Engine BHP, 1 Reliability, 2 Qualification, 3 Race; -1 before the first opening
    int calculatorMode = 0; // 0 Qualification, 1 Race
    std::array<std::array<int, 3>, 7> steps{}; // minimum, average, maximum step per Quick Edit entry
    std::array<int, 4> modes{};                // the Quick Edit mode of each view
};
const RunChoice<PerformanceChoices> kChoices{"performance", {}};

int ReadNumber(const QString& text, bool isSigned) {
    // Text that does not read as a number (a lone "-") counts as 0.
    bool ok = false;
    const long long value = text.trimmed().toLongLong(&ok);
    if (!ok || (!isSigned && value < 0)) {
        return 0;
    }
    return static_cast<int>(std::clamp<long long>(value, -1000000, 1000000));
}

} // namespace

PerformancePage::PerformancePage(EditorState& state, UiServices& ui, QWidget* parent)
    : QWidget(parent), state_(state), ui_(ui) {
    auto& memory = kChoices.in(state_);
    if (memory.view < 0) {
        memory.view = QualificationView;
        for (int e = 0; e < 7; ++e) {
            const int step = RangeOf(static_cast<QuickEditEntry>(e)).initialStep;
            memory.steps[static_cast<std::size_t>(e)] = {step, step, step};
        }
    }
    auto* right = new QVBoxLayout;
    right->addWidget(makeQuickEditGroup());
    right->addWidget(makeCalculatorGroup(), 1);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(makeEditorGroup(), 3);
    layout->addLayout(right, 2);
    connect(&state_, &EditorState::dataChanged, this, &PerformancePage::reload);
    showView(memory.view);
}

PerformancePage::~PerformancePage() {
    // A cell that loses the focus while the page goes would store into a half-destroyed page.
    for (auto& row : cells_) {
        for (QLineEdit* cell : row) {
            disconnect(cell, nullptr, this, nullptr);
        }
    }
    for (QLineEdit* step : steps_) {
        disconnect(step, nullptr, this, nullptr);
    }
}

QWidget* PerformancePage::makeEditorGroup() {
    auto* group = new QGroupBox(tr("Performance Editor"), this);
    auto* viewRow = new QGridLayout;
    viewRow->addWidget(new QLabel(tr("Car Performance"), group), 0, 0, 1, 2);
    viewRow->addWidget(new QLabel(tr("Driver Performance"), group), 0, 2, 1, 2);
    const char* labels[4] = {"Engine BHP", "Reliability", "Qualification", "Race"};
    auto* viewGroup = new QButtonGroup(group);
    for (int v = 0; v < 4; ++v) {
        views_[static_cast<std::size_t>(v)] = new QRadioButton(tr(labels[v]), group);
        viewGroup->addButton(views_[static_cast<std::size_t>(v)], v);
        viewRow->addWidget(views_[static_cast<std::size_t>(v)], 1, v);
    }
    connect(viewGroup, &QButtonGroup::idClicked, this, [this](int view) {
        if (view != kChoices.get(state_).view)
            showView(view);
    });
    auto* table = new QGridLayout;
    for (int c = 0; c < 4; ++c) {
        headers_[static_cast<std::size_t>(c)] = new QLabel(group);
        headers_[static_cast<std::size_t>(c)]->setWordWrap(true);
        headers_[static_cast<std::size_t>(c)]->setMinimumWidth(80);
        table->addWidget(headers_[static_cast<std::size_t>(c)], 0, c < 2 ? c + 1 : c + 2, Qt::AlignBottom);
    }
    for (int t = 0; t < 11; ++t) {
        for (int half = 0; half < 2; ++half) {
            auto* label = new Eliding<QLabel>(group);
            // A team with its engine, or a driver's name: 28 characters at most. The second
            // driver's column keeps its room in the car views, so the page's size never changes.
            label->setReservedCharacters(28);
            QSizePolicy policy = label->sizePolicy();
            policy.setRetainSizeWhenHidden(true);
            label->setSizePolicy(policy);
            rowLabels_[static_cast<std::size_t>(t)][static_cast<std::size_t>(half)] = label;
            table->addWidget(label, t + 1, half * 3);
        }
        for (int c = 0; c < 4; ++c) {
            auto* cell = new QLineEdit(group);
            cell->setObjectName(u"cell%1_%2"_s.arg(t).arg(c));
            cell->setFixedWidth(72);
            cells_[static_cast<std::size_t>(t)][static_cast<std::size_t>(c)] = cell;
            table->addWidget(cell, t + 1, c < 2 ? c + 1 : c + 2);
            connect(cell, &QLineEdit::textEdited, this, [this, t, c, cell](const QString& text) {
                ShowLargestAtOnce(cell, ReadNumber(text, true), cellRange(c).second);
                storeCell(t, c, cell->text());
            });
            connect(cell, &QLineEdit::editingFinished, this, [this, t, c, cell] {
                storeCell(t, c, cell->text());
                cell->setText(QString::number(cellValue(t, c))); // the stored, clamped value
            });
        }
    }
    auto* layout = new QVBoxLayout(group);
    layout->addLayout(viewRow);
    layout->addSpacing(8);
    layout->addLayout(table);
    layout->addStretch();
    return group;
}

QWidget* PerformancePage::makeQuickEditGroup() {
    auto* group = new QGroupBox(tr("Quick Edit"), this);
    auto* grid = new QGridLayout;
    const char* names[3] = {"Minimum", "Average", "Maximum"};
    for (int c = 0; c < 3; ++c) {
        grid->addWidget(new QLabel(tr(names[c]), group), 0, c * 3, 1, 3, Qt::AlignCenter);
        auto* minus = new QPushButton(u"-"_s, group);
        auto* plus = new QPushButton(u"+"_s, group);
        for (QPushButton* b : {minus, plus}) b->setFixedWidth(28);
        minus->setToolTip(TipText(Tip::QuickEditDown).arg(tr(names[c]).toLower()));
        plus->setToolTip(TipText(Tip::QuickEditUp).arg(tr(names[c]).toLower()));
        auto* step = new QLineEdit(group);
        step->setMaxLength(4);
        step->setFixedWidth(48);
        step->setValidator(new QIntValidator(0, 9999, step));
        step->setToolTip(TipText(Tip::QuickEditStep));
        steps_[static_cast<std::size_t>(c)] = step;
        quickButtons_[static_cast<std::size_t>(c)] = {minus, plus};
        grid->addWidget(minus, 1, c * 3);
        grid->addWidget(step, 1, c * 3 + 1);
        grid->addWidget(plus, 1, c * 3 + 2);
        connect(minus, &QPushButton::clicked, this, [this, c] { quickEdit(c, -1); });
        connect(plus, &QPushButton::clicked, this, [this, c] { quickEdit(c, +1); });
        connect(step, &QLineEdit::textEdited, this, [this, c](const QString& text) {
            auto& memory = kChoices.in(state_);
            const int typed = ReadNumber(text, false);
            memory.steps[static_cast<std::size_t>(entry())][static_cast<std::size_t>(c)] =
                std::min(typed, kLargestStep);
            ShowLargestAtOnce(steps_[static_cast<std::size_t>(c)], typed, kLargestStep);
        });
        connect(step, &QLineEdit::editingFinished, this, [this, c, step] {
            step->setText(QString::number(
                kChoices.get(state_).steps[static_cast<std::size_t>(entry())][static_cast<std::size_t>(c)]));
        });
    }
    auto* modeGroup = new QButtonGroup(group);
    auto* modeRow = new QHBoxLayout;
    for (int m = 0; m < 2; ++m) {
        modes_[static_cast<std::size_t>(m)] = new QRadioButton(group);
        modeGroup->addButton(modes_[static_cast<std::size_t>(m)], m);
        modeRow->addWidget(modes_[static_cast<std::size_t>(m)]);
    }
    connect(modeGroup, &QButtonGroup::idClicked, this, [this](int mode) {
        auto& memory = kChoices.in(state_);
        memory.modes[static_cast<std::size_t>(memory.view)] = mode;
        refreshQuickEdit();
        if (memory.view == EngineView)
            setCalculatorMode(mode);
    });
    auto* copies = new QHBoxLayout;
    auto* qualFromRace = new QPushButton(tr("Qual. = Race"), group);
    qualFromRace->setObjectName(u"qualFromRace"_s);
    auto* raceFromQual = new QPushButton(tr("Race = Qual."), group);
    raceFromQual->setObjectName(u"raceFromQual"_s);
    copies->addWidget(qualFromRace);
    copies->addWidget(raceFromQual);
    connect(qualFromRace, &QPushButton::clicked, this, [this] { copyQuantities(true); });
    connect(raceFromQual, &QPushButton::clicked, this, [this] { copyQuantities(false); });
    auto* layout = new QVBoxLayout(group);
    layout->addLayout(grid);
    layout->addLayout(modeRow);
    layout->addLayout(copies);
    return group;
}

QWidget* PerformancePage::makeCalculatorGroup() {
    auto* group = new QGroupBox(tr("Performance Calculator"), this);
    auto* modeGroup = new QButtonGroup(group);
    auto* modeRow = new QHBoxLayout;
    modeRow->addWidget(new QLabel(tr("Relative Lap Times"), group));
    const char* labels[2] = {"Qualification", "Race"};
    for (int m = 0; m < 2; ++m) {
        calculatorModes_[static_cast<std::size_t>(m)] = new QRadioButton(tr(labels[m]), group);
        modeGroup->addButton(calculatorModes_[static_cast<std::size_t>(m)], m);
        modeRow->addWidget(calculatorModes_[static_cast<std::size_t>(m)]);
    }
    connect(modeGroup, &QButtonGroup::idClicked, this, &PerformancePage::setCalculatorMode);
    auto* rows = new QGridLayout;
    rows->setVerticalSpacing(0);
    for (int r = 0; r < 22; ++r) {
        for (int c = 0; c < 3; ++c) {
            // The driver's name between the place and the time.
            QLabel* label = nullptr;
            if (c == 1) {
                auto* name = new Eliding<QLabel>(group);
                calculatorNames_[static_cast<std::size_t>(r)] = name;
                label = name;
            } else {
                label = new QLabel(group);
            }
            calculatorRows_[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = label;
            rows->addWidget(label, r, c, c == 2 ? Qt::AlignRight : Qt::AlignLeft);
        }
    }
    rows->setColumnMinimumWidth(0, 28);
    rows->setColumnStretch(1, 1);
    rows->setColumnMinimumWidth(2, 64);
    auto* layout = new QVBoxLayout(group);
    layout->addLayout(modeRow);
    layout->addLayout(rows);
    layout->addStretch();
    return group;
}

QuickEditEntry PerformancePage::entry() const {
    const auto& memory = kChoices.get(state_);
    return static_cast<QuickEditEntry>(kBaseEntry[memory.view] + memory.modes[static_cast<std::size_t>(memory.view)]);
}

void PerformancePage::showView(int view) {
    auto& memory = kChoices.in(state_);
    memory.view = view;
    views_[static_cast<std::size_t>(view)]->setChecked(true);
    const bool drivers = view >= QualificationView;
    const QString performance =
        view == QualificationView ? tr("Driver Qualifying Performance") : tr("Driver Race Performance");
    const QString titles[4][4] = {{tr("Qualifying Engine BHP"), tr("Race"), u""_s, u""_s},
                                  {tr("Car Failure Probability"), u""_s, u""_s, u""_s},
                                  {performance, tr("Range"), performance, tr("Range")},
                                  {performance, tr("Range"), performance, tr("Range")}};
    for (int c = 0; c < 4; ++c) {
        headers_[static_cast<std::size_t>(c)]->setText(titles[view][c]);
    }
    for (int t = 0; t < 11; ++t) {
        auto& cells = cells_[static_cast<std::size_t>(t)];
        cells[1]->setVisible(view != ReliabilityView);
        cells[2]->setVisible(drivers);
        cells[3]->setVisible(drivers);
        rowLabels_[static_cast<std::size_t>(t)][1]->setVisible(drivers);
        const int valueLimit = view == EngineView ? 4 : 5;
        cells[0]->setMaxLength(valueLimit);
        cells[2]->setMaxLength(valueLimit);
        cells[1]->setMaxLength(drivers ? 6 : 4);
        cells[3]->setMaxLength(6);
        for (int c = 0; c < 4; ++c) {
            cells[static_cast<std::size_t>(c)]->setToolTip(RangeTip(cellRange(c).first, cellRange(c).second));
        }
    }
    fillTable();
    refreshQuickEdit();
    const int calculator = view == EngineView ? memory.modes[EngineView] : view == QualificationView ? 0 : 1;
    setCalculatorMode(calculator);
    refreshCalculator();
}

void PerformancePage::reload() { showView(kChoices.get(state_).view); }

int PerformancePage::cellValue(int t, int column) const {
    const auto& team = state_.carSet().teams[static_cast<std::size_t>(t)];
    const int view = kChoices.get(state_).view;
    const auto& driver = team.drivers[column < 2 ? 0 : 1];
    const bool second = column % 2 == 1;
    switch (view) {
    case EngineView: return column == 0 ? team.qualifyingPower : team.racePower;
    case ReliabilityView: return team.failureProbability;
    case QualificationView: return second ? driver.qualifyingRange : driver.qualifyingPerformance;
    default: return second ? driver.raceRange : driver.racePerformance;
    }
}

std::pair<int, int> PerformancePage::cellRange(int column) const {
    const int view = kChoices.get(state_).view;
    const bool isSigned = view >= QualificationView && column % 2 == 1;
    return {isSigned ? -kMaxFigure : 0, view == EngineView ? kMaxPower : kMaxFigure};
}

void PerformancePage::storeCell(int t, int column, const QString& text) {
    if (filling_) {
        return;
    }
    auto& team = state_.carSet().teams[static_cast<std::size_t>(t)];
    auto& driver = team.drivers[column < 2 ? 0 : 1];
    const bool second = column % 2 == 1;
    const int view = kChoices.get(state_).view;
    const auto [low, high] = cellRange(column);
    const int number = ReadNumber(text, low < 0);
    const auto value = static_cast<std::int16_t>(std::clamp(number, low, high));
    switch (view) {
    case EngineView: (column == 0 ? team.qualifyingPower : team.racePower) = value; break;
    case ReliabilityView: team.failureProbability = value; break;
    case QualificationView: (second ? driver.qualifyingRange : driver.qualifyingPerformance) = value; break;
    default: (second ? driver.raceRange : driver.racePerformance) = value; break;
    }
    MarkModified(state_.carSet(), "Performance");
    refreshCalculator();
}

void PerformancePage::fillTable() {
    filling_ = true;
    const auto& teams = state_.carSet().teams;
    const int view = kChoices.get(state_).view;
    for (int t = 0; t < 11; ++t) {
        const auto& team = teams[static_cast<std::size_t>(t)];
        if (view >= QualificationView) {
            rowLabels_[static_cast<std::size_t>(t)][0]->setFullText(FromGameText(team.drivers[0].name.view()));
            rowLabels_[static_cast<std::size_t>(t)][1]->setFullText(FromGameText(team.drivers[1].name.view()));
        } else {
            rowLabels_[static_cast<std::size_t>(t)][0]->setFullText(FromGameText(TeamButtonLabel(team)));
        }
        for (int c = 0; c < 4; ++c) {
            cells_[static_cast<std::size_t>(t)][static_cast<std::size_t>(c)]->setText(QString::number(cellValue(t, c)));
        }
    }
    filling_ = false;
}

void PerformancePage::refreshQuickEdit() {
    const auto& memory = kChoices.get(state_);
    const int view = memory.view;
    const QString labels[4][2] = {{tr("Qualification"), tr("Race")},
                                  {tr("Reliability"), u""_s},
                                  {tr("Performance"), tr("Ability Range")},
                                  {tr("Performance"), tr("Ability Range")}};
    for (int m = 0; m < 2; ++m) {
        modes_[static_cast<std::size_t>(m)]->setText(labels[view][m]);
    }
    modes_[1]->setVisible(view != ReliabilityView);
    modes_[static_cast<std::size_t>(memory.modes[static_cast<std::size_t>(view)])]->setChecked(true);
    for (int c = 0; c < 3; ++c) {
        steps_[static_cast<std::size_t>(c)]->setText(
            QString::number(memory.steps[static_cast<std::size_t>(entry())][static_cast<std::size_t>(c)]));
    }
    button(u"qualFromRace"_s)->setVisible(view != ReliabilityView);
    button(u"raceFromQual"_s)->setVisible(view != ReliabilityView);
}

void PerformancePage::setCalculatorMode(int mode) {
    auto& memory = kChoices.in(state_);
    calculatorModes_[static_cast<std::size_t>(mode)]->setChecked(true);
    if (memory.calculatorMode != mode) {
        memory.calculatorMode = mode;
        refreshCalculator();
    }
}

void PerformancePage::refreshCalculator() {
    const auto rows = RelativeLapTimes(state_.carSet().teams, kChoices.get(state_).calculatorMode);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        calculatorRows_[r][0]->setText(QString::fromStdString(rows[r].position));
        calculatorNames_[r]->setFullText(FromGameText(rows[r].name));
        calculatorRows_[r][2]->setText(QString::fromStdString(rows[r].time));
    }
}

void PerformancePage::quickEdit(int column, int direction) {
    const QuickEditEntry acted = entry();
    const int step = kChoices.get(state_).steps[static_cast<std::size_t>(acted)][static_cast<std::size_t>(column)];
    auto values = QuickEditValues(state_.carSet().teams, acted);
    const auto range = RangeOf(acted);
    const bool fine = column == 0   ? QuickEditMinimum(values, range, step, direction)
                      : column == 1 ? QuickEditAverage(values, range, step, direction)
                                    : QuickEditMaximum(values, range, step, direction);
    if (!fine) {
        ui_.beep();
    }
    SetQuickEditValues(state_.carSet().teams, acted, values);
    MarkModified(state_.carSet(), "Quick Edit");
    fillTable();
    refreshCalculator();
}

void PerformancePage::copyQuantities(bool qualifyingFromRace) {
    const auto& memory = kChoices.get(state_);
    const int view = memory.view;
    for (auto& team : state_.carSet().teams) {
        if (view == EngineView) {
            (qualifyingFromRace ? team.qualifyingPower : team.racePower) =
                qualifyingFromRace ? team.racePower : team.qualifyingPower;
            continue;
        }
        const bool ranges = memory.modes[static_cast<std::size_t>(view)] == 1;
        for (auto& driver : team.drivers) {
            std::int16_t& qualifying = ranges ? driver.qualifyingRange : driver.qualifyingPerformance;
            std::int16_t& race = ranges ? driver.raceRange : driver.racePerformance;
            (qualifyingFromRace ? qualifying : race) = qualifyingFromRace ? race : qualifying;
        }
    }
    MarkModified(state_.carSet(), "Copy performance");
    fillTable();
    refreshCalculator();
}

QLineEdit* PerformancePage::cell(int team, int column) const {
    return cells_[static_cast<std::size_t>(team)][static_cast<std::size_t>(column)];
}
QPushButton* PerformancePage::quickEditButton(int column, int direction) const {
    return quickButtons_[static_cast<std::size_t>(column)][direction < 0 ? 0 : 1];
}
QPushButton* PerformancePage::button(const QString& name) const { return findChild<QPushButton*>(name); }
QRadioButton* PerformancePage::viewButton(int view) const { return views_[static_cast<std::size_t>(view)]; }
QRadioButton* PerformancePage::modeButton(int mode) const { return modes_[static_cast<std::size_t>(mode)]; }
int PerformancePage::calculatorMode() const { return kChoices.get(state_).calculatorMode; }
QString PerformancePage::calculatorRow(int row) const {
    const auto& r = calculatorRows_[static_cast<std::size_t>(row)];
    return r[0]->text() + u"|"_s + r[1]->text() + u"|"_s + r[2]->text();
}

} // namespace tavolex::editor
