#pragma once

#include <filesystem>
#include <optional>

#include "core/Error.h"
#include "core/Progress.h"
#include "core/Variant.h"
#include "formats/PackedBitmap.h"

// The game's textures by name index, and JAM files chosen by the user.

namespace tavolex {

// "<game>\ZO3ZIDS\<name>.JAM" (software) or "<game>\ZO3ZIDSH\<name>.JAM"
// (hardware), found whatever the case of the names on disk; nothing when the
// file does not exist or k has no name.
std::optional<std::filesystem::path> GameJamPath(const std::filesystem::path& gameFolder, int k, Variant variant);

// Reads texture k of the game: 8-bit for software, 24-bit for hardware; the
// file must have height H and count N.
[[nodiscard]] Error ReadGameJam(const std::filesystem::path& gameFolder, int k, Variant variant, int height,
                                int imageCount, PackedBitmap& image, Progress* progress = nullptr);

// Patches texture k of the game with `image` of the variant's depth.
[[nodiscard]] Error PatchGameJam(const std::filesystem::path& gameFolder, const PackedBitmap& image, int k,
                                 Variant variant, int height, int imageCount, Progress* progress = nullptr);

enum class JamKind { None = 0, Software = 1, Hardware = 2 };

// Reads a JAM file chosen by the user, of either variant, held to height H
// only. On success `kind` says which variant it was and `image` holds it.
[[nodiscard]] Error ReadJamFile(const std::filesystem::path& path, int height, PackedBitmap& image, JamKind& kind);

// Tells which variant a JAM file is and what its header says, without decoding it.
[[nodiscard]] Error IdentifyJamFile(const std::filesystem::path& path, JamKind& kind, int& imageCount, int& height);

} // namespace tavolex
