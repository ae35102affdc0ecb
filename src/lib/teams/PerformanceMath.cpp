#include "teams/PerformanceMath.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

namespace tavolex {
namespace {

constexpr std::array<QuickEditRange, 7> kRanges = {{
    {0, 1598, 10, false},
    {0, 1598, 10, false},
    {0, 32767, 100, false},
    {0, 32767, 100, true},
    {-32767, 32767, 16, true},
    {0, 32767, 100, true},
    {-32767, 32767, 16, true},
}};

// Templates so that the same choice serves the const reader and the writer.
template <typename Driver> auto* DriverField(Driver& driver, QuickEditEntry entry) {
    switch (entry) {
    case QuickEditEntry::QualifyingPerformance: return &driver.qualifyingPerformance;
    case QuickEditEntry::QualifyingRange: return &driver.qualifyingRange;
    case QuickEditEntry::RacePerformance: return &driver.racePerformance;
    default: return &driver.raceRange;
    }
}

template <typename Team> auto* TeamField(Team& team, QuickEditEntry entry) {
    switch (entry) {
    case QuickEditEntry::QualifyingPower: return &team.qualifyingPower;
    case QuickEditEntry::RacePower: return &team.racePower;
    default: return &team.failureProbability;
    }
}

// The smallest and largest value as 32-bit floats, scanning in order.
void Extremes(const std::vector<int>& values, float& low, float& high) {
    low = high = static_cast<float>(values.front());
    for (int v : values) {
        const auto f = static_cast<float>(v);
        if (f < low)
            low = f;
        if (f > high)
            high = f;
    }
}

int RoundHalfAway(float value) { return static_cast<int>(std::lround(value)); }

bool NameGreater(const std::string& a, const std::string& b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int x = std::tolower(static_cast<unsigned char>(a[i]));
        const int y = std::tolower(static_cast<unsigned char>(b[i]));
        if (x != y)
            return x > y;
    }
    return a.size() > b.size();
}

} // namespace

QuickEditRange RangeOf(QuickEditEntry entry) { return kRanges[static_cast<std::size_t>(entry)]; }

std::vector<int> QuickEditValues(const TeamTable& teams, QuickEditEntry entry) {
    std::vector<int> values;
    for (const TeamRecord& team : teams) {
        if (!RangeOf(entry).perDriver) {
            values.push_back(*TeamField(team, entry));
            continue;
        }
        for (const DriverRecord& driver : team.drivers) values.push_back(*DriverField(driver, entry));
    }
    return values;
}

void SetQuickEditValues(TeamTable& teams, QuickEditEntry entry, const std::vector<int>& values) {
    std::size_t i = 0;
    for (TeamRecord& team : teams) {
        if (!RangeOf(entry).perDriver) {
            *TeamField(team, entry) = static_cast<std::int16_t>(values[i++]);
            continue;
        }
        for (DriverRecord& driver : team.drivers) {
            *DriverField(driver, entry) = static_cast<std::int16_t>(values[i++]);
        }
    }
}

bool QuickEditAverage(std::vector<int>& values, const QuickEditRange& range, int step, int direction) {
    for (int& v : values) {
        v = std::clamp(v + step * direction, range.lowest, range.highest);
    }
    return true;
}

bool QuickEditMinimum(std::vector<int>& values, const QuickEditRange& range, int step, int direction) {
    float low = 0;
    float high = 0;
    Extremes(values, low, high);
    if (low == high) {
        return false;
    }
    float newLow = low + static_cast<float>(step * direction);
    if (newLow >= high) {
        std::fill(values.begin(), values.end(), static_cast<int>(high));
        return false;
    }
    newLow = std::max(newLow, static_cast<float>(range.lowest));
    const float span = high - low;
    const float newSpan = high - newLow;
    for (int& v : values) {
        const float moved = high - (high - static_cast<float>(v)) * newSpan / span;
        v = RoundHalfAway(std::clamp(moved, newLow, high));
    }
    return true;
}

bool QuickEditMaximum(std::vector<int>& values, const QuickEditRange& range, int step, int direction) {
    float low = 0;
    float high = 0;
    Extremes(values, low, high);
    if (low == high) {
        return false;
    }
    float newHigh = high + static_cast<float>(step * direction);
    if (newHigh <= low) {
        std::fill(values.begin(), values.end(), static_cast<int>(low));
        return false;
    }
    newHigh = std::min(newHigh, static_cast<float>(range.highest));
    const float span = high - low;
    const float newSpan = newHigh - low;
    for (int& v : values) {
        const float moved = low + (static_cast<float>(v) - low) * newSpan / span;
        v = RoundHalfAway(std::clamp(moved, low, newHigh));
    }
    return true;
}

std::vector<LapTimeRow> RelativeLapTimes(const TeamTable& teams, int mode) {
    struct Entry {
        std::string name;
        int power;
        int performance;
        float time;
    };
    std::vector<Entry> entries;
    for (const TeamRecord& team : teams) {
        for (const DriverRecord& driver : team.drivers) {
            entries.push_back({driver.name.str(), mode == 0 ? team.qualifyingPower : team.racePower,
                               mode == 0 ? driver.qualifyingPerformance : driver.racePerformance, 0.0f});
        }
    }
    int maxPower = entries.front().power;
    int maxPerformance = entries.front().performance;
    for (const Entry& e : entries) {
        maxPower = std::max(maxPower, e.power);
        maxPerformance = std::max(maxPerformance, e.performance);
    }
    for (Entry& e : entries) {
        e.time = static_cast<float>(e.time + (e.power - maxPower) * -0.1 * 0.4575);
        e.time = static_cast<float>(e.time + (e.performance - maxPerformance) * -0.01 * 0.4425);
    }
    const std::size_t n = entries.size();
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j + 1 < n - i; ++j) {
            const bool swap =
                entries[j].time > entries[j + 1].time ||
                (entries[j].time == entries[j + 1].time && NameGreater(entries[j].name, entries[j + 1].name));
            if (swap) {
                std::swap(entries[j], entries[j + 1]);
            }
        }
    }
    float fastest = 99999.0f;
    for (const Entry& e : entries) fastest = std::min(fastest, e.time);
    std::vector<LapTimeRow> rows;
    for (Entry& e : entries) {
        e.time = static_cast<float>(e.time - fastest);
        e.time = static_cast<float>(e.time * 0.9224);
        e.time = static_cast<float>(e.time * 4 / 7);
        char text[32];
        std::snprintf(text, sizeof text, "+%.2f%%", static_cast<double>(e.time));
        rows.push_back({"", e.name, text});
    }
    for (std::size_t k = 0; k < rows.size(); ++k) {
        rows[k].position = k > 0 && rows[k].time == rows[k - 1].time ? "= " : std::to_string(k + 1) + ".";
    }
    for (std::size_t k = 0; k < rows.size(); ++k) {
        if (rows[k].position == "= " || k == 0) {
            rows[k].time.clear();
        }
    }
    return rows;
}

} // namespace tavolex
