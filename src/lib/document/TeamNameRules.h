#pragma once

#include "core/Error.h"
#include "document/CarSet.h"

// What the game's files take as a name: no control character (bytes below
// 0x20). Team data from a file the user chose is refused whole when one of
// its names holds one.

namespace tavolex {

// Error::ControlCharacter when a team, engine or driver name holds a control character.
[[nodiscard]] Error CheckTeamNames(const CarSet& carSet);

// After a reader filled the team table (its backup holding the teams before):
// the table back as it was when a name is refused, and the refusal.
[[nodiscard]] Error KeepTeamsIfNamesAllowed(CarSet& carSet);

} // namespace tavolex
