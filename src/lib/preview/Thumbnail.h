#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/Error.h"
#include "document/GraphicDeclarations.h"
#include "formats/PackedBitmap.h"
#include "game/GraphicEnvironment.h"

// The pictures file managers show for car sets and JAM textures: at most
// N x N, proportions kept. A car set shows its first team's livery and
// helmets over its title; a JAM its picture, whichever variant it is. The
// file's kind is told by its bytes, not its name, as file managers may hand
// over a copy of any name.

namespace tavolex {

inline constexpr int kMaxThumbnailSize = 1024;

// Draws the thumbnail of the file at `path` (24-bit) with sides of 1 to
// kMaxThumbnailSize. A damaged file fails, with nothing drawn.
[[nodiscard]] Error DrawThumbnail(const std::filesystem::path& path, int size, const GraphicEnvironment& environment,
                                  PackedBitmap& thumbnail);

// Draws the thumbnail and writes it as a PNG with the keys of the
// freedesktop thumbnail rules that are the writer's (Thumb::MTime of the
// file, Software); nothing is written on a failure.
[[nodiscard]] Error SaveThumbnail(const std::filesystem::path& path, int size, const GraphicEnvironment& environment,
                                  const std::filesystem::path& target);

} // namespace tavolex
