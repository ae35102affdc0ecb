// The run-length codings and the palette reduction on a livery-sized sheet,
// each next to memcpy of the same bytes.

#include <cstring>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchImages.h"
#include "formats/PaletteConversion.h"
#include "formats/RunLength16.h"
#include "formats/RunLength8.h"

namespace tavolex::bench {
namespace {

void CopyBaseline(benchmark::State& state, const void* data, std::size_t bytes) {
    // Both ends freshly allocated and aligned alike: some memcpy paths slow
    // down many times over when source and destination are misaligned to
    // each other, which would flatter every ratio.
    const auto* first = static_cast<const std::uint8_t*>(data);
    const std::vector<std::uint8_t> source(first, first + bytes);
    std::vector<std::uint8_t> destination(bytes);
    for (auto _ : state) {
        std::memcpy(destination.data(), source.data(), bytes);
        benchmark::DoNotOptimize(destination.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

void Run16Baseline(benchmark::State& state) { CopyBaseline(state, PhotoSheet565().data(), PhotoSheet565().size() * 2); }
BENCHMARK(Run16Baseline)->Name("Run16/baseline");

void EncodeRun16Sheet(benchmark::State& state) {
    const auto& values = PhotoSheet565();
    std::vector<std::uint8_t> out;
    out.reserve(values.size() * 3);
    for (auto _ : state) {
        out.clear();
        EncodeRun16(values, &out);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * values.size() * 2));
}
BENCHMARK(EncodeRun16Sheet)->Name("Run16/EncodeRun16");

void DecodeRun16Sheet(benchmark::State& state) {
    const auto& values = PhotoSheet565();
    std::vector<std::uint8_t> coded;
    EncodeRun16(values, &coded);
    std::vector<std::uint16_t> out(values.size());
    for (auto _ : state) {
        if (!Ok(DecodeRun16(coded, out.size(), kNoImplicitCode, out.data(), nullptr))) {
            state.SkipWithError("decode failed");
        }
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * values.size() * 2));
}
BENCHMARK(DecodeRun16Sheet)->Name("Run16/DecodeRun16");

void Run8Baseline(benchmark::State& state) { CopyBaseline(state, PhotoSheet8().pixels(), PhotoSheet8().pixelBytes()); }
BENCHMARK(Run8Baseline)->Name("Run8/baseline");

void EncodeRun8Sheet(benchmark::State& state) {
    const PackedBitmap& sheet = PhotoSheet8();
    const std::span<const std::uint8_t> bytes(sheet.pixels(), sheet.pixelBytes());
    std::vector<std::uint8_t> out;
    out.reserve(bytes.size() * 2);
    for (auto _ : state) {
        out.clear();
        EncodeRun8(bytes, &out);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(EncodeRun8Sheet)->Name("Run8/EncodeRun8");

void DecodeRun8Sheet(benchmark::State& state) {
    const PackedBitmap& sheet = PhotoSheet8();
    const std::span<const std::uint8_t> bytes(sheet.pixels(), sheet.pixelBytes());
    std::vector<std::uint8_t> coded;
    EncodeRun8(bytes, &coded);
    std::vector<std::uint8_t> out(bytes.size());
    for (auto _ : state) {
        std::size_t produced = 0;
        if (!Ok(DecodeRun8(coded, out.data(), out.size(), &produced))) {
            state.SkipWithError("decode failed");
        }
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(DecodeRun8Sheet)->Name("Run8/DecodeRun8");

void PaletteBaseline(benchmark::State& state) {
    CopyBaseline(state, PhotoSheet24().pixels(), PhotoSheet24().pixelBytes());
}
BENCHMARK(PaletteBaseline)->Name("Palette/baseline");

void ReduceSheet(benchmark::State& state) {
    const PackedBitmap& sheet = PhotoSheet24();
    PackedBitmap reduced;
    if (!Ok(ReduceToPalette(sheet, reduced, 1, 254))) { // the one-time cell tables are not timed
        state.SkipWithError("the sheet could not be reduced");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(Ok(ReduceToPalette(sheet, reduced, 1, 254)));
        benchmark::DoNotOptimize(reduced.pixels());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * sheet.pixelBytes()));
}
BENCHMARK(ReduceSheet)->Name("Palette/ReduceToPalette")->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tavolex::bench
