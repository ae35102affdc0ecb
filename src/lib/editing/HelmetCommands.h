#pragma once

#include <filesystem>

#include "document/HelmetPicture.h"
#include "editing/GraphicCommands.h"
#include "game/GraphicEnvironment.h"

// What the Helmets page's buttons do to the helmet picture held in memory:
// Import, Export, Load and Save as of one helmet, and of the whole picture or
// one of its two file parts. Each changes the picture and its presence flag
// only when it succeeded; `image` then holds the variant's new picture.

namespace tavolex {

[[nodiscard]] Error ImportHelmet(CarSet& carSet, const GraphicEnvironment& environment, Variant variant, int helmet,
                                 PackedBitmap& image);
[[nodiscard]] Error ExportHelmet(const CarSet& carSet, const GraphicEnvironment& environment, Variant variant,
                                 int helmet);
// A 128 x 30 bitmap.
[[nodiscard]] Error LoadHelmet(CarSet& carSet, Variant variant, int helmet, const std::filesystem::path& path,
                               PackedBitmap& image);
[[nodiscard]] Error SaveHelmetAs(const CarSet& carSet, Variant variant, int helmet, const std::filesystem::path& path);

[[nodiscard]] Error ImportHelmets(CarSet& carSet, const GraphicEnvironment& environment, Variant variant,
                                  HelmetPart part, PackedBitmap& image);
[[nodiscard]] Error ExportHelmets(const CarSet& carSet, const GraphicEnvironment& environment, Variant variant,
                                  HelmetPart part);
// A JAM file of part E (150 rows) or else part D (180 rows) of either
// variant, converted to this one; or a bitmap of 256 x 330, 256 x 180 (part D)
// or 256 x 150 (part E).
[[nodiscard]] Error LoadHelmets(CarSet& carSet, Variant variant, const std::filesystem::path& path,
                                PackedBitmap& image);
[[nodiscard]] Error SaveHelmetsAs(const CarSet& carSet, Variant variant, HelmetPart part,
                                  const std::filesystem::path& path);

} // namespace tavolex
