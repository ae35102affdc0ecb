#include "editing/HelmetCommands.h"

#include "document/LazyGraphics.h"
#include "files/FileHelpers.h"
#include "formats/BitmapFile.h"
#include "formats/GameJam.h"
#include "formats/PictureFile.h"
#include "formats/TextureGeneration.h"
#include "game/GraphicEnvironment.h"

namespace tavolex {
namespace {

constexpr GraphicKind kKind = GraphicKind::Helmets;

Depth DepthOf(Variant variant) { return SheetDepth(kKind, variant); }

bool Present(const CarSet& carSet, Variant variant) {
    return SourceOf(carSet, kKind, 0, variant) != GraphicSource::None &&
           carSet.helmetImages[VariantSlot(variant)].is(kHelmetWidth, kHelmetHeight, DepthOf(variant));
}

// The variant's picture to change: the present one, or a blank one.
PackedBitmap Working(const CarSet& carSet, Variant variant) {
    return Present(carSet, variant) ? carSet.helmetImages[VariantSlot(variant)] : BlankHelmets(variant);
}

Failure Store(CarSet& carSet, Variant variant, PackedBitmap picture, PackedBitmap& image) {
    image = picture;
    StoreHeldPicture(carSet, kKind, variant, std::move(picture));
    MarkModified(carSet, "Change helmets");
    return std::nullopt;
}

// The rows of a user's JAM, of either variant, as this variant's.
bool ReadPartJam(const std::filesystem::path& path, HelmetPart part, Variant variant, PackedBitmap& rows) {
    JamKind kind = JamKind::None;
    PackedBitmap read;
    if (!Ok(ReadJamFile(path, HelmetPartRows(part), read, kind)) || read.width() != kHelmetWidth) {
        return false;
    }
    const bool hardware = kind == JamKind::Hardware;
    if (hardware == (variant == Variant::Hardware)) {
        rows = std::move(read);
        return true;
    }
    return hardware ? ToSoftware(read, rows, 0, 253) : ToHardware(read, rows);
}

} // namespace

Failure ImportHelmet(CarSet& carSet, const GraphicEnvironment& environment, Variant variant, int helmet,
                     PackedBitmap& image) {
    PackedBitmap scratch = BlankHelmets(variant);
    PackedBitmap one;
    PackedBitmap picture = Working(carSet, variant);
    if (!Ok(ImportHelmetParts(environment.gameFolder, variant, HelmetPartOf(helmet), scratch)) ||
        !TakeHelmet(scratch, helmet, one) || !PutHelmet(one, helmet, picture)) {
        return TextId::FailedToImportJam;
    }
    return Store(carSet, variant, std::move(picture), image);
}

Failure ExportHelmet(const CarSet& carSet, const GraphicEnvironment& environment, Variant variant, int helmet) {
    PackedBitmap scratch = BlankHelmets(variant);
    PackedBitmap one;
    const HelmetPart part = HelmetPartOf(helmet);
    if (!Present(carSet, variant) || !Ok(ImportHelmetParts(environment.gameFolder, variant, part, scratch)) ||
        !TakeHelmet(carSet.helmetImages[VariantSlot(variant)], helmet, one) || !PutHelmet(one, helmet, scratch) ||
        !Ok(ExportHelmetParts(environment.gameFolder, variant, part, scratch))) {
        return TextId::FailedToPatchJam;
    }
    return std::nullopt;
}

Failure LoadHelmet(CarSet& carSet, Variant variant, int helmet, const std::filesystem::path& path,
                   PackedBitmap& image) {
    PackedBitmap one;
    PackedBitmap picture = Working(carSet, variant);
    if (!Ok(LoadPictureFile(path, one, kSingleHelmetWidth, kSingleHelmetRows, DepthOf(variant))) ||
        !PutHelmet(one, helmet, picture)) {
        return TextId::CouldntLoadBitmap;
    }
    return Store(carSet, variant, std::move(picture), image);
}

Failure SaveHelmetAs(const CarSet& carSet, Variant variant, int helmet, const std::filesystem::path& path) {
    PackedBitmap one;
    if (!Present(carSet, variant) || !TakeHelmet(carSet.helmetImages[VariantSlot(variant)], helmet, one)) {
        return TextId::CouldntSaveBitmap;
    }
    return SaveGraphicAs(one, path);
}

Failure ImportHelmets(CarSet& carSet, const GraphicEnvironment& environment, Variant variant, HelmetPart part,
                      PackedBitmap& image) {
    PackedBitmap picture = Working(carSet, variant);
    if (!Ok(ImportHelmetParts(environment.gameFolder, variant, part, picture))) {
        return TextId::FailedToImportJam;
    }
    return Store(carSet, variant, std::move(picture), image);
}

Failure ExportHelmets(const CarSet& carSet, const GraphicEnvironment& environment, Variant variant, HelmetPart part) {
    if (!Present(carSet, variant) ||
        !Ok(ExportHelmetParts(environment.gameFolder, variant, part, carSet.helmetImages[VariantSlot(variant)]))) {
        return TextId::FailedToPatchJam;
    }
    return std::nullopt;
}

Failure LoadHelmets(CarSet& carSet, Variant variant, const std::filesystem::path& path, PackedBitmap& image) {
    PackedBitmap picture = Working(carSet, variant);
    if (FileKindOf(path) == FileKind::Jam) {
        for (HelmetPart part : {HelmetPart::E, HelmetPart::D}) {
            PackedBitmap rows;
            if (ReadPartJam(path, part, variant, rows) && PutHelmetPart(rows, part, picture)) {
                return Store(carSet, variant, std::move(picture), image);
            }
        }
        return TextId::FailedToImportJam;
    }
    for (HelmetPart part : {HelmetPart::Both, HelmetPart::D, HelmetPart::E}) {
        PackedBitmap rows;
        if (Ok(LoadPictureFile(path, rows, kHelmetWidth, HelmetPartRows(part), DepthOf(variant))) &&
            PutHelmetPart(rows, part, picture)) {
            return Store(carSet, variant, std::move(picture), image);
        }
    }
    return TextId::CouldntLoadBitmap;
}

Failure SaveHelmetsAs(const CarSet& carSet, Variant variant, HelmetPart part, const std::filesystem::path& path) {
    if (!Present(carSet, variant)) {
        return TextId::CouldntSaveBitmap;
    }
    return SaveGraphicAs(HelmetPartPicture(carSet.helmetImages[VariantSlot(variant)], part), path);
}

} // namespace tavolex
