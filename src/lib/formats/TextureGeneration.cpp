#include "formats/TextureGeneration.h"

#include <cstring>

#include "formats/GamePalette.h"
#include "formats/PaletteConversion.h"

namespace tavolex {
namespace {

constexpr int kCockpitSide = 256;
// The Ferrari cockpit's body colour, which the mask keeps as the first colour.
constexpr std::uint8_t kMaskBodyIndex = 96;

// The `rows` top rows of an 8-bit image, as an image of their own.
PackedBitmap TopRows(const PackedBitmap& image, int rows) {
    PackedBitmap top(image.width(), rows, Depth::Bits8);
    for (int y = 0; y < rows; ++y) {
        std::memcpy(top.topRow(y), image.topRow(y), image.stride());
    }
    return top;
}

} // namespace

Error ToSoftware(const PackedBitmap& hardware, PackedBitmap& software, int first, int last) {
    return ReduceToPalette(hardware, software, first, last + 1);
}

Error ToHardware(const PackedBitmap& software, PackedBitmap& hardware) { return ExpandFromPalette(software, hardware); }

Error PitCrewToSoftware(PackedBitmap hardware, PackedBitmap& software) {
    if (hardware.depth() != Depth::Bits24) {
        return Error::ConversionFailed;
    }
    const PaletteColour& empty = GamePalette[0];
    for (int r = 0; r < hardware.height(); ++r) {
        std::uint8_t* p = hardware.row(r);
        for (int x = 0; x < hardware.width(); ++x, p += 3) {
            if (p[0] == kKeyBlue && p[1] == kKeyGreen && p[2] == kKeyRed) {
                p[0] = empty.blue;
                p[1] = empty.green;
                p[2] = empty.red;
            }
        }
    }
    return ToSoftware(hardware, software, 0, 253);
}

Error PitCrewToHardware(PackedBitmap software, PackedBitmap& hardware) {
    if (software.depth() != Depth::Bits8) {
        return Error::ConversionFailed;
    }
    software.palette()[0] = kKeyBlue;
    software.palette()[1] = kKeyGreen;
    software.palette()[2] = kKeyRed;
    return ExpandFromPalette(software, hardware);
}

Error CockpitToSoftware(const PackedBitmap& hardware, PackedBitmap& software) {
    PackedBitmap whole;
    if (!hardware.is(kCockpitSide, kCockpitSide, Depth::Bits24) || !Ok(ToSoftware(hardware, whole, 1, 253))) {
        return Error::ConversionFailed;
    }
    software = TopRows(whole, kCockpitSoftwareRows);
    return Error::None;
}

Error CockpitToHardware(const PackedBitmap& software, const PackedBitmap& mask, PackedBitmap& hardware) {
    if (!software.is(kCockpitSide, kCockpitSoftwareRows, Depth::Bits8) ||
        !mask.is(kCockpitSide, kCockpitMaskRows, Depth::Bits8)) {
        return Error::ConversionFailed;
    }
    const std::uint8_t first = software.topRow(1)[1];
    const std::uint8_t second = software.topRow(63)[90];
    PackedBitmap sheet(kCockpitSide, kCockpitSide, Depth::Bits8);
    for (int y = 0; y < kCockpitSide; ++y) {
        std::uint8_t* row = sheet.topRow(y);
        if (y < kCockpitSoftwareRows) {
            std::memcpy(row, software.topRow(y), kCockpitSide);
            continue;
        }
        const std::uint8_t* marks = mask.topRow(y - kCockpitSoftwareRows);
        for (int x = 0; x < kCockpitSide; ++x) {
            row[x] = marks[x] == kMaskFirstColour ? first : marks[x] == kMaskSecondColour ? second : marks[x];
        }
    }
    return ExpandFromPalette(sheet, hardware);
}

Error MakeCockpitMask(const PackedBitmap& ferrariCockpit, PackedBitmap& mask) {
    PackedBitmap reduced;
    if (!ferrariCockpit.is(kCockpitSide, kCockpitSide, Depth::Bits24) ||
        !Ok(ToSoftware(ferrariCockpit, reduced, 1, 254))) {
        return Error::ConversionFailed;
    }
    PackedBitmap lower(kCockpitSide, kCockpitMaskRows, Depth::Bits8);
    for (int y = 0; y < kCockpitMaskRows; ++y) {
        const std::uint8_t* in = reduced.topRow(y + kCockpitSoftwareRows);
        std::uint8_t* out = lower.topRow(y);
        for (int x = 0; x < kCockpitSide; ++x) {
            out[x] = in[x] == kMaskBodyIndex ? kMaskFirstColour : kMaskSecondColour;
        }
    }
    mask = std::move(lower);
    return Error::None;
}

} // namespace tavolex
