#include "game/GameGraphics.h"

#include <array>

#include "document/HelmetPicture.h"
#include "document/PitCrewSheet.h"
#include "formats/GameJam.h"
#include "formats/TyreGameFiles.h"
#include "game/GameFolder.h"
#include "game/MenuArtArchive.h"

namespace tavolex {
namespace {

constexpr int kLiveryHeight = 384;
constexpr int kLiveryImages = 3;
constexpr int kFirstCockpitJam = 35;
constexpr int kPitBoxJam = 59;
constexpr int kPitBoxHeight = 176;
constexpr int kPitBoxStrips = 11;

Error ReadLivery(const GraphicContext& env, int slot, Variant variant, PackedBitmap& out) {
    return ReadGameJam(env.gameFolder, slot, variant, kLiveryHeight, kLiveryImages, out);
}

Error WriteLivery(const GraphicContext& env, int slot, Variant variant, const PackedBitmap& image) {
    return PatchGameJam(env.gameFolder, image, slot, variant, kLiveryHeight, kLiveryImages, env.progress);
}

int CockpitHeight(Variant variant) { return KindInfo(GraphicKind::Cockpit).height[VariantIndex(variant)]; }

Error ReadCockpit(const GraphicContext& env, int slot, Variant variant, PackedBitmap& out) {
    return ReadGameJam(env.gameFolder, kFirstCockpitJam + slot, variant, CockpitHeight(variant), 1, out);
}

Error WriteCockpit(const GraphicContext& env, int slot, Variant variant, const PackedBitmap& image) {
    return PatchGameJam(env.gameFolder, image, kFirstCockpitJam + slot, variant, CockpitHeight(variant), 1,
                        env.progress);
}

// A team's pit crew comes from both halves' files, which cover the whole sheet.
Error ReadPitCrew(const GraphicContext& env, int slot, Variant variant, PackedBitmap& out) {
    PackedBitmap sheet = PitCrewFill(kPitCrewSheetWidth, kPitCrewSheetHeight, variant);
    if (Error error = ImportPitCrewHalves(env.gameFolder, slot, variant, PitCrewHalf::Both, sheet); !Ok(error)) {
        return error;
    }
    out = std::move(sheet);
    return Error::None;
}

Error WritePitCrew(const GraphicContext& env, int slot, Variant variant, const PackedBitmap& image) {
    return ExportPitCrewHalves(env.gameFolder, slot, variant, PitCrewHalf::Both, image, env.progress);
}

// The helmets: both parts, into a blank picture.
Error ReadHelmets(const GraphicContext& env, int, Variant variant, PackedBitmap& out) {
    PackedBitmap picture = BlankHelmets(variant);
    if (Error error = ImportHelmetParts(env.gameFolder, variant, HelmetPart::Both, picture); !Ok(error)) {
        return error;
    }
    out = std::move(picture);
    return Error::None;
}

Error WriteHelmets(const GraphicContext& env, int, Variant variant, const PackedBitmap& image) {
    return ExportHelmetParts(env.gameFolder, variant, HelmetPart::Both, image, env.progress);
}

Error ReadPitBoxes(const GraphicContext& env, int, Variant variant, PackedBitmap& out) {
    return ReadGameJam(env.gameFolder, kPitBoxJam, variant, kPitBoxHeight, kPitBoxStrips, out);
}

Error WritePitBoxes(const GraphicContext& env, int, Variant variant, const PackedBitmap& image) {
    return PatchGameJam(env.gameFolder, image, kPitBoxJam, variant, kPitBoxHeight, kPitBoxStrips, env.progress);
}

// Both halves, over the sheet an empty slot shows.
template <GraphicKind kKind>
Error ReadTyreSheet(const GraphicContext& env, int slot, Variant variant, PackedBitmap& out) {
    const TyreSheet sheet = TyreSheetOf(kKind, variant);
    PackedBitmap picture = EmptyTyreSheet(sheet, slot);
    if (Error error = ReadTyreHalves(env.gameFolder, sheet, slot, SheetHalves::Both, picture); !Ok(error)) {
        return error;
    }
    out = std::move(picture);
    return Error::None;
}

template <GraphicKind kKind>
Error WriteTyreSheet(const GraphicContext& env, int slot, Variant variant, const PackedBitmap& image) {
    return WriteTyreHalves(env.gameFolder, TyreSheetOf(kKind, variant), slot, SheetHalves::Both, image, env.progress);
}

// The archive is expanded (once) before a team's pictures are read or written in place.
Error ReadArtwork(const GraphicContext& env, int slot, Variant, PackedBitmap& out) {
    const auto archive = GameFolder(env.gameFolder).artArchive();
    if (Error error = CheckAndExpandArtArchive(archive); !Ok(error)) {
        return error;
    }
    return ImportTeamArt(archive, slot, out);
}

Error WriteArtwork(const GraphicContext& env, int slot, Variant, const PackedBitmap& image) {
    const auto archive = GameFolder(env.gameFolder).artArchive();
    if (Error error = CheckAndExpandArtArchive(archive); !Ok(error)) {
        return error;
    }
    const TeamArtSheet sheet{slot, &image};
    return ExportTeamArts(archive, {&sheet, 1});
}

using GameReader = Error (*)(const GraphicContext&, int slot, Variant, PackedBitmap&);
using GameWriter = Error (*)(const GraphicContext&, int slot, Variant, const PackedBitmap&);

struct KindInGame {
    GameReader read;
    GameWriter write;
};

// In the order of GraphicKind.
constexpr std::array<KindInGame, 8> kKindsInGame = {{
    {ReadLivery, WriteLivery},
    {ReadCockpit, WriteCockpit},
    {ReadPitCrew, WritePitCrew},
    {ReadHelmets, WriteHelmets},
    {ReadTyreSheet<GraphicKind::Tyre>, WriteTyreSheet<GraphicKind::Tyre>},
    {ReadTyreSheet<GraphicKind::Tread>, WriteTyreSheet<GraphicKind::Tread>},
    {ReadPitBoxes, WritePitBoxes},
    {ReadArtwork, WriteArtwork},
}};

class InstalledGame final : public GameGraphicAccess {
  public:
    Error read(const GraphicContext& context, GraphicKind kind, int slot, Variant variant,
               PackedBitmap& out) const override {
        return kKindsInGame[static_cast<std::size_t>(kind)].read(context, slot, variant, out);
    }
    Error write(const GraphicContext& context, GraphicKind kind, int slot, Variant variant,
                const PackedBitmap& image) const override {
        return kKindsInGame[static_cast<std::size_t>(kind)].write(context, slot, variant, image);
    }
};

} // namespace

const GameGraphicAccess& InstalledGameGraphics() {
    static const InstalledGame game;
    return game;
}

} // namespace tavolex
