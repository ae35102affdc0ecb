// What a graphics page does after a team change: fetch the livery from the
// car set file and make the image the screen shows, next to the fetch alone.

#include <filesystem>

#include <benchmark/benchmark.h>

#include "BenchImages.h"
#include "document/CarSetFile.h"
#include "document/LazyGraphics.h"
#include "editing/DisplayImage.h"
#include "formats/BitmapFile.h"
#include "game/GraphicEnvironment.h"

namespace tavolex::bench {
namespace {
namespace fs = std::filesystem;

// A car set file with a hardware livery for every team, loaded once;
// `ready` only when every step succeeded.
struct SavedLiveries {
    fs::path folder = fs::temp_directory_path() / "tavolex-bench-pages";
    GraphicEnvironment environment;
    CarSet carSet;
    bool ready = false;

    SavedLiveries() {
        fs::create_directories(folder);
        environment.temporaryFolder = folder;
        NewCarSet(carSet);
        if (!Ok(SaveBitmapFile(folder / "livery.bmp", PhotoSheet24()))) {
            return;
        }
        for (int team = 0; team < kTeamCount; ++team) {
            SetSlotFromFile(carSet, GraphicKind::CarLivery, team, Variant::Hardware, folder / "livery.bmp");
        }
        if (!Ok(SaveCarSet(carSet, folder / "liveries.gp3", environment))) {
            return;
        }
        NewCarSet(carSet);
        ready = LoadCarSet(carSet, folder / "liveries.gp3") == Error::None;
    }
};

// The saved liveries, or null with the benchmark skipped when they could not be made.
SavedLiveries* ReadyOrSkip(benchmark::State& state) {
    static SavedLiveries saved;
    if (!saved.ready) {
        state.SkipWithError("the car set of liveries could not be made");
        return nullptr;
    }
    return &saved;
}

void FetchOnly(benchmark::State& state) {
    SavedLiveries* ready = ReadyOrSkip(state);
    if (ready == nullptr) {
        return;
    }
    SavedLiveries& saved = *ready;
    int team = 0;
    for (auto _ : state) {
        PackedBitmap image;
        if (!Ok(FetchGraphic(saved.carSet, saved.environment, GraphicKind::CarLivery, team, Variant::Hardware, image,
                             false, nullptr)) ||
            image.empty()) {
            state.SkipWithError("fetch failed");
        }
        benchmark::DoNotOptimize(image.pixels());
        team = (team + 1) % kTeamCount;
    }
}
BENCHMARK(FetchOnly)->Name("LiveryShow/baseline")->Unit(benchmark::kMillisecond);

void FetchAndDisplay(benchmark::State& state) {
    SavedLiveries* ready = ReadyOrSkip(state);
    if (ready == nullptr) {
        return;
    }
    SavedLiveries& saved = *ready;
    DisplayImage display;
    int team = 0;
    for (auto _ : state) {
        PackedBitmap image;
        if (!Ok(FetchGraphic(saved.carSet, saved.environment, GraphicKind::CarLivery, team, Variant::Hardware, image,
                             false, nullptr)) ||
            image.empty()) {
            state.SkipWithError("fetch failed");
        }
        MakeDisplayImage(image, display);
        benchmark::DoNotOptimize(display.pixels.data());
        team = (team + 1) % kTeamCount;
    }
}
BENCHMARK(FetchAndDisplay)->Name("LiveryShow/FetchAndDisplay")->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tavolex::bench
