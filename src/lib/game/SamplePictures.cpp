#include "game/SamplePictures.h"

#include <algorithm>
#include <array>
#include <string>

#include "formats/GamePalette.h"

namespace tavolex {
namespace {

// Each digit as five rows of three bits, top row first.
constexpr std::array<std::array<std::uint8_t, 5>, 10> kDigits = {{
    {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 7, 1, 7}, {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 1, 1, 1}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7},
}};

// Red, green and blue of each team's two colours, in the game's team order.
constexpr std::array<std::array<std::uint32_t, 2>, 11> kTeamColours = {{
    {0x1C3C9C, 0xF0F0F0}, {0xD01818, 0xF0D020}, {0x2050C0, 0xF0F0F0}, {0xC0C0C8, 0x202020},
    {0xF0D000, 0x101010}, {0x1840B0, 0xF0F0F0}, {0x102060, 0xE0E0E0}, {0xF09010, 0x202020},
    {0xF0F0F0, 0x2040A0}, {0x2060C0, 0xF0F0F0}, {0x202020, 0xF0D000},
}};

void SetPixel(PackedBitmap& image, int x, int y, std::uint32_t rgb) {
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height()) {
        return;
    }
    std::uint8_t* p = image.topRow(y) + 3 * x;
    p[0] = static_cast<std::uint8_t>(rgb);
    p[1] = static_cast<std::uint8_t>(rgb >> 8);
    p[2] = static_cast<std::uint8_t>(rgb >> 16);
}

void FillRect(PackedBitmap& image, int x0, int y0, int w, int h, std::uint32_t rgb) {
    for (int y = y0; y < y0 + h; ++y) {
        for (int x = x0; x < x0 + w; ++x) {
            SetPixel(image, x, y, rgb);
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

constexpr int kFirstCockpit = 35;
constexpr int kLastCockpit = 45;
constexpr int kFerrariCockpit = 36;
constexpr int kCockpitTop = 64;
// The palette entry the editor's cockpit mask takes as the cockpit's first colour.
constexpr int kMaskBodyIndex = 96;

// A hardware cockpit sheet: below the quarter the game shows as the software
// cockpit, a tub with side pods in the body colour around a dark seat and
// dashboard. The Ferrari's body is exactly the palette colour the cockpit mask
// is made from, as the game's own sheet is.
void DrawCockpitTub(PackedBitmap& image, int k, std::uint32_t body, std::uint32_t trim) {
    if (k == kFerrariCockpit) {
        const PaletteColour& c = GamePalette[kMaskBodyIndex];
        body = static_cast<std::uint32_t>(c.red) << 16 | static_cast<std::uint32_t>(c.green) << 8 | c.blue;
    }
    // The last row the software cockpit shows carries the second colour, which
    // the editor's mask composition takes from it.
    for (int x = 0; x < image.width(); ++x) {
        SetPixel(image, x, kCockpitTop - 1, trim);
    }
    for (int y = kCockpitTop; y < image.height(); ++y) {
        const int opening = 44 + (y - kCockpitTop) / 4; // the tub widens towards the driver
        for (int x = 0; x < image.width(); ++x) {
            const int fromCentre = x < 128 ? 127 - x : x - 128;
            std::uint32_t colour = fromCentre >= opening ? body : 0x181818;
            if (fromCentre >= opening && fromCentre < opening + 6) colour = trim;
            if (fromCentre < opening && y > 200) colour = 0x303038; // the dashboard
            SetPixel(image, x, y, colour);
        }
    }
}

} // namespace

void DrawNumber(PackedBitmap& image, int number, int x, int y, int scale, std::uint32_t colour) {
    const std::string digits = std::to_string(number);
    for (std::size_t d = 0; d < digits.size(); ++d) {
        const auto& glyph = kDigits[static_cast<std::size_t>(digits[d] - '0')];
        for (int row = 0; row < 5; ++row) {
            for (int column = 0; column < 3; ++column) {
                if (glyph[static_cast<std::size_t>(row)] & (4 >> column)) {
                    FillRect(image, x + (static_cast<int>(d) * 4 + column) * scale, y + row * scale, scale, scale,
                             colour);
                }
            }
        }
    }
}

PackedBitmap SampleLabelledPicture(int width, int height, int label, unsigned colourSeed) {
    PackedBitmap image(width, height, Depth::Bits24);
    const auto& colours = kTeamColours[colourSeed % kTeamColours.size()];
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            SetPixel(image, x, y, Shade(colours[0], (x * 40 / std::max(width, 1)) - (y * 40 / std::max(height, 1))));
        }
    }
    const int scale = std::max(1, std::min(width, height) / 12);
    DrawNumber(image, label, 2 * scale, 2 * scale, scale, colours[1]);
    return image;
}

PackedBitmap SampleJamPicture(int k, int height, int imageCount) {
    // Team textures take their team's colours; the rest cycle through them.
    int team = k % 11;
    if (k >= 13 && k <= 34) team = (k - 13) / 2;
    if (k >= 35 && k <= 45) team = k - 35;
    const auto& colours = kTeamColours[static_cast<std::size_t>(team)];
    PackedBitmap image(256, height, Depth::Bits24);
    const int band = std::max(1, height / std::max(imageCount, 1));
    for (int y = 0; y < height; ++y) {
        const int b = std::min(y / band, imageCount - 1);
        for (int x = 0; x < 256; ++x) {
            // Body colour with a stripe of the second colour across each band.
            const bool stripe = (y % band) > band / 3 && (y % band) < band / 2;
            SetPixel(image, x, y, stripe ? colours[1] : Shade(colours[0], (b % 2) * 24 - x / 16));
        }
    }
    if (k >= kFirstCockpit && k <= kLastCockpit && height >= kCockpitTop) {
        DrawCockpitTub(image, k, colours[0], colours[1]);
    }
    for (int b = 0; b < imageCount; ++b) {
        const int scale = std::max(1, std::min(band / 8, 6));
        // Helmets carry their drivers' numbers, other sheets their band and index.
        const int label = (k == 11 || k == 12) ? (k - 11) * 12 + b + 1 : b + 1;
        DrawNumber(image, label, 4, b * band + 2, scale, colours[1]);
        DrawNumber(image, k, 160, b * band + 2, std::max(1, scale / 2), 0xFFFFFF);
    }
    return image;
}

} // namespace tavolex
