#include "app/PitCrewFileUpgrade.h"

#include "app/EditorState.h"
#include "editing/PitCrewUpgrade.h"
#include "game/GraphicEnvironment.h"
#include "widgets/ProgressWindow.h"

namespace tavolex::editor {

QString MissingPitCrewMasksNote(const EditorState& state) {
    const GraphicEnvironment environment = state.graphicEnvironment();
    if (state.game().empty() ||
        PitCrewUpgradeState(environment.gameFolder, environment.dataFolder) != PitCrewFilesState::NoMasks) {
        return {};
    }
    const std::filesystem::path folder = PitCrewMaskPath(environment.dataFolder, 0).parent_path();
    return QString::fromStdString(FormatText(TextId::PitCrewMasksWhere, folder.string()));
}

void UpgradePitCrewFilesIfNeeded(EditorState& state, QWidget* parent) {
    const GraphicEnvironment environment = state.graphicEnvironment();
    if (state.game().empty() ||
        PitCrewUpgradeState(environment.gameFolder, environment.dataFolder) != PitCrewFilesState::NeedsUpgrade) {
        return;
    }
    // A failure is not reported: a file that failed stays unstamped and is tried again next time.
    ProgressWindow progress(parent);
    (void)UpgradePitCrewFiles(environment.gameFolder, environment.dataFolder, &progress);
}

} // namespace tavolex::editor
