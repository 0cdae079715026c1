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
    const Args a =
        parseArgs(args,
                  {"--table", "--density", "--p-wave", "--s-wave", "--vs-equation", "--slope",
                   "--intercept", "--depth-unit", "--density-unit", "--from", "--to", "-o"},
                  {"--ascii"});
    auto out = a.option("-o");
    if (!out) throw UsageError{"elastic needs -o OUT"};
    auto from = a.option("--from");
    auto to = a.option("--to");
    if (from.has_value() != to.has_value()) throw UsageError{"--from and --to go together"};
    auto eq = a.choice("--vs-equation", {"sqrt3", "linear"});
    auto depthUnitOpt = a.choice("--depth-unit", {"m", "ft"});
    auto densityUnitOpt = a.choice("--density-unit", {"GC", "KM"});
    compute::VsSettings vs{eq && *eq == "sqrt3" ? 0 : 1, a.number("--slope", 0.8619),
                           a.number("--intercept", 1172)};
    double lo = from ? a.number("--from", 0) : 0;
    double hi = to ? a.number("--to", 0) : 0;

    ScratchFolder folder;
    workspace::Workspace ws(folder.path());
    try {
        ws.openShippedTables();
    } catch (const Error& e) {
        throw InputError{e.what()};
    }
    importInto(ws, a.files.front(), a.flag("--ascii"));
    if (from) ws.applyDepthFilter(lo, hi);

    const std::string density = chosen(a, "--density", ws.roles.density);
    const std::string pWave = chosen(a, "--p-wave", ws.roles.pWave);
    std::string sWave = chosen(a, "--s-wave", ws.roles.sWave);
    if (eq) sWave.clear();
    if (density.empty()) throw InputError{"No density curve: name one with --density."};
    if (pWave.empty()) throw InputError{"No compressional sonic curve: name one with --p-wave."};

    auto sonic = compute::sonicUnitFromTag(ws.depthUnit);
    if (!sonic && depthUnitOpt) sonic = compute::sonicUnitFromTag(*depthUnitOpt);
    auto dens = compute::densityUnitFromTag(ws.densityUnit);
    if (!dens && densityUnitOpt) dens = compute::densityUnitFromTag(*densityUnitOpt);
    if (!sonic || !dens)
        throw InputError{ws.unknownUnitsText(density) +
                         " Give them with --depth-unit m|ft and --density-unit GC|KM."};

    try {
        ws.computeElastic(density, pWave, sWave, {*sonic, *dens}, vs);
        ws.saveTable(*out, ws.headerLines);
    } catch (const Error& e) {
        throw InputError{e.what()};
    }
    if (auto table = a.option("--table")) writeTsv(ws.elastic(), ws.elastic().fieldCount(), *table);
    return 0;
}

}  // namespace

const Command kElasticCommand = {
    "elastic",
    "  lithora-cli elastic FILE [--ascii] [--density NAME] [--p-wave NAME] [--s-wave NAME]\n"
    "                      [--vs-equation sqrt3|linear] [--slope A] [--intercept B]\n"
    "                      [--depth-unit m|ft] [--density-unit GC|KM]\n"
    "                      [--from START --to STOP] -o OUT [--table OUT.tsv]\n",
    runElastic};

}  // namespace lithora::cli
