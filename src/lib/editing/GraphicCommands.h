#pragma once

#include <filesystem>
#include <functional>
#include <optional>

#include "core/Error.h"
#include "document/CarSet.h"
#include "document/GraphicDeclarations.h"
#include "game/GraphicEnvironment.h"

// What the buttons of a graphics page do to a slot of the car set, written
// once for every kind so that a page, the export and the command line share
// them. Each command works on a picture of its own and changes the slot (and
// the image the page shows) only when it succeeded; the result says why it
// failed (editing/CommandMessages.h chooses the message).

namespace tavolex {

// "Import": the slot's picture from the game; the slot becomes SourceGame.
[[nodiscard]] Error ImportGraphic(CarSet& carSet, const GraphicEnvironment& environment, GraphicKind kind, int slot,
                                  Variant variant, PackedBitmap& image);

// "Export": the picture into the game's files.
[[nodiscard]] Error ExportGraphic(const GraphicEnvironment& environment, GraphicKind kind, int slot, Variant variant,
                                  const PackedBitmap& image);

// "Load": a BMP or PNG picture of the sheet's size, or a JAM file of either variant,
// which is kept as a bitmap in the temporary folder under slot + 11. The
// slot becomes SourceFile; `image` holds the picture at the variant's depth.
[[nodiscard]] Error LoadGraphic(CarSet& carSet, const GraphicEnvironment& environment, GraphicKind kind, int slot,
                                Variant variant, const std::filesystem::path& path, PackedBitmap& image);

// "Save as...": the shown picture as a BMP file, or a PNG for a name ending
// in ".png"; the slot keeps its source.
[[nodiscard]] Error SaveGraphicAs(const PackedBitmap& image, const std::filesystem::path& path);
// The same in the kind's own file form (the art sheet bitmap is 1024 wide).
[[nodiscard]] Error SaveGraphicAs(GraphicKind kind, const PackedBitmap& image, const std::filesystem::path& path);

// "Remove": the slot empties, and so does a partner generated from it.
void RemoveGraphic(CarSet& carSet, GraphicKind kind, int slot, Variant variant);

// "Generate": `target` made from the other variant, as `shown` holds it;
// `image` holds the result.
[[nodiscard]] Error GenerateGraphic(CarSet& carSet, const GraphicEnvironment& environment, GraphicKind kind, int slot,
                                    Variant target, const PackedBitmap& shown, PackedBitmap& image);

// Fills every empty slot of the `kinds` in the `targets` variants whose other
// variant holds a picture that is not itself generated, as the Generate
// buttons would. `generated` hears of each picture made. Stops at the first
// failure, names the picture in `failed` and returns its error; the slots
// generated before it stay.
struct GeneratedPicture {
    GraphicKind kind;
    int slot;
    Variant target;
};
Error GenerateEmptySlots(CarSet& carSet, const GraphicEnvironment& environment, const std::vector<GraphicKind>& kinds,
                         const std::vector<Variant>& targets,
                         const std::function<void(const GeneratedPicture&)>& generated,
                         GeneratedPicture* failed = nullptr);

} // namespace tavolex
