#pragma once

#include <span>

#include "core/Error.h"
#include "document/FixedText.h"
#include "game/GameFolder.h"

// The opposition levels' name in the game's five language files: entry 260
// of the zero-terminated strings after each file's 4-byte header.

namespace tavolex {

inline constexpr int kLevelNameEntry = 260;

[[nodiscard]] Error ReadLevelName(const GameFolder& game, Language language, FixedText<32>& name);

// Replaces the name; the file keeps every other entry, shrinking or growing
// by the difference. The previous file is kept with ".old" appended.
[[nodiscard]] Error WriteLevelName(const GameFolder& game, Language language, std::string_view name);

// Where entry 260 lies in a language file's bytes: [start, end), end being its
// terminator or, for a last entry without one, the end of the file.
[[nodiscard]] Error FindLevelName(std::span<const std::uint8_t> file, std::size_t& start, std::size_t& end);

} // namespace tavolex
