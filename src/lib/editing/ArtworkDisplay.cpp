#include "editing/ArtworkDisplay.h"

#include <algorithm>
#include <cstring>

#include "game/MenuArtArchive.h"

namespace tavolex {
namespace {

constexpr std::array<std::array<int, 2>, kLogoFrames> kLogoSizes = {{
    {29, 119},  {29, 119},  {34, 120},  {43, 120},  {53, 120},  {62, 120},  {72, 120},  {81, 120},
    {89, 120},  {97, 120},  {103, 120}, {109, 119}, {113, 118}, {117, 118}, {119, 117}, {120, 117},
    {120, 116}, {119, 116}, {117, 115}, {113, 114}, {109, 114}, {103, 114}, {97, 115},  {90, 115},
    {82, 116},  {72, 116},  {62, 116},  {53, 117},  {43, 118},  {35, 119},
}};
constexpr std::array<ArtRegion, kScreenRegions> kScreens = {{
    {490, 570, 115, 56},
    {1, 370, 74, 190},
    {77, 370, 58, 150},
    {137, 370, 200, 46},
    {339, 370, 86, 20},
}};
constexpr std::array<int, 6> kSmallX = {1, 80, 160, 238, 320, 402};
constexpr int kLargeSide = 128;
constexpr int kSmallSide = 78;
constexpr int kCornerSide = 42;
constexpr int kCornerOffset = 86; // where the corner starts inside a large picture and the driver box
constexpr int kLowerBandTop = 570;
constexpr std::array<int, 4> kSelection = {0, 1, 2, 1};

bool IsMagenta(const std::uint8_t* pixel) { return pixel[0] == 0xF8 && pixel[1] == 0 && pixel[2] == 0xF8; }

std::uint8_t* At(PackedBitmap& image, int x, int y) { return image.topRow(y) + 3 * x; }
const std::uint8_t* At(const PackedBitmap& image, int x, int y) { return image.topRow(y) + 3 * x; }

bool Inside(const PackedBitmap& image, const ArtRegion& r) {
    return r.x >= 0 && r.y >= 0 && r.width >= 0 && r.height >= 0 && r.x + r.width <= image.width() &&
           r.y + r.height <= image.height();
}

// Copies a w x h block; with `keyed`, magenta pixels of the source are left out.
void CopyBlock(const PackedBitmap& from, int fx, int fy, PackedBitmap& to, int tx, int ty, int w, int h, bool keyed) {
    if (!Inside(from, {fx, fy, w, h}) || !Inside(to, {tx, ty, w, h})) {
        return;
    }
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const std::uint8_t* in = At(from, fx + x, fy + y);
            if (!keyed || !IsMagenta(in)) {
                std::memcpy(At(to, tx + x, ty + y), in, 3);
            }
        }
    }
}

void Fill(PackedBitmap& image, const ArtRegion& r, Rgb colour) {
    for (int y = std::max(r.y, 0); y < std::min(r.y + r.height, image.height()); ++y) {
        for (int x = std::max(r.x, 0); x < std::min(r.x + r.width, image.width()); ++x) {
            std::uint8_t* out = At(image, x, y);
            out[0] = colour[2];
            out[1] = colour[1];
            out[2] = colour[0];
        }
    }
}

bool IsSheet(const PackedBitmap& sheet) { return sheet.is(948, 650, Depth::Bits24); }

} // namespace

ArtRegion ArtLogoFrame(int frame) {
    const int f = std::clamp(frame, 0, kLogoFrames - 1);
    const SheetPosition at = ArtSheetPosition(f);
    const auto& size = kLogoSizes[static_cast<std::size_t>(f)];
    return {at.x, at.y, size[0], size[1]};
}

ArtRegion ArtLargePicture(int picture) { return {427 + 129 * std::clamp(picture, 0, 3), 370, kLargeSide, kLargeSide}; }

ArtRegion ArtSmallPicture(int picture) {
    return {kSmallX[static_cast<std::size_t>(std::clamp(picture, 0, 5))], kLowerBandTop, kSmallSide, kSmallSide};
}

ArtRegion ArtCorner(int corner) { return {427 + 43 * std::clamp(corner, 0, 11), 499, kCornerSide, kCornerSide}; }

ArtRegion ArtScreenRegion(int index) {
    return kScreens[static_cast<std::size_t>(std::clamp(index, 0, kScreenRegions - 1))];
}

