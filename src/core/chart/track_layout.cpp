#include "core/chart/track_layout.h"

#include <algorithm>
#include <cmath>

namespace lithora::chart {

std::optional<std::size_t> nearestSample(std::span<const double> depths, double depth) {
    if (depths.empty() || std::isnan(depth)) return std::nullopt;
    const bool downwards = depths.front() <= depths.back();
    // The first sample at or beyond the depth in the column's order.
    const auto beyond = downwards ? std::lower_bound(depths.begin(), depths.end(), depth)
                                  : std::lower_bound(depths.begin(), depths.end(), depth,
                                                     [](double a, double b) { return a > b; });
    const auto after = static_cast<std::size_t>(beyond - depths.begin());
    if (after == 0) return 0;
    if (after == depths.size()) return depths.size() - 1;
    const std::size_t before = after - 1;
    const double toAfter = std::abs(depths[after] - depth);
    const double toBefore = std::abs(depth - depths[before]);
    if (toAfter != toBefore) return toAfter < toBefore ? after : before;
    return depths[after] < depths[before] ? after : before;  // halfway: the shallower
}

namespace {

DepthSpan heldInside(double top, double bottom, DepthSpan whole) {
    const double span = bottom - top;
    if (span >= whole.bottom - whole.top) return whole;
    if (top < whole.top) return {whole.top, whole.top + span};
    if (bottom > whole.bottom) return {whole.bottom - span, whole.bottom};
    return {top, bottom};
}

}  // namespace

DepthSpan scrolledSpan(DepthSpan shown, double steps, DepthSpan whole) {
    const double shift = -steps * (shown.bottom - shown.top) / 10;
    return heldInside(shown.top + shift, shown.bottom + shift, whole);
}

DepthSpan zoomedSpan(DepthSpan shown, double steps, double centre, DepthSpan whole) {
    const double factor = std::pow(0.8, steps);
    const double least = (whole.bottom - whole.top) / 1e6;
    double top = centre - (centre - shown.top) * factor;
    double bottom = centre + (shown.bottom - centre) * factor;
    if (bottom - top < least) {
        top = centre - least / 2;
        bottom = centre + least / 2;
    }
    return heldInside(top, bottom, whole);
}

TrackArrangement fittedArrangement(const TrackArrangement& arrangement, int slotCount, int width,
                                   int narrowest) {
    TrackArrangement out;
    std::vector<bool> placed(static_cast<std::size_t>(std::max(slotCount, 0)) + 1, false);
    for (TrackPlacement p : arrangement.tracks) {
        if (p.slot < 1 || p.slot > slotCount || placed[static_cast<std::size_t>(p.slot)]) continue;
        placed[static_cast<std::size_t>(p.slot)] = true;
        p.width = std::max(p.width, narrowest);
        out.tracks.push_back(p);
    }
    for (int slot = 1; slot <= slotCount; ++slot)
        if (!placed[static_cast<std::size_t>(slot)])
            out.tracks.push_back({slot, true, std::max(width, narrowest)});
    return out;
}

void moveTrack(TrackArrangement& arrangement, int slot, int index) {
    auto& t = arrangement.tracks;
    const auto from =
        std::find_if(t.begin(), t.end(), [&](const auto& p) { return p.slot == slot; });
    if (from == t.end()) return;
    const TrackPlacement moving = *from;
    t.erase(from);
    const auto to =
        static_cast<std::size_t>(std::clamp<long>(index, 0, static_cast<long>(t.size())));
    t.insert(t.begin() + static_cast<long>(to), moving);
}

std::vector<int> trackLefts(const TrackArrangement& arrangement, int firstLeft) {
    int most = 0;
    for (const TrackPlacement& p : arrangement.tracks) most = std::max(most, p.slot);
    std::vector<int> lefts(static_cast<std::size_t>(most), firstLeft);
    int left = firstLeft;
    for (const TrackPlacement& p : arrangement.tracks) {
        if (p.slot < 1) continue;
        lefts[static_cast<std::size_t>(p.slot - 1)] = left;
        if (p.shown) left += p.width;
    }
    return lefts;
}

int shownWidth(const TrackArrangement& arrangement) {
    int w = 0;
    for (const TrackPlacement& p : arrangement.tracks)
        if (p.shown) w += p.width;
    return w;
}

}  // namespace lithora::chart
