#include "core/rockphysics/lithology_vs.h"

#include <algorithm>
#include <cmath>

namespace lithora::rockphysics {

std::optional<RockClass> rockClassOf(std::string_view lithology) {
    const auto space = lithology.find_last_of(' ');
    const std::string_view last =
        space == std::string_view::npos ? lithology : lithology.substr(space + 1);
    if (last == "Sandstone" || last == "Sand") return RockClass::Sandstone;
    if (last == "Limestone") return RockClass::Limestone;
    if (last == "Dolomite") return RockClass::Dolomite;
    if (last == "Shale" || last == "Mudstone" || last == "Claystone" || last == "Siltstone")
        return RockClass::Shale;
    return std::nullopt;
}

long double greenbergCastagnaVs(long double vp, RockClass rockClass) {
    const VsLine& line = kGreenbergCastagnaLines[static_cast<std::size_t>(rockClass)];
    const long double v = vp / 1000;
    return (line.a2 * v * v + line.a1 * v + line.a0) * 1000.0;
}

std::vector<std::optional<RockClass>> rockClassesAt(std::span<const double> depths,
                                                    std::span<const LithologyInterval> intervals) {
    std::vector<std::optional<RockClass>> classes(depths.size());
    if (intervals.empty()) return classes;
    std::vector<std::optional<RockClass>> intervalClass;
    intervalClass.reserve(intervals.size());
    for (const auto& i : intervals) intervalClass.push_back(rockClassOf(i.lithology));

    // A litholog holds tens of intervals, so a scan in table order per depth is cheap, and it
    // keeps the rule exact where intervals overlap: the first one that holds the depth decides.
    auto holds = [&](std::size_t k, double d) {
        const auto& i = intervals[k];
        return std::min(i.top, i.bottom) <= d && d <= std::max(i.top, i.bottom);
    };
    for (std::size_t r = 0; r < depths.size(); ++r) {
        const double d = depths[r];
        if (std::isnan(d)) continue;
        for (std::size_t k = 0; k < intervals.size(); ++k) {
            if (holds(k, d)) {
                classes[r] = intervalClass[k];
                break;
            }
        }
    }
    return classes;
}

}  // namespace lithora::rockphysics
