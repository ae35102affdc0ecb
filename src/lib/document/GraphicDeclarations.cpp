#include "document/GraphicDeclarations.h"

#include <array>

#include "formats/ArtSheetBitmap.h"
#include "document/HelmetPicture.h"
#include "document/PitCrewSheet.h"
#include "formats/BitmapFile.h"
#include "formats/GameJam.h"
#include "formats/MenuArtArchive.h"
#include "formats/PictureFile.h"
#include "formats/TextureGeneration.h"
#include "formats/TyreGameFiles.h"
#include "game/GameFolder.h"

namespace tavolex {
namespace {

constexpr int kLiveryHeight = 384;
constexpr int kLiveryImages = 3;
constexpr int kFirstCockpitJam = 35;
constexpr int kFerrariCockpitJam = 36;
constexpr const char* kCockpitMaskFile = "HCOCKPIT.DAT";
constexpr int kPitBoxJam = 59;
constexpr int kPitBoxHeight = 176;
constexpr int kPitBoxStrips = 11;

// The conversions fail only for a source of the wrong size or depth.
Error Failed(bool ok) { return ok ? Error::None : Error::ConversionFailed; }

Error ReadLivery(const GraphicEnvironment& env, int slot, Variant variant, PackedBitmap& out) {
    return ReadGameJam(env.gameFolder, slot, variant, kLiveryHeight, kLiveryImages, out);
}

Error WriteLivery(const GraphicEnvironment& env, int slot, Variant variant, const PackedBitmap& image) {
    return PatchGameJam(env.gameFolder, image, slot, variant, kLiveryHeight, kLiveryImages, env.progress);
}

int CockpitHeight(Variant variant) { return KindInfo(GraphicKind::Cockpit).height[VariantIndex(variant)]; }

Error ReadCockpit(const GraphicEnvironment& env, int slot, Variant variant, PackedBitmap& out) {
    return ReadGameJam(env.gameFolder, kFirstCockpitJam + slot, variant, CockpitHeight(variant), 1, out);
}

Error WriteCockpit(const GraphicEnvironment& env, int slot, Variant variant, const PackedBitmap& image) {
    return PatchGameJam(env.gameFolder, image, kFirstCockpitJam + slot, variant, CockpitHeight(variant), 1,
                        env.progress);
}

// A team's pit crew comes from both halves' files, which cover the whole sheet.
Error ReadPitCrew(const GraphicEnvironment& env, int slot, Variant variant, PackedBitmap& out) {
    PackedBitmap sheet = PitCrewFill(kPitCrewSheetWidth, kPitCrewSheetHeight, variant);
    if (Error error = ImportPitCrewHalves(env.gameFolder, slot, variant, PitCrewHalf::Both, sheet); !Ok(error)) {
        return error;
    }
    out = std::move(sheet);
    return Error::None;
}

Error WritePitCrew(const GraphicEnvironment& env, int slot, Variant variant, const PackedBitmap& image) {
    return ExportPitCrewHalves(env.gameFolder, slot, variant, PitCrewHalf::Both, image, env.progress);
}

// The helmets: both parts, into a blank picture.
Error ReadHelmets(const GraphicEnvironment& env, int, Variant variant, PackedBitmap& out) {
    PackedBitmap picture = BlankHelmets(variant);
    if (Error error = ImportHelmetParts(env.gameFolder, variant, HelmetPart::Both, picture); !Ok(error)) {
        return error;
    }
    out = std::move(picture);
    return Error::None;
}

Error WriteHelmets(const GraphicEnvironment& env, int, Variant variant, const PackedBitmap& image) {
    return ExportHelmetParts(env.gameFolder, variant, HelmetPart::Both, image, env.progress);
}

// Nearest colour (candidates 1-253) one way, palette lookup the other.
Error PlainConversion(const GraphicEnvironment&, Variant target, const PackedBitmap& source,
                      PackedBitmap& result) {
    return Failed(target == Variant::Software ? ToSoftware(source, result, 1, 253)
                                              : ToHardware(source, result));
}

Error PitCrewConversion(const GraphicEnvironment&, Variant target, const PackedBitmap& source,
                        PackedBitmap& result) {
    return Failed(target == Variant::Software ? PitCrewToSoftware(source, result)
                                              : PitCrewToHardware(source, result));
}

// The mask file beside the editor, rebuilt from the game when missing or unreadable.
Error CockpitMask(const GraphicEnvironment& env, PackedBitmap& mask) {
    const auto path = env.dataFolder / kCockpitMaskFile;
    if (Ok(LoadBitmapFile(path, mask, 256, kCockpitMaskRows, Depth::Bits8))) {
        return Error::None;
    }
    PackedBitmap ferrari;
    if (Error error = ReadGameJam(env.gameFolder, kFerrariCockpitJam, Variant::Hardware, 256, 1, ferrari);
        !Ok(error)) {
        return error;
    }
    if (!MakeCockpitMask(ferrari, mask)) {
        return Error::ConversionFailed;
    }
    // On a fresh installation the data folder does not exist yet.
    std::error_code ignored;
    std::filesystem::create_directories(env.dataFolder, ignored);
    return SaveBitmapFile(path, mask);
}

Error CockpitConversion(const GraphicEnvironment& env, Variant target, const PackedBitmap& source,
                        PackedBitmap& result) {
    if (target == Variant::Software) {
        return Failed(CockpitToSoftware(source, result));
    }
    PackedBitmap mask;
    if (Error error = CockpitMask(env, mask); !Ok(error)) {
        return error;
    }
    return Failed(CockpitToHardware(source, mask, result));
}

Error ReadPitBoxes(const GraphicEnvironment& env, int, Variant variant, PackedBitmap& out) {
    return ReadGameJam(env.gameFolder, kPitBoxJam, variant, kPitBoxHeight, kPitBoxStrips, out);
}

Error WritePitBoxes(const GraphicEnvironment& env, int, Variant variant, const PackedBitmap& image) {
    return PatchGameJam(env.gameFolder, image, kPitBoxJam, variant, kPitBoxHeight, kPitBoxStrips, env.progress);
}

// Both halves, over the sheet an empty slot shows.
template <GraphicKind kKind>
Error ReadTyreSheet(const GraphicEnvironment& env, int slot, Variant variant, PackedBitmap& out) {
    const TyreSheet sheet = TyreSheetOf(kKind, variant);
    PackedBitmap picture = EmptyTyreSheet(sheet, slot);
    if (Error error = ReadTyreHalves(env.gameFolder, sheet, slot, SheetHalves::Both, picture); !Ok(error)) {
        return error;
    }
    out = std::move(picture);
    return Error::None;
}

template <GraphicKind kKind>
Error WriteTyreSheet(const GraphicEnvironment& env, int slot, Variant variant, const PackedBitmap& image) {
    return WriteTyreHalves(env.gameFolder, TyreSheetOf(kKind, variant), slot, SheetHalves::Both, image,
                           env.progress);
}

// The archive is expanded (once) before a team's pictures are read or written in place.
Error ReadArtwork(const GraphicEnvironment& env, int slot, Variant, PackedBitmap& out) {
    const auto archive = GameFolder(env.gameFolder).artArchive();
    if (Error error = CheckAndExpandArtArchive(archive); !Ok(error)) {
        return error;
    }
    return ImportTeamArt(archive, slot, out);
}

Error WriteArtwork(const GraphicEnvironment& env, int slot, Variant, const PackedBitmap& image) {
    const auto archive = GameFolder(env.gameFolder).artArchive();
    if (Error error = CheckAndExpandArtArchive(archive); !Ok(error)) {
        return error;
    }
    const TeamArtSheet sheet{slot, &image};
    return ExportTeamArts(archive, {&sheet, 1});
}

constexpr TextId kJamRead = TextId::FailedToImportJam;
constexpr TextId kJamWrite = TextId::FailedToPatchJam;

const std::array<GraphicKindDeclaration, 8> kDeclarations = {{
    {GraphicKind::CarLivery, kJamRead, kJamWrite, ReadLivery, WriteLivery, PlainConversion},
    {GraphicKind::Cockpit, kJamRead, kJamWrite, ReadCockpit, WriteCockpit, CockpitConversion},
    {GraphicKind::PitCrew, kJamRead, kJamWrite, ReadPitCrew, WritePitCrew, PitCrewConversion},
    {GraphicKind::Helmets, kJamRead, kJamWrite, ReadHelmets, WriteHelmets, nullptr},
    {GraphicKind::Tyre, kJamRead, kJamWrite, ReadTyreSheet<GraphicKind::Tyre>, WriteTyreSheet<GraphicKind::Tyre>,
     nullptr, TextId::CouldntLoadBitmap},
    {GraphicKind::Tread, TextId::CouldntLoadBitmap, kJamWrite, ReadTyreSheet<GraphicKind::Tread>,
     WriteTyreSheet<GraphicKind::Tread>, nullptr},
    {GraphicKind::PitBoxes, kJamRead, kJamWrite, ReadPitBoxes, WritePitBoxes, PlainConversion},
    {GraphicKind::MenuArtwork, TextId::FailedToImportArt, TextId::FailedToPatchArt, ReadArtwork, WriteArtwork, nullptr,
     std::nullopt, LoadArtSheetBitmap, SaveArtSheetBitmap},
}};

} // namespace

const GraphicKindDeclaration& DeclarationOf(GraphicKind kind) {
    return kDeclarations[static_cast<std::size_t>(kind)];
}

TyreSheet TyreSheetOf(GraphicKind kind, Variant variant) {
    if (kind == GraphicKind::Tread) {
        return TyreSheet::Treads;
    }
    return variant == Variant::Software ? TyreSheet::SoftwareWheels : TyreSheet::HardwareWheels;
}

TextId GameReadFailure(GraphicKind kind, Variant variant) {
    const GraphicKindDeclaration& declaration = DeclarationOf(kind);
    return variant == Variant::Hardware && declaration.hardwareReadFailure ? *declaration.hardwareReadFailure
                                                                           : declaration.gameReadFailure;
}

Error LoadGraphicFile(GraphicKind kind, Variant variant, const std::filesystem::path& path, PackedBitmap& image) {
    const GraphicKindDeclaration& declaration = DeclarationOf(kind);
    if (declaration.loadFile) {
        return declaration.loadFile(path, image);
    }
    return LoadPictureFile(path, image, SheetWidth(kind, variant), SheetHeight(kind, variant), SheetDepth(kind, variant));
}

Error SaveGraphicFile(GraphicKind kind, const std::filesystem::path& path, const PackedBitmap& image) {
    const GraphicKindDeclaration& declaration = DeclarationOf(kind);
    return declaration.saveFile ? declaration.saveFile(path, image) : SavePictureFile(path, image);
}

} // namespace tavolex
