#include "shell/Startup.h"

#include <system_error>

#include "app/EditorState.h"
#include "app/PitCrewFileUpgrade.h"
#include "document/Recovery.h"
#include "files/FileHelpers.h"
#include "game/MenuArtArchive.h"
#include "shell/MainWindow.h"
#include "widgets/ProgressWindow.h"
#include "widgets/Texts.h"
#include "widgets/UiServices.h"

namespace tavolex::editor {

using namespace Qt::StringLiterals;

void OfferRecovery(EditorState& state, UiServices& ui, MainWindow& window) {
    const auto recovery = FindRecovery(state.paths().dataFolder);
    if (!recovery) {
        return;
    }
    const QString question = QString::fromStdString(FormatText(TextId::RecoverQuestion, recovery->when));
    if (!ui.question(&window, question)) {
        RemoveRecovery(state.paths().dataFolder);
        return;
    }
    const auto error = OpenRecovery(state.carSet(), *recovery, state.temporaryFolder());
    if (!Ok(error)) {
        ui.error(&window, T(LoadErrorText(error)));
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
    Settings& settings = state.settings();
    if (settings.disclaimer > kDisclaimerDone) {
        --settings.disclaimer;
        window.showDisclaimer();
    }
    if (settings.gameFolder.empty() || !AllowsGameFiles(state.exeStatus())) {
        window.showConfiguration();
    }
    if (state.carSet().hasInformation != 0 && settings.carSetInfo != 0) {
        window.showCarSetInformation(true);
    }
    if (state.exeStatus() == ExeStatus::Unreadable) {
        ui.error(&window, T(TextId::ExeUnreadableWarning));
    }
    if (!state.game().empty()) {
        // The result does not matter here: art imports and exports check again.
        ProgressWindow progress(&window);
        (void)CheckAndExpandArtArchive(state.game().artArchive(), &progress);
        state.rememberArtSignature();
    }
    UpgradePitCrewFilesIfNeeded(state, &window);
    if (const QString note = MissingPitCrewMasksNote(state); !note.isEmpty()) {
        ui.error(&window, T(TextId::PitCrewMasksMissing) + u"\n\n"_s + note);
    }
}

void FinishRun(EditorState& state, UiServices& ui) {
    const auto& settingsFile = state.paths().settingsFile;
    if (!Ok(WriteSettingsAtExit(settingsFile, state.settings()))) {
        // Otherwise the Disclaimer comes back at every start without a reason.
        ui.error(nullptr, QString::fromStdString(FormatText(TextId::SettingsNotWritten, settingsFile.string())));
    }
    EmptyFolder(state.temporaryFolder());
    std::error_code ec;
    std::filesystem::remove(state.temporaryFolder(), ec);
}

} // namespace tavolex::editor
