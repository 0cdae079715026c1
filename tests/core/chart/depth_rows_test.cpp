#include "core/chart/depth_rows.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace lithora::chart {
namespace {

TEST(DepthRows, IntervalInAWindowFillsItsRowsAndLabelsItsBottom) {
    const DepthWindow w{1500, 1800};
    auto rows = intervalRows(1600, 1700, w, kLithologColumnHeight);
    ASSERT_TRUE(rows.has_value());
    EXPECT_EQ(rows->y1, 161);  // 484 * 100 / 300 = 161.33
    EXPECT_EQ(rows->y2, 323);  // 484 * 200 / 300 = 322.67
    EXPECT_EQ(rows->labelRow, 313);
    const auto labels = windowLabelRows(kLithologColumnHeight);
    EXPECT_EQ(labels.bottom, 474);
    EXPECT_EQ(labels.top, 0);
}

TEST(DepthRows, WindowEndsMapToTheImageEndsAndDepthsOutsideLieOutside) {
    const DepthWindow w{1500, 1800};
    EXPECT_EQ(depthRow(1500, w, 484), 0);
    EXPECT_EQ(depthRow(1800, w, 484), 484);
    EXPECT_LT(*depthRow(1400, w, 484), 0);    // above the window: clipped by the image
    EXPECT_GT(*depthRow(1900, w, 484), 484);  // below it
}

TEST(DepthRows, HalvesRoundToEven) {
    // 4 * 0.5 / 1 = 2 exactly; 5 * 0.1 / 1 = 0.5 -> 0; 5 * 0.3 = 1.5 -> 2; 5 * 0.5 = 2.5 -> 2.
    const DepthWindow w{0, 1};
    EXPECT_EQ(depthRow(0.5, w, 4), 2);
    EXPECT_EQ(depthRow(0.5, w, 5), 2);
    EXPECT_EQ(depthRow(0.3, w, 5), 2);
    EXPECT_EQ(depthRow(0.1, w, 5), 0);
}

TEST(DepthRows, ASingleDepthLogOrAValueThatIsNoNumberDrawsNothing) {
    EXPECT_FALSE(depthRow(1500, {1500, 1500}, 484).has_value());
    EXPECT_FALSE(intervalRows(1500, 1500, {1500, 1500}, 484).has_value());
    EXPECT_FALSE(depthRow(std::numeric_limits<double>::quiet_NaN(), {0, 1}, 484).has_value());
    // A depth absurdly far outside stays a row number, never an overflowed int.
    auto far = depthRow(1e300, {0, 1e-300}, 484);
    EXPECT_FALSE(far.has_value());
    auto deep = depthRow(1e12, {0, 1}, 484);
    ASSERT_TRUE(deep.has_value());
    EXPECT_GT(*deep, 484);
    EXPECT_GT(*deep - 10, 0);
}

}  // namespace
}  // namespace lithora::chart
