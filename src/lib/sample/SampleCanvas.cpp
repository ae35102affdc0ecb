#include "sample/SampleCanvas.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace tavolex {
namespace {

using Glyph = std::array<std::uint8_t, 5>; // five rows of five cells, the leftmost cell in bit 4

constexpr std::array<Glyph, 26> kLetters = {{
    {0b01110, 0b10001, 0b11111, 0b10001, 0b10001}, {0b11110, 0b10001, 0b11110, 0b10001, 0b11110},
    {0b01111, 0b10000, 0b10000, 0b10000, 0b01111}, {0b11110, 0b10001, 0b10001, 0b10001, 0b11110},
    {0b11111, 0b10000, 0b11110, 0b10000, 0b11111}, {0b11111, 0b10000, 0b11110, 0b10000, 0b10000},
    {0b01111, 0b10000, 0b10011, 0b10001, 0b01111}, {0b10001, 0b10001, 0b11111, 0b10001, 0b10001},
    {0b11111, 0b00100, 0b00100, 0b00100, 0b11111}, {0b00111, 0b00001, 0b00001, 0b10001, 0b01110},
    {0b10001, 0b10010, 0b11100, 0b10010, 0b10001}, {0b10000, 0b10000, 0b10000, 0b10000, 0b11111},
    {0b10001, 0b11011, 0b10101, 0b10001, 0b10001}, {0b10001, 0b11001, 0b10101, 0b10011, 0b10001},
    {0b01110, 0b10001, 0b10001, 0b10001, 0b01110}, {0b11110, 0b10001, 0b11110, 0b10000, 0b10000},
    {0b01110, 0b10001, 0b10101, 0b10010, 0b01101}, {0b11110, 0b10001, 0b11110, 0b10010, 0b10001},
    {0b01111, 0b10000, 0b01110, 0b00001, 0b11110}, {0b11111, 0b00100, 0b00100, 0b00100, 0b00100},
    {0b10001, 0b10001, 0b10001, 0b10001, 0b01110}, {0b10001, 0b10001, 0b10001, 0b01010, 0b00100},
    {0b10001, 0b10001, 0b10101, 0b11011, 0b10001}, {0b10001, 0b01010, 0b00100, 0b01010, 0b10001},
    {0b10001, 0b01010, 0b00100, 0b00100, 0b00100}, {0b11111, 0b00010, 0b00100, 0b01000, 0b11111},
}};

constexpr std::array<Glyph, 10> kDigits = {{
    {0b01110, 0b10011, 0b10101, 0b11001, 0b01110},
    {0b00100, 0b01100, 0b00100, 0b00100, 0b01110},
    {0b11110, 0b00001, 0b01110, 0b10000, 0b11111},
    {0b11110, 0b00001, 0b00110, 0b00001, 0b11110},
    {0b10010, 0b10010, 0b11111, 0b00010, 0b00010},
    {0b11111, 0b10000, 0b11110, 0b00001, 0b11110},
    {0b01110, 0b10000, 0b11110, 0b10001, 0b01110},
    {0b11111, 0b00001, 0b00010, 0b00100, 0b00100},
    {0b01110, 0b10001, 0b01110, 0b10001, 0b01110},
    {0b01110, 0b10001, 0b01111, 0b00001, 0b01110},
}};

constexpr Glyph kDash = {0, 0, 0b11111, 0, 0};
constexpr Glyph kDot = {0, 0, 0, 0, 0b00100};
constexpr Glyph kSpace = {0, 0, 0, 0, 0};

const Glyph& GlyphOf(char c) {
    if (c >= 'a' && c <= 'z')
        c = static_cast<char>(c - 'a' + 'A');
    if (c >= 'A' && c <= 'Z')
        return kLetters[static_cast<std::size_t>(c - 'A')];
    if (c >= '0' && c <= '9')
        return kDigits[static_cast<std::size_t>(c - '0')];
    return c == '-' ? kDash : c == '.' ? kDot : kSpace;
}

} // namespace

void SampleCanvas::pixel(int x, int y, std::uint32_t colour) {
    if (x < 0 || y < 0 || x >= width() || y >= height()) {
        return;
    }
    if (image_.depth() == Depth::Bits8) {
        image_.topRow(y)[x] = static_cast<std::uint8_t>(colour);
        return;
    }
    std::uint8_t* p = image_.topRow(y) + 3 * x;
    p[0] = static_cast<std::uint8_t>(colour);
    p[1] = static_cast<std::uint8_t>(colour >> 8);
    p[2] = static_cast<std::uint8_t>(colour >> 16);
}

std::uint32_t SampleCanvas::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width() || y >= height()) {
        return 0;
    }
    if (image_.depth() == Depth::Bits8) {
        return image_.topRow(y)[x];
    }
    const std::uint8_t* p = image_.topRow(y) + 3 * x;
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16;
}

