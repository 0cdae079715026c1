#include "core/commands/avo_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <numbers>

#include "core/commands/fluid_substitution.h"
#include "core/commands/import_file.h"
#include "core/import/las_reader.h"
#include "support/temp_folder.h"

using namespace lithora;

namespace {

constexpr const char* kWell =
    "~VERSION INFORMATION\r\n"
    " VERS.   2.0:\r\n WRAP.    NO:\r\n"
    "~WELL INFORMATION\r\n"
    " STRT.FT  1000:\r\n STOP.FT  1003:\r\n STEP.FT  1:\r\n NULL.  -999.25:\r\n"
    "~CURVE INFORMATION\r\n"
    " DEPT.FT     :\r\n RHOB.G/CC   :\r\n DT  .US/FT  :\r\n DTSM.US/FT  :\r\n"
    "~A\r\n"
    "1000  2.16  139.05  372.6\r\n"
    "1001  2.16  139.05  372.6\r\n"
    "1002  1.88  197.54  338.3\r\n"
    "1003  1.88  -999.25  338.3\r\n";

}  // namespace

TEST(AvoModel, AnglesAreWholeDegreesFromZeroToEighty) {
    EXPECT_EQ(commands::readAngleRange("0:40:10").range.angles(),
              (std::vector<int>{0, 10, 20, 30, 40}));
    EXPECT_EQ(commands::readAngleRange("5:5:1").range.angles(), (std::vector<int>{5}));
    EXPECT_EQ(commands::readAngleRange("0:80:30").range.angles(), (std::vector<int>{0, 30, 60}));
    for (const char* bad : {"0:40", "0:40:10:5", "0.5:40:10", "0:81:10", "-5:40:10", "40:0:10",
                            "0:40:0", "0:40:-5", "a:b:c", ""})
        EXPECT_NE(commands::readAngleRange(bad).error, "") << bad;
}

// A shale over a gas sand in feet: one interface between the two, none with the sample that
// has no sonic; times from the feet converted to metres.
TEST(AvoModel, InterfacesOfTheWellAndTheirTable) {
    test::TempFolder folder;
    const auto file = folder.write("well.las", kWell);
    workspace::Workspace ws(folder.path(), workspace::Storage::Memory);
    ASSERT_TRUE(commands::importLas(ws, {file, {}, {}}).ok());
    commands::AvoRequest request;
    request.elastic.curves = {"RHOB", "", "DT", "DTSM"};
    request.elastic.measuredVs = true;
    request.elastic.units = {compute::SonicUnit::PerFoot, compute::SonicUnit::PerFoot,
                             compute::DensityUnit::GramsPerCc};
    request.angles = {0, 30, 30};
    const auto avo = commands::modelAvo(ws, request);
    ASSERT_EQ(avo.error, "");
    ASSERT_EQ(avo.depth, (std::vector<double>{1001, 1002}));
    EXPECT_EQ(avo.intercept[0], 0);  // two equal samples
    const auto expected = rockphysics::interfaceTerms(304800 / 139.05, 304800 / 372.6, 2160,
                                                      304800 / 197.54, 304800 / 338.3, 1880);
    EXPECT_NEAR(avo.intercept[1], expected.intercept, 1e-12);
    EXPECT_NEAR(avo.gradient[1], expected.gradient, 1e-12);
    EXPECT_LT(avo.intercept[1], 0);
    EXPECT_LT(avo.gradient[1], 0);
    EXPECT_NEAR(avo.reflection[1][1], expected.at(std::numbers::pi / 6), 1e-12);
    // 0.3048 m at 304800 / 139.05 m/s, there and back, in ms.
    EXPECT_NEAR(avo.twtMs[0], 2 * 0.3048 / (304800 / 139.05) * 1000, 1e-9);

    const auto lines = commands::avoTableLines(avo);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "Depth\tTWT\tIntercept\tGradient\tR 0\tR 30");
    EXPECT_EQ(lines[1].substr(0, 5), "1001\t");
    const auto gather = commands::syntheticGather(avo, 30, 2);
    ASSERT_EQ(gather.traces.size(), 2u);
    EXPECT_FALSE(gather.traces[0].empty());

    // written as LAS and read back; never over the well's own file
    const auto out = folder.path() / "avo.las";
    ASSERT_EQ(commands::saveAvoLas(ws, avo, out), "");
    EXPECT_EQ(import::readLasFile(out).rowCount(), 2u);
    EXPECT_NE(commands::saveAvoLas(ws, avo, file).find("is the input file"), std::string::npos);
    EXPECT_EQ(import::readLasFile(file).fieldNames.size(), 4u);
}

// The AVO of given columns is that of the rock they hold: the well's own rock gives modelAvo's
// result, and the substituted rock of a fluid substitution its own interfaces (none across a
// sample left out).
TEST(AvoModel, TheAvoOfGivenColumnsIsThatOfTheirRock) {
    test::TempFolder folder;
    const auto file = folder.write("well.las", kWell);
    workspace::Workspace ws(folder.path(), workspace::Storage::Memory);
    ASSERT_TRUE(commands::importLas(ws, {file, {}, {}}).ok());
    commands::FluidSubstitutionRequest fluid;
    fluid.elastic.curves = {"RHOB", "", "DT", "DTSM"};
    fluid.elastic.measuredVs = true;
    fluid.elastic.units = {compute::SonicUnit::PerFoot, compute::SonicUnit::PerFoot,
                           compute::DensityUnit::GramsPerCc};
    fluid.swAfter = 0.2;
    const commands::AngleRange angles{0, 30, 10};
    const auto own = commands::modelAvo(ws, {fluid.elastic, angles});
    const auto e = fluid.elastic;
    const auto rock =
        ws.rockColumns(e.curves.density, e.curves.pWave, e.curves.sWave, e.units, e.vs);
    const auto same = commands::modelAvoOfRock(ws, rock, angles);
    EXPECT_EQ(same.depth, own.depth);
    EXPECT_EQ(same.intercept, own.intercept);
    EXPECT_EQ(same.reflection, own.reflection);

    const auto sub = commands::substituteFluid(ws, fluid);
    ASSERT_EQ(sub.error, "");
    const auto substituted =
        commands::modelAvoOfRock(ws, {sub.vpSub, sub.vsSub, sub.rhoSub}, angles);
    EXPECT_EQ(substituted.angles, (std::vector<int>{0, 10, 20, 30}));
    for (std::size_t i = 0; i < substituted.depth.size(); ++i) {
        // Each interface joins two substituted samples.
        const auto row = static_cast<std::size_t>(substituted.depth[i] - 1000);
        ASSERT_GE(row, 1u);
        EXPECT_FALSE(std::isnan(sub.vpSub[row]));
        EXPECT_FALSE(std::isnan(sub.vpSub[row - 1]));
    }
    // The sand's porosity from its density (0.48) leaves it without a frame: no interface
    // reaches it in the substituted rock.
    EXPECT_TRUE(std::isnan(sub.vpSub[2]));
    EXPECT_EQ(substituted.depth, (std::vector<double>{1001}));
}
