#include "document/LazyGraphics.h"

#include "document/CarSetFormat.h"
#include "document/PictureRecords.h"
#include "formats/BitmapFile.h"
#include "formats/PictureFile.h"

namespace tavolex {
namespace {

void Report(MessageSink* messages, TextId text) {
    if (messages != nullptr) {
        messages->showError(text);
    }
}

// The partner's cached pixels came from the old content: they must be made again.
void InvalidateGeneratedPartner(CarSet& carSet, GraphicKind kind, int slot, Variant variant) {
    if (GraphicSlot* partner = SlotOf(carSet, kind, slot, OtherVariant(variant));
        partner != nullptr && partner->source == GraphicSource::Generated) {
        partner->path.clear();
    }
}

// A file (or generated cache) that failed: fall back to the car set file when
// the car set has one, else empty.
void RepairFileSource(CarSet& carSet, GraphicSlot& target, GraphicKind kind, int slot, Variant variant) {
    target.source = carSet.formatVersion != 0 ? GraphicSource::CarSet : GraphicSource::None;
    target.path.clear();
    InvalidateGeneratedPartner(carSet, kind, slot, variant);
}

} // namespace

GraphicSlot* SlotOf(CarSet& carSet, GraphicKind kind, int slot, Variant variant) {
    const auto v = static_cast<std::size_t>(VariantIndex(variant));
    const bool team = slot >= 0 && slot < kTeamCount;
    const bool tyre = slot >= 0 && slot < kTyreTypeCount;
    switch (kind) {
    case GraphicKind::CarLivery: return team ? &carSet.teams[slot].livery[v] : nullptr;
    case GraphicKind::Cockpit: return team ? &carSet.teams[slot].cockpit[v] : nullptr;
    case GraphicKind::PitCrew: return team ? &carSet.teams[slot].pitCrew[v] : nullptr;
    case GraphicKind::MenuArtwork: return team && variant == Variant::Hardware ? &carSet.teams[slot].artwork : nullptr;
    case GraphicKind::Tyre: return tyre ? &carSet.tyres[slot].tyre[v] : nullptr;
    case GraphicKind::Tread: return tyre && variant == Variant::Hardware ? &carSet.tyres[slot].tread : nullptr;
    case GraphicKind::PitBoxes: return slot == 0 ? &carSet.pitBoxes[v].slot : nullptr;
    case GraphicKind::Helmets: return nullptr;
    }
    return nullptr;
}

const GraphicSlot* SlotOf(const CarSet& carSet, GraphicKind kind, int slot, Variant variant) {
    return SlotOf(const_cast<CarSet&>(carSet), kind, slot, variant);
}

GraphicSource SourceOf(const CarSet& carSet, GraphicKind kind, int slot, Variant variant) {
    if (kind == GraphicKind::Helmets) {
        return slot == 0 && carSet.helmetFlags[static_cast<std::size_t>(VariantIndex(variant))] != 0
                   ? GraphicSource::CarSet
                   : GraphicSource::None;
    }
    const GraphicSlot* target = SlotOf(carSet, kind, slot, variant);
    return target != nullptr ? target->source : GraphicSource::None;
}

void StoreHeldPicture(CarSet& carSet, GraphicKind kind, Variant variant, PackedBitmap image) {
    if (kind == GraphicKind::Helmets) {
        const auto v = static_cast<std::size_t>(VariantIndex(variant));
        carSet.helmetImages[v] = std::move(image);
        carSet.helmetFlags[v] = 1;
    }
}

Error GenerateVariant(CarSet& carSet, const GraphicContext& environment, GraphicKind kind, int slot, Variant target,
                      PackedBitmap* image, const PackedBitmap* shown) {
    GraphicSlot* goal = SlotOf(carSet, kind, slot, target);
    const GraphicSlot* origin = SlotOf(carSet, kind, slot, OtherVariant(target));
    const auto& generate = DeclarationOf(kind).generate;
    if (goal == nullptr || origin == nullptr || !generate) {
        return Error::ConversionFailed;
    }
    // A generated picture is never the origin of another.
    if (origin->source == GraphicSource::None || origin->source == GraphicSource::Generated) {
        return Error::NothingToGenerateFrom;
    }
    PackedBitmap fetched;
    if (shown == nullptr) {
        if (!Ok(FetchGraphic(carSet, environment, kind, slot, OtherVariant(target), fetched, false, nullptr))) {
            return Error::SourceUnreadable;
        }
        shown = &fetched;
    }
    const PackedBitmap& source = *shown;
    PackedBitmap result;
    if (Error error = generate(environment, target, source, result); !Ok(error)) {
        return error;
    }
    const auto cache = UnusedTemporaryGraphicPath(environment.temporaryFolder, kind, slot, target);
    if (cache.empty()) {
        return Error::ConversionFailed;
    }
    if (Error error = SaveBitmapFile(cache, result); !Ok(error)) {
        return error;
    }
    goal->source = GraphicSource::Generated;
    goal->path = cache.string();
    if (image != nullptr) {
        *image = std::move(result);
    }
    return Error::None;
}

Error FetchGraphic(CarSet& carSet, const GraphicContext& environment, GraphicKind kind, int slot, Variant variant,
                   PackedBitmap& image, bool repair, MessageSink* messages) {
    if (kind == GraphicKind::Helmets) {
        // Held in memory: there is nothing to fetch or repair.
        if (SourceOf(carSet, kind, slot, variant) == GraphicSource::None) {
            image.clear();
        } else {
            image = carSet.helmetImages[static_cast<std::size_t>(VariantIndex(variant))];
        }
        return slot == 0 ? Error::None : Error::NoPicture;
    }
    GraphicSlot* target = SlotOf(carSet, kind, slot, variant);
    if (target == nullptr) {
        return Error::NoPicture;
    }
    const GraphicKindInfo& info = KindInfo(kind);
    const int v = VariantIndex(variant);
    Error last = Error::ReadFailed;
    // Every repair moves the source closer to empty, so this ends in a few rounds.
    for (int round = 0; round < 8; ++round) {
        switch (target->source) {
        case GraphicSource::None: image.clear(); return Error::None;
        case GraphicSource::File:
        case GraphicSource::Generated: {
            // A generated slot without its cache is made afresh from the other variant.
            last = target->source == GraphicSource::Generated && target->path.empty()
                       ? GenerateVariant(carSet, environment, kind, slot, variant, &image)
                   : target->source == GraphicSource::File
                       ? LoadGraphicFile(kind, variant, target->path, image)
                       : LoadPictureFile(target->path, image, info.width[v], info.height[v], SheetDepth(kind, variant));
            if (Ok(last)) {
                return Error::None;
            }
            Report(messages, TextId::CouldntLoadBitmap);
            if (!repair) {
                return last;
            }
            RepairFileSource(carSet, *target, kind, slot, variant);
            break;
        }
        case GraphicSource::Game: {
            const GraphicKindDeclaration& declaration = DeclarationOf(kind);
            last = declaration.readFromGame ? declaration.readFromGame(environment, slot, variant, image)
                                            : Error::OpenFailed;
            if (Ok(last)) {
                return Error::None;
            }
            Report(messages, GameReadFailure(kind, variant));
            if (!repair) {
                return last;
            }
            RepairFileSource(carSet, *target, kind, slot, variant);
            break;
        }
        case GraphicSource::CarSet:
            last = ReadPicture(carSet.path, carSet.formatVersion, SectionOf(kind), slot, variant, image);
            if (Ok(last)) {
                return Error::None;
            }
            Report(messages, TextId::FailedToReadCarSet);
            if (!repair) {
                return last;
            }
            target->source = GraphicSource::None;
            target->path.clear();
            if (GraphicSlot* partner = SlotOf(carSet, kind, slot, OtherVariant(variant));
                partner != nullptr && partner->source == GraphicSource::Generated) {
                partner->source = GraphicSource::None;
                partner->path.clear();
            }
            break;
        default: return last;
        }
    }
    return last;
}

void SetSlotFromFile(CarSet& carSet, GraphicKind kind, int slot, Variant variant, const std::filesystem::path& path) {
    if (GraphicSlot* target = SlotOf(carSet, kind, slot, variant)) {
        *target = GraphicSlot{GraphicSource::File, path.string()};
        InvalidateGeneratedPartner(carSet, kind, slot, variant);
    }
}

void SetSlotFromGame(CarSet& carSet, GraphicKind kind, int slot, Variant variant) {
    if (GraphicSlot* target = SlotOf(carSet, kind, slot, variant)) {
        *target = GraphicSlot{GraphicSource::Game, {}};
        InvalidateGeneratedPartner(carSet, kind, slot, variant);
    }
}

void RemoveSlot(CarSet& carSet, GraphicKind kind, int slot, Variant variant) {
    if (kind == GraphicKind::Helmets) {
        const auto v = static_cast<std::size_t>(VariantIndex(variant));
        carSet.helmetFlags[v] = 0;
        carSet.helmetImages[v].clear();
        return;
    }
    if (GraphicSlot* target = SlotOf(carSet, kind, slot, variant)) {
        *target = GraphicSlot{};
        // A picture generated from the removed one goes with it.
        if (GraphicSlot* partner = SlotOf(carSet, kind, slot, OtherVariant(variant));
            partner != nullptr && partner->source == GraphicSource::Generated) {
            *partner = GraphicSlot{};
        }
    }
}

void SetSlotGenerated(CarSet& carSet, GraphicKind kind, int slot, Variant variant) {
    if (GraphicSlot* target = SlotOf(carSet, kind, slot, variant)) {
        *target = GraphicSlot{GraphicSource::Generated, {}};
    }
}

void MarkSlotsSaved(CarSet& carSet) {
    auto stored = [](GraphicSlot& slot, bool keepGenerated) {
        if (slot.source == GraphicSource::None || (keepGenerated && slot.source == GraphicSource::Generated)) {
            return;
        }
        slot = GraphicSlot{GraphicSource::CarSet, {}};
    };
    for (TeamRecord& team : carSet.teams) {
        for (auto* pair : {&team.livery, &team.cockpit, &team.pitCrew}) {
            for (GraphicSlot& slot : *pair) stored(slot, true);
        }
        stored(team.artwork, true);
    }
    // Tyres and treads are never generated: any picture of theirs is now stored.
    for (TyreRecord& tyre : carSet.tyres) {
        for (GraphicSlot& slot : tyre.tyre) stored(slot, false);
        stored(tyre.tread, false);
    }
    for (PitBoxRecord& box : carSet.pitBoxes) stored(box.slot, true);
}

} // namespace tavolex
