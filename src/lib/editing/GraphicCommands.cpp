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
Error LoadJam(CarSet& carSet, const GraphicEnvironment& environment, GraphicKind kind, int slot, Variant variant,
              const std::filesystem::path& path, PackedBitmap& image) {
    PackedBitmap picture;
    JamKind jamKind = JamKind::None;
    if (!Ok(ReadJamFile(path, SheetHeight(kind, variant), picture, jamKind))) {
        return Error::JamNotLoaded;
    }
    const std::vector<std::uint8_t> file = EncodeBitmapFile(picture);
    PackedBitmap result;
    if (!Ok(ParseBitmapFile(file, result, SheetWidth(kind, variant), SheetHeight(kind, variant),
                            SheetDepth(kind, variant)))) {
        return Error::JamNotLoaded;
    }
    const auto converted =
        UnusedTemporaryGraphicPath(environment.temporaryFolder, kind, slot + kConvertedLiverySlotOffset, variant);
    if (converted.empty() || !Ok(SaveBitmapFile(converted, picture))) {
        return Error::JamNotLoaded;
    }
    SetSlotFromFile(carSet, kind, slot, variant, converted);
    MarkModified(carSet, Change("Load", kind));
    image = std::move(result);
    return Error::None;
}

// Helmets live in memory: generating one variant sets its picture and flag.
Error GenerateHelmets(CarSet& carSet, Variant target) {
    const PackedBitmap& source = carSet.helmetImages[VariantSlot(OtherVariant(target))];
    PackedBitmap result;
    const bool converted =
        target == Variant::Software ? Ok(ToSoftware(source, result, 0, 253)) : Ok(ToHardware(source, result));
    if (!converted) {
        return Error::ConversionFailed;
    }
    carSet.helmetImages[VariantSlot(target)] = std::move(result);
    carSet.helmetFlags[VariantSlot(target)] = 1;
    return Error::None;
}

} // namespace

Error ImportGraphic(CarSet& carSet, const GraphicEnvironment& environment, GraphicKind kind, int slot, Variant variant,
                    PackedBitmap& image) {
    const GraphicKindDeclaration& declaration = DeclarationOf(kind);
    PackedBitmap picture;
    if (!declaration.readFromGame) {
        return Error::OpenFailed;
    }
    if (Error error = declaration.readFromGame(environment, slot, variant, picture); !Ok(error)) {
        return error;
    }
    SetSlotFromGame(carSet, kind, slot, variant);
    if (!KindInfo(kind).heldLazily) {
        StoreHeldPicture(carSet, kind, variant, picture);
    }
    MarkModified(carSet, Change("Import", kind));
    image = std::move(picture);
    return Error::None;
}

Error ExportGraphic(const GraphicEnvironment& environment, GraphicKind kind, int slot, Variant variant,
                    const PackedBitmap& image) {
    const GraphicKindDeclaration& declaration = DeclarationOf(kind);
    if (!declaration.writeToGame) {
        return Error::WriteFailed;
    }
    return declaration.writeToGame(environment, slot, variant, image);
}

Error LoadGraphic(CarSet& carSet, const GraphicEnvironment& environment, GraphicKind kind, int slot, Variant variant,
                  const std::filesystem::path& path, PackedBitmap& image) {
    if (FileKindOf(path) == FileKind::Jam) {
        return LoadJam(carSet, environment, kind, slot, variant, path, image);
    }
    PackedBitmap picture;
    if (Error error = LoadGraphicFile(kind, variant, path, picture); !Ok(error)) {
        return error;
    }
    SetSlotFromFile(carSet, kind, slot, variant, path);
    if (!KindInfo(kind).heldLazily) {
        StoreHeldPicture(carSet, kind, variant, picture);
    }
    MarkModified(carSet, Change("Load", kind));
    image = std::move(picture);
    return Error::None;
}

Error SaveGraphicAs(const PackedBitmap& image, const std::filesystem::path& path) {
    if (image.empty()) {
        return Error::NoPicture;
    }
    return SavePictureFile(path, image);
}

Error SaveGraphicAs(GraphicKind kind, const PackedBitmap& image, const std::filesystem::path& path) {
    if (image.empty()) {
        return Error::NoPicture;
    }
    return SaveGraphicFile(kind, path, image);
}

void RemoveGraphic(CarSet& carSet, GraphicKind kind, int slot, Variant variant) {
    RemoveSlot(carSet, kind, slot, variant);
    MarkModified(carSet, Change("Remove", kind));
}

Error GenerateGraphic(CarSet& carSet, const GraphicEnvironment& environment, GraphicKind kind, int slot, Variant target,
                      const PackedBitmap& shown, PackedBitmap& image) {
    PackedBitmap result;
    if (kind == GraphicKind::Helmets) {
        // Only from a present picture, into the other variant's memory.
        if (SourceOf(carSet, kind, slot, OtherVariant(target)) == GraphicSource::None) {
            return Error::NothingToGenerateFrom;
        }
        if (Error error = GenerateHelmets(carSet, target); !Ok(error)) {
            return error;
        }
        result = carSet.helmetImages[VariantSlot(target)];
    } else if (shown.empty()) {
        return Error::NothingToGenerateFrom;
    } else if (Error error = GenerateVariant(carSet, environment, kind, slot, target, &result, &shown); !Ok(error)) {
        return error;
    }
    MarkModified(carSet, Change("Generate", kind));
    image = std::move(result);
    return Error::None;
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
