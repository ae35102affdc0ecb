#pragma once

#include <filesystem>

#include "core/Error.h"
#include "document/GraphicDeclarations.h"
#include "formats/PackedBitmap.h"
#include "game/GraphicEnvironment.h"

// The two pictures the Pit crew page paints in a team's colours, kept as
// 8-bit bitmaps in the editor's data folder and rebuilt from the game's
// software textures whenever one is missing or unreadable at its size:
// "PITJACK.DAT" (172 x 508, the crew sheet "<<< Copy" gives) and
// "PITCOLOR.DAT" (200 x 189, the colour preview).

namespace tavolex {

enum class PitCrewTemplate { Jack, Colour };

std::filesystem::path PitCrewTemplatePath(const std::filesystem::path& dataFolder, PitCrewTemplate which);

// Reads the template, rebuilding (and saving) it from the game when needed.
[[nodiscard]] Error LoadPitCrewTemplate(const GraphicEnvironment& environment, PitCrewTemplate which,
                                        PackedBitmap& image);

// The template made from the game's textures.
[[nodiscard]] Error BuildPitCrewTemplate(const std::filesystem::path& gameFolder, PitCrewTemplate which,
                                         PackedBitmap& image);

// Deletes both files, so that they are built again from the game.
void DeletePitCrewTemplates(const std::filesystem::path& dataFolder);

} // namespace tavolex
