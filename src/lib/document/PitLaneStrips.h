#pragma once

#include <algorithm>
#include <array>

// The pit box picture's eleven 256 x 16 strips, one team's sign each. The
// strip of a team is chosen by its position in the pit lane (0 nearest the
// entrance): T = 10, 2, 1, 4, 3, 6, 7, 0, 8, 9, 5.

namespace tavolex {

inline constexpr int kPitStripCount = 11;
inline constexpr int kPitStripRows = 16;

constexpr int PitStripOf(int position) {
    constexpr std::array<int, kPitStripCount> kStripOfPosition = {10, 2, 1, 4, 3, 6, 7, 0, 8, 9, 5};
    return kStripOfPosition[static_cast<std::size_t>(std::clamp(position, 0, kPitStripCount - 1))];
}

} // namespace tavolex
