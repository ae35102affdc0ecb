#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

// Game files are named in Windows style ("ZO3ZIDS\Liveries\WILLIA98.JAM")
// but a copied installation on Linux may spell every folder and file in
// another case. These helpers find them whatever the case on disk.

namespace tavolex {

// The existing path below `base` whose components equal those of `relative`
// (separated by '\' or '/') without regard to ASCII case. An exact match wins
// over others. Nothing when some component does not exist.
std::optional<std::filesystem::path> FindPathIgnoringCase(const std::filesystem::path& base, std::string_view relative);

// As above, but when the file itself does not exist the path is still built
// from the folders found and the name as given, so that it can be created.
std::filesystem::path ResolvePathIgnoringCase(const std::filesystem::path& base, std::string_view relative);

} // namespace tavolex
