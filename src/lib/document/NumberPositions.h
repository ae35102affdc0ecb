#pragma once

#include "document/CarSet.h"

namespace tavolex {

// Where the game's own liveries carry their numbers: the positions every team
// of an old (format 100) car set is given.
void SetDefaultNumberPositions(TeamRecord& team, int slot);

void ClearNumberPositions(TeamRecord& team);

} // namespace tavolex
