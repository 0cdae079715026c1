#include "core/compute/correlation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace lithora::compute {
namespace {

constexpr double kNull = std::numeric_limits<double>::quiet_NaN();

std::string shown(double r) {
    return coefficientText(r);
}

struct CoefficientCase {
    const char* what;
    std::vector<double> x, y;
    const char* expected;
};

class Coefficient : public ::testing::TestWithParam<CoefficientCase> {};

TEST_P(Coefficient, ShowsTheExpectedValue) {
    const auto& c = GetParam();
    EXPECT_EQ(shown(correlationCoefficient(c.x, c.y)), c.expected) << c.what;
}

const std::vector<double> kRef = {2.31, 2.45, 2.18, 2.60, 2.52, 2.39, 2.27};

std::vector<double> mapped(const std::vector<double>& x, double a, double b) {
    std::vector<double> y;
    for (double v : x) y.push_back(a * v + b);
    return y;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Coefficient,
    ::testing::Values(
        CoefficientCase{"the reference with itself", kRef, kRef, "1.0000"},
        CoefficientCase{"y = 2x + 5", kRef, mapped(kRef, 2, 5), "1.0000"},
        CoefficientCase{"y = -x", kRef, mapped(kRef, -1, 0), "-1.0000"},
        // 0.1 is not exact in binary: its mean is not 0.1, yet the curve is constant.
        CoefficientCase{"constant curve", kRef, std::vector<double>(kRef.size(), 0.1), "0.0000"},
        CoefficientCase{
            "constant reference", std::vector<double>(5, 3.3), {1, 2, 3, 4, 5}, "0.0000"},
        CoefficientCase{"no pair: the curve is null wherever the reference is not",
                        {1, 2, kNull, kNull},
                        {kNull, kNull, 3, 4},
                        "0.0000"},
        CoefficientCase{"empty columns", {}, {}, "0.0000"},
        CoefficientCase{"a single pair", {1}, {2}, "0.0000"},
        // Without the null pair the points lie on y = x; with it as a value they would not.
        CoefficientCase{"nulls left out of the pair",
                        {1, 2, 3, kNull, 5, 6},
                        {1, 2, 3, 400, kNull, 6},
                        "1.0000"},
        CoefficientCase{"huge values do not overflow",
                        {1e200, 2e200, 3e200},
                        {3e200, 2e200, 1e200},
                        "-1.0000"}));

TEST(CoefficientText, FourDecimalsWithoutANegativeZero) {
    EXPECT_EQ(coefficientText(0.87345), "0.8734");  // 0.87345 is stored just below
    EXPECT_EQ(coefficientText(-1), "-1.0000");
    EXPECT_EQ(coefficientText(-0.00001), "0.0000");
    EXPECT_EQ(coefficientText(0.5, ','), "0,5000");
    EXPECT_EQ(coefficientText(NAN), "0.0000");
}

TEST(CoefficientStability, DepthLikeCurveKeepsItsDigits) {
    // Values near 3000 with a spread of 0.001, the second curve a noisy copy: a one-pass
    // sum of squares loses every significant digit here (the variance is about 1e-7 while
    // the sum of squares is about 1e10).
    std::vector<double> x, y;
    for (int i = 0; i < 1000; ++i) {
        x.push_back(3000.0 + 0.001 * i / 999.0);
        y.push_back(5.0 + ((i * 7919) % 13) * 0.01);
    }
    // Reference value from a long double two-pass computation on values shifted to zero.
    long double mx = 0, my = 0;
    for (int i = 0; i < 1000; ++i) {
        mx += (x[i] - 3000.0L);
        my += y[i];
    }
    mx /= 1000;
    my /= 1000;
    long double sxx = 0, syy = 0, sxy = 0;
    for (int i = 0; i < 1000; ++i) {
        long double dx = (x[i] - 3000.0L) - mx, dy = y[i] - my;
        sxx += dx * dx;
        syy += dy * dy;
        sxy += dx * dy;
    }
    const double expected = static_cast<double>(sxy / std::sqrt(sxx * syy));
    EXPECT_NEAR(correlationCoefficient(x, y), expected, 1e-9);
    EXPECT_EQ(shown(correlationCoefficient(x, x)), "1.0000");
    EXPECT_EQ(shown(correlationCoefficient(x, mapped(x, -1, 0))), "-1.0000");
}

TEST(CorrelationRows, SourceRowsThenElasticRowsInOrder) {
    const std::vector<double> rec = {1, 2, 3, 4, 5};
    const std::vector<double> depth = {100, 101, 102, 103, 104};
    const std::vector<double> rho = {2.1, 2.3, 2.2, 2.6, 2.5};
    const std::vector<double> gr = {40, 60, 50, 90, 80};
    const std::vector<double> vp = {3000, 3400, 3200, 4000, 3800};
    CorrelationInput in;
    in.sourceRec = rec;
    in.reference = rho;
    in.sourceCurves = {{"RHOB", rho}, {"GR", gr}};
    in.elasticRec = rec;
    in.elasticFields = {{"Vp", vp}, {"Depth", depth}};
    const auto rows = correlationRows(in);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].name, "RHOB");
    EXPECT_EQ(shown(rows[0].coefficient), "1.0000");
    EXPECT_EQ(rows[1].name, "GR");
    EXPECT_EQ(shown(rows[1].coefficient), "1.0000");  // gr = 100 * rho - 170
    EXPECT_EQ(rows[2].name, "Vp");
    EXPECT_EQ(shown(rows[2].coefficient), "1.0000");  // vp = 4000 * rho - 5400
    EXPECT_EQ(rows[3].name, "Depth");

    in.elasticFields.clear();
    EXPECT_EQ(correlationRows(in).size(), 2u);
}

