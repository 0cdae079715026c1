// lithora-cli correlate FILE --reference NAME: the correlation list of one well.
#include <iostream>

#include "cli/cli.h"
#include "cli/commands.h"
#include "core/common/error.h"
#include "core/compute/correlation.h"
#include "core/workspace/correlation_list.h"
#include "core/workspace/workspace.h"

namespace lithora::cli {

namespace {

int runCorrelate(const std::vector<std::string>& args) {
    std::vector<std::string> valued = kElasticChoiceOptions;
    valued.push_back("--reference");
    const Args a = parseArgs(kCorrelateCommand, args, valued, {"--ascii", "--no-elastic"});
    const auto reference = a.option("--reference");
    if (!reference) throw UsageError{"correlate needs --reference NAME"};
    elasticChoices(a);  // usage errors before any work

    // In memory: the tables live only as long as the command.
    auto workspace = openWorkspace(std::nullopt);
    workspace::Workspace& ws = *workspace;
    loadWell(ws, a.files.front(), a.flag("--ascii"));
    if (ws.source().findField(*reference) < 1)
        throw InputError{"Field '" + *reference + "' not found."};

    // The elastic rows join the list whenever the computation can run; when it cannot, the
    // source rows still come, and standard error says why the others do not.
    if (!a.flag("--no-elastic")) {
        try {
            computeElasticWith(ws, a);
        } catch (const InputError& e) {
            std::cerr << "No elastic parameters: " << e.message << "\n";
        }
    }

    std::vector<compute::CorrelationRow> rows;
    try {
        rows = workspace::correlationList(ws, *reference);
    } catch (const Error& e) {
        throw InputError{e.what()};
    }
    std::string out;
    for (const auto& r : rows)
        out += r.name + "\t" + compute::coefficientText(r.coefficient) + "\n";
    std::cout << out;
    return 0;
}

}  // namespace

const Command kCorrelateCommand = {
    "correlate", "Correlation of every curve and elastic parameter with a reference curve.",
    "  lithora-cli correlate FILE --reference NAME [--ascii] [--density NAME] [--p-wave NAME]\n"
    "                      [--s-wave NAME] [--vs-equation sqrt3|linear|lithology]\n"
    "                      [--litholog FILE.llg] [--slope A]\n"
    "                      [--intercept B] [--depth-unit m|ft] [--density-unit GC|KM]\n"
    "                      [--no-elastic]\n",
    runCorrelate};

}  // namespace lithora::cli
