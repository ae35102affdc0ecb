#pragma once

#include <optional>
#include <string_view>

#include "core/Variant.h"

// The game's textures by name index: index k names the JAM file the game
// keeps as "<texture folder>\<name>.JAM" in both texture folders.

namespace tavolex {

// The name of index k ("Liveries\WILLIA98"), or empty where k has none.
std::string_view JamName(int k);

struct JamSheetSize {
    int height;
    int imageCount;
};

// The sheet height and image count the programs expect of index k in the
// given variant; nothing where the variant does not exist or the size varies by use.
// The pit crew recolouring sheets (100-110) exist in software only.
std::optional<JamSheetSize> ExpectedJamSize(int k, Variant variant);

// Indices 50-53, the wheel blur sheets, keep global palette indices: their
// colour tables are written as identities.
constexpr bool UsesIdentityTables(int k) { return k >= 50 && k <= 53; }

// The same rule for a file chosen by name ("Whblur0.JAM", any case).
[[nodiscard]] bool UsesIdentityTables(std::string_view fileStem);

} // namespace tavolex
