#include "core/workspace/cross_plot_data.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/compute/elastic.h"
#include "core/workspace/workspace.h"
#include "support/temp_folder.h"

using lithora::import::ImportResult;
using lithora::workspace::ColourOption;
using lithora::workspace::Workspace;

namespace {

class CrossPlotDataTest : public ::testing::Test {
  protected:
    // Six depth steps; GR = 10 * record number, null at the fourth record.
    static ImportResult well() {
        ImportResult r;
        r.fieldNames = {"DEPTH", "RHOB", "DT", "DTS", "GR"};
        r.fieldLabels = {"DEPT(M)", "RHOB(G/CC)", "DT(US/M)", "DTS(US/M)", "GR(GAPI)"};
        r.catalog = {{"DEPT", "(M)", "DEPT(M)"},
                     {"RHOB", "(G/CC)", "RHOB(G/CC)"},
                     {"DT", "(US/M)", "DT(US/M)"},
                     {"DTS", "(US/M)", "DTS(US/M)"},
                     {"GR", "(GAPI)", "GR(GAPI)"}};
        r.columns.resize(5);
        for (int i = 0; i < 6; ++i) {
            r.columns[0].push_back(1000 + i);
            r.columns[1].push_back(2.2 + 0.05 * i);
            r.columns[2].push_back(300 - 10 * i);
            r.columns[3].push_back(600 - 10 * i);
            r.columns[4].push_back(i == 3 ? NAN : 10.0 * (i + 1));
        }
        r.roles.density = {"RHOB"};
        r.roles.pWave = {"DT"};
        r.roles.sWave = {"DTS"};
        r.roles.gammaRay = {"GR"};
        r.roles.gammaRayIndex = 5;
        r.depthUnit = "m";
        r.densityUnit = "GC";
        r.nullValueText = "-999.25";
        r.nullValue = -999.25;
        return r;
    }

    static void compute(Workspace& ws) {
        using namespace lithora::compute;
        ws.computeElastic("RHOB", "DT", "DTS",
                          {SonicUnit::PerMetre, SonicUnit::PerMetre, DensityUnit::GramsPerCc}, {});
    }

    lithora::test::TempFolder folder;
};

TEST_F(CrossPlotDataTest, OptionsNameTheGammaRayTheDepthAndEveryCurve) {
    Workspace ws(folder.path());
    ws.openShippedTables();
    auto options = colourOptions(ws);
    ASSERT_EQ(options.size(), 2u);  // nothing loaded: none and depth
    EXPECT_EQ(options[0].caption, "None");
    EXPECT_EQ(options[1].kind, ColourOption::Depth);

    ws.installImport(well());
    options = colourOptions(ws);
    std::vector<std::string> captions;
    for (const auto& o : options) captions.push_back(o.caption);
    EXPECT_EQ(captions, (std::vector<std::string>{"None", "Gamma Ray (GR)", "Depth", "RHOB(G/CC)",
                                                  "DT(US/M)", "DTS(US/M)", "GR(GAPI)"}));
    EXPECT_EQ(options[1].field, "GR");
    EXPECT_EQ(options[1], options.back());  // the same choice under two captions
}

TEST_F(CrossPlotDataTest, ColourValuesFollowTheElasticRecordsByRec) {
    Workspace ws(folder.path());
    ws.openShippedTables();
    ws.installImport(well());
    const ColourOption gr{ColourOption::Curve, "GR", "GR"};
    EXPECT_TRUE(colourValues(ws, gr).empty());  // no elastic records yet

    ws.applyDepthFilter(1002, 1004);  // records 3 .. 5
    compute(ws);
    ws.undoDepthFilter();  // the source shows six records again, the elastic table three
    const auto values = colourValues(ws, gr);
    ASSERT_EQ(values.size(), 3u);
    EXPECT_EQ(values[0], 30);
    EXPECT_TRUE(std::isnan(values[1]));  // a null sample stays null
    EXPECT_EQ(values[2], 50);

    const auto depth = colourValues(ws, {ColourOption::Depth, {}, "Depth"});
    EXPECT_EQ(depth, (std::vector<double>{1002, 1003, 1004}));
    EXPECT_TRUE(colourValues(ws, {ColourOption::None, {}, "None"}).empty());
    // Neither a name that is no field nor the depth or "Rec" field colours anything.
    for (const char* name : {"NOPE", "DEPTH", "Rec"})
        EXPECT_TRUE(colourValues(ws, {ColourOption::Curve, name, name}).empty()) << name;
    EXPECT_EQ(visibleElasticColumn(ws, lithora::compute::kDepth), depth);
    EXPECT_TRUE(visibleElasticColumn(ws, 99).empty());
}

}  // namespace
