#pragma once

#include "core/Variant.h"
#include "document/GraphicKind.h"
#include "formats/PackedBitmap.h"

class QWidget;

namespace tavolex::editor {

class EditorState;
class UiServices;

// The picture of a slot to show: fetched (and repaired, its messages in boxes
// over `parent`) when the slot holds one; empty when it holds none, the fetch
// fails or the repair empties the slot.
PackedBitmap FetchShownPicture(EditorState& state, UiServices& ui, QWidget* parent, GraphicKind kind, int slot,
                               Variant variant);

} // namespace tavolex::editor
