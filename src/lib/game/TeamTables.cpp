#include "game/TeamTables.h"

#include <algorithm>
#include <cstring>

#include "core/ByteOrder.h"
#include "document/MiscSettingsDefaults.h"

namespace tavolex {
namespace {

constexpr std::uint16_t kMaxPerformance = 32767;
constexpr std::uint8_t kMaxCarNumber = 99;
constexpr std::uint8_t kSelectedBit = 128;
constexpr std::uint8_t kMaxCrewColour = 192;
constexpr std::uint8_t kFixedPower = 255;

// The offsets of the tables both files hold, in the same layouts.
struct SharedTables {
    std::size_t driverNames, teamNames, engineNames, carNumbers, selected, tyres;
};
constexpr SharedTables kExeShared = {exe_offsets::kDriverNames, exe_offsets::kTeamNames, exe_offsets::kEngineNames,
                                     exe_offsets::kCarNumbers,  exe_offsets::kSelected,  exe_offsets::kTyreTypes};
constexpr SharedTables kSaveShared = {save_offsets::kDriverNames, save_offsets::kTeamNames, save_offsets::kEngineNames,
                                      save_offsets::kCarNumbers,  save_offsets::kSelected,  save_offsets::kTyreTypes};

bool Fits(std::span<const std::uint8_t> bytes, std::size_t offset, std::size_t length) {
    return FitsIn(bytes.size(), offset, length);
}

// A fixed-width field whose last byte is forced to zero on reading.
template <std::size_t Size> void ReadName(const std::uint8_t* field, FixedText<Size>& text) {
    const char* chars = reinterpret_cast<const char*>(field);
    text.assign(std::string_view(chars, std::find(chars, chars + Size - 1, '\0') - chars));
}

template <std::size_t Size> void WriteName(std::uint8_t* field, const FixedText<Size>& text) {
    std::memcpy(field, text.bytes().data(), Size);
}

std::uint8_t DriverNumber(int team, int driver) { return static_cast<std::uint8_t>(2 * team + driver + 1); }

// Whether every selected table of the shared kinds lies inside the file.
bool SharedTablesFit(std::span<const std::uint8_t> bytes, const SharedTables& at, std::uint32_t mask) {
    return !(((mask & team_data::DriverNames) && !Fits(bytes, at.driverNames, 24 * 22)) ||
             ((mask & team_data::TeamNames) && !Fits(bytes, at.teamNames, 13 * 11)) ||
             ((mask & team_data::EngineNames) && !Fits(bytes, at.engineNames, 13 * 11)) ||
             ((mask & team_data::CarNumbers) && !Fits(bytes, at.carNumbers, 22)) ||
             ((mask & team_data::SelectedDrivers) && !Fits(bytes, at.selected, 22)) ||
             ((mask & team_data::TyreTypes) && !Fits(bytes, at.tyres, 4 * 11)));
}

// The same for the kinds only the executable holds, and the shared ones in it.
bool ExeTablesFit(std::span<const std::uint8_t> exe, std::uint32_t mask) {
    return !(((mask & team_data::EnginePower) && !Fits(exe, exe_offsets::kQualifyingPower, 44)) ||
             ((mask & team_data::DriverPerformance) && !Fits(exe, exe_offsets::kDriverPerformance, 88)) ||
             ((mask & team_data::AbilityRanges) && !Fits(exe, exe_offsets::kAbilityRanges, 88)) ||
             ((mask & team_data::FailureProbability) && !Fits(exe, exe_offsets::kFailure, 22)) ||
             ((mask & team_data::CrewColours) && !Fits(exe, exe_offsets::kCrewColours, 16 * 11)) ||
             ((mask & team_data::PitBoxPositions) && !Fits(exe, exe_offsets::kPitBoxes, 11))) &&
           SharedTablesFit(exe, kExeShared, mask);
}

bool ReadShared(std::span<const std::uint8_t> bytes, const SharedTables& at, std::uint32_t mask, Teams& teams) {
    if (!SharedTablesFit(bytes, at, mask)) {
        return false;
    }
    for (int t = 0; t < kTeamCount; ++t) {
        TeamRecord& team = teams[static_cast<std::size_t>(t)];
        for (int d = 0; d < kDriversPerTeam; ++d) {
            const std::size_t i = static_cast<std::size_t>(2 * t + d);
            DriverRecord& driver = team.drivers[static_cast<std::size_t>(d)];
            if (mask & team_data::DriverNames)
                ReadName(bytes.data() + at.driverNames + 24 * i, driver.name);
            if (mask & team_data::CarNumbers) {
                team.carNumbers[static_cast<std::size_t>(d)] = std::min(bytes[at.carNumbers + i], kMaxCarNumber);
            }
            if (mask & team_data::SelectedDrivers)
                driver.selected = bytes[at.selected + i] > kSelectedBit ? 1 : 0;
        }
        const auto ts = static_cast<std::size_t>(t);
        if (mask & team_data::TeamNames)
            ReadName(bytes.data() + at.teamNames + 13 * ts, team.teamName);
        if (mask & team_data::EngineNames)
            ReadName(bytes.data() + at.engineNames + 13 * ts, team.engineName);
        if (mask & team_data::TyreTypes)
            team.tyreType = ReadU32(bytes.data() + at.tyres + 4 * ts) == kTyreValue1 ? 1 : 0;
    }
    return true;
}

bool WriteShared(std::vector<std::uint8_t>& bytes, const SharedTables& at, std::uint32_t mask, const Teams& teams) {
    if (!SharedTablesFit(bytes, at, mask)) {
        return false; // a table outside the file: write nothing
    }
    for (int t = 0; t < kTeamCount; ++t) {
        const TeamRecord& team = teams[static_cast<std::size_t>(t)];
        const auto ts = static_cast<std::size_t>(t);
        if (mask & team_data::TeamNames)
            WriteName(bytes.data() + at.teamNames + 13 * ts, team.teamName);
        if (mask & team_data::EngineNames)
            WriteName(bytes.data() + at.engineNames + 13 * ts, team.engineName);
        if (mask & team_data::TyreTypes) {
            WriteU32(bytes.data() + at.tyres + 4 * ts, team.tyreType != 0 ? kTyreValue1 : kTyreValue0);
        }
        for (int d = 0; d < kDriversPerTeam; ++d) {
            const std::size_t i = static_cast<std::size_t>(2 * t + d);
            const DriverRecord& driver = team.drivers[static_cast<std::size_t>(d)];
            if (mask & team_data::CarNumbers)
                bytes[at.carNumbers + i] = static_cast<std::uint8_t>(team.carNumbers[static_cast<std::size_t>(d)]);
            if (mask & team_data::SelectedDrivers) {
                bytes[at.selected + i] =
                    static_cast<std::uint8_t>(DriverNumber(t, d) + (driver.selected ? kSelectedBit : 0));
            }
            if (mask & team_data::DriverNames)
                WriteName(bytes.data() + at.driverNames + 24 * i, driver.name);
        }
    }
    return true;
}

// The executable keeps these unsigned; anything above the signed maximum is taken as that maximum.
std::int16_t CappedFigure(const std::uint8_t* p) {
    return static_cast<std::int16_t>(std::min(ReadU16(p), kMaxPerformance));
}

} // namespace

std::array<std::uint8_t, 16> ResolveCrewColours(const std::array<std::uint8_t, 16>& raw) {
    constexpr std::array<std::uint8_t, 16> kMarkers = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xA0, 0xB0, 0xD0, 0xE0, 0xF0};
    auto plain = [](std::uint8_t v) { return v == 0 ? std::uint8_t{1} : std::min(v, kMaxCrewColour); };
    std::array<std::uint8_t, 16> colours{};
    for (std::size_t i = 0; i <= 10; ++i) colours[i] = plain(raw[i]);
    for (std::size_t i = 11; i < 16; ++i) {
        if (raw[i] == kMarkers[i]) {
            colours[i] = i == 14 ? colours[10] : colours[4];
        } else {
            colours[i] = plain(raw[i]);
        }
    }
    return colours;
}

