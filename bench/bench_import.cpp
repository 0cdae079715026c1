// Parse throughput of the readers: bytes of file text per second, the text already in
// memory (readLas) or in the page cache (readLasFile).
#include <benchmark/benchmark.h>

#include <filesystem>

#include "core/import/las_reader.h"
#include "support/make_las.h"

namespace {

constexpr std::size_t kRows = 1'000'000;

const std::string& lasText() {
    static const std::string text = lithora::bench::makeLas(kRows);
    return text;
}

void BM_ReadLas(benchmark::State& state) {
    const std::string& text = lasText();
    for (auto _ : state) {
        auto result = lithora::import::readLas(text);
        benchmark::DoNotOptimize(result.columns.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
    state.counters["rows"] = static_cast<double>(kRows);
}
BENCHMARK(BM_ReadLas)->Unit(benchmark::kMillisecond)->MinTime(3.0);

void BM_ReadLasFile(benchmark::State& state) {
    auto path = std::filesystem::temp_directory_path() / "lithora_bench_import.las";
    lithora::bench::writeLasFile(path, kRows);
    const auto size = std::filesystem::file_size(path);
    for (auto _ : state) {
        auto result = lithora::import::readLasFile(path);
        benchmark::DoNotOptimize(result.columns.data());
    }
    std::filesystem::remove(path);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
    state.counters["rows"] = static_cast<double>(kRows);
}
BENCHMARK(BM_ReadLasFile)->Unit(benchmark::kMillisecond)->MinTime(3.0);

}  // namespace
