#pragma once

#include <QImage>

#include "formats/PackedBitmap.h"

namespace tavolex::editor {

// The one way a picture of the car set becomes a QImage: its display pixels,
// opaque, in an image of its own; an empty picture gives a null image.
QImage ToQImage(const PackedBitmap& image);

} // namespace tavolex::editor
