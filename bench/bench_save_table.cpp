// Save Table on a large well: the time of the write and the memory it adds on top of what the
// loaded workspace already holds. The peak is measured by the kernel's high-water mark of the
// resident set, reset just before the save (Linux).
//
//   bench_save_table [ROWS]   (default 1,000,000 rows of 12 curves)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/import/las_reader.h"
#include "core/workspace/workspace.h"
#include "support/make_las.h"

namespace {

namespace fs = std::filesystem;

// A line of /proc/self/status in kB ("VmRSS", "VmHWM"); -1 when not there.
long statusKb(const std::string& key) {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(key + ":", 0) == 0)
            return std::strtol(line.c_str() + key.size() + 1, nullptr, 10);
    return -1;
}

bool resetPeak() {
    std::ofstream out("/proc/self/clear_refs");
    out << "5";
    out.close();
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    const std::size_t rows = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1'000'000;
    const auto folder = fs::temp_directory_path() / "lithora_bench_save_table";
    fs::remove_all(folder);
    fs::create_directories(folder);
    const auto las = folder / "well.las";
    lithora::bench::writeLasFile(las, rows);
    {
        lithora::workspace::Workspace ws(folder);
        ws.openShippedTables();
        ws.installImport(lithora::import::readLasFile(las));
        ws.computeElastic(
            "RHOB", "DT", "DTSM",
            {lithora::compute::SonicUnit::PerFoot, lithora::compute::SonicUnit::PerFoot,
             lithora::compute::DensityUnit::GramsPerCc},
            {});
        const long before = statusKb("VmRSS");
        const bool reset = resetPeak();
        const auto start = std::chrono::steady_clock::now();
        ws.saveTable(folder / "out.las", ws.importInfo().headerBytes);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const long peak = statusKb("VmHWM");
        std::printf(
            "rows %zu, file %.1f MB: save %.3f s; resident before %.1f MB, peak during "
            "save %.1f MB (+%.1f MB)%s\n",
            rows, static_cast<double>(fs::file_size(folder / "out.las")) / 1e6, seconds,
            static_cast<double>(before) / 1024, static_cast<double>(peak) / 1024,
            static_cast<double>(peak - before) / 1024,
            reset ? "" : " (peak not reset: the figure covers the whole run)");
        ws.exitCleanup();
    }
    fs::remove_all(folder);
    return 0;
}
