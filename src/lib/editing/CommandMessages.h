#pragma once

#include "core/Error.h"
#include "core/Texts.h"
#include "core/Variant.h"
#include "document/GraphicKind.h"

// The message a page, the export and the command line show when one of the
// editing commands failed. The commands return why they failed; the message
// is chosen here once, so that every caller shows the same one.

namespace tavolex {

// What a button did to a picture.
enum class GraphicCommand { Import, Export, Load, Save, Generate };

// A command on a whole slot of `kind`: the game's files of each kind fail
// with a message of their own.
TextId GraphicCommandMessage(GraphicCommand command, GraphicKind kind, Variant variant, Error error);

// A command on a part of a picture (one helmet, half a sheet, a pit box sign),
// which always comes from and goes to the game's JAM files.
TextId PictureCommandMessage(GraphicCommand command, Error error);

// A command on the game's tables (number positions, crew colours, pit lane
// order): what is taken from the game fails as a read, the rest as a patch.
TextId GameTableMessage(GraphicCommand command);

} // namespace tavolex
