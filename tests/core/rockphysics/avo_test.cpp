#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "core/rockphysics/avo.h"

using namespace lithora::rockphysics;

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
double degrees(double d) {
    return d * std::numbers::pi / 180;
}
}  // namespace

// A shale over a gas sand: both intercept and gradient negative, the reflection growing
// stronger with angle (class III). Worked by hand from the three-term equation.
TEST(Avo, ShaleOverGasSandIsClassThree) {
    const auto t = interfaceTerms(2192, 818, 2.16, 1543, 901, 1.88);
    EXPECT_NEAR(t.intercept, -0.243069, 1e-6);
    EXPECT_NEAR(t.gradient, -0.196859, 1e-6);
    EXPECT_NEAR(t.curvature, -0.173762, 1e-6);
    EXPECT_NEAR(t.at(0), t.intercept, 1e-15);
    EXPECT_NEAR(t.at(degrees(30)), -0.306764, 1e-6);
    EXPECT_LT(t.at(degrees(30)), t.at(degrees(10)));
    // Upside down, every term changes sign to first order: the same magnitudes, opposite sign.
    const auto up = interfaceTerms(1543, 901, 1.88, 2192, 818, 2.16);
    EXPECT_GT(up.intercept, 0);
    EXPECT_NEAR(up.intercept, -t.intercept, 1e-12);
}

TEST(Avo, EqualLayersReflectNothing) {
    const auto t = interfaceTerms(3000, 1600, 2.4, 3000, 1600, 2.4);
    EXPECT_EQ(t.intercept, 0);
    EXPECT_EQ(t.gradient, 0);
    EXPECT_EQ(t.curvature, 0);
    for (double a : {0.0, 15.0, 40.0}) EXPECT_EQ(t.at(degrees(a)), 0);
}

// The Ricker wavelet peaks at 1 in its centre, is symmetric, and crosses zero at
// +-1/(pi f sqrt 2): 8 ms for the frequency chosen here, so a 2 ms step lands on it.
TEST(Avo, RickerWaveletPeakAndZeroCrossings) {
    const double f = 1 / (std::numbers::pi * std::sqrt(2.0) * 0.008);
    const auto w = rickerWavelet(f, 2, 40);
    ASSERT_EQ(w.size(), 41u);
    const std::size_t centre = 20;
    EXPECT_DOUBLE_EQ(w[centre], 1);
    for (std::size_t i = 0; i < w.size(); ++i) EXPECT_NEAR(w[i], w[w.size() - 1 - i], 1e-15);
    EXPECT_NEAR(w[centre + 4], 0, 1e-12);
    EXPECT_GT(w[centre + 3], 0);
    EXPECT_LT(w[centre + 5], 0);
    for (double v : w) EXPECT_LE(v, 1);
}

// A log of constant velocity: two-way time grows by 2 dz / Vp per sample.
TEST(Avo, TwoWayTimeOfAConstantVelocityLog) {
    std::vector<double> depth, vp;
    for (int i = 0; i <= 10; ++i) {
        depth.push_back(1000 + 10 * i);
        vp.push_back(2000);
    }
    auto twt = twoWayTimes(depth, vp, false);
    for (int i = 0; i <= 10; ++i) EXPECT_NEAR(twt[i], 10.0 * i, 1e-9);
    twt = twoWayTimes(depth, vp, true);
    EXPECT_NEAR(twt[10], 100 * 0.3048, 1e-9);

    // A sample without Vp has no time, and the next one counts from the one above it.
    vp[3] = kNaN;
    twt = twoWayTimes(depth, vp, false);
    EXPECT_TRUE(std::isnan(twt[3]));
    EXPECT_NEAR(twt[4], 40, 1e-9);
    EXPECT_NEAR(twt[10], 100, 1e-9);
}

// Interfaces only between consecutive samples that both have the three logs.
TEST(Avo, InterfacesOfAWell) {
    const std::vector<double> depth = {100, 101, 102, 103, 104};
    const std::vector<double> vp = {2000, 2000, 2500, 2500, 2500};
    const std::vector<double> vs = {1000, 1000, 1200, kNaN, 1200};
    const std::vector<double> rho = {2.2, 2.2, 2.3, 2.3, 2.3};
    const auto w = wellInterfaces(depth, vp, vs, rho, false);
    ASSERT_EQ(w.depth, (std::vector<double>{101, 102}));
    EXPECT_NEAR(w.twtMs[0], 1, 1e-12);
    EXPECT_NEAR(w.twtMs[1], 2, 1e-12);
    EXPECT_EQ(w.reflections[0].terms.intercept, 0);
    EXPECT_GT(w.reflections[1].terms.intercept, 0);
}

// A synthetic trace: each reflection at its time, shaped by the wavelet.
TEST(Avo, SyntheticTracePlacesEachReflection) {
    const std::vector<double> wavelet = {-0.25, 1, -0.25};
    Reflection r;
    r.twtMs = 20;
    r.terms.intercept = 0.1;
    r.terms.gradient = -0.2;
    const std::vector<Reflection> reflections = {r};
    const auto near = syntheticTrace(reflections, 0, wavelet, 2);
    ASSERT_EQ(near.size(), 11u);
    EXPECT_NEAR(near[10], 0.1, 1e-15);
    EXPECT_NEAR(near[9], -0.025, 1e-15);
    for (int i = 0; i < 9; ++i) EXPECT_EQ(near[i], 0);
    const auto far = syntheticTrace(reflections, degrees(30), wavelet, 2);
    EXPECT_NEAR(far[10], r.terms.at(degrees(30)), 1e-15);
    EXPECT_TRUE(syntheticTrace({}, 0, wavelet, 2).empty());
}
