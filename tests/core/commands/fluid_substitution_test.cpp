#include "core/commands/fluid_substitution.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "core/commands/import_file.h"
#include "core/import/las_reader.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;
using namespace lithora;

namespace {

// Four depths: a sample every rule keeps, one without its sonic, one of zero porosity, and one
// whose porosity is given in percent like the others.
constexpr const char* kWell =
    "~VERSION INFORMATION\r\n"
    " VERS.   2.0:   CWLS LOG ASCII STANDARD - VERSION 2.0\r\n"
    " WRAP.    NO:   ONE LINE PER DEPTH STEP\r\n"
    "~WELL INFORMATION\r\n"
    " STRT.M  1000:\r\n STOP.M  1001.5:\r\n STEP.M  0.5:\r\n NULL.  -999.25:\r\n"
    "~CURVE INFORMATION\r\n"
    " DEPT.M      :\r\n RHOB.G/CC   :\r\n DT  .US/M   :\r\n DTSM.US/M   :\r\n PHIT.PU     :\r\n"
    "~A\r\n"
    "1000.0  2.080  411.7  683.8  25\r\n"
    "1000.5  2.200  -999.25  650.0  20\r\n"
    "1001.0  2.300  300.0  550.0  0\r\n"
    "1001.5  2.250  350.0  600.0  22\r\n";

class FluidSubstitutionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto file = folder.path() / "well.las";
        std::ofstream(file, std::ios::binary) << kWell;
        const auto outcome = commands::importLas(ws, {file, {}, {}});
        ASSERT_TRUE(outcome.ok()) << outcome.message;
        request.elastic.curves = {"RHOB", "", "DT", "DTSM"};
        request.elastic.measuredVs = true;
        request.elastic.units = {compute::SonicUnit::PerMetre, compute::SonicUnit::PerMetre,
                                 compute::DensityUnit::GramsPerCc};
        request.porosityCurve = "PHIT";
        request.swBefore = 0.2;
        request.swAfter = 1.0;
    }

    lithora::test::TempFolder folder;
    workspace::Workspace ws{folder.path(), workspace::Storage::Memory};
    commands::FluidSubstitutionRequest request;
};

}  // namespace

// Each sample is the rock of the elastic computation (before rounding) substituted on its
// own; the porosity curve in "PU" is read as a fraction.
TEST_F(FluidSubstitutionTest, EverySampleAsTheElasticComputationMakesIt) {
    const auto r = commands::substituteFluid(ws, request);
    ASSERT_EQ(r.error, "");
    ASSERT_EQ(r.vp.size(), 4u);
    EXPECT_EQ(r.depth[3], 1001.5);
    EXPECT_DOUBLE_EQ(r.vp[0], 1e6 / 411.7);
    EXPECT_DOUBLE_EQ(r.vs[0], 1e6 / 683.8);
    EXPECT_DOUBLE_EQ(r.rho[0], 2080);
    EXPECT_DOUBLE_EQ(r.porosity[0], 0.25);

    const rockphysics::Substitution s{
        rockphysics::kQuartz, rockphysics::woodMix(0.2, rockphysics::kBrine, rockphysics::kGas),
        rockphysics::woodMix(1.0, rockphysics::kBrine, rockphysics::kGas)};
    for (std::size_t i : {0u, 3u}) {
        const auto expected = rockphysics::substitute(r.vp[i], r.vs[i], r.rho[i], r.porosity[i], s);
        ASSERT_EQ(expected.leftOut, rockphysics::LeftOut::None);
        EXPECT_DOUBLE_EQ(r.vpSub[i], expected.vp);
        EXPECT_DOUBLE_EQ(r.vsSub[i], expected.vs);
        EXPECT_DOUBLE_EQ(r.rhoSub[i], expected.rho);
        EXPECT_DOUBLE_EQ(r.kDryGPa[i], expected.kDry / 1e9);
        EXPECT_GT(r.vpSub[i], r.vp[i]);  // gas out, brine in
    }
    // No sonic: nothing but the porosity; zero porosity: the logs but no substitution.
    EXPECT_TRUE(std::isnan(r.vp[1]) && std::isnan(r.vpSub[1]));
    EXPECT_DOUBLE_EQ(r.porosity[1], 0.2);
    EXPECT_DOUBLE_EQ(r.vp[2], 1e6 / 300.0);
    EXPECT_EQ(r.porosity[2], 0);
    EXPECT_TRUE(std::isnan(r.vpSub[2]) && std::isnan(r.kDryGPa[2]));

    const auto lines = commands::fluidSubstitutionTableLines(r);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "Rec\tDepth\tPorosity\tK Dry\tVp\tVs\tRho\tVp Sub\tVs Sub\tRho Sub");
    EXPECT_EQ(lines[2], "2\t1000.5\t0.2\t\t\t\t\t\t\t");
    EXPECT_EQ(lines[3], "3\t1001\t0\t\t3333.3333\t1818.1818\t2300\t\t\t");

    EXPECT_EQ(r.leftOutPhysically(), 1);
    EXPECT_EQ(commands::fluidSubstitutionSummary(r),
              "Fluid substitution: 2 samples substituted, 1 left out (porosity not between 0 "
              "and 1), 1 left out (a value missing).");
}