TEST(CorrelationRows, ElasticRecordsArePairedByRecNotByPosition) {
    // Elastic results computed under a filter that kept records 3..6 of 8, then the filter
    // was undone: the source shows all 8 records, the elastic table its 4.
    const std::vector<double> rec = {1, 2, 3, 4, 5, 6, 7, 8};
    const std::vector<double> ref = {9, 1, 2, 3, 5, 4, 7, 0};
    const std::vector<double> eRec = {3, 4, 5, 6};
    const std::vector<double> eVal = {20, 30, 50, 40};  // 10 x the reference at those Recs
    CorrelationInput in;
    in.sourceRec = rec;
    in.reference = ref;
    in.elasticRec = eRec;
    in.elasticFields = {{"Vp", eVal}};
    EXPECT_EQ(shown(correlationRows(in).at(0).coefficient), "1.0000");
    // By position the pairs would be (9,20) (1,30) (2,50) (3,40): not a straight line.
    EXPECT_NE(
        shown(correlationCoefficient(std::vector<double>(ref.begin(), ref.begin() + 4), eVal)),
        "1.0000");

    // The other way round: the source filtered to records 2..4, the elastic table whole.
    const std::vector<double> sRec = {2, 3, 4};
    const std::vector<double> sRef = {1, 2, 3};
    const std::vector<double> allRec = {1, 2, 3, 4, 5};
    const std::vector<double> allVal = {100, -1, -2, -3, 100};
    in.sourceRec = sRec;
    in.reference = sRef;
    in.elasticRec = allRec;
    in.elasticFields = {{"Vp", allVal}};
    EXPECT_EQ(shown(correlationRows(in).at(0).coefficient), "-1.0000");
}

TEST(CorrelationRows, RecordsOutOfOrderArePairedThroughTheirRec) {
    const std::vector<double> rec = {4, 1, 3, 2};
    const std::vector<double> ref = {4, 1, 3, 2};
    const std::vector<double> eRec = {1, 2, 3, 4, kNull};
    const auto paired = referenceByRec(rec, ref, eRec);
    ASSERT_EQ(paired.size(), 5u);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(paired[i], i + 1);
    EXPECT_TRUE(std::isnan(paired[4]));
}

}  // namespace
}  // namespace lithora::compute
