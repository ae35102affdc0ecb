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
// The largest mask that still fits the game's 16 bits once 64 is added.
inline constexpr std::uint16_t kMaxDriverAidMask = 65535 - 64;

using DriverAidMasks = std::array<std::uint16_t, kDifficultyLevels>;

// The aids' bits in the order of the editor's columns: Auto Brakes, Auto
// Gears, Auto Right the Car, Indestructible, Show Best Line, Suggested Gear,
// Throttle Help, Steering Help.
inline constexpr std::array<std::uint16_t, kDriverAidCount> kDriverAidBits = {0x001, 0x002, 0x004, 0x008,
                                                                              0x100, 0x200, 0x010, 0x020};

DriverAidMasks DefaultDriverAids();

// Per column, whether the mask offers the aid; and the mask of the offered aids.
std::array<bool, kDriverAidCount> AvailableAids(std::uint16_t mask);
std::uint16_t MaskOfAids(const std::array<bool, kDriverAidCount>& available);

// The stored value as a mask: above 64, 64 is taken off; 64 or less (or negative) is kept.
std::uint16_t AidMaskFromStored(std::int16_t stored);

[[nodiscard]] bool ReadDriverAids(std::span<const std::uint8_t> exe, DriverAidMasks& masks);
[[nodiscard]] bool WriteDriverAids(std::vector<std::uint8_t>& exe, const DriverAidMasks& masks);

[[nodiscard]] Error ReadGameDriverAids(const GameFolder& game, ExeStatus status, DriverAidMasks& masks);
[[nodiscard]] Error WriteGameDriverAids(const GameFolder& game, ExeStatus status, const DriverAidMasks& masks);

} // namespace tavolex
