#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// The small bitmap font the previews write with: one 6 x 11 cell per
// Windows-1252 byte, so the game's names draw as the game holds them, with no
// font of the system and no display. Rows 0-1 hold the marks over capitals,
// rows 2-8 the letters (baseline under row 8), rows 9-10 the descenders.

namespace tavolex {

inline constexpr int kGlyphColumns = 6;
inline constexpr int kGlyphRows = 11;
// The distance from one character to the next, and from one line to the next.
inline constexpr int kGlyphAdvance = 6;
inline constexpr int kLineHeight = 12;

struct Glyph {
    // Bit (kGlyphColumns - 1 - x) of row y is ink at column x.
    std::array<std::uint8_t, kGlyphRows> rows{};

    bool ink(int x, int y) const { return ((rows[static_cast<std::size_t>(y)] >> (kGlyphColumns - 1 - x)) & 1) != 0; }
    friend bool operator==(const Glyph&, const Glyph&) = default;
};

// The glyph of a Windows-1252 byte; the five bytes Windows-1252 leaves
// undefined and the control characters give an open box.
const Glyph& GlyphOf(std::uint8_t code);

// The width in pixels of a line of Windows-1252 text.
inline int TextWidth(std::string_view text) { return static_cast<int>(text.size()) * kGlyphAdvance; }

} // namespace tavolex
