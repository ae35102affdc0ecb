#pragma once

#include <array>
#include <filesystem>
#include <string_view>

#include "core/Variant.h"
#include "formats/PackedBitmap.h"

// The kinds of graphic a car set holds, described as data: how many slots,
// which variants, their sizes, and the temporary file that caches a picture.

namespace tavolex {

enum class GraphicKind { CarLivery, Cockpit, PitCrew, Helmets, Tyre, Tread, PitBoxes, MenuArtwork };

struct GraphicKindInfo {
    GraphicKind kind;
    int slotCount;
    bool hasSoftware;
    bool hasHardware;
    std::array<int, 2> width;  // software, hardware
    std::array<int, 2> height; // software, hardware
    bool heldLazily;
    // printf pattern of the temporary file name inside the temporary folder,
    // filled with the slot (or a derived index) and the variant; empty when none.
    std::string_view temporaryPattern;
    int patternArguments; // 1: the variant only, 2: slot and variant
};

const GraphicKindInfo& KindInfo(GraphicKind kind);

// What a user calls a picture of the kind, for naming changes: "livery", "cockpit", ...
std::string_view KindNoun(GraphicKind kind);

// A picture's size and depth for a slot of a kind in a variant. Treads and
// menu artwork are colour pictures only.
int SheetWidth(GraphicKind kind, Variant variant);
int SheetHeight(GraphicKind kind, Variant variant);
Depth SheetDepth(GraphicKind kind, Variant variant);

// Liveries converted from a user's JAM file are cached under slot + 11, so
// they never share a name with generated ones.
constexpr int kConvertedLiverySlotOffset = 11;

// The temporary file of a slot of a kind; empty for kinds that have none.
std::filesystem::path TemporaryGraphicPath(const std::filesystem::path& temporaryFolder, GraphicKind kind, int slot,
                                           Variant variant);

// The same name when no file has it yet, else the name with "-2", "-3", ...
// before its extension: a temporary picture is never written over, since an
// earlier state of the car set (for undo) may still refer to it.
std::filesystem::path UnusedTemporaryGraphicPath(const std::filesystem::path& temporaryFolder, GraphicKind kind,
                                                 int slot, Variant variant);

} // namespace tavolex
