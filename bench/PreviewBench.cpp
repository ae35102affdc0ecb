// The preview of a full car set (every slot filled) next to opening the same
// file and fetching every picture of it, which a preview cannot do without.

#include <benchmark/benchmark.h>

#include "FullCarSet.h"
#include "document/CarSetFile.h"
#include "game/GraphicEnvironment.h"
#include "preview/CarSetPreview.h"

namespace tavolex::bench {
namespace {

void PreviewBaseline(benchmark::State& state) { TimeLoadAndFetchEverySlot(state); }
BENCHMARK(PreviewBaseline)->Name("CarSetPreview/baseline")->Unit(benchmark::kMillisecond);

// Opening the file and drawing the preview; with `save` also encoding and writing the PNG.
void Preview(benchmark::State& state, bool save) {
    const FullCarSet* full = ReadyOrSkip(state);
    if (full == nullptr) {
        return;
    }
    const GraphicEnvironment& environment = full->environment;
    const auto target = full->folder / "preview.png";
    for (auto _ : state) {
        CarSet carSet;
        NewCarSet(carSet);
        if (LoadCarSet(carSet, full->saved) != Error::None) {
            state.SkipWithError("load failed");
            break;
        }
        PackedBitmap picture;
        const Error error = save ? SaveCarSetPreview(carSet, environment, {}, target)
                                 : DrawCarSetPreview(carSet, environment, {}, picture);
        if (!Ok(error)) {
            state.SkipWithError("preview failed");
            break;
        }
        benchmark::DoNotOptimize(picture.pixels());
    }
}
BENCHMARK_CAPTURE(Preview, draw, false)->Name("CarSetPreview/DrawCarSetPreview")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Preview, save, true)->Name("CarSetPreview/SaveCarSetPreview")->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tavolex::bench
