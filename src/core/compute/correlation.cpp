#include "core/compute/correlation.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <unordered_map>

namespace lithora::compute {

double correlationCoefficient(std::span<const double> x, std::span<const double> y) {
    const std::size_t n = std::min(x.size(), y.size());
    auto paired = [&](std::size_t i) { return !std::isnan(x[i]) && !std::isnan(y[i]); };

    std::size_t pairs = 0;
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (!paired(i)) continue;
        if (pairs++ == 0) {
            minX = maxX = x[i];
            minY = maxY = y[i];
        } else {
            minX = std::min(minX, x[i]);
            maxX = std::max(maxX, x[i]);
            minY = std::min(minY, y[i]);
            maxY = std::max(maxY, y[i]);
        }
    }
    // A constant column is decided on the samples themselves: its mean, computed in floating
    // point, need not equal the constant, and the tiny deviations would give any coefficient.
    if (pairs == 0 || minX == maxX || minY == maxY) return 0;
    if (!std::isfinite(minX) || !std::isfinite(maxX) || !std::isfinite(minY) ||
        !std::isfinite(maxY))
        return 0;

    // The samples are scaled by a power of two (exact) to magnitudes near 1, so that neither
    // the sums nor the squares of deviations overflow for very large values.
    auto scaleFor = [](double lo, double hi) {
        const int e = std::clamp(std::ilogb(std::max(std::fabs(lo), std::fabs(hi))), -1022, 1022);
        return std::ldexp(1.0, -e);
    };
    const double kx = scaleFor(minX, maxX), ky = scaleFor(minY, maxY);

    double sumX = 0, sumY = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (!paired(i)) continue;
        sumX += x[i] * kx;
        sumY += y[i] * ky;
    }
    const double meanX = sumX / static_cast<double>(pairs);
    const double meanY = sumY / static_cast<double>(pairs);

    double sxx = 0, syy = 0, sxy = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (!paired(i)) continue;
        const double dx = x[i] * kx - meanX;
        const double dy = y[i] * ky - meanY;
        sxx += dx * dx;
        syy += dy * dy;
        sxy += dx * dy;
    }
    const double d = std::sqrt(sxx) * std::sqrt(syy);
    if (!(d > 0) || !std::isfinite(d)) return 0;
    const double r = sxy / d;
    if (!std::isfinite(r)) return 0;
    return std::clamp(r, -1.0, 1.0);
}

std::string coefficientText(double r, char decimalSeparator) {
    if (!std::isfinite(r)) r = 0;
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.4f", r);
    std::string text = buf;
    if (text == "-0.0000") text.erase(0, 1);
    if (auto dot = text.find('.'); dot != std::string::npos) text[dot] = decimalSeparator;
    return text;
}

std::vector<double> referenceByRec(std::span<const double> sourceRec,
                                   std::span<const double> reference,
                                   std::span<const double> elasticRec) {
    constexpr double kNull = std::numeric_limits<double>::quiet_NaN();
    std::vector<double> out(elasticRec.size(), kNull);
    const std::size_t n = std::min(sourceRec.size(), reference.size());

    // Both tables keep their records in "Rec" order, so the usual case is one merge walk;
    // records in any other order are paired through a map.
    auto ascending = [](std::span<const double> r) {
        for (std::size_t i = 1; i < r.size(); ++i)
            if (!(r[i - 1] < r[i])) return false;
        return true;
    };
    if (ascending(sourceRec.first(n)) && ascending(elasticRec)) {
        std::size_t s = 0;
        for (std::size_t e = 0; e < elasticRec.size(); ++e) {
            while (s < n && sourceRec[s] < elasticRec[e]) ++s;
            if (s < n && sourceRec[s] == elasticRec[e]) out[e] = reference[s];
        }
        return out;
    }
    std::unordered_map<double, double> byRec;
    byRec.reserve(n);
    for (std::size_t i = 0; i < n; ++i)
        if (!std::isnan(sourceRec[i])) byRec.emplace(sourceRec[i], reference[i]);
    for (std::size_t e = 0; e < elasticRec.size(); ++e) {
        auto it = byRec.find(elasticRec[e]);
        if (it != byRec.end()) out[e] = it->second;
    }
    return out;
}

std::vector<CorrelationRow> correlationRows(const CorrelationInput& in) {
    std::vector<CorrelationRow> rows;
    rows.reserve(in.sourceCurves.size() + in.elasticFields.size());
    for (const auto& c : in.sourceCurves)
        rows.push_back({c.name, correlationCoefficient(in.reference, c.values)});
    if (!in.elasticFields.empty()) {
        const auto paired = referenceByRec(in.sourceRec, in.reference, in.elasticRec);
        for (const auto& c : in.elasticFields)
            rows.push_back({c.name, correlationCoefficient(paired, c.values)});
    }
    return rows;
}

}  // namespace lithora::compute
