#pragma once

#include "core/Error.h"
#include "document/CarSet.h"
#include "document/GraphicDeclarations.h"
#include "formats/PackedBitmap.h"
#include "game/GraphicEnvironment.h"

// The one picture a preview shows of a slot: the hardware variant where the
// kind has one and the slot is not empty, else the software one (drawn
// through the game palette it carries). Fetched as the pages fetch, so a
// generated variant is drawn as it would be generated.

namespace tavolex {

// Fills `image`, or leaves it empty when both variants are empty. A picture
// that cannot be read or generated is a failure: a preview never shows a
// car set other than it is.
[[nodiscard]] Error FetchShownPicture(CarSet& carSet, const GraphicEnvironment& environment, GraphicKind kind, int slot,
                                      PackedBitmap& image);

} // namespace tavolex