Error ReadExeTeamTables(std::span<const std::uint8_t> exe, std::uint32_t mask, Teams& teams) {
    if (!ExeTablesFit(exe, mask)) {
        return Error::TableOutsideFile;
    }
    ReadShared(exe, kExeShared, mask, teams);
    for (std::size_t t = 0; t < kTeamCount; ++t) {
        TeamRecord& team = teams[t];
        if (mask & team_data::EnginePower) {
            auto power = [&](std::size_t offset) {
                const std::uint16_t raw = std::max(ReadU16(exe.data() + offset + 2 * t), kEnginePowerBase);
                return std::min<std::uint16_t>(static_cast<std::uint16_t>(raw - kEnginePowerBase), kMaxEnginePower);
            };
            team.qualifyingPower = static_cast<std::int16_t>(power(exe_offsets::kQualifyingPower));
            team.racePower = static_cast<std::int16_t>(power(exe_offsets::kRacePower));
        }
        for (std::size_t d = 0; d < kDriversPerTeam; ++d) {
            const std::uint8_t* entry = exe.data() + 4 * (2 * t + d);
            if (mask & team_data::DriverPerformance) {
                team.drivers[d].qualifyingPerformance = CappedFigure(entry + exe_offsets::kDriverPerformance);
                team.drivers[d].racePerformance = CappedFigure(entry + exe_offsets::kDriverPerformance + 2);
            }
            if (mask & team_data::AbilityRanges) {
                team.drivers[d].qualifyingRange =
                    static_cast<std::int16_t>(ReadU16(entry + exe_offsets::kAbilityRanges));
                team.drivers[d].raceRange = static_cast<std::int16_t>(ReadU16(entry + exe_offsets::kAbilityRanges + 2));
            }
        }
        if (mask & team_data::FailureProbability)
            team.failureProbability = CappedFigure(exe.data() + exe_offsets::kFailure + 2 * t);
        // ExeTablesFit checked every table above, so the colours are there to read.
        if (mask & team_data::CrewColours)
            (void)ReadCrewColours(exe, static_cast<int>(t), team);
    }
    return (mask & team_data::PitBoxPositions) ? ReadPitBoxOrder(exe, teams) : Error::None;
}