void PrepareArtDisplay(PackedBitmap& sheet, Rgb buttonFace) {
    if (!IsSheet(sheet)) {
        return;
    }
    // Each large picture's lower right corner, three times, as the base of the composed corners.
    for (int j = 0; j < 4; ++j) {
        const ArtRegion large = ArtLargePicture(j);
        for (int k = 0; k < 3; ++k) {
            const ArtRegion corner = ArtCorner(3 * j + k);
            CopyBlock(sheet, large.x + kCornerOffset, large.y + kCornerOffset, sheet, corner.x, corner.y, kCornerSide,
                      kCornerSide, false);
        }
    }
    // The small pictures laid over them where they are not see-through.
    for (int d = 0; d < 2; ++d) {
        for (int k = 0; k < 3; ++k) {
            const ArtRegion small = ArtSmallPicture(3 * d + k);
            for (int corner : {6 * d + k, 6 * d + 3 + k}) {
                const ArtRegion target = ArtCorner(corner);
                CopyBlock(sheet, small.x, small.y, sheet, target.x, target.y, kCornerSide, kCornerSide, true);
            }
        }
    }
    for (int y = 0; y < sheet.height(); ++y) {
        const bool lower = y >= kLowerBandTop;
        for (int x = 0; x < sheet.width(); ++x) {
            std::uint8_t* pixel = At(sheet, x, y);
            if (!IsMagenta(pixel)) {
                continue;
            }
            for (int c = 0; c < 3; ++c) {
                const int face = buttonFace[static_cast<std::size_t>(2 - c)];
                pixel[c] = static_cast<std::uint8_t>(std::max(lower ? face / 4 - 1 : face - 2, 0));
            }
        }
    }
}

PackedBitmap ComposeLogoBox(const PackedBitmap& display, int frame, Rgb buttonFace) {
    PackedBitmap box(kLogoBoxSide, kLogoBoxSide, Depth::Bits24);
    Fill(box, {0, 0, kLogoBoxSide, kLogoBoxSide}, buttonFace);
    if (IsSheet(display)) {
        const ArtRegion r = ArtLogoFrame(frame);
        CopyBlock(display, r.x, r.y, box, kLogoBoxSide / 2 - r.width / 2, kLogoBoxSide / 2 - r.height / 2, r.width,
                  r.height, false);
    }
    return box;
}

PackedBitmap ComposeDriverBox(const PackedBitmap& display, int driver, int frame, Rgb buttonFace) {
    PackedBitmap box(kDriverBoxSide, kDriverBoxSide, Depth::Bits24);
    const Rgb dark = {static_cast<std::uint8_t>(buttonFace[0] / 4), static_cast<std::uint8_t>(buttonFace[1] / 4),
                      static_cast<std::uint8_t>(buttonFace[2] / 4)};
    Fill(box, {0, 0, kDriverBoxSide, kDriverBoxSide}, dark);
    if (!IsSheet(display)) {
        return box;
    }
    const int f = std::clamp(frame, 0, 3);
    const int d = std::clamp(driver, 0, 1);
    const int sel = kSelection[static_cast<std::size_t>(f)];
    const ArtRegion large = ArtLargePicture(f / 2 + 2 * d);
    CopyBlock(display, large.x, large.y, box, 0, 0, kLargeSide, kLargeSide, false);
    // A line in the button face colour along the large picture's bottom and right edges.
    Fill(box, {0, kLargeSide, kLargeSide + 1, 1}, buttonFace);
    Fill(box, {kLargeSide, 0, 1, kLargeSide + 1}, buttonFace);
    const ArtRegion small = ArtSmallPicture(sel + 3 * d);
    CopyBlock(display, small.x, small.y, box, kCornerOffset, kCornerOffset, kSmallSide, kSmallSide, false);
    const ArtRegion corner = ArtCorner(3 * (f / 2 + 2 * d) + sel);
    CopyBlock(display, corner.x, corner.y, box, kCornerOffset, kCornerOffset, kCornerSide, kCornerSide, false);
    return box;
}

PackedBitmap CutArtRegion(const PackedBitmap& display, const ArtRegion& region) {
    if (!IsSheet(display) || !Inside(display, region) || region.width == 0 || region.height == 0) {
        return {};
    }
    PackedBitmap out(region.width, region.height, Depth::Bits24);
    CopyBlock(display, region.x, region.y, out, 0, 0, region.width, region.height, false);
    return out;
}

bool DriverToggle::start() {
    if (counter_ == 2) {
        counter_ = 6;
        return true;
    }
    if (counter_ == 8) {
        counter_ = 0;
        return true;
    }
    return false;
}

bool DriverToggle::tick() {
    if (!running()) {
        return false;
    }
    ++counter_;
    return running();
}

} // namespace tavolex
