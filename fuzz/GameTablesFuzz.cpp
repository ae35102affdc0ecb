// The team tables of GP3.EXE and of the save file at their fixed offsets.
// The input is spread over the tables' places in a file of the right size
// (shortened by the first bytes' choice), so the readers see table contents
// and ends of file, not just a short buffer.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "game/TeamTables.h"

namespace {
using namespace tavolex;

constexpr std::size_t kExeOffsets[] = {
    exe_offsets::kDriverNames, exe_offsets::kTeamNames,          exe_offsets::kEngineNames,
    exe_offsets::kCarNumbers,  exe_offsets::kSelected,           exe_offsets::kQualifyingPower,
    exe_offsets::kRacePower,   exe_offsets::kDriverPerformance,  exe_offsets::kAbilityRanges,
    exe_offsets::kFailure,     exe_offsets::kTyreTypes,          exe_offsets::kCrewColours,
    exe_offsets::kPitBoxes,    exe_offsets::kNumberDestinations, exe_offsets::kNumberSources,
    exe_offsets::kPoints,      exe_offsets::kPowerSwitch,        exe_offsets::kPowerSwitchCopy};
constexpr std::size_t kSaveOffsets[] = {
    save_offsets::kSpread,      save_offsets::kSelected,  save_offsets::kCarNumbers, save_offsets::kTyreTypes,
    save_offsets::kDriverNames, save_offsets::kTeamNames, save_offsets::kEngineNames};
constexpr std::size_t kSpan = 1024;

// Copies the input cyclically over each table's place.
template <std::size_t N>
void Spread(std::span<const std::uint8_t> input, const std::size_t (&offsets)[N], std::vector<std::uint8_t>& file) {
    std::size_t at = 0;
    for (std::size_t offset : offsets) {
        const std::size_t room = std::min(kSpan, file.size() - std::min(offset, file.size()));
        for (std::size_t filled = 0; filled < room;) {
            const std::size_t n = std::min(room - filled, input.size() - at);
            std::memcpy(file.data() + offset + filled, input.data() + at, n);
            filled += n;
            at = (at + n) % input.size();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) {
        return 0;
    }
    const std::span<const std::uint8_t> input(data + 2, size - 2);
    // One file of the executable's size for every run; only the tables' places change.
    static std::vector<std::uint8_t> exe(exe_offsets::kPitBoxes + kSpan, 0);
    Spread(input, kExeOffsets, exe);
    const std::size_t cut = (static_cast<std::size_t>(data[0]) << 4) + data[1] % 16;
    const std::span<const std::uint8_t> exeBytes(exe.data(), exe.size() - std::min(cut, exe.size()));

    Teams teams{};
    (void)ReadExeTeamTables(exeBytes, 0xFFFF, teams);
    for (int t = 0; t < kTeamCount; ++t) {
        (void)ReadNumberPositions(exeBytes, t, teams[static_cast<std::size_t>(t)]);
        (void)ReadCrewColours(exeBytes, t, teams[static_cast<std::size_t>(t)]);
    }
    (void)ReadPitBoxOrder(exeBytes, teams);
    std::array<std::uint8_t, kPointsPositions> points{};
    (void)ReadPoints(exeBytes, points);
    std::uint16_t power = 0;
    (void)ReadPlayerCarPower(exeBytes, power);
    // What was read is written back (over the same places, renewed next run).
    (void)WriteExeTeamTables(exe, 0xFFFF, teams);
    (void)WritePitBoxOrder(exe, teams);

    std::vector<std::uint8_t> save(save_offsets::kEngineNames + kSpan, 0);
    Spread(input, kSaveOffsets, save);
    save.resize(save.size() - std::min(cut, save.size()));
    (void)ReadSaveTeamTables(save, 0xFFFF, teams);
    std::uint16_t spread = 0;
    (void)ReadSaveSpread(save, spread);
    // (The checksums over the whole file are left out: they are no parser,
    // and summing 88 KB a run would make the fuzzer ten times slower.)
    if (Ok(WriteSaveTeamTables(save, 0xFFFF, teams))) {
        Teams again{};
        (void)ReadSaveTeamTables(save, 0xFFFF, again);
    }
    return 0;
}
