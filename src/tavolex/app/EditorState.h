#pragma once

#include <QObject>

#include <array>
#include <filesystem>

#include "document/CarSet.h"
#include "document/GraphicDeclarations.h"
#include "document/UndoHistory.h"
#include "game/GameFolder.h"
#include "game/GameIdentity.h"
#include "game/GraphicEnvironment.h"
#include "settings/AppPaths.h"
#include "settings/Settings.h"

namespace tavolex::editor {

// What the performance editor remembers for the whole run (not part of the car set).
struct PerformanceEditorMemory {
    int view = -1;          // 0 Engine BHP, 1 Reliability, 2 Qualification, 3 Race; -1 before the first opening
    int calculatorMode = 0; // 0 Qualification, 1 Race
    std::array<std::array<int, 3>, 7> steps{}; // minimum, average, maximum step per Quick Edit entry
    std::array<int, 4> modes{};                // the Quick Edit mode of each view
};

// The Wheels page's half choices, kept for the whole run: left 0-2 (both,
// top, bottom of the software wheels), right 0-2 the hardware wheels, 3-5 the treads.
struct WheelsPageMemory {
    int left = 0;
    int right = 0;
};

// Everything the editor holds for the whole run: the one car set, the
// settings, where files live, the game and its status, the current team.
// Its three signals are the notifications that keep every window in step.
class EditorState : public QObject {
    Q_OBJECT

  public:
    EditorState(tavolex::AppPaths paths, std::filesystem::path temporaryFolder, QObject* parent = nullptr);

    tavolex::CarSet& carSet() { return carSet_; }
    const tavolex::AppPaths& paths() const { return paths_; }
    const std::filesystem::path& temporaryFolder() const { return temporaryFolder_; }
    tavolex::Settings& settings() { return settings_; }
    const tavolex::GameFolder& game() const { return game_; }
    tavolex::ExeStatus exeStatus() const { return exeStatus_; }
    // How the executable was recognised (text or contents), or None.
    tavolex::IdentifiedBy exeIdentifiedBy() const { return exeIdentifiedBy_; }
    bool saveFileValid() const { return saveFileValid_; }
    tavolex::GraphicEnvironment graphicEnvironment() const;

    int currentTeam() const { return currentTeam_; }
    PerformanceEditorMemory& performanceMemory() { return performanceMemory_; }
    WheelsPageMemory& wheelsMemory() { return wheelsMemory_; }
    // Makes `team` current and tells the page; the same team again does nothing.
    void selectTeam(int team);

    // Identifies the executable of `folder`, with the identification text learnt earlier.
    tavolex::ExeIdentity identifyGame(const std::string& folder) const;
    // Sets the game folder and judges its save file afresh; a game recognised
    // by its contents has its identification text remembered.
    void setGame(const std::string& folder, const tavolex::ExeIdentity& identity);
    // Remembers the art archive's signature when it was recognised by its contents.
    void rememberArtSignature();
    // Reads the settings file and identifies the game it names.
    void loadSettings();

    // The undo history: New and Open start a fresh one, a save marks the
    // saved state. Changes are recorded once the command that made them is done.
    const tavolex::UndoHistory& history() const { return history_; }
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
    tavolex::AppPaths paths_;
    std::filesystem::path temporaryFolder_;
    tavolex::Settings settings_;
    tavolex::CarSet carSet_;
    tavolex::GameFolder game_;
    tavolex::ExeStatus exeStatus_ = tavolex::ExeStatus::Missing;
    tavolex::IdentifiedBy exeIdentifiedBy_ = tavolex::IdentifiedBy::None;
    bool saveFileValid_ = false;
    int currentTeam_ = 0;
    PerformanceEditorMemory performanceMemory_;
    WheelsPageMemory wheelsMemory_;
    tavolex::UndoHistory history_;
    std::string pendingChange_;
    bool changePending_ = false;

    void changed(std::string_view change);
    void recordPendingChange();
    // After undo or redo: every window shows the restored car set.
    void restored();
};

} // namespace tavolex::editor
