#pragma once

#include <filesystem>
#include <string>

#include "core/Error.h"
#include "document/CarSet.h"

// Car set information as plain text files, for "Load" and "Save As..." of
// the information editor.

namespace tavolex {

// The first `maxBytes` bytes of the file (20,000 for information); fails
// only when the file cannot be read. Reading stops at a zero byte, which
// ends the text in files the editor wrote.
[[nodiscard]] Error ReadTextFile(const std::filesystem::path& path, std::string& text,
                                 std::size_t maxBytes = kInformationCapacity);

// Writes the text followed by one zero byte, replacing the file only once complete.
[[nodiscard]] Error WriteTextFile(const std::filesystem::path& path, const std::string& text);

} // namespace tavolex
