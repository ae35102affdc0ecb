// Exporting a car set with every picture and all data into the sample game,
// next to writing the same files' bytes with plain writes.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>

#include <benchmark/benchmark.h>

#include "document/LazyGraphics.h"
#include "game/GraphicEnvironment.h"
#include "sample/SampleGame.h"
#include "transfer/ExportWorker.h"
#include "transfer/SelectionChoice.h"

namespace tavolex::bench {
namespace {
namespace fs = std::filesystem;

// A team's art as artists draw it: photographic content, each picture cut
// out of a transparent (magenta) background. The sample game's own art is a
// stress test for the archive's decoder (a transparent stretch every few
// pixels), which no real picture resembles.
PackedBitmap PortraitSheet(int team) {
    PackedBitmap sheet(948, 650, Depth::Bits24);
    std::mt19937 random(static_cast<unsigned>(team) + 1);
    for (int y = 0; y < sheet.height(); ++y) {
        std::uint8_t* pixel = sheet.topRow(y);
        for (int x = 0; x < sheet.width(); ++x, pixel += 3) {
            const double dx = (x % 128 - 64) / 50.0;
            const double dy = (y % 120 - 60) / 56.0;
            if (dx * dx + dy * dy > 1.0) {
                pixel[0] = 0xF8; // magenta: transparent in the game
                pixel[1] = 0x00;
                pixel[2] = 0xF8;
                continue;
            }
            const int noise = static_cast<int>(random() % 9) - 4;
            pixel[0] = static_cast<std::uint8_t>(std::clamp(x / 4 + noise, 0, 255));
            pixel[1] = static_cast<std::uint8_t>(std::clamp(y / 3 + team * 9 + noise, 8, 255));
            pixel[2] = static_cast<std::uint8_t>(std::clamp(200 - x / 5 + noise, 0, 255));
        }
    }
    return sheet;
}

// The game, a car set whose every slot is a bitmap file (another team's
// picture, so that each export really changes the game), and the sizes of the
// files one export writes.
struct ExportSetup {
    fs::path folder = fs::temp_directory_path() / "tavolex-bench-export";
    GraphicEnvironment environment;
    CarSet carSet;
    std::vector<std::uintmax_t> writtenSizes;

    ExportSetup() {
        fs::remove_all(folder);
        fs::create_directories(folder / "tmp");
        environment = {folder / "tmp", folder / "game", folder / "data"};
        if (!Ok(MakeSampleGame(environment.gameFolder))) {
            std::abort();
        }
        NewCarSet(carSet);
        for (const GraphicItemRun& run : GraphicItemRuns()) {
            for (int slot = 0; slot < run.count; ++slot) {
                PackedBitmap picture;
                const int from = run.count > 1 ? (slot + 1) % run.count : slot;
                if (run.kind == GraphicKind::MenuArtwork) {
                    picture = PortraitSheet(slot);
                } else if (!Ok(DeclarationOf(run.kind).readFromGame(environment, from, run.variant, picture))) {
                    std::abort();
                }
                if (run.kind == GraphicKind::Helmets) {
                    StoreHeldPicture(carSet, run.kind, run.variant, std::move(picture));
                    continue;
                }
                const fs::path file = folder / (std::to_string(run.first + slot) + ".bmp");
                if (!Ok(SaveGraphicFile(run.kind, file, picture))) {
                    std::abort();
                }
                SetSlotFromFile(carSet, run.kind, slot, run.variant, file);
            }
        }
        measureWrittenFiles();
    }

    Error exportAll() const {
        return ExportToGame(carSet, environment, ExeStatus::Supported, DefaultSelection(SelectionMode::Export, carSet),
                            nullptr);
    }

    // The files (and their sizes) one export replaces, found by their times.
    void measureWrittenFiles() {
        if (!Ok(exportAll())) { // the first export also expands the art archive and makes the .old copies
            std::abort();
        }
        std::map<fs::path, fs::file_time_type> before;
        for (const auto& entry : fs::recursive_directory_iterator(environment.gameFolder)) {
            before[entry.path()] = entry.last_write_time();
        }
        if (!Ok(exportAll())) {
            std::abort();
        }
        for (const auto& entry : fs::recursive_directory_iterator(environment.gameFolder)) {
            if (entry.is_regular_file() && before[entry.path()] != entry.last_write_time()) {
                writtenSizes.push_back(entry.file_size());
            }
        }
    }
};

ExportSetup& Setup() {
    static ExportSetup setup;
    return setup;
}

std::int64_t WrittenBytes() {
    std::int64_t total = 0;
    for (std::uintmax_t size : Setup().writtenSizes) {
        total += static_cast<std::int64_t>(size);
    }
    return total;
}

void ExportBaseline(benchmark::State& state) {
    ExportSetup& setup = Setup();
    const std::vector<char> bytes(*std::max_element(setup.writtenSizes.begin(), setup.writtenSizes.end()), 'x');
    const fs::path path = setup.folder / "plain.bin";
    for (auto _ : state) {
        for (std::uintmax_t size : setup.writtenSizes) {
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            out.write(bytes.data(), static_cast<std::streamsize>(size));
        }
    }
    state.counters["files"] = static_cast<double>(setup.writtenSizes.size());
    state.SetBytesProcessed(state.iterations() * WrittenBytes());
}
BENCHMARK(ExportBaseline)->Name("GameExport/baseline")->Unit(benchmark::kMillisecond);

void ExportEverything(benchmark::State& state) {
    ExportSetup& setup = Setup();
    for (auto _ : state) {
        if (!Ok(setup.exportAll())) {
            state.SkipWithError("export failed");
        }
    }
    state.SetBytesProcessed(state.iterations() * WrittenBytes());
}
BENCHMARK(ExportEverything)->Name("GameExport/ExportToGame")->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tavolex::bench
