#pragma once

#include <string>
#include <vector>

#include "core/Variant.h"

// The files of an installation that the editor reads or patches.

namespace tavolex {

struct GameJamFile {
    int index; // JAM name index
    Variant variant;
    int height;
    int imageCount;
};

// Every texture of the JAM name table in each variant the game has, with the
// height and image count the editor expects.
std::vector<GameJamFile> GameJamFiles();

// The relative names (Windows style) of the hardware wheel and tread bitmaps.
std::vector<std::string> TechJamBitmaps();

} // namespace tavolex
