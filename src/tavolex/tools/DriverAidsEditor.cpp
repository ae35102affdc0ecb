#include "tools/DriverAidsEditor.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/EditorState.h"
#include "tools/ToolCommands.h"
#include "widgets/AidIcons.h"
#include "widgets/Texts.h"
#include "widgets/UiServices.h"

namespace tavolex::editor {

using namespace Qt::StringLiterals;

namespace {
constexpr int kIconSize = 32;
const char* const kAidLabels[kDriverAidCount] = {
    "Auto Brakes (F1)",    "Auto Gears (F2)",     "Auto Right the Car (F3)", "Indestructible (F4)",
    "Show Best Line (F5)", "Suggested Gear (F6)", "Throttle Help (F7)",      "Steering Help (F8)"};
const char* const kLevels[kDifficultyLevels] = {"Rookie", "Amateur", "Semi-pro", "Pro", "Ace"};
} // namespace

DriverAidsEditor::DriverAidsEditor(EditorState& state, UiServices& ui, QWidget* parent)
    : QDialog(parent), state_(state), ui_(ui) {
    setWindowTitle(tr("Driver Aids Editor"));
    auto* commands = new QHBoxLayout;
    commands->addStretch();
    AddToolCommands(this, commands,
                    {[this] { importFromGame(); }, [this] { exportToGame(); }, [this] { loadDefaults(); }},
                    AllowsExecutable(state_.exeStatus()));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(makeGrid());
    layout->addWidget(makeLegend());
    layout->addLayout(commands);
    showMasks(DefaultDriverAids());
}

QPushButton* DriverAidsEditor::button(const QString& name) const { return findChild<QPushButton*>(name); }

QWidget* DriverAidsEditor::makeGrid() {
    auto* group = new QGroupBox(tr("Driver Aids available at each difficulty level"), this);
    auto* grid = new QGridLayout(group);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(4);
    for (int level = 0; level < kDifficultyLevels; ++level) {
        for (int aid = 0; aid < kDriverAidCount; ++aid) {
            auto* cell = new QToolButton(group);
            cell->setObjectName(u"cell%1_%2"_s.arg(level).arg(aid));
            cell->setCheckable(true);
            cell->setIconSize(QSize(kIconSize, kIconSize));
            cell->setToolTip(tr(kAidLabels[aid]));
            connect(cell, &QToolButton::toggled, this, [this, level, aid] { showCell(level, aid); });
            cells_[static_cast<std::size_t>(level)][static_cast<std::size_t>(aid)] = cell;
            grid->addWidget(cell, level, aid);
        }
        grid->addWidget(new QLabel(tr(kLevels[level]), group), level, kDriverAidCount);
    }
    grid->setColumnMinimumWidth(kDriverAidCount, 64);
    return group;
}

QWidget* DriverAidsEditor::makeLegend() {
    auto* group = new QGroupBox(tr("Driver Aids"), this);
    auto* grid = new QGridLayout(group);
    for (int aid = 0; aid < kDriverAidCount; ++aid) {
        auto* icon = new QLabel(group);
        icon->setPixmap(icons::DriverAid(aid, true).pixmap(24, 24));
        grid->addWidget(icon, aid % 4, 2 * (aid / 4));
        grid->addWidget(new QLabel(tr(kAidLabels[aid]), group), aid % 4, 2 * (aid / 4) + 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    return group;
}

void DriverAidsEditor::showCell(int level, int aid) {
    QToolButton* button = cell(level, aid);
    button->setIcon(icons::DriverAid(aid, !button->isChecked()));
}

void DriverAidsEditor::showMasks(const DriverAidMasks& masks) {
    for (int level = 0; level < kDifficultyLevels; ++level) {
        const auto available = AvailableAids(masks[static_cast<std::size_t>(level)]);
        for (int aid = 0; aid < kDriverAidCount; ++aid) {
            QToolButton* button = cell(level, aid);
            const QSignalBlocker block(button);
            button->setChecked(!available[static_cast<std::size_t>(aid)]);
            showCell(level, aid);
        }
    }
}

DriverAidMasks DriverAidsEditor::masks() const {
    DriverAidMasks masks{};
    for (int level = 0; level < kDifficultyLevels; ++level) {
        std::array<bool, kDriverAidCount> available{};
        for (int aid = 0; aid < kDriverAidCount; ++aid) {
            available[static_cast<std::size_t>(aid)] = !cell(level, aid)->isChecked();
        }
        masks[static_cast<std::size_t>(level)] = MaskOfAids(available);
    }
    return masks;
}

void DriverAidsEditor::importFromGame() {
    DriverAidMasks read{};
    if (!Ok(ReadGameDriverAids(state_.game(), state_.exeStatus(), read))) {
        ui_.error(this, T(TextId::FailedToReadGame));
        return;
    }
    showMasks(read);
}

void DriverAidsEditor::exportToGame() {
    if (!Ok(WriteGameDriverAids(state_.game(), state_.exeStatus(), masks()))) {
        ui_.error(this, T(TextId::FailedToPatchGame));
        return;
    }
    ui_.information(this, T(TextId::FilePatchedSuccessfully));
}

void DriverAidsEditor::loadDefaults() { showMasks(DefaultDriverAids()); }

} // namespace tavolex::editor
