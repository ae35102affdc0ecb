#include "editing/PitLane.h"

#include "document/GraphicKind.h"

#include <algorithm>
#include <cstring>

#include "document/LazyGraphics.h"
#include "formats/BitmapFile.h"
#include "formats/BitmapOps.h"
#include "formats/PictureFile.h"
#include "game/GameFiles.h"
#include "game/GraphicEnvironment.h"
#include "game/TeamTables.h"

namespace tavolex {
namespace {

// An empty hardware picture starts in the pit wall's grey-green.
constexpr std::uint32_t kBlankHardware = MakeColour(0x3F, 0x67, 0x67);

constexpr int kPitBoxHeight = kPitStripCount * kPitStripRows;

bool HasPicture(const CarSet& carSet, Variant variant) {
    const GraphicSlot* slot = SlotOf(carSet, GraphicKind::PitBoxes, 0, variant);
    return slot != nullptr && slot->source != GraphicSource::None;
}

// A variant with a picture of its own (not one made from the other variant).
bool HasOwnPicture(const CarSet& carSet, Variant variant) {
    return HasPicture(carSet, variant) &&
           SlotOf(carSet, GraphicKind::PitBoxes, 0, variant)->source != GraphicSource::Generated;
}

// A changed picture lives in the variant's temporary file; the slot refers to
// it only once the file is written.
std::filesystem::path WriteTemporaryPicture(const GraphicEnvironment& environment, Variant variant,
                                            const PackedBitmap& picture) {
    auto path = UnusedTemporaryGraphicPath(environment.temporaryFolder, GraphicKind::PitBoxes, 0, variant);
    if (path.empty() || !Ok(SaveBitmapFile(path, picture))) {
        return {};
    }
    return path;
}

Error KeepPicture(CarSet& carSet, const GraphicEnvironment& environment, Variant variant, const PackedBitmap& picture) {
    const auto path = WriteTemporaryPicture(environment, variant, picture);
    if (path.empty()) {
        return Error::WriteFailed;
    }
    SetSlotFromFile(carSet, GraphicKind::PitBoxes, 0, variant, path);
    return Error::None;
}

bool ValidStrip(int strip) { return strip >= 0 && strip < kPitStripCount; }

} // namespace

PitPositions PitPositionsOf(const CarSet& carSet) {
    std::array<TeamRecord, kTeamCount> teams = carSet.teams;
    RepairPitBoxPositions(teams);
    PitPositions positions{};
    for (std::size_t t = 0; t < positions.size(); ++t) positions[t] = teams[t].pitBoxPosition;
    return positions;
}

std::array<int, kTeamCount> PitLaneOrder(const PitPositions& positions) {
    std::array<int, kTeamCount> order{};
    for (int t = 0; t < kTeamCount; ++t) {
        order[static_cast<std::size_t>(positions[static_cast<std::size_t>(t)])] = t;
    }
    return order;
}

PitPositions MovePitLaneItem(const PitPositions& positions, int from, int target) {
    if (from < 0 || from >= kTeamCount || target < 0 || target > kTeamCount || target == from) {
        return positions;
    }
    std::vector<int> order;
    for (int team : PitLaneOrder(positions)) order.push_back(team);
    const int team = order[static_cast<std::size_t>(from)];
    order.erase(order.begin() + from);
    // Below its old place the boundary moved up by the item taken out.
    const int at = target > from ? target - 1 : target;
    order.insert(order.begin() + at, team);
    PitPositions moved{};
    for (int p = 0; p < kTeamCount; ++p) {
        moved[static_cast<std::size_t>(order[static_cast<std::size_t>(p)])] = p;
    }
    return moved;
}

PackedBitmap PitStrip(const PackedBitmap& picture, int strip) {
    if (!ValidStrip(strip) || picture.width() != kPitBoxWidth || picture.height() != kPitBoxHeight) {
        return {};
    }
    PackedBitmap out(kPitBoxWidth, kPitStripRows, picture.depth());
    for (int y = 0; y < kPitStripRows; ++y) {
        std::memcpy(out.topRow(y), picture.topRow(kPitStripRows * strip + y), out.stride());
    }
    return out;
}

Error PlacePitStrip(PackedBitmap& picture, int strip, const PackedBitmap& stripPicture) {
    if (!ValidStrip(strip) || picture.width() != kPitBoxWidth || picture.height() != kPitBoxHeight ||
        !stripPicture.is(kPitBoxWidth, kPitStripRows, picture.depth())) {
        return Error::WrongBitmapSize;
    }
    for (int y = 0; y < kPitStripRows; ++y) {
        std::memcpy(picture.topRow(kPitStripRows * strip + y), stripPicture.topRow(y), picture.stride());
    }
    return Error::None;
}

Error MovePitStrips(const PackedBitmap& picture, const PitPositions& before, const PitPositions& after,
                    PackedBitmap& moved) {
    PackedBitmap result = picture;
    for (std::size_t t = 0; t < before.size(); ++t) {
        if (!Ok(PlacePitStrip(result, PitStripOf(after[t]), PitStrip(picture, PitStripOf(before[t]))))) {
            return Error::WrongBitmapSize;
        }
    }
    moved = std::move(result);
    return Error::None;
}

PackedBitmap BlankPitBoxPicture(Variant variant) {
    PackedBitmap blank;
    FillBitmap(blank, kPitBoxWidth, kPitBoxHeight, kBlankHardware, 0, SheetDepth(GraphicKind::PitBoxes, variant));
    return blank;
}

Error ApplyPitPositions(CarSet& carSet, const GraphicEnvironment& environment, Variant shown,
                        const PitPositions& positions, PackedBitmap& image) {
    const PitPositions before = PitPositionsOf(carSet);
    if (positions == before) {
        return Error::None;
    }
    // Every variant with its own picture keeps each team's sign with the team;
    // a picture made from the other variant is made again from the moved one.
    // Both files are written before either slot refers to them.
    PackedBitmap moved;
    std::filesystem::path shownPath;
    if (HasPicture(carSet, shown)) {
        if (!Ok(MovePitStrips(image, before, positions, moved))) {
            return Error::WrongBitmapSize;
        }
        if ((shownPath = WriteTemporaryPicture(environment, shown, moved)).empty()) {
            return Error::WriteFailed;
        }
    }
    const Variant other = OtherVariant(shown);
    std::filesystem::path otherPath;
    if (HasOwnPicture(carSet, other)) {
        PackedBitmap otherPicture;
        PackedBitmap otherMoved;
        if (Error error =
                FetchGraphic(carSet, environment, GraphicKind::PitBoxes, 0, other, otherPicture, false, nullptr);
            !Ok(error)) {
            return error;
        }
        if (!Ok(MovePitStrips(otherPicture, before, positions, otherMoved))) {
            return Error::WrongBitmapSize;
        }
        if ((otherPath = WriteTemporaryPicture(environment, other, otherMoved)).empty()) {
            return Error::WriteFailed;
        }
    }
    if (!otherPath.empty()) {
        SetSlotFromFile(carSet, GraphicKind::PitBoxes, 0, other, otherPath);
    }
    if (!shownPath.empty()) {
        SetSlotFromFile(carSet, GraphicKind::PitBoxes, 0, shown, shownPath);
        image = std::move(moved);
    }
    for (std::size_t t = 0; t < positions.size(); ++t) {
        carSet.teams[t].pitBoxPosition = static_cast<std::uint16_t>(positions[t]);
    }
    MarkModified(carSet, "Pit lane order");
    return Error::None;
}

Error ImportPitLaneOrder(CarSet& carSet, const GraphicEnvironment& environment, const GameFolder& game, Variant shown,
                         PackedBitmap& image) {
    std::vector<std::uint8_t> exe;
    Teams teams = carSet.teams;
    if (Error error = ReadExecutable(game, exe); !Ok(error)) {
        return error;
    }
    if (!Ok(ReadPitBoxOrder(exe, teams))) {
        return Error::TableOutsideFile;
    }
    PitPositions positions{};
    for (std::size_t t = 0; t < positions.size(); ++t) positions[t] = teams[t].pitBoxPosition;
    return ApplyPitPositions(carSet, environment, shown, positions, image);
}

Error ExportPitLaneOrder(const GameFolder& game, const PitPositions& positions) {
    Teams teams{};
    for (std::size_t t = 0; t < positions.size(); ++t) {
        teams[t].pitBoxPosition = static_cast<std::uint16_t>(positions[t]);
    }
    return PatchExecutable(game, [&](std::vector<std::uint8_t>& exe) { return WritePitBoxOrder(exe, teams); });
}

Error SwapPitStrips(CarSet& carSet, const GraphicEnvironment& environment, Variant shown, int a, int b,
                    PackedBitmap& image) {
    PackedBitmap swapped = image;
    if (!Ok(PlacePitStrip(swapped, a, PitStrip(image, b))) || !Ok(PlacePitStrip(swapped, b, PitStrip(image, a)))) {
        return Error::NoPicture;
    }
    if (Error error = KeepPicture(carSet, environment, shown, swapped); !Ok(error)) {
        return error;
    }
    MarkModified(carSet, "Swap pit box signs");
    image = std::move(swapped);
    return Error::None;
}

Error LoadPitStrip(CarSet& carSet, const GraphicEnvironment& environment, Variant shown, int strip,
                   const std::filesystem::path& path, PackedBitmap& image) {
    PackedBitmap stripPicture;
    PackedBitmap picture = HasPicture(carSet, shown) && !image.empty() ? image : BlankPitBoxPicture(shown);
    if (Error error =
            LoadPictureFile(path, stripPicture, kPitBoxWidth, kPitStripRows, SheetDepth(GraphicKind::PitBoxes, shown));
        !Ok(error)) {
        return error;
    }
    if (!Ok(PlacePitStrip(picture, strip, stripPicture))) {
        return Error::WrongBitmapSize;
    }
    if (Error error = KeepPicture(carSet, environment, shown, picture); !Ok(error)) {
        return error;
    }
    MarkModified(carSet, "Load pit box sign");
    image = std::move(picture);
    return Error::None;
}

Error SavePitStripAs(const PackedBitmap& image, int strip, const std::filesystem::path& path) {
    const PackedBitmap stripPicture = PitStrip(image, strip);
    if (stripPicture.empty()) {
        return Error::NoPicture;
    }
    return SavePictureFile(path, stripPicture);
}

} // namespace tavolex
