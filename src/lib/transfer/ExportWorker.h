#pragma once

#include "core/Error.h"
#include "core/Progress.h"
#include "document/CarSet.h"
#include "document/GraphicDeclarations.h"
#include "game/GameFolder.h"
#include "game/GraphicEnvironment.h"
#include "game/TransferSummary.h"
#include "transfer/GameSelection.h"

// Writes the selected shares of the car set into the installed game: team and
// driver data into the save file and GP3.EXE, the game settings, then every
// selected picture, kind after kind, into the game's texture files and the
// menu art archive.

namespace tavolex {

// The car set is only read: a picture is fetched as it is (never repaired or
// regenerated into the car set), and one that cannot be fetched fails its
// step. Selected pictures whose source is the game itself are not written
// back. A failing step ends the export with its error (transfer/TransferMessages.h
// tells it); what was written
// before it stays written, and every file written is replaced whole.
// `progress` (may be null) counts one item per selected picture.
[[nodiscard]] Error ExportToGame(const CarSet& carSet, const GraphicEnvironment& environment, ExeStatus status,
                                 const SelectionRecord& selection, Progress* progress,
                                 TransferSummary* summary = nullptr);

} // namespace tavolex
