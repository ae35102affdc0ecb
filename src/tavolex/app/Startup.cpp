#include "app/Startup.h"

#include <system_error>

#include "app/EditorState.h"
#include "document/Recovery.h"
#include "editing/PitCrewUpgrade.h"
#include "files/FileHelpers.h"
#include "game/GraphicEnvironment.h"
#include "game/MenuArtArchive.h"
#include "shell/MainWindow.h"
#include "shell/ProgressWindow.h"
#include "shell/Texts.h"
#include "shell/UiServices.h"

namespace tavolex::editor {

using namespace Qt::StringLiterals;

void OfferRecovery(EditorState& state, UiServices& ui, MainWindow& window) {
    const auto recovery = tavolex::FindRecovery(state.paths().dataFolder);
    if (!recovery) {
        return;
    }
    const QString question =
        QString::fromStdString(tavolex::FormatText(tavolex::TextId::RecoverQuestion, recovery->when));
    if (!ui.question(&window, question)) {
        tavolex::RemoveRecovery(state.paths().dataFolder);
        return;
    }
    const auto error = tavolex::OpenRecovery(state.carSet(), *recovery, state.temporaryFolder());
    if (!tavolex::Ok(error)) {
        ui.error(&window, T(tavolex::LoadErrorText(error)));
        return;
    }
    state.startHistory(false);
    state.notifyDataChanged();
    window.refreshTitle();
}

void RunStartupSteps(EditorState& state, UiServices& ui, MainWindow& window, const QString& pendingMessage) {
    if (!pendingMessage.isEmpty()) {
        ui.error(&window, pendingMessage);
    }
    OfferRecovery(state, ui, window);
    tavolex::Settings& settings = state.settings();
    if (settings.disclaimer > tavolex::kDisclaimerDone) {
        --settings.disclaimer;
        window.showDisclaimer();
    }
    if (settings.gameFolder.empty() || !tavolex::AllowsGameFiles(state.exeStatus())) {
        window.showConfiguration();
    }
    if (state.carSet().hasInformation != 0 && settings.carSetInfo != 0) {
        window.showCarSetInformation(true);
    }
    if (state.exeStatus() == tavolex::ExeStatus::Unreadable) {
        ui.error(&window, T(tavolex::TextId::ExeUnreadableWarning));
    }
    if (!state.game().empty()) {
        // The result does not matter here: art imports and exports check again.
        ProgressWindow progress(&window);
        (void)tavolex::CheckAndExpandArtArchive(state.game().artArchive(), &progress);
        state.rememberArtSignature();
    }
    UpgradePitCrewFilesIfNeeded(state, &window);
    if (const QString note = MissingPitCrewMasksNote(state); !note.isEmpty()) {
        ui.error(&window, T(tavolex::TextId::PitCrewMasksMissing) + u"\n\n"_s + note);
    }
}

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

void FinishRun(EditorState& state, UiServices& ui) {
    const auto& settingsFile = state.paths().settingsFile;
    if (!tavolex::Ok(tavolex::WriteSettingsAtExit(settingsFile, state.settings()))) {
        // Otherwise the Disclaimer comes back at every start without a reason.
        ui.error(nullptr, QString::fromStdString(
                              tavolex::FormatText(tavolex::TextId::SettingsNotWritten, settingsFile.string())));
    }
    tavolex::EmptyFolder(state.temporaryFolder());
    std::error_code ec;
    std::filesystem::remove(state.temporaryFolder(), ec);
}

} // namespace tavolex::editor
