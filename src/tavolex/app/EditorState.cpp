#include "app/EditorState.h"

#include "game/GraphicEnvironment.h"
#include "game/MenuArtArchive.h"
#include <QTimer>

namespace tavolex::editor {

EditorState::EditorState(tavolex::AppPaths paths, std::filesystem::path temporaryFolder, QObject* parent)
    : QObject(parent), paths_(std::move(paths)), temporaryFolder_(std::move(temporaryFolder)) {
    tavolex::NewCarSet(carSet_);
    carSet_.onModified = [this](std::string_view change) { changed(change); };
    history_.reset(carSet_);
}

void EditorState::changed(std::string_view change) {
    emit titleChanged();
    // A command may mark the car set modified before it has written all of its
    // change: the state is taken when the command is done.
    pendingChange_ = change;
    if (!changePending_) {
        changePending_ = true;
        QTimer::singleShot(0, this, &EditorState::recordPendingChange);
    }
}

void EditorState::recordPendingChange() {
    if (!changePending_) {
        return;
    }
    changePending_ = false;
    history_.record(carSet_, pendingChange_);
    emit historyChanged();
}

void EditorState::startHistory(bool saved) {
    changePending_ = false;
    history_.reset(carSet_, saved);
    emit historyChanged();
}

void EditorState::markSaved() {
    recordPendingChange();
    history_.markSaved();
    emit historyChanged();
}

bool EditorState::undo() {
    recordPendingChange();
    if (!history_.undo(carSet_)) {
        return false;
    }
    restored();
    return true;
}

bool EditorState::redo() {
    recordPendingChange();
    if (!history_.redo(carSet_)) {
        return false;
    }
    restored();
    return true;
}

void EditorState::restored() {
    emit dataChanged();
    emit titleChanged();
    emit historyChanged();
}

tavolex::GraphicEnvironment EditorState::graphicEnvironment() const {
    return {temporaryFolder_, game_.folder(), paths_.dataFolder};
}

void EditorState::selectTeam(int team) {
    if (team == currentTeam_ || team < 0 || team >= tavolex::kTeamCount) {
        return;
    }
    currentTeam_ = team;
    emit teamChanged();
}

tavolex::ExeIdentity EditorState::identifyGame(const std::string& folder) const {
    return tavolex::IdentifyGameExecutable(tavolex::GameFolder(folder),
                                           tavolex::ExeIdentificationFromHex(settings_.exeIdentification));
}

void EditorState::setGame(const std::string& folder, const tavolex::ExeIdentity& identity) {
    settings_.gameFolder = folder;
    game_ = tavolex::GameFolder(folder);
    exeStatus_ = identity.status;
    exeIdentifiedBy_ = identity.by;
    saveFileValid_ = tavolex::CheckSaveFile(game_);
    if (identity.by == tavolex::IdentifiedBy::Contents) {
        // Compared as the identification text from now on.
        settings_.exeIdentification = tavolex::IdentificationToHex(identity.text);
        // An unwritable settings file is told once, when the run ends (FinishRun).
        (void)tavolex::WriteExeIdentification(paths_.settingsFile, settings_.exeIdentification);
    }
}

void EditorState::rememberArtSignature() {
    if (game_.empty()) {
        return;
    }
    const tavolex::ArtIdentity art =
        tavolex::IdentifyArtArchiveFile(game_.artArchive(), tavolex::ArtSignatureFromHex(settings_.artSignature));
    if (art.by == tavolex::IdentifiedBy::Contents) {
        settings_.artSignature = tavolex::IdentificationToHex(art.signature);
        // An unwritable settings file is told once, when the run ends (FinishRun).
        (void)tavolex::WriteArtSignature(paths_.settingsFile, settings_.artSignature);
    }
}

void EditorState::loadSettings() {
    settings_ = tavolex::ReadSettings(paths_.settingsFile);
    game_ = tavolex::GameFolder(settings_.gameFolder);
    exeStatus_ = tavolex::ExeStatus::Missing;
    exeIdentifiedBy_ = tavolex::IdentifiedBy::None;
    saveFileValid_ = false;
    if (!settings_.gameFolder.empty()) {
        setGame(settings_.gameFolder, identifyGame(settings_.gameFolder));
    }
}

} // namespace tavolex::editor