Error WriteExeTeamTables(std::vector<std::uint8_t>& exe, std::uint32_t mask, const Teams& teams) {
    if (!ExeTablesFit(exe, mask)) {
        return Error::TableOutsideFile; // some table lies outside the file: write nothing
    }
    // ExeTablesFit checked every table above, so these writes land inside the file.
    if (mask & team_data::PitBoxPositions)
        (void)WritePitBoxOrder(exe, teams);
    if (mask & team_data::CrewColours) {
        for (int t = 0; t < kTeamCount; ++t) (void)WriteCrewColours(exe, t, teams[static_cast<std::size_t>(t)]);
    }
    WriteShared(exe, kExeShared, mask, teams);
    for (std::size_t t = 0; t < kTeamCount; ++t) {
        const TeamRecord& team = teams[t];
        if (mask & team_data::EnginePower) {
            WriteU16(exe.data() + exe_offsets::kQualifyingPower + 2 * t,
                     static_cast<std::uint16_t>(team.qualifyingPower + kEnginePowerBase));
            WriteU16(exe.data() + exe_offsets::kRacePower + 2 * t,
                     static_cast<std::uint16_t>(team.racePower + kEnginePowerBase));
        }
        if (mask & team_data::FailureProbability)
            WriteU16(exe.data() + exe_offsets::kFailure + 2 * t, static_cast<std::uint16_t>(team.failureProbability));
        for (std::size_t d = 0; d < kDriversPerTeam; ++d) {
            std::uint8_t* entry = exe.data() + 4 * (2 * t + d);
            if (mask & team_data::DriverPerformance) {
                WriteU16(entry + exe_offsets::kDriverPerformance,
                         static_cast<std::uint16_t>(team.drivers[d].qualifyingPerformance));
                WriteU16(entry + exe_offsets::kDriverPerformance + 2,
                         static_cast<std::uint16_t>(team.drivers[d].racePerformance));
            }
            if (mask & team_data::AbilityRanges) {
                WriteU16(entry + exe_offsets::kAbilityRanges,
                         static_cast<std::uint16_t>(team.drivers[d].qualifyingRange));
                WriteU16(entry + exe_offsets::kAbilityRanges + 2,
                         static_cast<std::uint16_t>(team.drivers[d].raceRange));
            }
        }
    }
    return Error::None;
}

