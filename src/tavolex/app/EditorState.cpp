#include "app/EditorState.h"

EditorState::EditorState(tavolex::AppPaths paths, std::filesystem::path temporaryFolder, QObject* parent)
    : QObject(parent), paths_(std::move(paths)), temporaryFolder_(std::move(temporaryFolder)) {
    tavolex::NewCarSet(carSet_);
    carSet_.onModified = [this] { emit titleChanged(); };
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
