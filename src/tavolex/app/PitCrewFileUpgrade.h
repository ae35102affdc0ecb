#pragma once

#include <QString>

class QWidget;

namespace tavolex::editor {

class EditorState;

// Recolours the game's pit crew textures once, with the progress window, when
// they need it and the masks are there (at start-up and when the Pit crew page opens).
void UpgradePitCrewFilesIfNeeded(EditorState& state, QWidget* parent);

// While the game's pit crew files wait for an upgrade that cannot run for
// want of the masks: why the crew's colours cannot be painted, and where the
// masks go. Empty otherwise (no game, or the files upgraded).
QString MissingPitCrewMasksNote(const EditorState& state);

} // namespace tavolex::editor
