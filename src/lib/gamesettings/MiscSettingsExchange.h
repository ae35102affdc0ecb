#pragma once

#include <cstdint>

#include "core/Error.h"
#include "document/CarSet.h"
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
[[nodiscard]] Error WriteGameSpread(const GameFolder& game, std::uint16_t spread);

// The spread and the five level names. Reading always succeeds: a name that
// cannot be read becomes its language's pattern filled with "Tavolex".
// Writing ignores the files that cannot be written.
void ReadOppositionSettings(const GameFolder& game, MiscSettings& misc);
void WriteOppositionSettings(const GameFolder& game, const MiscSettings& misc);

// All four, all or nothing: `misc` changes only when every read succeeded.
// The executable's settings are read only when it is the supported build.
[[nodiscard]] bool ImportMiscSettings(const GameFolder& game, ExeStatus status, MiscSettings& misc);
// Power switch (a failure ends it), spread and names (failures ignored),
// then points (a failure ends it); the executable only when supported.
[[nodiscard]] bool ExportMiscSettings(const GameFolder& game, ExeStatus status, const MiscSettings& misc);

} // namespace tavolex
