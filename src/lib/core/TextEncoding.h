#pragma once

#include <string>
#include <string_view>

// The game's texts are Windows-1252 bytes; JSON and terminals want UTF-8.

namespace tavolex {

std::string Windows1252ToUtf8(std::string_view text);

} // namespace tavolex
