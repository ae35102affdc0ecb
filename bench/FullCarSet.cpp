#include "FullCarSet.h"

#include <algorithm>
#include <random>

#include "document/CarSetFile.h"
#include "document/LazyGraphics.h"

#include <benchmark/benchmark.h>

namespace tavolex::bench {
namespace {
namespace fs = std::filesystem;

PackedBitmap Photo(int width, int height, Depth depth, unsigned seed) {
    PackedBitmap image(width, height, depth);
    std::mt19937 random(seed);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = image.topRow(y);
        const int channels = depth == Depth::Bits24 ? 3 : 1;
        for (int x = 0; x < width * channels; ++x) {
            const int base = depth == Depth::Bits24 ? (x * 3 + y * 2 + static_cast<int>(seed) * 17) % 256
                                                    : 16 + ((x / 3 + y / 5) % 200);
            row[x] = static_cast<std::uint8_t>(std::clamp(base + static_cast<int>(random() % 9) - 4, 0, 255));
        }
    }
    return image;
}

} // namespace

FullCarSet::FullCarSet() {
    fs::create_directories(folder);
    environment.temporaryFolder = folder;
    NewCarSet(carSet);
    unsigned seed = 1;
    for (GraphicKind kind : {GraphicKind::CarLivery, GraphicKind::Cockpit, GraphicKind::PitCrew, GraphicKind::Tyre,
                             GraphicKind::Tread, GraphicKind::PitBoxes, GraphicKind::MenuArtwork}) {
        const GraphicKindInfo& info = KindInfo(kind);
        for (int slot = 0; slot < info.slotCount; ++slot) {
            for (Variant variant : {Variant::Software, Variant::Hardware}) {
                if (SlotOf(carSet, kind, slot, variant) == nullptr) {
                    continue;
                }
                const int v = VariantIndex(variant);
                const fs::path path = folder / (std::to_string(seed) + ".bmp");
                // Each kind's own file form (the art sheet is a 1024-wide bitmap).
                (void)SaveGraphicFile(kind, path,
                                      Photo(info.width[v], info.height[v], SheetDepth(kind, variant), seed++));
                files.emplace_back(kind, slot, variant, path);
            }
        }
    }
    carSet.helmetImages = {Photo(256, 330, Depth::Bits8, 900), Photo(256, 330, Depth::Bits24, 901)};
    carSet.helmetFlags = {1, 1};
    useFiles();
}

void FullCarSet::useFiles() {
    for (const auto& [kind, slot, variant, path] : files) {
        SetSlotFromFile(carSet, kind, slot, variant, path);
    }
}

FullCarSet& Full() {
    static FullCarSet full;
    return full;
}

const fs::path& FullCarSetFile() {
    static const fs::path path = [] {
        FullCarSet& full = Full();
        full.useFiles();
        fs::path file = full.folder / "size.gp3";
        (void)SaveCarSet(full.carSet, file, full.environment);
        return file;
    }();
    return path;
}

bool LoadAndFetchEverySlot() {
    FullCarSet& full = Full();
    CarSet carSet;
    NewCarSet(carSet);
    if (LoadCarSet(carSet, FullCarSetFile()) != CarSetLoadError::None) {
        return false;
    }
    bool fetched = true;
    for (const auto& [kind, slot, variant, file] : full.files) {
        PackedBitmap image;
        fetched = FetchGraphic(carSet, full.environment, kind, slot, variant, image, false, nullptr) && fetched;
        benchmark::DoNotOptimize(image.pixels());
    }
    return fetched;
}

} // namespace tavolex::bench
