#pragma once
// Fluid substitution along the well: the rock of the elastic computation (same curves, units
// and Vs) with its pore fluid replaced by Gassmann's equation at every depth.
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "core/commands/compute_elastic.h"
#include "core/rockphysics/gassmann.h"

namespace lithora::commands {

struct FluidSubstitutionRequest {
    ElasticRequest elastic;     // the curves, units and Vs of the elastic computation
    std::string porosityCurve;  // a source curve; empty: porosity from the density
    double matrixDensityGcc = 2.65;
    rockphysics::Phase mineral = rockphysics::kQuartz;
    rockphysics::Phase brine = rockphysics::kBrine;
    rockphysics::Phase hydrocarbon = rockphysics::kGas;
    double swBefore = 1, swAfter = 1;  // water saturation, 0 to 1
};

// One row per visible source record. Porosity is a fraction, kDry in GPa, velocities in m/s,
// densities in kg/m3; NaN for a null. Porosity, vp, vs and rho are there wherever they exist;
// kDry and the three substituted columns only where the sample was substituted.
struct FluidSubstitutionResult {
    std::vector<double> rec, depth, porosity, kDryGPa, vp, vs, rho, vpSub, vsSub, rhoSub;
    // Samples left out, by reason (rockphysics::LeftOut as index).
    std::array<long long, 5> leftOut{};
    std::string error;  // the message when nothing could be computed, else empty

    // Samples left out for a physical reason (porosity, frame or result out of range).
    long long leftOutPhysically() const;
};

// Checks the ranges of the settings: an empty text when they are usable, else what is wrong,
// naming the setting ("Sw before must be from 0 to 1.").
std::string checkFluidSettings(const FluidSubstitutionRequest& request);

FluidSubstitutionResult substituteFluid(const workspace::Workspace& ws,
                                        const FluidSubstitutionRequest& request);

// The status text after a substitution: how many samples were substituted and how many were
// left out for a physical reason, never silently.
std::string fluidSubstitutionSummary(const FluidSubstitutionResult& result);

// The table of lithora-cli fluidsub --table: "Rec", "Depth", "Porosity", "K Dry", "Vp", "Vs",
// "Rho", "Vp Sub", "Vs Sub", "Rho Sub", then one line per record; every value rounded to 4
// decimals, ties to even, in the program's number text; a null is an empty cell.
std::vector<std::string> fluidSubstitutionTableLines(const FluidSubstitutionResult& result);

// The elastic table of the substituted rock: the parameters of Vp Sub, Vs Sub and Rho Sub,
// evaluated and rounded as the elastic computation does; rows not substituted are null.
compute::ElasticColumns substitutedElastic(const FluidSubstitutionResult& result);

// Writes the substituted rock as a LAS 2.0 file (lithora-cli fluidsub -o, the desktop's Save
// as LAS): DEPT, then VP, VS, RHO and the other elastic parameters of the substituted rock, a
// null where the sample was not substituted; the settings in its parameter section. An empty
// text when written, else the message; target is untouched on failure.
std::string saveFluidSubstitutionLas(const workspace::Workspace& ws,
                                     const FluidSubstitutionRequest& request,
                                     const FluidSubstitutionResult& result,
                                     const std::filesystem::path& target);

}  // namespace lithora::commands
