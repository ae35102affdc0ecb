#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "core/Error.h"
#include "document/CarSet.h"
#include "document/GraphicDeclarations.h"
#include "formats/PackedBitmap.h"
#include "game/GraphicEnvironment.h"

// One picture of a whole car set: a title row with the first line of its
// information, then a row per team (names, livery, cockpit, both helmets,
// pit crew, the logo's first frame and the badge of its menu art, its pit box
// sign), then the tyres and treads and the pit lane order. Empty slots show
// a placeholder with the word "empty". The command line's preview, the
// editor's Export Preview... and the thumbnails draw with this.

namespace tavolex {

struct PreviewOptions {
    // One team only, drawn larger.
    std::optional<int> team;
    // The picture's width in pixels (the height in proportion); 0 for the
    // natural width. Pictures are sampled at that size, nearest neighbour.
    int width = 0;
};

// The natural width of a preview: one pixel per unit for the whole car set,
// twice that for one team.
int NaturalPreviewWidth(const PreviewOptions& options);

// The title a preview and a thumbnail show: the first line of the car set's
// information, else its file's name, else "Untitled car set"; Windows-1252.
std::string CarSetTitle(const CarSet& carSet);

// Draws the preview into `picture` (24-bit). The car set is not changed:
// pictures are fetched from a copy. Fails when a team is out of range, the
// picture would have a side beyond PackedBitmap::kMaxSide, or a picture of
// the car set cannot be read or generated.
[[nodiscard]] Error DrawCarSetPreview(const CarSet& carSet, const GraphicEnvironment& environment,
                                      const PreviewOptions& options, PackedBitmap& picture);

// Draws the preview and writes it as a PNG file through the atomic writer;
// nothing is written on a failure.
[[nodiscard]] Error SaveCarSetPreview(const CarSet& carSet, const GraphicEnvironment& environment,
                                      const PreviewOptions& options, const std::filesystem::path& path);

} // namespace tavolex
