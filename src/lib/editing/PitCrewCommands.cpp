#include "editing/PitCrewCommands.h"

#include "document/LazyGraphics.h"
#include "editing/PitCrewColours.h"
#include "editing/PitCrewTemplates.h"
#include "files/FileHelpers.h"
#include "formats/BitmapFile.h"
#include "formats/GameJam.h"
#include "formats/PictureFile.h"
#include "formats/TextureGeneration.h"
#include "game/GameFiles.h"
#include "game/GraphicEnvironment.h"
#include "game/TeamTables.h"

namespace tavolex {
namespace {

constexpr GraphicKind kKind = GraphicKind::PitCrew;

Depth DepthOf(Variant variant) { return SheetDepth(kKind, variant); }

// The sheet a one-half command starts from: the shown one, or the fill.
PackedBitmap StartingSheet(const PackedBitmap& current, Variant variant) {
    if (current.is(kPitCrewSheetWidth, kPitCrewSheetHeight, DepthOf(variant))) {
        return current;
    }
    return PitCrewFill(kPitCrewSheetWidth, kPitCrewSheetHeight, variant);
}

// Where a Load puts a file picture when both halves are chosen.
PitCrewHalf LoadedHalf(PitCrewHalf half) { return half == PitCrewHalf::Bottom ? half : PitCrewHalf::Top; }

// Keeps `sheet` as the slot's temporary file (slot `fileSlot`) and makes the slot refer to it.
Error KeepInTemporaryFile(CarSet& carSet, const GraphicEnvironment& environment, int slot, int fileSlot,
                          Variant variant, const PackedBitmap& sheet) {
    const auto path = UnusedTemporaryGraphicPath(environment.temporaryFolder, kKind, fileSlot, variant);
    if (path.empty()) {
        return Error::WriteFailed;
    }
    if (Error error = SaveBitmapFile(path, sheet); !Ok(error)) {
        return error;
    }
    SetSlotFromFile(carSet, kKind, slot, variant, path);
    MarkModified(carSet, "Change pit crew");
    return Error::None;
}

// A user's JAM of 254 or 255 rows, of either variant, into a half.
Error LoadJamHalf(CarSet& carSet, const GraphicEnvironment& environment, int slot, Variant variant, PitCrewHalf half,
                  const PackedBitmap& current, const std::filesystem::path& path, PackedBitmap& image) {
    for (int rows : {kPitCrewHalfRows, kPitCrewHalfRows + 1}) {
        PackedBitmap file;
        JamKind kind = JamKind::None;
        if (!Ok(ReadJamFile(path, rows, file, kind))) {
            continue;
        }
        const bool hardware = kind == JamKind::Hardware;
        if (hardware != (variant == Variant::Hardware)) {
            PackedBitmap converted;
            if (!(hardware ? Ok(PitCrewToSoftware(file, converted)) : Ok(PitCrewToHardware(file, converted)))) {
                continue;
            }
            file = std::move(converted);
        }
        PackedBitmap sheet = StartingSheet(current, variant);
        if (Ok(PutPitCrewHalf(file, LoadedHalf(half), sheet)) &&
            Ok(KeepInTemporaryFile(carSet, environment, slot, slot + kConvertedLiverySlotOffset, variant, sheet))) {
            image = std::move(sheet);
            return Error::None;
        }
    }
    return Error::JamNotLoaded;
}

} // namespace

Error ImportPitCrew(CarSet& carSet, const GraphicEnvironment& environment, int slot, Variant variant, PitCrewHalf half,
                    const PackedBitmap& current, PackedBitmap& image) {
    if (half == PitCrewHalf::Both) {
        return ImportGraphic(carSet, environment, kKind, slot, variant, image);
    }
    PackedBitmap sheet = StartingSheet(current, variant);
    if (Error error = ImportPitCrewHalves(environment.gameFolder, slot, variant, half, sheet); !Ok(error)) {
        return error;
    }
    if (Error error = KeepInTemporaryFile(carSet, environment, slot, slot, variant, sheet); !Ok(error)) {
        return error;
    }
    image = std::move(sheet);
    return Error::None;
}

Error ExportPitCrew(const GraphicEnvironment& environment, int slot, Variant variant, PitCrewHalf half,
                    const PackedBitmap& image) {
    return ExportPitCrewHalves(environment.gameFolder, slot, variant, half, image);
}

Error LoadPitCrew(CarSet& carSet, const GraphicEnvironment& environment, int slot, Variant variant, PitCrewHalf half,
                  const PackedBitmap& current, const std::filesystem::path& path, PackedBitmap& image) {
    if (FileKindOf(path) == FileKind::Jam) {
        return LoadJamHalf(carSet, environment, slot, variant, half, current, path, image);
    }
    PackedBitmap picture;
    if (Ok(LoadPictureFile(path, picture, kPitCrewSheetWidth, kPitCrewSheetHeight, DepthOf(variant)))) {
        SetSlotFromFile(carSet, kKind, slot, variant, path);
        MarkModified(carSet, "Load pit crew");
        image = std::move(picture);
        return Error::None;
    }
    for (int rows : {kPitCrewHalfRows, kPitCrewHalfRows + 1}) {
        PackedBitmap file;
        if (!Ok(LoadPictureFile(path, file, kPitCrewFileWidth, rows, DepthOf(variant)))) {
            continue;
        }
        PackedBitmap sheet = StartingSheet(current, variant);
        if (!Ok(PutPitCrewHalf(file, LoadedHalf(half), sheet))) {
            return Error::WrongBitmapSize;
        }
        if (Error error = KeepInTemporaryFile(carSet, environment, slot, slot, variant, sheet); !Ok(error)) {
            return error;
        }
        image = std::move(sheet);
        return Error::None;
    }
    return Error::WrongBitmapSize;
}

WantedPicture WantedPitCrewPicture(Variant variant, PitCrewHalf half) {
    if (half == PitCrewHalf::Both) {
        return {GraphicKind::PitCrew, variant};
    }
    return {GraphicKind::PitCrew, variant, kPitCrewFileWidth, kPitCrewHalfRows};
}

Error SavePitCrewAs(const PackedBitmap& image, int slot, Variant variant, PitCrewHalf half,
                    const std::filesystem::path& path) {
    if (half == PitCrewHalf::Both) {
        return SaveGraphicAs(image, path);
    }
    if (!image.is(kPitCrewSheetWidth, kPitCrewSheetHeight, DepthOf(variant))) {
        return Error::NoPicture;
    }
    return SaveGraphicAs(PitCrewHalfFile(image, half, PitCrewFileRows(slot), variant), path);
}

Error CopyPitCrewTemplate(CarSet& carSet, const GraphicEnvironment& environment, int slot, Variant variant,
                          PackedBitmap& image) {
    PackedBitmap crew;
    if (slot < 0 || slot >= kTeamCount) {
        return Error::NoSuchTeam;
    }
    if (Error error = LoadPitCrewTemplate(environment, PitCrewTemplate::Jack, crew); !Ok(error)) {
        return error;
    }
    PackedBitmap painted = PaintPitCrew(crew, carSet.teams[static_cast<std::size_t>(slot)].pitCrewColours);
    if (variant == Variant::Hardware) {
        // Index 0 is see-through: the hardware picture shows it as the key colour.
        painted.palette()[0] = kKeyBlue;
        painted.palette()[1] = kKeyGreen;
        painted.palette()[2] = kKeyRed;
    }
    const auto path = UnusedTemporaryGraphicPath(environment.temporaryFolder, kKind, slot, variant);
    PackedBitmap result;
    if (Error error = SaveBitmapFile(path, painted); !Ok(error)) {
        return error;
    }
    if (Error error = LoadPictureFile(path, result, kPitCrewSheetWidth, kPitCrewSheetHeight, DepthOf(variant));
        !Ok(error)) {
        return error;
    }
    SetSlotFromFile(carSet, kKind, slot, variant, path);
    MarkModified(carSet, "Copy pit crew");
    image = std::move(result);
    return Error::None;
}

Error ImportCrewColours(CarSet& carSet, const GameFolder& game, ExeStatus status, int team) {
    std::vector<std::uint8_t> exe;
    if (team < 0 || team >= kTeamCount) {
        return Error::NoSuchTeam;
    }
    if (status != ExeStatus::Supported) {
        return Error::UnsupportedExecutable;
    }
    if (Error error = ReadExecutable(game, exe); !Ok(error)) {
        return error;
    }
    TeamRecord read = carSet.teams[static_cast<std::size_t>(team)];
    if (!Ok(ReadCrewColours(exe, team, read))) {
        return Error::TableOutsideFile;
    }
    carSet.teams[static_cast<std::size_t>(team)] = read;
    MarkModified(carSet, "Import pit crew colours");
    return Error::None;
}

Error ExportCrewColours(const CarSet& carSet, const GameFolder& game, ExeStatus status, int team) {
    if (team < 0 || team >= kTeamCount) {
        return Error::NoSuchTeam;
    }
    if (status != ExeStatus::Supported) {
        return Error::UnsupportedExecutable;
    }
    const auto patch = [&](std::vector<std::uint8_t>& exe) {
        return WriteCrewColours(exe, team, carSet.teams[static_cast<std::size_t>(team)]);
    };
    return PatchExecutable(game, patch);
}

} // namespace tavolex
