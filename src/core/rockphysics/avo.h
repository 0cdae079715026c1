#pragma once
// Amplitude versus angle along the well: the reflection of each interface between two
// consecutive samples by the three-term Aki-Richards form (after Shuey), the two-way time of
// each sample, and a synthetic angle gather made with a zero-phase Ricker wavelet.
// Velocities in m/s, densities in any one unit, depths in metres, times in milliseconds.
#include <span>
#include <vector>

namespace lithora::rockphysics {

// The terms of one interface: R(theta) = A + B sin^2 theta + C (tan^2 theta - sin^2 theta).
struct InterfaceTerms {
    double intercept = 0, gradient = 0, curvature = 0;
    double at(double angleRadians) const;
};

// The terms of the interface from an upper layer (vp1, vs1, rho1) to a lower one, with the
// averages x = (x1 + x2)/2 and contrasts dx = x2 - x1: A = (dVp/Vp + drho/rho)/2,
// B = dVp/(2Vp) - 2 (Vs/Vp)^2 (drho/rho + 2 dVs/Vs), C = dVp/(2Vp).
InterfaceTerms interfaceTerms(double vp1, double vs1, double rho1, double vp2, double vs2,
                              double rho2);

// One reflection of the well: the interface's two-way time and its terms.
struct Reflection {
    double twtMs = 0;
    InterfaceTerms terms;
};

// Two-way time in ms of each sample: 0 at the first sample that has vp (and depth); each next
// sample with vp adds 2 |dz| / vp of the sample above it that has one. Depths in metres (or in
// feet with depthInFeet, times 0.3048). NaN where a sample has no vp or depth.
std::vector<double> twoWayTimes(std::span<const double> depth, std::span<const double> vp,
                                bool depthInFeet);

// The interfaces of a well: every pair of consecutive samples (table order) that both have vp,
// vs, rho and a depth; the depth and two-way time are the pair's second sample's.
struct WellInterfaces {
    std::vector<double> depth, twtMs;
    std::vector<Reflection> reflections;
};
WellInterfaces wellInterfaces(std::span<const double> depth, std::span<const double> vp,
                              std::span<const double> vs, std::span<const double> rho,
                              bool depthInFeet);

// A Ricker wavelet of peak frequency f (Hz) sampled every dt ms from -halfLength to halfLength:
// (1 - 2 pi^2 f^2 t^2) exp(-pi^2 f^2 t^2). Its centre sample is 1; it crosses zero at
// t = +-1 / (pi f sqrt(2)).
std::vector<double> rickerWavelet(double peakFrequencyHz, double stepMs, double halfLengthMs);

// The synthetic trace of one angle on a regular time axis from 0 in steps of stepMs covering
// the last reflection: each reflection's coefficient placed at the nearest sample, convolved
// with the wavelet (centred).
std::vector<double> syntheticTrace(std::span<const Reflection> reflections, double angleRadians,
                                   std::span<const double> wavelet, double stepMs);

}  // namespace lithora::rockphysics
