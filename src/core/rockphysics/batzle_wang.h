#pragma once
// Pore-fluid properties from the conditions in the reservoir (Batzle and Wang 1992,
// Geophysics 57(11)): brine from temperature, pressure and salinity; gas from its gravity;
// live oil from its API gravity, gas-oil ratio and gas gravity. Temperatures in degrees
// Celsius, pressures in MPa; results as Phase (bulk modulus GPa, density g/cc).
#include "core/rockphysics/gassmann.h"

namespace lithora::rockphysics {

// Sound speed (m/s) and density (g/cc) as well as the modulus, for checking against the
// paper's figures.
struct FluidProperties {
    double velocity = 0;  // m/s
    Phase phase;
};

// Pure water, then sodium-chloride brine of salinity in ppm (parts per million by weight).
FluidProperties waterProperties(double temperatureC, double pressureMPa);
FluidProperties brineProperties(double temperatureC, double pressureMPa, double salinityPpm);

// A hydrocarbon gas of gravity G (its density over air's at 15.6 C and one atmosphere).
FluidProperties gasProperties(double temperatureC, double pressureMPa, double gasGravity);

// Live oil of API gravity api with gasOilRatio litres of gas per litre of oil (at the surface)
// of gravity gasGravity; gasOilRatio 0 is dead oil.
FluidProperties oilProperties(double temperatureC, double pressureMPa, double api,
                              double gasOilRatio, double gasGravity);

}  // namespace lithora::rockphysics
