#pragma once

#include <optional>
#include <string>
#include <string_view>

// The game's texts are Windows-1252 bytes; JSON and terminals want UTF-8.

namespace tavolex {

std::string Windows1252ToUtf8(std::string_view text);
// Nothing when the text is not valid UTF-8 or holds a character Windows-1252 lacks.
std::optional<std::string> Utf8ToWindows1252(std::string_view text);

} // namespace tavolex
