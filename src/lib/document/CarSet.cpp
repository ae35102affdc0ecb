#include "document/CarSet.h"

#include <cstdio>

#include "document/MiscSettingsDefaults.h"

namespace tavolex {
namespace {

constexpr std::array<std::uint8_t, 16> kDefaultCrewColours = {3, 14, 24, 48, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
constexpr std::uint16_t kUnluckyNumber = 13;

std::string Format(const char* format, int value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

TeamRecord DefaultTeam(int slot) {
    TeamRecord team;
    team.teamName = "Team Name";
    team.engineName = "Engine";
    team.qualifyingPower = 770;
    team.racePower = 760;
    team.failureProbability = 4000;
    for (DriverRecord& driver : team.drivers) {
        driver.name = "Drivers Name";
        driver.qualifyingPerformance = 16100;
        driver.racePerformance = 16000;
        driver.qualifyingRange = 128;
        driver.raceRange = 192;
    }
    team.pitCrewColours = kDefaultCrewColours;
    team.pitBoxPosition = static_cast<std::uint16_t>(slot);
    return team;
}

} // namespace

std::array<std::uint16_t, kTeamCount * kDriversPerTeam> DefaultCarNumbers() {
    std::array<std::uint16_t, kTeamCount * kDriversPerTeam> numbers{};
    std::uint16_t next = 1;
    for (auto& number : numbers) {
        if (next == kUnluckyNumber) {
            ++next;
        }
        number = next++;
    }
    return numbers;
}

void NewCarSet(CarSet& carSet) {
    const auto numbers = DefaultCarNumbers();
    for (int t = 0; t < kTeamCount; ++t) {
        carSet.teams[t] = DefaultTeam(t);
        carSet.teams[t].carNumbers = {numbers[2 * t], numbers[2 * t + 1]};
        carSet.backupTeams[t] = TeamRecord{};
    }
    carSet.formatVersion = 0;
    carSet.path.clear();
    carSet.recovered = false;
    carSet.modified = false;
    carSet.hasInformation = 0;
    carSet.information.clear();
    carSet.helmetFlags = {0, 0};
    for (PackedBitmap& helmet : carSet.helmetImages) {
        helmet.clear();
    }
    for (int i = 0; i < kTyreTypeCount; ++i) {
        carSet.tyres[i] = TyreRecord{};
        carSet.tyres[i].name = Format("Tyre %d", i + 1);
    }
    carSet.pitBoxes = {};
    carSet.misc = DefaultMiscSettings();
    carSet.scratch.assign(kScratchSize, 0);
}

void MarkModified(CarSet& carSet, std::string_view change) {
    carSet.modified = true;
    if (carSet.onModified) {
        carSet.onModified(change);
    }
}

void BackupTeams(CarSet& carSet) { carSet.backupTeams = carSet.teams; }

void RestoreTeams(CarSet& carSet) { carSet.teams = carSet.backupTeams; }

void RepairPitBoxPositions(std::array<TeamRecord, kTeamCount>& teams) {
    std::array<bool, kTeamCount> taken{};
    bool repeated = false;
    for (const TeamRecord& team : teams) {
        if (team.pitBoxPosition >= kTeamCount || taken[team.pitBoxPosition]) {
            repeated = true;
            break;
        }
        taken[team.pitBoxPosition] = true;
    }
    if (repeated) {
        for (std::size_t t = 0; t < teams.size(); ++t) teams[t].pitBoxPosition = static_cast<std::uint16_t>(t);
    }
}

} // namespace tavolex
