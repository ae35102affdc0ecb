#pragma once

#include "editing/ArtworkDisplay.h"
#include "formats/PackedBitmap.h"
#include "preview/PreviewCanvas.h"

// The look the preview and the thumbnails share: a dark ground that liveries
// stand out on, light text, and one placeholder for every empty slot.

namespace tavolex {

inline constexpr Rgb kPreviewBackground = {30, 32, 38};
inline constexpr Rgb kPreviewBand = {40, 43, 51};
inline constexpr Rgb kPreviewText = {232, 232, 232};
inline constexpr Rgb kPreviewDimText = {150, 156, 168};
inline constexpr Rgb kPreviewPlaceholder = {72, 74, 80};
inline constexpr Rgb kPreviewPlaceholderText = {150, 150, 150};

// `image` fitted into `box` with its proportions; where it is empty, a
// placeholder of a sheet's proportions (W x H) with the word "empty".
void DrawPictureOrPlaceholder(PreviewCanvas& canvas, const PackedBitmap& image, const PreviewBox& box, int sheetWidth,
                              int sheetHeight);

} // namespace tavolex
