#include "GameTransferCommands.h"

#include "CommandTemporaryFolder.h"
#include "TerminalProgress.h"
#include "core/Texts.h"
#include "document/CarSet.h"
#include "game/GameFolder.h"
#include "game/GraphicEnvironment.h"
#include "transfer/ExportWorker.h"
#include "transfer/ImportWorker.h"
#include "transfer/SelectionChoice.h"
#include "transfer/TransferMessages.h"

namespace tavolex::cli {
namespace fs = std::filesystem;

namespace {

// What both commands need before their work: a usable game, the car set and
// the items. The editor opens its configuration for an unusable game; here
// the reason is said.
struct Transfer {
    ExeStatus status = ExeStatus::Missing;
    CarSet carSet;
    SelectionRecord selection;
};

int Prepare(SelectionMode mode, const fs::path& folder, const fs::path& carSetFile,
            const std::optional<std::string>& items, Transfer& transfer) {
    // A bad list is bad usage, found before any file is looked at.
    std::optional<SelectionRecord> wanted;
    if (items) {
        std::string problem;
        wanted = ParseItemList(*items, problem);
        if (!wanted) {
            return UsageError("--items: " + problem);
        }
    }
    transfer.status = IdentifyGame(GameFolder(folder)).status;
    if (int usable = RequireGame(transfer.status); usable != kSuccess) {
        return usable;
    }
    if (int loaded = LoadCarSetFile(transfer.carSet, carSetFile); loaded != kSuccess) {
        return loaded;
    }
    // The boxes the dialog would have checked: those asked for among the ones
    // it lets the user check, or its preselection.
    transfer.selection =
        wanted ? UsableSelection(mode, transfer.carSet, *wanted) : DefaultSelection(mode, transfer.carSet);
    // The editor warns of an executable it cannot read; here the data that
    // lives in it would be skipped without a word, so nothing is done.
    if (transfer.status == ExeStatus::Unreadable && SelectsExecutableItems(transfer.selection)) {
        return FailWith(TextId::ExeUnreadableWarning);
    }
    return kSuccess;
}

GraphicEnvironment EnvironmentFor(const CommandTemporaryFolder& temporary, const fs::path& game) {
    return GraphicEnvironment{temporary.path(), game, EditorDataFolder()};
}

} // namespace

int GameImport(Arguments arguments) {
    const auto items = arguments.takeOption("--items");
    if (!arguments.valid() || arguments.positional().size() != 3) {
        return UsageError("game import takes DIR IN.GP3 OUT.GP3 [--items LIST]");
    }
    const fs::path folder = arguments.positional()[0];
    Transfer transfer;
    if (int prepared = Prepare(SelectionMode::Import, folder, arguments.positional()[1], items, transfer);
        prepared != kSuccess) {
        return prepared;
    }
    const CommandTemporaryFolder temporary;
    const GraphicEnvironment environment = EnvironmentFor(temporary, folder);
    if (Error error = ImportFromGame(transfer.carSet, environment, transfer.status, transfer.selection); !Ok(error)) {
        return Fail(Text(ImportFromGameMessage(error)));
    }
    return SaveCarSetFile(transfer.carSet, arguments.positional()[2], environment);
}

int GameExport(Arguments arguments) {
    const auto items = arguments.takeOption("--items");
    if (!arguments.valid() || arguments.positional().size() != 2) {
        return UsageError("game export takes IN.GP3 DIR [--items LIST]");
    }
    const fs::path folder = arguments.positional()[1];
    Transfer transfer;
    if (int prepared = Prepare(SelectionMode::Export, folder, arguments.positional()[0], items, transfer);
        prepared != kSuccess) {
        return prepared;
    }
    const CommandTemporaryFolder temporary;
    TerminalProgress progress;
    if (Error error = ExportToGame(transfer.carSet, EnvironmentFor(temporary, folder), transfer.status,
                                   transfer.selection, &progress);
        !Ok(error)) {
        return Fail(Text(ExportToGameMessage(error)));
    }
    return kSuccess;
}

} // namespace tavolex::cli
