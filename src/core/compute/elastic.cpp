#include "core/compute/elastic.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <limits>

#include "core/common/error.h"
#include "core/compute/rock_elastic.h"

// Every row is evaluated on its own in extended precision (long double) and each result is
// rounded to 4 decimals (roundTo4). The loop is plain enough that the whole table takes about
// as long as a bare three-in/sixteen-out loop does.

namespace lithora::compute {

const std::array<const char*, kElasticFieldCount> kElasticFieldNames = {
    "Rec",           "Depth",        "Poisson Ratio",
    "Lame Constant", "Bulk Modulus", "Shear Modulus",
    "Young Modulus", "Landa.Rho",    "Miu.Rho",
    "Landa/Miu",     "Vp",           "Vs",
    "Vp/Vs",         "P-Impedance",  "S-Impedance",
    "Rho",
};

const std::array<const char*, kElasticFieldCount> kElasticFieldLabels = {
    "Rec",
    "Depth",
    "POISSON RATIO",
    "LAME PAR. (GPa)",
    "BULK MOD. (GPa)",
    "SHEAR MOD. (GPa)",
    "YOUNG MOD. (GPa)",
    "LAMBDA.RHO (GPa.Kg/m3)",
    "MU.RHO (GPa.Kg/m3)",
    "LAMBDA/MU",
    "Vp (m/s)",
    "Vs (m/s)",
    "Vp/Vs",
    "P-IMPEDANCE (Mg/sm2)",
    "S-IMPEDANCE (Mg/sm2)",
    "Rho",
};

std::optional<SonicUnit> sonicUnitFromTag(const std::string& depthUnit) {
    if (depthUnit == "m") return SonicUnit::PerMetre;
    if (depthUnit == "ft" || depthUnit == "ms") return SonicUnit::PerFoot;
    return std::nullopt;
}

std::optional<SonicUnit> sonicUnitFromCurveUnit(std::string_view unitText) {
    std::string u;
    for (std::size_t i = 0; i < unitText.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(unitText[i]);
        if (c == ' ' || c == '(' || c == ')' || c == '\t') continue;
        // The micro sign as UTF-8 (C2 B5), Greek mu (CE BC) or a single Latin-1 byte (B5).
        if ((c == 0xC2 || c == 0xCE) && i + 1 < unitText.size() &&
            (static_cast<unsigned char>(unitText[i + 1]) == 0xB5 ||
             static_cast<unsigned char>(unitText[i + 1]) == 0xBC)) {
            u += 'u';
            ++i;
            continue;
        }
        u += c == 0xB5 ? 'u' : static_cast<char>(std::tolower(c));
    }
    const auto slash = u.find('/');
    if (slash == std::string::npos) return std::nullopt;
    const std::string time = u.substr(0, slash), length = u.substr(slash + 1);
    if (time != "us" && time != "usec" && time != "microsec" && time != "microseconds")
        return std::nullopt;
    if (length == "m" || length == "metre" || length == "meter") return SonicUnit::PerMetre;
    if (length == "ft" || length == "f" || length == "foot" || length == "feet")
        return SonicUnit::PerFoot;
    return std::nullopt;
}

std::optional<DensityUnit> densityUnitFromTag(const std::string& densityUnit) {
    if (densityUnit == "GC") return DensityUnit::GramsPerCc;
    if (densityUnit == "KM") return DensityUnit::KgPerM3;
    return std::nullopt;
}

double roundTo4(long double value) {
    // n / 10000 in double is the double nearest to the 4-decimal value n * 0.0001, so the
    // stored value prints as its 4 decimals. Adding 0 turns a negative zero into zero.
    return static_cast<double>(std::rintl(value / 0.0001L)) / 10000.0 + 0.0;
}

namespace {

constexpr int kResultCount = kElasticFieldCount - kPoissonRatio;  // fields 2 .. 15

enum class VsMode { Measured, Sqrt3, Linear, Lithology };

struct Params {
    double rhoScale;      // density sample -> kg/m3
    double pSlownessToV;  // P slowness (us/m or us/ft) -> velocity (m/s): V = k / slowness
    double sSlownessToV;  // the same for the S slowness, which may be in the other unit
    VsMode mode;
    double slope;
    double intercept;
    std::vector<std::optional<rockphysics::RockClass>> rockClasses;  // per row, by lithology
};

// The parameters of a rock of velocities vp, vs (m/s) and density rho (kg/m3), rounded. False
// when the row is stored like a null sample: Vs = 0 or not finite, Vp^2 = Vs^2, or a value
// too large for a double.
bool evaluateRock(long double vp, long double vs, long double rho, double out[kResultCount]) {
    const long double vp2 = vp * vp;
    const long double vs2 = vs * vs;
    const long double d = vp2 - vs2;
    if (!std::isfinite(vs) || vs == 0 || vs2 == 0 || d == 0) return false;

    const long double a = vp2 - 2 * vs2;
    const long double rho9 = rho * 1e-9L;
    const long double rr9 = rho * rho * 1e-9L;
    const long double v[kResultCount] = {a / (2 * d),                           // Poisson Ratio
                                         a * rho9,                              // Lame Constant
                                         (vp2 - (4.0L / 3.0L) * vs2) * rho9,    // Bulk Modulus
                                         vs2 * rho9,                            // Shear Modulus
                                         vs2 * rho9 * (3 * vp2 - 4 * vs2) / d,  // Young Modulus
                                         rr9 * a,                               // Landa.Rho
                                         rr9 * vs2,                             // Miu.Rho
                                         a / vs2,                               // Landa/Miu
                                         vp,                                    // Vp
                                         vs,                                    // Vs
                                         vp / vs,                               // Vp/Vs
                                         0.001L * rho * vp,                     // P-Impedance
                                         0.001L * rho * vs,                     // S-Impedance
                                         rho};                                  // Rho
    for (int i = 0; i < kResultCount; ++i) {
        out[i] = roundTo4(v[i]);
        if (!std::isfinite(out[i])) return false;
    }
    return true;
}

// The evaluation of one row, in extended precision. False when the row is stored
// like a null sample: a null (NaN) or infinite input, a zero slowness, Vs = 0, Vp^2 = Vs^2
// (the denominators), or a value too large for a double.
// unrounded, when given, receives Vp, Vs and rho (m/s, kg/m3) before their rounding.
bool evaluateRow(const Params& p, double density, double pSlowness, double sSlowness,
                 const std::optional<rockphysics::RockClass>& rockClass, double out[kResultCount],
                 double* unrounded = nullptr) {
    const bool measured = p.mode == VsMode::Measured;
    if (!std::isfinite(density) || !std::isfinite(pSlowness)) return false;
    if (measured && !std::isfinite(sSlowness)) return false;
    if (pSlowness == 0 || (measured && sSlowness == 0)) return false;

    const long double rho = static_cast<long double>(density) * p.rhoScale;
    const long double vp = static_cast<long double>(p.pSlownessToV) / pSlowness;
    long double vs;
    switch (p.mode) {
        case VsMode::Measured:
            vs = static_cast<long double>(p.sSlownessToV) / sSlowness;
            break;
        case VsMode::Sqrt3:
            vs = vp / std::sqrt(3.0L);
            break;
        case VsMode::Lithology:
            if (rockClass) {
                vs = rockphysics::greenbergCastagnaVs(vp, *rockClass);
                break;
            }
            [[fallthrough]];
        default:
            vs = static_cast<long double>(p.slope) * vp - p.intercept;
            break;
    }
    if (!evaluateRock(vp, vs, rho, out)) return false;
    if (unrounded) {
        unrounded[0] = static_cast<double>(vp);
        unrounded[1] = static_cast<double>(vs);
        unrounded[2] = static_cast<double>(rho);
    }
    return true;
}

// Checks the inputs and turns them into evaluation parameters.
Params paramsFor(const ElasticInputs& in) {
    const std::size_t n = in.rec.size();
    if (in.depth.size() != n || in.density.size() != n || in.pSonic.size() != n ||
        (in.measuredVs && in.sSonic.size() != n))
        throw Error("The curves for the elastic parameters differ in length.");

    Params p{};
    p.rhoScale = in.densityUnit == DensityUnit::GramsPerCc ? 1000.0 : 1.0;
    // 304800 = 0.3048 m/ft * 1e6 us/s.
    auto toVelocity = [](SonicUnit u) { return u == SonicUnit::PerMetre ? 1000000.0 : 304800.0; };
    p.pSlownessToV = toVelocity(in.pSonicUnit);
    p.sSlownessToV = toVelocity(in.sSonicUnit);
    if (in.measuredVs) {
        p.mode = VsMode::Measured;
    } else if (in.vs.kind == VsEquationKind::Sqrt3) {
        p.mode = VsMode::Sqrt3;
    } else if (in.vs.kind == VsEquationKind::Linear) {
        p.mode = VsMode::Linear;
        p.slope = in.vs.slope;
        p.intercept = in.vs.intercept;
    } else if (in.vs.kind == VsEquationKind::Lithology) {
        p.mode = VsMode::Lithology;
        p.slope = in.vs.slope;
        p.intercept = in.vs.intercept;
        p.rockClasses = rockphysics::rockClassesAt(in.depth, in.litholog);
    } else {
        throw Error("Unknown Vs equation.");
    }
    return p;
}

// Column index in the table for each result, in the order evaluateRow() produces them.
constexpr int kOrder[kResultCount] = {
    kPoissonRatio, kLameConstant, kBulkModulus, kShearModulus, kYoungModulus, kLandaRho,   kMiuRho,
    kLandaMiu,     kVp,           kVs,          kVpVs,         kPImpedance,   kSImpedance, kRho};

// The result index of each field from Poisson Ratio on: the inverse of kOrder.
constexpr std::array<int, kElasticFieldCount> kResultOf = [] {
    std::array<int, kElasticFieldCount> a{};
    for (int r = 0; r < kResultCount; ++r) a[static_cast<std::size_t>(kOrder[r])] = r;
    return a;
}();

ElasticColumns allocate(const ElasticInputs& in) {
    ElasticColumns out;
    out.columns[kRec].assign(in.rec.begin(), in.rec.end());
    out.columns[kDepth].assign(in.depth.begin(), in.depth.end());
    for (int f = kPoissonRatio; f < kElasticFieldCount; ++f) out.columns[f].resize(in.rec.size());
    return out;
}

// The rock class of row i where Vs comes by lithology; none otherwise. A reference to a
// stored value: g++ 12 takes a copied empty optional for an uninitialised one (-O3).
const std::optional<rockphysics::RockClass>& rockClassOf(const Params& p, std::size_t i) {
    static const std::optional<rockphysics::RockClass> kNone;
    return p.mode == VsMode::Lithology ? p.rockClasses[i] : kNone;
}

// Evaluates row i into v (in evaluateRow's order, NaN for a null row); counts the row's
// class when counts is given.
void evaluateStored(const Params& p, const ElasticInputs& in, std::size_t i, double v[kResultCount],
                    rockphysics::LithologyVsCounts* counts) {
    const double dts = p.mode == VsMode::Measured ? in.sSonic[i] : 0.0;
    const std::optional<rockphysics::RockClass>& rockClass = rockClassOf(p, i);
    if (!evaluateRow(p, in.density[i], in.pSonic[i], dts, rockClass, v)) {
        std::fill(v, v + kResultCount, std::numeric_limits<double>::quiet_NaN());
    } else if (p.mode == VsMode::Lithology && counts) {
        if (rockClass)
            ++counts->byClass[static_cast<std::size_t>(*rockClass)];
        else
            ++counts->fallback;
    }
}

// Evaluates row i and stores its results.
void storeRow(const Params& p, const ElasticInputs& in, std::size_t i, ElasticColumns& out) {
    double v[kResultCount];
    evaluateStored(p, in, i, v, &out.lithologyCounts);
    for (int r = 0; r < kResultCount; ++r) out.columns[kOrder[r]][i] = v[r];
}

}  // namespace

struct ElasticRowBlocks::State {
    static constexpr std::size_t kRows = 4096;
    ElasticInputs in;
    Params params;
    std::size_t first = 0, count = 0;  // the block in hand
    std::size_t counted = 0;           // rows 0 .. counted - 1 are in the counts
    std::vector<double> block = std::vector<double>(kRows * kResultCount);
    rockphysics::LithologyVsCounts counts;
};

ElasticRowBlocks::ElasticRowBlocks(const ElasticInputs& in)
    : state_(std::make_unique<State>(State{in, paramsFor(in)})) {}

ElasticRowBlocks::~ElasticRowBlocks() = default;

std::size_t ElasticRowBlocks::rowCount() const {
    return state_->in.rec.size();
}

double ElasticRowBlocks::value(std::size_t row, ElasticField field) {
    State& s = *state_;
    if (field == kRec) return s.in.rec[row];
    if (field == kDepth) return s.in.depth[row];
    if (row < s.first || row >= s.first + s.count) {
        s.first = row - row % State::kRows;
        s.count = std::min(State::kRows, s.in.rec.size() - s.first);
        for (std::size_t i = 0; i < s.count; ++i) {
            const std::size_t r = s.first + i;
            evaluateStored(s.params, s.in, r, &s.block[i * kResultCount],
                           r == s.counted ? &s.counts : nullptr);
            if (r == s.counted) ++s.counted;
        }
    }
    return s.block[(row - s.first) * kResultCount +
                   static_cast<std::size_t>(kResultOf[static_cast<std::size_t>(field)])];
}

const rockphysics::LithologyVsCounts& ElasticRowBlocks::lithologyCounts() const {
    return state_->counts;
}

RockColumns rockColumns(const ElasticInputs& in) {
    const Params p = paramsFor(in);
    const std::size_t n = in.rec.size();
    constexpr double kNull = std::numeric_limits<double>::quiet_NaN();
    RockColumns out{std::vector<double>(n, kNull), std::vector<double>(n, kNull),
                    std::vector<double>(n, kNull)};
    for (std::size_t i = 0; i < n; ++i) {
        double v[kResultCount], rock[3];
        const double dts = p.mode == VsMode::Measured ? in.sSonic[i] : 0.0;
        const std::optional<rockphysics::RockClass>& rockClass = rockClassOf(p, i);
        if (!evaluateRow(p, in.density[i], in.pSonic[i], dts, rockClass, v, rock)) continue;
        out.vp[i] = rock[0];
        out.vs[i] = rock[1];
        out.rho[i] = rock[2];
    }
    return out;
}

ElasticColumns computeElastic(const ElasticInputs& in) {
    const Params p = paramsFor(in);
    ElasticColumns out = allocate(in);
    for (std::size_t i = 0; i < in.rec.size(); ++i) storeRow(p, in, i, out);
    return out;
}

ElasticColumns elasticOfRock(std::span<const double> rec, std::span<const double> depth,
                             const RockColumns& rock) {
    const std::size_t n = rec.size();
    if (depth.size() != n || rock.vp.size() != n || rock.vs.size() != n || rock.rho.size() != n)
        throw Error("The curves for the elastic parameters differ in length.");
    ElasticColumns out;
    out.columns[kRec].assign(rec.begin(), rec.end());
    out.columns[kDepth].assign(depth.begin(), depth.end());
    for (int f = kPoissonRatio; f < kElasticFieldCount; ++f) out.columns[f].resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        double v[kResultCount];
        const double vp = rock.vp[i], vs = rock.vs[i], rho = rock.rho[i];
        if (!std::isfinite(vp) || !std::isfinite(rho) || !evaluateRock(vp, vs, rho, v))
            std::fill(std::begin(v), std::end(v), std::numeric_limits<double>::quiet_NaN());
        for (int r = 0; r < kResultCount; ++r) out.columns[kOrder[r]][i] = v[r];
    }
    return out;
}

}  // namespace lithora::compute
