#pragma once

#include <QObject>

#include <filesystem>

#include "app/RunChoiceStore.h"
#include "document/CarSet.h"
#include "document/GraphicDeclarations.h"
#include "document/UndoHistory.h"
#include "game/GameFolder.h"
#include "game/GameIdentity.h"
#include "game/GraphicEnvironment.h"
#include "settings/AppPaths.h"
#include "settings/Settings.h"

namespace tavolex::editor {

// Everything the editor holds for the whole run: the one car set, the
// settings, where files live, the game and its status, the current team.
// Its three signals are the notifications that keep every window in step.
class EditorState : public QObject {
    Q_OBJECT

  public:
    EditorState(AppPaths paths, std::filesystem::path temporaryFolder, QObject* parent = nullptr);

    CarSet& carSet() { return carSet_; }
    const AppPaths& paths() const { return paths_; }
    const std::filesystem::path& temporaryFolder() const { return temporaryFolder_; }
    Settings& settings() { return settings_; }
    const GameFolder& game() const { return game_; }
    ExeStatus exeStatus() const { return exeStatus_; }
    // How the executable was recognised (text or contents), or None.
    IdentifiedBy exeIdentifiedBy() const { return exeIdentifiedBy_; }
    bool saveFileValid() const { return saveFileValid_; }
    GraphicEnvironment graphicEnvironment() const;

    int currentTeam() const { return currentTeam_; }
    // What the pages chose this run (see RunChoice); New and Open keep it.
    RunChoiceStore& runChoices() { return runChoices_; }
    const RunChoiceStore& runChoices() const { return runChoices_; }
    // Makes `team` current and tells the page; the same team again does nothing.
    void selectTeam(int team);

    // Identifies the executable of `folder`, with the identification text learnt earlier.
    ExeIdentity identifyGame(const std::string& folder) const;
    // Sets the game folder and judges its save file afresh; a game recognised
    // by its contents has its identification text remembered.
    void setGame(const std::string& folder, const ExeIdentity& identity);
    // Remembers the art archive's signature when it was recognised by its contents.
    void rememberArtSignature();
    // Reads the settings file and identifies the game it names.
    void loadSettings();

    // The undo history: New and Open start a fresh one, a save marks the
    // saved state. Changes are recorded once the command that made them is done.
    const UndoHistory& history() const { return history_; }
    void startHistory(bool saved = true);
    void markSaved();
    bool undo();
    bool redo();

    // The notifications.
    void notifyDataChanged() { emit dataChanged(); }
    void notifySaved() { emit carSetSaved(); }
    void notifyExeStatusChanged() { emit exeStatusChanged(); }
    void notifyTeamNamesChanged() { emit teamNamesChanged(); }
    // A command succeeded: `what` says what it did, in the status bar.
    void tellDone(const std::string& what) { emit done(QString::fromStdString(what)); }

  signals:
    void teamChanged();
    void dataChanged();
    // The car set was written to its file; what it holds is unchanged.
    void carSetSaved();
    void exeStatusChanged();
    // The car set's title or modified state changed.
    void titleChanged();
    // A team or engine name changed: the team list relabels (the page stays as it is).
    void teamNamesChanged();
    // What undo and redo would do changed.
    void historyChanged();
    void done(const QString& what);

  private:
    AppPaths paths_;
    std::filesystem::path temporaryFolder_;
    Settings settings_;
    CarSet carSet_;
    GameFolder game_;
    ExeStatus exeStatus_ = ExeStatus::Missing;
    IdentifiedBy exeIdentifiedBy_ = IdentifiedBy::None;
    bool saveFileValid_ = false;
    int currentTeam_ = 0;
    RunChoiceStore runChoices_;
    UndoHistory history_;
    std::string pendingChange_;
    bool changePending_ = false;

    void changed(std::string_view change);
    void recordPendingChange();
    // After undo or redo: every window shows the restored car set.
    void restored();
};

} // namespace tavolex::editor
