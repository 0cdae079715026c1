#include <gtest/gtest.h>

#include "core/commands/compute_elastic.h"

using namespace lithora;

TEST(LithologyVsSummary, NamesWhatEachClassAndTheFallbackTook) {
    rockphysics::LithologyVsCounts counts;
    counts.byClass[static_cast<int>(rockphysics::RockClass::Sandstone)] = 120;
    counts.byClass[static_cast<int>(rockphysics::RockClass::Shale)] = 80;
    counts.fallback = 15;
    EXPECT_EQ(commands::lithologyVsSummary(counts),
              "Vs by lithology: 120 sandstone, 80 shale, 15 by the linear equation.");
    EXPECT_EQ(commands::lithologyVsSummary({}), "Vs by lithology: no sample.");
}

TEST(LithologyVsSummary, OnlyCompleteIntervalsChooseVs) {
    std::vector<exporter::LithologInterval> intervals(3);
    intervals[0] = {100, 200, "Shale"};
    intervals[1].top = 200;  // no bottom yet
    intervals[2] = {300, 250, "Dolomite"};
    const auto chosen = commands::lithologyIntervals(intervals);
    ASSERT_EQ(chosen.size(), 2u);
    EXPECT_EQ(chosen[1].lithology, "Dolomite");
    EXPECT_EQ(chosen[1].top, 300);
    EXPECT_EQ(chosen[1].bottom, 250);
}
