#pragma once

#include "core/Error.h"
#include "core/Texts.h"

// The message the editor and the command line show when a transfer between
// the car set and the installed game failed.

namespace tavolex {

// Any failing step of the import reads as a failed read of the game's files.
TextId ImportFromGameMessage(Error error);

// The export names what it could not write: nothing selected, a texture
// file, the menu art archive, or else GP3.EXE, the save or language files.
TextId ExportToGameMessage(Error error);

} // namespace tavolex
