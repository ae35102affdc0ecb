// Loading a 1024 x 650 palette BMP (the art sheet's size) run-length coded
// (RLE8, as ImageMagick writes palette BMPs) next to the same picture stored
// plain: from disk, and parsing the bytes alone.

#include <filesystem>
#include <fstream>
#include <random>

#include <benchmark/benchmark.h>

#include "BmpBuilder.h"
#include "formats/BitmapFile.h"
#include "formats/PackedBitmap.h"

namespace tavolex::bench {
namespace {
constexpr int kWidth = 1024;
constexpr int kHeight = 650;

// Indices as a painted livery has them: flat areas with edges, and a band of
// noisy photographic detail where runs are short.
const std::vector<std::uint32_t>& PaintedIndices() {
    static const std::vector<std::uint32_t> indices = [] {
        std::vector<std::uint32_t> values;
        std::mt19937 random(5);
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const bool detail = y > kHeight / 3 && y < kHeight / 2;
                values.push_back(detail ? random() % 256 : static_cast<std::uint32_t>((x / 37 + y / 23) % 17 * 13));
            }
        }
        return values;
    }();
    return indices;
}

std::vector<std::uint8_t> BitmapFile(bool runLength) {
    test::BmpHeaders headers = test::MakeHeaders(40, kWidth, kHeight, 8);
    for (int i = 0; i < 256; ++i) {
        const auto v = static_cast<std::uint8_t>(i);
        headers.colourTable.insert(headers.colourTable.end(), {v, static_cast<std::uint8_t>(255 - v), v, 0});
    }
    if (!runLength) {
        return test::BuildBmp(headers, test::PackRows(PaintedIndices(), kWidth, kHeight, 8, false));
    }
    headers.compression = 1;
    return test::BuildBmp(headers, test::EncodeBmpRunLength(PaintedIndices(), kWidth, kHeight, 8, false));
}

void Parse(benchmark::State& state, bool runLength) {
    const std::vector<std::uint8_t> file = BitmapFile(runLength);
    PackedBitmap image;
    for (auto _ : state) {
        if (!Ok(ParseBitmapFile(file, image, kWidth, kHeight, Depth::Bits8))) {
            state.SkipWithError("parse failed");
        }
        benchmark::DoNotOptimize(image.pixels());
    }
    state.counters["file bytes"] = static_cast<double>(file.size());
}

void ParsePlain(benchmark::State& state) { Parse(state, false); }
BENCHMARK(ParsePlain)->Name("BitmapParse/baseline");
void ParseRle8(benchmark::State& state) { Parse(state, true); }
BENCHMARK(ParseRle8)->Name("BitmapParse/Rle8");

void Load(benchmark::State& state, bool runLength) {
    const auto path =
        std::filesystem::temp_directory_path() / (runLength ? "tavolex-bench-rle8.bmp" : "tavolex-bench-plain.bmp");
    const std::vector<std::uint8_t> file = BitmapFile(runLength);
    if (!std::ofstream(path, std::ios::binary)
             .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()))) {
        state.SkipWithError("cannot write the temporary folder");
        return;
    }
    PackedBitmap image;
    for (auto _ : state) {
        if (!Ok(LoadBitmapFile(path, image, kWidth, kHeight, Depth::Bits8))) {
            state.SkipWithError("load failed");
        }
        benchmark::DoNotOptimize(image.pixels());
    }
    std::filesystem::remove(path);
}

void LoadPlain(benchmark::State& state) { Load(state, false); }
BENCHMARK(LoadPlain)->Name("BitmapLoad/baseline");
void LoadRle8(benchmark::State& state) { Load(state, true); }
BENCHMARK(LoadRle8)->Name("BitmapLoad/Rle8");

} // namespace
} // namespace tavolex::bench
