#pragma once

#include <cstdint>
#include <string>

// Where the pixels of a lazily held graphic slot come from.

namespace tavolex {

enum class GraphicSource : std::uint16_t {
    None = 0,      // the slot is empty
    File = 1,      // the bitmap file at the slot's path
    Game = 2,      // the game's own texture files, read again on every fetch
    CarSet = 3,    // the current car set file
    Generated = 4, // made from the other variant; cached in the temporary file at the path
};

constexpr bool IsValidSource(std::uint16_t value) { return value <= 4; }

// One slot of one variant: its source code and, for File and Generated, a path.
struct GraphicSlot {
    GraphicSource source = GraphicSource::None;
    std::string path;

    friend bool operator==(const GraphicSlot&, const GraphicSlot&) = default;
};

} // namespace tavolex
