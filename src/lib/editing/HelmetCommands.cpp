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

Error Store(CarSet& carSet, Variant variant, PackedBitmap picture, PackedBitmap& image) {
    image = picture;
    StoreHeldPicture(carSet, kKind, variant, std::move(picture));
    MarkModified(carSet, "Change helmets");
    return Error::None;
}

// The rows of a user's JAM, of either variant, as this variant's.
Error ReadPartJam(const std::filesystem::path& path, HelmetPart part, Variant variant, PackedBitmap& rows) {
    JamKind kind = JamKind::None;
    PackedBitmap read;
    if (Error error = ReadJamFile(path, HelmetPartRows(part), read, kind); !Ok(error)) {
        return error;
    }
    if (read.width() != kHelmetWidth) {
        return Error::WrongBitmapSize;
    }
    const bool hardware = kind == JamKind::Hardware;
    if (hardware == (variant == Variant::Hardware)) {
        rows = std::move(read);
        return Error::None;
    }
    const bool converted = hardware ? Ok(ToSoftware(read, rows, 0, 253)) : Ok(ToHardware(read, rows));
    return converted ? Error::None : Error::ConversionFailed;
}

} // namespace

Error ImportHelmet(CarSet& carSet, const GraphicEnvironment& environment, Variant variant, int helmet,
                   PackedBitmap& image) {
    PackedBitmap scratch = BlankHelmets(variant);
    PackedBitmap one;
    PackedBitmap picture = Working(carSet, variant);
    if (Error error = ImportHelmetParts(environment.gameFolder, variant, HelmetPartOf(helmet), scratch); !Ok(error)) {
        return error;
    }
    if (!Ok(TakeHelmet(scratch, helmet, one)) || !Ok(PutHelmet(one, helmet, picture))) {
        return Error::WrongBitmapSize;
    }
    return Store(carSet, variant, std::move(picture), image);
}

Error ExportHelmet(const CarSet& carSet, const GraphicEnvironment& environment, Variant variant, int helmet) {
    PackedBitmap scratch = BlankHelmets(variant);
    PackedBitmap one;
    const HelmetPart part = HelmetPartOf(helmet);
    if (!Present(carSet, variant)) {
        return Error::NoPicture;
    }
    if (Error error = ImportHelmetParts(environment.gameFolder, variant, part, scratch); !Ok(error)) {
        return error;
    }
    if (!Ok(TakeHelmet(carSet.helmetImages[VariantSlot(variant)], helmet, one)) ||
        !Ok(PutHelmet(one, helmet, scratch))) {
        return Error::WrongBitmapSize;
    }
    return ExportHelmetParts(environment.gameFolder, variant, part, scratch);
}

Error LoadHelmet(CarSet& carSet, Variant variant, int helmet, const std::filesystem::path& path, PackedBitmap& image) {
    PackedBitmap one;
    PackedBitmap picture = Working(carSet, variant);
    if (Error error = LoadPictureFile(path, one, kSingleHelmetWidth, kSingleHelmetRows, DepthOf(variant)); !Ok(error)) {
        return error;
    }
    if (!Ok(PutHelmet(one, helmet, picture))) {
        return Error::WrongBitmapSize;
    }
    return Store(carSet, variant, std::move(picture), image);
}

Error SaveHelmetAs(const CarSet& carSet, Variant variant, int helmet, const std::filesystem::path& path) {
    PackedBitmap one;
    if (!Present(carSet, variant) || !Ok(TakeHelmet(carSet.helmetImages[VariantSlot(variant)], helmet, one))) {
        return Error::NoPicture;
    }
    return SaveGraphicAs(one, path);
}

Error ImportHelmets(CarSet& carSet, const GraphicEnvironment& environment, Variant variant, HelmetPart part,
                    PackedBitmap& image) {
    PackedBitmap picture = Working(carSet, variant);
    if (Error error = ImportHelmetParts(environment.gameFolder, variant, part, picture); !Ok(error)) {
        return error;
    }
    return Store(carSet, variant, std::move(picture), image);
}

Error ExportHelmets(const CarSet& carSet, const GraphicEnvironment& environment, Variant variant, HelmetPart part) {
    if (!Present(carSet, variant)) {
        return Error::NoPicture;
    }
    return ExportHelmetParts(environment.gameFolder, variant, part, carSet.helmetImages[VariantSlot(variant)]);
}

Error LoadHelmets(CarSet& carSet, Variant variant, const std::filesystem::path& path, PackedBitmap& image) {
    PackedBitmap picture = Working(carSet, variant);
    if (FileKindOf(path) == FileKind::Jam) {
        for (HelmetPart part : {HelmetPart::E, HelmetPart::D}) {
            PackedBitmap rows;
            if (Ok(ReadPartJam(path, part, variant, rows)) && Ok(PutHelmetPart(rows, part, picture))) {
                return Store(carSet, variant, std::move(picture), image);
            }
        }
        return Error::JamNotLoaded;
    }
    for (HelmetPart part : {HelmetPart::Both, HelmetPart::D, HelmetPart::E}) {
        PackedBitmap rows;
        if (Ok(LoadPictureFile(path, rows, kHelmetWidth, HelmetPartRows(part), DepthOf(variant))) &&
            Ok(PutHelmetPart(rows, part, picture))) {
            return Store(carSet, variant, std::move(picture), image);
        }
    }
    return Error::WrongBitmapSize;
}

Error SaveHelmetsAs(const CarSet& carSet, Variant variant, HelmetPart part, const std::filesystem::path& path) {
    if (!Present(carSet, variant)) {
        return Error::NoPicture;
    }
    return SaveGraphicAs(HelmetPartPicture(carSet.helmetImages[VariantSlot(variant)], part), path);
}

} // namespace tavolex
