// lithora-cli elastic FILE... -o OUT: the elastic parameters written as Save Table writes them.
#include <iostream>

#include "cli/cli.h"
#include "cli/commands.h"
#include "core/commands/compute_elastic.h"
#include "core/commands/save_table.h"
#include "core/common/error.h"
#include "core/compute/elastic.h"
#include "core/store/field.h"

namespace lithora::cli {

namespace {

// One file: import, filter, compute, save. Returns the number of elastic records written.
std::size_t runOne(const Args& a, const std::string& file, const std::string& out,
                   const std::optional<std::string>& table,
                   const std::optional<std::string>& workspaceFolder) {
    auto ws = openWorkspace(workspaceFolder);
    // Without a table to keep, only the curves the computation needs are read, and the
    // elastic rows are computed as they are written.
    const bool streamed = !table && !workspaceFolder;
    loadWell(*ws, file, a.flag("--ascii"), streamed ? elasticCurves(elasticChoices(a)) : nullptr);
    if (auto from = a.option("--from")) {
        const auto to = a.option("--to");
        try {
            ws->applyDepthFilter(a.number("--from", 0), a.number("--to", 0));
        } catch (const Error& e) {
            throw InputError{e.what()};
        }
        if (ws->source().isEmpty())
            throw InputError{"No depth lies between " + *from + " and " + *to + "."};
    }
    if (streamed) {
        const commands::ElasticRequest request = elasticRequestFor(*ws, a);
        rockphysics::LithologyVsCounts counts;
        const std::string error =
            commands::saveComputedTable(*ws, request, {out, ws->importInfo().headerBytes}, &counts);
        if (!error.empty()) throw InputError{error};
        if (!request.measuredVs && request.vs.kind == compute::VsEquationKind::Lithology)
            std::cerr << commands::lithologyVsSummary(counts) << "\n";
        return static_cast<std::size_t>(ws->source().recordCount());
    }
    computeElasticWith(*ws, a);
    const std::string error = commands::saveTable(*ws, {out, ws->importInfo().headerBytes});
    if (!error.empty()) throw InputError{error};
    if (table) writeTsv(ws->elastic(), ws->elastic().fieldCount(), *table);
    return static_cast<std::size_t>(ws->elastic().recordCount());
}

int runElastic(const std::vector<std::string>& args) {
    std::vector<std::string> valued = kElasticChoiceOptions;
    valued.insert(valued.end(), {"--table", "--from", "--to", "-o", "--workspace", "--jobs"});
    const Args a =
        parseArgs(kElasticCommand, args, valued, {"--ascii"}, 1, static_cast<std::size_t>(-1));
    auto out = a.option("-o");
    if (!out) throw UsageError{"elastic needs -o OUT"};
    if (a.option("--from").has_value() != a.option("--to").has_value())
        throw UsageError{"--from and --to go together"};
    a.number("--from", 0);
    a.number("--to", 0);
    elasticChoices(a);  // usage errors before any work
    const int jobs = a.count("--jobs", defaultJobs());
    const auto table = a.option("--table");
    const auto workspaceFolder = a.option("--workspace");

    std::error_code ec;
    const bool batch =
        a.files.size() > 1 || a.option("--jobs") || std::filesystem::is_directory(*out, ec);
    if (!batch) {
        std::vector<std::filesystem::path> outputs{*out};
        if (table) outputs.emplace_back(*table);
        refuseOutputsThatAreInputs(outputs, inputsOf(a));
        runOne(a, a.files.front(), *out, table, workspaceFolder);
        return 0;
    }

    // Many files: -o (and --table) name folders that get one output per file.
    std::vector<std::filesystem::path> outputs;
    for (const auto& file : a.files) {
        outputs.push_back(batchOutput(*out, file));
        if (table) outputs.push_back(batchOutput(*table, file, ".tsv"));
    }
    refuseOutputsThatAreInputs(outputs, inputsOf(a));
    makeBatchFolder(*out, "-o");
    if (table) makeBatchFolder(*table, "--table");
    return runBatch(a.files, jobs, [&](const std::string& file) {
        std::optional<std::string> tsv, folder;
        if (table) tsv = batchOutput(*table, file, ".tsv").string();
        if (workspaceFolder) folder = batchOutput(*workspaceFolder, file).string();
        return runOne(a, file, batchOutput(*out, file).string(), tsv, folder);
    });
}

}  // namespace

const std::vector<std::string> kElasticChoiceOptions = {
    "--density",   "--p-wave",     "--s-wave",       "--vs-equation", "--slope",
    "--intercept", "--depth-unit", "--density-unit", "--sonic-unit",  "--litholog"};

ElasticChoices elasticChoices(const Args& a) {
    ElasticChoices c;
    c.density = a.option("--density");
    c.pWave = a.option("--p-wave");
    c.sWave = a.option("--s-wave");
    const auto eq = a.choice("--vs-equation", {"sqrt3", "linear", "lithology"});
    const auto depthUnit = a.choice("--depth-unit", {"m", "ft"});
    const auto densityUnit = a.choice("--density-unit", {"GC", "KM"});
    const auto sonicUnit = a.choice("--sonic-unit", {"us/m", "us/ft"});
    c.estimate = eq.has_value();
    if (eq && *eq == "sqrt3") c.vs.kind = compute::VsEquationKind::Sqrt3;
    if (eq && *eq == "lithology") c.vs.kind = compute::VsEquationKind::Lithology;
    c.litholog = a.option("--litholog");
    if (c.vs.kind == compute::VsEquationKind::Lithology && !c.litholog)
        throw UsageError{"--vs-equation lithology needs --litholog FILE.llg"};
    if (c.litholog && c.vs.kind != compute::VsEquationKind::Lithology)
        throw UsageError{"--litholog goes with --vs-equation lithology"};
    c.vs.slope = a.number("--slope", c.vs.slope);
    c.vs.intercept = a.number("--intercept", c.vs.intercept);
    if (depthUnit) c.units.depth = compute::sonicUnitFromTag(*depthUnit);
    if (sonicUnit)
        c.units.sonic =
            *sonicUnit == "us/m" ? compute::SonicUnit::PerMetre : compute::SonicUnit::PerFoot;
    if (densityUnit) c.units.density = compute::densityUnitFromTag(*densityUnit);
    return c;
}

// (The return type trails: clang-format reads a line that starts with "import" as a module
// import.)
auto elasticCurves(const ElasticChoices& c) -> import::CurveChoice {
    return [c](const import::ImportResult& header) {
        std::vector<std::string> names;
        auto add = [&](const std::optional<std::string>& named,
                       const std::vector<std::string>& recognised) {
            if (named)
                names.push_back(*named);
            else if (!recognised.empty())
                names.push_back(recognised.front());
        };
        add(c.density, header.roles.density);
        add(c.pWave, header.roles.pWave);
        if (!c.estimate) add(c.sWave, header.roles.sWave);
        // Field names are compared as the table compares them, without regard to case.
        std::vector<bool> read(header.fieldNames.size(), false);
        for (std::size_t f = 0; f < read.size(); ++f)
            for (const auto& name : names)
                read[f] = read[f] || store::foldName(header.fieldNames[f]) == store::foldName(name);
        return read;
    };
}

std::vector<std::string> inputsOf(const Args& a) {
    std::vector<std::string> inputs = a.files;
    if (auto litholog = a.option("--litholog")) inputs.push_back(*litholog);
    return inputs;
}

commands::ElasticRequest elasticRequestFor(workspace::Workspace& ws, const Args& a) {
    const ElasticChoices c = elasticChoices(a);
    // The curves the desktop's curve dialog proposes, or those named (any field of the
    // source table); every name is checked before anything else, then the desktop's rules
    // for the choice and the units.
    commands::CurveChoice choice = commands::proposedCurves(ws);
    if (c.density) choice.density = *c.density;
    if (c.pWave) choice.pWave = *c.pWave;
    if (c.sWave) choice.sWave = *c.sWave;
    if (c.estimate) choice.sWave.clear();
    const auto plan = commands::planCurves(ws, choice);
    if (plan.stop == commands::CurvePlan::Stop::UnknownCurve) throw InputError{plan.message};
    if (plan.stop == commands::CurvePlan::Stop::NoDensity)
        throw InputError{"No density curve: name one with --density."};
    if (plan.stop == commands::CurvePlan::Stop::NoPWave)
        throw InputError{"No compressional sonic curve: name one with --p-wave."};

    const auto decision = commands::decideUnits(ws, choice, plan.measuredVs, c.units);
    const auto units = decision.units();
    if (!units) {
        const bool sonicOpen = decision.sonicUnknown();
        const bool densityOpen = !decision.density;
        const char* hint =
            sonicOpen && densityOpen ? " Give them with --depth-unit m|ft and --density-unit GC|KM."
            : densityOpen            ? " Give it with --density-unit GC|KM."
                          : " Give it with --depth-unit m|ft or --sonic-unit us/m|us/ft.";
        throw InputError{decision.unknownText() + hint};
    }
    commands::ElasticRequest request{choice, plan.measuredVs, *units, c.vs, {}};
    if (c.litholog) {
        const auto read = commands::readLithologForWell(ws, *c.litholog);
        if (!read.error.empty()) throw InputError{read.error};
        request.litholog = commands::lithologyIntervals(read.intervals);
    }
    return request;
}

void computeElasticWith(workspace::Workspace& ws, const Args& a) {
    const commands::ElasticRequest request = elasticRequestFor(ws, a);
    const std::string error = commands::computeElastic(ws, request);
    if (!error.empty()) throw InputError{error};
    if (!request.measuredVs && request.vs.kind == compute::VsEquationKind::Lithology)
        std::cerr << commands::lithologyVsSummary(ws.lithologyVsCounts()) << "\n";
}

const Command kElasticCommand = {
    "elastic", "The elastic parameters at every depth sample, written as Save Table writes them.",
    "  lithora-cli elastic FILE... [--ascii] [--density NAME] [--p-wave NAME] [--s-wave NAME]\n"
    "                      [--vs-equation sqrt3|linear|lithology] [--litholog FILE.llg]\n"
    "                      [--slope A] [--intercept B]\n"
    "                      [--depth-unit m|ft] [--density-unit GC|KM] [--sonic-unit us/m|us/ft]\n"
    "                      [--from START --to STOP] [--workspace DIR] [--jobs N]\n"
    "                      -o OUT [--table OUT.tsv]\n"
    "      With several FILEs (or --jobs, or OUT an existing folder) -o and --table name\n"
    "      folders that get one output per FILE, named after it.\n",
    runElastic};

}  // namespace lithora::cli
