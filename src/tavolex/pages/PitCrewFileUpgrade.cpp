#include "pages/PitCrewFileUpgrade.h"

#include "app/EditorState.h"
#include "editing/PitCrewUpgrade.h"
#include "game/GraphicEnvironment.h"
#include "widgets/ProgressWindow.h"

namespace tavolex::editor {

QString MissingPitCrewMasksNote(const EditorState& state) {
    const tavolex::GraphicEnvironment environment = state.graphicEnvironment();
    if (state.game().empty() || tavolex::PitCrewUpgradeState(environment.gameFolder, environment.dataFolder) !=
                                    tavolex::PitCrewFilesState::NoMasks) {
        return {};
    }
    const std::filesystem::path folder = tavolex::PitCrewMaskPath(environment.dataFolder, 0).parent_path();
    return QString::fromStdString(tavolex::FormatText(tavolex::TextId::PitCrewMasksWhere, folder.string()));
}

void UpgradePitCrewFilesIfNeeded(EditorState& state, QWidget* parent) {
    const tavolex::GraphicEnvironment environment = state.graphicEnvironment();
    if (state.game().empty() || tavolex::PitCrewUpgradeState(environment.gameFolder, environment.dataFolder) !=
                                    tavolex::PitCrewFilesState::NeedsUpgrade) {
        return;
    }
    // A failure is not reported: a file that failed stays unstamped and is tried again next time.
    ProgressWindow progress(parent);
    (void)tavolex::UpgradePitCrewFiles(environment.gameFolder, environment.dataFolder, &progress);
}

} // namespace tavolex::editor
