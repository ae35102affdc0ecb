#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "document/CarSet.h"

// The game-wide settings of a new car set and the presets the Miscellaneous
// page offers: point tables and level names filled from each language's
// pattern.

namespace tavolex {

using PointsTable = std::array<std::uint8_t, kPointsPositions>;
using LevelNames = std::array<FixedText<32>, kLanguageCount>;

inline constexpr std::uint8_t kMaxPoints = 127;
inline constexpr int kFirstPresetYear = 1940;
inline constexpr int kLastPresetYear = 2020;

enum class PointsPreset { F1, Cart, All };
PointsTable PresetPoints(PointsPreset preset);

// Typed or read points: anything above 127 counts as 127.
std::uint8_t LimitPoints(long value);

// Each language's pattern ("%s Levels", "Niveaux %s", ...) filled with `filler`.
LevelNames LevelNamesFilledWith(std::string_view filler);
// The English pattern filled with `filler`, as the presets list shows it.
std::string EnglishLevelName(std::string_view filler);

MiscSettings DefaultMiscSettings();

} // namespace tavolex
