#include "editing/PictureZoom.h"

#include "document/GraphicKind.h"

namespace tavolex {
namespace {

bool Inside(const PixelRect& area, int x, int y) {
    return x >= area.left && x < area.right && y >= area.top && y < area.bottom;
}

} // namespace

PictureZoom LiveryZoom(const PixelRect& area, int x, int y) {
    if (!Inside(area, x, y)) {
        return {};
    }
    const int width = area.right - area.left;
    const int top = kLiveryBandRows * BandAt(area, y);
    return {PictureZoom::Action::Show, {0, top, SheetWidth(GraphicKind::CarLivery, Variant::Hardware), top + kLiveryBandRows},
            width * 5 / 2, width * 5 / 4};
}

PictureZoom CockpitZoom(const PixelRect& area, Variant variant, int x, int y) {
    if (!Inside(area, x, y)) {
        return {};
    }
    const int side = SheetWidth(GraphicKind::Cockpit, Variant::Hardware);
    const int rows = SheetHeight(GraphicKind::Cockpit, variant);
    const int width = area.right - area.left;
    // Below the software cockpit's quarter there is nothing to enlarge.
    if (y >= area.top + (area.bottom - area.top) * rows / side) {
        return {PictureZoom::Action::Beep, {}, 0, 0};
    }
    return {PictureZoom::Action::Show, {0, 0, side, rows}, 2 * width, 2 * width * rows / side};
}

} // namespace tavolex
