#pragma once

#include <optional>
#include <string>
#include <string_view>

// The game's texts are Windows-1252 bytes; JSON, terminals and the windows
// want UTF-8 (or Unicode).

namespace tavolex {

std::string Windows1252ToUtf8(std::string_view text);

// True when Windows-1252 has a byte for the character.
[[nodiscard]] bool Windows1252CanHold(char32_t c);

// The Windows-1252 bytes of a UTF-8 text; nothing when the text is not valid
// UTF-8 or holds a character that Windows-1252 cannot.
std::optional<std::string> Utf8ToWindows1252(std::string_view text);

// True when the text holds a byte below 0x20: the game draws such bytes as
// garbage and some of its readers stop at them, so none may reach its files.
[[nodiscard]] bool ContainsControlCharacter(std::string_view bytes);

} // namespace tavolex
