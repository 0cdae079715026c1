// The whole import as the program runs it: the LAS file read from disk, the source table made
// and written to "Table.db" in one transaction. Bytes of file text per second.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "core/import/las_reader.h"
#include "core/workspace/workspace.h"
#include "support/make_las.h"

namespace {

namespace fs = std::filesystem;
constexpr std::size_t kRows = 1'000'000;

void BM_WholeImport(benchmark::State& state) {
    const auto folder = fs::temp_directory_path() / "lithora_bench_workspace";
    fs::remove_all(folder);
    fs::create_directories(folder);
    const auto las = folder / "well.las";
    lithora::bench::writeLasFile(las, kRows);
    const auto size = fs::file_size(las);
    for (auto _ : state) {
        lithora::workspace::Workspace ws(folder);
        ws.installImport(lithora::import::readLasFile(las));
        benchmark::DoNotOptimize(ws.sourceFieldCount());
        state.PauseTiming();
        ws.exitCleanup();
        state.ResumeTiming();
    }
    fs::remove_all(folder);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}
BENCHMARK(BM_WholeImport)->Unit(benchmark::kMillisecond)->MinTime(3.0);

}  // namespace
