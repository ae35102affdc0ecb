#include "editing/PitCrewMaskPicture.h"

#include "editing/PitCrewUpgrade.h"
#include "files/AtomicWrite.h"
#include "formats/GamePalette.h"
#include "formats/PictureFile.h"

namespace tavolex {
namespace {

constexpr int kTextureWidth = 256;

// Full colours with one channel at 1 or 0x81, which the game's palette never holds.
constexpr std::array<PitCrewMarkerColour, kPitCrewMaskMarkers.size()> kMarkerColours = {{
    {242, 0xFF, 0x01, 0x01},
    {243, 0x01, 0xFF, 0x01},
    {245, 0x01, 0x01, 0xFF},
    {246, 0xFF, 0xFF, 0x01},
    {247, 0xFF, 0x01, 0xFF},
    {252, 0x01, 0xFF, 0xFF},
    {253, 0xFF, 0x81, 0x01},
    {254, 0x81, 0x01, 0xFF},
}};

void PutColour(std::uint8_t* pixel, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    pixel[0] = blue;
    pixel[1] = green;
    pixel[2] = red;
}

bool IsColour(const std::uint8_t* pixel, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return pixel[0] == blue && pixel[1] == green && pixel[2] == red;
}

bool IsTexture(const PackedBitmap& texture) {
    return texture.depth() == Depth::Bits8 && texture.width() == kTextureWidth && texture.height() > 0;
}

} // namespace

std::span<const PitCrewMarkerColour> PitCrewMarkerColours() { return kMarkerColours; }

PackedBitmap MakePitCrewMaskPicture(const PackedBitmap& texture) {
    if (!IsTexture(texture)) {
        return {};
    }
    PackedBitmap picture(kTextureWidth + kPitCrewLegendWidth, texture.height(), Depth::Bits24);
    for (int y = 0; y < texture.height(); ++y) {
        const std::uint8_t* source = texture.topRow(y);
        std::uint8_t* target = picture.topRow(y);
        for (int x = 0; x < kTextureWidth; ++x) {
            const PaletteColour& colour = GamePalette[source[x]];
            PutColour(target + 3 * x, colour.red, colour.green, colour.blue);
        }
        // The legend: a swatch per marker with a black gap between them.
        const int swatch = y / kPitCrewLegendSwatchRows;
        const bool gap = y % kPitCrewLegendSwatchRows >= kPitCrewLegendSwatchRows - 4;
        for (int x = kTextureWidth; x < picture.width(); ++x) {
            std::uint8_t* pixel = target + 3 * x;
            if (swatch < static_cast<int>(kMarkerColours.size()) && !gap) {
                const PitCrewMarkerColour& marker = kMarkerColours[static_cast<std::size_t>(swatch)];
                PutColour(pixel, marker.red, marker.green, marker.blue);
            } else {
                PutColour(pixel, 0, 0, 0);
            }
        }
    }
    return picture;
}

Error PitCrewMaskFromPicture(const PackedBitmap& texture, const PackedBitmap& painted, std::vector<std::uint8_t>& mask,
                             PixelPosition& bad) {
    if (!IsTexture(texture) || !painted.is(kTextureWidth + kPitCrewLegendWidth, texture.height(), Depth::Bits24)) {
        return Error::WrongBitmapSize;
    }
    // Made as an 8-bit picture, so that its bytes lie in the texture's stored order.
    PackedBitmap values(kTextureWidth, texture.height(), Depth::Bits8);
    for (int y = 0; y < texture.height(); ++y) {
        const std::uint8_t* own = texture.topRow(y);
        const std::uint8_t* paint = painted.topRow(y);
        std::uint8_t* value = values.topRow(y);
        for (int x = 0; x < kTextureWidth; ++x) {
            const std::uint8_t* pixel = paint + 3 * x;
            const PaletteColour& colour = GamePalette[own[x]];
            if (IsColour(pixel, colour.red, colour.green, colour.blue)) {
                value[x] = 0;
                continue;
            }
            bool marked = false;
            for (const PitCrewMarkerColour& marker : kMarkerColours) {
                if (IsColour(pixel, marker.red, marker.green, marker.blue)) {
                    value[x] = marker.value;
                    marked = true;
                    break;
                }
            }
            if (!marked) {
                bad = {x, y};
                return Error::UnexpectedMaskColour;
            }
        }
    }
    mask.assign(values.pixels(), values.pixels() + values.pixelBytes());
    return Error::None;
}

Error LoadPitCrewMaskPicture(const std::filesystem::path& path, const PackedBitmap& texture, PackedBitmap& painted) {
    if (!IsTexture(texture)) {
        return Error::WrongBitmapSize;
    }
    return LoadPictureFile(path, painted, kTextureWidth + kPitCrewLegendWidth, texture.height(), Depth::Bits24);
}

Error WritePitCrewMask(const std::filesystem::path& dataFolder, int file, std::span<const std::uint8_t> mask) {
    if (file < 0 || file >= kPitCrewUpgradeFiles || mask.size() != PitCrewMaskSize(file)) {
        return Error::WrongBitmapSize;
    }
    const std::filesystem::path path = PitCrewMaskPath(dataFolder, file);
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    if (ec) {
        return Error::WriteFailed;
    }
    return WriteFileAtomically(path, mask);
}

} // namespace tavolex
