#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// The viewer's own reading and writing of a hardware JAM's records and pixel
// stream. It differs from the editor's codec where no writer of the game's
// files goes: where the closing byte of a record is searched, how an implicit
// first code is used, and that the stream must end exactly at the file's end.

namespace texelor {

struct StreamLayout {
    std::size_t start = 0;        // first byte of the pixel stream
    std::size_t implicitByte = 0; // the last record's marker + 9
    int lastKind = 0;
};

// Walks `imageCount` records from offset 8. False when a record runs to or past the end.
[[nodiscard]] bool LocateStream(std::span<const std::uint8_t> file, int imageCount, StreamLayout& layout);

// Decodes exactly `pixelCount` pixels to 0x00RRGGBB from the stream, which
// must end exactly at the end of `file`. `implicit` is kind + byte - 133:
// when not 0 the first packet's code is implicit + 128.
[[nodiscard]] bool DecodeStream(std::span<const std::uint8_t> file, const StreamLayout& layout, std::size_t pixelCount,
                                std::vector<std::uint32_t>& pixels);

// Codes RGB565 words: a run where two equal words meet (up to 127), else a
// literal up to the next equal pair, the end or 127 words.
std::vector<std::uint8_t> EncodeStream(std::span<const std::uint16_t> words);

} // namespace texelor
