#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "game/GameConstants.h"
#include "game/GameFolder.h"

// How the supported build of the game is recognised. First by its
// identification text: the one built in, or one learnt from the user's game
// earlier and kept in the settings file. Where neither matches, by its
// contents: the credit text's form at the identification offset and tables
// that read as the supported build's, so a real installation works even
// while the built-in bytes are placeholders.

namespace tavolex {

enum class IdentifiedBy { None, Text, Contents };

// "text", "contents", or null for None.
const char* IdentifiedByName(IdentifiedBy by);

// The byte 0xA9 followed by printable ASCII characters only.
[[nodiscard]] bool IsMarkedCreditText(std::span<const std::uint8_t> bytes);

// The tables of the executable read as the supported build's: every driver,
// team and engine name field holds printable text ended by a zero inside the
// field; every selected-driver byte names its own driver (2t + d + 1, plus
// 128 when selected); every tyre type is one of its two values. Whatever the
// editor writes into these tables keeps all three true.
[[nodiscard]] bool ExecutableTablesPlausible(std::span<const std::uint8_t> exe);

struct ExeIdentity {
    ExeStatus status = ExeStatus::Missing;
    IdentifiedBy by = IdentifiedBy::None;
    ExeIdentificationText text{}; // the bytes at the identification offset, where read
};

// The identification rule (missing, too small, the text, then the contents,
// then the known size of an unreadable build, else unsupported). `remembered`
// is compared like the built-in text.
ExeIdentity IdentifyGameExecutable(const GameFolder& game,
                                   const std::optional<ExeIdentificationText>& remembered = std::nullopt);

// False when the executable's bytes at the identification offset are not the
// built-in text: a game recognised by its contents, whose first patch keeps
// a copy of the original.
[[nodiscard]] bool HasBuiltInIdentification(std::span<const std::uint8_t> exe);

// Identification bytes as the settings file keeps them (hexadecimal), and back.
std::string IdentificationToHex(std::span<const std::uint8_t> bytes);
std::optional<ExeIdentificationText> ExeIdentificationFromHex(std::string_view hex);
std::optional<ArtSignature> ArtSignatureFromHex(std::string_view hex);

} // namespace tavolex
