#include "preview/PreviewCanvas.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "preview/BitmapFont.h"

namespace tavolex {

PreviewBox FitInside(int pictureWidth, int pictureHeight, const PreviewBox& box) {
    if (pictureWidth <= 0 || pictureHeight <= 0 || box.width <= 0 || box.height <= 0) {
        return {box.x, box.y, 0, 0};
    }
    // Compared crosswise, so no division loses the wider side.
    const long long byWidth = static_cast<long long>(box.width) * pictureHeight;
    const long long byHeight = static_cast<long long>(box.height) * pictureWidth;
    int width = box.width;
    int height = box.height;
    if (byWidth > byHeight) {
        width = static_cast<int>(std::max(1LL, byHeight / pictureHeight));
    } else {
        height = static_cast<int>(std::max(1LL, byWidth / pictureWidth));
    }
    return {box.x + (box.width - width) / 2, box.y + (box.height - height) / 2, width, height};
}

bool PreviewCanvas::reset(int unitWidth, int unitHeight, int pixelWidth, Rgb background) {
    image_.clear();
    if (unitWidth <= 0 || unitHeight <= 0 || pixelWidth <= 0 || pixelWidth > PackedBitmap::kMaxSide) {
        return false;
    }
    const long long pixelHeight = static_cast<long long>(unitHeight) * pixelWidth / unitWidth;
    if (pixelHeight < 1 || pixelHeight > PackedBitmap::kMaxSide) {
        return false;
    }
    unitWidth_ = unitWidth;
    if (!image_.reset(pixelWidth, static_cast<int>(pixelHeight), Depth::Bits24)) {
        return false;
    }
    fill({0, 0, unitWidth, unitHeight}, background);
    return true;
}

int PreviewCanvas::pixel(int units) const {
    return static_cast<int>(static_cast<long long>(units) * image_.width() / unitWidth_);
}

void PreviewCanvas::fill(const PreviewBox& box, Rgb colour) {
    if (image_.empty()) {
        return;
    }
    const int left = std::clamp(pixel(box.x), 0, image_.width());
    const int right = std::clamp(pixel(box.x + box.width), 0, image_.width());
    const int top = std::clamp(pixel(box.y), 0, image_.height());
    const int bottom = std::clamp(pixel(box.y + box.height), 0, image_.height());
    for (int y = top; y < bottom; ++y) {
        std::uint8_t* out = image_.topRow(y) + 3 * left;
        for (int x = left; x < right; ++x, out += 3) {
            out[0] = colour[2];
            out[1] = colour[1];
            out[2] = colour[0];
        }
    }
}

void PreviewCanvas::picture(const PackedBitmap& source, const PreviewBox& box) {
    if (image_.empty() || source.empty()) {
        return;
    }
    const int left = pixel(box.x);
    const int top = pixel(box.y);
    const int width = pixel(box.x + box.width) - left;
    const int height = pixel(box.y + box.height) - top;
    if (width <= 0 || height <= 0) {
        return;
    }
    // Each target pixel takes the source pixel under its centre.
    std::vector<int> columns;
    for (int x = 0; x < width; ++x) {
        const int target = left + x;
        if (target >= 0 && target < image_.width()) {
            columns.push_back((2 * x + 1) * source.width() / (2 * width));
        } else {
            columns.push_back(-1);
        }
    }
    const bool indexed = source.depth() == Depth::Bits8;
    const std::uint8_t* palette = indexed ? source.palette() : nullptr;
    for (int y = 0; y < height; ++y) {
        const int target = top + y;
        if (target < 0 || target >= image_.height()) {
            continue;
        }
        const std::uint8_t* in = source.topRow((2 * y + 1) * source.height() / (2 * height));
        std::uint8_t* out = image_.topRow(target) + 3 * left;
        for (int x = 0; x < width; ++x, out += 3) {
            const int column = columns[static_cast<std::size_t>(x)];
            if (column < 0) {
                continue;
            }
            const std::uint8_t* colour = indexed ? palette + 4 * in[column] : in + 3 * column;
            out[0] = colour[0];
            out[1] = colour[1];
            out[2] = colour[2];
        }
    }
}

void PreviewCanvas::text(int x, int y, std::string_view text, Rgb colour, int right, int size) {
    for (char c : text) {
        if (x + kGlyphColumns * size > right) {
            return;
        }
        const Glyph& glyph = GlyphOf(static_cast<std::uint8_t>(c));
        for (int row = 0; row < kGlyphRows; ++row) {
            for (int column = 0; column < kGlyphColumns; ++column) {
                if (glyph.ink(column, row)) {
                    fill({x + column * size, y + row * size, size, size}, colour);
                }
            }
        }
        x += kGlyphAdvance * size;
    }
}

} // namespace tavolex
