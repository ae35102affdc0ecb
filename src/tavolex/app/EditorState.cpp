#include "app/EditorState.h"

#include "game/GraphicEnvironment.h"
#include "game/MenuArtArchive.h"
#include <QTimer>

namespace tavolex::editor {

EditorState::EditorState(AppPaths paths, std::filesystem::path temporaryFolder, QObject* parent)
    : QObject(parent), paths_(std::move(paths)), temporaryFolder_(std::move(temporaryFolder)) {
    NewCarSet(carSet_);
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

GraphicEnvironment EditorState::graphicEnvironment() const {
    return {temporaryFolder_, game_.folder(), paths_.dataFolder};
}

void EditorState::selectTeam(int team) {
    if (team == currentTeam_ || team < 0 || team >= kTeamCount) {
        return;
    }
    currentTeam_ = team;
    emit teamChanged();
}

ExeIdentity EditorState::identifyGame(const std::string& folder) const {
    return IdentifyGameExecutable(GameFolder(folder), ExeIdentificationFromHex(settings_.exeIdentification));
}

void EditorState::setGame(const std::string& folder, const ExeIdentity& identity) {
    settings_.gameFolder = folder;
    game_ = GameFolder(folder);
    exeStatus_ = identity.status;
    exeIdentifiedBy_ = identity.by;
    saveFileValid_ = CheckSaveFile(game_);
    if (identity.by == IdentifiedBy::Contents) {
        // Compared as the identification text from now on.
        settings_.exeIdentification = IdentificationToHex(identity.text);
        // An unwritable settings file is told once, when the run ends (FinishRun).
        (void)WriteExeIdentification(paths_.settingsFile, settings_.exeIdentification);
    }
}

void EditorState::rememberArtSignature() {
    if (game_.empty()) {
        return;
    }
    const ArtIdentity art = IdentifyArtArchiveFile(game_.artArchive(), ArtSignatureFromHex(settings_.artSignature));
    if (art.by == IdentifiedBy::Contents) {
        settings_.artSignature = IdentificationToHex(art.signature);
        // An unwritable settings file is told once, when the run ends (FinishRun).
        (void)WriteArtSignature(paths_.settingsFile, settings_.artSignature);
    }
}

void EditorState::loadSettings() {
    settings_ = ReadSettings(paths_.settingsFile);
    game_ = GameFolder(settings_.gameFolder);
    exeStatus_ = ExeStatus::Missing;
    exeIdentifiedBy_ = IdentifiedBy::None;
    saveFileValid_ = false;
    if (!settings_.gameFolder.empty()) {
        setGame(settings_.gameFolder, identifyGame(settings_.gameFolder));
    }
}

} // namespace tavolex::editor
