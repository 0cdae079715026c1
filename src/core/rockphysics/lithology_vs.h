#pragma once
// Shear velocity from the compressional velocity by lithology (Greenberg and Castagna 1992):
// one quadratic line per rock class, the class of each depth taken from the litholog.
#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lithora::rockphysics {

enum class RockClass { Sandstone, Limestone, Dolomite, Shale };
inline constexpr int kRockClassCount = 4;

// Vs (km/s) = a2*Vp^2 + a1*Vp + a0, with Vp in km/s.
struct VsLine {
    double a2, a1, a0;
};
inline constexpr std::array<VsLine, kRockClassCount> kGreenbergCastagnaLines{{
    {0, 0.80416, -0.85588},         // sandstone
    {-0.05508, 1.01677, -1.03049},  // limestone
    {0, 0.58321, -0.07775},         // dolomite
    {0, 0.76969, -0.86735},         // shale
}};

// The class of a lithology name, decided by its last word: "Sandstone" or "Sand" is a
// sandstone, "Limestone" a limestone, "Dolomite" a dolomite, "Shale", "Mudstone", "Claystone"
// or "Siltstone" a shale. Any other name has no class.
std::optional<RockClass> rockClassOf(std::string_view lithology);

// Vs in m/s of the class's line for vp in m/s, in the extended precision the elastic
// computation works in.
long double greenbergCastagnaVs(long double vp, RockClass rockClass);

// One litholog interval; top and bottom in either order.
struct LithologyInterval {
    double top = 0, bottom = 0;
    std::string lithology;
};

// The class at each depth: the first interval in table order with min(top, bottom) <= depth <=
// max(top, bottom) decides; nullopt where that interval's lithology has no class, where no
// interval holds the depth, or where the depth is NaN.
std::vector<std::optional<RockClass>> rockClassesAt(std::span<const double> depths,
                                                    std::span<const LithologyInterval> intervals);

// How many samples of an elastic computation took each class's line and how many the
// fallback equation.
struct LithologyVsCounts {
    std::array<long long, kRockClassCount> byClass{};
    long long fallback = 0;
};

}  // namespace lithora::rockphysics
