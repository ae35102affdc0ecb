#pragma once

#include <filesystem>

#include "core/Texts.h"
#include "document/CarSet.h"
#include "document/GraphicDeclarations.h"

// The lazily held graphics of the car set: every slot keeps a source and a
// path, and its pixels are fetched when needed. These are the rules every
// kind shares: where to fetch from, how a failing source is repaired, and how
// the two variants of a slot stay consistent when one changes.

namespace tavolex {

// Where fetch failures are reported; the editor shows them as message boxes.
class MessageSink {
  public:
    virtual ~MessageSink() = default;
    virtual void showError(TextId text) = 0;
};

// The slot of a kind, or null where the kind has no such slot or variant
// (helmets are held in memory; treads and artwork have only the hardware variant).
GraphicSlot* SlotOf(CarSet& carSet, GraphicKind kind, int slot, Variant variant);
const GraphicSlot* SlotOf(const CarSet& carSet, GraphicKind kind, int slot, Variant variant);

// Where a slot's picture is: its source, or for the helmets (held in memory)
// SourceCarSet while the variant's picture is present.
GraphicSource SourceOf(const CarSet& carSet, GraphicKind kind, int slot, Variant variant);

// Makes `image` the held picture of a memory-held kind (the helmets): present from now on.
void StoreHeldPicture(CarSet& carSet, GraphicKind kind, Variant variant, PackedBitmap image);

// Fills `image` from the slot's source. A slot without a picture succeeds and
// leaves `image` empty. With `repair`, a failing source is replaced (file ->
// car set file or empty, car set file -> empty) and the fetch tried again, so
// the slot always ends fetchable; without it a failure changes nothing.
// `messages` may be null: then nothing is reported. The result is why the
// last source tried failed.
[[nodiscard]] Error FetchGraphic(CarSet& carSet, const GraphicContext& environment, GraphicKind kind, int slot,
                                 Variant variant, PackedBitmap& image, bool repair, MessageSink* messages);

// Makes `target` from the other variant, caches it in the kind's temporary
// file and marks the slot generated. The other variant must hold a picture
// that is not itself generated; `source`, when given, is that picture as the
// page shows it, so it is not fetched again. A failure changes nothing.
[[nodiscard]] Error GenerateVariant(CarSet& carSet, const GraphicContext& environment, GraphicKind kind, int slot,
                                    Variant target, PackedBitmap* image = nullptr,
                                    const PackedBitmap* source = nullptr);

// What a page does to a slot; each keeps the slot's other variant consistent.
void SetSlotFromFile(CarSet& carSet, GraphicKind kind, int slot, Variant variant, const std::filesystem::path& path);
void SetSlotFromGame(CarSet& carSet, GraphicKind kind, int slot, Variant variant);
void RemoveSlot(CarSet& carSet, GraphicKind kind, int slot, Variant variant);
// Marks a slot to be generated from its other variant on its next fetch.
void SetSlotGenerated(CarSet& carSet, GraphicKind kind, int slot, Variant variant);

// The sources after a successful save: stored pictures now live in the car set file.
void MarkSlotsSaved(CarSet& carSet);

} // namespace tavolex
