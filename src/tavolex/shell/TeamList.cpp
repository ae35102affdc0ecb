#include "shell/TeamList.h"

#include <QButtonGroup>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/EditorState.h"
#include "document/DisplayTexts.h"
#include "widgets/Eliding.h"
#include "widgets/GameText.h"

namespace tavolex::editor {

using namespace Qt::StringLiterals;

TeamList::TeamList(EditorState& state, QWidget* parent) : QGroupBox(tr("Teams"), parent), state_(state) {
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(2);
    auto* group = new QButtonGroup(this);
    group->setExclusive(true);
    for (int t = 0; t < kTeamCount; ++t) {
        auto* button = new Eliding<QPushButton>(this);
        // " Team - Engine": two names of 12 characters and the dash between.
        button->setReservedCharacters(28);
        button->setCheckable(true);
        button->setObjectName(u"team%1"_s.arg(t));
        button->setStyleSheet(u"text-align: left; padding: 3px 6px;"_s);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        group->addButton(button, t);
        layout->addWidget(button);
        buttons_[static_cast<std::size_t>(t)] = button;
    }
    buttons_[static_cast<std::size_t>(state_.currentTeam())]->setChecked(true);
    connect(group, &QButtonGroup::idClicked, this, [this](int team) { state_.selectTeam(team); });
    connect(&state_, &EditorState::dataChanged, this, &TeamList::relabel);
    connect(&state_, &EditorState::teamNamesChanged, this, &TeamList::relabel);
    relabel();
}

void TeamList::relabel() {
    for (int t = 0; t < kTeamCount; ++t) {
        const auto& team = state_.carSet().teams[static_cast<std::size_t>(t)];
        buttons_[static_cast<std::size_t>(t)]->setFullText(FromGameText(TeamButtonLabel(team)));
    }
    buttons_[static_cast<std::size_t>(state_.currentTeam())]->setChecked(true);
}

} // namespace tavolex::editor
