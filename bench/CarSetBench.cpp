// Saving and loading a full car set (every slot of every kind filled with
// photographic content), each next to plain file I/O of the same bytes.

#include <filesystem>
#include <fstream>

#include <benchmark/benchmark.h>

#include "FullCarSet.h"
#include "document/CarSetFile.h"

namespace tavolex::bench {
namespace {
namespace fs = std::filesystem;

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
    const FullCarSet* full = TimeLoadAndFetchEverySlot(state);
    if (full == nullptr) {
        return;
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * full->savedSize));
}
BENCHMARK(LoadAndFetchAll)->Name("CarSetLoad/LoadAndFetchAll")->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tavolex::bench
