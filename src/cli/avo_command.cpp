// lithora-cli avo FILE: intercept, gradient and reflections by angle along the well.
#include "cli/cli.h"
#include "cli/commands.h"
#include "core/commands/avo_model.h"
#include "core/common/error.h"

namespace lithora::cli {

namespace {

int runAvo(const std::vector<std::string>& args) {
    std::vector<std::string> valued = kElasticChoiceOptions;
    valued.insert(valued.end(), {"--angles", "--table", "-o"});
    const Args a = parseArgs(kAvoCommand, args, valued, {"--ascii"});
    elasticChoices(a);  // usage errors before any work
    commands::AvoRequest request;
    if (auto angles = a.option("--angles")) {
        const auto read = commands::readAngleRange(*angles);
        if (!read.error.empty()) throw UsageError{read.error};
        request.angles = read.range;
    }
    const auto table = a.option("--table");
    const auto las = a.option("-o");
    std::vector<std::filesystem::path> outputs;
    if (table) outputs.emplace_back(*table);
    if (las) outputs.emplace_back(*las);
    refuseOutputsThatAreInputs(outputs, inputsOf(a));

    auto ws = openWorkspace(std::nullopt);
    loadWell(*ws, a.files.front(), a.flag("--ascii"));
    request.elastic = elasticRequestFor(*ws, a);
    const auto avo = commands::modelAvo(*ws, request);
    if (!avo.error.empty()) throw InputError{avo.error};
    if (table) writeLines(commands::avoTableLines(avo), *table);
    if (las) {
        const std::string error = commands::saveAvoLas(*ws, avo, *las);
        if (!error.empty()) throw InputError{error};
    }
    return 0;
}

}  // namespace

const Command kAvoCommand = {
    "avo", "AVO: intercept, gradient and reflection by angle of the interfaces along the well.",
    "  lithora-cli avo FILE [the curve, unit and Vs options of elastic] [--angles FROM:TO:STEP]\n"
    "                      [-o OUT.las] [--table OUT.tsv]\n",
    runAvo};

}  // namespace lithora::cli
