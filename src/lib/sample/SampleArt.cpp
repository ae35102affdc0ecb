#include "sample/SampleArt.h"

#include <algorithm>
#include <string>

#include "document/CarSet.h"
#include "game/MenuArtBuilder.h"
#include "sample/SampleCanvas.h"
#include "sample/SampleLook.h"

namespace tavolex {
namespace {

constexpr int kLogoFrames = 30;
constexpr int kSetupCars = 30, kGridCar = 32, kFormationCar = 33, kPortraits = 34, kNumberBadges = 38, kBadge = 44;
constexpr std::uint32_t kDark = 0x181818;
constexpr std::uint32_t kSkin = 0xE0B090;

std::string Upper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

// The logo as a coin turning: each frame is as wide as the coin looks, and
// its face brightens and dims as it turns to the light.
void LogoFrame(SampleCanvas& c, const SampleTeamLook& look, int frame) {
    const int w = c.width();
    const int h = c.height();
    c.ellipse(0, 2, w, h - 4, look.trim);
    c.ellipse(std::min(3, w / 4), 6, w - 2 * std::min(3, w / 4), h - 12,
              Shade(look.body, 56 - std::abs(15 - frame) * 8));
    const std::string initial(1, Upper(look.name)[0]);
    const int cellWidth = std::max(1, (w - 16) / 5);
    c.text(initial, (w - 5 * cellWidth) / 2, h / 2 - 25, cellWidth, 10, look.trim);
}

// A car from above, nose up, filling the picture but for a margin.
void CarFromAbove(SampleCanvas& c, const SampleTeamLook& look, int number) {
    const int w = c.width();
    const int h = std::min(c.height(), w * 5 / 2);
    const int m = w / 2;
    c.rect(m - w * 3 / 8, 4, w * 3 / 4, h / 16, look.trim); // front wing
    c.rect(m - w / 2 + 2, h / 8, w / 5, h / 7, kDark);      // front tyres
    c.rect(m + w / 2 - 2 - w / 5, h / 8, w / 5, h / 7, kDark);
    c.polygon({{m - w / 12, 4}, {m + w / 12, 4}, {m + w / 6, h / 2}, {m - w / 6, h / 2}}, look.body); // nose
    c.rect(m - w / 3, h / 2 - h / 20, w * 2 / 3, h / 3, look.body);                                   // side pods
    c.rect(m - w / 3, h / 2, w * 2 / 3, h / 20, look.trim);
    c.rect(m - w / 2 + 1, h * 11 / 16, w / 4, h / 6, kDark); // rear tyres
    c.rect(m + w / 2 - 1 - w / 4, h * 11 / 16, w / 4, h / 6, kDark);
    c.rect(m - w / 3, h - h / 10, w * 2 / 3, h / 14, look.trim);   // rear wing
    c.ellipse(m - w / 10, h * 5 / 16, w / 5, h / 8, kDark);        // cockpit
    c.ellipse(m - w / 14, h * 11 / 32, w / 7, w / 7, look.accent); // helmet
    const std::string digits = std::to_string(number);
    const int scale = std::max(1, w / 30);
    c.centredText(digits, m, h / 4, scale, Shade(look.trim, 0));
}

// A car from the side, nose to the left, in the top `h` rows.
void CarFromSide(SampleCanvas& c, const SampleTeamLook& look, int w, int h) {
    c.polygon({{0, h * 7 / 10},
               {w * 4 / 10, h * 5 / 10},
               {w * 6 / 10, h / 4},
               {w * 9 / 10, h / 5},
               {w, h * 3 / 10},
               {w, h * 8 / 10},
               {0, h * 8 / 10}},
              look.body);
    c.rect(w * 4 / 10, h * 6 / 10, w * 5 / 10, std::max(h / 10, 1), look.trim);
    c.rect(w * 9 / 10, 0, w / 10, h * 4 / 10, look.trim); // rear wing
    c.ellipse(w * 55 / 100, h / 6, w / 12, h / 4, look.accent);
    c.ellipse(w / 10, h / 2, h / 2, h / 2, kDark); // wheels
    c.ellipse(w * 3 / 4, h * 4 / 10, h * 6 / 10, h * 6 / 10, kDark);
}

// A driver's portrait: shoulders in the team's overalls and the helmet,
// visor down in the first picture and up in the second.
void Portrait(SampleCanvas& c, const SampleTeamLook& look, int driver, bool visorUp) {
    const auto [shell, stripe] = SampleHelmet(driver);
    c.ellipse(6, 92, 116, 80, look.body);
    c.rect(6, 112, 116, 6, look.trim);
    c.rect(52, 80, 24, 16, kDark);
    c.ellipse(22, 8, 84, 86, shell);
    c.rect(22, 30, 84, 8, stripe);
    c.ellipse(34, 44, 60, 22, visorUp ? kSkin : 0x182030);
    if (visorUp) {
        c.rect(48, 50, 8, 5, kDark);
        c.rect(72, 50, 8, 5, kDark);
        c.rect(38, 30, 52, 10, 0x182030); // the raised visor
    }
    c.text(std::to_string(DefaultCarNumbers()[static_cast<std::size_t>(driver)]), 84, 100, 2, look.trim);
}

// The badge laid over a portrait's corner: the car number in a ring, filling
// as the driver is picked (the three steps of the toggle).
void NumberBadge(SampleCanvas& c, const SampleTeamLook& look, int driver, int step) {
    c.ellipse(0, 0, 42, 42, look.trim);
    c.ellipse(4, 4, 34, 34, step == 0 ? kDark : look.body);
    if (step == 1)
        c.rect(0, 0, 42, 21, kSampleMagenta);
    c.centredText(std::to_string(DefaultCarNumbers()[static_cast<std::size_t>(driver)]), 21, 16, 2,
                  Contrasting(step == 0 ? kDark : look.body));
}

// The badge within the 115 x 56 the Artwork page shows of it.
void TeamBadge(SampleCanvas& c, const SampleTeamLook& look) {
    constexpr int w = 115, h = 56, r = 28;
    c.ellipse(0, 0, 2 * r, h, look.trim);
    c.ellipse(w - 2 * r, 0, 2 * r, h, look.trim);
    c.rect(r, 0, w - 2 * r, h, look.trim);
    c.ellipse(3, 3, 2 * r - 6, h - 6, look.body);
    c.ellipse(w - 2 * r + 3, 3, 2 * r - 6, h - 6, look.body);
    c.rect(r, 3, w - 2 * r, h - 6, look.body);
    const std::string name = Upper(look.name);
    const int scale = SampleCanvas::TextWidth(name, 2) <= w - 12 ? 2 : 1;
    c.centredText(name, w / 2, 17, scale, look.trim);
    c.rect(20, 36, w - 40, 4, look.accent);
}

std::vector<std::uint16_t> ToArtPixels(const PackedBitmap& picture) {
    std::vector<std::uint16_t> pixels;
    pixels.reserve(static_cast<std::size_t>(picture.width() * picture.height()));
    for (int y = 0; y < picture.height(); ++y) {
        const std::uint8_t* p = picture.topRow(y);
        for (int x = 0; x < picture.width(); ++x, p += 3) {
            pixels.push_back(static_cast<std::uint16_t>((p[0] >> 3) | (p[1] >> 3) << 5 | (p[2] >> 3) << 10));
        }
    }
    return pixels;
}

} // namespace

PackedBitmap SampleArtPicture(int team, int k) {
    const ArtPictureSize size = SampleArtSize(k);
    const SampleTeamLook& look = SampleTeam(team);
    PackedBitmap picture(size.width, size.height, Depth::Bits24);
    SampleCanvas c(picture);
    c.fill(kSampleMagenta);
    if (k < kLogoFrames) {
        LogoFrame(c, look, k);
    } else if (k >= kSetupCars && k < kGridCar) {
        CarFromAbove(c, look, DefaultCarNumbers()[static_cast<std::size_t>(2 * team)]);
    } else if (k == kGridCar) {
        CarFromSide(c, look, size.width, 46);
    } else if (k == kFormationCar) {
        CarFromSide(c, look, size.width, 20);
    } else if (k < kNumberBadges) {
        Portrait(c, look, 2 * team + (k - kPortraits) / 2, (k - kPortraits) % 2 == 1);
    } else if (k < kBadge) {
        NumberBadge(c, look, 2 * team + (k - kNumberBadges) / 3, (k - kNumberBadges) % 3);
    } else {
        TeamBadge(c, look);
    }
    return picture;
}

std::vector<std::uint8_t> BuildSampleArtArchive(const ArtSignature& signature) {
    return AssembleArtArchive(signature, 1, false, [](int team, int k, int entry) {
        const PackedBitmap picture = SampleArtPicture(team, k);
        return ArtBlock{{picture.width(), picture.height()},
                        PackArtPixels(ToArtPixels(picture), picture.width(), entry)};
    });
}

} // namespace tavolex