void SampleCanvas::rect(int x, int y, int w, int h, std::uint32_t colour) {
    const int left = std::max(x, 0);
    const int right = std::min(x + w, width());
    if (left >= right) {
        return;
    }
    const auto count = static_cast<std::size_t>(right - left);
    const std::array<std::uint8_t, 3> bgr = {static_cast<std::uint8_t>(colour), static_cast<std::uint8_t>(colour >> 8),
                                             static_cast<std::uint8_t>(colour >> 16)};
    for (int row = std::max(y, 0); row < std::min(y + h, height()); ++row) {
        if (image_.depth() == Depth::Bits8) {
            std::fill_n(image_.topRow(row) + left, count, bgr[0]);
            continue;
        }
        std::uint8_t* p = image_.topRow(row) + 3 * left;
        for (std::size_t i = 0; i < count; ++i, p += 3) {
            p[0] = bgr[0];
            p[1] = bgr[1];
            p[2] = bgr[2];
        }
    }
}

void SampleCanvas::ellipse(int x, int y, int w, int h, std::uint32_t colour) {
    if (w <= 0 || h <= 0) {
        return;
    }
    // In twice the coordinates, so that the centre of an even size lies between
    // pixels: a pixel is inside when its centre is.
    const double rx = w;
    const double ry = h;
    for (int row = y; row < y + h; ++row) {
        const double dy = 2.0 * (row - y) + 1 - ry;
        const double half = rx * std::sqrt(std::max(0.0, 1 - dy * dy / (ry * ry))); // in doubled units
        const int first = static_cast<int>(std::ceil((w - half - 1) / 2));
        const int last = static_cast<int>(std::floor((w + half - 1) / 2));
        rect(x + first, row, last - first + 1, 1, colour);
    }
}

void SampleCanvas::polygon(std::initializer_list<CanvasPoint> points, std::uint32_t colour) {
    const std::vector<CanvasPoint> corners(points);
    if (corners.size() < 3) {
        return;
    }
    int top = corners[0].y;
    int bottom = corners[0].y;
    for (const CanvasPoint& p : corners) {
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    std::vector<double> crossings;
    for (int row = std::max(top, 0); row <= std::min(bottom, height() - 1); ++row) {
        const double y = row + 0.5;
        crossings.clear();
        for (std::size_t i = 0; i < corners.size(); ++i) {
            const CanvasPoint& a = corners[i];
            const CanvasPoint& b = corners[(i + 1) % corners.size()];
            if ((a.y <= y) != (b.y <= y)) {
                crossings.push_back(a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y));
            }
        }
        std::sort(crossings.begin(), crossings.end());
        // Crossings lie inside the canvas, never below zero, where adding a half rounds.
        for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
            const int first = static_cast<int>(crossings[i] + 0.5);    // NOLINT(bugprone-incorrect-roundings)
            const int last = static_cast<int>(crossings[i + 1] + 0.5); // NOLINT(bugprone-incorrect-roundings)
            rect(first, row, last - first, 1, colour);
        }
    }
}

int SampleCanvas::TextWidth(std::string_view text, int scale) {
    return text.empty() ? 0 : (static_cast<int>(text.size()) * 6 - 1) * scale;
}

void SampleCanvas::text(std::string_view text, int x, int y, int scale, std::uint32_t colour) {
    this->text(text, x, y, scale, scale, colour);
}

void SampleCanvas::text(std::string_view text, int x, int y, int cellWidth, int cellHeight, std::uint32_t colour) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const Glyph& glyph = GlyphOf(text[i]);
        const int left = x + static_cast<int>(i) * 6 * cellWidth;
        for (int row = 0; row < 5; ++row) {
            for (int cell = 0; cell < 5; ++cell) {
                if (glyph[static_cast<std::size_t>(row)] & (0b10000 >> cell)) {
                    rect(left + cell * cellWidth, y + row * cellHeight, cellWidth, cellHeight, colour);
                }
            }
        }
    }
}

void SampleCanvas::centredText(std::string_view text, int centreX, int y, int scale, std::uint32_t colour) {
    this->text(text, centreX - TextWidth(text, scale) / 2, y, scale, colour);
}

void SampleCanvas::replace(std::uint32_t from, std::uint32_t to) {
    for (int y = 0; y < height(); ++y) {
        for (int x = 0; x < width(); ++x) {
            if (at(x, y) == from)
                pixel(x, y, to);
        }
    }
}

std::uint32_t Shade(std::uint32_t rgb, int amount) {
    auto channel = [&](int shift) {
        const int v = static_cast<int>((rgb >> shift) & 0xFF) + amount;
        return static_cast<std::uint32_t>(std::clamp(v, 0, 255)) << shift;
    };
    return channel(16) | channel(8) | channel(0);
}

std::uint32_t Contrasting(std::uint32_t rgb) {
    const int light = static_cast<int>((rgb >> 16) & 0xFF) * 3 + static_cast<int>((rgb >> 8) & 0xFF) * 6 +
                      static_cast<int>(rgb & 0xFF);
    return light > 1280 ? 0x181818 : 0xF4F4F4;
}

} // namespace tavolex
