#include "pages/DisplayQImage.h"

#include "editing/DisplayImage.h"

namespace tavolex::editor {

QImage ToQImage(const PackedBitmap& image) {
    DisplayImage display;
    MakeDisplayImage(image, display);
    if (display.pixels.empty()) {
        return {};
    }
    // Every display pixel is opaque: RGB32 shows them as they are. The copy
    // outlives the display pixels.
    return QImage(reinterpret_cast<const uchar*>(display.pixels.data()), display.width, display.height,
                  display.width * 4, QImage::Format_RGB32)
        .copy();
}

} // namespace tavolex::editor
