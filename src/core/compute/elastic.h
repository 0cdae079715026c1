#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/rockphysics/lithology_vs.h"

namespace lithora::compute {

// Field order of the elastic table; names and display labels as the table defines them.
enum ElasticField : int {
    kRec = 0,
    kDepth,
    kPoissonRatio,
    kLameConstant,
    kBulkModulus,
    kShearModulus,
    kYoungModulus,
    kLandaRho,
    kMiuRho,
    kLandaMiu,
    kVp,
    kVs,
    kVpVs,
    kPImpedance,
    kSImpedance,
    kRho,
    kElasticFieldCount
};
extern const std::array<const char*, kElasticFieldCount> kElasticFieldNames;
extern const std::array<const char*, kElasticFieldCount> kElasticFieldLabels;

// Sonic slowness unit: microseconds per metre or per foot.
enum class SonicUnit { PerMetre, PerFoot };
// Density unit: "GC" g/cm3 (times 1000 gives kg/m3), "KM" kg/m3.
enum class DensityUnit { GramsPerCc, KgPerM3 };

// The slowness unit a depth unit tag implies: "m" -> per metre, "ft" and "ms" -> per foot
// (exact, case-sensitive); nullopt for any other text.
std::optional<SonicUnit> sonicUnitFromTag(const std::string& depthUnit);
// The slowness unit a sonic curve's own unit text names ("US/F", "usec/ft", "µs/ft", "(US/M)"
// ..., compared without case, parentheses and blanks ignored); nullopt when it names none.
std::optional<SonicUnit> sonicUnitFromCurveUnit(std::string_view unitText);
std::optional<DensityUnit> densityUnitFromTag(const std::string& densityUnit);

// How Vs is estimated when there is no shear curve.
enum class VsEquationKind {
    Sqrt3 = 0,   // Vs = Vp / sqrt(3)
    Linear = 1,  // Vs = slope * Vp - intercept
    // Greenberg-Castagna's line of the rock class the litholog gives at the sample's depth;
    // the linear equation where the litholog gives no class.
    Lithology = 2,
};

struct VsSettings {
    VsEquationKind kind = VsEquationKind::Sqrt3;
    double slope = 0;
    double intercept = 0;
};

// The equation the Vs dialog opens with, and its "Defaults": Vs = 0.8619 Vp - 1172 (m/s).
inline constexpr VsSettings kDefaultVsSettings{VsEquationKind::Linear, 0.8619, 1172};

// Inputs as whole columns of the visible source records; NaN is a null sample.
// sSonic is empty in estimated mode.
struct ElasticInputs {
    std::span<const double> rec;
    std::span<const double> depth;
    std::span<const double> density;
    std::span<const double> pSonic;
    std::span<const double> sSonic;
    SonicUnit pSonicUnit = SonicUnit::PerMetre;
    SonicUnit sSonicUnit = SonicUnit::PerMetre;  // measured mode only
    DensityUnit densityUnit = DensityUnit::GramsPerCc;
    bool measuredVs = true;
    VsSettings vs;
    // The litholog's intervals, for VsEquationKind::Lithology.
    std::span<const rockphysics::LithologyInterval> litholog;
};

// The sixteen columns of the elastic table, NaN for null. Every value from Poisson Ratio
// to Rho is rounded to 4 decimals, ties to even. A null input sample, a zero slowness,
// Vs = 0 or Vp = Vs gives a row with only Rec and Depth; so do the other rows the formulas
// cannot serve: Vp = -Vs (Vp^2 - Vs^2 is a denominator), an infinite input sample, and a
// result too large for a double. A negative Vs from the linear equation is stored as it
// comes out.
struct ElasticColumns {
    std::array<std::vector<double>, kElasticFieldCount> columns;
    // With Vs by lithology: how many computed rows took each class's line and the fallback.
    rockphysics::LithologyVsCounts lithologyCounts;
    std::size_t rowCount() const { return columns[0].size(); }
};

ElasticColumns computeElastic(const ElasticInputs& in);

// The rows computeElastic stores, computed a block of rows at a time as they are asked for,
// so a writer can go through them without the whole table in memory. Rows are meant to be
// read in increasing order; a row outside the block in hand computes its block (again). The
// input columns must outlive this object.
class ElasticRowBlocks {
  public:
    explicit ElasticRowBlocks(const ElasticInputs& in);
    ~ElasticRowBlocks();
    ElasticRowBlocks(const ElasticRowBlocks&) = delete;
    ElasticRowBlocks& operator=(const ElasticRowBlocks&) = delete;

    std::size_t rowCount() const;
    // The value computeElastic stores in field of row (0 <= row < rowCount()); NaN for null.
    double value(std::size_t row, ElasticField field);
    // With Vs by lithology: what the rows computed so far took, every row counted once.
    const rockphysics::LithologyVsCounts& lithologyCounts() const;

  private:
    struct State;
    std::unique_ptr<State> state_;
};

// Vp, Vs (m/s) and rho (kg/m3) of each row exactly as computeElastic makes them, before their
// rounding; NaN in every row that computeElastic stores as null. The rock that fluid
// substitution and AVO start from.
struct RockColumns {
    std::vector<double> vp, vs, rho;
};
RockColumns rockColumns(const ElasticInputs& in);

// Rounds to 4 decimals as the stored values are rounded: value / 0.0001 to the nearest
// integer, ties to even, times 0.0001. The result is the double nearest that 4-decimal
// value (never -0).
double roundTo4(long double value);

}  // namespace lithora::compute