Error ReadSaveTeamTables(std::span<const std::uint8_t> save, std::uint32_t mask, Teams& teams) {
    return ReadShared(save, kSaveShared, mask, teams) ? Error::None : Error::TableOutsideFile;
}

Error WriteSaveTeamTables(std::vector<std::uint8_t>& save, std::uint32_t mask, const Teams& teams) {
    return WriteShared(save, kSaveShared, mask, teams) ? Error::None : Error::TableOutsideFile;
}

Error ReadNumberPositions(std::span<const std::uint8_t> exe, int team, TeamRecord& record) {
    const std::size_t destinations = exe_offsets::kNumberDestinations + 24 * static_cast<std::size_t>(team);
    const std::size_t sources = exe_offsets::kNumberSources + 96 * static_cast<std::size_t>(team);
    if (team < 0 || team >= kTeamCount || !Fits(exe, destinations, 24) || !Fits(exe, sources, 96)) {
        return Error::TableOutsideFile;
    }
    auto value = [&](std::size_t offset, int high) {
        return static_cast<std::uint16_t>(std::clamp(ReadI32(exe.data() + offset), 0, high));
    };
    for (std::size_t v = 0; v < 3; ++v) {
        record.numberDestinations[v] = {value(destinations + 8 * v, 256), value(destinations + 8 * v + 4, 128)};
    }
    for (std::size_t car = 0; car < 2; ++car) {
        for (std::size_t v = 0; v < 3; ++v) {
            const std::size_t at = sources + 16 * (3 * car + v);
            record.numberSources[car][v] = {value(at, 256), value(at + 4, 128), value(at + 8, 256),
                                            value(at + 12, 128)};
        }
    }
    return Error::None;
}

Error WriteNumberPositions(std::vector<std::uint8_t>& exe, int team, const TeamRecord& record) {
    const std::size_t destinations = exe_offsets::kNumberDestinations + 24 * static_cast<std::size_t>(team);
    const std::size_t sources = exe_offsets::kNumberSources + 96 * static_cast<std::size_t>(team);
    if (team < 0 || team >= kTeamCount || !Fits(exe, destinations, 24) || !Fits(exe, sources, 96)) {
        return Error::TableOutsideFile;
    }
    // Each 16-bit field is sign-extended to the table's 32 bits.
    auto put = [&](std::size_t offset, std::uint16_t v) {
        WriteU32(exe.data() + offset,
                 static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<std::int16_t>(v))));
    };
    for (std::size_t v = 0; v < 3; ++v) {
        put(destinations + 8 * v, record.numberDestinations[v].x);
        put(destinations + 8 * v + 4, record.numberDestinations[v].y);
    }
    for (std::size_t car = 0; car < 2; ++car) {
        for (std::size_t v = 0; v < 3; ++v) {
            const std::size_t at = sources + 16 * (3 * car + v);
            const NumberRect& r = record.numberSources[car][v];
            put(at, r.x);
            put(at + 4, r.y);
            put(at + 8, r.width);
            put(at + 12, r.height);
        }
    }
    return Error::None;
}

Error ReadCrewColours(std::span<const std::uint8_t> exe, int slot, TeamRecord& destination) {
    const std::size_t at = exe_offsets::kCrewColours + 16 * static_cast<std::size_t>(slot);
    if (slot < 0 || slot >= kTeamCount || !Fits(exe, at, 16)) {
        return Error::TableOutsideFile;
    }
    std::array<std::uint8_t, 16> raw;
    std::memcpy(raw.data(), exe.data() + at, 16);
    destination.pitCrewColours = ResolveCrewColours(raw);
    return Error::None;
}

