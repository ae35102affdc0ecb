#pragma once

#include <array>

class QWidget;

namespace tavolex::editor {

class EditorState;
class UiServices;

// One tab of the main window: its title, whether the team list stands beside
// its page, and how the page is made. The window rebuilds the page on every
// tab change, so what a page chooses is kept as a RunChoice, not in the page.
struct PageEntry {
    const char* title;
    bool showsTeamList;
    QWidget* (*make)(EditorState& state, UiServices& ui, QWidget* parent);
};

// The ten tabs in the order the window shows them; all the window knows of the pages.
const std::array<PageEntry, 10>& PageTable();

} // namespace tavolex::editor
