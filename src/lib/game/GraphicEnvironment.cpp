#include "game/GraphicEnvironment.h"

#include <utility>

#include "game/GameGraphics.h"

namespace tavolex {

GraphicEnvironment::GraphicEnvironment(std::filesystem::path temporaryFolder, std::filesystem::path gameFolder,
                                       std::filesystem::path dataFolder, Progress* progress)
    : GraphicContext{std::move(temporaryFolder), std::move(gameFolder), std::move(dataFolder), progress,
                     &InstalledGameGraphics()} {}

} // namespace tavolex
