#include "core/compute/elastic.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>

#include "core/common/error.h"
#include "core/compute/elastic_exact.h"

// How the elastic table is computed.
//
// The values are defined by an evaluation in extended precision (long double) whose results
// are rounded to 4 decimals (roundTo4). That evaluation is exactRow() below; every stored
// value is the value exactRow() gives.
//
// Evaluating every row in long double is slow (no vector units for it), so whole blocks of
// rows are first computed in double precision, in branch-free loops the compiler vectorises,
// together with a bound on the rounding error of each value. The double value rounds to the
// same 4-decimal value as the extended one unless the value lies within its error bound of a
// rounding boundary (a half unit in the fourth decimal). Such rows, and every row with a null
// or unusable input or a denominator that may be zero, are marked and recomputed by
// exactRow(). The fast path therefore never changes a stored value; it only decides that the
// exact evaluation is not needed.

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

enum class VsMode { Measured, Sqrt3, Linear };

struct Params {
    double rhoScale;     // density sample -> kg/m3
    double slownessToV;  // slowness (us/m or us/ft) -> velocity (m/s): V = k / slowness
    VsMode mode;
    double slope;
    double intercept;
};

// The defining evaluation of one row, in extended precision. False when the row is stored
// like a null sample: a null (NaN) or infinite input, a zero slowness, Vs = 0, Vp^2 = Vs^2
// (the denominators), or a value too large for a double.
bool exactRow(const Params& p, double density, double pSlowness, double sSlowness,
              double out[kResultCount]) {
    const bool measured = p.mode == VsMode::Measured;
    if (!std::isfinite(density) || !std::isfinite(pSlowness)) return false;
    if (measured && !std::isfinite(sSlowness)) return false;
    if (pSlowness == 0 || (measured && sSlowness == 0)) return false;

    const long double rho = static_cast<long double>(density) * p.rhoScale;
    const long double k = p.slownessToV;
    const long double vp = k / pSlowness;
    long double vs;
    switch (p.mode) {
        case VsMode::Measured:
            vs = k / sSlowness;
            break;
        case VsMode::Sqrt3:
            vs = vp / std::sqrt(3.0L);
            break;
        default:
            vs = static_cast<long double>(p.slope) * vp - p.intercept;
            break;
    }
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

// A value computed in double with a bound on its absolute error.
struct Approx {
    double v;
    double e;
};

constexpr double kU = 0x1p-53;  // unit roundoff of double

inline Approx mul(Approx x, Approx y) {
    const double p = x.v * y.v;
    return {p, std::fabs(y.v) * x.e + std::fabs(x.v) * y.e + x.e * y.e + kU * std::fabs(p)};
}

// Quotient. The bound holds when y.e is well below |y.v|, which the caller checks.
inline Approx div(Approx x, Approx y) {
    const double q = x.v / y.v;
    return {q, (x.e + std::fabs(q) * y.e) / (std::fabs(y.v) - y.e) + kU * std::fabs(q)};
}

inline Approx sub(Approx x, Approx y) {
    const double s = x.v - y.v;
    return {s, x.e + y.e + kU * std::fabs(s)};
}

// True when x rounds to 4 decimals in the fast path exactly as its extended evaluation does;
// stores the rounded value.
inline bool settle(Approx x, double& out) {
    // Exact for |s| <= 2^51: adding 1.5 * 2^52 drops the fraction, ties to even.
    constexpr double kShift = 6755399441055744.0;
    const double s = x.v * 10000.0;
    const double r = (s + kShift) - kShift;
    const double dist = std::fabs(s - r);
    // Twice the error bound covers the second-order terms the bounds leave out and the
    // extended evaluation's own (far smaller) error; the last terms cover the scaling.
    const double tol = 2e4 * x.e + 8 * kU * std::fabs(s) + 0x1p-60;
    out = r / 10000.0;
    return (std::fabs(s) < 0x1p50) & ((0.5 - dist) > tol);
}

template <VsMode M>
void fastBlock(std::size_t n, const Params& p, const double* __restrict den,
               const double* __restrict dt, const double* __restrict dts, double* __restrict o0,
               double* __restrict o1, double* __restrict o2, double* __restrict o3,
               double* __restrict o4, double* __restrict o5, double* __restrict o6,
               double* __restrict o7, double* __restrict o8, double* __restrict o9,
               double* __restrict o10, double* __restrict o11, double* __restrict o12,
               double* __restrict o13, double* __restrict exact) {
    const double rhoScale = p.rhoScale, k = p.slownessToV;
    const double slope = p.slope, intercept = p.intercept;
    for (std::size_t i = 0; i < n; ++i) {
        // A null, infinite or zero input makes infinities or NaNs here (never trapped); the
        // row is marked and exactRow() stores it like a null sample.
        const double dens = den[i], ps = dt[i];
        const double ss = M == VsMode::Measured ? dts[i] : 1.0;
        constexpr double kMax = std::numeric_limits<double>::max();
        bool ok = std::fabs(dens) <= kMax;
        ok &= (std::fabs(ps) <= kMax) & (ps != 0);
        ok &= (std::fabs(ss) <= kMax) & (ss != 0);

        const double rhoV = dens * rhoScale;
        const Approx rho{rhoV, kU * std::fabs(rhoV)};
        const double vpV = k / ps;
        const Approx vp{vpV, kU * std::fabs(vpV)};
        Approx vs;
        if constexpr (M == VsMode::Measured) {
            const double v = k / ss;
            vs = {v, kU * std::fabs(v)};
        } else if constexpr (M == VsMode::Sqrt3) {
            const double v = vpV / 1.7320508075688772;
            vs = {v, 3 * kU * std::fabs(v)};
        } else {
            const double t = slope * vpV;
            const double v = t - intercept;
            vs = {v, 2 * kU * std::fabs(t) + kU * std::fabs(v)};
        }
        const Approx vp2 = mul(vp, vp);
        const Approx vs2 = mul(vs, vs);
        const Approx twoVs2{2 * vs2.v, 2 * vs2.e};
        const Approx a = sub(vp2, twoVs2);
        const Approx d = sub(vp2, vs2);
        const Approx b = sub(vp2, mul({4.0 / 3.0, kU}, vs2));
        const Approx t = sub(mul({3.0, 0}, vp2), mul({4.0, 0}, vs2));
        const Approx rho9 = mul(rho, {1e-9, 1e-9 * kU});
        const Approx rr9 = mul(mul(rho, rho), {1e-9, 1e-9 * kU});
        const Approx c = mul({0.001, 0.001 * kU}, rho);

        // Denominators must be clearly away from zero for the bounds to hold.
        ok &= 8 * d.e < std::fabs(d.v);
        ok &= 8 * vs2.e < vs2.v;
        ok &= 8 * vs.e < std::fabs(vs.v);

        const Approx shear = mul(vs2, rho9);
        ok &= settle(div(a, {2 * d.v, 2 * d.e}), o0[i]);
        ok &= settle(mul(a, rho9), o1[i]);
        ok &= settle(mul(b, rho9), o2[i]);
        ok &= settle(shear, o3[i]);
        ok &= settle(div(mul(shear, t), d), o4[i]);
        ok &= settle(mul(rr9, a), o5[i]);
        ok &= settle(mul(rr9, vs2), o6[i]);
        ok &= settle(div(a, vs2), o7[i]);
        ok &= settle(vp, o8[i]);
        ok &= settle(vs, o9[i]);
        ok &= settle(div(vp, vs), o10[i]);
        ok &= settle(mul(c, vp), o11[i]);
        ok &= settle(mul(c, vs), o12[i]);
        ok &= settle(rho, o13[i]);
        exact[i] = ok ? 0.0 : 1.0;
    }
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
    p.slownessToV = in.sonicUnit == SonicUnit::PerMetre ? 1000000.0 : 304800.0;
    if (in.measuredVs) {
        p.mode = VsMode::Measured;
    } else if (in.vs.equationKind == 0) {
        p.mode = VsMode::Sqrt3;
    } else if (in.vs.equationKind == 1) {
        p.mode = VsMode::Linear;
        p.slope = in.vs.slope;
        p.intercept = in.vs.intercept;
    } else {
        throw Error("Unknown Vs equation.");
    }
    return p;
}

// Column index in the table for each result, in the order exactRow() and fastBlock()
// produce them.
constexpr int kOrder[kResultCount] = {
    kPoissonRatio, kLameConstant, kBulkModulus, kShearModulus, kYoungModulus, kLandaRho,   kMiuRho,
    kLandaMiu,     kVp,           kVs,          kVpVs,         kPImpedance,   kSImpedance, kRho};

ElasticColumns allocate(const ElasticInputs& in) {
    ElasticColumns out;
    out.columns[kRec].assign(in.rec.begin(), in.rec.end());
    out.columns[kDepth].assign(in.depth.begin(), in.depth.end());
    for (int f = kPoissonRatio; f < kElasticFieldCount; ++f) out.columns[f].resize(in.rec.size());
    return out;
}

// Runs exactRow() for row i and stores its results.
void storeExactRow(const Params& p, const ElasticInputs& in, std::size_t i, ElasticColumns& out) {
    double v[kResultCount];
    const double dts = p.mode == VsMode::Measured ? in.sSonic[i] : 0.0;
    if (!exactRow(p, in.density[i], in.pSonic[i], dts, v))
        std::fill(std::begin(v), std::end(v), std::numeric_limits<double>::quiet_NaN());
    for (int r = 0; r < kResultCount; ++r) out.columns[kOrder[r]][i] = v[r];
}

}  // namespace

