#include "support/computed_well.h"

#include <cstdio>

#include "core/commands/compute_elastic.h"
#include "core/import/las_reader.h"
#include "support/make_las.h"

namespace fs = std::filesystem;

namespace lithora::bench {

std::unique_ptr<workspace::Workspace> computedWell(const fs::path& folder, std::size_t rows,
                                                   const std::string& patterns) {
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::create_directory_symlink(patterns, folder / "Patterns");
    writeLasFile(folder / "well.las", rows);

    auto ws = std::make_unique<workspace::Workspace>(folder);
    ws->openShippedTables();
    ws->installImport(import::readLasFile(folder / "well.las"));
    const commands::CurveChoice curves{"RHOB", "", "DT", "DTSM"};
    const auto units = commands::decideUnits(*ws, curves, true).units();
    if (!units) {
        std::fprintf(stderr, "the generated file leaves a unit undecided\n");
        return nullptr;
    }
    ws->computeElastic("RHOB", "DT", "DTSM", *units, {});
    return ws;
}

}  // namespace lithora::bench
