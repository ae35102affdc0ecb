#include "GameTransferCommands.h"

#include "CommandTemporaryFolder.h"
#include "TerminalProgress.h"
#include "core/Texts.h"
#include "document/CarSet.h"
#include "game/ExportWorker.h"
#include "game/GameFolder.h"
#include "game/ImportWorker.h"
#include "game/SelectionChoice.h"
#include "settings/AppPaths.h"

namespace tavolex::cli {
namespace fs = std::filesystem;

namespace {

// The boxes the dialog would have checked: the ones asked for among those it
// lets the user check, or its preselection.
std::optional<SelectionRecord> ChosenItems(SelectionMode mode, const CarSet& carSet,
                                           const std::optional<std::string>& items, int& exitCode) {
    if (!items) {
        return DefaultSelection(mode, carSet);
    }
    std::string problem;
    const auto wanted = ParseItemList(*items, problem);
    if (!wanted) {
        exitCode = UsageError("--items: " + problem);
        return std::nullopt;
    }
    return UsableSelection(mode, carSet, *wanted);
}

// The editor opens its configuration instead; here the reason is said.
std::optional<int> RefuseUnusableGame(ExeStatus status) {
    if (AllowsGameFiles(status)) {
        return std::nullopt;
    }
    const std::string_view text =
        Text(status == ExeStatus::Missing ? TextId::ExeMissingOrCorrupt : TextId::ExeUnsupported);
    return Fail(text.substr(0, text.find("\n\n"))); // the advice after it is about the editor's dialog
}

GraphicEnvironment EnvironmentFor(const CommandTemporaryFolder& temporary, const fs::path& game) {
    const AppPaths paths = ResolveAppPaths(CurrentExecutablePath(nullptr), Environment::FromProcess());
    return GraphicEnvironment{temporary.path(), game, paths.dataFolder};
}

} // namespace

int GameImport(Arguments arguments) {
    const auto items = arguments.takeOption("--items");
    if (!arguments.valid() || arguments.positional().size() != 3) {
        return UsageError("game import takes DIR IN.GP3 OUT.GP3 [--items LIST]");
    }
    const fs::path folder = arguments.positional()[0];
    const ExeStatus status = IdentifyExecutable(GameFolder(folder));
    if (auto refused = RefuseUnusableGame(status)) {
        return *refused;
    }
    CarSet carSet;
    if (int loaded = LoadCarSetFile(carSet, arguments.positional()[1]); loaded != kSuccess) {
        return loaded;
    }
    int exitCode = kSuccess;
    const auto selection = ChosenItems(SelectionMode::Import, carSet, items, exitCode);
    if (!selection) {
        return exitCode;
    }
    const CommandTemporaryFolder temporary;
    const GraphicEnvironment environment = EnvironmentFor(temporary, folder);
    if (Failure failure = ImportFromGame(carSet, environment, status, *selection)) {
        return Fail(Text(*failure));
    }
    return SaveCarSetFile(carSet, arguments.positional()[2], environment);
}

int GameExport(Arguments arguments) {
    const auto items = arguments.takeOption("--items");
    if (!arguments.valid() || arguments.positional().size() != 2) {
        return UsageError("game export takes IN.GP3 DIR [--items LIST]");
    }
    const fs::path folder = arguments.positional()[1];
    const ExeStatus status = IdentifyExecutable(GameFolder(folder));
    if (auto refused = RefuseUnusableGame(status)) {
        return *refused;
    }
    CarSet carSet;
    if (int loaded = LoadCarSetFile(carSet, arguments.positional()[0]); loaded != kSuccess) {
        return loaded;
    }
    int exitCode = kSuccess;
    const auto selection = ChosenItems(SelectionMode::Export, carSet, items, exitCode);
    if (!selection) {
        return exitCode;
    }
    const CommandTemporaryFolder temporary;
    TerminalProgress progress;
    if (Failure failure = ExportToGame(carSet, EnvironmentFor(temporary, folder), status, *selection, &progress)) {
        return Fail(Text(*failure));
    }
    return kSuccess;
}

} // namespace tavolex::cli
