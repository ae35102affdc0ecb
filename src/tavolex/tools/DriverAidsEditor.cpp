#include "tools/DriverAidsEditor.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/EditorState.h"
#include "shell/AidIcons.h"
#include "shell/Texts.h"
#include "shell/UiServices.h"
#include "tools/ToolCommands.h"

namespace tavolex::editor {

using namespace Qt::StringLiterals;

using tavolex::TextId;

namespace {
constexpr int kIconSize = 32;
const char* const kAidLabels[tavolex::kDriverAidCount] = {
    "Auto Brakes (F1)",    "Auto Gears (F2)",     "Auto Right the Car (F3)", "Indestructible (F4)",
    "Show Best Line (F5)", "Suggested Gear (F6)", "Throttle Help (F7)",      "Steering Help (F8)"};
const char* const kLevels[tavolex::kDifficultyLevels] = {"Rookie", "Amateur", "Semi-pro", "Pro", "Ace"};
} // namespace

DriverAidsEditor::DriverAidsEditor(EditorState& state, UiServices& ui, QWidget* parent)
    : QDialog(parent), state_(state), ui_(ui) {
    setWindowTitle(tr("Driver Aids Editor"));
    auto* commands = new QHBoxLayout;
    commands->addStretch();
    AddToolCommands(this, commands,
                    {[this] { importFromGame(); }, [this] { exportToGame(); }, [this] { loadDefaults(); }},
                    tavolex::AllowsExecutable(state_.exeStatus()));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(makeGrid());
    layout->addWidget(makeLegend());
    layout->addLayout(commands);
    showMasks(tavolex::DefaultDriverAids());
}

QPushButton* DriverAidsEditor::button(const QString& name) const { return findChild<QPushButton*>(name); }

QWidget* DriverAidsEditor::makeGrid() {
    auto* group = new QGroupBox(tr("Driver Aids available at each difficulty level"), this);
    auto* grid = new QGridLayout(group);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(4);
    for (int level = 0; level < tavolex::kDifficultyLevels; ++level) {
        for (int aid = 0; aid < tavolex::kDriverAidCount; ++aid) {
            auto* cell = new QToolButton(group);
            cell->setObjectName(u"cell%1_%2"_s.arg(level).arg(aid));
            cell->setCheckable(true);
            cell->setIconSize(QSize(kIconSize, kIconSize));
            cell->setToolTip(tr(kAidLabels[aid]));
            connect(cell, &QToolButton::toggled, this, [this, level, aid] { showCell(level, aid); });
            cells_[static_cast<std::size_t>(level)][static_cast<std::size_t>(aid)] = cell;
            grid->addWidget(cell, level, aid);
        }
        grid->addWidget(new QLabel(tr(kLevels[level]), group), level, tavolex::kDriverAidCount);
    }
    grid->setColumnMinimumWidth(tavolex::kDriverAidCount, 64);
    return group;
}

QWidget* DriverAidsEditor::makeLegend() {
    auto* group = new QGroupBox(tr("Driver Aids"), this);
    auto* grid = new QGridLayout(group);
    for (int aid = 0; aid < tavolex::kDriverAidCount; ++aid) {
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

void DriverAidsEditor::showMasks(const tavolex::DriverAidMasks& masks) {
    for (int level = 0; level < tavolex::kDifficultyLevels; ++level) {
        const auto available = tavolex::AvailableAids(masks[static_cast<std::size_t>(level)]);
        for (int aid = 0; aid < tavolex::kDriverAidCount; ++aid) {
            QToolButton* button = cell(level, aid);
            const QSignalBlocker block(button);
            button->setChecked(!available[static_cast<std::size_t>(aid)]);
            showCell(level, aid);
        }
    }
}

tavolex::DriverAidMasks DriverAidsEditor::masks() const {
    tavolex::DriverAidMasks masks{};
    for (int level = 0; level < tavolex::kDifficultyLevels; ++level) {
        std::array<bool, tavolex::kDriverAidCount> available{};
        for (int aid = 0; aid < tavolex::kDriverAidCount; ++aid) {
            available[static_cast<std::size_t>(aid)] = !cell(level, aid)->isChecked();
        }
        masks[static_cast<std::size_t>(level)] = tavolex::MaskOfAids(available);
    }
    return masks;
}

void DriverAidsEditor::importFromGame() {
    tavolex::DriverAidMasks read{};
    if (!tavolex::Ok(tavolex::ReadGameDriverAids(state_.game(), state_.exeStatus(), read))) {
        ui_.error(this, T(TextId::FailedToReadGame));
        return;
    }
    showMasks(read);
}

void DriverAidsEditor::exportToGame() {
    if (!tavolex::Ok(tavolex::WriteGameDriverAids(state_.game(), state_.exeStatus(), masks()))) {
        ui_.error(this, T(TextId::FailedToPatchGame));
        return;
    }
    ui_.information(this, T(TextId::FilePatchedSuccessfully));
}

void DriverAidsEditor::loadDefaults() { showMasks(tavolex::DefaultDriverAids()); }

} // namespace tavolex::editor
