#include "core/import/recognition.h"

#include <gtest/gtest.h>

namespace lithora::import {
namespace {

struct CurveLineCase {
    const char* line;
    const char* mnemonic;
    const char* unit;
    bool defines;
};

class CurveLineTest : public ::testing::TestWithParam<CurveLineCase> {};

TEST_P(CurveLineTest, SplitsMnemonicAndUnit) {
    const auto& c = GetParam();
    LasCurveLine got = parseLasCurveLine(c.line);
    EXPECT_EQ(got.mnemonic, c.mnemonic);
    EXPECT_EQ(got.unit, c.unit);
    EXPECT_EQ(got.definesCurve, c.defines);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CurveLineTest,
    ::testing::Values(
        // the unit ends at the first blank, tab or colon after the dot
        CurveLineCase{" DEPT.M                      :  1  DEPTH", "DEPT", "M", true},
        CurveLineCase{" RHOB.G/C3  :  density", "RHOB", "G/C3", true},
        CurveLineCase{" DT  .US/F  12 345 67 : sonic", "DT", "US/F", true},
        CurveLineCase{" GR  .GAPI\t\t: gamma", "GR", "GAPI", true},
        CurveLineCase{" ILD .OHMM:deep", "ILD", "OHMM", true},
        CurveLineCase{" NPHI.      : neutron", "NPHI", "", true},
        CurveLineCase{" NPHI.: neutron", "NPHI", "", true},
        CurveLineCase{"DEPT .M", "DEPT", "M", true},
        CurveLineCase{" DT  .US/M     45 350 : API code after five blanks", "DT", "US/M", true},
        // only the first dot separates mnemonic and unit
        CurveLineCase{" TEMP.DEG.C  : temp", "TEMP", "DEG.C", true},
        // comment, blank, section lines and lines without dot describe no curve
        CurveLineCase{"#MNEM.UNIT  API CODE", "#MNEM", "UNIT", false},
        CurveLineCase{"   # DEPT.M : commented out", "# DEPT", "M", false},
        CurveLineCase{"~A  DEPTH   GR", "", "", false}, CurveLineCase{"", "", "", false},
        CurveLineCase{"   ", "", "", false}, CurveLineCase{"DEPTH M : no dot", "", "", false},
        // a line with a dot but no mnemonic still describes a column
        CurveLineCase{" .OHMM   :  5  RXO", "", "OHMM", true}));

TEST(RoleNames, ListsAreExactAndCaseSensitive) {
    EXPECT_EQ(lasRoleNames(CurveRole::Density).size(), 28u);
    EXPECT_EQ(lasRoleNames(CurveRole::GammaRay).size(), 21u);
    EXPECT_EQ(lasRoleNames(CurveRole::PWave).size(), 6u);
    EXPECT_EQ(lasRoleNames(CurveRole::SWave).size(), 3u);
    EXPECT_TRUE(lasRoleNames(CurveRole::None).empty());

    // every listed name maps back to its own role: no name is in two lists
    for (auto role : {CurveRole::Density, CurveRole::GammaRay, CurveRole::PWave, CurveRole::SWave})
        for (auto name : lasRoleNames(role)) EXPECT_EQ(lasCurveRole(name), role) << name;

    struct Case {
        const char* name;
        CurveRole role;
    };
    for (auto c :
         {Case{"RHOB", CurveRole::Density}, Case{"DLDNH", CurveRole::Density},
          Case{"CGR", CurveRole::GammaRay}, Case{"GSGR", CurveRole::GammaRay},
          Case{"DT", CurveRole::PWave}, Case{"ACTCL", CurveRole::PWave},
          Case{"DT-S", CurveRole::SWave}, Case{"DTSM", CurveRole::SWave},
          Case{"DTS", CurveRole::None}, Case{"rhob", CurveRole::None},
          Case{"RHOB1", CurveRole::None}, Case{"GR ", CurveRole::None}, Case{"", CurveRole::None}})
        EXPECT_EQ(lasCurveRole(c.name), c.role) << c.name;
}

TEST(RoleNames, AsciiColumnNames) {
    EXPECT_EQ(asciiColumnRole("Density"), CurveRole::Density);
    EXPECT_EQ(asciiColumnRole("Gamma Ray"), CurveRole::GammaRay);
    EXPECT_EQ(asciiColumnRole("P-wave"), CurveRole::PWave);
    EXPECT_EQ(asciiColumnRole("S-wave"), CurveRole::SWave);
    EXPECT_EQ(asciiColumnRole("density"), CurveRole::None);
    EXPECT_EQ(asciiColumnRole("RHOB"), CurveRole::None);
    EXPECT_EQ(asciiColumnRole("P-wave/S-wave"), CurveRole::None);
}

TEST(UnitRules, DepthUnitOfTheIndexCurve) {
    EXPECT_EQ(lasDepthUnit("DEPT", "M"), "m");
    EXPECT_EQ(lasDepthUnit("DEPTH", "M"), "m");
    EXPECT_EQ(lasDepthUnit("DEPT", "F"), "ft");
    EXPECT_EQ(lasDepthUnit("DEPTH", "FT"), "ft");
    EXPECT_EQ(lasDepthUnit("TIME", "MS"), "m");
    EXPECT_EQ(lasDepthUnit("TIME", ""), "m");
    EXPECT_EQ(lasDepthUnit("DEPT", "m"), std::nullopt);
    EXPECT_EQ(lasDepthUnit("DEPT", "METRES"), std::nullopt);
    EXPECT_EQ(lasDepthUnit("DEPT", "FEET"), std::nullopt);
    EXPECT_EQ(lasDepthUnit("MD", "M"), std::nullopt);
}

TEST(UnitRules, DensityTagsFromTheUnitInParentheses) {
    EXPECT_EQ(lasCatalogUnit("G/C3"), "(G/C3)");
    EXPECT_EQ(lasCatalogUnit(""), "");

    for (const char* u : {"(G/CC)", "(G/CM3)", "(G/C3)"}) {
        EXPECT_EQ(densityUnitTag(u, true), "GC") << u;
        EXPECT_EQ(densityUnitTag(u, false), "GC") << u;
    }
    for (const char* u : {"(GM/CC)", "(GM/C3)"}) {
        EXPECT_EQ(densityUnitTag(u, true), "GC") << u;
        EXPECT_EQ(densityUnitTag(u, false), std::nullopt) << u;
    }
    for (const char* u : {"(K/M3)", "(K/M)"}) {
        EXPECT_EQ(densityUnitTag(u, true), "KM") << u;
        EXPECT_EQ(densityUnitTag(u, false), "KM") << u;
    }
    for (const char* u : {"(KG/M3)", "(g/cc)", "G/CC", "", "()"})
        EXPECT_EQ(densityUnitTag(u, true), std::nullopt) << u;
}

TEST(RoleLists, GammaRayIndexFollowsTheLastGammaRayCurve) {
    RoleLists roles;
    addToRole(roles, CurveRole::GammaRay, "GR", 3);
    addToRole(roles, CurveRole::Density, "RHOB", 4);
    addToRole(roles, CurveRole::GammaRay, "CGR", 5);
    addToRole(roles, CurveRole::None, "ILD", 6);
    EXPECT_EQ(roles.gammaRay, (std::vector<std::string>{"GR", "CGR"}));
    EXPECT_EQ(roles.density, (std::vector<std::string>{"RHOB"}));
    EXPECT_EQ(roles.gammaRayIndex, 5);
    EXPECT_TRUE(roles.pWave.empty());
}

}  // namespace
}  // namespace lithora::import
