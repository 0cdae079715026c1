#include "core/commands/fluid_substitution.h"

#include <cmath>
#include <exception>

#include "core/common/number_text.h"
#include "core/common/same_file.h"
#include "core/compute/rock_elastic.h"
#include "core/export/las_curves_writer.h"

namespace lithora::commands {

using rockphysics::LeftOut;

long long FluidSubstitutionResult::leftOutPhysically() const {
    return leftOut[static_cast<std::size_t>(LeftOut::PorosityOutOfRange)] +
           leftOut[static_cast<std::size_t>(LeftOut::DryModulusOutOfRange)] +
           leftOut[static_cast<std::size_t>(LeftOut::NoSaturatedRock)];
}

std::string checkFluidSettings(const FluidSubstitutionRequest& r) {
    auto saturation = [](double s) { return s >= 0 && s <= 1; };
    if (!saturation(r.swBefore)) return "Sw before must be from 0 to 1.";
    if (!saturation(r.swAfter)) return "Sw after must be from 0 to 1.";
    if (!(r.mineral.modulusGPa > 0)) return "The mineral modulus must be above 0.";
    if (!(r.mineral.densityGcc > 0)) return "The mineral density must be above 0.";
    if (!(r.brine.modulusGPa > 0)) return "The brine modulus must be above 0.";
    if (!(r.brine.densityGcc > 0)) return "The brine density must be above 0.";
    if (!(r.hydrocarbon.modulusGPa > 0)) return "The hydrocarbon modulus must be above 0.";
    if (!(r.hydrocarbon.densityGcc > 0)) return "The hydrocarbon density must be above 0.";
    if (r.porosityCurve.empty()) {
        const double fluid = rockphysics::woodMix(r.swBefore, r.brine, r.hydrocarbon).densityGcc;
        if (!(r.matrixDensityGcc > fluid))
            return "The matrix density must be above the density of the fluid.";
    }
    return {};
}

FluidSubstitutionResult substituteFluid(const workspace::Workspace& ws,
                                        const FluidSubstitutionRequest& request) {
    FluidSubstitutionResult out;
    const ElasticRequest& e = request.elastic;
    compute::RockColumns rock;
    std::vector<double> porosity;
    try {
        rock = ws.rockColumns(e.curves.density, e.curves.pWave,
                              e.measuredVs ? e.curves.sWave : std::string(), e.units, e.vs,
                              e.litholog);
        if (!request.porosityCurve.empty()) {
            const auto& source = ws.source();
            porosity = source.visibleFloats(source.fieldIndex(request.porosityCurve));
            const double factor =
                rockphysics::porosityUnitFactor(ws.curveUnitText(request.porosityCurve));
            for (double& p : porosity) p *= factor;
        }
    } catch (const std::exception& x) {
        out.error = x.what();
        return out;
    }

    const rockphysics::Substitution s{
        request.mineral, rockphysics::woodMix(request.swBefore, request.brine, request.hydrocarbon),
        rockphysics::woodMix(request.swAfter, request.brine, request.hydrocarbon)};
    const auto& source = ws.source();
    out.rec = source.visibleFloats(0);
    out.depth = source.visibleFloats(ws.sourceDepthField());
    const std::size_t n = rock.vp.size();
    if (porosity.empty()) {
        // From the density: the rock's density in kg/m3 against the matrix's and the fluid's.
        porosity.resize(n);
        for (std::size_t i = 0; i < n; ++i)
            porosity[i] = rockphysics::porosityFromDensity(
                rock.rho[i] / 1000.0, request.matrixDensityGcc, s.fluidBefore.densityGcc);
    }
    out.porosity = porosity;
    out.vp = rock.vp;
    out.vs = rock.vs;
    out.rho = rock.rho;
    const double null = std::nan("");
    out.kDryGPa.assign(n, null);
    out.vpSub.assign(n, null);
    out.vsSub.assign(n, null);
    out.rhoSub.assign(n, null);
    for (std::size_t i = 0; i < n; ++i) {
        const auto r = rockphysics::substitute(rock.vp[i], rock.vs[i], rock.rho[i], porosity[i], s);
        ++out.leftOut[static_cast<std::size_t>(r.leftOut)];
        if (r.leftOut != LeftOut::None) continue;
        out.kDryGPa[i] = r.kDry / 1e9;
        out.vpSub[i] = r.vp;
        out.vsSub[i] = r.vs;
        out.rhoSub[i] = r.rho;
    }
    return out;
}

std::string fluidSubstitutionSummary(const FluidSubstitutionResult& r) {
    const long long done = r.leftOut[static_cast<std::size_t>(LeftOut::None)];
    std::string text = "Fluid substitution: " + std::to_string(done) + " samples substituted";
    auto add = [&](LeftOut why, const char* reason) {
        const long long n = r.leftOut[static_cast<std::size_t>(why)];
        if (n) text += ", " + std::to_string(n) + " left out (" + reason + ")";
    };
    add(LeftOut::PorosityOutOfRange, "porosity not between 0 and 1");
    add(LeftOut::DryModulusOutOfRange, "no dry frame between 0 and the mineral modulus");
    add(LeftOut::NoSaturatedRock, "no rock with the new fluid");
    add(LeftOut::NullInput, "a value missing");
    return text + ".";
}

std::vector<std::string> fluidSubstitutionTableLines(const FluidSubstitutionResult& r) {
    std::vector<std::string> lines{
        "Rec\tDepth\tPorosity\tK Dry\tVp\tVs\tRho\tVp Sub\tVs Sub\tRho Sub"};
    const std::vector<double>* columns[] = {&r.porosity, &r.kDryGPa, &r.vp,    &r.vs,
                                            &r.rho,      &r.vpSub,   &r.vsSub, &r.rhoSub};
    for (std::size_t i = 0; i < r.rec.size(); ++i) {
        std::string line = numberText(r.rec[i]) + '\t' + numberText(r.depth[i]);
        for (const auto* c : columns) {
            line += '\t';
            if (i < c->size() && !std::isnan((*c)[i]))
                line += numberText(compute::roundTo4((*c)[i]));
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

compute::ElasticColumns substitutedElastic(const FluidSubstitutionResult& r) {
    return compute::elasticOfRock(r.rec, r.depth, {r.vpSub, r.vsSub, r.rhoSub});
}

std::string saveFluidSubstitutionLas(const workspace::Workspace& ws,
                                     const FluidSubstitutionRequest& request,
                                     const FluidSubstitutionResult& result,
                                     const std::filesystem::path& target) {
    // Never over a file the well was read from.
    if (inputReplacedBy(target, ws.importInfo().sourceFiles)) return outputIsInputMessage(target);
    try {
        const compute::ElasticColumns table = substitutedElastic(result);
        using compute::ElasticField;
        auto curve = [&](const char* mnemonic, const char* unit, const char* description,
                         ElasticField field) {
            return exporter::LasCurve{mnemonic, unit, description, &table.columns[field]};
        };
        exporter::LasCurvesInput in;
        in.depthUnit = ws.unitTags().depthUnit;
        in.depth = result.depth;
        in.curves = {
            curve("VP", "M/S", "P-WAVE VELOCITY, SUBSTITUTED", compute::kVp),
            curve("VS", "M/S", "S-WAVE VELOCITY, SUBSTITUTED", compute::kVs),
            curve("RHO", "K/M3", "BULK DENSITY, SUBSTITUTED", compute::kRho),
            curve("PR", "", "POISSON RATIO", compute::kPoissonRatio),
            curve("LC", "GP", "LAME CONSTANT", compute::kLameConstant),
            curve("BM", "GP", "BULK MODULUS", compute::kBulkModulus),
            curve("SM", "GP", "SHEAR MODULUS", compute::kShearModulus),
            curve("YM", "GP", "YOUNG MODULUS", compute::kYoungModulus),
            curve("LR", "GPKG/M3", "LAME CONSTANT.DENSITY", compute::kLandaRho),
            curve("MR", "GPKG/M3", "SHEAR MODULUS.DENSITY", compute::kMiuRho),
            curve("L/M", "", "LAME CONSTANT/SHEAR MODULUS", compute::kLandaMiu),
            curve("VP/VS", "", "VP/VS", compute::kVpVs),
            curve("PI", "MG/SM2", "P-IMPEDANCE", compute::kPImpedance),
            curve("SI", "MG/SM2", "S-IMPEDANCE", compute::kSImpedance),
        };
        auto parameter = [](const char* mnemonic, const char* unit, double value,
                            const char* description) {
            std::string line(1, ' ');  // appended: g++ 12 warns falsely about " " + text
            line += mnemonic;
            line += '.';
            line += unit;
            line.append(line.size() < 17 ? 17 - line.size() : 1, ' ');
            return line + numberText(value) + " : " + description;
        };
        in.parameters = {
            parameter("SWFR", "", request.swBefore, "WATER SATURATION BEFORE"),
            parameter("SWTO", "", request.swAfter, "WATER SATURATION AFTER"),
            parameter("KMIN", "GPA", request.mineral.modulusGPa, "MINERAL BULK MODULUS"),
            parameter("KBRI", "GPA", request.brine.modulusGPa, "BRINE BULK MODULUS"),
            parameter("DBRI", "G/C3", request.brine.densityGcc, "BRINE DENSITY"),
            parameter("KHC", "GPA", request.hydrocarbon.modulusGPa, "HYDROCARBON BULK MODULUS"),
            parameter("DHC", "G/C3", request.hydrocarbon.densityGcc, "HYDROCARBON DENSITY"),
        };
        if (request.porosityCurve.empty())
            in.parameters.push_back(parameter("DMAT", "G/C3", request.matrixDensityGcc,
                                              "MATRIX DENSITY (POROSITY FROM DENSITY)"));
        else
            in.parameters.push_back(" PHIC.             " + request.porosityCurve +
                                    " : POROSITY CURVE");
        exporter::writeLasCurves(target, in);
        return {};
    } catch (const std::exception& e) {
        return e.what();
    }
}

}  // namespace lithora::commands
