#include "pages/ShownPicture.h"

#include "app/EditorState.h"
#include "document/LazyGraphics.h"
#include "pages/BoxMessages.h"

namespace tavolex::editor {

tavolex::PackedBitmap FetchShownPicture(EditorState& state, UiServices& ui, QWidget* parent, tavolex::GraphicKind kind,
                                        int slot, tavolex::Variant variant) {
    const auto held = [&] {
        return tavolex::SourceOf(state.carSet(), kind, slot, variant) != tavolex::GraphicSource::None;
    };
    tavolex::PackedBitmap fetched;
    if (!held()) {
        return fetched;
    }
    BoxMessages messages(ui, parent);
    if (!tavolex::Ok(tavolex::FetchGraphic(state.carSet(), state.graphicEnvironment(), kind, slot, variant, fetched,
                                           true, &messages)) ||
        !held()) {
        fetched.clear();
    }
    return fetched;
}

} // namespace tavolex::editor
