#include "sample/SamplePictures.h"

#include <algorithm>
#include <string>

#include "document/CarSet.h"
#include "document/NumberPositions.h"
#include "document/PitCrewSheet.h"
#include "document/PitLaneStrips.h"
#include "formats/BitmapOps.h"
#include "formats/GamePalette.h"
#include "formats/PaletteConversion.h"
#include "formats/TextureGeneration.h"
#include "formats/TyreBitmaps.h"
#include "sample/SampleCanvas.h"
#include "sample/SampleLook.h"
#include "sample/SamplePitCrew.h"

namespace tavolex {
namespace {

constexpr int kWidth = 256;
constexpr int kBand = 128; // a livery's view: left, front, right
constexpr int kHelmets = 11, kHelmetsE = 12, kFirstCrew = 13, kLastCrew = 34;
constexpr int kFirstCockpit = 35, kLastCockpit = 45, kFerrariCockpit = 36;
constexpr int kCrewColourSheet = 46, kJackBottom = 48, kJackTop = 49;
constexpr int kFirstWheel = 50, kLastWheel = 53, kPitBoxes = 59, kFirstRecolour = 100;
constexpr int kCockpitSide = 256;
// The palette entry the editor's cockpit mask takes as the cockpit's first colour.
constexpr int kMaskBodyIndex = 96;
constexpr std::uint32_t kDark = 0x181818;
constexpr std::uint32_t kRubber = 0x1C1C1E;
constexpr std::uint32_t kWhite = 0xF4F4F4;

int TeamOf(int k) {
    if (k >= kFirstCrew && k <= kLastCrew)
        return (k - kFirstCrew) / 2;
    if (k >= kFirstCockpit && k <= kLastCockpit)
        return k - kFirstCockpit;
    return k % kTeamCount;
}

// A number image: dark digits on a white board filling the rectangle.
void NumberBoard(SampleCanvas& c, int x, int y, int w, int h, int number) {
    const std::string digits = std::to_string(number);
    c.rect(x, y, w, h, kWhite);
    const int scale = std::max(1, std::min((w - 2) / SampleCanvas::TextWidth(digits, 1), (h - 2) / 5));
    c.text(digits, x + (w - SampleCanvas::TextWidth(digits, scale)) / 2, y + (h - 5 * scale) / 2, scale, kDark);
}

// The side of the car, nose to the left, on a band of its own.
void CarSide(SampleCanvas& c, int top, const SampleTeamLook& look) {
    c.rect(0, top, kWidth, kBand, Shade(look.body, -60));
    c.polygon({{0, top + 74},
               {90, top + 60},
               {150, top + 42},
               {255, top + 38},
               {255, top + 106},
               {150, top + 110},
               {60, top + 98},
               {0, top + 84}},
              look.body);
    c.polygon({{0, top + 76}, {90, top + 64}, {150, top + 48}, {150, top + 54}, {90, top + 70}, {0, top + 80}},
              look.trim);
    c.polygon({{120, top + 62}, {226, top + 58}, {250, top + 72}, {250, top + 104}, {120, top + 104}},
              Shade(look.body, -24));
    c.rect(126, top + 70, 118, 16, look.trim);
    c.ellipse(96, top + 36, 44, 16, kDark);     // the cockpit opening
    c.rect(160, top + 28, 36, 12, look.accent); // the air box
    c.rect(60, top + 100, 190, 4, Shade(look.body, -40));
}

// The car from the front: wing, nose, side pods and air box.
void CarFront(SampleCanvas& c, int top, const SampleTeamLook& look) {
    c.rect(0, top, kWidth, kBand, Shade(look.body, -60));
    c.rect(24, top + 46, 64, 44, Shade(look.body, -20));
    c.rect(168, top + 46, 64, 44, Shade(look.body, -20));
    c.rect(24, top + 60, 64, 12, look.trim);
    c.rect(168, top + 60, 64, 12, look.trim);
    c.ellipse(106, top + 4, 44, 36, kDark);
    c.ellipse(112, top + 10, 32, 24, look.accent);
    c.polygon({{98, top + 34}, {158, top + 34}, {142, top + 100}, {114, top + 100}}, look.body);
    c.rect(124, top + 34, 8, 66, look.trim);
    c.rect(8, top + 100, 240, 12, look.body);
    c.rect(8, top + 104, 240, 3, look.trim);
    c.rect(4, top + 86, 8, 30, look.trim);
    c.rect(244, top + 86, 8, 30, look.trim);
}

void MirrorBand(PackedBitmap& image, int top) {
    for (int y = top; y < top + kBand; ++y) {
        std::uint8_t* row = image.topRow(y);
        for (int x = 0; x < kWidth / 2; ++x) {
            std::swap_ranges(row + 3 * x, row + 3 * x + 3, row + 3 * (kWidth - 1 - x));
        }
    }
}

PackedBitmap Livery(int team) {
    const SampleTeamLook& look = SampleTeam(team);
    TeamRecord record;
    SetDefaultNumberPositions(record, team);
    const auto numbers = DefaultCarNumbers();
    PackedBitmap image(kWidth, 3 * kBand, Depth::Bits24);
    SampleCanvas c(image);
    CarSide(c, 0, look);
    CarFront(c, kBand, look);
    CarSide(c, 2 * kBand, look);
    MirrorBand(image, 2 * kBand);
    std::string name(look.name);
    std::transform(name.begin(), name.end(), name.begin(), [](char ch) { return static_cast<char>(ch & ~0x20); });
    c.centredText(name, 185, 73, 2, look.body);
    c.centredText(name, 70, 2 * kBand + 73, 2, look.body);
    c.centredText(name, 56, kBand + 63, 1, look.body);
    c.centredText(name, 200, kBand + 63, 1, look.body);
    // The number images of both cars, and a board where the game puts them.
    for (int view = 0; view < 3; ++view) {
        const NumberRect first = record.numberSources[0][static_cast<std::size_t>(view)];
        const NumberPoint at = record.numberDestinations[static_cast<std::size_t>(view)];
        c.rect(at.x - 1, view * kBand + at.y - 1, first.width + 2, first.height + 2, kWhite);
        for (int car = 0; car < kDriversPerTeam; ++car) {
            const NumberRect r = record.numberSources[static_cast<std::size_t>(car)][static_cast<std::size_t>(view)];
            NumberBoard(c, r.x, view * kBand + r.y, r.width, r.height,
                        numbers[static_cast<std::size_t>(2 * team + car)]);
        }
    }
    return image;
}

// The hardware cockpit: below the quarter the game shows as the software
// cockpit, a tub with side pods in the body colour around a dark seat, the
// dashboard and the steering wheel. The Ferrari's body is exactly the palette
// colour the cockpit mask is made from, as the game's own sheet is.
PackedBitmap Cockpit(int k) {
    const SampleTeamLook& look = SampleTeam(TeamOf(k));
    std::uint32_t body = look.body;
    if (k == kFerrariCockpit) {
        const PaletteColour& p = GamePalette[kMaskBodyIndex];
        body = static_cast<std::uint32_t>(p.red) << 16 | static_cast<std::uint32_t>(p.green) << 8 | p.blue;
    }
    PackedBitmap image(kCockpitSide, kCockpitSide, Depth::Bits24);
    SampleCanvas c(image);
    c.rect(0, 0, kWidth, kCockpitSoftwareRows, body);
    c.rect(0, 18, kWidth, 16, look.trim);
    c.centredText(std::string(look.name), 128, 21, 2, body);
    c.ellipse(8, 40, 44, 16, kDark); // the mirrors
    c.ellipse(204, 40, 44, 16, kDark);
    // The last row the software cockpit shows carries the second colour, which
    // the editor's mask composition takes from it.
    c.rect(0, kCockpitSoftwareRows - 1, kWidth, 1, look.trim);
    for (int y = kCockpitSoftwareRows; y < kCockpitSide; ++y) {
        const int opening = 44 + (y - kCockpitSoftwareRows) / 4; // the tub widens towards the driver
        c.rect(0, y, 128 - opening, 1, body);
        c.rect(128 + opening, y, 128 - opening, 1, body);
        c.rect(128 - opening - 6, y, 6, 1, look.trim);
        c.rect(128 + opening, y, 6, 1, look.trim);
        c.rect(128 - opening, y, 2 * opening - 0, 1, y > 200 ? 0x303038 : kDark);
    }
    // The steering wheel: a dark grip around a centre in the team's colour.
    c.rect(74, 150, 108, 40, 0x282828);
    c.ellipse(64, 146, 24, 48, 0x202020);
    c.ellipse(168, 146, 24, 48, 0x202020);
    c.rect(104, 156, 48, 28, look.body);
    c.rect(112, 162, 32, 8, 0x40F040); // the display
    return image;
}

// Helmet h of the 22 on the 256 x 330 picture: a round shell in the driver's
// colours with stripes, a visor and the car number.
void Helmet(SampleCanvas& c, int h) {
    const SampleTeamLook& look = SampleTeam(h / 2);
    const auto [shell, stripe] = SampleHelmet(h);
    const int x = 128 * (h % 2);
    const int y = 30 * (h / 2);
    c.rect(x, y, 128, 30, 0x404048);
    c.ellipse(x + 2, y + 1, 124, 28, shell);
    for (int row = y; row < y + 30; ++row) {
        for (int column = x; column < x + 128; ++column) {
            const bool band = (column - x + 2 * (row - y)) % 48 < 10 + 4 * (h % 3);
            if (band && c.at(column, row) == shell)
                c.pixel(column, row, stripe);
        }
    }
    c.rect(x + 10, y + 13, 108, 3, look.accent);
    c.ellipse(x + 66, y + 7, 50, 14, 0x182030); // the visor
    c.rect(x + 72, y + 10, 36, 2, 0x6080A0);
    c.text(std::to_string(DefaultCarNumbers()[static_cast<std::size_t>(h)]), x + 14, y + 6, 2, Contrasting(shell));
}

PackedBitmap Helmets(int k, int height) {
    PackedBitmap image(kWidth, height, Depth::Bits24);
    // The file's helmets on the whole 256 x 330 picture (two a row of 30), and its rows out of that.
    const int first = k == kHelmets ? 0 : 12;
    PackedBitmap whole(kWidth, 330, Depth::Bits24);
    SampleCanvas all(whole);
    for (int h = first; h < first + height / 15; ++h) Helmet(all, h);
    return Ok(CopyPixels(whole, 0, k == kHelmets ? 0 : 180, image, 0, 0, kWidth, height)) ? image : PackedBitmap();
}

// A tyre seen from the side, `size` across at x, y: rubber with the maker's
// name on the sidewall around a rim; spinning, the rim is a blur of rings.
void TyreSide(SampleCanvas& c, int x, int y, int size, int type, bool blurred) {
    c.ellipse(x, y, size, size, kRubber);
    c.ellipse(x + size / 12, y + size / 12, size - size / 6, size - size / 6, 0x26262A);
    const std::uint32_t letters = type == 0 ? 0xF0D020 : kWhite;
    const int scale = std::max(1, size / 64);
    const std::string_view maker = SampleTyreMaker(type);
    c.centredText(maker, x + size / 2, y + size / 9, scale, letters);
    c.centredText(maker, x + size / 2, y + size - size / 9 - 5 * scale, scale, letters);
    const int rim = size / 4;
    for (int ring = 0; ring < (blurred ? 6 : 1); ++ring) {
        const int inset = rim + ring * size / 24;
        c.ellipse(x + inset, y + inset, size - 2 * inset, size - 2 * inset, ring % 2 == 0 ? 0xA8A8B0 : 0x70707A);
    }
    if (!blurred) {
        for (int spoke = 0; spoke < 5; ++spoke) {
            c.rect(x + size / 2 - 2, y + rim + spoke * (size - 2 * rim) / 5, 4, (size - 2 * rim) / 6, 0x505058);
        }
    }
    c.ellipse(x + size / 2 - size / 12, y + size / 2 - size / 12, size / 6, size / 6, 0x303036);
}

// Tyre rubber seen from the front: grooves across, chevrons in the wet.
void Tread(SampleCanvas& c, int x, int y, int w, int h, bool wet) {
    c.rect(x, y, w, h, kRubber);
    for (int row = y; row < y + h; ++row) {
        for (int column = x; column < x + w; ++column) {
            const int across = column - x;
            const int along = row - y + (wet ? std::abs(across - w / 2) / 2 : 0);
            const bool groove = wet ? along % 16 < 4 : (across % (w / 4) < 3 && across > 3 && across < w - 3);
            if (groove)
                c.pixel(column, row, 0x0A0A0C);
        }
    }
}

PackedBitmap SoftwareWheels(int k) {
    const int type = (k - kFirstWheel) / 2;
    PackedBitmap image(kWidth, kWidth, Depth::Bits24);
    SampleCanvas c(image);
    c.fill(0x101012);
    TyreSide(c, 2, 2, 252, type, (k - kFirstWheel) % 2 == 1);
    return image;
}

// A pit box sign per strip: the team whose sign it is by its place in the
// pit lane (the sample's lane is in reverse team order), its name in block letters.
PackedBitmap PitBoxSigns() {
    PackedBitmap image(kWidth, kPitStripCount * kPitStripRows, Depth::Bits24);
    SampleCanvas c(image);
    for (int team = 0; team < kTeamCount; ++team) {
        const SampleTeamLook& look = SampleTeam(team);
        const int y = kPitStripRows * PitStripOf(kTeamCount - 1 - team);
        c.rect(0, y, kWidth, kPitStripRows, look.body);
        c.rect(0, y, kWidth, 1, look.trim);
        c.rect(0, y + kPitStripRows - 1, kWidth, 1, look.trim);
        c.centredText(std::string(look.name), 128, y + 3, 2, look.trim);
    }
    return image;
}

PackedBitmap HardwarePicture(int k, int height) {
    if (k >= 0 && k < kTeamCount)
        return Livery(k);
    if (k == kHelmets || k == kHelmetsE)
        return Helmets(k, height);
    if (k >= kFirstCockpit && k <= kLastCockpit)
        return Cockpit(k);
    if (k >= kFirstWheel && k <= kLastWheel)
        return SoftwareWheels(k);
    if (k == kPitBoxes)
        return PitBoxSigns();
    PackedBitmap image(kWidth, height, Depth::Bits24);
    SampleCanvas(image).fill(Shade(SampleTeam(TeamOf(k)).body, -40));
    return image;
}

int RecolourFileOf(int k) {
    if (k == kCrewColourSheet)
        return 0;
    if (k == kJackBottom)
        return 6;
    if (k == kJackTop)
        return 7;
    return k - kFirstRecolour;
}

// The team's crew file for a half, as the game keeps it.
PackedBitmap CrewFile(int k, Variant variant, int height) {
    const PitCrewHalf half = (k - kFirstCrew) % 2 == 0 ? PitCrewHalf::Top : PitCrewHalf::Bottom;
    PackedBitmap file = PitCrewHalfFile(SampleCrewSheet(TeamOf(k)), half, height, Variant::Software);
    if (variant == Variant::Software) {
        return file;
    }
    PackedBitmap hardware;
    return Ok(PitCrewToHardware(file, hardware)) ? hardware : PackedBitmap();
}

} // namespace

PackedBitmap SampleJamPicture(int k, Variant variant, int height) {
    if (k >= kFirstCrew && k <= kLastCrew) {
        return CrewFile(k, variant, height);
    }
    if (variant == Variant::Software &&
        (k == kCrewColourSheet || k == kJackBottom || k == kJackTop || k >= kFirstRecolour)) {
        return SampleRecolourSheet(RecolourFileOf(k));
    }
    PackedBitmap picture = HardwarePicture(k, height);
    if (picture.height() != height) {
        // The software cockpit is the top of the hardware one.
        PackedBitmap top(picture.width(), height, Depth::Bits24);
        if (!Ok(CopyPixels(picture, 0, 0, top, 0, 0, picture.width(), height))) {
            return {};
        }
        picture = std::move(top);
    }
    if (variant == Variant::Hardware) {
        return picture;
    }
    PackedBitmap software;
    return Ok(ReduceToPalette(picture, software, 1, 254)) ? software : PackedBitmap();
}

PackedBitmap SampleTechJamPicture(int file) {
    const bool wheel = file < 4;
    const int type = (file / 2) % 2;
    const TyreSheet sheet = wheel ? TyreSheet::HardwareWheels : TyreSheet::Treads;
    const TyreSheetLayout& layout = LayoutOf(sheet);
    const auto fill = GameBitmapFill(sheet, type);
    PackedBitmap image(layout.fileWidth, layout.fileHeight, Depth::Bits24);
    SampleCanvas c(image);
    c.fill(static_cast<std::uint32_t>(fill[0]) << 16 | static_cast<std::uint32_t>(fill[1]) << 8 | fill[2]);
    if (wheel) {
        // The two 256-column pictures the game takes, either side of column 256.
        TyreSide(c, 0, 0, 256, type, file % 2 == 1);
        TyreSide(c, 257, 0, 256, type, true);
        Tread(c, 0, 256, 256, 224, false);
        Tread(c, 257, 256, 256, 224, false);
    } else {
        Tread(c, 0, 0, 256, 200, true);
    }
    return image;
}

} // namespace tavolex
