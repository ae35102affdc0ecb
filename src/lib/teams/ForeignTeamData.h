#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>

#include "core/Error.h"
#include "document/CarSet.h"

// Team data from other tools' files: PER files (INI sections per quantity)
// and GP2 car sets of an earlier editor (formats 100, 120, 160, 170, 180).
// Only team data is taken; all or nothing through the backup table. A name
// with a control character refuses the file (Error::ControlCharacter).

namespace tavolex {

// Missing keys take their defaults, so reading always succeeds.
void ReadPerText(std::string_view text, CarSet& carSet);
[[nodiscard]] Error ReadPerFile(const std::filesystem::path& path, CarSet& carSet);

// The GP2 format of a file's bytes (100, 120, 160, 170 or 180), or 0 when it is none.
int Gp2Format(std::span<const std::uint8_t> file);

[[nodiscard]] Error ReadGp2CarSet(std::span<const std::uint8_t> file, CarSet& carSet);
[[nodiscard]] Error ReadGp2CarSet(const std::filesystem::path& path, CarSet& carSet);

} // namespace tavolex
