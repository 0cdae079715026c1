#include "core/chart/cross_plot.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace lithora {

namespace {

// 1, 2 or 5 times a power of ten, the smallest such not below v (v > 0).
double niceSteps(double v) {
    const double power = std::pow(10.0, std::floor(std::log10(v)));
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (m * power >= v) return m * power;
    return 10 * power;
}

}  // namespace

AxisRange crossPlotAxisRange(const ColumnExtent& extent) {
    if (!extent.hasValue) return {0, 1};
    const double span = extent.max - extent.min;
    double lo, hi;
    if (!(span > 0)) {
        const double pad = std::max(1.0, std::abs(extent.min) / 100);
        lo = extent.min - pad;
        hi = extent.max + pad;
    } else {
        lo = extent.min - span / 20;
        hi = extent.max + span / 20;
    }
    // The ends are rounded outwards to a step of about a fiftieth of the range, so the
    // "Set Min, Max" boxes open on numbers such as 2250 .. 3600, not 2277.305 .. 3580.695.
    // An end that is a whole number of steps already (1.45 in steps of 0.05, which the
    // division gives as 28.999...) stays where it is.
    const double step = niceSteps((hi - lo) / 50);
    auto steps = [step](double v, bool down) {
        const double q = v / step;
        const double whole = std::round(q);
        if (std::abs(q - whole) < 1e-9 * std::max(1.0, std::abs(q))) return whole * step;
        return (down ? std::floor(q) : std::ceil(q)) * step;
    };
    const double roundedLo = steps(lo, true);
    const double roundedHi = steps(hi, false);
    if (std::isfinite(roundedLo) && std::isfinite(roundedHi) && roundedLo < roundedHi)
        return {roundedLo, roundedHi};
    return {lo, hi};
}

std::vector<RasterCell> rasterisePoints(std::span<const double> x, std::span<const double> y,
                                        const PlotFrame& frame) {
    std::vector<RasterCell> cells;
    if (!frame.valid()) return cells;
    const double left = std::floor(std::min(frame.xLoPixel, frame.xHiPixel));
    const double right = std::floor(std::max(frame.xLoPixel, frame.xHiPixel));
    const double top = std::floor(std::min(frame.yLoPixel, frame.yHiPixel));
    const double bottom = std::floor(std::max(frame.yLoPixel, frame.yHiPixel));
    const double widthD = right - left + 1;
    const double heightD = bottom - top + 1;
    // A frame larger than any page is a caller's mistake, not a reason to allocate gigabytes.
    if (!(widthD > 0 && heightD > 0) || widthD * heightD > 64e6) return cells;
    const auto width = static_cast<std::size_t>(widthD);
    const auto height = static_cast<std::size_t>(heightD);

    // Per pixel the number of its cell plus one; 0 while free.
    std::vector<std::uint32_t> grid(width * height, 0);
    const double sx = (frame.xHiPixel - frame.xLoPixel) / (frame.x.hi - frame.x.lo);
    const double sy = (frame.yHiPixel - frame.yLoPixel) / (frame.y.hi - frame.y.lo);
    // Grid coordinates are pixels less the grid's corner, never negative, so a cast to an
    // integer rounds them down without a call to floor() per point.
    const double ox = frame.xLoPixel - left;
    const double oy = frame.yLoPixel - top;
    const double maxX = widthD - 1, maxY = heightD - 1;
    const auto leftPixel = static_cast<int>(left);
    const auto topPixel = static_cast<int>(top);
    const std::size_t n = std::min(x.size(), y.size());
    for (std::size_t i = 0; i < n; ++i) {
        const double vx = x[i], vy = y[i];
        // NaN fails every comparison and so is left out here too.
        if (!(vx >= frame.x.lo && vx <= frame.x.hi && vy >= frame.y.lo && vy <= frame.y.hi))
            continue;
        const double gx = std::clamp(ox + (vx - frame.x.lo) * sx, 0.0, maxX);
        const double gy = std::clamp(oy + (vy - frame.y.lo) * sy, 0.0, maxY);
        const auto cx = static_cast<std::size_t>(gx);
        const auto cy = static_cast<std::size_t>(gy);
        std::uint32_t& slot = grid[cy * width + cx];
        if (slot == 0) {
            cells.push_back({leftPixel + static_cast<int>(cx), topPixel + static_cast<int>(cy), i});
            slot = static_cast<std::uint32_t>(cells.size());
        } else {
            cells[slot - 1].point = i;
        }
    }
    return cells;
}