Error WriteCrewColours(std::vector<std::uint8_t>& exe, int slot, const TeamRecord& source) {
    const std::size_t at = exe_offsets::kCrewColours + 16 * static_cast<std::size_t>(slot);
    if (slot < 0 || slot >= kTeamCount || !Fits(exe, at, 16)) {
        return Error::TableOutsideFile;
    }
    std::memcpy(exe.data() + at, source.pitCrewColours.data(), 16);
    return Error::None;
}

Error ReadPitBoxOrder(std::span<const std::uint8_t> exe, Teams& teams) {
    if (!Fits(exe, exe_offsets::kPitBoxes, 11)) {
        return Error::TableOutsideFile;
    }
    std::array<std::uint8_t, kTeamCount> order;
    std::memcpy(order.data(), exe.data() + exe_offsets::kPitBoxes, order.size());
    std::array<bool, kTeamCount + 1> seen{};
    bool valid = true;
    for (std::uint8_t team : order) {
        valid = valid && team >= 1 && team <= kTeamCount && !seen[team];
        if (valid)
            seen[team] = true;
    }
    for (std::size_t k = 0; k < order.size(); ++k) {
        const std::size_t team = valid ? order[k] - 1u : k;
        teams[team].pitBoxPosition = static_cast<std::uint16_t>(k);
    }
    return Error::None;
}

Error WritePitBoxOrder(std::vector<std::uint8_t>& exe, const Teams& given) {
    if (!Fits(exe, exe_offsets::kPitBoxes, 11)) {
        return Error::TableOutsideFile;
    }
    Teams teams = given;
    RepairPitBoxPositions(teams);
    for (std::size_t t = 0; t < kTeamCount; ++t) {
        const std::size_t box = teams[t].pitBoxPosition;
        exe[exe_offsets::kPitBoxes + box] = static_cast<std::uint8_t>(t + 1);
    }
    return Error::None;
}

Error ReadPoints(std::span<const std::uint8_t> exe, std::array<std::uint8_t, kPointsPositions>& points) {
    if (!Fits(exe, exe_offsets::kPoints, kPointsPositions)) {
        return Error::TableOutsideFile;
    }
    for (std::size_t i = 0; i < points.size(); ++i) points[i] = LimitPoints(exe[exe_offsets::kPoints + i]);
    return Error::None;
}

Error WritePoints(std::vector<std::uint8_t>& exe, const std::array<std::uint8_t, kPointsPositions>& points) {
    if (!Fits(exe, exe_offsets::kPoints, kPointsPositions)) {
        return Error::TableOutsideFile;
    }
    std::memcpy(exe.data() + exe_offsets::kPoints, points.data(), points.size());
    return Error::None;
}

Error ReadPlayerCarPower(std::span<const std::uint8_t> exe, std::uint16_t& power) {
    if (!Fits(exe, exe_offsets::kPowerSwitch, 1)) {
        return Error::TableOutsideFile;
    }
    power = exe[exe_offsets::kPowerSwitch] == kFixedPower ? 0 : 1;
    return Error::None;
}

Error WritePlayerCarPower(std::vector<std::uint8_t>& exe, std::uint16_t power) {
    if (!Fits(exe, exe_offsets::kPowerSwitchCopy, 1)) {
        return Error::TableOutsideFile;
    }
    const std::uint8_t value = power != 0 ? 0 : kFixedPower;
    exe[exe_offsets::kPowerSwitch] = value;
    exe[exe_offsets::kPowerSwitchCopy] = value;
    return Error::None;
}

Error ReadSaveSpread(std::span<const std::uint8_t> save, std::uint16_t& spread) {
    if (!Fits(save, save_offsets::kSpread, 1)) {
        return Error::TableOutsideFile;
    }
    spread = std::min<std::uint16_t>(save[save_offsets::kSpread], 2);
    return Error::None;
}

Error WriteSaveSpread(std::vector<std::uint8_t>& save, std::uint16_t spread) {
    if (!Fits(save, save_offsets::kSpread, 1)) {
        return Error::TableOutsideFile;
    }
    save[save_offsets::kSpread] = static_cast<std::uint8_t>(spread);
    return Error::None;
}

} // namespace tavolex
