#include "preview/ShownPicture.h"

#include "document/LazyGraphics.h"
#include "game/GraphicEnvironment.h"

namespace tavolex {

Error FetchShownPicture(CarSet& carSet, const GraphicEnvironment& environment, GraphicKind kind, int slot,
                        PackedBitmap& image) {
    image.clear();
    const GraphicKindInfo& info = KindInfo(kind);
    for (Variant variant : {Variant::Hardware, Variant::Software}) {
        const bool exists = variant == Variant::Hardware ? info.hasHardware : info.hasSoftware;
        if (!exists || SourceOf(carSet, kind, slot, variant) == GraphicSource::None) {
            continue;
        }
        if (!Ok(FetchGraphic(carSet, environment, kind, slot, variant, image, false, nullptr)) || image.empty()) {
            image.clear();
            return Error::SourceUnreadable;
        }
        return Error::None;
    }
    return Error::None;
}

} // namespace tavolex