ElasticColumns computeElasticExact(const ElasticInputs& in) {
    const Params p = paramsFor(in);
    ElasticColumns out = allocate(in);
    for (std::size_t i = 0; i < in.rec.size(); ++i) storeExactRow(p, in, i, out);
    return out;
}

ElasticColumns computeElastic(const ElasticInputs& in) {
#if !defined(FLT_EVAL_METHOD) || FLT_EVAL_METHOD != 0 || defined(__FAST_MATH__)
    // The error bounds and the rounding in settle() assume double arithmetic done in double
    // with IEEE rounding; without it every row takes the defining evaluation.
    return computeElasticExact(in);
#endif
    const Params p = paramsFor(in);
    const std::size_t n = in.rec.size();
    ElasticColumns out = allocate(in);

    double* col[kResultCount];
    for (int r = 0; r < kResultCount; ++r) col[r] = out.columns[kOrder[r]].data();

    constexpr std::size_t kBlock = 1024;
    double exact[kBlock];  // flags as doubles keep the loop in one element type
    const double* sSonic = in.measuredVs ? in.sSonic.data() : nullptr;
    for (std::size_t start = 0; start < n; start += kBlock) {
        const std::size_t len = std::min(kBlock, n - start);
        const double* den = in.density.data() + start;
        const double* dt = in.pSonic.data() + start;
        const double* dts = sSonic ? sSonic + start : nullptr;
        double* o[kResultCount];
        for (int r = 0; r < kResultCount; ++r) o[r] = col[r] + start;
        switch (p.mode) {
            case VsMode::Measured:
                fastBlock<VsMode::Measured>(len, p, den, dt, dts, o[0], o[1], o[2], o[3], o[4],
                                            o[5], o[6], o[7], o[8], o[9], o[10], o[11], o[12],
                                            o[13], exact);
                break;
            case VsMode::Sqrt3:
                fastBlock<VsMode::Sqrt3>(len, p, den, dt, dts, o[0], o[1], o[2], o[3], o[4], o[5],
                                         o[6], o[7], o[8], o[9], o[10], o[11], o[12], o[13], exact);
                break;
            case VsMode::Linear:
                fastBlock<VsMode::Linear>(len, p, den, dt, dts, o[0], o[1], o[2], o[3], o[4], o[5],
                                          o[6], o[7], o[8], o[9], o[10], o[11], o[12], o[13],
                                          exact);
                break;
        }
        for (std::size_t i = 0; i < len; ++i)
            if (exact[i] != 0) storeExactRow(p, in, start + i, out);
    }
    return out;
}

}  // namespace lithora::compute
