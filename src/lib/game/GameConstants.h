#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// Bytes of the game's own files that identify the supported build. Both are
// placeholders until the real bytes are taken from the game: the
// identification text is what the supported GP3.EXE holds at 8,429,020 (the
// byte 0xA9 and 26 characters of its credit text), the signature the first 28
// bytes of its BITMAPS\GP3ART5.BIN (0xA9 and 27 characters). Change them here,
// and only here; the sample game is made from the same constants. A real
// game is also recognised by its contents (game/GameIdentity.h).

namespace tavolex {

inline constexpr std::string_view kPlaceholderText = "1999 Grand Prix 3 Tavolex ID";

template <std::size_t N> constexpr std::array<std::uint8_t, N> MarkedText() {
    std::array<std::uint8_t, N> bytes{};
    bytes[0] = 0xA9;
    for (std::size_t i = 1; i < N; ++i) {
        bytes[i] = i - 1 < kPlaceholderText.size() ? static_cast<std::uint8_t>(kPlaceholderText[i - 1])
                                                   : static_cast<std::uint8_t>(' ');
    }
    return bytes;
}

using ExeIdentificationText = std::array<std::uint8_t, 27>;
using ArtSignature = std::array<std::uint8_t, 28>;

// The 27 bytes GP3.EXE of the supported build holds at kExeIdentificationOffset.
inline constexpr ExeIdentificationText kExeIdentificationText = MarkedText<27>();
// The first 28 bytes of the game's menu art archive.
inline constexpr ArtSignature kArtArchiveSignature = MarkedText<28>();
// The byte the game's credit texts begin with, a copyright sign.
inline constexpr std::uint8_t kCreditMark = 0xA9;

inline constexpr std::uint64_t kExeIdentificationOffset = 0x809DDC;    // 8,429,020
inline constexpr std::uint64_t kExeIdentificationReadAbove = 0x809DF8; // 8,429,048
inline constexpr std::uint64_t kSupportedExeSize = 0x86A000;           // 8,822,784
inline constexpr std::uint64_t kMinimumExeSize = 1000000;

} // namespace tavolex
