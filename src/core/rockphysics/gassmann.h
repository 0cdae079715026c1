#pragma once
// Gassmann fluid substitution of one depth sample, with the fluids mixed by Wood's equation.
// SI inside: velocities in m/s, densities in kg/m3, moduli in Pa; the settings a user types
// are in GPa and g/cc and are converted once, by the functions that take them.
#include <optional>
#include <string_view>

namespace lithora::rockphysics {

// A pore fluid or a mineral: bulk modulus and density.
struct Phase {
    double modulusGPa = 0;
    double densityGcc = 0;
};

// The mineral presets of the substitution dialog.
inline constexpr Phase kQuartz{36.6, 2.65};
inline constexpr Phase kCalcite{76.8, 2.71};
inline constexpr Phase kDolomite{94.9, 2.87};
inline constexpr Phase kClay{20.9, 2.58};
// The fluid presets: brine, gas and oil.
inline constexpr Phase kBrine{2.8, 1.05};
inline constexpr Phase kGas{0.1, 0.25};
inline constexpr Phase kOil{1.0, 0.8};

// Brine and hydrocarbon mixed by Wood's equation at water saturation sw (0 to 1):
// K = 1 / (sw/Kb + (1 - sw)/Kh), rho = sw*rho_b + (1 - sw)*rho_h.
Phase woodMix(double sw, const Phase& brine, const Phase& hydrocarbon);

// Porosity (a fraction) from the bulk density: (rho_ma - rho_b) / (rho_ma - rho_fl). Densities
// in one unit, any; NaN where the bulk density is NaN or the matrix is not denser than the
// fluid.
double porosityFromDensity(double bulkDensity, double matrixDensity, double fluidDensity);

// The factor that makes a porosity curve's values fractions: 0.01 when its unit (parentheses
// dropped, letter case ignored) is "%", "PU" or "P.U.", else 1.
double porosityUnitFactor(std::string_view unitText);

// What the substitution needs beyond the logs: the mineral and the fluid before and after.
struct Substitution {
    Phase mineral = kQuartz;
    Phase fluidBefore;  // already mixed (woodMix)
    Phase fluidAfter;
};

// Why a sample has no substituted values.
enum class LeftOut {
    None,
    NullInput,             // a log value or the porosity is missing
    PorosityOutOfRange,    // porosity <= 0 or >= 1
    DryModulusOutOfRange,  // Kdry <= 0 or Kdry >= K0
    NoSaturatedRock,       // Ksat2 <= 0 or rho2 <= 0
};

// One substituted sample. kDry in Pa; vp, vs in m/s; rho in kg/m3; all NaN unless done.
struct SubstitutedSample {
    LeftOut leftOut = LeftOut::None;
    double kDry = 0, vp = 0, vs = 0, rho = 0;
};

// The rock of one sample (vp, vs m/s; rho kg/m3; porosity a fraction) with the pore fluid
// replaced: mu = rho*Vs^2, Ksat1 = rho*(Vp^2 - 4/3 Vs^2), Kdry from Ksat1 by Gassmann's
// equation solved for the frame, Ksat2 from Kdry with the new fluid, rho2 = rho + phi*(rho_fl2 -
// rho_fl1); the shear modulus does not change.
SubstitutedSample substitute(double vp, double vs, double rho, double porosity,
                             const Substitution& s);

}  // namespace lithora::rockphysics
