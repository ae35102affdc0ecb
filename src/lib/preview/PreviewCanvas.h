#pragma once

#include <string_view>

#include "editing/ArtworkDisplay.h"
#include "formats/PackedBitmap.h"

// A 24-bit picture drawn in layout units: the layout is written once in
// units and the canvas maps them to pixels at any scale, so pictures are
// sampled from their sources at the final size (nearest neighbour, crisp)
// instead of being drawn small and enlarged.

namespace tavolex {

struct PreviewBox {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const PreviewBox&, const PreviewBox&) = default;
};

// The largest box of a picture's proportions centred in `box`.
PreviewBox FitInside(int pictureWidth, int pictureHeight, const PreviewBox& box);

class PreviewCanvas {
  public:
    // A canvas of W x H units, `pixelWidth` pixels wide (the height in
    // proportion), filled with `background`. False, leaving it empty, when
    // either side would be below 1 or above PackedBitmap::kMaxSide pixels.
    [[nodiscard]] bool reset(int unitWidth, int unitHeight, int pixelWidth, Rgb background);

    void fill(const PreviewBox& box, Rgb colour);
    // The picture stretched over the box; an 8-bit picture through its own palette.
    void picture(const PackedBitmap& image, const PreviewBox& box);
    // A line of Windows-1252 text with its top left at (x, y), each font
    // pixel `size` units square, cut off at `right`.
    void text(int x, int y, std::string_view text, Rgb colour, int right, int size = 1);

    const PackedBitmap& image() const { return image_; }
    PackedBitmap take() { return std::move(image_); }

  private:
    int pixel(int units) const;

    PackedBitmap image_;
    int unitWidth_ = 1;
};

} // namespace tavolex
