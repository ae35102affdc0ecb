#include "sample/SamplePitCrew.h"

#include <algorithm>
#include <cstdlib>

#include "core/Variant.h"
#include "document/PitCrewSheet.h"
#include "formats/GamePalette.h"
#include "formats/JamNames.h"
#include "formats/PitCrewPainting.h"
#include "sample/SampleCanvas.h"
#include "sample/SampleLook.h"

namespace tavolex {
namespace {

// The paintable areas (colour numbers) the figures are made of.
enum Area : int {
    Equipment = 3,
    Chest = 4,
    Feet = 5,
    UpperBand = 6,
    Logo = 7,
    LowerBand = 8,
    Legs = 9,
    Epaulettes = 10,
    Head = 11,
    Arms = 12,
    Waist = 13,
    Goggles = 14,
    Hands = 15,
};

constexpr int kFirstRecolourJam = 100;
constexpr int kJackBottomFile = 6; // PC-JACK2: the crew sheet's bottom half
constexpr int kJackTopFile = 7;    // PC-JACK3: its top half
constexpr std::uint32_t kMidShade = 8;

std::uint32_t AreaColour(int area) { return static_cast<std::uint32_t>(area) * 16 + kMidShade; }

// A person seen from the front (or the back: no goggles), standing on `bottom`
// around the centre x, `height` tall. Light falls from the left.
void DrawCrewMember(PackedBitmap& areas, int x, int bottom, int height, bool back) {
    SampleCanvas c(areas);
    const int u = std::max(height / 16, 2);
    const int top = bottom - 16 * u;
    c.rect(x - 3 * u - u / 2, top + 3 * u, u + u / 2, 5 * u, AreaColour(Arms));
    c.rect(x + 2 * u, top + 3 * u, u + u / 2, 5 * u, AreaColour(Arms));
    c.rect(x - 3 * u - u / 2, top + 4 * u, u + u / 2, u / 2 + 1, AreaColour(back ? LowerBand : Logo));
    c.ellipse(x - 3 * u - u / 2, top + 8 * u - u / 2, u + u / 2, u + u / 2, AreaColour(Hands));
    c.ellipse(x + 2 * u, top + 8 * u - u / 2, u + u / 2, u + u / 2, AreaColour(Hands));
    c.rect(x - 2 * u - u / 2, top + 3 * u, 5 * u, 5 * u, AreaColour(Chest));
    c.rect(x - 2 * u - u / 2, top + 3 * u, 5 * u, u / 2 + 1, AreaColour(Epaulettes));
    c.rect(x - 2 * u - u / 2, top + 4 * u + u / 2, 5 * u, u / 2 + 1, AreaColour(UpperBand));
    c.rect(x - 2 * u - u / 2, top + 6 * u + u / 2, 5 * u, u / 2 + 1, AreaColour(LowerBand));
    c.rect(x - u, top + 5 * u + u / 4, 2 * u, u, AreaColour(back ? LowerBand : Logo));
    c.rect(x - 2 * u - u / 2, top + 8 * u, 5 * u, u, AreaColour(Waist));
    c.rect(x - 2 * u - u / 4, top + 9 * u, 2 * u, 6 * u, AreaColour(Legs));
    c.rect(x + u / 4, top + 9 * u, 2 * u, 6 * u, AreaColour(Legs));
    c.rect(x - 2 * u - u / 2, top + 15 * u, 2 * u + u / 4, u, AreaColour(Feet));
    c.rect(x + u / 4, top + 15 * u, 2 * u + u / 4, u, AreaColour(Feet));
    c.ellipse(x - u - u / 2, top, 3 * u, 3 * u + u / 2, AreaColour(Head));
    if (!back) {
        c.rect(x - u - u / 4, top + u, 2 * u + u / 2, u - u / 4, AreaColour(Goggles));
    }
    // Shading: lighter on the left of the figure, darker on the right.
    for (int row = top; row < bottom; ++row) {
        for (int column = x - 4 * u; column < x + 4 * u; ++column) {
            const std::uint32_t p = c.at(column, row);
            if (p >= static_cast<std::uint32_t>(kFirstPaintedPixel)) {
                const int shade = std::clamp(9 - (column - x) * 3 / (4 * u), 5, 12);
                c.pixel(column, row, (p & 0xF0) + static_cast<std::uint32_t>(shade));
            }
        }
    }
}

// A fire extinguisher on the ground at x.
void DrawExtinguisher(PackedBitmap& areas, int x, int bottom, int height) {
    SampleCanvas c(areas);
    const int w = std::max(height / 4, 4);
    c.rect(x, bottom - height, w, height, AreaColour(Equipment) + 2);
    c.ellipse(x, bottom - height - w / 2, w, w, AreaColour(Equipment) + 4);
    c.rect(x + w / 3, bottom - height - w, w / 3, w / 2, 2); // the valve, a dark grey no crew colour paints
    c.rect(x + w / 4, bottom - height * 2 / 3, w / 2, height / 4, 39);
}

// The crew sheet's areas: two people on the top half, the jack man with his
// jack and a man with an extinguisher on the bottom half.
PackedBitmap CrewAreaSheet() {
    PackedBitmap areas(kPitCrewSheetWidth, kPitCrewSheetHeight, Depth::Bits8);
    DrawCrewMember(areas, 42, 246, 190, false);
    DrawCrewMember(areas, 128, 246, 190, true);
    DrawCrewMember(areas, 42, 500, 190, false);
    SampleCanvas c(areas);
    c.rect(96, 470, 70, 8, AreaColour(Equipment) + 3);  // the jack's bar
    c.rect(96, 478, 10, 22, AreaColour(Equipment) + 1); // its foot
    c.rect(150, 440, 6, 60, AreaColour(Equipment) + 5); // its handle
    DrawExtinguisher(areas, 118, 460, 60);
    return areas;
}

// The areas of recolouring sheet `file` (256 x the sheet's height).
PackedBitmap RecolourAreas(int file) {
    const int height = ExpectedJamSize(kFirstRecolourJam + file, Variant::Software).value_or(JamSheetSize{1, 1}).height;
    if (file == kJackTopFile || file == kJackBottomFile) {
        return PitCrewHalfFile(CrewAreaSheet(), file == kJackTopFile ? PitCrewHalf::Top : PitCrewHalf::Bottom, height,
                               Variant::Software);
    }
    PackedBitmap areas(kPitCrewFileWidth, height, Depth::Bits8);
    if (file == 0) {
        // The colour preview: the first 200 columns, one person each way round.
        DrawCrewMember(areas, 52, height - 4, height - 8, false);
        DrawCrewMember(areas, 148, height - 4, height - 8, true);
        DrawExtinguisher(areas, 92, height - 4, height / 3);
        return areas;
    }
    for (int person = 0; person < 3; ++person) {
        DrawCrewMember(areas, 44 + 84 * person, height - 2, std::min(height - 6, 150) - 12 * ((person + file) % 3),
                       person == 1);
    }
    return areas;
}

// Where the game's sheets have the upgraded areas: the base form the game
// ships (head, arms, waist and hands in the chest's range, goggles in the
// epaulettes') and the mask byte that turns it into the area.
struct Unupgraded {
    std::uint8_t pixel;
    std::uint8_t mask;
};

Unupgraded BeforeUpgrade(std::uint8_t p) {
    const int shade = p % 16;
    switch (p / 16) {
    case Head: return {static_cast<std::uint8_t>(64 + shade), 254};
    case Hands: return {static_cast<std::uint8_t>(64 + shade), 247};
    // These two step their shade up by one on the way.
    case Arms: return {static_cast<std::uint8_t>(64 + std::max(shade - 1, 0)), 246};
    case Waist: return {static_cast<std::uint8_t>(64 + std::max(shade - 1, 0)), 253};
    case Goggles: return {static_cast<std::uint8_t>(160 + shade), 245};
    default: return {p, 0};
    }
}

// The start of the palette ramp that paints a colour best: of the game
// palette's runs of 16 shades of one hue (blacks, greys, whites, red, yellow,
// blue), the one with the shade nearest to it among those the crew shows.
std::uint8_t RampOf(std::uint32_t rgb) {
    constexpr std::array<std::uint8_t, 6> kRamps = {1, 16, 24, 48, 64, 96};
    auto distance = [&](std::uint8_t start) {
        int nearest = 3 * 255;
        for (int shade = 3; shade <= 13; ++shade) {
            const PaletteColour& p = GamePalette[static_cast<std::size_t>(start + shade)];
            nearest = std::min(nearest, std::abs(p.red - static_cast<int>((rgb >> 16) & 0xFF)) +
                                            std::abs(p.green - static_cast<int>((rgb >> 8) & 0xFF)) +
                                            std::abs(p.blue - static_cast<int>(rgb & 0xFF)));
        }
        return nearest;
    };
    return *std::min_element(kRamps.begin(), kRamps.end(),
                             [&](std::uint8_t a, std::uint8_t b) { return distance(a) < distance(b); });
}

} // namespace

std::array<std::uint8_t, 16> SampleCrewColours(int team) {
    const SampleTeamLook& look = SampleTeam(team);
    const std::uint8_t body = RampOf(look.body);
    const std::uint8_t trim = RampOf(look.trim);
    const std::uint8_t accent = RampOf(look.accent);
    const std::uint8_t dark = 1;
    const std::uint8_t red = RampOf(0xD01818);
    std::array<std::uint8_t, 16> colours{};
    colours[0] = 3;
    colours[1] = 14;
    colours[2] = 24;
    colours[Equipment] = red;
    colours[Chest] = body;
    colours[Feet] = dark;
    colours[UpperBand] = trim;
    colours[Logo] = accent;
    colours[LowerBand] = trim;
    colours[Legs] = body;
    colours[Epaulettes] = trim;
    colours[Head] = accent;
    colours[Arms] = body;
    colours[Waist] = trim;
    colours[Goggles] = dark;
    colours[Hands] = 16; // grey gloves
    return colours;
}

PackedBitmap SampleRecolourSheet(int file) {
    PackedBitmap sheet = RecolourAreas(file);
    for (int r = 0; r < sheet.height(); ++r) {
        std::uint8_t* row = sheet.row(r);
        for (int x = 0; x < sheet.width(); ++x) row[x] = BeforeUpgrade(row[x]).pixel;
    }
    return sheet;
}

std::vector<std::uint8_t> SampleRecolourMask(int file) {
    const PackedBitmap areas = RecolourAreas(file);
    std::vector<std::uint8_t> mask(areas.pixels(), areas.pixels() + areas.pixelBytes());
    for (std::uint8_t& m : mask) m = BeforeUpgrade(m).mask;
    return mask;
}

PackedBitmap SampleCrewSheet(int team) { return PaintPitCrew(CrewAreaSheet(), SampleCrewColours(team)); }

} // namespace tavolex
