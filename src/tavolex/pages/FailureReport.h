#pragma once

#include "core/Error.h"
#include "core/Variant.h"
#include "document/GraphicKind.h"
#include "editing/CommandMessages.h"

class QWidget;

namespace tavolex::editor {

class UiServices;

// Tell a command's failure in a message box over `parent`, with the message
// editing/CommandMessages.h chooses for it; each is true when the command succeeded.

// A command on a whole slot of `kind`.
bool Succeeded(UiServices& ui, QWidget* parent, Error error, GraphicCommand command, GraphicKind kind, Variant variant);
// A command on part of a picture (one helmet, half a sheet, a pit box sign).
bool PartSucceeded(UiServices& ui, QWidget* parent, Error error, GraphicCommand command);
// A command on the game's tables (number positions, crew colours, pit lane order).
bool TableSucceeded(UiServices& ui, QWidget* parent, Error error, GraphicCommand command);

} // namespace tavolex::editor
