#pragma once

#include <functional>

class QBoxLayout;
class QDialog;

namespace tavolex::editor {

// The buttons every tool editor has: "Import", "Export" (which need the
// supported executable), "Defaults" and "Close".
struct ToolCommands {
    std::function<void()> importFromGame;
    std::function<void()> exportToGame;
    std::function<void()> loadDefaults;
};

void AddToolCommands(QDialog* editor, QBoxLayout* layout, const ToolCommands& commands, bool executable);

} // namespace tavolex::editor
