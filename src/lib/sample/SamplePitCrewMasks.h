#pragma once

#include <filesystem>

#include "core/Error.h"

// The pit crew upgrade's masks that fit the sample game's own recolouring
// sheets, so that a demo shows the upgrade and the crew painting at work.

namespace tavolex {

// Writes the eleven masks where the upgrade looks for them under `dataFolder`.
[[nodiscard]] Error WriteSamplePitCrewMasks(const std::filesystem::path& dataFolder);

} // namespace tavolex
