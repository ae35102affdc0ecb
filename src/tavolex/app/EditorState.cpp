#include "app/EditorState.h"

#include <QTimer>

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

void EditorState::startHistory() {
    changePending_ = false;
    history_.reset(carSet_);
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

void EditorState::setGame(const std::string& folder, tavolex::ExeStatus status) {
    settings_.gameFolder = folder;
    game_ = tavolex::GameFolder(folder);
    exeStatus_ = status;
    saveFileValid_ = tavolex::CheckSaveFile(game_);
}

void EditorState::loadSettings() {
    settings_ = tavolex::ReadSettings(paths_.settingsFile);
    game_ = tavolex::GameFolder(settings_.gameFolder);
    exeStatus_ = tavolex::ExeStatus::Missing;
    saveFileValid_ = false;
    if (!settings_.gameFolder.empty()) {
        exeStatus_ = tavolex::IdentifyExecutable(game_);
        saveFileValid_ = tavolex::CheckSaveFile(game_);
    }
}
