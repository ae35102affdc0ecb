#include "document/GraphicDeclarations.h"

#include <array>

#include "formats/ArtSheetBitmap.h"
#include "formats/BitmapFile.h"
#include "formats/GameJam.h"
#include "formats/PictureFile.h"
#include "formats/TextureGeneration.h"

namespace tavolex {
namespace {

constexpr int kFerrariCockpitJam = 36;
constexpr const char* kCockpitMaskFile = "HCOCKPIT.DAT";

// The installed game's pictures, through the context's access to it.
template <GraphicKind kKind>
Error ReadFromGame(const GraphicContext& context, int slot, Variant variant, PackedBitmap& out) {
    return context.game ? context.game->read(context, kKind, slot, variant, out) : Error::OpenFailed;
}

template <GraphicKind kKind>
Error WriteToGame(const GraphicContext& context, int slot, Variant variant, const PackedBitmap& image) {
    return context.game ? context.game->write(context, kKind, slot, variant, image) : Error::OpenFailed;
}

// The conversions fail only for a source of the wrong size or depth.
Error Failed(bool ok) { return ok ? Error::None : Error::ConversionFailed; }

// Nearest colour (candidates 1-253) one way, palette lookup the other.
Error PlainConversion(const GraphicContext&, Variant target, const PackedBitmap& source, PackedBitmap& result) {
    return Failed(target == Variant::Software ? Ok(ToSoftware(source, result, 1, 253))
                                              : Ok(ToHardware(source, result)));
}

Error PitCrewConversion(const GraphicContext&, Variant target, const PackedBitmap& source, PackedBitmap& result) {
    return Failed(target == Variant::Software ? Ok(PitCrewToSoftware(source, result))
                                              : Ok(PitCrewToHardware(source, result)));
}

// The mask file beside the editor, rebuilt from the game when missing or unreadable.
Error CockpitMask(const GraphicContext& env, PackedBitmap& mask) {
    const auto path = env.dataFolder / kCockpitMaskFile;
    if (Ok(LoadBitmapFile(path, mask, 256, kCockpitMaskRows, Depth::Bits8))) {
        return Error::None;
    }
    PackedBitmap ferrari;
    if (Error error = ReadGameJam(env.gameFolder, kFerrariCockpitJam, Variant::Hardware, 256, 1, ferrari); !Ok(error)) {
        return error;
    }
    if (!Ok(MakeCockpitMask(ferrari, mask))) {
        return Error::ConversionFailed;
    }
    // On a fresh installation the data folder does not exist yet.
    std::error_code ignored;
    std::filesystem::create_directories(env.dataFolder, ignored);
    return SaveBitmapFile(path, mask);
}

Error CockpitConversion(const GraphicContext& env, Variant target, const PackedBitmap& source, PackedBitmap& result) {
    if (target == Variant::Software) {
        return Failed(Ok(CockpitToSoftware(source, result)));
    }
    PackedBitmap mask;
    if (Error error = CockpitMask(env, mask); !Ok(error)) {
        return error;
    }
    return Failed(Ok(CockpitToHardware(source, mask, result)));
}

constexpr TextId kJamRead = TextId::FailedToImportJam;
constexpr TextId kJamWrite = TextId::FailedToPatchJam;

const std::array<GraphicKindDeclaration, 8> kDeclarations = {{
    {GraphicKind::CarLivery, kJamRead, kJamWrite, ReadFromGame<GraphicKind::CarLivery>,
     WriteToGame<GraphicKind::CarLivery>, PlainConversion},
    {GraphicKind::Cockpit, kJamRead, kJamWrite, ReadFromGame<GraphicKind::Cockpit>, WriteToGame<GraphicKind::Cockpit>,
     CockpitConversion},
    {GraphicKind::PitCrew, kJamRead, kJamWrite, ReadFromGame<GraphicKind::PitCrew>, WriteToGame<GraphicKind::PitCrew>,
     PitCrewConversion},
    {GraphicKind::Helmets, kJamRead, kJamWrite, ReadFromGame<GraphicKind::Helmets>, WriteToGame<GraphicKind::Helmets>,
     nullptr},
    {GraphicKind::Tyre, kJamRead, kJamWrite, ReadFromGame<GraphicKind::Tyre>, WriteToGame<GraphicKind::Tyre>, nullptr,
     TextId::CouldntLoadBitmap},
    {GraphicKind::Tread, TextId::CouldntLoadBitmap, kJamWrite, ReadFromGame<GraphicKind::Tread>,
     WriteToGame<GraphicKind::Tread>, nullptr},
    {GraphicKind::PitBoxes, kJamRead, kJamWrite, ReadFromGame<GraphicKind::PitBoxes>,
     WriteToGame<GraphicKind::PitBoxes>, PlainConversion},
    {GraphicKind::MenuArtwork, TextId::FailedToImportArt, TextId::FailedToPatchArt,
     ReadFromGame<GraphicKind::MenuArtwork>, WriteToGame<GraphicKind::MenuArtwork>, nullptr, std::nullopt,
     LoadArtSheetBitmap, SaveArtSheetBitmap},
}};

} // namespace

const GraphicKindDeclaration& DeclarationOf(GraphicKind kind) { return kDeclarations[static_cast<std::size_t>(kind)]; }

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
    return LoadPictureFile(path, image, SheetWidth(kind, variant), SheetHeight(kind, variant),
                           SheetDepth(kind, variant));
}

Error SaveGraphicFile(GraphicKind kind, const std::filesystem::path& path, const PackedBitmap& image) {
    const GraphicKindDeclaration& declaration = DeclarationOf(kind);
    return declaration.saveFile ? declaration.saveFile(path, image) : SavePictureFile(path, image);
}

} // namespace tavolex
