#pragma once

#include <QString>

class QWidget;

namespace tavolex::editor {

class EditorState;
class MainWindow;
class UiServices;

// What the editor does after its window first shows, in order: the message
// of a failed command-line load, the Disclaimer while due, the configuration
// dialog without a usable game, the car set's information, the warning about
// an unreadable GP3.EXE, the check of the menu art archive and the pit crew
// file upgrade, or the message that its masks are missing.
void RunStartupSteps(EditorState& state, UiServices& ui, MainWindow& window, const QString& pendingMessage);

// Recolours the game's pit crew textures once, with the progress window, when
// they need it and the masks are there (at start-up and when the Pit crew page opens).
void UpgradePitCrewFilesIfNeeded(EditorState& state, QWidget* parent);

// While the game's pit crew files wait for an upgrade that cannot run for
// want of the masks: why the crew's colours cannot be painted, and where the
// masks go. Empty otherwise (no game, or the files upgraded).
QString MissingPitCrewMasksNote(const EditorState& state);

// A car set the last run could not save (a crash, a log-out) is offered
// back: Yes opens it untitled and modified, No deletes it.
void OfferRecovery(EditorState& state, UiServices& ui, MainWindow& window);

// Exit: the settings file is written (saying once why when it cannot be) and
// the temporary folder emptied and removed.
void FinishRun(EditorState& state, UiServices& ui);

} // namespace tavolex::editor
