#pragma once

#include <QGroupBox>

#include <QPushButton>

#include <array>

#include "shell/Eliding.h"

namespace tavolex::editor {

class EditorState;

// "Teams": eleven buttons, one per team slot, labelled with team and engine names.
class TeamList : public QGroupBox {
    Q_OBJECT

  public:
    TeamList(EditorState& state, QWidget* parent = nullptr);
    Eliding<QPushButton>* button(int team) const { return buttons_[static_cast<std::size_t>(team)]; }

  public slots:
    void relabel();

  private:
    EditorState& state_;
    std::array<Eliding<QPushButton>*, 11> buttons_{};
};

} // namespace tavolex::editor
