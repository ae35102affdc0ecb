#include "editing/PictureZoom.h"

#include <cmath>

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
    return {PictureZoom::Action::Show,
            {0, top, SheetWidth(GraphicKind::CarLivery, Variant::Hardware), top + kLiveryBandRows},
            width * 5 / 2,
            width * 5 / 4};
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

PictureZoom PitBoxZoom(const PixelRect& area, int rows, int x, int y) {
    if (!Inside(area, x, y)) {
        return {};
    }
    constexpr int kWidth = 256;
    const double wide = 2.2 * (area.right - area.left);
    return {PictureZoom::Action::Show,
            {0, 0, kWidth, rows},
            static_cast<int>(std::lround(wide)),
            static_cast<int>(std::lround(wide * rows / kWidth))};
}

} // namespace tavolex
