#pragma once

#include "document/GraphicDeclarations.h"

// Where each kind of picture lives in the installed game (JAM files, the
// pit crew's and tyres' halves, the menu art archive), read and written.

namespace tavolex {

const GameGraphicAccess& InstalledGameGraphics();

} // namespace tavolex
