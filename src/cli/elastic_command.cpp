// lithora-cli elastic FILE ... -o OUT: the elastic parameters written as Save Table writes them.
#include "cli/cli.h"
#include "cli/commands.h"
#include "core/common/error.h"
#include "core/compute/elastic.h"
#include "core/workspace/workspace.h"

namespace lithora::cli {

namespace {

std::string chosen(const Args& a, const char* name, const std::vector<std::string>& role) {
    if (auto v = a.option(name)) return *v;
    return role.empty() ? std::string() : role.front();
}

int runElastic(const std::vector<std::string>& args) {
    std::vector<std::string> valued = kElasticChoiceOptions;
    valued.insert(valued.end(), {"--table", "--from", "--to", "-o"});
    const Args a = parseArgs(args, valued, {"--ascii"});
    auto out = a.option("-o");
    if (!out) throw UsageError{"elastic needs -o OUT"};
    auto from = a.option("--from");
    auto to = a.option("--to");
    if (from.has_value() != to.has_value()) throw UsageError{"--from and --to go together"};
    elasticChoices(a);  // usage errors before any work
    double lo = from ? a.number("--from", 0) : 0;
    double hi = to ? a.number("--to", 0) : 0;

    ScratchFolder folder;
    workspace::Workspace ws(folder.path());
    loadWell(ws, a.files.front(), a.flag("--ascii"));
    if (from) {
        try {
            ws.applyDepthFilter(lo, hi);
        } catch (const Error& e) {
            throw InputError{e.what()};
        }
        if (ws.source().isEmpty())
            throw InputError{"No depth lies between " + *from + " and " + *to + "."};
    }
    computeElasticWith(ws, a);
    try {
        ws.saveTable(*out, ws.headerBytes);
    } catch (const Error& e) {
        throw InputError{e.what()};
    }
    if (auto table = a.option("--table")) writeTsv(ws.elastic(), ws.elastic().fieldCount(), *table);
    return 0;
}

}  // namespace

const std::vector<std::string> kElasticChoiceOptions = {
    "--density", "--p-wave",    "--s-wave",     "--vs-equation",
    "--slope",   "--intercept", "--depth-unit", "--density-unit"};

ElasticChoices elasticChoices(const Args& a) {
    ElasticChoices c;
    c.equation = a.choice("--vs-equation", {"sqrt3", "linear"});
    c.depthUnit = a.choice("--depth-unit", {"m", "ft"});
    c.densityUnit = a.choice("--density-unit", {"GC", "KM"});
    c.vs = {c.equation && *c.equation == "sqrt3" ? 0 : 1, a.number("--slope", 0.8619),
            a.number("--intercept", 1172)};
    return c;
}

void computeElasticWith(workspace::Workspace& ws, const Args& a) {
    const ElasticChoices c = elasticChoices(a);
    const std::string density = chosen(a, "--density", ws.roles.density);
    const std::string pWave = chosen(a, "--p-wave", ws.roles.pWave);
    std::string sWave = chosen(a, "--s-wave", ws.roles.sWave);
    if (c.equation) sWave.clear();
    if (density.empty()) throw InputError{"No density curve: name one with --density."};
    if (pWave.empty()) throw InputError{"No compressional sonic curve: name one with --p-wave."};

    auto sonic = compute::sonicUnitFromTag(ws.depthUnit);
    if (!sonic && c.depthUnit) sonic = compute::sonicUnitFromTag(*c.depthUnit);
    auto dens = compute::densityUnitFromTag(ws.densityUnit);
    if (!dens && c.densityUnit) dens = compute::densityUnitFromTag(*c.densityUnit);
    if (!sonic || !dens)
        throw InputError{ws.unknownUnitsText(density) +
                         " Give them with --depth-unit m|ft and --density-unit GC|KM."};
    try {
        ws.computeElastic(density, pWave, sWave, {*sonic, *dens}, c.vs);
    } catch (const Error& e) {
        throw InputError{e.what()};
    }
}

const Command kElasticCommand = {
    "elastic",
    "  lithora-cli elastic FILE [--ascii] [--density NAME] [--p-wave NAME] [--s-wave NAME]\n"
    "                      [--vs-equation sqrt3|linear] [--slope A] [--intercept B]\n"
    "                      [--depth-unit m|ft] [--density-unit GC|KM]\n"
    "                      [--from START --to STOP] -o OUT [--table OUT.tsv]\n",
    runElastic};

}  // namespace lithora::cli
