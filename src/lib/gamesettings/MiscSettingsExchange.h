#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "core/Error.h"
#include "document/CarSet.h"
#include "document/MiscSettingsDefaults.h"
#include "game/GameFolder.h"

// The car set's game-wide settings and where the game keeps them: the player
// car power switch and the championship points in GP3.EXE, the opposition
// spread in the save file, the level names in the five language files. Each
// group is exchanged on its own (the Miscellaneous page) or all together
// (import and export of the whole car set).

namespace tavolex {

// The power switch and the points: GP3.EXE, which must be the supported build.
// A failed read leaves `misc` as it was.
[[nodiscard]] Error ReadGamePowerSwitch(const GameFolder& game, ExeStatus status, MiscSettings& misc);
[[nodiscard]] Error WriteGamePowerSwitch(const GameFolder& game, ExeStatus status, const MiscSettings& misc);
[[nodiscard]] Error ReadGamePoints(const GameFolder& game, ExeStatus status, MiscSettings& misc);
[[nodiscard]] Error WriteGamePoints(const GameFolder& game, ExeStatus status, const MiscSettings& misc);

// The opposition spread: read only from an intact save file (capped at 2),
// else, or when the read fails, 1. Writing to a save file that is not intact
// does nothing and succeeds.
std::uint16_t ReadGameSpread(const GameFolder& game);
// The spread the save file holds (capped at 2); nothing without an intact save file.
[[nodiscard]] std::optional<std::uint16_t> ReadSavedSpread(const GameFolder& game);
[[nodiscard]] Error WriteGameSpread(const GameFolder& game, std::uint16_t spread);

// A level name per language, or nothing: where reading, the language file
// is missing or unreadable; where writing, the file is left as it is.
using GameLevelNames = std::array<std::optional<FixedText<32>>, kLanguageCount>;
[[nodiscard]] GameLevelNames ReadGameLevelNames(const GameFolder& game);
[[nodiscard]] GameLevelNames EveryLevelName(const LevelNames& names);

// The level names into the language files: every name is checked before the
// first file is written (a control character is refused with
// Error::ControlCharacter). A language file that does not exist is skipped; one
// that exists but cannot be written ends the writing with its error.
[[nodiscard]] Error WriteGameLevelNames(const GameFolder& game, const GameLevelNames& names);
[[nodiscard]] Error CheckLevelNames(const GameLevelNames& names);

// The spread and the five level names. Reading fails, and `misc` stays unchanged,
// when neither the save file nor any language file could be read; otherwise
// a name that cannot be read becomes its language's pattern filled with
// "Tavolex" and a missing spread 1.
// Writing checks the names, then writes the spread, then the names.
[[nodiscard]] Error ReadOppositionSettings(const GameFolder& game, MiscSettings& misc);
[[nodiscard]] Error WriteOppositionSettings(const GameFolder& game, const MiscSettings& misc);

// All four, all or nothing: `misc` changes only when every read succeeded.
// The executable's settings are read only when it is the supported build.
[[nodiscard]] Error ImportMiscSettings(const GameFolder& game, ExeStatus status, MiscSettings& misc);
// The share of GP3.EXE and the save file: the power switch, the spread and
// the points, the first failure ending it; the executable only when
// supported. The level names go separately (WriteGameLevelNames), after
// these files are on disk, so that a failing executable leaves them as they were.
[[nodiscard]] Error ExportMiscTables(const GameFolder& game, ExeStatus status, const MiscSettings& misc);

} // namespace tavolex
