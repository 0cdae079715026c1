#include "core/chart/cross_plot.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <utility>
#include <vector>

namespace lithora {
namespace {

constexpr double kTol = 1e-9;
const double kNaN = std::numeric_limits<double>::quiet_NaN();

// A 100 x 50 pixel plot at (10, 20) showing x 0 .. 10 and y 0 .. 5 (y upwards).
PlotFrame frame() {
    PlotFrame f;
    f.x = {0, 10};
    f.y = {0, 5};
    f.xLoPixel = 10;
    f.xHiPixel = 110;
    f.yLoPixel = 70;
    f.yHiPixel = 20;
    return f;
}

struct RangeCase {
    ColumnExtent extent;
    double lo, hi;
};

class CrossPlotAxisRangeTest : public ::testing::TestWithParam<RangeCase> {};

TEST_P(CrossPlotAxisRangeTest, KeepsEveryPointInside) {
    const auto c = GetParam();
    const AxisRange r = crossPlotAxisRange(c.extent);
    EXPECT_NEAR(r.lo, c.lo, kTol);
    EXPECT_NEAR(r.hi, c.hi, kTol);
    EXPECT_LT(r.lo, r.hi);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CrossPlotAxisRangeTest,
    ::testing::Values(RangeCase{{1.5, 2.5, true}, 1.45, 2.55},  // a twentieth, on steps of 0.05
                      RangeCase{{-20, 20, true}, -22, 22},      // both signs
                      RangeCase{{2336.55, 3521.45, true}, 2250, 3600},  // steps of 50
                      RangeCase{{1.8, 1.8, true}, 0.8, 2.8},            // one value: +-1
                      RangeCase{{5000, 5000, true}, 4950, 5050},        // or +-1 % of a large one
                      RangeCase{{0, 0, false}, 0, 1},                   // no number at all
                      RangeCase{{1e6, 1e6 + 1e-3, true}, 1e6 - 5e-5, 1e6 + 1.05e-3}));

TEST(PlotFrame, MapsValuesToPixelsAndBack) {
    const PlotFrame f = frame();
    EXPECT_NEAR(f.pixelX(5), 60, kTol);
    EXPECT_NEAR(f.pixelY(5), 20, kTol);  // the top of the plot
    EXPECT_NEAR(f.pixelY(0), 70, kTol);
    EXPECT_NEAR(f.valueX(f.pixelX(3.7)), 3.7, kTol);
    EXPECT_NEAR(f.valueY(f.pixelY(1.2)), 1.2, kTol);
}

TEST(RasterisePoints, OneCellPerPixelWithTheLastPointDrawnThere) {
    // Points 0 and 2 share a pixel, point 3 lies outside the x range, point 4 has a null
    // coordinate, point 5 sits on the upper corner of the ranges.
    const std::vector<double> x{1.0, 9.0, 1.01, 11.0, kNaN, 10.0};
    const std::vector<double> y{1.0, 4.0, 1.0, 2.0, 2.0, 5.0};
    const auto cells = rasterisePoints(x, y, frame());
    ASSERT_EQ(cells.size(), 3u);
    EXPECT_EQ(cells[0].point, 2u);
    EXPECT_EQ(cells[0].px, 20);
    EXPECT_EQ(cells[0].py, 60);
    EXPECT_EQ(cells[1].point, 1u);
    EXPECT_EQ(cells[2].point, 5u);
    EXPECT_EQ(cells[2].px, 110);
    EXPECT_EQ(cells[2].py, 20);
}

TEST(RasterisePoints, AMillionPointsCostNoMoreCellsThanThePlotHasPixels) {
    const std::size_t n = 1'000'000;
    std::vector<double> x(n), y(n);
    for (std::size_t i = 0; i < n; ++i) {
        x[i] = static_cast<double>(i % 1000) / 100.0;  // 0 .. 9.99
        y[i] = static_cast<double>(i / 1000) / 200.0;  // 0 .. 4.995
    }
    const auto cells = rasterisePoints(x, y, frame());
    EXPECT_LE(cells.size(), 101u * 51u);
    EXPECT_GT(cells.size(), 90u * 45u);  // the points cover the plot
    std::set<std::pair<int, int>> seen;
    for (const auto& c : cells) EXPECT_TRUE(seen.insert({c.px, c.py}).second);
}

TEST(RasterisePoints, AnEmptyRangeDrawsNothing) {
    PlotFrame f = frame();
    f.x = {3, 3};
    const std::vector<double> v{3.0};
    EXPECT_TRUE(rasterisePoints(v, v, f).empty());
}

TEST(NearestPoint, FindsThePointUnderTheClickWithinTheTolerance) {
    const std::vector<double> x{1.0, 5.0, 5.0, 20.0};
    const std::vector<double> y{1.0, 2.5, 2.5, 2.5};
    const PlotFrame f = frame();
    // Points 1 and 2 lie on one pixel: the later one is drawn on top and wins.
    EXPECT_EQ(nearestPoint(x, y, f, f.pixelX(5) + 2, f.pixelY(2.5) - 1, 4), 2u);
    EXPECT_EQ(nearestPoint(x, y, f, f.pixelX(1), f.pixelY(1), 4), 0u);
    EXPECT_EQ(nearestPoint(x, y, f, f.pixelX(3), f.pixelY(1), 4), std::nullopt);
    // A point outside the ranges is not on the plot and cannot be clicked.
    EXPECT_EQ(nearestPoint(x, y, f, f.pixelX(20), f.pixelY(2.5), 4), std::nullopt);
}

TEST(DragOutcome, DownRightZoomsLeftUndoesShortOrFlatDoesNeither) {
    const PlotFrame f = frame();
    const auto zoom = dragOutcome(f, f.pixelX(2), f.pixelY(4), f.pixelX(6), f.pixelY(1));
    ASSERT_EQ(zoom.kind, DragOutcome::Zoom);
    EXPECT_NEAR(zoom.x.lo, 2, kTol);
    EXPECT_NEAR(zoom.x.hi, 6, kTol);
    EXPECT_NEAR(zoom.y.lo, 1, kTol);
    EXPECT_NEAR(zoom.y.hi, 4, kTol);
    EXPECT_EQ(dragOutcome(f, 80, 60, 30, 25).kind, DragOutcome::Undo);
    EXPECT_EQ(dragOutcome(f, 80, 25, 30, 60).kind, DragOutcome::Undo);
    EXPECT_EQ(dragOutcome(f, 50, 50, 52, 53).kind, DragOutcome::Click);
    EXPECT_EQ(dragOutcome(f, 50, 50, 90, 51).kind, DragOutcome::Click);  // too flat to zoom
}

TEST(ColourScale, RunsFromTheFirstToTheLastColourAndGreysNulls) {
    const ColourScale s(50, 150);
    EXPECT_EQ(s.step(kNaN), -1);
    EXPECT_EQ(ColourScale::stepColour(-1), ColourScale::kNullColour);
    EXPECT_EQ(s.step(50), 0);
    EXPECT_EQ(s.step(-1e9), 0);
    EXPECT_EQ(s.step(150), ColourScale::kSteps - 1);
    EXPECT_EQ(s.step(1e9), ColourScale::kSteps - 1);
    int last = -1;
    for (double v = 50; v <= 150; v += 0.5) {
        EXPECT_GE(s.step(v), last);
        last = s.step(v);
    }
    EXPECT_EQ(ColourScale::colourAt(0), ColourScale::stops().front());
    EXPECT_EQ(ColourScale::colourAt(1), ColourScale::stops().back());
    EXPECT_EQ(ColourScale::colourAt(ColourScale::stopPosition(3)), ColourScale::stops()[3]);
    // A constant column puts every value on the middle step.
    EXPECT_EQ(ColourScale(7, 7).step(7), ColourScale::kSteps / 2);
}

TEST(ColourScale, SpansTheFiniteValuesOfAColumn) {
    const std::vector<double> v{kNaN, 30, 10, kNaN, 20};
    const ColourScale s = ColourScale::over(v);
    EXPECT_EQ(s.lo(), 10);
    EXPECT_EQ(s.hi(), 30);
    const std::vector<double> none{kNaN};
    EXPECT_EQ(ColourScale::over(none).lo(), 0);
    EXPECT_EQ(ColourScale::over(none).hi(), 1);
}

}  // namespace
}  // namespace lithora
