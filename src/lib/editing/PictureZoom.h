#pragma once

#include "core/Variant.h"
#include "editing/NumberFields.h"

// Where a right click on a graphics page's picture leads: the part of the
// sheet the zoom window enlarges and the window's size, a beep, or nothing.

namespace tavolex {

struct PictureZoom {
    enum class Action { Nothing, Beep, Show };
    Action action = Action::Nothing;
    PixelRect sheet; // in sheet pixels
    int width = 0;   // of the zoom window
    int height = 0;
};

// The livery's view (band) under the point, 2.5 x the area's width wide and 1.25 x high.
PictureZoom LiveryZoom(const PixelRect& area, int x, int y);
// The whole cockpit, twice the area's width wide; below the software cockpit's quarter a beep.
PictureZoom CockpitZoom(const PixelRect& area, Variant variant, int x, int y);
// The whole pit box picture (`rows` 176) or one strip of it (16): 2.2 x the
// area's width wide and high in the picture's proportion, rounded to nearest.
PictureZoom PitBoxZoom(const PixelRect& area, int rows, int x, int y);

} // namespace tavolex