std::optional<std::size_t> nearestPoint(std::span<const double> x, std::span<const double> y,
                                        const PlotFrame& frame, double px, double py,
                                        double maxDistance) {
    if (!frame.valid()) return std::nullopt;
    const std::size_t n = std::min(x.size(), y.size());
    double best = maxDistance * maxDistance;
    std::optional<std::size_t> found;
    for (std::size_t i = 0; i < n; ++i) {
        if (!frame.inside(x[i], y[i])) continue;
        const double dx = frame.pixelX(x[i]) - px;
        const double dy = frame.pixelY(y[i]) - py;
        const double d = dx * dx + dy * dy;
        if (d <= best) {
            best = d;
            found = i;
        }
    }
    return found;
}

DragOutcome dragOutcome(const PlotFrame& frame, double pressX, double pressY, double releaseX,
                        double releaseY, double minPixels) {
    DragOutcome out;
    if (!frame.valid()) return out;
    const double dx = releaseX - pressX;
    const double dy = releaseY - pressY;
    if (dx <= -minPixels) {
        out.kind = DragOutcome::Undo;
        return out;
    }
    if (dx < minPixels || dy < minPixels) return out;
    double x1 = frame.valueX(pressX), x2 = frame.valueX(releaseX);
    double y1 = frame.valueY(pressY), y2 = frame.valueY(releaseY);
    out.kind = DragOutcome::Zoom;
    out.x = {std::min(x1, x2), std::max(x1, x2)};
    out.y = {std::min(y1, y2), std::max(y1, y2)};
    return out;
}

const std::array<Rgb, ColourScale::kStopCount>& ColourScale::stops() {
    static const std::array<Rgb, kStopCount> s{{{48, 18, 59},
                                                {65, 105, 225},
                                                {30, 180, 220},
                                                {40, 200, 120},
                                                {170, 220, 50},
                                                {250, 185, 40},
                                                {235, 90, 20},
                                                {122, 4, 3}}};
    return s;
}

ColourScale ColourScale::over(std::span<const double> values) {
    const ColumnExtent e = columnExtent(values.data(), values.size());
    if (!e.hasValue) return {};
    return {e.min, e.max};
}

int ColourScale::step(double value) const {
    if (std::isnan(value)) return -1;
    if (!(hi_ > lo_)) return kSteps / 2;
    const double t = (value - lo_) / (hi_ - lo_);
    if (!(t > 0)) return 0;
    if (t >= 1) return kSteps - 1;
    return std::min(kSteps - 1, static_cast<int>(t * kSteps));
}

Rgb ColourScale::stepColour(int step) {
    if (step < 0) return kNullColour;
    return colourAt((std::min(step, kSteps - 1) + 0.5) / kSteps);
}

Rgb ColourScale::colourAt(double t) {
    const auto& s = stops();
    if (!(t > 0)) return s.front();
    if (t >= 1) return s.back();
    const double place = t * (kStopCount - 1);
    const auto i = static_cast<std::size_t>(place);
    const double f = place - static_cast<double>(i);
    auto mix = [f](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * f)); };
    return {mix(s[i].r, s[i + 1].r), mix(s[i].g, s[i + 1].g), mix(s[i].b, s[i + 1].b)};
}

}  // namespace lithora
