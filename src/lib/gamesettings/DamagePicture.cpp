#include "gamesettings/DamagePicture.h"

#include <initializer_list>

namespace tavolex {
namespace {

using Regions = std::initializer_list<int>;

// Per selection the regions of each display colour, strongest first.
struct Colouring {
    Regions chosen, linked, linkedLess, linkedLeast, neighbours;
};

const Colouring kParts[kDamagePartCount] = {
    {{0}, {3, 4}, {1, 2}, {}, {6, 8, 22}},
    {{1}, {}, {3}, {}, {0, 6}},
    {{2}, {}, {4}, {}, {0, 8}},
    {{3}, {}, {}, {}, {1, 6}},
    {{4}, {}, {}, {}, {2, 8}},
    {{5}, {}, {}, {6}, {1, 3, 20, 22}},
    {{6}, {}, {}, {}, {3, 5, 20}},
    {{7}, {}, {}, {8}, {2, 4, 21, 22}},
    {{8}, {}, {}, {}, {4, 7, 21}},
    {{9}, {}, {}, {}, {11, 13, 20, 22}},
    {{10}, {}, {}, {}, {11, 15, 21, 22}},
    {{11}, {12, 14, 16, 17, 18}, {13, 15, 19}, {}, {9, 10, 22}},
    {{12}, {}, {}, {13}, {9, 11, 16, 17}},
    {{13}, {}, {}, {}, {9, 12, 17}},
    {{14}, {}, {}, {15}, {10, 11, 16, 18}},
    {{15}, {}, {}, {}, {10, 14, 18}},
    {{16}, {17, 18}, {19}, {}, {11, 13, 15}},
    {{17}, {}, {}, {}, {13, 19}},
    {{18}, {}, {}, {}, {15, 19}},
    {{19}, {}, {}, {}, {16, 17, 18}},
    {{20}, {}, {}, {}, {6, 9, 22}},
    {{21}, {}, {}, {}, {8, 10, 22}},
};

const Colouring kAreas[3] = {
    {{0, 11, 20, 21}, {3, 4, 9, 10, 12, 14, 16, 17, 18}, {1, 2, 13, 15, 19}, {}, {6, 8, 22}},
    {{3, 4, 16, 17, 18}, {1, 2, 19}, {}, {}, {0, 6, 8, 11, 13, 15}},
    {{6, 8, 13, 15}, {5, 7, 12, 14}, {}, {}, {3, 4, 11, 17, 18, 22}},
};

} // namespace

std::array<std::uint8_t, kDamageRegionCount> DamageRegionColours(DamageSelection selection) {
    std::array<std::uint8_t, kDamageRegionCount> colours;
    colours.fill(damage_colour::kOther);
    const Colouring* colouring = nullptr;
    if (selection.kind == DamageSelection::Kind::Part && selection.index >= 0 && selection.index < kDamagePartCount) {
        colouring = &kParts[selection.index];
    } else if (selection.kind == DamageSelection::Kind::Area && selection.index >= 0 && selection.index < 3) {
        colouring = &kAreas[selection.index];
    }
    if (colouring == nullptr) {
        return colours;
    }
    auto paint = [&](Regions regions, std::uint8_t colour) {
        for (int region : regions) colours[static_cast<std::size_t>(region)] = colour;
    };
    paint(colouring->neighbours, damage_colour::kNeighbour);
    paint(colouring->linkedLeast, damage_colour::kLinkedLeast);
    paint(colouring->linkedLess, damage_colour::kLinkedLess);
    paint(colouring->linked, damage_colour::kLinked);
    paint(colouring->chosen, damage_colour::kChosen);
    return colours;
}

std::vector<std::uint8_t> ColourDamagePicture(std::span<const std::uint8_t> picture, DamageSelection selection) {
    const auto colours = DamageRegionColours(selection);
    std::vector<std::uint8_t> coloured(picture.begin(), picture.end());
    for (std::uint8_t& pixel : coloured) {
        if (pixel >= kFirstRegionMarker && pixel < kFirstRegionMarker + kDamageRegionCount) {
            pixel = colours[pixel - kFirstRegionMarker];
        }
    }
    return coloured;
}

} // namespace tavolex
