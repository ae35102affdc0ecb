// What a graphics page does after a team change: fetch the livery from the
// car set file and make the image the screen shows, next to the fetch alone.

#include <filesystem>

#include <benchmark/benchmark.h>

#include "BenchImages.h"
#include "document/CarSetFile.h"
#include "document/LazyGraphics.h"
#include "editing/DisplayImage.h"
#include "formats/BitmapFile.h"

namespace tavolex::bench {
namespace {
namespace fs = std::filesystem;

// A car set file with a hardware livery for every team, loaded once.
struct SavedLiveries {
    fs::path folder = fs::temp_directory_path() / "tavolex-bench-pages";
    GraphicEnvironment environment;
    CarSet carSet;

    SavedLiveries() {
        fs::create_directories(folder);
        environment.temporaryFolder = folder;
        NewCarSet(carSet);
        (void)SaveBitmapFile(folder / "livery.bmp", PhotoSheet24());
        for (int team = 0; team < kTeamCount; ++team) {
            SetSlotFromFile(carSet, GraphicKind::CarLivery, team, Variant::Hardware, folder / "livery.bmp");
        }
        (void)SaveCarSet(carSet, folder / "liveries.gp3", environment);
        NewCarSet(carSet);
        (void)LoadCarSet(carSet, folder / "liveries.gp3");
    }
};

SavedLiveries& Saved() {
    static SavedLiveries saved;
    return saved;
}

void FetchOnly(benchmark::State& state) {
    SavedLiveries& saved = Saved();
    int team = 0;
    for (auto _ : state) {
        PackedBitmap image;
        if (!FetchGraphic(saved.carSet, saved.environment, GraphicKind::CarLivery, team, Variant::Hardware, image,
                          false, nullptr) || image.empty()) {
            state.SkipWithError("fetch failed");
        }
        benchmark::DoNotOptimize(image.pixels());
        team = (team + 1) % kTeamCount;
    }
}
BENCHMARK(FetchOnly)->Name("LiveryShow/baseline")->Unit(benchmark::kMillisecond);

void FetchAndDisplay(benchmark::State& state) {
    SavedLiveries& saved = Saved();
    DisplayImage display;
    int team = 0;
    for (auto _ : state) {
        PackedBitmap image;
        if (!FetchGraphic(saved.carSet, saved.environment, GraphicKind::CarLivery, team, Variant::Hardware, image,
                          false, nullptr) || image.empty()) {
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
