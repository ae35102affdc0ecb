#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "core/Error.h"
#include "game/GameFolder.h"

// Which driving aids the game offers at each of its five difficulty levels
// (Rookie, Amateur, Semi-pro, Pro, Ace): one mask per level, a set bit an
// aid that is available. GP3.EXE stores each mask plus 64.

namespace tavolex {

inline constexpr int kDifficultyLevels = 5;
inline constexpr int kDriverAidCount = 8;
inline constexpr std::size_t kDriverAidsOffset = 0x722C18;
using DriverAidMasks = std::array<std::uint16_t, kDifficultyLevels>;

// The aids' bits in the order of the editor's columns: Auto Brakes, Auto
// Gears, Auto Right the Car, Indestructible, Show Best Line, Suggested Gear,
// Throttle Help, Steering Help.
inline constexpr std::array<std::uint16_t, kDriverAidCount> kDriverAidBits = {0x001, 0x002, 0x004, 0x008,
                                                                              0x100, 0x200, 0x010, 0x020};
// Every aid's bit; a mask holds no other (64 is the game's own offset).
inline constexpr std::uint16_t kAllDriverAids = 0x33F;

[[nodiscard]] constexpr bool IsDriverAidMask(std::uint16_t mask) { return (mask & ~kAllDriverAids) == 0; }

DriverAidMasks DefaultDriverAids();

// Per column, whether the mask offers the aid; and the mask of the offered aids.
std::array<bool, kDriverAidCount> AvailableAids(std::uint16_t mask);
std::uint16_t MaskOfAids(const std::array<bool, kDriverAidCount>& available);

// The stored value as a mask: from 64 up, 64 is taken off (64 is no aid at
// all); below 64 (or negative) it is kept. Only the aids' bits are kept.
std::uint16_t AidMaskFromStored(std::int16_t stored);

[[nodiscard]] Error ReadDriverAids(std::span<const std::uint8_t> exe, DriverAidMasks& masks);
// False, with nothing written, when a mask holds a bit that is no aid's.
[[nodiscard]] Error WriteDriverAids(std::vector<std::uint8_t>& exe, const DriverAidMasks& masks);

[[nodiscard]] Error ReadGameDriverAids(const GameFolder& game, ExeStatus status, DriverAidMasks& masks);
[[nodiscard]] Error WriteGameDriverAids(const GameFolder& game, ExeStatus status, const DriverAidMasks& masks);

} // namespace tavolex
