// The multi-file merge against importing the same files one after the other: two files of
// 1,000,000 depth steps and 12 curves each, every curve of both chosen.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "core/import/las_reader.h"
#include "core/import/merge.h"
#include "support/make_las.h"

namespace {

namespace fs = std::filesystem;
constexpr std::size_t kRows = 1'000'000;

const std::vector<fs::path>& files() {
    static const std::vector<fs::path> paths = [] {
        std::vector<fs::path> p = {fs::temp_directory_path() / "lithora_bench_merge_1.las",
                                   fs::temp_directory_path() / "lithora_bench_merge_2.las"};
        for (const auto& f : p) lithora::bench::writeLasFile(f, kRows);
        return p;
    }();
    return paths;
}

void BM_ImportTwoFilesInTurn(benchmark::State& state) {
    for (auto _ : state) {
        for (const auto& f : files()) {
            auto result = lithora::import::readLasFile(f);
            benchmark::DoNotOptimize(result.columns.data());
        }
    }
    state.counters["rows"] = static_cast<double>(2 * kRows);
}
BENCHMARK(BM_ImportTwoFilesInTurn)->Unit(benchmark::kMillisecond)->MinTime(3.0);

void BM_MergeTwoFiles(benchmark::State& state) {
    std::vector<lithora::import::MergeChoice> chosen = {{0, 1, "DEPT"}};
    for (std::size_t f = 0; f < 2; ++f)
        for (int c = 2; c <= 12; ++c) chosen.push_back({f, c, "C" + std::to_string(c)});
    for (auto _ : state) {
        auto result = lithora::import::mergeLasFiles(files(), chosen);
        benchmark::DoNotOptimize(result.columns.data());
    }
    state.counters["rows"] = static_cast<double>(kRows);
}
BENCHMARK(BM_MergeTwoFiles)->Unit(benchmark::kMillisecond)->MinTime(3.0);

}  // namespace
