#pragma once

#include "core/ByteOrder.h"
#include "core/Error.h"
#include "formats/BitmapLayout.h"
#include "formats/PackedBitmap.h"

// The pixels of a BMP file as an image of the file's own kind: 1-, 4- and
// 8-bit files as 8-bit indices with the file's own colours as palette (the
// entries it lacks black), 16-, 24- and 32-bit files as 24-bit colour.

namespace tavolex {

// Reads the pixels of a file whose headers gave `layout`. Refuses a file
// that ends before its colour table or its pixels do, and a compressed
// stream that leaves the picture or ends early.
[[nodiscard]] Error ReadBitmapPixels(Bytes file, const BitmapLayout& layout, PackedBitmap& image);

} // namespace tavolex
