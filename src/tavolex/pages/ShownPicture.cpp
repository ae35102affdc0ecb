#include "pages/ShownPicture.h"

#include "app/EditorState.h"
#include "document/LazyGraphics.h"
#include "pages/BoxMessages.h"

namespace tavolex::editor {

PackedBitmap FetchShownPicture(EditorState& state, UiServices& ui, QWidget* parent, GraphicKind kind, int slot,
                               Variant variant) {
    const auto held = [&] { return SourceOf(state.carSet(), kind, slot, variant) != GraphicSource::None; };
    PackedBitmap fetched;
    if (!held()) {
        return fetched;
    }
    BoxMessages messages(ui, parent);
    if (!Ok(FetchGraphic(state.carSet(), state.graphicEnvironment(), kind, slot, variant, fetched, true, &messages)) ||
        !held()) {
        fetched.clear();
    }
    return fetched;
}

} // namespace tavolex::editor
