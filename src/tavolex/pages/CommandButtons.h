#pragma once

#include <QString>

#include <array>
#include <functional>
#include <vector>

#include "core/Texts.h"
#include "editing/GraphicControls.h"

class QBoxLayout;
class QPushButton;
class QWidget;

namespace tavolex::editor {

class PictureFileCommands;

// A push button of a page's command: its object name, its text and what a click does.
struct CommandButton {
    const char* name;
    const char* text;
    std::function<void()> run;
};

// Adds the commands' buttons to `row` in their order, children of `parent`.
std::vector<QPushButton*> AddCommandButtons(QWidget* parent, QBoxLayout* row,
                                            const std::vector<CommandButton>& commands);

// The row of the file command buttons "import", "export", "load", "saveAs" and "remove".
void AddPictureFileButtons(QWidget* parent, QBoxLayout* row, PictureFileCommands& commands);

// Enables the file command buttons among `holder`'s children as the rules say.
void EnablePictureFileButtons(const QWidget* holder, const GraphicControlRules& rules);

// The note a picture shows under the rules; `noPicture` is the page's own
// text for an empty slot (software, hardware).
QString PictureNoteText(PictureNote note, const std::array<TextId, 2>& noPicture);

} // namespace tavolex::editor
