#include "editing/PitCrewColours.h"

#include <algorithm>

namespace tavolex {
namespace {

constexpr std::array<PitCrewArea, 13> kAreas = {{
    {"Head.", 11},
    {"Goggles.", 14},
    {"Chest.", 4},
    {"Epaulettes and stripes.", 10},
    {"Arms.", 12},
    {"Hands.", 15},
    {"Logo top and left arm patch.", 7},
    {"Upper horizontal band.", 6},
    {"Lower band, logo and arm patches.", 8},
    {"Waist.", 13},
    {"Legs.", 9},
    {"Feet.", 5},
    {"Fire extinguisher, sign and fuel hose.", 3},
}};

constexpr std::array<int, 22> kCycle = {1,  8,  16,  24,  32,  40,  48,  56,  64,  72,  80,
                                        88, 96, 104, 112, 120, 128, 136, 168, 176, 192, 208};
constexpr int kCycleEnd = 208;
constexpr int kTemplateWidth = 200;
constexpr int kTemplateHeight = 189;
constexpr int kFirstPickable = 1;
constexpr int kLastPickable = 192;
constexpr int kLastOutlined = 207;

} // namespace

std::span<const PitCrewArea> PitCrewAreas() { return kAreas; }

std::optional<int> PitCrewAreaAt(const PackedBitmap& unpainted, int x, int y, int w, int h) {
    if (!unpainted.is(kTemplateWidth, kTemplateHeight, Depth::Bits8) || w <= 0 || h <= 0 || x < 0 || y < 0 || x >= w ||
        y >= h) {
        return std::nullopt;
    }
    const int p = unpainted.topRow(kTemplateHeight * y / h)[kTemplateWidth * x / w];
    if (p < kFirstPaintedPixel) {
        return std::nullopt;
    }
    return p / 16;
}

int NextCycleColour(int colour) {
    if (colour >= kCycleEnd) {
        return colour;
    }
    const int next = *std::upper_bound(kCycle.begin(), kCycle.end(), colour);
    return next == kCycleEnd ? kCycle.front() : next;
}

int PreviousCycleColour(int colour) {
    int lowered = colour - 1;
    if (lowered < 2) {
        lowered = kLastOutlined;
    }
    // The largest cycle value not above it; 1 is the smallest and lowered is at least 2.
    return *(std::upper_bound(kCycle.begin(), kCycle.end(), lowered) - 1);
}

PaletteCell PaletteCellAt(int k, int width, int height) {
    const int row = k / 16;
    const int column = k % 16;
    return {(width - 1) * column / 16, (height - 1) * row / 13, (width - 1) * (column + 1) / 16,
            (height - 1) * (row + 1) / 13};
}

std::optional<int> PickPaletteCell(int x, int y, int width, int height) {
    for (int k = kFirstPickable; k <= kLastPickable; ++k) {
        const PaletteCell cell = PaletteCellAt(k, width, height);
        if (x >= cell.left && x < cell.right && y >= cell.top && y < cell.bottom) {
            return k;
        }
    }
    return std::nullopt;
}

std::vector<int> OutlinedPaletteCells(int colour) {
    std::vector<int> cells;
    for (int k = colour; k <= colour + 15; ++k) {
        if (k >= 1 && k <= kLastOutlined) {
            cells.push_back(k);
        }
    }
    return cells;
}

} // namespace tavolex
