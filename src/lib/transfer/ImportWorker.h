#pragma once

#include "core/Error.h"
#include "document/CarSet.h"
#include "document/GraphicDeclarations.h"
#include "game/GameFolder.h"
#include "game/GraphicEnvironment.h"
#include "game/TransferSummary.h"
#include "transfer/GameSelection.h"

// Takes the selected shares of the car set from the installed game: team and
// driver data and the game settings are read into the car set, the helmets
// are loaded, and every other selected picture slot is switched to the game's
// own texture (its pixels are fetched when shown or saved).

namespace tavolex {

// Runs the steps in a fixed order: team data, settings, helmets, tyres, the
// team pictures, pit boxes, car number positions. A failing step ends the
// import with its error (transfer/TransferMessages.h tells it); the steps before
// it stay applied, and the car set is marked modified whenever one of them
// changed it.
[[nodiscard]] Error ImportFromGame(CarSet& carSet, const GraphicEnvironment& environment, ExeStatus status,
                                   const SelectionRecord& selection, TransferSummary* summary = nullptr);

} // namespace tavolex
