#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "core/rockphysics/lithology_vs.h"

using namespace lithora::rockphysics;

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
}

// Every one of the litholog's 60 names with its class.
TEST(LithologyVs, EveryLithologyNameHasItsClass) {
    const std::optional<RockClass> none;
    const auto sand = RockClass::Sandstone, lime = RockClass::Limestone, dolo = RockClass::Dolomite,
               shale = RockClass::Shale;
    const std::vector<std::pair<std::string, std::optional<RockClass>>> names = {
        {"Alluvium", none},
        {"Anhydratic Dolomite", dolo},
        {"Anhydrite", none},
        {"Arenaceous Dolomite", dolo},
        {"Arenaceous Limestone", lime},
        {"Arenaceous Shale", shale},
        {"Argillaceous Dolomite", dolo},
        {"Argillaceous Limestone", lime},
        {"Argillaceous Sandstone", sand},
        {"Argillaceous", none},
        {"Ash", none},
        {"Asphalt", none},
        {"Basalt", none},
        {"Basement", none},
        {"Bedrock", none},
        {"Bentonite", none},
        {"Breccia", none},
        {"Bryozoan Limestone", lime},
        {"Calcareous Dolomite", dolo},
        {"Calcareous Mudstone", shale},
        {"Calcareous Sandstone", sand},
        {"Calcareous Siltstone", shale},
        {"Calcite", none},
        {"Carbonate", none},
        {"Clayey Sand", sand},
        {"Claystone", shale},
        {"Coal", none},
        {"Coarse Sandstone", sand},
        {"Conglomerate", none},
        {"Dolomite", dolo},
        {"Dolomitic Limestone", lime},
        {"Dolomitic Mudstone", shale},
        {"Fine Sand", sand},
        {"Gneiss", none},
        {"Granite", none},
        {"Gravel", none},
        {"Gypsum", none},
        {"Kaolinized", none},
        {"Limestone", lime},
        {"Marble", none},
        {"Mudstone", shale},
        {"Oolitic Limestone", lime},
        {"Pyrite", none},
        {"Quartz", none},
        {"Quartzite", none},
        {"Rhyolite", none},
        {"Salt", none},
        {"Sandstone", sand},
        {"Sandy Limestone", lime},
        {"Schist", none},
        {"Shale", shale},
        {"Shaly Limestone", lime},
        {"Siltaceous Shale", shale},
        {"Siltstone", shale},
        {"Silty Limestone", lime},
        {"Silty Sand", sand},
        {"Stromatolites", none},
        {"Talc", none},
        {"Tuff", none},
        {"Unknown", none},
    };
    ASSERT_EQ(names.size(), 60u);
    for (const auto& [name, expected] : names) EXPECT_EQ(rockClassOf(name), expected) << name;
    // Names are compared exactly: another letter case is no class.
    EXPECT_EQ(rockClassOf("sandstone"), none);
}

TEST(LithologyVs, LinesOfEachClass) {
    // Vs = a2 Vp^2 + a1 Vp + a0 in km/s, at Vp = 3 km/s.
    EXPECT_NEAR(greenbergCastagnaVs(3000, RockClass::Sandstone), 1556.6, 1e-6);
    EXPECT_NEAR(greenbergCastagnaVs(3000, RockClass::Limestone), 1524.1, 1e-6);
    EXPECT_NEAR(greenbergCastagnaVs(3000, RockClass::Dolomite), 1671.88, 1e-6);
    EXPECT_NEAR(greenbergCastagnaVs(3000, RockClass::Shale), 1441.72, 1e-6);
}

// The first interval in table order that holds a depth decides, bounds included, in either
// direction; a depth in no interval, or in one without a class, takes the fallback line.
TEST(LithologyVs, IntervalsDecideEachDepth) {
    const std::vector<LithologyInterval> intervals = {
        {1000, 1100, "Shale"},
        {1100, 1200, "Sandstone"},  // shares 1100 with the shale above: the shale decides
        {1300, 1250, "Limestone"},  // written bottom-up
        {1400, 1500, "Coal"},       // no class
    };
    const std::vector<double> depths = {999, 1000, 1100, 1150, 1200, 1225, 1250, 1300, 1450, kNaN};
    const auto classes = rockClassesAt(depths, intervals);
    const std::vector<std::optional<RockClass>> expected = {
        std::nullopt,         RockClass::Shale, RockClass::Shale,     RockClass::Sandstone,
        RockClass::Sandstone, std::nullopt,     RockClass::Limestone, RockClass::Limestone,
        std::nullopt,         std::nullopt};
    EXPECT_EQ(classes, expected);

    EXPECT_EQ(rockClassesAt(depths, {}), std::vector<std::optional<RockClass>>(depths.size()));
}
