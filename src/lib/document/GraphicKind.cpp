#include "document/GraphicKind.h"

#include <cstdio>
#include <string>

namespace tavolex {
namespace {

constexpr std::array<GraphicKindInfo, 8> kKinds = {{
    {GraphicKind::CarLivery, 11, true, true, {256, 256}, {384, 384}, true, "Car%.2d%d.tmp", 2},
    {GraphicKind::Cockpit, 11, true, true, {256, 256}, {64, 256}, true, "Cpit%.2d%d.tmp", 2},
    {GraphicKind::PitCrew, 11, true, true, {172, 172}, {508, 508}, true, "Pjack%.2d%d.tmp", 2},
    {GraphicKind::Helmets, 1, true, true, {256, 256}, {330, 330}, false, "", 0},
    {GraphicKind::Tyre, 2, true, true, {256, 512}, {512, 960}, true, "Tyres%d%d.tmp", 2},
    {GraphicKind::Tread, 2, false, true, {256, 256}, {400, 400}, true, "Tread%d%d.tmp", 2},
    {GraphicKind::PitBoxes, 1, true, true, {256, 256}, {176, 176}, true, "pitbox%.2d.tmp", 1},
    {GraphicKind::MenuArtwork, 11, false, true, {948, 948}, {650, 650}, true, "", 0},
}};

} // namespace

const GraphicKindInfo& KindInfo(GraphicKind kind) { return kKinds[static_cast<std::size_t>(kind)]; }

std::string_view KindNoun(GraphicKind kind) {
    constexpr std::array<std::string_view, 8> kNouns = {"livery", "cockpit", "pit crew",  "helmets",
                                                        "tyres",  "tread",   "pit boxes", "artwork"};
    return kNouns[static_cast<std::size_t>(kind)];
}

int SheetWidth(GraphicKind kind, Variant variant) {
    return KindInfo(kind).width[static_cast<std::size_t>(VariantIndex(variant))];
}

int SheetHeight(GraphicKind kind, Variant variant) {
    return KindInfo(kind).height[static_cast<std::size_t>(VariantIndex(variant))];
}

Depth SheetDepth(GraphicKind kind, Variant variant) {
    const bool colourOnly = kind == GraphicKind::Tread || kind == GraphicKind::MenuArtwork;
    return colourOnly || variant == Variant::Hardware ? Depth::Bits24 : Depth::Bits8;
}

std::filesystem::path TemporaryGraphicPath(const std::filesystem::path& temporaryFolder, GraphicKind kind, int slot,
                                           Variant variant) {
    const GraphicKindInfo& info = KindInfo(kind);
    if (info.temporaryPattern.empty()) {
        return {};
    }
    const std::string pattern(info.temporaryPattern);
    char name[64];
    if (info.patternArguments == 1) {
        std::snprintf(name, sizeof name, pattern.c_str(), VariantIndex(variant));
    } else {
        std::snprintf(name, sizeof name, pattern.c_str(), slot, VariantIndex(variant));
    }
    return temporaryFolder / name;
}

std::filesystem::path UnusedTemporaryGraphicPath(const std::filesystem::path& temporaryFolder, GraphicKind kind,
                                                 int slot, Variant variant) {
    std::filesystem::path first = TemporaryGraphicPath(temporaryFolder, kind, slot, variant);
    std::error_code ignored;
    if (first.empty() || !std::filesystem::exists(first, ignored)) {
        return first;
    }
    for (int number = 2;; ++number) {
        std::filesystem::path next = first;
        next.replace_filename(first.stem().string() + "-" + std::to_string(number) + first.extension().string());
        if (!std::filesystem::exists(next, ignored)) {
            return next;
        }
    }
}

} // namespace tavolex
