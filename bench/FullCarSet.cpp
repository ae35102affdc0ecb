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
                const Error error = SaveGraphicFile(
                    kind, path, Photo(info.width[v], info.height[v], SheetDepth(kind, variant), seed++));
                if (!Ok(error)) {
                    failure = "writing " + path.string() + " failed: " + ErrorText(error);
                    return;
                }
                files.emplace_back(kind, slot, variant, path);
            }
        }
    }
    carSet.helmetImages = {Photo(256, 330, Depth::Bits8, 900), Photo(256, 330, Depth::Bits24, 901)};
    carSet.helmetFlags = {1, 1};
    useFiles();
    if (const Error error = SaveCarSet(carSet, saved, environment); !Ok(error)) {
        failure = std::string("saving the car set failed: ") + ErrorText(error);
        return;
    }
    std::error_code ec;
    savedSize = static_cast<std::size_t>(fs::file_size(saved, ec));
    if (ec) {
        failure = "the saved car set cannot be read back: " + ec.message();
    }
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

FullCarSet* ReadyOrSkip(benchmark::State& state) {
    FullCarSet& full = Full();
    if (!full.failure.empty()) {
        state.SkipWithError(full.failure.c_str());
        return nullptr;
    }
    return &full;
}

bool LoadAndFetchEverySlot(const FullCarSet& full) {
    CarSet carSet;
    NewCarSet(carSet);
    if (LoadCarSet(carSet, full.saved) != Error::None) {
        return false;
    }
    bool fetched = true;
    for (const auto& [kind, slot, variant, file] : full.files) {
        PackedBitmap image;
        fetched = Ok(FetchGraphic(carSet, full.environment, kind, slot, variant, image, false, nullptr)) && fetched;
        benchmark::DoNotOptimize(image.pixels());
    }
    return fetched;
}

const FullCarSet* TimeLoadAndFetchEverySlot(benchmark::State& state) {
    const FullCarSet* full = ReadyOrSkip(state);
    if (full == nullptr) {
        return nullptr;
    }
    for (auto _ : state) {
        if (!LoadAndFetchEverySlot(*full)) {
            state.SkipWithError("load or fetch failed");
        }
    }
    return full;
}

} // namespace tavolex::bench
