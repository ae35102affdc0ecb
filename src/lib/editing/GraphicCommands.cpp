#include "editing/GraphicCommands.h"

#include "document/LazyGraphics.h"
#include "files/FileHelpers.h"
#include "formats/BitmapFile.h"
#include "formats/GameJam.h"
#include "formats/PictureFile.h"
#include "formats/TextureGeneration.h"
#include "game/GraphicEnvironment.h"

namespace tavolex {
namespace {

// "Load livery", "Generate cockpit": how the undo history names a change.
std::string Change(std::string_view action, GraphicKind kind) {
    return std::string(action) + " " + std::string(KindNoun(kind));
}

// A JAM of either variant becomes a bitmap in the temporary folder, which the
// slot then refers to like any loaded file; its pixels are converted to the
// variant's depth as a loaded bitmap's are, so a hardware JAM loads into a
// software slot and back. The file is written only once all of it succeeded.
Failure LoadJam(CarSet& carSet, const GraphicEnvironment& environment, GraphicKind kind, int slot, Variant variant,
                const std::filesystem::path& path, PackedBitmap& image) {
    PackedBitmap picture;
    JamKind jamKind = JamKind::None;
    if (!Ok(ReadJamFile(path, SheetHeight(kind, variant), picture, jamKind))) {
        return TextId::FailedToImportJam;
    }
    const std::vector<std::uint8_t> file = EncodeBitmapFile(picture);
    PackedBitmap result;
    if (!Ok(ParseBitmapFile(file, result, SheetWidth(kind, variant), SheetHeight(kind, variant),
                            SheetDepth(kind, variant)))) {
        return TextId::FailedToImportJam;
    }
    const auto converted =
        UnusedTemporaryGraphicPath(environment.temporaryFolder, kind, slot + kConvertedLiverySlotOffset, variant);
    if (converted.empty() || !Ok(SaveBitmapFile(converted, picture))) {
        return TextId::FailedToImportJam;
    }
    SetSlotFromFile(carSet, kind, slot, variant, converted);
    MarkModified(carSet, Change("Load", kind));
    image = std::move(result);
    return std::nullopt;
}

// Helmets live in memory: generating one variant sets its picture and flag.
Error GenerateHelmets(CarSet& carSet, Variant target) {
    const PackedBitmap& source = carSet.helmetImages[VariantSlot(OtherVariant(target))];
    PackedBitmap result;
    const bool converted =
        target == Variant::Software ? ToSoftware(source, result, 0, 253) : ToHardware(source, result);
    if (!converted) {
        return Error::ConversionFailed;
    }
    carSet.helmetImages[VariantSlot(target)] = std::move(result);
    carSet.helmetFlags[VariantSlot(target)] = 1;
    return Error::None;
}

} // namespace

Failure ImportGraphic(CarSet& carSet, const GraphicEnvironment& environment, GraphicKind kind, int slot,
                      Variant variant, PackedBitmap& image) {
    const GraphicKindDeclaration& declaration = DeclarationOf(kind);
    PackedBitmap picture;
    if (!declaration.readFromGame || !Ok(declaration.readFromGame(environment, slot, variant, picture))) {
        return GameReadFailure(kind, variant);
    }
    SetSlotFromGame(carSet, kind, slot, variant);
    if (!KindInfo(kind).heldLazily) {
        StoreHeldPicture(carSet, kind, variant, picture);
    }
    MarkModified(carSet, Change("Import", kind));
    image = std::move(picture);
    return std::nullopt;
}

Failure ExportGraphic(const GraphicEnvironment& environment, GraphicKind kind, int slot, Variant variant,
                      const PackedBitmap& image) {
    const GraphicKindDeclaration& declaration = DeclarationOf(kind);
    if (!declaration.writeToGame || !Ok(declaration.writeToGame(environment, slot, variant, image))) {
        return declaration.gameWriteFailure;
    }
    return std::nullopt;
}

Failure LoadGraphic(CarSet& carSet, const GraphicEnvironment& environment, GraphicKind kind, int slot, Variant variant,
                    const std::filesystem::path& path, PackedBitmap& image) {
    if (FileKindOf(path) == FileKind::Jam) {
        return LoadJam(carSet, environment, kind, slot, variant, path, image);
    }
    PackedBitmap picture;
    if (!Ok(LoadGraphicFile(kind, variant, path, picture))) {
        return TextId::CouldntLoadBitmap;
    }
    SetSlotFromFile(carSet, kind, slot, variant, path);
    if (!KindInfo(kind).heldLazily) {
        StoreHeldPicture(carSet, kind, variant, picture);
    }
    MarkModified(carSet, Change("Load", kind));
    image = std::move(picture);
    return std::nullopt;
}

Failure SaveGraphicAs(const PackedBitmap& image, const std::filesystem::path& path) {
    if (image.empty() || !Ok(SavePictureFile(path, image))) {
        return TextId::CouldntSaveBitmap;
    }
    return std::nullopt;
}

Failure SaveGraphicAs(GraphicKind kind, const PackedBitmap& image, const std::filesystem::path& path) {
    if (image.empty() || !Ok(SaveGraphicFile(kind, path, image))) {
        return TextId::CouldntSaveBitmap;
    }
    return std::nullopt;
}

void RemoveGraphic(CarSet& carSet, GraphicKind kind, int slot, Variant variant) {
    RemoveSlot(carSet, kind, slot, variant);
    MarkModified(carSet, Change("Remove", kind));
}

Failure GenerateGraphic(CarSet& carSet, const GraphicEnvironment& environment, GraphicKind kind, int slot,
                        Variant target, const PackedBitmap& shown, PackedBitmap& image) {
    PackedBitmap result;
    if (kind == GraphicKind::Helmets) {
        // Only from a present picture, into the other variant's memory.
        if (SourceOf(carSet, kind, slot, OtherVariant(target)) == GraphicSource::None ||
            !Ok(GenerateHelmets(carSet, target))) {
            return TextId::FailedToGenerateBitmap;
        }
        result = carSet.helmetImages[VariantSlot(target)];
    } else if (shown.empty() || !Ok(GenerateVariant(carSet, environment, kind, slot, target, &result, &shown))) {
        return TextId::FailedToGenerateBitmap;
    }
    MarkModified(carSet, Change("Generate", kind));
    image = std::move(result);
    return std::nullopt;
}

Error GenerateEmptySlots(CarSet& carSet, const GraphicEnvironment& environment, const std::vector<GraphicKind>& kinds,
                         const std::vector<Variant>& targets,
                         const std::function<void(const GeneratedPicture&)>& generated, GeneratedPicture* failed) {
    for (GraphicKind kind : kinds) {
        for (int slot = 0; slot < KindInfo(kind).slotCount; ++slot) {
            for (Variant target : targets) {
                if (kind == GraphicKind::Helmets) {
                    if (carSet.helmetFlags[VariantSlot(target)] != 0 ||
                        carSet.helmetFlags[VariantSlot(OtherVariant(target))] == 0) {
                        continue;
                    }
                    if (Error error = GenerateHelmets(carSet, target); !Ok(error)) {
                        if (failed != nullptr)
                            *failed = {kind, slot, target};
                        return error;
                    }
                } else {
                    const GraphicSlot* goal = SlotOf(carSet, kind, slot, target);
                    const GraphicSlot* origin = SlotOf(carSet, kind, slot, OtherVariant(target));
                    if (goal == nullptr || origin == nullptr || goal->source != GraphicSource::None ||
                        origin->source == GraphicSource::None || origin->source == GraphicSource::Generated) {
                        continue;
                    }
                    if (Error error = GenerateVariant(carSet, environment, kind, slot, target); !Ok(error)) {
                        if (failed != nullptr)
                            *failed = {kind, slot, target};
                        return error;
                    }
                }
                MarkModified(carSet, Change("Generate", kind));
                if (generated) {
                    generated({kind, slot, target});
                }
            }
        }
    }
    return Error::None;
}

} // namespace tavolex
