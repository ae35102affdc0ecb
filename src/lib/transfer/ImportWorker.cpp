#include "transfer/ImportWorker.h"

#include "document/LazyGraphics.h"
#include "editing/GraphicCommands.h"
#include "editing/NumberFields.h"
#include "game/GameFiles.h"
#include "game/GraphicEnvironment.h"
#include "gamesettings/MiscSettingsExchange.h"

namespace tavolex {
namespace {

// Helmets are held in memory, so they are read now; the software pair is
// stored only once the hardware pair (when asked for) was read as well.
Error ImportHelmets(CarSet& carSet, const GraphicEnvironment& environment, const SelectionRecord& selection) {
    const bool software = selection.has(item::kHelmetsSoftware);
    PackedBitmap softwareHelmets;
    if (software) {
        if (Error error =
                DeclarationOf(GraphicKind::Helmets).readFromGame(environment, 0, Variant::Software, softwareHelmets);
            !Ok(error)) {
            return error;
        }
    }
    if (selection.has(item::kHelmetsHardware)) {
        PackedBitmap shown;
        if (Error error = ImportGraphic(carSet, environment, GraphicKind::Helmets, 0, Variant::Hardware, shown);
            !Ok(error)) {
            return error;
        }
    }
    if (software) {
        StoreHeldPicture(carSet, GraphicKind::Helmets, Variant::Software, std::move(softwareHelmets));
    }
    return Error::None;
}

// The steps in their order; `applied` turns true once one has changed the car set.
Error RunImportSteps(CarSet& carSet, const GraphicEnvironment& environment, ExeStatus status,
                     const SelectionRecord& selection, bool& applied, TransferSummary& summary) {
    const GameFolder game(environment.gameFolder);
    if (const std::uint32_t mask = TeamDataMask(selection); mask != 0) {
        if (Error error = ImportTeamData(game, status, mask, carSet); !Ok(error)) {
            return error;
        }
        applied = summary.teamData = true;
    }
    if (selection.has(item::kMiscSettings)) {
        if (Error error = ImportMiscSettings(game, status, carSet.misc); !Ok(error)) {
            return error;
        }
        applied = summary.settings = true;
    }
    if (selection.has(item::kHelmetsSoftware) || selection.has(item::kHelmetsHardware)) {
        if (Error error = ImportHelmets(carSet, environment, selection); !Ok(error)) {
            return error;
        }
        applied = true;
        summary.pictures +=
            (selection.has(item::kHelmetsSoftware) ? 1 : 0) + (selection.has(item::kHelmetsHardware) ? 1 : 0);
    }
    // The other pictures are taken from the game when they are shown or
    // saved: the tyres, the team pictures, then the pit boxes.
    for (const GraphicKind kind : {GraphicKind::Tyre, GraphicKind::Tread, GraphicKind::CarLivery, GraphicKind::Cockpit,
                                   GraphicKind::PitCrew, GraphicKind::MenuArtwork, GraphicKind::PitBoxes}) {
        for (const GraphicItemRun& run : GraphicItemRuns()) {
            for (int slot = 0; run.kind == kind && slot < run.count; ++slot) {
                if (selection.has(run.first + slot)) {
                    SetSlotFromGame(carSet, run.kind, slot, run.variant);
                    applied = true;
                    ++summary.pictures;
                }
            }
        }
    }
    if (selection.has(item::kCarNumberPositions)) {
        for (int team = 0; team < kTeamCount; ++team) {
            if (!CarSelectedWithPicture(carSet, selection, team)) {
                continue;
            }
            if (Error error = ImportNumberPositions(carSet, game, status, team); !Ok(error)) {
                return error;
            }
            applied = summary.numberPositions = true;
        }
    }
    return Error::None;
}

} // namespace

Error ImportFromGame(CarSet& carSet, const GraphicEnvironment& environment, ExeStatus status,
                     const SelectionRecord& selection, TransferSummary* summary) {
    bool applied = false;
    TransferSummary done;
    const Error error = RunImportSteps(carSet, environment, status, selection, applied, done);
    if (summary != nullptr) {
        *summary = done;
    }
    // What the steps before a failure took from the game stays, and it is a
    // change like any other: the car set no longer matches its file.
    if (Ok(error) || applied) {
        MarkModified(carSet, "Import from game");
    }
    return error;
}

} // namespace tavolex
