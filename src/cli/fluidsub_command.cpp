// lithora-cli fluidsub FILE: Gassmann fluid substitution along the well.
#include <iostream>

#include "cli/cli.h"
#include "cli/commands.h"
#include "core/commands/fluid_substitution.h"
#include "core/common/error.h"
#include "core/rockphysics/batzle_wang.h"

namespace lithora::cli {

namespace {

const std::vector<std::string> kFluidOptions = {"--porosity",
                                                "--matrix-density",
                                                "--mineral-modulus",
                                                "--brine-modulus",
                                                "--brine-density",
                                                "--hc-modulus",
                                                "--hc-density",
                                                "--temperature",
                                                "--pressure",
                                                "--salinity",
                                                "--oil-api",
                                                "--gor",
                                                "--gas-gravity",
                                                "--sw-from",
                                                "--sw-to",
                                                "--table",
                                                "-o"};

// The settings of the substitution from the options; UsageError naming the option for a value
// out of range.
commands::FluidSubstitutionRequest fluidSettings(const Args& a) {
    commands::FluidSubstitutionRequest r;
    const bool fromDensity = a.flag("--porosity-from-density");
    const auto porosity = a.option("--porosity");
    if (fromDensity == porosity.has_value())
        throw UsageError{"fluidsub takes one of --porosity NAME and --porosity-from-density"};
    if (porosity) r.porosityCurve = *porosity;
    if (!fromDensity && a.option("--matrix-density"))
        throw UsageError{"--matrix-density goes with --porosity-from-density"};
    if (!a.option("--sw-from") || !a.option("--sw-to"))
        throw UsageError{"fluidsub needs --sw-from S1 and --sw-to S2"};
    r.swBefore = a.number("--sw-from", 1);
    r.swAfter = a.number("--sw-to", 1);
    r.matrixDensityGcc = a.number("--matrix-density", r.matrixDensityGcc);
    r.mineral.modulusGPa = a.number("--mineral-modulus", r.mineral.modulusGPa);

    const bool conditions = a.option("--temperature") || a.option("--pressure") ||
                            a.option("--salinity") || a.option("--oil-api") || a.option("--gor") ||
                            a.flag("--gas") || a.option("--gas-gravity");
    if (conditions) {
        for (const char* o : {"--brine-modulus", "--brine-density", "--hc-modulus", "--hc-density"})
            if (a.option(o))
                throw UsageError{std::string(o) + " does not go with the fluid conditions"};
        for (const char* o : {"--temperature", "--pressure", "--salinity", "--gas-gravity"})
            if (!a.option(o)) throw UsageError{std::string("fluids from conditions need ") + o};
        const bool oil = a.option("--oil-api").has_value();
        if (oil == a.flag("--gas"))
            throw UsageError{"fluids from conditions take one of --oil-api API and --gas"};
        if (oil != a.option("--gor").has_value())
            throw UsageError{"--oil-api and --gor go together"};
        const double t = a.number("--temperature", 0), p = a.number("--pressure", 0);
        const double salinity = a.number("--salinity", 0), g = a.number("--gas-gravity", 0);
        if (!(p > 0)) throw UsageError{"--pressure must be above 0"};
        if (salinity < 0 || salinity >= 1e6) throw UsageError{"--salinity takes 0 to 1000000 ppm"};
        if (!(g > 0)) throw UsageError{"--gas-gravity must be above 0"};
        if (t < 0 || t > 350) throw UsageError{"--temperature takes 0 to 350 C"};
        r.brine = rockphysics::brineProperties(t, p, salinity).phase;
        if (oil) {
            const double api = a.number("--oil-api", 0), gor = a.number("--gor", 0);
            if (!(api > 0)) throw UsageError{"--oil-api must be above 0"};
            if (gor < 0) throw UsageError{"--gor must not be below 0"};
            r.hydrocarbon = rockphysics::oilProperties(t, p, api, gor, g).phase;
        } else {
            r.hydrocarbon = rockphysics::gasProperties(t, p, g).phase;
        }
    } else {
        r.brine.modulusGPa = a.number("--brine-modulus", r.brine.modulusGPa);
        r.brine.densityGcc = a.number("--brine-density", r.brine.densityGcc);
        r.hydrocarbon.modulusGPa = a.number("--hc-modulus", r.hydrocarbon.modulusGPa);
        r.hydrocarbon.densityGcc = a.number("--hc-density", r.hydrocarbon.densityGcc);
    }

    // Each range names the option that gave it.
    struct Check {
        bool ok;
        const char* message;
    } checks[] = {
        {r.swBefore >= 0 && r.swBefore <= 1, "--sw-from takes 0 to 1"},
        {r.swAfter >= 0 && r.swAfter <= 1, "--sw-to takes 0 to 1"},
        {r.mineral.modulusGPa > 0, "--mineral-modulus must be above 0"},
        {r.brine.modulusGPa > 0, "--brine-modulus must be above 0"},
        {r.brine.densityGcc > 0, "--brine-density must be above 0"},
        {r.hydrocarbon.modulusGPa > 0, "--hc-modulus must be above 0"},
        {r.hydrocarbon.densityGcc > 0, "--hc-density must be above 0"},
    };
    for (const auto& c : checks)
        if (!c.ok) throw UsageError{c.message};
    if (!commands::checkFluidSettings(r).empty())
        throw UsageError{"--matrix-density must be above the density of the fluid"};
    return r;
}

int runFluidSub(const std::vector<std::string>& args) {
    std::vector<std::string> valued = kElasticChoiceOptions;
    valued.insert(valued.end(), kFluidOptions.begin(), kFluidOptions.end());
    const Args a =
        parseArgs(kFluidSubCommand, args, valued, {"--ascii", "--porosity-from-density", "--gas"});
    elasticChoices(a);  // usage errors before any work
    commands::FluidSubstitutionRequest request = fluidSettings(a);
    const auto table = a.option("--table");
    const auto las = a.option("-o");
    std::vector<std::filesystem::path> outputs;
    if (table) outputs.emplace_back(*table);
    if (las) outputs.emplace_back(*las);
    refuseOutputsThatAreInputs(outputs, inputsOf(a));

    auto ws = openWorkspace(std::nullopt);
    loadWell(*ws, a.files.front(), a.flag("--ascii"));
    // A porosity curve that is not there is said before any other question.
    if (!request.porosityCurve.empty() && ws->source().findField(request.porosityCurve) < 1)
        throw InputError{"Field '" + request.porosityCurve + "' not found."};
    request.elastic = elasticRequestFor(*ws, a);
    const auto result = commands::substituteFluid(*ws, request);
    if (!result.error.empty()) throw InputError{result.error};
    std::cerr << commands::fluidSubstitutionSummary(result) << "\n";
    if (table) writeLines(commands::fluidSubstitutionTableLines(result), *table);
    if (las) {
        const std::string error = commands::saveFluidSubstitutionLas(*ws, request, result, *las);
        if (!error.empty()) throw InputError{error};
    }
    return 0;
}

}  // namespace

const Command kFluidSubCommand = {
    "fluidsub", "Gassmann fluid substitution: the rock with another fluid in its pores.",
    "  lithora-cli fluidsub FILE [the curve, unit and Vs options of elastic]\n"
    "                      (--porosity NAME | --porosity-from-density [--matrix-density G/CC])\n"
    "                      [--mineral-modulus GPA] [--brine-modulus GPA] [--brine-density G/CC]\n"
    "                      [--hc-modulus GPA] [--hc-density G/CC]\n"
    "                      [--temperature C --pressure MPA --salinity PPM\n"
    "                       (--oil-api API --gor RATIO | --gas) --gas-gravity G]\n"
    "                      --sw-from S1 --sw-to S2 [-o OUT.las] [--table OUT.tsv]\n",
    runFluidSub};

}  // namespace lithora::cli
