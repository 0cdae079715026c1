// lithora-cli import FILE... [--ascii] [--table OUT] [--workspace DIR] [--jobs N]
#include <iostream>

#include "cli/cli.h"
#include "cli/commands.h"
#include "core/commands/import_file.h"
#include "core/common/error.h"

namespace lithora::cli {

std::vector<std::string> importInto(workspace::Workspace& ws, const std::string& file, bool ascii,
                                    import::CurveChoice curves) {
    const commands::ImportRequest request{file, {}, {}, std::move(curves)};
    const auto outcome =
        ascii ? commands::importAscii(ws, request) : commands::importLas(ws, request);
    if (!outcome.ok())
        throw InputError{outcome.detail.empty() ? outcome.message
                                                : outcome.message + "\n" + outcome.detail};
    for (const auto& w : outcome.warnings) std::cerr << "warning: " << w << "\n";
    return outcome.warnings;
}

void loadWell(workspace::Workspace& ws, const std::string& file, bool ascii,
              import::CurveChoice curves) {
    try {
        ws.openShippedTables();
    } catch (const Error& e) {
        throw InputError{e.what()};
    }
    importInto(ws, file, ascii, std::move(curves));
}

namespace {

int runImport(const std::vector<std::string>& args) {
    const Args a = parseArgs(kImportCommand, args, {"--table", "--workspace", "--jobs"},
                             {"--ascii"}, 1, static_cast<std::size_t>(-1));
    const bool ascii = a.flag("--ascii");
    const auto table = a.option("--table");
    const int jobs = a.count("--jobs", defaultJobs());

    if (a.files.size() == 1 && !a.option("--jobs")) {
        const std::string& file = a.files.front();
        if (table) refuseOutputsThatAreInputs({*table}, a.files);
        auto ws = openWorkspace(a.option("--workspace"));
        const auto warnings = importInto(*ws, file, ascii);
        if (table) writeTsv(ws->source(), ws->source().fieldCount() - 1, *table);
        auto j = describe(*ws);
        j["warnings"] = warnings;
        printJson(j);
        return 0;
    }

    // Many files: --table names a folder that gets one table per file.
    if (!table) throw UsageError{"import of several files needs --table DIR"};
    std::vector<std::filesystem::path> outputs;
    for (const auto& file : a.files) outputs.push_back(batchOutput(*table, file, ".tsv"));
    refuseOutputsThatAreInputs(outputs, a.files);
    makeBatchFolder(*table, "--table");
    const auto workspaceRoot = a.option("--workspace");
    return runBatch(a.files, jobs, [&](const std::string& file) -> std::size_t {
        const auto out = batchOutput(*table, file, ".tsv");
        std::optional<std::string> folder;
        if (workspaceRoot) folder = batchOutput(*workspaceRoot, file).string();
        auto ws = openWorkspace(folder);
        importInto(*ws, file, ascii);
        writeTsv(ws->source(), ws->source().fieldCount() - 1, out);
        return static_cast<std::size_t>(ws->source().recordCount());
    });
}

}  // namespace

const Command kImportCommand = {
    "import", "Reads a well file and prints what the program learns of it as JSON.",
    "  lithora-cli import FILE [--ascii] [--table OUT.tsv] [--workspace DIR]\n"
    "  lithora-cli import FILE... --table DIR [--ascii] [--jobs N] [--workspace DIR]\n",
    runImport};

}  // namespace lithora::cli
