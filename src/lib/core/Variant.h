#pragma once

#include <cstddef>

namespace tavolex {

// Every team graphic exists twice: software (8-bit palette indices) and
// hardware (24-bit in memory, RGB565 in the game's files).
enum class Variant : int { Software = 0, Hardware = 1 };

constexpr int VariantIndex(Variant variant) { return static_cast<int>(variant); }

// The variant as an index into the software-then-hardware pairs of the car set.
constexpr std::size_t VariantSlot(Variant variant) { return static_cast<std::size_t>(variant); }

constexpr Variant OtherVariant(Variant variant) {
    return variant == Variant::Software ? Variant::Hardware : Variant::Software;
}

} // namespace tavolex
