#include <gtest/gtest.h>

#include "teams/PerformanceMath.h"

namespace tavolex {
namespace {

TeamTable NewTeams() {
    CarSet carSet;
    NewCarSet(carSet);
    return carSet.teams;
}

TEST(QuickEdit, MinimumStretchesTowardsTheLargestValue) {
    const QuickEditRange power = RangeOf(QuickEditEntry::QualifyingPower);
    std::vector<int> values = {700, 750, 800, 750};
    EXPECT_TRUE(QuickEditMinimum(values, power, 10, +1));
    EXPECT_EQ(values, (std::vector<int>{710, 755, 800, 755}));
    // Carried to the maximum or past it: everything collapses onto it, with a beep.
    values = {700, 750, 800};
    EXPECT_FALSE(QuickEditMinimum(values, power, 100, +1));
    EXPECT_EQ(values, (std::vector<int>{800, 800, 800}));
    // Below the lowest value the new minimum stops there.
    values = {5, 100};
    EXPECT_TRUE(QuickEditMinimum(values, power, 10, -1));
    EXPECT_EQ(values, (std::vector<int>{0, 100}));
    values = {-32760, 0};
    EXPECT_TRUE(QuickEditMinimum(values, RangeOf(QuickEditEntry::RaceRange), 16, -1));
    EXPECT_EQ(values.front(), -32767);
    // All equal: Minimum and Maximum only beep; Average still shifts.
    values = {600, 600};
    EXPECT_FALSE(QuickEditMinimum(values, power, 10, +1));
    EXPECT_FALSE(QuickEditMaximum(values, power, 10, +1));
    EXPECT_EQ(values, (std::vector<int>{600, 600}));
    EXPECT_TRUE(QuickEditAverage(values, power, 10, +1));
    EXPECT_EQ(values, (std::vector<int>{610, 610}));
}

TEST(QuickEdit, MaximumStretchesAwayFromTheSmallestAndStopsAtTheTop) {
    const QuickEditRange power = RangeOf(QuickEditEntry::RacePower);
    std::vector<int> values = {700, 750, 800};
    EXPECT_TRUE(QuickEditMaximum(values, power, 10, +1));
    EXPECT_EQ(values, (std::vector<int>{700, 755, 810}));
    values = {1500, 1590};
    EXPECT_TRUE(QuickEditMaximum(values, power, 100, +1));
    EXPECT_EQ(values.back(), 1598);
    values = {100, 32700};
    EXPECT_TRUE(QuickEditMaximum(values, RangeOf(QuickEditEntry::Failure), 1000, +1));
    EXPECT_EQ(values.back(), 32767);
    values = {700, 800};
    EXPECT_FALSE(QuickEditMaximum(values, power, 100, -1));
    EXPECT_EQ(values, (std::vector<int>{700, 700}));
    values = {0, 1598};
    EXPECT_TRUE(QuickEditAverage(values, power, 10, +1));
    EXPECT_EQ(values, (std::vector<int>{10, 1598}));
}

TEST(QuickEdit, ValuesAreTheEntrysFieldsWithRangesSigned) {
    TeamTable teams = NewTeams();
    teams[1].drivers[1].qualifyingRange = -40;
    teams[2].drivers[0].racePerformance = -5578; // a GP2 import's low figure
    auto ranges = QuickEditValues(teams, QuickEditEntry::QualifyingRange);
    ASSERT_EQ(ranges.size(), 22u);
    EXPECT_EQ(ranges[3], -40);
    ranges[3] = -41;
    SetQuickEditValues(teams, QuickEditEntry::QualifyingRange, ranges);
    EXPECT_EQ(teams[1].drivers[1].qualifyingRange, -41);
    EXPECT_EQ(QuickEditValues(teams, QuickEditEntry::RacePerformance)[4], -5578) << "performance is signed too";
    EXPECT_EQ(QuickEditValues(teams, QuickEditEntry::Failure).size(), 11u);
}

TEST(LapTimes, RankTheFieldWithTiesByNameAndEqualMarks) {
    TeamTable teams = NewTeams();
    for (std::size_t t = 0; t < teams.size(); ++t) {
        teams[t].drivers[0].name = "Driver " + std::string(1, static_cast<char>('A' + 2 * t));
        teams[t].drivers[1].name = "driver " + std::string(1, static_cast<char>('B' + 2 * t));
    }
    teams[5].qualifyingPower = 800; // the fastest team
    teams[5].drivers[0].qualifyingPerformance = 16200;
    teams[5].drivers[1].qualifyingPerformance = 16200;
    teams[5].drivers[1].name = "Aaron";
    const auto rows = RelativeLapTimes(teams, 0);
    ASSERT_EQ(rows.size(), 22u);
    EXPECT_EQ(rows[0].position, "1.");
    EXPECT_EQ(rows[0].name, "Aaron") << "equal times: by name without regard to case";
    EXPECT_EQ(rows[0].time, "");
    EXPECT_EQ(rows[1].position, "= ");
    EXPECT_EQ(rows[1].name, "Driver K");
    EXPECT_EQ(rows[1].time, "");
    EXPECT_EQ(rows[2].position, "3.");
    // 30 BHP and 100 points behind: (3 x 0.4575 + 1 x 0.4425) x 0.9224 x 4/7 = 0.9568...
    EXPECT_EQ(rows[2].time, "+0.96%");
    EXPECT_EQ(rows[3].position, "= ");
    EXPECT_EQ(rows[2].name, "Driver A");
    EXPECT_EQ(rows[3].name, "driver B");
    // The race uses race power and race performance: all equal here, so by name only.
    const auto race = RelativeLapTimes(teams, 1);
    EXPECT_EQ(race[0].name, "Aaron");
    EXPECT_EQ(race[1].name, "Driver A");
    EXPECT_EQ(race[21].position, "= ");

    // A negative figure is the slowest, not the fastest: 21578 points behind.
    teams[7].drivers[1].racePerformance = -5578;
    const auto slow = RelativeLapTimes(teams, 1);
    EXPECT_EQ(slow[21].name, teams[7].drivers[1].name.str());
    EXPECT_EQ(slow[21].position, "22.");
    EXPECT_EQ(slow[21].time, "+50.33%"); // 21578 x 0.01 x 0.4425 x 0.9224 x 4/7
}

} // namespace
} // namespace tavolex
