// lithora-cli import FILE [--ascii] [--table OUT.tsv]
#include <iostream>

#include "cli/cli.h"
#include "cli/commands.h"
#include "core/common/error.h"
#include "core/import/ascii_reader.h"
#include "core/import/las_reader.h"
#include "core/workspace/workspace.h"

namespace lithora::cli {

std::vector<std::string> importInto(workspace::Workspace& ws, const std::string& file, bool ascii) {
    try {
        auto result = ascii ? import::readAsciiFile(file) : import::readLasFile(file);
        std::vector<std::string> warnings = std::move(result.warnings);
        ws.installImport(std::move(result));
        for (const auto& w : warnings) std::cerr << "warning: " << w << "\n";
        return warnings;
    } catch (const Error& e) {
        throw InputError{e.what()};
    }
}

void loadWell(workspace::Workspace& ws, const std::string& file, bool ascii) {
    try {
        ws.openShippedTables();
    } catch (const Error& e) {
        throw InputError{e.what()};
    }
    importInto(ws, file, ascii);
}

namespace {

int runImport(const std::vector<std::string>& args) {
    const Args a = parseArgs(args, {"--table"}, {"--ascii"});
    ScratchFolder folder;
    workspace::Workspace ws(folder.path());
    const auto warnings = importInto(ws, a.files.front(), a.flag("--ascii"));
    if (auto table = a.option("--table"))
        writeTsv(ws.source(), ws.source().fieldCount() - 1, *table);
    auto j = describe(ws);
    j["warnings"] = warnings;
    printJson(j);
    return 0;
}

}  // namespace

const Command kImportCommand = {"import", "  lithora-cli import FILE [--ascii] [--table OUT.tsv]\n",
                                runImport};

}  // namespace lithora::cli
