#include "core/compute/elastic.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "core/common/error.h"
#include "support/elastic_captions.h"

namespace lithora::compute {
namespace {

constexpr double kNull = std::numeric_limits<double>::quiet_NaN();

TEST(ElasticFields, NamesAndLabelsInTableOrder) {
    const std::vector<std::string> names = {"Rec",
                                            "Depth",
                                            "Poisson Ratio",
                                            "Lame Constant",
                                            "Bulk Modulus",
                                            "Shear Modulus",
                                            "Young Modulus",
                                            "Landa.Rho",
                                            "Miu.Rho",
                                            "Landa/Miu",
                                            "Vp",
                                            "Vs",
                                            "Vp/Vs",
                                            "P-Impedance",
                                            "S-Impedance",
                                            "Rho"};
    for (int f = 0; f < kElasticFieldCount; ++f) EXPECT_EQ(kElasticFieldNames[f], names[f]) << f;
    // The labels: "Rec", "Depth", the titles of the thirteen tracks, "Rho".
    ASSERT_EQ(kElasticFieldCount, 16);
    EXPECT_STREQ(kElasticFieldLabels[0], "Rec");
    EXPECT_STREQ(kElasticFieldLabels[1], "Depth");
    for (int k = 0; k < 13; ++k)
        EXPECT_STREQ(kElasticFieldLabels[k + 2], lithora::test::kElasticTrackTitles[k]) << k;
    EXPECT_STREQ(kElasticFieldLabels[15], "Rho");
}

TEST(ElasticUnits, TagsAreMatchedExactly) {
    EXPECT_EQ(sonicUnitFromTag("m"), SonicUnit::PerMetre);
    EXPECT_EQ(sonicUnitFromTag("ft"), SonicUnit::PerFoot);
    EXPECT_EQ(sonicUnitFromTag("ms"), SonicUnit::PerFoot);
    for (const char* tag : {"", "M", "FT", "Ft", "METERS", "m ", "us/ft"})
        EXPECT_FALSE(sonicUnitFromTag(tag).has_value()) << tag;

    EXPECT_EQ(densityUnitFromTag("GC"), DensityUnit::GramsPerCc);
    EXPECT_EQ(densityUnitFromTag("KM"), DensityUnit::KgPerM3);
    for (const char* tag : {"", "gc", "G/CC", "K/M3", "km"})
        EXPECT_FALSE(densityUnitFromTag(tag).has_value()) << tag;
}

TEST(RoundTo4, HalvesGoToTheEvenNeighbour) {
    // 0.00005L is exactly half of 0.0001L, so value / 0.0001 is exactly 0.5, 1.5, ...
    EXPECT_EQ(roundTo4(0.00005L), 0.0);
    EXPECT_EQ(roundTo4(0.00015L), 0.0002);
    EXPECT_EQ(roundTo4(-0.00015L), -0.0002);
    EXPECT_EQ(roundTo4(2450.03125L), 2450.0312);  // 24500312.5 -> even 24500312
    EXPECT_EQ(roundTo4(2450.09375L), 2450.0938);  // 24500937.5 -> even 24500938
    EXPECT_EQ(roundTo4(1.23456L), 1.2346);
    EXPECT_EQ(roundTo4(-7.00004L), -7.0);
    EXPECT_EQ(roundTo4(1413.7L), 1413.7);  // the double nearest the 4-decimal value
}

// Inputs of a single row and the values expected in it, field -> value (NaN: null).
struct Case {
    const char* name;
    const char* depthUnit;
    const char* densityUnit;
    double density;
    double dt;
    double dts;  // NaN with measured = false: the S-sonic is not consulted
    bool measured;
    VsSettings vs;
    std::map<int, double> expected;
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

// Values from the formulas worked by hand (see each case).
const Case kCases[] = {
    // Vp 3000, Vs 1500, rho 2500 kg/m3: V = 9e6, W = 2.25e6.
    {"Vp3000Vs1500",
     "m",
     "KM",
     2500,
     1e6 / 3000.0,
     1e6 / 1500.0,
     true,
     {},
     {{kPoissonRatio, 0.3333},
      {kLameConstant, 11.25},
      {kBulkModulus, 15.0},
      {kShearModulus, 5.625},
      {kYoungModulus, 15.0},
      {kLandaRho, 28125.0},
      {kMiuRho, 14062.5},
      {kLandaMiu, 2.0},
      {kVp, 3000.0},
      {kVs, 1500.0},
      {kVpVs, 2.0},
      {kPImpedance, 7500.0},
      {kSImpedance, 3750.0},
      {kRho, 2500.0}}},
    // ft, g/cc: Vp = 304800 / 100 = 3048, Vs = 1524, rho = 2500.
    {"FeetGramsPerCc",
     "ft",
     "GC",
     2.5,
     100,
     200,
     true,
     {},
     {{kVp, 3048.0},
      {kVs, 1524.0},
      {kRho, 2500.0},
      {kLameConstant, 11.6129},
      {kBulkModulus, 15.4838},
      {kShearModulus, 5.8064},
      {kYoungModulus, 15.4838},
      {kPImpedance, 7620.0},
      {kSImpedance, 3810.0},
      {kLandaRho, 29032.2},
      {kMiuRho, 14516.1},
      {kPoissonRatio, 0.3333},
      {kLandaMiu, 2.0},
      {kVpVs, 2.0}}},
    {"MillisecondsConvertLikeFeet",
     "ms",
     "GC",
     2.5,
     100,
     200,
     true,
     {},
     {{kVp, 3048.0}, {kVs, 1524.0}, {kShearModulus, 5.8064}, {kMiuRho, 14516.1}}},
    // 1e6 / 328.084 = 3047.99990246...
    {"MetresPerSlowness",
     "m",
     "GC",
     2.5,
     328.084,
     656.168,
     true,
     {},
     {{kVp, 3047.9999}, {kRho, 2500.0}}},
    {"KilogramsPerCubicMetreUnconverted", "ft", "KM", 2450, 100, 200, true, {}, {{kRho, 2450.0}}},
    // Exact binary halves of the fourth decimal round to the even neighbour.
    {"RhoTieToEvenDown", "ft", "KM", 2450.03125, 100, 200, true, {}, {{kRho, 2450.0312}}},
    {"RhoTieToEvenUp", "ft", "KM", 2450.09375, 100, 200, true, {}, {{kRho, 2450.0938}}},
    // 3000 / sqrt(3) = 1732.05080757
    {"EstimatedSqrt3",
     "m",
     "KM",
     2500,
     1e6 / 3000.0,
     kNull,
     false,
     {VsEquationKind::Sqrt3, 0.8619, 1172},
     {{kVp, 3000.0}, {kVs, 1732.0508}, {kVpVs, 1.7321}, {kPoissonRatio, 0.25}}},
    // 0.8619 * 3000 - 1172 = 1413.7
    {"EstimatedLinearDefaults",
     "m",
     "KM",
     2500,
     1e6 / 3000.0,
     kNull,
     false,
     {VsEquationKind::Linear, 0.8619, 1172},
     {{kVs, 1413.7}, {kSImpedance, 3534.25}}},
    // 0.8 * 2500 - 1000 = 1000; Poisson (6.25e6 - 2e6) / (2 * 5.25e6) = 0.40476
    {"EstimatedLinearEdited",
     "m",
     "KM",
     2000,
     400,
     kNull,
     false,
     {VsEquationKind::Linear, 0.8, 1000},
     {{kVp, 2500.0}, {kVs, 1000.0}, {kVpVs, 2.5}, {kPoissonRatio, 0.4048}, {kLandaMiu, 4.25}}},
    // A negative estimate is stored as computed: 0.8619 * 1000 - 1172 = -310.1.
    {"EstimatedNegativeVsKept",
     "m",
     "KM",
     2000,
     1000,
     kNull,
     false,
     {VsEquationKind::Linear, 0.8619, 1172},
     {{kVp, 1000.0}, {kVs, -310.1}, {kVpVs, -3.2248}, {kSImpedance, -620.2}}},
};

// Rows stored like a null sample: only Rec and Depth.
const Case kNullCases[] = {
    {"NullDensity", "ft", "GC", kNull, 100, 200, true, {}, {}},
    {"NullPSonic", "ft", "GC", 2.5, kNull, 200, true, {}, {}},
    {"NullSSonicMeasured", "ft", "GC", 2.5, 100, kNull, true, {}, {}},
    {"NullDensityEstimated",
     "ft",
     "GC",
     kNull,
     100,
     kNull,
     false,
     {VsEquationKind::Linear, 0.8619, 1172},
     {}},
    {"InfiniteSlowness",
     "ft",
     "GC",
     2.5,
     std::numeric_limits<double>::infinity(),
     200,
     true,
     {},
     {}},
    {"ZeroPSlowness", "ft", "GC", 2.5, 0, 200, true, {}, {}},
    {"ZeroSSlowness", "ft", "GC", 2.5, 100, 0, true, {}, {}},
    {"VpEqualsVs", "ft", "GC", 2.5, 150, 150, true, {}, {}},
    {"VpEqualsMinusVs", "ft", "GC", 2.5, 150, -150, true, {}, {}},
    // 0.5 * 2500 - 1250 = 0
    {"EstimatedVsZero",
     "m",
     "KM",
     2000,
     400,
     kNull,
     false,
     {VsEquationKind::Linear, 0.5, 1250},
     {}},
    // 1 * Vp - 0 = Vp
    {"EstimatedVsEqualsVp",
     "m",
     "KM",
     2000,
     400,
     kNull,
     false,
     {VsEquationKind::Linear, 1.0, 0},
     {}},
};

ElasticColumns computeOne(const Case& c) {
    const std::vector<double> rec{7}, depth{1234.5}, den{c.density}, dt{c.dt}, dts{c.dts};
    ElasticInputs in;
    in.rec = rec;
    in.depth = depth;
    in.density = den;
    in.pSonic = dt;
    if (c.measured) in.sSonic = dts;
    in.pSonicUnit = in.sSonicUnit = sonicUnitFromTag(c.depthUnit).value();
    in.densityUnit = densityUnitFromTag(c.densityUnit).value();
    in.measuredVs = c.measured;
    in.vs = c.vs;
    return computeElastic(in);
}

class ElasticCase : public ::testing::TestWithParam<Case> {};

TEST_P(ElasticCase, StoresTheHandComputedValues) {
    const Case& c = GetParam();
    const ElasticColumns t = computeOne(c);
    ASSERT_EQ(t.rowCount(), 1u);
    EXPECT_EQ(t.columns[kRec][0], 7);
    EXPECT_EQ(t.columns[kDepth][0], 1234.5);
    for (const auto& [field, value] : c.expected)
        EXPECT_NEAR(t.columns[field][0], value, 1e-9) << kElasticFieldNames[field];
    for (int f = kPoissonRatio; f < kElasticFieldCount; ++f)
        EXPECT_FALSE(std::isnan(t.columns[f][0])) << kElasticFieldNames[f];
}

INSTANTIATE_TEST_SUITE_P(Cases, ElasticCase, ::testing::ValuesIn(kCases),
                         [](const auto& p) { return std::string(p.param.name); });

class ElasticNullRow : public ::testing::TestWithParam<Case> {};

TEST_P(ElasticNullRow, KeepsOnlyRecAndDepth) {
    const ElasticColumns t = computeOne(GetParam());
    ASSERT_EQ(t.rowCount(), 1u);
    EXPECT_EQ(t.columns[kRec][0], 7);
    EXPECT_EQ(t.columns[kDepth][0], 1234.5);
    for (int f = kPoissonRatio; f < kElasticFieldCount; ++f)
        EXPECT_TRUE(std::isnan(t.columns[f][0])) << kElasticFieldNames[f];
}

INSTANTIATE_TEST_SUITE_P(Cases, ElasticNullRow, ::testing::ValuesIn(kNullCases),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(Elastic, NullRowsCarryNothingFromTheirNeighbours) {
    const std::vector<double> rec{1, 2, 3, 4}, depth{10, 10.5, 11, 11.5};
    const std::vector<double> den{2.5, kNull, 2.5, 2.5}, dt{100, 100, 0, 100};
    const std::vector<double> dts{200, 200, 200, 200};
    ElasticInputs in;
    in.rec = rec;
    in.depth = depth;
    in.density = den;
    in.pSonic = dt;
    in.sSonic = dts;
    in.pSonicUnit = in.sSonicUnit = SonicUnit::PerFoot;
    in.densityUnit = DensityUnit::GramsPerCc;
    const ElasticColumns t = computeElastic(in);
    ASSERT_EQ(t.rowCount(), 4u);
    EXPECT_EQ(t.columns[kRec], rec);
    EXPECT_EQ(t.columns[kDepth], depth);
    for (std::size_t row : {0u, 3u}) EXPECT_NEAR(t.columns[kVp][row], 3048.0, 1e-9);
    for (std::size_t row : {1u, 2u})
        for (int f = kPoissonRatio; f < kElasticFieldCount; ++f)
            EXPECT_TRUE(std::isnan(t.columns[f][row])) << row << " " << kElasticFieldNames[f];
}

TEST(Elastic, EstimatedModeNeverReadsTheShearColumn) {
    const std::vector<double> rec{1}, depth{10}, den{2500}, dt{400};
    ElasticInputs in;
    in.rec = rec;
    in.depth = depth;
    in.density = den;
    in.pSonic = dt;
    in.pSonicUnit = in.sSonicUnit = SonicUnit::PerMetre;
    in.densityUnit = DensityUnit::KgPerM3;
    in.measuredVs = false;
    in.vs = {VsEquationKind::Linear, 0.8, 1000};
    EXPECT_NEAR(computeElastic(in).columns[kVs][0], 1000.0, 1e-9);
}

// Vs by lithology: each depth takes its class's Greenberg-Castagna line, the linear equation
// where the litholog gives no class; everything after Vs is the computation as it stands.
TEST(Elastic, VsByLithologyTakesEachDepthsLine) {
    // Vp = 1e6 / 333.3333... = 3000 m/s at every depth.
    const std::vector<double> rec{1, 2, 3, 4, 5}, depth{1000, 1050, 1100, 1150, 1200};
    const std::vector<double> den{2.4, 2.4, 2.4, 2.4, kNull}, dt(5, 1e6 / 3000.0);
    const std::vector<lithora::rockphysics::LithologyInterval> litholog = {
        {1000, 1050, "Shale"}, {1100, 1050, "Fine Sand"}, {1150, 1160, "Coal"}};
    ElasticInputs in;
    in.rec = rec;
    in.depth = depth;
    in.density = den;
    in.pSonic = dt;
    in.pSonicUnit = SonicUnit::PerMetre;
    in.densityUnit = DensityUnit::GramsPerCc;
    in.measuredVs = false;
    in.vs = {VsEquationKind::Lithology, 0.8619, 1172};
    in.litholog = litholog;
    const ElasticColumns t = computeElastic(in);
    const auto& vs = t.columns[kVs];
    EXPECT_EQ(vs[0], roundTo4(1441.72L));  // shale
    EXPECT_EQ(vs[1], roundTo4(1441.72L));  // 1050 is the shale's bottom: the first interval
    EXPECT_EQ(vs[2], roundTo4(1556.6L));   // sandstone, written bottom-up
    EXPECT_EQ(vs[3], roundTo4(0.8619L * 3000 - 1172));  // coal: no class
    EXPECT_TRUE(std::isnan(vs[4]));
    EXPECT_EQ(t.columns[kVpVs][2], roundTo4(3000.0L / 1556.6L));
    const auto& counts = t.lithologyCounts;
    EXPECT_EQ(counts.byClass[static_cast<int>(lithora::rockphysics::RockClass::Shale)], 2);
    EXPECT_EQ(counts.byClass[static_cast<int>(lithora::rockphysics::RockClass::Sandstone)], 1);
    EXPECT_EQ(counts.fallback, 1);
}

TEST(Elastic, EmptyInputGivesEmptyTable) {
    ElasticInputs in;
    const ElasticColumns t = computeElastic(in);
    for (const auto& column : t.columns) EXPECT_TRUE(column.empty());
}

TEST(Elastic, RejectsColumnsOfDifferentLengthAndUnknownEquation) {
    const std::vector<double> one{1}, two{1, 2};
    ElasticInputs in;
    in.rec = one;
    in.depth = one;
    in.density = one;
    in.pSonic = two;
    in.sSonic = one;
    EXPECT_THROW(computeElastic(in), Error);
    in.pSonic = one;
    in.sSonic = {};
    EXPECT_THROW(computeElastic(in), Error);  // measured mode needs the shear column
    in.measuredVs = false;
    in.vs.kind = static_cast<VsEquationKind>(7);
    EXPECT_THROW(computeElastic(in), Error);
}

TEST(ElasticUnits, CurveUnitTextsNameTheirSlownessUnit) {
    const std::pair<const char*, std::optional<SonicUnit>> cases[] = {
        {"US/F", SonicUnit::PerFoot},
        {"(US/F)", SonicUnit::PerFoot},
        {"us/ft", SonicUnit::PerFoot},
        {"USEC/FT", SonicUnit::PerFoot},
        {"\xC2\xB5s/ft", SonicUnit::PerFoot},
        {"\xB5S/FT", SonicUnit::PerFoot},
        {"US/M", SonicUnit::PerMetre},
        {"usec/m", SonicUnit::PerMetre},
        {"(US/M)", SonicUnit::PerMetre},
        {"\xCE\xBCs/m", SonicUnit::PerMetre},
        {"", std::nullopt},
        {"()", std::nullopt},
        {"M", std::nullopt},
        {"US", std::nullopt},
        {"MS/FT", std::nullopt},
        {"US/S", std::nullopt},
    };
    for (const auto& [text, unit] : cases) EXPECT_EQ(sonicUnitFromCurveUnit(text), unit) << text;
}

TEST(Elastic, EachSonicCurveConvertsWithItsOwnUnit) {
    // DT 100 us/ft gives 3048 m/s; DTS 500 us/m gives 2000 m/s.
    const std::vector<double> rec{1}, depth{10}, den{2.5}, dt{100}, dts{500};
    ElasticInputs in;
    in.rec = rec;
    in.depth = depth;
    in.density = den;
    in.pSonic = dt;
    in.sSonic = dts;
    in.pSonicUnit = SonicUnit::PerFoot;
    in.sSonicUnit = SonicUnit::PerMetre;
    in.densityUnit = DensityUnit::GramsPerCc;
    const ElasticColumns t = computeElastic(in);
    EXPECT_EQ(t.columns[kVp][0], 3048.0);
    EXPECT_EQ(t.columns[kVs][0], 2000.0);
}

// The rows computed a block at a time are the rows computeElastic stores, bit for bit, in
// every Vs mode, read in order, read back after later blocks and read out of order; the
// lithology counts take every row once however often its block is computed.
TEST(ElasticRowBlocks, GiveTheRowsComputeElasticStores) {
    const std::size_t n = 10000;  // a few blocks and a short last one
    std::mt19937 random(7);
    std::uniform_real_distribution<double> den(2.0, 2.9), dt(150, 450), dts(250, 900);
    std::vector<double> rec(n), depth(n), density(n), pSonic(n), sSonic(n);
    for (std::size_t i = 0; i < n; ++i) {
        rec[i] = static_cast<double>(i + 1);
        depth[i] = 1000 + 0.1524 * static_cast<double>(i);
        density[i] = i % 97 == 0 ? kNull : den(random);
        pSonic[i] = i % 89 == 0 ? kNull : dt(random);
        sSonic[i] = i % 83 == 0 ? kNull : dts(random);
    }
    const std::vector<lithora::rockphysics::LithologyInterval> litholog = {
        {1000, 1200, "Shale"}, {1200, 1400, "Fine Sand"}, {1500, 1600, "Limestone"}};
    struct Mode {
        const char* name;
        bool measured;
        VsSettings vs;
    };
    for (const Mode& mode :
         {Mode{"measured", true, {}}, Mode{"linear", false, {VsEquationKind::Linear, 0.8, 1000}},
          Mode{"sqrt3", false, {VsEquationKind::Sqrt3, 0, 0}},
          Mode{"lithology", false, {VsEquationKind::Lithology, 0.8619, 1172}}}) {
        SCOPED_TRACE(mode.name);
        ElasticInputs in;
        in.rec = rec;
        in.depth = depth;
        in.density = density;
        in.pSonic = pSonic;
        in.sSonic = sSonic;
        in.pSonicUnit = SonicUnit::PerFoot;
        in.sSonicUnit = SonicUnit::PerMetre;
        in.densityUnit = DensityUnit::GramsPerCc;
        in.measuredVs = mode.measured;
        in.vs = mode.vs;
        in.litholog = litholog;
        const ElasticColumns whole = computeElastic(in);
        ElasticRowBlocks blocks(in);
        ASSERT_EQ(blocks.rowCount(), n);
        auto same = [&](std::size_t row, int field) {
            const double a = blocks.value(row, static_cast<ElasticField>(field));
            const double b = whole.columns[field][row];
            return std::memcmp(&a, &b, sizeof a) == 0;
        };
        for (std::size_t row = 0; row < n; ++row)
            for (int f = 0; f < kElasticFieldCount; ++f)
                ASSERT_TRUE(same(row, f)) << "row " << row << " field " << f;
        std::uniform_int_distribution<std::size_t> anyRow(0, n - 1);
        for (int k = 0; k < 300; ++k) {
            const std::size_t row = anyRow(random);
            const int f = static_cast<int>(row % kElasticFieldCount);
            ASSERT_TRUE(same(row, f)) << "row " << row << " field " << f;
        }
        EXPECT_EQ(blocks.lithologyCounts().byClass, whole.lithologyCounts.byClass);
        EXPECT_EQ(blocks.lithologyCounts().fallback, whole.lithologyCounts.fallback);
    }
}

}  // namespace
}  // namespace lithora::compute
