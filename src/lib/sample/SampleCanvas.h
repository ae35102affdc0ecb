#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "formats/PackedBitmap.h"

// Drawing on a picture for the sample game: filled shapes and block letters,
// clipped at the picture's edges. A colour is 0xRRGGBB on a 24-bit picture
// and a palette index on an 8-bit one, so one drawing serves both.

namespace tavolex {

struct CanvasPoint {
    int x;
    int y;
};

class SampleCanvas {
  public:
    explicit SampleCanvas(PackedBitmap& image) : image_(image) {}

    int width() const { return image_.width(); }
    int height() const { return image_.height(); }

    void pixel(int x, int y, std::uint32_t colour);
    std::uint32_t at(int x, int y) const;
    void fill(std::uint32_t colour) { rect(0, 0, width(), height(), colour); }
    void rect(int x, int y, int w, int h, std::uint32_t colour);
    // The inside of the ellipse through the rectangle's edges.
    void ellipse(int x, int y, int w, int h, std::uint32_t colour);
    // A polygon filled scanline by scanline (even-odd rule).
    void polygon(std::initializer_list<CanvasPoint> points, std::uint32_t colour);
    // Block letters (A-Z, 0-9, space, '-', '.') of 5 x 5 cells of `scale` pixels, 6 cells apart.
    void text(std::string_view text, int x, int y, int scale, std::uint32_t colour);
    // The same with cells `cellWidth` x `cellHeight` pixels.
    void text(std::string_view text, int x, int y, int cellWidth, int cellHeight, std::uint32_t colour);
    // The same centred on x.
    void centredText(std::string_view text, int centreX, int y, int scale, std::uint32_t colour);
    static int TextWidth(std::string_view text, int scale);
    // Every pixel of `from` becomes `to`.
    void replace(std::uint32_t from, std::uint32_t to);

  private:
    PackedBitmap& image_;
};

// A colour lighter (amount > 0) or darker, each channel clamped.
std::uint32_t Shade(std::uint32_t rgb, int amount);
// Near black on a light colour, near white on a dark one: lettering that reads.
std::uint32_t Contrasting(std::uint32_t rgb);

} // namespace tavolex
