#include "core/chart/track_layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace lithora::chart {
namespace {

TEST(NearestSample, FindsTheNearestDepthInEitherOrder) {
    const std::vector<double> down{100, 100.5, 101, 101.5, 102};
    const std::vector<double> up{102, 101.5, 101, 100.5, 100};
    struct Case {
        double depth;
        std::size_t down, up;
    };
    for (const Case c : {Case{100.2, 0, 4}, Case{100.3, 1, 3}, Case{101, 2, 2}, Case{99, 0, 4},
                         Case{250, 4, 0}, Case{101.75, 3, 1}}) {
        EXPECT_EQ(nearestSample(down, c.depth), c.down) << c.depth;
        EXPECT_EQ(nearestSample(up, c.depth), c.up) << c.depth;
    }
    EXPECT_EQ(nearestSample(down, 100.25), 0u);  // halfway: the upper sample
    EXPECT_EQ(nearestSample(std::vector<double>{}, 1), std::nullopt);
    EXPECT_EQ(nearestSample(down, std::nan("")), std::nullopt);
    EXPECT_EQ(nearestSample(std::vector<double>{5}, 1e9), 0u);
}

TEST(DepthSpans, ScrollAndZoomStayInsideTheWell) {
    const DepthSpan whole{1000, 2000};
    EXPECT_EQ(scrolledSpan({1200, 1300}, 1, whole), (DepthSpan{1190, 1290}));
    EXPECT_EQ(scrolledSpan({1200, 1300}, -2, whole), (DepthSpan{1220, 1320}));
    EXPECT_EQ(scrolledSpan({1005, 1105}, 3, whole), (DepthSpan{1000, 1100}));
    EXPECT_EQ(scrolledSpan({1850, 1950}, -10, whole), (DepthSpan{1900, 2000}));
    EXPECT_EQ(scrolledSpan(whole, 1, whole), whole);

    // The depth under the mouse keeps its place.
    const DepthSpan in = zoomedSpan({1000, 2000}, 1, 1500, whole);
    EXPECT_DOUBLE_EQ(in.top, 1100);
    EXPECT_DOUBLE_EQ(in.bottom, 1900);
    const DepthSpan corner = zoomedSpan({1000, 1100}, 1, 1000, whole);
    EXPECT_DOUBLE_EQ(corner.top, 1000);
    EXPECT_DOUBLE_EQ(corner.bottom, 1080);
    EXPECT_EQ(zoomedSpan({1200, 1300}, -20, 1250, whole), whole);
    const DepthSpan deepest = zoomedSpan({1200, 1300}, 200, 1250, whole);
    EXPECT_NEAR(deepest.bottom - deepest.top, 1e-3, 1e-9);
}

TEST(TrackArrangements, FitMoveAndPlaceTracks) {
    TrackArrangement a = fittedArrangement({}, 3, 150, 40);
    ASSERT_EQ(a.tracks.size(), 3u);
    EXPECT_EQ(a.tracks[2], (TrackPlacement{3, true, 150}));

    moveTrack(a, 3, 0);
    a.tracks[1].shown = false;  // slot 1
    a.tracks[2].width = 200;    // slot 2
    EXPECT_EQ(trackLefts(a, 488), (std::vector<int>{638, 638, 488}));
    EXPECT_EQ(shownWidth(a), 350);
    moveTrack(a, 3, 99);
    EXPECT_EQ(a.tracks.back().slot, 3);
    moveTrack(a, 7, 0);  // no such track: nothing moves
    EXPECT_EQ(a.tracks.front().slot, 1);

    // More tracks keep what the user did and add the new ones; fewer drop the missing.
    TrackArrangement grown = fittedArrangement(a, 4, 150, 40);
    EXPECT_EQ(grown.tracks.front(), (TrackPlacement{1, false, 150}));
    EXPECT_EQ(grown.tracks.back(), (TrackPlacement{4, true, 150}));
    a.tracks.push_back({2, true, 10});  // a repeated slot counts once
    TrackArrangement shrunk = fittedArrangement(a, 2, 150, 40);
    ASSERT_EQ(shrunk.tracks.size(), 2u);
    EXPECT_EQ(shrunk.tracks[1], (TrackPlacement{2, true, 200}));
    EXPECT_EQ(fittedArrangement({{{1, true, 5}}}, 1, 150, 40).tracks[0].width, 40);
}

}  // namespace
}  // namespace lithora::chart
