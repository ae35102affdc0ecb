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
bool KeepInTemporaryFile(CarSet& carSet, const GraphicEnvironment& environment, int slot, int fileSlot, Variant variant,
                         const PackedBitmap& sheet) {
    const auto path = UnusedTemporaryGraphicPath(environment.temporaryFolder, kKind, fileSlot, variant);
    if (path.empty() || !Ok(SaveBitmapFile(path, sheet))) {
        return false;
    }
    SetSlotFromFile(carSet, kKind, slot, variant, path);
    MarkModified(carSet, "Change pit crew");
    return true;
}

// A user's JAM of 254 or 255 rows, of either variant, into a half.
Failure LoadJamHalf(CarSet& carSet, const GraphicEnvironment& environment, int slot, Variant variant, PitCrewHalf half,
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
            if (!(hardware ? PitCrewToSoftware(file, converted) : PitCrewToHardware(file, converted))) {
                continue;
            }
            file = std::move(converted);
        }
        PackedBitmap sheet = StartingSheet(current, variant);
        if (PutPitCrewHalf(file, LoadedHalf(half), sheet) &&
            KeepInTemporaryFile(carSet, environment, slot, slot + kConvertedLiverySlotOffset, variant, sheet)) {
            image = std::move(sheet);
            return std::nullopt;
        }
    }
    return TextId::FailedToImportJam;
}

} // namespace

Failure ImportPitCrew(CarSet& carSet, const GraphicEnvironment& environment, int slot, Variant variant,
                      PitCrewHalf half, const PackedBitmap& current, PackedBitmap& image) {
    if (half == PitCrewHalf::Both) {
        return ImportGraphic(carSet, environment, kKind, slot, variant, image);
    }
    PackedBitmap sheet = StartingSheet(current, variant);
    if (!Ok(ImportPitCrewHalves(environment.gameFolder, slot, variant, half, sheet)) ||
        !KeepInTemporaryFile(carSet, environment, slot, slot, variant, sheet)) {
        return TextId::FailedToImportJam;
    }
    image = std::move(sheet);
    return std::nullopt;
}

Failure ExportPitCrew(const GraphicEnvironment& environment, int slot, Variant variant, PitCrewHalf half,
                      const PackedBitmap& image) {
    if (!Ok(ExportPitCrewHalves(environment.gameFolder, slot, variant, half, image))) {
        return TextId::FailedToPatchJam;
    }
    return std::nullopt;
}

Failure LoadPitCrew(CarSet& carSet, const GraphicEnvironment& environment, int slot, Variant variant, PitCrewHalf half,
                    const PackedBitmap& current, const std::filesystem::path& path, PackedBitmap& image) {
    if (FileKindOf(path) == FileKind::Jam) {
        return LoadJamHalf(carSet, environment, slot, variant, half, current, path, image);
    }
    PackedBitmap picture;
    if (Ok(LoadPictureFile(path, picture, kPitCrewSheetWidth, kPitCrewSheetHeight, DepthOf(variant)))) {
        SetSlotFromFile(carSet, kKind, slot, variant, path);
        MarkModified(carSet, "Load pit crew");
        image = std::move(picture);
        return std::nullopt;
    }
    for (int rows : {kPitCrewHalfRows, kPitCrewHalfRows + 1}) {
        PackedBitmap file;
        if (!Ok(LoadPictureFile(path, file, kPitCrewFileWidth, rows, DepthOf(variant)))) {
            continue;
        }
        PackedBitmap sheet = StartingSheet(current, variant);
        if (!PutPitCrewHalf(file, LoadedHalf(half), sheet) ||
            !KeepInTemporaryFile(carSet, environment, slot, slot, variant, sheet)) {
            return TextId::CouldntLoadBitmap;
        }
        image = std::move(sheet);
        return std::nullopt;
    }
    return TextId::CouldntLoadBitmap;
}

WantedPicture WantedPitCrewPicture(Variant variant, PitCrewHalf half) {
    if (half == PitCrewHalf::Both) {
        return {GraphicKind::PitCrew, variant};
    }
    return {GraphicKind::PitCrew, variant, kPitCrewFileWidth, kPitCrewHalfRows};
}

Failure SavePitCrewAs(const PackedBitmap& image, int slot, Variant variant, PitCrewHalf half,
                      const std::filesystem::path& path) {
    if (half == PitCrewHalf::Both) {
        return SaveGraphicAs(image, path);
    }
    if (!image.is(kPitCrewSheetWidth, kPitCrewSheetHeight, DepthOf(variant))) {
        return TextId::CouldntSaveBitmap;
    }
    return SaveGraphicAs(PitCrewHalfFile(image, half, PitCrewFileRows(slot), variant), path);
}

Failure CopyPitCrewTemplate(CarSet& carSet, const GraphicEnvironment& environment, int slot, Variant variant,
                            PackedBitmap& image) {
    PackedBitmap crew;
    if (slot < 0 || slot >= kTeamCount || !Ok(LoadPitCrewTemplate(environment, PitCrewTemplate::Jack, crew))) {
        return TextId::FailedToGenerateBitmap;
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
    if (!Ok(SaveBitmapFile(path, painted)) ||
        !Ok(LoadPictureFile(path, result, kPitCrewSheetWidth, kPitCrewSheetHeight, DepthOf(variant)))) {
        return TextId::FailedToGenerateBitmap;
    }
    SetSlotFromFile(carSet, kKind, slot, variant, path);
    MarkModified(carSet, "Copy pit crew");
    image = std::move(result);
    return std::nullopt;
}

Failure ImportCrewColours(CarSet& carSet, const GameFolder& game, ExeStatus status, int team) {
    std::vector<std::uint8_t> exe;
    if (team < 0 || team >= kTeamCount || status != ExeStatus::Supported || !Ok(ReadExecutable(game, exe))) {
        return TextId::FailedToReadGame;
    }
    TeamRecord read = carSet.teams[static_cast<std::size_t>(team)];
    if (!ReadCrewColours(exe, team, read)) {
        return TextId::FailedToReadGame;
    }
    carSet.teams[static_cast<std::size_t>(team)] = read;
    MarkModified(carSet, "Import pit crew colours");
    return std::nullopt;
}

Failure ExportCrewColours(const CarSet& carSet, const GameFolder& game, ExeStatus status, int team) {
    if (team < 0 || team >= kTeamCount || status != ExeStatus::Supported) {
        return TextId::FailedToPatchGame;
    }
    const auto patch = [&](std::vector<std::uint8_t>& exe) {
        return WriteCrewColours(exe, team, carSet.teams[static_cast<std::size_t>(team)]);
    };
    if (!Ok(PatchExecutable(game, patch))) {
        return TextId::FailedToPatchGame;
    }
    return std::nullopt;
}

} // namespace tavolex
