#pragma once

#include <filesystem>

#include "core/Error.h"
#include "core/Progress.h"

// A complete synthetic installation of the game for the editor's demo and
// tests: GP3.EXE of the supported size with every table the editor uses, an
// intact save file, the five language files, every texture in both variants
// with recognisable pictures, the wheel and tread bitmaps and the menu art
// archive in the game's packed form. Folder and file names are in mixed case,
// as a copied Windows installation has them.

namespace tavolex {

[[nodiscard]] Error MakeSampleGame(const std::filesystem::path& folder, Progress* progress = nullptr);

} // namespace tavolex
