#pragma once

namespace tavolex {

// Every team graphic exists twice: software (8-bit palette indices) and
// hardware (24-bit in memory, RGB565 in the game's files).
enum class Variant : int { Software = 0, Hardware = 1 };

constexpr int VariantIndex(Variant variant) { return static_cast<int>(variant); }

} // namespace tavolex
