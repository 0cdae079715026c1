// lithora-cli merge FILE... --curves N:NAME,...: the multi-file LAS merge as an import.
#include <algorithm>
#include <map>

#include "cli/cli.h"
#include "cli/commands.h"
#include "core/commands/import_file.h"
#include "core/common/error.h"
#include "core/import/merge.h"
#include "core/workspace/workspace.h"

namespace lithora::cli {

namespace {

// "N:NAME,N:NAME,...": N is the file's place on the command line, NAME the curve as the
// merge lists it; the place among that file's curves is looked up in its list.
std::vector<import::MergeChoice> parseCurves(const std::string& text,
                                             const std::vector<std::string>& files) {
    std::vector<std::pair<std::size_t, std::string>> wanted;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t comma = text.find(',', start);
        if (comma == std::string::npos) comma = text.size();
        const std::string item = text.substr(start, comma - start);
        const std::size_t colon = item.find(':');
        std::size_t n = 0;
        bool ok = colon != std::string::npos && colon > 0 && colon + 1 < item.size();
        for (std::size_t i = 0; ok && i < colon; ++i) {
            ok = item[i] >= '0' && item[i] <= '9' && n < 100000;
            n = n * 10 + static_cast<std::size_t>(item[i] - '0');
        }
        if (!ok || n < 1 || n > files.size())
            throw UsageError{"--curves takes N:NAME,... with N from 1 to " +
                             std::to_string(files.size()) + ", not '" + item + "'"};
        wanted.emplace_back(n - 1, item.substr(colon + 1));
        start = comma + 1;
    }

    std::map<std::size_t, std::vector<std::string>> lists;
    std::vector<import::MergeChoice> chosen;
    for (const auto& [file, name] : wanted) {
        auto it = lists.find(file);
        if (it == lists.end()) {
            try {
                it = lists.emplace(file, import::mergeCurveList(files[file])).first;
            } catch (const Error& e) {
                throw InputError{e.what()};
            }
        }
        const auto& list = it->second;
        const auto pos = std::find(list.begin(), list.end(), name);
        if (pos == list.end())
            throw InputError{"Curve '" + name + "' not found in " + files[file] + "."};
        chosen.push_back({file, static_cast<int>(pos - list.begin()) + 1, name});
    }
    return chosen;
}

int runMerge(const std::vector<std::string>& args) {
    const Args a = parseArgs(kMergeCommand, args, {"--curves", "--table"}, {}, 1, 100000);
    const auto curves = a.option("--curves");
    if (!curves) throw UsageError{"merge needs --curves N:NAME,..."};
    const auto table = a.option("--table");
    if (table) refuseOutputsThatAreInputs({*table}, a.files);
    const auto chosen = parseCurves(*curves, a.files);

    std::vector<std::filesystem::path> files(a.files.begin(), a.files.end());
    // In memory: the tables live only as long as the command.
    auto workspace = openWorkspace(std::nullopt);
    workspace::Workspace& ws = *workspace;
    const auto outcome = commands::importMerged(ws, files, chosen, {});
    if (!outcome.ok()) throw InputError{outcome.message};
    if (table) writeTsv(ws.source(), ws.source().fieldCount() - 1, *table);
    printJson(describe(ws));
    return 0;
}

}  // namespace

const Command kMergeCommand = {
    "merge", "Curves of several LAS files in one table, by depth.",
    "  lithora-cli merge FILE... --curves N:NAME,N:NAME,... [--table OUT.tsv]\n", runMerge};

}  // namespace lithora::cli
