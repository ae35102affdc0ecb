#pragma once

#include <filesystem>

#include "document/GraphicDeclarations.h"

// The folders a fetch may need, with the installed game's readers and
// writers: what the programs hand to the lazy graphics.

namespace tavolex {

struct GraphicEnvironment : GraphicContext {
    GraphicEnvironment(std::filesystem::path temporaryFolder = {}, std::filesystem::path gameFolder = {},
                       std::filesystem::path dataFolder = {}, Progress* progress = nullptr);
};

} // namespace tavolex
