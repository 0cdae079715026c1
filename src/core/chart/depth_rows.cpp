#include "core/chart/depth_rows.h"

#include <algorithm>
#include <cmath>

namespace lithora::chart {

namespace {
// Far beyond any image, small enough that y - 10 or y2 - y1 never overflows an int.
constexpr double kRowLimit = 1e8;
}  // namespace

std::optional<int> depthRow(double depth, DepthWindow window, int height) {
    const double span = window.bottom - window.top;
    if (!std::isfinite(depth) || !std::isfinite(span) || span == 0 || height <= 0)
        return std::nullopt;
    const double y = static_cast<double>(height) * (depth - window.top) / span;
    if (!std::isfinite(y)) return std::nullopt;
    // nearbyint rounds halves to even under the default rounding mode.
    return static_cast<int>(std::nearbyint(std::clamp(y, -kRowLimit, kRowLimit)));
}

std::optional<IntervalRows> intervalRows(double top, double bottom, DepthWindow window,
                                         int height) {
    auto y1 = depthRow(top, window, height);
    auto y2 = depthRow(bottom, window, height);
    if (!y1 || !y2) return std::nullopt;
    return IntervalRows{*y1, *y2, *y2 - kLithologLabelRise};
}

WindowLabelRows windowLabelRows(int height) {
    return WindowLabelRows{0, height - kLithologLabelRise};
}

}  // namespace lithora::chart
