#include "formats/JamScramble.h"

#include "core/ByteOrder.h"

namespace tavolex {

void ScrambleJam(std::uint8_t* bytes, std::size_t length) {
    std::uint32_t key = kJamScrambleConstant | 1u;
    const std::size_t words = length / 4;
    for (std::size_t i = 0; i < words; ++i) {
        std::uint8_t* word = bytes + 4 * i;
        WriteU32(word, ReadU32(word) ^ key);
        key *= 5u;
    }
    if (length % 4 != 0) {
        bytes[4 * words] ^= static_cast<std::uint8_t>(key);
    }
}

} // namespace tavolex
