#include "core/chart/axis_fit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace lithora {
namespace {

constexpr double kTol = 1e-12;

struct FitCase {
    double min, max, lo, hi;
};

class RescaleLimitsTest : public ::testing::TestWithParam<FitCase> {};

TEST_P(RescaleLimitsTest, FitsToTenthsOutsideAHundredthOfTheMagnitude) {
    const FitCase c = GetParam();
    const AxisRange r = rescaleLimits(c.min, c.max);
    EXPECT_NEAR(r.lo, c.lo, kTol) << c.min << " .. " << c.max;
    EXPECT_NEAR(r.hi, c.hi, kTol) << c.min << " .. " << c.max;
    // The limits are whole tenths, exactly as 10ths are written (no 9.900000000000002).
    EXPECT_EQ(r.lo, std::round(r.lo * 10) / 10.0);
    EXPECT_EQ(r.hi, std::round(r.hi * 10) / 10.0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RescaleLimitsTest,
    ::testing::Values(FitCase{10, 200, 9.9, 202.0},     // margin of the value, not of the span
                      FitCase{-50, 50, -50.5, 50.5},    // negative minimum moves outwards
                      FitCase{100, 100, 99.0, 101.0},   // constant curve
                      FitCase{0, 0, 0, 0},              // empty series reads as 0 .. 0
                      FitCase{2.5, 3.1, 2.4, 3.2},      // 2.475 -> 2.4, 3.131 -> 3.2
                      FitCase{1.95, 2.65, 1.9, 2.7},    // 1.9305 -> 1.9, 2.6765 -> 2.7
                      FitCase{0.05, 0.2, 0.0, 0.3},     // 0.0495 -> 0.0, 0.202 -> 0.3
                      FitCase{30, 70, 29.7, 70.7},      // scaled tenths land beside whole numbers
                      FitCase{1500, 4500, 1485, 4545},  // whole results stay whole
                      FitCase{-10, -5, -10.1, -4.9},    // -10.1 .. -4.95 rounds up to -4.9
                      FitCase{-10, -10, -10.1, -9.9},   // a constant negative curve
                      FitCase{-502.5, -267.3, -507.6, -264.6},  // an SP curve stays whole
                      FitCase{0.0001, 0.0002, 0.0, 0.1}         // tiny values widen to a tenth
                      ));

TEST(RescaleLimits, NonFiniteExtremesGiveTheEmptyRange) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (auto [a, b] : {std::pair{nan, 1.0}, std::pair{1.0, inf}, std::pair{-inf, inf}}) {
        const AxisRange r = rescaleLimits(a, b);
        EXPECT_EQ(r.lo, 0.0);
        EXPECT_EQ(r.hi, 0.0);
    }
}

TEST(RescaleLimits, DataStaysInsideForCurvesOfManyScalesAndBothSigns) {
    // Values whose scaled tenths land just below or above a whole number in binary.
    for (double m : {0.3, 0.7, 1.1, 2.2, 9.9, 19.8, 99.9, 123.4, 1234.5, 2.0e6 + 0.3, 7.0e9}) {
        for (double v : {m, -3 * m}) {
            const double lo = v, hi = v + 2 * m;
            const AxisRange r = rescaleLimits(lo, hi);
            EXPECT_LE(r.lo, lo) << v;
            EXPECT_GE(r.hi, hi) << v;
            EXPECT_GT(r.lo, lo - std::fabs(lo) / 100 - 0.1 - 1e-9) << v;  // not a tenth too far
            EXPECT_LT(r.hi, hi + std::fabs(hi) / 100 + 0.1 + 1e-9) << v;
        }
    }
}

TEST(ColumnExtent, SkipsNullSamples) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::vector<double> v{nan, 3.0, -2.0, nan, 8.5, nan};
    ColumnExtent e = columnExtent(v.data(), v.size());
    EXPECT_TRUE(e.hasValue);
    EXPECT_EQ(e.min, -2.0);
    EXPECT_EQ(e.max, 8.5);

    std::vector<double> allNull{nan, nan};
    e = columnExtent(allNull.data(), allNull.size());
    EXPECT_FALSE(e.hasValue);
    EXPECT_EQ(e.min, 0.0);
    EXPECT_EQ(e.max, 0.0);
    EXPECT_FALSE(columnExtent(nullptr, 0).hasValue);
}

