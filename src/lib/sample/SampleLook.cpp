#include "sample/SampleLook.h"

#include <algorithm>
#include <array>

namespace tavolex {
namespace {

constexpr std::array<SampleTeamLook, 11> kTeams = {{
    {"Williams", 0x1C3C9C, 0xF0F0F0, 0xE0C020},
    {"Ferrari", 0xD01818, 0xF0D020, 0xF0F0F0},
    {"Benetton", 0x2050C0, 0xF0F0F0, 0x30A040},
    {"McLaren", 0xC0C0C8, 0x202020, 0xD02020},
    {"Jordan", 0xF0D000, 0x101010, 0xD02020},
    {"Prost", 0x1840B0, 0xF0F0F0, 0xD02020},
    {"Sauber", 0x102060, 0xE0E0E0, 0x40A0E0},
    {"Arrows", 0xF09010, 0x202020, 0xF0F0F0},
    {"Stewart", 0xF0F0F0, 0x2040A0, 0xD02020},
    {"Tyrrell", 0x2060C0, 0xF0F0F0, 0xF0D020},
    {"Minardi", 0x202020, 0xF0D000, 0xF0F0F0},
}};

constexpr std::array<std::string_view, 2> kTyreMakers = {"ROADSTAR", "TRACKMAX"};

} // namespace

const SampleTeamLook& SampleTeam(int team) {
    return kTeams[static_cast<std::size_t>(std::clamp(team, 0, static_cast<int>(kTeams.size()) - 1))];
}

SampleHelmetColours SampleHelmet(int driver) {
    const SampleTeamLook& look = SampleTeam(driver / 2);
    return driver % 2 == 0 ? SampleHelmetColours{look.body, look.trim} : SampleHelmetColours{look.trim, look.body};
}

std::string_view SampleTyreMaker(int tyreType) { return kTyreMakers[tyreType == 1 ? 1 : 0]; }

} // namespace tavolex
