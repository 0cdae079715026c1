#include "core/chart/axis_fit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace lithora {

namespace {

// value * 10 with the noise of binary fractions removed: 9.9 * 10 is 98.99999999999999 in
// binary, which floor would turn into 98. A scaled value within a few parts in 10^10 of an
// integer is that integer; the 1 % margin keeps the data inside the range either way.
double scaledTenths(double value) {
    const double s = value * 10.0;
    const double nearest = std::nearbyint(s);
    if (std::fabs(s - nearest) <= 1e-9 * std::fmax(1.0, std::fabs(s))) return nearest;
    return s;
}

}  // namespace

AxisRange rescaleLimits(double minX, double maxX) {
    if (!std::isfinite(minX) || !std::isfinite(maxX)) return {};
    const double low = minX - std::fabs(minX) / 100.0;
    const double high = maxX + std::fabs(maxX) / 100.0;
    double lo = std::floor(scaledTenths(low)) / 10.0;
    double hi = std::ceil(scaledTenths(high)) / 10.0;
    if (lo == 0.0) lo = 0.0;  // no negative zero on the axis
    if (hi == 0.0) hi = 0.0;
    if (hi < lo) std::swap(lo, hi);
    return {lo, hi};
}

ColumnExtent columnExtent(const double* values, std::size_t count) {
    ColumnExtent e;
    for (std::size_t i = 0; i < count; ++i) {
        const double v = values[i];
        if (!std::isfinite(v)) continue;
        if (!e.hasValue) {
            e.min = e.max = v;
            e.hasValue = true;
        } else {
            if (v < e.min) e.min = v;
            if (v > e.max) e.max = v;
        }
    }
    return e;
}

int graphPageWidth(int sourceFieldCount, bool elasticHasRecords, int currentWidth) {
    if (sourceFieldCount == 0) return currentWidth;
    const int tracks = sourceFieldCount - 2;
    if (elasticHasRecords) return (tracks + 13) * kTrackWidth + 600;
    const int w = tracks * kTrackWidth + 600;
    // Never narrower than the tracks need: a page left wider than w by an earlier showing
    // would otherwise be cut back to 1000 and hide the last tracks.
    return w > 1000 ? w : 1000;
}

std::string axisLabelText(double v, char decimalSep, char groupSep) {
    if (!std::isfinite(v)) return {};
    // Half away from zero at the third decimal, applied to the value as the program shows
    // it (15 significant digits), so 2.0005 gives 2.001 although its binary form lies just
    // below, and 0.0004996 is not rounded twice into 0.001.
    const double a = std::fabs(v);
    const int exp10 = a > 0 ? static_cast<int>(std::floor(std::log10(a))) : 0;
    const int precision = std::max(4, 14 - exp10);
    char buf[512];
    std::snprintf(buf, sizeof buf, "%.*f", precision, a);
    std::string digits(buf);
    const auto dot = digits.find('.');
    std::string intPart = digits.substr(0, dot);
    std::string frac = digits.substr(dot + 1, 3);
    const bool roundUp = digits[dot + 4] >= '5';
    if (roundUp) {
        std::string all = intPart + frac;
        int i = static_cast<int>(all.size()) - 1;
        while (i >= 0 && all[static_cast<std::size_t>(i)] == '9')
            all[static_cast<std::size_t>(i--)] = '0';
        if (i < 0)
            all.insert(all.begin(), '1');
        else
            ++all[static_cast<std::size_t>(i)];
        intPart = all.substr(0, all.size() - 3);
        frac = all.substr(all.size() - 3);
    }
    while (!frac.empty() && frac.back() == '0') frac.pop_back();
    std::size_t lead = 0;
    while (lead + 1 < intPart.size() && intPart[lead] == '0') ++lead;
    intPart.erase(0, lead);
    const bool zero = intPart == "0" && frac.empty();

    std::string out;
    if (v < 0 && !zero) out += '-';
    const std::size_t n = intPart.size();
    for (std::size_t i = 0; i < n; ++i) {
        out += intPart[i];
        const std::size_t left = n - 1 - i;
        if (left > 0 && left % 3 == 0) out += groupSep;
    }
    if (!frac.empty()) {
        out += decimalSep;
        out += frac;
    }
    return out;
}

Rgb trackPaletteColour(int entry) {
    static constexpr std::array<Rgb, kTrackPaletteSize> palette{{
        {92, 185, 0},
        {0, 128, 255},
        {0, 128, 192},
        {255, 0, 0},
        {0, 128, 0},
        {128, 64, 64},
        {128, 0, 255},
        {64, 128, 128},
        {128, 128, 0},
    }};
    const int e = ((entry % kTrackPaletteSize) + kTrackPaletteSize) % kTrackPaletteSize;
    return palette[static_cast<std::size_t>(e)];
}

int trackPaletteEntry(int ordinal) {
    return (((ordinal - 1) % kTrackPaletteSize) + kTrackPaletteSize) % kTrackPaletteSize;
}

}  // namespace lithora
