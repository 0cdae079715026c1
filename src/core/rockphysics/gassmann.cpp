#include "core/rockphysics/gassmann.h"

#include <cctype>
#include <cmath>
#include <limits>
#include <string>

namespace lithora::rockphysics {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kPaPerGPa = 1e9;
constexpr double kKgM3PerGcc = 1000;

SubstitutedSample leftOut(LeftOut why) {
    return {why, kNaN, kNaN, kNaN, kNaN};
}

}  // namespace

Phase woodMix(double sw, const Phase& brine, const Phase& hydrocarbon) {
    Phase mix;
    mix.modulusGPa = 1.0 / (sw / brine.modulusGPa + (1.0 - sw) / hydrocarbon.modulusGPa);
    mix.densityGcc = sw * brine.densityGcc + (1.0 - sw) * hydrocarbon.densityGcc;
    return mix;
}

double porosityFromDensity(double bulkDensity, double matrixDensity, double fluidDensity) {
    if (std::isnan(bulkDensity) || !(matrixDensity > fluidDensity)) return kNaN;
    return (matrixDensity - bulkDensity) / (matrixDensity - fluidDensity);
}

double porosityUnitFactor(std::string_view unitText) {
    std::string u;
    for (char c : unitText)
        if (c != '(' && c != ')' && c != ' ')
            u += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return u == "%" || u == "PU" || u == "P.U." ? 0.01 : 1.0;
}

SubstitutedSample substitute(double vp, double vs, double rho, double porosity,
                             const Substitution& s) {
    if (std::isnan(vp) || std::isnan(vs) || std::isnan(rho) || std::isnan(porosity))
        return leftOut(LeftOut::NullInput);
    if (porosity <= 0 || porosity >= 1) return leftOut(LeftOut::PorosityOutOfRange);

    const double k0 = s.mineral.modulusGPa * kPaPerGPa;
    const double kFl1 = s.fluidBefore.modulusGPa * kPaPerGPa;
    const double kFl2 = s.fluidAfter.modulusGPa * kPaPerGPa;
    const double phi = porosity;

    const double mu = rho * vs * vs;
    const double kSat1 = rho * (vp * vp - 4.0 / 3.0 * vs * vs);
    const double a = phi * k0 / kFl1;
    const double kDry = (kSat1 * (a + 1 - phi) - k0) / (a + kSat1 / k0 - 1 - phi);
    if (!(kDry > 0 && kDry < k0)) return leftOut(LeftOut::DryModulusOutOfRange);

    const double frame = 1 - kDry / k0;
    const double kSat2 = kDry + frame * frame / (phi / kFl2 + (1 - phi) / k0 - kDry / (k0 * k0));
    const double rho2 =
        rho + phi * (s.fluidAfter.densityGcc - s.fluidBefore.densityGcc) * kKgM3PerGcc;
    if (!(kSat2 > 0 && rho2 > 0)) return leftOut(LeftOut::NoSaturatedRock);

    SubstitutedSample out;
    out.kDry = kDry;
    out.rho = rho2;
    out.vp = std::sqrt((kSat2 + 4.0 / 3.0 * mu) / rho2);
    out.vs = std::sqrt(mu / rho2);
    return out;
}

}  // namespace lithora::rockphysics
