// The desktop's whole data path without its windows, as the commands run it: LAS File on a
// generated well, Elastic Parameters with the proposed curves, Save Table as LAS. Prints the
// seconds of each step, the resident memory after it and the peak, against the bytes of the
// source and elastic columns themselves.
//
//   bench_desktop_path [ROWS]      (default 1,000,000 depth steps, 12 curves)
//
// The tracks are left out: they are Qt widgets, measured with the desktop itself.
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/commands/compute_elastic.h"
#include "core/commands/import_file.h"
#include "core/commands/save_table.h"
#include "support/make_las.h"

namespace fs = std::filesystem;
namespace commands = lithora::commands;

namespace {

double residentMb() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1e6;
}

double peakMb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_maxrss) / 1e3;  // kilobytes on Linux
}

class Step {
  public:
    explicit Step(const char* name) : name_(name), start_(std::chrono::steady_clock::now()) {}
    ~Step() {
        const double s =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
        std::printf("%-22s %8.3f s   resident %8.1f MB   peak %8.1f MB\n", name_, s, residentMb(),
                    peakMb());
    }

  private:
    const char* name_;
    std::chrono::steady_clock::time_point start_;
};

}  // namespace

int main(int argc, char** argv) {
    const std::size_t rows = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1'000'000;
    const fs::path folder =
        fs::temp_directory_path() / ("lithora_desktop_path_" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    const fs::path las = folder / "well.las";
    lithora::bench::writeLasFile(las, rows);
    std::printf("%zu rows, %.1f MB of LAS text; resident at start %.1f MB\n", rows,
                static_cast<double>(fs::file_size(las)) / 1e6, residentMb());

    int status = 0;
    {
        lithora::workspace::Workspace ws(folder);
        ws.openShippedTables();
        {
            Step step("import (LAS File)");
            if (!commands::importLas(ws, {las, {}, {}}).ok()) status = 1;
        }
        if (status == 0) {
            Step step("Elastic Parameters");
            const auto choice = commands::proposedCurves(ws);
            const auto plan = commands::planCurves(ws, choice);
            const auto units = commands::decideUnits(ws, choice, plan.measuredVs).units();
            if (!plan.proceed() || !units ||
                !commands::computeElastic(ws, {choice, plan.measuredVs, *units, {}}).empty())
                status = 1;
        }
        if (status == 0) {
            Step step("Save Table (LAS)");
            if (!commands::saveTable(ws, {folder / "out.las", ws.importInfo().headerLines}).empty())
                status = 1;
        }
        const double columns = static_cast<double>(rows) *
                               (ws.source().fieldCount() + ws.elastic().fieldCount()) * 8 / 1e6;
        std::printf("columns of both tables: %.1f MB\n", columns);
        ws.exitCleanup();
    }
    fs::remove_all(folder);
    if (status != 0) std::fprintf(stderr, "the desktop path failed\n");
    return status;
}
