#include "editing/TyreCommands.h"

#include "document/LazyGraphics.h"
#include "files/FileHelpers.h"
#include "formats/BitmapFile.h"
#include "formats/SoftwareJam.h"
#include "formats/TyreGameFiles.h"
#include "game/GraphicEnvironment.h"

namespace tavolex {
namespace {

// The software JAM a user loads is kept under tyre type + 2, apart from the half imports.
constexpr int kLoadedJamSlotOffset = 2;

int HalfFor(SheetHalves halves) { return halves == SheetHalves::Bottom ? 2 : 1; }

// The sheet with one half replaced becomes the slot's file in the temporary folder.
Error KeepInTemporaryFile(CarSet& carSet, GraphicKind kind, int slot, int tyreType, Variant variant,
                          const GraphicEnvironment& environment, const PackedBitmap& picture) {
    const auto path = UnusedTemporaryGraphicPath(environment.temporaryFolder, kind, slot, variant);
    if (path.empty()) {
        return Error::WriteFailed;
    }
    if (Error error = SaveBitmapFile(path, picture); !Ok(error)) {
        return error;
    }
    SetSlotFromFile(carSet, kind, tyreType, variant, path);
    return Error::None;
}

} // namespace

PackedBitmap ShownTyreSheet(const PackedBitmap& fetched, GraphicKind kind, int tyreType, Variant variant) {
    const TyreSheetLayout& layout = LayoutOf(TyreSheetOf(kind, variant));
    if (fetched.is(layout.width, layout.height, layout.depth)) {
        return fetched;
    }
    return EmptyTyreSheet(TyreSheetOf(kind, variant), tyreType);
}

Error ImportTyreHalves(CarSet& carSet, const GraphicEnvironment& environment, GraphicKind kind, int tyreType,
                       Variant variant, SheetHalves halves, PackedBitmap& sheet) {
    PackedBitmap picture = ShownTyreSheet(sheet, kind, tyreType, variant);
    if (Error error = ReadTyreHalves(environment.gameFolder, TyreSheetOf(kind, variant), tyreType, halves, picture);
        !Ok(error)) {
        return error;
    }
    if (halves == SheetHalves::Both) {
        SetSlotFromGame(carSet, kind, tyreType, variant);
    } else if (Error error = KeepInTemporaryFile(carSet, kind, tyreType, tyreType, variant, environment, picture);
               !Ok(error)) {
        return error;
    }
    MarkModified(carSet, kind == GraphicKind::Tread ? "Import treads" : "Import wheels");
    sheet = std::move(picture);
    return Error::None;
}

Error ExportTyreHalves(const GraphicEnvironment& environment, GraphicKind kind, int tyreType, Variant variant,
                       SheetHalves halves, const PackedBitmap& sheet) {
    return WriteTyreHalves(environment.gameFolder, TyreSheetOf(kind, variant), tyreType, halves, sheet);
}

WantedPicture WantedTyrePicture(GraphicKind kind, Variant variant, SheetHalves halves) {
    if (halves == SheetHalves::Both) {
        return {kind, variant};
    }
    const TyreSheetLayout& layout = LayoutOf(TyreSheetOf(kind, variant));
    if (layout.fileWidth == 0) {
        return {kind, variant, layout.width, layout.height / 2};
    }
    return {kind, variant, layout.fileWidth, layout.fileHeight};
}

Error LoadTyreFile(CarSet& carSet, const GraphicEnvironment& environment, GraphicKind kind, int tyreType,
                   Variant variant, SheetHalves halves, const std::filesystem::path& path, PackedBitmap& sheet) {
    const TyreSheet form = TyreSheetOf(kind, variant);
    PackedBitmap picture = ShownTyreSheet(sheet, kind, tyreType, variant);
    if (form == TyreSheet::SoftwareWheels && FileKindOf(path) == FileKind::Jam) {
        PackedBitmap half;
        if (!Ok(ReadSoftwareJam(path, HalfHeight(form), std::nullopt, half)) ||
            !half.is(picture.width(), HalfHeight(form), Depth::Bits8)) {
            return Error::JamNotLoaded;
        }
        PutSheetHalf(picture, HalfFor(halves), half);
        if (!Ok(KeepInTemporaryFile(carSet, kind, tyreType + kLoadedJamSlotOffset, tyreType, variant, environment,
                                    picture))) {
            return Error::JamNotLoaded;
        }
    } else {
        PackedBitmap read;
        bool whole = false;
        if (Error error = ReadTyreBitmapFile(path, form, read, whole); !Ok(error)) {
            return error;
        }
        if (whole) {
            picture = std::move(read);
            SetSlotFromFile(carSet, kind, tyreType, variant, path);
        } else {
            PutSheetHalf(picture, HalfFor(halves), read);
            if (Error error = KeepInTemporaryFile(carSet, kind, tyreType, tyreType, variant, environment, picture);
                !Ok(error)) {
                return error;
            }
        }
    }
    MarkModified(carSet, kind == GraphicKind::Tread ? "Load treads" : "Load wheels");
    sheet = std::move(picture);
    return Error::None;
}

Error SaveTyreFileAs(GraphicKind kind, int tyreType, Variant variant, SheetHalves halves, const PackedBitmap& sheet,
                     const std::filesystem::path& path) {
    return SaveTyreSheetAs(path, TyreSheetOf(kind, variant), tyreType, halves, sheet);
}

} // namespace tavolex
