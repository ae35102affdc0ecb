#pragma once

#include <cstdint>
#include <string_view>

// How the sample game's teams look: their names and the colours every
// picture of theirs is drawn in (0xRRGGBB).

namespace tavolex {

struct SampleTeamLook {
    std::string_view name;
    std::uint32_t body;   // the main colour of car, overalls and art
    std::uint32_t trim;   // the second colour: sponsor bands, stripes, lettering
    std::uint32_t accent; // a third, for helmets and details
};

// Team 0-10, in the game's team order.
const SampleTeamLook& SampleTeam(int team);

// The colours of driver d's (0-21) helmet: the team's first driver wears its
// main colour with stripes of the second, the other driver the reverse.
struct SampleHelmetColours {
    std::uint32_t shell;
    std::uint32_t stripe;
};
SampleHelmetColours SampleHelmet(int driver);

// The maker's name on the sidewalls of tyre type 0 or 1.
std::string_view SampleTyreMaker(int tyreType);

// The magenta that menu art is cut out of.
inline constexpr std::uint32_t kSampleMagenta = 0xF800F8;

} // namespace tavolex