TEST_F(FluidSubstitutionTest, PorosityFromTheDensity) {
    request.porosityCurve.clear();
    request.matrixDensityGcc = 2.65;
    const auto r = commands::substituteFluid(ws, request);
    ASSERT_EQ(r.error, "");
    const double fluid = 0.2 * 1.05 + 0.8 * 0.25;
    EXPECT_NEAR(r.porosity[0], (2.65 - 2.08) / (2.65 - fluid), 1e-12);
    EXPECT_NEAR(r.porosity[2], (2.65 - 2.30) / (2.65 - fluid), 1e-12);
    EXPECT_TRUE(std::isnan(r.porosity[1]));  // no rock there: no density from the computation
}

TEST_F(FluidSubstitutionTest, SettingsOutOfRangeAndMissingCurves) {
    EXPECT_EQ(commands::checkFluidSettings(request), "");
    struct Case {
        void (*change)(commands::FluidSubstitutionRequest&);
        const char* message;
    } cases[] = {
        {[](auto& r) { r.swBefore = 1.2; }, "Sw before must be from 0 to 1."},
        {[](auto& r) { r.swAfter = -0.1; }, "Sw after must be from 0 to 1."},
        {[](auto& r) { r.mineral.modulusGPa = 0; }, "The mineral modulus must be above 0."},
        {[](auto& r) { r.hydrocarbon.densityGcc = -1; },
         "The hydrocarbon density must be above 0."},
        {[](auto& r) {
             r.porosityCurve.clear();
             r.matrixDensityGcc = 0.4;
         },
         "The matrix density must be above the density of the fluid."},
    };
    for (const auto& c : cases) {
        auto r = request;
        c.change(r);
        EXPECT_EQ(commands::checkFluidSettings(r), c.message);
    }
    request.porosityCurve = "XYZ";
    EXPECT_EQ(commands::substituteFluid(ws, request).error, "Field 'XYZ' not found.");
}

// The substituted rock's elastic parameters, written as LAS and read back: every value as the
// elastic computation rounds it, null where the sample was not substituted.
TEST_F(FluidSubstitutionTest, SubstitutedRockSavesAsLas) {
    const auto r = commands::substituteFluid(ws, request);
    ASSERT_EQ(r.error, "");
    const auto table = commands::substitutedElastic(r);
    ASSERT_EQ(table.rowCount(), 4u);
    const long double vp = r.vpSub[0], vs = r.vsSub[0];
    EXPECT_EQ(table.columns[compute::kVp][0], compute::roundTo4(vp));
    EXPECT_EQ(table.columns[compute::kPoissonRatio][0],
              compute::roundTo4((vp * vp - 2 * vs * vs) / (2 * (vp * vp - vs * vs))));
    EXPECT_EQ(table.columns[compute::kRho][0], compute::roundTo4(r.rhoSub[0]));
    for (std::size_t row : {1u, 2u})  // no sonic; zero porosity
        for (int f = compute::kPoissonRatio; f < compute::kElasticFieldCount; ++f)
            EXPECT_TRUE(std::isnan(table.columns[f][row])) << row << " " << f;

    const auto target = folder.path() / "substituted.las";
    ASSERT_EQ(commands::saveFluidSubstitutionLas(ws, request, r, target), "");
    const auto back = import::readLasFile(target);
    EXPECT_TRUE(back.warnings.empty());
    EXPECT_EQ(back.fieldNames,
              (std::vector<std::string>{"DEPTH", "VP", "VS", "RHO", "PR", "LC", "BM", "SM", "YM",
                                        "LR", "MR", "L/M", "VP/VS", "PI", "SI"}));
    EXPECT_EQ(back.columns[0], (std::vector<double>{1000, 1000.5, 1001, 1001.5}));
    const compute::ElasticField order[] = {
        compute::kVp,           compute::kVs,           compute::kRho,
        compute::kPoissonRatio, compute::kLameConstant, compute::kBulkModulus,
        compute::kShearModulus, compute::kYoungModulus, compute::kLandaRho,
        compute::kMiuRho,       compute::kLandaMiu,     compute::kVpVs,
        compute::kPImpedance,   compute::kSImpedance};
    for (std::size_t c = 0; c < std::size(order); ++c)
        for (std::size_t row = 0; row < 4; ++row) {
            const double want = table.columns[order[c]][row];
            const double got = back.columns[c + 1][row];
            EXPECT_TRUE(std::isnan(want) ? std::isnan(got) : got == want) << c << " " << row;
        }
    EXPECT_NE(std::find(back.headerLines.begin(), back.headerLines.end(), "~PARAMETER INFORMATION"),
              back.headerLines.end());

    // a folder that is not there: a message, nothing written
    EXPECT_NE(commands::saveFluidSubstitutionLas(ws, request, r, folder.path() / "no" / "x.las"),
              "");
    // the well's own file is never written over
    const auto well = folder.path() / "well.las";
    EXPECT_NE(commands::saveFluidSubstitutionLas(ws, request, r, well).find("is the input file"),
              std::string::npos);
    EXPECT_EQ(import::readLasFile(well).fieldNames.size(), 5u);
}
