#pragma once

#include "core/ByteOrder.h"
#include "core/Error.h"
#include "formats/PackedBitmap.h"

// The run-length codings of BMP files, RLE8 and RLE4: a count and a value
// (a run; for RLE4 the value's two nibbles alternate), or a zero and a code:
// 0 ends the row, 1 ends the picture, 2 skips right and up by the next two
// bytes, 3-255 that many pixels stored as they are (padded to an even number
// of bytes). Skipped pixels keep index 0.

namespace tavolex {

// Decodes `stream` into the pixels of `indices`, an 8-bit image of the
// bitmap's size whose pixels are all zero. The stream's first row is the
// bottom row unless `topDown`. A run, stored stretch or skip that leaves the
// picture is refused, as is a stream that ends before the end-of-picture code
// while rows are still missing. On failure `indices` may be partly written.
[[nodiscard]] Error DecodeBitmapRunLength(Bytes stream, int bitsPerIndex, bool topDown, PackedBitmap& indices);

// The most bytes an honest stream of a W x H picture needs (every pixel a
// run of its own, an end-of-row code per row), with room to spare: a
// stream's reading stops there.
std::size_t MaxRunLengthBytes(int width, int height);

} // namespace tavolex
