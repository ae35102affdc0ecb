#include "shell/SelectionDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "widgets/GameText.h"
#include "widgets/Texts.h"

namespace tavolex::editor {

using namespace Qt::StringLiterals;

namespace {

// The four team columns: software and hardware side by side, the "S"
// quick box over the software column and the named one over the hardware.
struct TeamColumn {
    const char* title;
    int software; // first identifier, or -1 for a single column
    int hardware;
    QuickGroup softwareGroup;
    QuickGroup hardwareGroup;
};

constexpr TeamColumn kTeamColumns[] = {
    {"Cars", item::kCarSoftware, item::kCarHardware, QuickGroup::CarsSoftware, QuickGroup::CarsHardware},
    {"Cockpits", item::kCockpitSoftware, item::kCockpitHardware, QuickGroup::CockpitsSoftware,
     QuickGroup::CockpitsHardware},
    {"Pit Crews", item::kPitCrewSoftware, item::kPitCrewHardware, QuickGroup::PitCrewsSoftware,
     QuickGroup::PitCrewsHardware},
    {"Artwork", -1, item::kArtwork, QuickGroup::Artwork, QuickGroup::Artwork},
};

QFrame* Separator(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

SelectionDialog::SelectionDialog(SelectionMode mode, const CarSet& carSet, QWidget* parent)
    : QDialog(parent), choice_(mode, carSet) {
    const bool importing = mode == SelectionMode::Import;
    setWindowTitle(T(importing ? TextId::ImportSelectionTitle : TextId::ExportSelectionTitle));

    auto* pictures = new QVBoxLayout;
    pictures->addWidget(buildTeamGrid(carSet));
    pictures->addWidget(buildSharedGrid(carSet));
    pictures->addStretch(1);
    auto* body = new QHBoxLayout;
    body->addLayout(pictures, 1);
    body->addWidget(buildDataColumn());

    auto* buttons = new QDialogButtonBox(this);
    confirm_ =
        buttons->addButton(T(importing ? TextId::ImportButton : TextId::ExportButton), QDialogButtonBox::AcceptRole);
    confirm_->setObjectName(u"confirm"_s);
    QPushButton* cancel = buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(u"cancel"_s);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    refresh();
    confirm_->setDefault(true);
    confirm_->setFocus();
}

QWidget* SelectionDialog::buildTeamGrid(const CarSet& carSet) {
    auto* box = new QGroupBox(tr("Teams"), this);
    auto* grid = new QGridLayout(box);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    int column = 1;
    for (const TeamColumn& kind : kTeamColumns) {
        if (column > 1) {
            grid->setColumnMinimumWidth(column++, 12); // a gap between kinds
        }
        if (kind.software >= 0) {
            grid->addWidget(addQuick(kind.softwareGroup, u"S"_s), 0, column);
            grid->addWidget(addQuick(kind.hardwareGroup, tr(kind.title)), 0, column + 1);
        } else {
            grid->addWidget(addQuick(kind.hardwareGroup, tr(kind.title)), 0, column);
        }
        for (int team = 0; team < kTeamCount; ++team) {
            if (kind.software >= 0) {
                grid->addWidget(addItem(kind.software + team), team + 2, column);
                grid->addWidget(addItem(kind.hardware + team), team + 2, column + 1);
            } else {
                grid->addWidget(addItem(kind.hardware + team), team + 2, column);
            }
        }
        column += kind.software >= 0 ? 2 : 1;
    }
    grid->addWidget(Separator(box), 1, 0, 1, column);
    for (int team = 0; team < kTeamCount; ++team) {
        auto* name = new QLabel(FromGameText(carSet.teams[static_cast<std::size_t>(team)].teamName.view()), box);
        name->setObjectName(u"team%1"_s.arg(team));
        grid->addWidget(name, team + 2, 0);
    }
    grid->setColumnStretch(0, 1);
    return box;
}

QWidget* SelectionDialog::buildSharedGrid(const CarSet& carSet) {
    auto* box = new QGroupBox(tr("Helmets, Tyres and Pit Boxes"), this);
    auto* grid = new QGridLayout(box);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    int row = 0;
    auto addRow = [&](const QString& label, std::initializer_list<int> ids) {
        grid->addWidget(new QLabel(label, box), row, 0);
        int column = 1;
        for (int id : ids) {
            grid->addWidget(addItem(id), row, column++);
        }
        ++row;
    };
    addRow(tr("Helmets"), {item::kHelmetsSoftware, item::kHelmetsHardware});
    for (int k = 0; k < kTyreTypeCount; ++k) {
        addRow(FromGameText(carSet.tyres[static_cast<std::size_t>(k)].name.view()),
               {item::kTyreSoftware + k, item::kTyreHardware + k, item::kTread + k});
    }
    addRow(tr("Pit Boxes"), {item::kPitBoxesSoftware, item::kPitBoxesHardware});
    // The boxes stay beside their labels, under the team grid's first columns.
    grid->setColumnMinimumWidth(0, 80);
    grid->setColumnStretch(4, 1);
    return box;
}

QWidget* SelectionDialog::buildDataColumn() {
    auto* box = new QGroupBox(this);
    auto* column = new QVBoxLayout(box);
    column->setSpacing(2);
    column->addWidget(addQuick(QuickGroup::TeamDriverData, tr("Team/Driver Data")));
    column->addWidget(Separator(box));
    for (int id = item::kFirstData; id <= item::kLastData; ++id) {
        QCheckBox* check = addItem(id);
        const std::string_view label = DataItemLabel(id);
        check->setText(QString::fromUtf8(label.data(), static_cast<int>(label.size())));
        column->addWidget(check);
    }
    column->addStretch(1);
    return box;
}

QCheckBox* SelectionDialog::addItem(int id) {
    auto* check = new QCheckBox(this);
    check->setObjectName(u"item%1"_s.arg(id));
    // A box keeps the room of its caption while it has none, so rows and
    // columns stay even.
    check->setText(QString::fromStdString(ItemCaption(id)));
    check->setMinimumSize(check->sizeHint());
    check->setText({});
    items_[id] = check;
    connect(check, &QCheckBox::clicked, this, [this, id] {
        choice_.clickItem(id);
        refresh();
    });
    return check;
}

QCheckBox* SelectionDialog::addQuick(QuickGroup group, const QString& text) {
    auto* check = new QCheckBox(text, this);
    check->setTristate(true);
    check->setObjectName(u"quick%1"_s.arg(static_cast<int>(group)));
    QFont font = check->font();
    font.setBold(true);
    check->setFont(font);
    quick_[group] = check;
    connect(check, &QCheckBox::clicked, this, [this, group] {
        choice_.clickQuick(group);
        refresh();
    });
    return check;
}

void SelectionDialog::refresh() {
    for (auto& [id, check] : items_) {
        check->setEnabled(choice_.enabled(id));
        check->setChecked(choice_.checked(id));
        if (!IsDataItem(id)) {
            check->setText(QString::fromStdString(choice_.caption(id)));
        }
    }
    for (auto& [group, check] : quick_) {
        check->setEnabled(choice_.quickEnabled(group));
        switch (choice_.quickState(group)) {
        case QuickState::Unchecked: check->setCheckState(Qt::Unchecked); break;
        case QuickState::Checked: check->setCheckState(Qt::Checked); break;
        case QuickState::Indeterminate: check->setCheckState(Qt::PartiallyChecked); break;
        }
    }
}

QCheckBox* SelectionDialog::itemBox(int id) const {
    const auto found = items_.find(id);
    return found != items_.end() ? found->second : nullptr;
}

QCheckBox* SelectionDialog::quickBox(QuickGroup group) const {
    const auto found = quick_.find(group);
    return found != quick_.end() ? found->second : nullptr;
}

} // namespace tavolex::editor
