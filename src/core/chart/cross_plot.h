#pragma once
#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "core/chart/axis_fit.h"

namespace lithora {

// The automatic range of a cross-plot axis: the values' extent with a twentieth of the span
// on each side, so the outermost points are drawn whole inside the axes, its ends rounded
// outwards to 1, 2 or 5 times a power of ten near a fiftieth of the range. A single value v
// gets v - 1 .. v + 1 (or a hundredth of |v| either side when that is larger), rounded the
// same way; a column without a number gets 0 .. 1.
AxisRange crossPlotAxisRange(const ColumnExtent& extent);

// Where a plot's data rectangle lies on the screen: the pixel of each axis's lower and upper
// end (x grows rightwards, y downwards, so yLoPixel is usually below yHiPixel). Both axes
// are linear. A frame whose range is empty maps nothing.
struct PlotFrame {
    AxisRange x, y;
    double xLoPixel = 0, xHiPixel = 1;
    double yLoPixel = 1, yHiPixel = 0;

    bool valid() const { return x.hi > x.lo && y.hi > y.lo; }
    double pixelX(double v) const {
        return xLoPixel + (v - x.lo) / (x.hi - x.lo) * (xHiPixel - xLoPixel);
    }
    double pixelY(double v) const {
        return yLoPixel + (v - y.lo) / (y.hi - y.lo) * (yHiPixel - yLoPixel);
    }
    double valueX(double px) const {
        return x.lo + (px - xLoPixel) / (xHiPixel - xLoPixel) * (x.hi - x.lo);
    }
    double valueY(double py) const {
        return y.lo + (py - yLoPixel) / (yHiPixel - yLoPixel) * (y.hi - y.lo);
    }
    bool inside(double vx, double vy) const {
        return vx >= x.lo && vx <= x.hi && vy >= y.lo && vy <= y.hi;
    }
};

// One occupied pixel of a point plot: the pixel (whole coordinates of the point's centre,
// rounded down) and the last point, in series order, whose centre falls in it.
struct RasterCell {
    int px = 0, py = 0;
    std::size_t point = 0;
};

// The pixels a point series covers inside the frame's ranges, each once. Points outside the
// ranges and points with a NaN coordinate are left out. Drawing one marker per cell looks
// the same as drawing every point, but costs at most one marker per pixel of the plot, so a
// million points draw as fast as a few thousand. Cells come in the order their first point
// has in the series.
std::vector<RasterCell> rasterisePoints(std::span<const double> x, std::span<const double> y,
                                        const PlotFrame& frame);

// The point nearest to a pixel among those inside the frame's ranges, when its centre lies
// within maxDistance pixels; on a tie the later point (drawn on top) wins.
std::optional<std::size_t> nearestPoint(std::span<const double> x, std::span<const double> y,
                                        const PlotFrame& frame, double px, double py,
                                        double maxDistance);

// A drag of the mouse over a plot. Down and to the right by at least minPixels in both
// directions zooms into the rectangle; to the left by at least minPixels undoes the zoom;
// anything shorter is a click.
struct DragOutcome {
    enum Kind { Click, Zoom, Undo };
    Kind kind = Click;
    AxisRange x, y;  // the rectangle's ranges, for Zoom
};
DragOutcome dragOutcome(const PlotFrame& frame, double pressX, double pressY, double releaseX,
                        double releaseY, double minPixels = 4);

// The colour scale of a plot coloured by a third curve: a value's place between lo and hi
// picks one of kSteps colours running from dark blue through cyan, green and yellow to dark
// red. Values beyond the range take the end colours; a null (NaN) value has no step and is
// drawn grey. A range of one value puts every value on the middle step.
class ColourScale {
  public:
    static constexpr int kSteps = 64;
    static constexpr Rgb kNullColour{160, 160, 160};
    // The scale's colours at positions 0 .. 1, evenly spaced.
    static constexpr std::size_t kStopCount = 8;
    static const std::array<Rgb, kStopCount>& stops();
    static double stopPosition(std::size_t i) { return static_cast<double>(i) / (kStopCount - 1); }

    ColourScale() = default;
    ColourScale(double lo, double hi) : lo_(lo), hi_(hi) {}
    // The scale over the finite values of a column (0 .. 1 when there are none).
    static ColourScale over(std::span<const double> values);

    double lo() const { return lo_; }
    double hi() const { return hi_; }
    int step(double value) const;  // 0 .. kSteps - 1, or -1 for NaN
    static Rgb stepColour(int step);
    // The colour of a place t in 0 .. 1 along the scale (clamped).
    static Rgb colourAt(double t);

  private:
    double lo_ = 0, hi_ = 1;
};

}  // namespace lithora
