#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "core/Error.h"
#include "document/CarSet.h"

// The team and driver tables of the supported GP3.EXE and of the save file
// F1GSTATE.SAV: where they are, how each value is read (converted and kept in
// range) and written. These work on the files' bytes; GameTeamData.h reads
// and writes the files.

namespace tavolex {

// Which kinds of team data an exchange with the game covers.
namespace team_data {
enum Bits : std::uint32_t {
    DriverNames = 0x0001,
    TeamNames = 0x0002,
    EngineNames = 0x0004,
    CarNumbers = 0x0008,
    SelectedDrivers = 0x0010,
    EnginePower = 0x0020,
    DriverPerformance = 0x0080,
    AbilityRanges = 0x0100,
    FailureProbability = 0x0200,
    TyreTypes = 0x0400,
    CrewColours = 0x0800,
    PitBoxPositions = 0x1000,
};
} // namespace team_data
// What the Teams page exchanges: everything but crew colours and pit boxes.
inline constexpr std::uint32_t kTeamsPageMask = 0x07FF;

using Teams = std::array<TeamRecord, kTeamCount>;

// Reads the selected kinds from the executable's bytes into `teams`;
// TableOutsideFile (and `teams` partly written) when a table lies outside
// them. Every reader and writer here fails so, and a writer then writes nothing.
[[nodiscard]] Error ReadExeTeamTables(std::span<const std::uint8_t> exe, std::uint32_t mask, Teams& teams);
[[nodiscard]] Error WriteExeTeamTables(std::vector<std::uint8_t>& exe, std::uint32_t mask, const Teams& teams);

// The same for the save file, which holds names, car numbers, selected flags and tyre types.
[[nodiscard]] Error ReadSaveTeamTables(std::span<const std::uint8_t> save, std::uint32_t mask, Teams& teams);
[[nodiscard]] Error WriteSaveTeamTables(std::vector<std::uint8_t>& save, std::uint32_t mask, const Teams& teams);

// One team's car number positions; commits only when all 30 values are there.
[[nodiscard]] Error ReadNumberPositions(std::span<const std::uint8_t> exe, int team, TeamRecord& record);
[[nodiscard]] Error WriteNumberPositions(std::vector<std::uint8_t>& exe, int team, const TeamRecord& record);

// The crew colours of a slot (markers resolved) into any team, and back.
[[nodiscard]] Error ReadCrewColours(std::span<const std::uint8_t> exe, int slot, TeamRecord& destination);
[[nodiscard]] Error WriteCrewColours(std::vector<std::uint8_t>& exe, int slot, const TeamRecord& source);
// The crew colour rule on one team's 16 bytes.
std::array<std::uint8_t, 16> ResolveCrewColours(const std::array<std::uint8_t, 16>& raw);

// The pit lane order: byte k names the team in box k; a broken order reads as 1..11.
[[nodiscard]] Error ReadPitBoxOrder(std::span<const std::uint8_t> exe, Teams& teams);
[[nodiscard]] Error WritePitBoxOrder(std::vector<std::uint8_t>& exe, const Teams& teams);

// Championship points and the player car power switch (1 team dependent, 0 fixed).
[[nodiscard]] Error ReadPoints(std::span<const std::uint8_t> exe, std::array<std::uint8_t, kPointsPositions>& points);
[[nodiscard]] Error WritePoints(std::vector<std::uint8_t>& exe,
                                const std::array<std::uint8_t, kPointsPositions>& points);
[[nodiscard]] Error ReadPlayerCarPower(std::span<const std::uint8_t> exe, std::uint16_t& power);
[[nodiscard]] Error WritePlayerCarPower(std::vector<std::uint8_t>& exe, std::uint16_t power);

// The save file's opposition spread, 0 to 2.
[[nodiscard]] Error ReadSaveSpread(std::span<const std::uint8_t> save, std::uint16_t& spread);
[[nodiscard]] Error WriteSaveSpread(std::vector<std::uint8_t>& save, std::uint16_t spread);

// Table offsets, for the sample game and tests.
namespace exe_offsets {
inline constexpr std::size_t kDriverNames = 0x73A31C;
inline constexpr std::size_t kTeamNames = 0x73A52C;
inline constexpr std::size_t kEngineNames = 0x73A5BB;
inline constexpr std::size_t kCarNumbers = 0x73A256;
inline constexpr std::size_t kSelected = 0x73A240;
inline constexpr std::size_t kQualifyingPower = 0x143A90;
inline constexpr std::size_t kRacePower = 0x143AA6;
inline constexpr std::size_t kDriverPerformance = 0x143ABC;
inline constexpr std::size_t kAbilityRanges = 0x143B14;
inline constexpr std::size_t kFailure = 0x143B6C;
inline constexpr std::size_t kTyreTypes = 0x73A2C4;
inline constexpr std::size_t kCrewColours = 0x41BF38;
inline constexpr std::size_t kPitBoxes = 0x73B470;
inline constexpr std::size_t kNumberDestinations = 0x1814D0;
inline constexpr std::size_t kNumberSources = 0x1810B0;
inline constexpr std::size_t kPoints = 0x73B456;
inline constexpr std::size_t kPowerSwitch = 0x36C67;
inline constexpr std::size_t kPowerSwitchCopy = 0x36E29;
} // namespace exe_offsets

namespace save_offsets {
inline constexpr std::size_t kSpread = 0x16A0;
inline constexpr std::size_t kSelected = 0x1543C;
inline constexpr std::size_t kCarNumbers = 0x15452;
inline constexpr std::size_t kTyreTypes = 0x154C0;
inline constexpr std::size_t kDriverNames = 0x15518;
inline constexpr std::size_t kTeamNames = 0x15728;
inline constexpr std::size_t kEngineNames = 0x157B7;
} // namespace save_offsets

inline constexpr std::uint32_t kTyreValue0 = 0x03350334;
inline constexpr std::uint32_t kTyreValue1 = 0x03370336;
inline constexpr std::uint16_t kEnginePowerBase = 32817;
inline constexpr std::uint16_t kMaxEnginePower = 1598;

} // namespace tavolex
