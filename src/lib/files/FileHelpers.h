#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "core/Error.h"

// Small file services shared by the editor, the viewer and the command line.

namespace tavolex {

[[nodiscard]] bool FileExists(const std::filesystem::path& path);

// Creates a new, unique, empty file in `folder` whose name begins with
// `prefix` and returns its path; nothing when no file could be created.
std::optional<std::filesystem::path> MakeTemporaryFile(const std::filesystem::path& folder,
                                                       const std::string& prefix = "Tav");

// Renames `from` over `to`; where a rename is impossible (another file
// system), copies over `to` and deletes `from`.
[[nodiscard]] Error MoveFileOver(const std::filesystem::path& from, const std::filesystem::path& to);

// Deletes every file directly inside `folder`; folders inside it are left alone.
void EmptyFolder(const std::filesystem::path& folder);

// The kinds of file the editor recognises by their extension.
enum class FileKind { Unknown = -1, Text = 0, Performance = 1, OldCarSet = 2, Bitmap = 3, Jam = 4 };
FileKind FileKindOf(const std::filesystem::path& path);

// The name part of `path`, with or without its extension; nothing when the
// path has no name or the name is longer than `maxLength` characters.
std::optional<std::string> FileNamePart(const std::filesystem::path& path, bool withExtension, std::size_t maxLength);

// Sets or clears the owner's write permission, the Linux form of the read-only attribute.
[[nodiscard]] Error SetReadOnly(const std::filesystem::path& path, bool readOnly);

std::string ToUpperAscii(std::string text);
[[nodiscard]] bool EqualsIgnoreCase(std::string_view a, std::string_view b);

} // namespace tavolex
