#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "core/Error.h"
#include "game/GameFolder.h"

// The game's damage coefficients: one value for each of 22 parts of the car
// (16-bit operands inside the game's code, so unevenly spaced), then the
// damage and bounce of collisions with walls and with cars.

namespace tavolex {

inline constexpr int kDamagePartCount = 22;
inline constexpr int kDamageValueCount = 26;
namespace damage_index {
inline constexpr int kWallDamage = 22;
inline constexpr int kWallBounce = 23;
inline constexpr int kCarDamage = 24;
inline constexpr int kCarBounce = 25;
} // namespace damage_index

using DamageRecord = std::array<std::uint16_t, kDamageValueCount>;

enum class DamageArea { Chassis = 0, Wings = 1, Wheels = 2 };

DamageRecord DefaultDamage();
// Where value `index` lies in GP3.EXE.
std::size_t DamageOffset(int index);
// The largest value `index` takes: 65535 for parts, 32767 for damage, 255 for bounce.
std::uint16_t DamageLimit(int index);
DamageArea AreaOfPart(int part);
// The parts of an area, in table order.
std::vector<int> PartsOfArea(DamageArea area);

// From the executable's bytes: collision values above their limit read as
// the limit, part values as they are. False (and `record` untouched) when a
// value lies outside the bytes.
[[nodiscard]] Error ReadDamage(std::span<const std::uint8_t> exe, DamageRecord& record);
[[nodiscard]] Error WriteDamage(std::vector<std::uint8_t>& exe, const DamageRecord& record);

// The same on the game's GP3.EXE, which must be the supported build.
[[nodiscard]] Error ReadGameDamage(const GameFolder& game, ExeStatus status, DamageRecord& record);
[[nodiscard]] Error WriteGameDamage(const GameFolder& game, ExeStatus status, const DamageRecord& record);

} // namespace tavolex
