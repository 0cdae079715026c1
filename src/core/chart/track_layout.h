#pragma once
#include <cstddef>
#include <optional>
#include <span>
#include <vector>

namespace lithora::chart {

// The sample nearest a depth in a column of depths ordered upwards or downwards (as logs
// are), found by binary search; none when the column is empty or the depth is not a number.
// Of two samples equally near, the shallower is taken.
std::optional<std::size_t> nearestSample(std::span<const double> depths, double depth);

// The depth range a window of depth charts shows, moved by the mouse wheel: `steps` notches
// (positive: towards smaller depths) of a tenth of the range each, kept inside `whole`.
struct DepthSpan {
    double top = 0;
    double bottom = 1;
    bool operator==(const DepthSpan&) const = default;
};
DepthSpan scrolledSpan(DepthSpan shown, double steps, DepthSpan whole);
// The range zoomed about `centre` (which keeps its place): each notch shows 80 % of the
// range before (`steps` positive zooms in, negative out), never more than `whole` and never
// less than a millionth of it.
DepthSpan zoomedSpan(DepthSpan shown, double steps, double centre, DepthSpan whole);

// Where one track of a page stands: its slot (the curve it shows), whether it is shown and
// its width in pixels.
struct TrackPlacement {
    int slot = 0;
    bool shown = true;
    int width = 0;
    bool operator==(const TrackPlacement&) const = default;
};

// How the user arranged the tracks of a page: the tracks from left to right, each shown or
// hidden and with its width. A plain value, given and taken whole.
struct TrackArrangement {
    std::vector<TrackPlacement> tracks;
    bool operator==(const TrackArrangement&) const = default;
};

// The arrangement made to fit `slotCount` tracks: the placements of slots 1 .. slotCount are
// kept in their order, slots beyond it are dropped, and the slots it lacks are appended,
// shown, at `width`. Widths below `narrowest` are raised to it.
TrackArrangement fittedArrangement(const TrackArrangement& arrangement, int slotCount, int width,
                                   int narrowest);
// The track of `slot` moved to position `index` among all tracks (held to the ends).
void moveTrack(TrackArrangement& arrangement, int slot, int index);
// The left edge of each track from `firstLeft`, in slot order (index slot - 1): hidden
// tracks take no room and are given the left edge where they would stand.
std::vector<int> trackLefts(const TrackArrangement& arrangement, int firstLeft);
// The width the shown tracks take together.
int shownWidth(const TrackArrangement& arrangement);

}  // namespace lithora::chart
