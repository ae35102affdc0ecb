#include "document/GraphicDeclarations.h"

#include <array>

#include "formats/BitmapFile.h"
#include "formats/GameJam.h"
#include "formats/TextureGeneration.h"

namespace tavolex {
namespace {

constexpr int kLiveryHeight = 384;
constexpr int kLiveryImages = 3;
constexpr int kFirstCockpitJam = 35;
constexpr int kFerrariCockpitJam = 36;
constexpr const char* kCockpitMaskFile = "HCOCKPIT.DAT";

Error Failed(bool ok) { return ok ? Error::None : Error::OutOfMemory; }

Error ReadLivery(const GraphicEnvironment& env, int slot, Variant variant, PackedBitmap& out) {
    return ReadGameJam(env.gameFolder, slot, variant, kLiveryHeight, kLiveryImages, out);
}

Error ReadCockpit(const GraphicEnvironment& env, int slot, Variant variant, PackedBitmap& out) {
    const int height = KindInfo(GraphicKind::Cockpit).height[VariantIndex(variant)];
    return ReadGameJam(env.gameFolder, kFirstCockpitJam + slot, variant, height, 1, out);
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
        return Error::OutOfMemory;
    }
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

const std::array<GraphicKindDeclaration, 8> kDeclarations = {{
    {GraphicKind::CarLivery, TextId::FailedToImportJam, ReadLivery, PlainConversion},
    {GraphicKind::Cockpit, TextId::FailedToImportJam, ReadCockpit, CockpitConversion},
    {GraphicKind::PitCrew, TextId::FailedToImportJam, nullptr, PitCrewConversion},
    {GraphicKind::Helmets, TextId::FailedToImportJam, nullptr, nullptr},
    {GraphicKind::Tyre, TextId::FailedToImportJam, nullptr, nullptr},
    {GraphicKind::Tread, TextId::FailedToImportJam, nullptr, nullptr},
    {GraphicKind::PitBoxes, TextId::FailedToImportJam, nullptr, PlainConversion},
    {GraphicKind::MenuArtwork, TextId::FailedToImportArt, nullptr, nullptr},
}};

} // namespace

const GraphicKindDeclaration& DeclarationOf(GraphicKind kind) {
    return kDeclarations[static_cast<std::size_t>(kind)];
}

} // namespace tavolex
