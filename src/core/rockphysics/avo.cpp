#include "core/rockphysics/avo.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace lithora::rockphysics {

double InterfaceTerms::at(double angleRadians) const {
    const double s = std::sin(angleRadians);
    const double t = std::tan(angleRadians);
    return intercept + gradient * s * s + curvature * (t * t - s * s);
}

InterfaceTerms interfaceTerms(double vp1, double vs1, double rho1, double vp2, double vs2,
                              double rho2) {
    const double vp = (vp1 + vp2) / 2, vs = (vs1 + vs2) / 2, rho = (rho1 + rho2) / 2;
    const double dvp = (vp2 - vp1) / vp, dvs = (vs2 - vs1) / vs, drho = (rho2 - rho1) / rho;
    const double k = vs / vp;
    InterfaceTerms t;
    t.intercept = 0.5 * (dvp + drho);
    t.gradient = 0.5 * dvp - 2 * k * k * (drho + 2 * dvs);
    t.curvature = 0.5 * dvp;
    return t;
}

std::vector<double> twoWayTimes(std::span<const double> depth, std::span<const double> vp,
                                bool depthInFeet) {
    const double toMetres = depthInFeet ? 0.3048 : 1.0;
    std::vector<double> twt(vp.size(), std::nan(""));
    double time = 0, lastDepth = 0, lastVp = 0;
    bool started = false;
    for (std::size_t r = 0; r < vp.size() && r < depth.size(); ++r) {
        if (std::isnan(vp[r]) || std::isnan(depth[r])) continue;
        const double z = depth[r] * toMetres;
        if (started) time += 2 * std::fabs(z - lastDepth) / lastVp * 1000.0;
        twt[r] = time;
        started = true;
        lastDepth = z;
        lastVp = vp[r];
    }
    return twt;
}

WellInterfaces wellInterfaces(std::span<const double> depth, std::span<const double> vp,
                              std::span<const double> vs, std::span<const double> rho,
                              bool depthInFeet) {
    const std::size_t n = std::min({depth.size(), vp.size(), vs.size(), rho.size()});
    auto complete = [&](std::size_t r) {
        return !std::isnan(depth[r]) && !std::isnan(vp[r]) && !std::isnan(vs[r]) &&
               !std::isnan(rho[r]);
    };
    // The time runs over the samples that have all three logs.
    std::vector<double> vpComplete(n, std::nan(""));
    for (std::size_t r = 0; r < n; ++r)
        if (complete(r)) vpComplete[r] = vp[r];
    const auto twt = twoWayTimes(depth.first(n), vpComplete, depthInFeet);

    WellInterfaces w;
    for (std::size_t r = 1; r < n; ++r) {
        if (!complete(r - 1) || !complete(r)) continue;
        w.depth.push_back(depth[r]);
        w.twtMs.push_back(twt[r]);
        w.reflections.push_back(
            {twt[r], interfaceTerms(vp[r - 1], vs[r - 1], rho[r - 1], vp[r], vs[r], rho[r])});
    }
    return w;
}

std::vector<double> rickerWavelet(double peakFrequencyHz, double stepMs, double halfLengthMs) {
    const int half = static_cast<int>(std::floor(halfLengthMs / stepMs + 1e-9));
    std::vector<double> w;
    w.reserve(static_cast<std::size_t>(2 * half + 1));
    const double pf = std::numbers::pi * peakFrequencyHz;
    for (int i = -half; i <= half; ++i) {
        const double t = i * stepMs / 1000.0;
        const double x = pf * pf * t * t;
        w.push_back((1 - 2 * x) * std::exp(-x));
    }
    return w;
}

std::vector<double> syntheticTrace(std::span<const Reflection> reflections, double angleRadians,
                                   std::span<const double> wavelet, double stepMs) {
    if (reflections.empty() || stepMs <= 0) return {};
    double last = 0;
    for (const auto& r : reflections) last = std::max(last, r.twtMs);
    const auto samples = static_cast<std::size_t>(std::floor(last / stepMs + 0.5)) + 1;
    std::vector<double> spikes(samples, 0.0);
    for (const auto& r : reflections) {
        if (!(r.twtMs >= 0)) continue;
        const auto i = static_cast<std::size_t>(std::floor(r.twtMs / stepMs + 0.5));
        spikes[std::min(i, samples - 1)] += r.terms.at(angleRadians);
    }
    std::vector<double> trace(samples, 0.0);
    const auto centre = static_cast<std::ptrdiff_t>(wavelet.size() / 2);
    for (std::size_t i = 0; i < samples; ++i) {
        if (spikes[i] == 0) continue;
        for (std::size_t k = 0; k < wavelet.size(); ++k) {
            const auto j = static_cast<std::ptrdiff_t>(i) + static_cast<std::ptrdiff_t>(k) - centre;
            if (j >= 0 && j < static_cast<std::ptrdiff_t>(samples))
                trace[static_cast<std::size_t>(j)] += spikes[i] * wavelet[k];
        }
    }
    return trace;
}

}  // namespace lithora::rockphysics
