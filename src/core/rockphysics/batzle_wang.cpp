#include "core/rockphysics/batzle_wang.h"

#include <cmath>

namespace lithora::rockphysics {

namespace {

// The sound speed of pure water: sum of w[i][j] T^i P^j (the paper's table 1).
constexpr double kWater[5][4] = {
    {1402.85, 1.524, 3.437e-3, -1.197e-5},         {4.871, -0.0111, 1.739e-4, -1.628e-6},
    {-0.04783, 2.747e-4, -2.135e-6, 1.237e-8},     {1.487e-4, -6.503e-7, -1.455e-8, 1.327e-10},
    {-2.197e-7, 7.987e-10, 5.230e-11, -4.614e-13},
};

constexpr double kGasConstant = 8.31441;  // J / (mol K)

// K (GPa) of a fluid of density rho (g/cc) and sound speed v (m/s).
double modulusGPa(double densityGcc, double velocity) {
    return densityGcc * 1000.0 * velocity * velocity / 1e9;
}

double pureWaterDensity(double t, double p) {
    return 1 +
           1e-6 * (-80 * t - 3.3 * t * t + 0.00175 * t * t * t + 489 * p - 2 * t * p +
                   0.016 * t * t * p - 1.3e-5 * t * t * t * p - 0.333 * p * p - 0.002 * t * p * p);
}

double pureWaterVelocity(double t, double p) {
    double v = 0, ti = 1;
    for (const auto& row : kWater) {
        double pj = 1;
        for (double w : row) {
            v += w * ti * pj;
            pj *= p;
        }
        ti *= t;
    }
    return v;
}

}  // namespace

FluidProperties waterProperties(double temperatureC, double pressureMPa) {
    FluidProperties f;
    f.velocity = pureWaterVelocity(temperatureC, pressureMPa);
    f.phase.densityGcc = pureWaterDensity(temperatureC, pressureMPa);
    f.phase.modulusGPa = modulusGPa(f.phase.densityGcc, f.velocity);
    return f;
}

FluidProperties brineProperties(double temperatureC, double pressureMPa, double salinityPpm) {
    const double t = temperatureC, p = pressureMPa, s = salinityPpm / 1e6;
    FluidProperties f;
    f.phase.densityGcc =
        pureWaterDensity(t, p) +
        s * (0.668 + 0.44 * s +
             1e-6 * (300 * p - 2400 * p * s + t * (80 + 3 * t - 3300 * s - 13 * p + 47 * p * s)));
    f.velocity = pureWaterVelocity(t, p) +
                 s * (1170 - 9.6 * t + 0.055 * t * t - 8.5e-5 * t * t * t + 2.6 * p -
                      0.0029 * t * p - 0.0476 * p * p) +
                 std::pow(s, 1.5) * (780 - 10 * p + 0.16 * p * p) - 1820 * s * s;
    f.phase.modulusGPa = modulusGPa(f.phase.densityGcc, f.velocity);
    return f;
}

FluidProperties gasProperties(double temperatureC, double pressureMPa, double gasGravity) {
    const double g = gasGravity, p = pressureMPa;
    const double ta = temperatureC + 273.15;
    // Pseudo-reduced pressure and temperature.
    const double ppr = p / (4.892 - 0.4048 * g);
    const double tpr = ta / (94.72 + 170.75 * g);
    const double a = 0.03 + 0.00527 * std::pow(3.5 - tpr, 3);
    const double b = 0.642 * tpr - 0.007 * std::pow(tpr, 4) - 0.52;
    const double c = 0.109 * std::pow(3.85 - tpr, 2);
    const double e = 0.45 + 8 * std::pow(0.56 - 1 / tpr, 2);
    const double d = std::exp(-e * std::pow(ppr, 1.2) / tpr);
    const double z = a * ppr + b + c * d;
    const double dzdppr = a - c * d * 1.2 * e * std::pow(ppr, 0.2) / tpr;
    const double gamma0 =
        0.85 + 5.6 / (ppr + 2) + 27.1 / std::pow(ppr + 3.5, 2) - 8.7 * std::exp(-0.65 * (ppr + 1));

    FluidProperties f;
    f.phase.densityGcc = 28.8 * g * p / (z * kGasConstant * ta);
    f.phase.modulusGPa = p * gamma0 / (1 - ppr / z * dzdppr) / 1000.0;
    f.velocity = std::sqrt(f.phase.modulusGPa * 1e9 / (f.phase.densityGcc * 1000.0));
    return f;
}

FluidProperties oilProperties(double temperatureC, double pressureMPa, double api,
                              double gasOilRatio, double gasGravity) {
    const double t = temperatureC, p = pressureMPa, rg = gasOilRatio, g = gasGravity;
    const double rho0 = 141.5 / (api + 131.5);
    FluidProperties f;
    double velocityDensity = rho0;
    if (rg > 0) {
        // Gas in solution swells the oil (formation volume factor b0) and slows it as a
        // lighter oil of the pseudo-density would be.
        const double b0 =
            0.972 + 0.00038 * std::pow(2.4 * rg * std::sqrt(g / rho0) + t + 17.8, 1.175);
        velocityDensity = rho0 / b0 / (1 + 0.001 * rg);
        f.phase.densityGcc = (rho0 + 0.0012 * g * rg) / b0;
    } else {
        const double atPressure =
            rho0 + (0.00277 * p - 1.71e-7 * p * p * p) * std::pow(rho0 - 1.15, 2) + 3.49e-4 * p;
        f.phase.densityGcc = atPressure / (0.972 + 3.81e-4 * std::pow(t + 17.78, 1.175));
    }
    const double r = velocityDensity;
    f.velocity = 2096 * std::sqrt(r / (2.6 - r)) - 3.7 * t + 4.64 * p +
                 0.0115 * (4.12 * std::sqrt(1.08 / r - 1) - 1) * t * p;
    f.phase.modulusGPa = modulusGPa(f.phase.densityGcc, f.velocity);
    return f;
}

}  // namespace lithora::rockphysics
