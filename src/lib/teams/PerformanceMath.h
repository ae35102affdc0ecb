#pragma once

#include <array>
#include <string>
#include <vector>

#include "document/CarSet.h"

// The arithmetic of the performance editor: the seven Quick Edit quantities
// with their ranges, the three Quick Edit operations, and the relative lap
// times of the calculator.

namespace tavolex {

using TeamTable = std::array<TeamRecord, kTeamCount>;

enum class QuickEditEntry {
    QualifyingPower = 0,
    RacePower = 1,
    Failure = 2,
    QualifyingPerformance = 3,
    QualifyingRange = 4,
    RacePerformance = 5,
    RaceRange = 6,
};

struct QuickEditRange {
    int lowest;
    int highest;
    int initialStep;
    bool perDriver; // 22 driver values rather than 11 team values
};
QuickEditRange RangeOf(QuickEditEntry entry);

// The entry's values in team order (seat 1 before seat 2 for driver values),
// every one a signed number as the car set keeps it.
std::vector<int> QuickEditValues(const TeamTable& teams, QuickEditEntry entry);
void SetQuickEditValues(TeamTable& teams, QuickEditEntry entry, const std::vector<int>& values);

// The operations, each on the entry's values with step s and direction d
// (-1 or +1). They return false when the system beep is due: nothing could
// change, or the range collapsed onto one value.
[[nodiscard]] bool QuickEditAverage(std::vector<int>& values, const QuickEditRange& range, int step, int direction);
[[nodiscard]] bool QuickEditMinimum(std::vector<int>& values, const QuickEditRange& range, int step, int direction);
[[nodiscard]] bool QuickEditMaximum(std::vector<int>& values, const QuickEditRange& range, int step, int direction);

struct LapTimeRow {
    std::string position; // "3." or "= "
    std::string name;
    std::string time; // "+0.42%", empty for the fastest and for "= " rows
};

// All 22 cars ranked by an estimate from engine power and driver performance,
// for qualifying (mode 0) or the race (mode 1).
std::vector<LapTimeRow> RelativeLapTimes(const TeamTable& teams, int mode);

} // namespace tavolex
