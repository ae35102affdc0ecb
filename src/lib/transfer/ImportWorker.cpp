#include "transfer/ImportWorker.h"

#include "document/LazyGraphics.h"
#include "editing/GraphicCommands.h"
#include "editing/NumberFields.h"
#include "game/GameFiles.h"
#include "game/GraphicEnvironment.h"
#include "gamesettings/MiscSettingsExchange.h"

namespace tavolex {
namespace {

constexpr TextId kFailed = TextId::FailedToReadGame;

// Helmets are held in memory, so they are read now; the software pair is
// stored only once the hardware pair (when asked for) was read as well.
Failure ImportHelmets(CarSet& carSet, const GraphicEnvironment& environment, const SelectionRecord& selection) {
    const bool software = selection.has(item::kHelmetsSoftware);
    PackedBitmap softwareHelmets;
    if (software &&
        !Ok(DeclarationOf(GraphicKind::Helmets).readFromGame(environment, 0, Variant::Software, softwareHelmets))) {
        return kFailed;
    }
    if (selection.has(item::kHelmetsHardware)) {
        PackedBitmap shown;
        if (ImportGraphic(carSet, environment, GraphicKind::Helmets, 0, Variant::Hardware, shown)) {
            return kFailed;
        }
    }
    if (software) {
        StoreHeldPicture(carSet, GraphicKind::Helmets, Variant::Software, std::move(softwareHelmets));
    }
    return std::nullopt;
}

// The steps in their order; `applied` turns true once one has changed the car set.
Failure RunImportSteps(CarSet& carSet, const GraphicEnvironment& environment, ExeStatus status,
                       const SelectionRecord& selection, bool& applied, TransferSummary& summary) {
    const GameFolder game(environment.gameFolder);
    if (const std::uint32_t mask = TeamDataMask(selection); mask != 0) {
        if (!Ok(ImportTeamData(game, status, mask, carSet))) {
            return kFailed;
        }
        applied = summary.teamData = true;
    }
    if (selection.has(item::kMiscSettings)) {
        if (!Ok(ImportMiscSettings(game, status, carSet.misc))) {
            return kFailed;
        }
        applied = summary.settings = true;
    }
    if (selection.has(item::kHelmetsSoftware) || selection.has(item::kHelmetsHardware)) {
        if (Failure failure = ImportHelmets(carSet, environment, selection)) {
            return failure;
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
            if (ImportNumberPositions(carSet, game, status, team)) {
                return kFailed;
            }
            applied = summary.numberPositions = true;
        }
    }
    return std::nullopt;
}

} // namespace

Failure ImportFromGame(CarSet& carSet, const GraphicEnvironment& environment, ExeStatus status,
                       const SelectionRecord& selection, TransferSummary* summary) {
    bool applied = false;
    TransferSummary done;
    const Failure failure = RunImportSteps(carSet, environment, status, selection, applied, done);
    if (summary != nullptr) {
        *summary = done;
    }
    // What the steps before a failure took from the game stays, and it is a
    // change like any other: the car set no longer matches its file.
    if (!failure || applied) {
        MarkModified(carSet, "Import from game");
    }
    return failure;
}

} // namespace tavolex
