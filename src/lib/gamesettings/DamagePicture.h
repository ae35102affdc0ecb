#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "gamesettings/CarDamage.h"

// The car damage editor's picture: a top view of the car, one game palette
// index per pixel, in which the values 96 + k mark region k (0-21 the damage
// parts, 22 the rest of the body). Colouring it for a selection shows which
// parts a value concerns.

namespace tavolex {

inline constexpr int kDamagePictureWidth = 120;
inline constexpr int kDamagePictureHeight = 294;
inline constexpr std::uint8_t kFirstRegionMarker = 96;
inline constexpr int kDamageRegionCount = 23;

// Display colours: the region itself, closely linked regions (three
// strengths), neighbouring regions and everything else.
namespace damage_colour {
inline constexpr std::uint8_t kChosen = 78;
inline constexpr std::uint8_t kLinked = 77;
inline constexpr std::uint8_t kLinkedLess = 76;
inline constexpr std::uint8_t kLinkedLeast = 75;
inline constexpr std::uint8_t kNeighbour = 52;
inline constexpr std::uint8_t kOther = 51;
} // namespace damage_colour

// What the picture is coloured for: one part, one area, or a collision box (nothing stands out).
struct DamageSelection {
    enum class Kind { Part, Area, Collision } kind = Kind::Collision;
    int index = 0; // the part 0-21, or the DamageArea
    static DamageSelection Part(int part) { return {Kind::Part, part}; }
    static DamageSelection Area(DamageArea area) { return {Kind::Area, static_cast<int>(area)}; }
    static DamageSelection Collision() { return {}; }
};

std::array<std::uint8_t, kDamageRegionCount> DamageRegionColours(DamageSelection selection);

// The picture with every marker replaced by its region's colour; other pixels kept.
std::vector<std::uint8_t> ColourDamagePicture(std::span<const std::uint8_t> picture, DamageSelection selection);

} // namespace tavolex
