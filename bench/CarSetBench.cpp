// Saving and loading a full car set (every slot of every kind filled with
// photographic content), each next to plain file I/O of the same bytes.

#include <filesystem>
#include <fstream>

#include <benchmark/benchmark.h>

#include "document/CarSetFile.h"
#include "document/LazyGraphics.h"
#include "FullCarSet.h"

namespace tavolex::bench {
namespace {
namespace fs = std::filesystem;

std::size_t SavedSize() {
    static const std::size_t size = static_cast<std::size_t>(fs::file_size(FullCarSetFile()));
    return size;
}

void SaveBaseline(benchmark::State& state) {
    const std::vector<char> bytes(SavedSize(), 'x');
    const fs::path path = Full().folder / "plain.bin";
    for (auto _ : state) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(SaveBaseline)->Name("CarSetSave/baseline")->Unit(benchmark::kMillisecond);

void SaveFull(benchmark::State& state) {
    FullCarSet& full = Full();
    const fs::path path = full.folder / "full.gp3";
    for (auto _ : state) {
        state.PauseTiming();
        full.useFiles();
        state.ResumeTiming();
        if (!Ok(SaveCarSet(full.carSet, path, full.environment))) {
            state.SkipWithError("save failed");
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * SavedSize()));
}
BENCHMARK(SaveFull)->Name("CarSetSave/SaveCarSet")->Unit(benchmark::kMillisecond);

void LoadBaseline(benchmark::State& state) {
    const fs::path& path = FullCarSetFile();
    std::vector<char> bytes(SavedSize());
    for (auto _ : state) {
        std::ifstream in(path, std::ios::binary);
        in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(LoadBaseline)->Name("CarSetLoad/baseline")->Unit(benchmark::kMillisecond);

void LoadAndFetchAll(benchmark::State& state) {
    (void)SavedSize();
    for (auto _ : state) {
        if (!LoadAndFetchEverySlot()) {
            state.SkipWithError("load or fetch failed");
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * SavedSize()));
}
BENCHMARK(LoadAndFetchAll)->Name("CarSetLoad/LoadAndFetchAll")->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tavolex::bench
