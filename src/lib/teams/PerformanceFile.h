#pragma once

#include <filesystem>

#include "core/Error.h"
#include "document/CarSet.h"

// The team data of all eleven teams as an INI-style text file: names, engine
// power, failure probability, car numbers, drivers and their performance.
// Version 210 is written; versions 1-199 (an older scale of the driver
// figures) and 200 and above are read.

namespace tavolex {

inline constexpr int kPerformanceFileVersion = 210;

// The older layout's driver figures on the current scale.
int ConvertOldPerformance(int figure); // 0..16505
int ConvertOldRange(int figure);       // even, 128..2128

// The file's text for the car set's teams.
std::string PerformanceFileText(const CarSet& carSet);
[[nodiscard]] Error WritePerformanceFile(const std::filesystem::path& path, const CarSet& carSet);

// Reads a performance file's text into the team table: all or nothing
// through the backup table; a name with a control character refuses the
// file (Error::ControlCharacter).
[[nodiscard]] Error ReadPerformanceText(std::string_view text, CarSet& carSet);
[[nodiscard]] Error ReadPerformanceFile(const std::filesystem::path& path, CarSet& carSet);

} // namespace tavolex
