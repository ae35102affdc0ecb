#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include <benchmark/benchmark.h>

#include "document/CarSet.h"
#include "document/GraphicDeclarations.h"
#include "game/GraphicEnvironment.h"

namespace tavolex::bench {

// A car set with every slot of every kind filled with photographic content,
// the bitmap files its slots come from and the car set saved once, made once
// per run. A step that fails leaves `failure` set, and every benchmark that
// needs them is skipped with it: figures from half a car set would mislead.
struct FullCarSet {
    std::filesystem::path folder = std::filesystem::temp_directory_path() / "tavolex-bench-carset";
    GraphicEnvironment environment;
    CarSet carSet;
    std::vector<std::tuple<GraphicKind, int, Variant, std::filesystem::path>> files;
    std::filesystem::path saved = folder / "size.gp3";
    std::size_t savedSize = 0;
    std::string failure;

    FullCarSet();
    // Points every slot at its file again (a save makes them the car set file's).
    void useFiles();
};

FullCarSet& Full();

// The full car set, or null with the benchmark skipped when it could not be made.
FullCarSet* ReadyOrSkip(benchmark::State& state);

// Opens the saved file and fetches every picture of it, as a user who looks at
// every page would; false when any step fails.
[[nodiscard]] bool LoadAndFetchEverySlot(const FullCarSet& full);

// The benchmark loop of LoadAndFetchEverySlot; the full car set, or null when skipped.
const FullCarSet* TimeLoadAndFetchEverySlot(benchmark::State& state);

} // namespace tavolex::bench