struct WidthCase {
    int fields;
    bool elastic;
    int current;
    int width;
};

class GraphPageWidthTest : public ::testing::TestWithParam<WidthCase> {};

TEST_P(GraphPageWidthTest, SizesThePageForItsTracks) {
    const WidthCase c = GetParam();
    EXPECT_EQ(graphPageWidth(c.fields, c.elastic, c.current), c.width);
}

// fields = curves + 2 (Rec and the depth field).
INSTANTIATE_TEST_SUITE_P(Cases, GraphPageWidthTest,
                         ::testing::Values(WidthCase{5, false, 1000, 1050},  // 3 curves
                                           WidthCase{4, false, 1000, 1000},  // 2 curves: 900
                                           WidthCase{5, true, 1000, 3000},   // 3 + 13 tracks
                                           WidthCase{0, false, 1234, 1234},  // nothing loaded
                                           WidthCase{0, true, 1000, 1000},
                                           WidthCase{5, false, 1050, 1050},  // shown again
                                           WidthCase{5, false, 3000, 1050},  // results gone
                                           WidthCase{152, false, 1000, 23100}));

TEST(TrackGeometry, SlotsStandSideBySideRightOfTheLitholog) {
    EXPECT_EQ(trackLeft(1), 488);
    EXPECT_EQ(trackLeft(2), 638);
    EXPECT_EQ(trackLeft(3), 788);
    EXPECT_EQ(trackLeft(4), 938);  // first elastic track after 3 source tracks
    EXPECT_EQ(trackLeft(5), 1088);
}

TEST(TrackPalette, RepeatsAfterNineEntriesWithTheDesktopColourValues) {
    // Desktop colour values 0x00BBGGRR, decimal, in palette order.
    const int values[] = {47452, 16744448, 12615680, 255, 32768, 4210816, 16711808, 8421440, 32896};
    for (int entry = 0; entry < kTrackPaletteSize; ++entry) {
        const int v = values[entry];
        EXPECT_EQ(trackPaletteColour(entry), (Rgb{v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF}))
            << entry;
    }
    EXPECT_EQ(trackPaletteEntry(1), 0);
    EXPECT_EQ(trackPaletteColour(trackPaletteEntry(9)), (Rgb{128, 128, 0}));  // olive
    EXPECT_EQ(trackPaletteColour(trackPaletteEntry(10)), (Rgb{92, 185, 0}));  // starts again
    EXPECT_EQ(trackPaletteEntry(19), 0);
}

struct LabelCase {
    double v;
    char dec, group;
    const char* text;
};

class AxisLabelTextTest : public ::testing::TestWithParam<LabelCase> {};

TEST_P(AxisLabelTextTest, GroupsThousandsAndKeepsAtMostThreeDecimals) {
    const LabelCase c = GetParam();
    EXPECT_EQ(axisLabelText(c.v, c.dec, c.group), c.text) << c.v;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AxisLabelTextTest,
    ::testing::Values(LabelCase{9.9, '.', ',', "9.9"}, LabelCase{202.0, '.', ',', "202"},
                      LabelCase{0, '.', ',', "0"}, LabelCase{0.25, '.', ',', "0.25"},
                      LabelCase{-49.5, '.', ',', "-49.5"}, LabelCase{1234.5, '.', ',', "1,234.5"},
                      LabelCase{1234567.891, '.', ',', "1,234,567.891"},
                      LabelCase{1234567.891, ',', '.', "1.234.567,891"},
                      LabelCase{-1000, '.', ',', "-1,000"}, LabelCase{999.9996, '.', ',', "1,000"},
                      LabelCase{0.12345, '.', ',', "0.123"}, LabelCase{2.0005, '.', ',', "2.001"},
                      LabelCase{0.0004996, '.', ',', "0"}, LabelCase{-0.0004, '.', ',', "0"},
                      LabelCase{100, '.', ' ', "100"},
                      LabelCase{1e20, '.', ',', "100,000,000,000,000,000,000"}));

TEST(AxisLabelText, NonFiniteGivesEmptyText) {
    EXPECT_EQ(axisLabelText(std::numeric_limits<double>::quiet_NaN(), '.', ','), "");
    EXPECT_EQ(axisLabelText(std::numeric_limits<double>::infinity(), '.', ','), "");
}

}  // namespace
}  // namespace lithora
