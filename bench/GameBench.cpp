// The menu art archive: expanding the sample archive and importing all eleven
// teams' sheets, next to copying the archive's bytes.

#include <cstring>
#include <vector>

#include <benchmark/benchmark.h>

#include "game/MenuArtArchive.h"
#include "sample/SampleArt.h"

namespace tavolex::bench {
namespace {

const std::vector<std::uint8_t>& Archive() {
    static const std::vector<std::uint8_t> archive = BuildSampleArtArchive();
    return archive;
}

void ArtBaseline(benchmark::State& state) {
    const auto& archive = Archive();
    std::vector<std::uint8_t> copy(archive.size());
    for (auto _ : state) {
        std::memcpy(copy.data(), archive.data(), archive.size());
        benchmark::DoNotOptimize(copy.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * archive.size()));
}
BENCHMARK(ArtBaseline)->Name("MenuArt/baseline")->Unit(benchmark::kMillisecond);

void Expand(benchmark::State& state) {
    std::vector<std::uint8_t> expanded;
    bool changed = false;
    for (auto _ : state) {
        if (!Ok(ExpandArtArchive(Archive(), expanded, changed))) {
            state.SkipWithError("expansion failed");
        }
        benchmark::DoNotOptimize(expanded.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * Archive().size()));
}
BENCHMARK(Expand)->Name("MenuArt/ExpandArtArchive")->Unit(benchmark::kMillisecond);

void ImportAllTeams(benchmark::State& state) {
    std::vector<std::uint8_t> expanded;
    bool changed = false;
    if (!Ok(ExpandArtArchive(Archive(), expanded, changed))) {
        state.SkipWithError("expansion failed");
        return;
    }
    for (auto _ : state) {
        for (int team = 0; team < 11; ++team) {
            PackedBitmap sheet;
            if (!Ok(ImportTeamArt(expanded, team, sheet))) {
                state.SkipWithError("import failed");
            }
            benchmark::DoNotOptimize(sheet.pixels());
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * Archive().size()));
}
BENCHMARK(ImportAllTeams)->Name("MenuArt/ImportAllTeams")->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tavolex::bench
