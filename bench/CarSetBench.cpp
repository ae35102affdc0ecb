// Saving and loading a full car set (every slot of every kind filled with
// photographic content), each next to plain file I/O of the same bytes.

#include <filesystem>
#include <algorithm>
#include <fstream>
#include <random>

#include <benchmark/benchmark.h>

#include "document/CarSetFile.h"
#include "document/GraphicDeclarations.h"
#include "document/LazyGraphics.h"

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

// The car set, the picture files its slots come from and the saved car set,
// made once. A step that fails leaves `failure` set, and every benchmark that
// needs them is skipped with it: figures from half a car set would mislead.
struct FullCarSet {
    fs::path folder = fs::temp_directory_path() / "tavolex-bench-carset";
    GraphicEnvironment environment;
    CarSet carSet;
    std::vector<std::tuple<GraphicKind, int, Variant, fs::path>> files;
    fs::path saved = folder / "size.gp3";
    std::size_t savedSize = 0;
    std::string failure;

    FullCarSet() {
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
                    const Depth depth = variant == Variant::Hardware ? Depth::Bits24 : Depth::Bits8;
                    const fs::path path = folder / (std::to_string(seed) + ".bmp");
                    // Each kind's own file form (the art sheet is wider than the art).
                    const Error error = SaveGraphicFile(kind, path, Photo(info.width[v], info.height[v], depth, seed++));
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
        savedSize = static_cast<std::size_t>(fs::file_size(saved));
    }

    void useFiles() {
        for (const auto& [kind, slot, variant, path] : files) {
            SetSlotFromFile(carSet, kind, slot, variant, path);
        }
    }
};

FullCarSet& Full() {
    static FullCarSet full;
    return full;
}

// The car set, or null with the benchmark skipped when it could not be made.
FullCarSet* ReadyOrSkip(benchmark::State& state) {
    FullCarSet& full = Full();
    if (!full.failure.empty()) {
        state.SkipWithError(full.failure.c_str());
        return nullptr;
    }
    return &full;
}

void SaveBaseline(benchmark::State& state) {
    const FullCarSet* full = ReadyOrSkip(state);
    if (full == nullptr) {
        return;
    }
    const std::vector<char> bytes(full->savedSize, 'x');
    const fs::path path = full->folder / "plain.bin";
    for (auto _ : state) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(SaveBaseline)->Name("CarSetSave/baseline")->Unit(benchmark::kMillisecond);

void SaveFull(benchmark::State& state) {
    FullCarSet* ready = ReadyOrSkip(state);
    if (ready == nullptr) {
        return;
    }
    FullCarSet& full = *ready;
    const fs::path path = full.folder / "full.gp3";
    for (auto _ : state) {
        state.PauseTiming();
        full.useFiles();
        state.ResumeTiming();
        if (!Ok(SaveCarSet(full.carSet, path, full.environment))) {
            state.SkipWithError("save failed");
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * full.savedSize));
}
BENCHMARK(SaveFull)->Name("CarSetSave/SaveCarSet")->Unit(benchmark::kMillisecond);

void LoadBaseline(benchmark::State& state) {
    const FullCarSet* full = ReadyOrSkip(state);
    if (full == nullptr) {
        return;
    }
    std::vector<char> bytes(full->savedSize);
    for (auto _ : state) {
        std::ifstream in(full->saved, std::ios::binary);
        in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(LoadBaseline)->Name("CarSetLoad/baseline")->Unit(benchmark::kMillisecond);

void LoadAndFetchAll(benchmark::State& state) {
    const FullCarSet* ready = ReadyOrSkip(state);
    if (ready == nullptr) {
        return;
    }
    const FullCarSet& full = *ready;
    for (auto _ : state) {
        CarSet carSet;
        NewCarSet(carSet);
        if (LoadCarSet(carSet, full.saved) != CarSetLoadError::None) {
            state.SkipWithError("load failed");
        }
        for (const auto& [kind, slot, variant, file] : full.files) {
            PackedBitmap image;
            if (!FetchGraphic(carSet, full.environment, kind, slot, variant, image, false, nullptr)) {
                state.SkipWithError("fetch failed");
            }
            benchmark::DoNotOptimize(image.pixels());
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * full.savedSize));
}
BENCHMARK(LoadAndFetchAll)->Name("CarSetLoad/LoadAndFetchAll")->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tavolex::bench
