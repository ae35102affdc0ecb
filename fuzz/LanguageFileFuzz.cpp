// The game's language files: the level name entry is found or refused on any bytes.
#include <cstdint>
#include <span>

#include "game/LevelNames.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavolex;
    std::size_t start = 0;
    std::size_t end = 0;
    // The entry lies inside the file and ends at its terminator, or at the
    // file's end when it is the last entry and has none.
    if (Ok(FindLevelName(std::span<const std::uint8_t>(data, size), start, end)) &&
        (start > end || end > size || (end < size && data[end] != 0))) {
        __builtin_trap();
    }
    return 0;
}
