#pragma once

// Plain geometry shared by the pages and the pictures they draw.

namespace tavolex {

// A rectangle in the pixels of the picture area: right and bottom are exclusive.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

} // namespace tavolex
