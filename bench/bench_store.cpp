// The table store. A litholog edit (one interval posted on the full-durability table) must
// cost the same on a table of 10 intervals as on one of 10,000: the record is written alone.
// A table of many fields is made in time linear in their number. A scratch table's flush
// after bulk work writes a million-row source table in large pages.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <filesystem>
#include <string>

#include "core/store/table.h"

namespace {

namespace fs = std::filesystem;
using lithora::store::Durability;
using lithora::store::FieldType;
using lithora::store::Table;

fs::path freshFolder(const char* name) {
    const auto folder = fs::temp_directory_path() / (std::string("lithora_bench_store_") + name +
                                                     "_" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

void BM_LithologPost(benchmark::State& state) {
    const auto folder = freshFolder("litholog");
    const auto intervals = static_cast<std::size_t>(state.range(0));
    {
        Table t(folder / "Litholog.db", Durability::Full);
        t.addFieldDef({"TopDepth", FieldType::Float});
        t.addFieldDef({"BottomDepth", FieldType::Float});
        t.addFieldDef({"Lithology", FieldType::Text, 30, true});
        t.createTable();
        t.open();
        std::vector<Table::BulkColumn> cols(3);
        for (std::size_t i = 0; i < intervals; ++i) {
            cols[0].floats.push_back(1000.0 + static_cast<double>(i));
            cols[1].floats.push_back(1001.0 + static_cast<double>(i));
            cols[2].texts.emplace_back("Sandstone");
        }
        t.loadColumns(std::move(cols));
        const double top = 1000.0 + static_cast<double>(intervals);
        for (auto _ : state) {
            t.append();
            t.setFloat(0, top);
            t.setFloat(1, top + 1);
            t.setText(2, "Shale");
            t.post();
            state.PauseTiming();
            t.deleteRecord();  // the table keeps its size from one edit to the next
            state.ResumeTiming();
        }
        t.close();
    }
    fs::remove_all(folder);
}
BENCHMARK(BM_LithologPost)->Arg(10)->Arg(10000)->Unit(benchmark::kMicrosecond);

void BM_CreateWideTable(benchmark::State& state) {
    const auto folder = freshFolder("wide");
    for (auto _ : state) {
        Table t(folder / "Table.db");
        t.addFieldDef({"Rec", FieldType::Integer});
        for (int i = 0; i < state.range(0); ++i)
            t.addFieldDef({"CURVE" + std::to_string(i), FieldType::Float});
        t.createTable();
        t.open();
        t.close();
        state.PauseTiming();
        t.deleteTable();
        state.ResumeTiming();
    }
    fs::remove_all(folder);
}
BENCHMARK(BM_CreateWideTable)->Arg(10)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ScratchLoad(benchmark::State& state) {
    const auto folder = freshFolder("scratch");
    const auto rows = static_cast<std::size_t>(state.range(0));
    constexpr int kCurves = 12;
    std::vector<double> values(rows);
    for (std::size_t r = 0; r < rows; ++r) values[r] = 1000.0 + 0.1524 * static_cast<double>(r);
    for (auto _ : state) {
        Table t(folder / "Table.db");
        for (int i = 0; i < kCurves; ++i)
            t.addFieldDef({"C" + std::to_string(i), FieldType::Float});
        t.createTable();
        t.open();
        std::vector<Table::BulkColumn> cols(kCurves);
        for (auto& c : cols) c.floats = values;
        t.loadColumns(std::move(cols));
        t.close();
        state.PauseTiming();
        t.deleteTable();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * rows * kCurves * 8));
    fs::remove_all(folder);
}
BENCHMARK(BM_ScratchLoad)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
