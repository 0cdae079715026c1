#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "core/import/ascii_reader.h"
#include "core/import/las_reader.h"
#include "core/workspace/workspace.h"
#include "support/test_paths.h"

namespace fs = std::filesystem;

// An ASCII export read back by the ASCII reader gives the names, units and values written.
TEST(RoundTrip, AsciiExportReadsBackWithItsNamesUnitsAndValues) {
    const fs::path dir = fs::temp_directory_path() / ("lithora_rt_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    {
        lithora::workspace::Workspace ws(dir);
        ws.openShippedTables();
        // The LAS curves as if an ASCII file had given them, so Save Table writes ASCII.
        auto read = lithora::import::readLasFile(std::string(LITHORA_TEST_DATA) + "/cli/well.las");
        read.lasSource = false;
        read.asciiHeaderLine = "Column 1 : Depth m";
        ws.installImport(std::move(read));
        ws.computeElastic(
            "RHOB", "DT", "DTSM",
            {lithora::compute::SonicUnit::PerMetre, lithora::compute::SonicUnit::PerMetre,
             lithora::compute::DensityUnit::GramsPerCc},
            {});
        ws.saveTable(dir / "out.txt", {});
        const auto written = ws.visibleElastic();

        auto back = lithora::import::readAsciiFile(dir / "out.txt");
        EXPECT_EQ(back.fieldNames, (std::vector<std::string>{
                                       "Depth", "Poisson Ratio", "Lame Constant", "Bulk Modulus",
                                       "Shear Modulus", "Young Modulus", "P-Impedance",
                                       "S-Impedance", "Lambda/Miu", "P-wave/S-wave"}));
        EXPECT_EQ(back.depthUnit, "m");
        EXPECT_EQ(back.catalog[2].unit, "(GPa)");
        EXPECT_EQ(back.catalog[6].unit, "(Mg/sm2)");
        EXPECT_EQ(back.catalog[1].unit, "()");
        using F = lithora::compute::ElasticField;
        const F order[] = {F::kDepth,        F::kPoissonRatio, F::kLameConstant, F::kBulkModulus,
                           F::kShearModulus, F::kYoungModulus, F::kPImpedance,   F::kSImpedance,
                           F::kLandaMiu,     F::kVpVs};
        ASSERT_EQ(back.rowCount(), 3u);
        for (std::size_t c = 0; c < 10; ++c)
            for (std::size_t r = 0; r < 3; ++r) {
                const double w = written.columns[order[c]][r];
                const double b = back.columns[c][r];
                if (std::isnan(w))
                    EXPECT_TRUE(std::isnan(b)) << c << "," << r;
                else
                    EXPECT_NEAR(b, w, 1e-9) << c << "," << r;
            }
        ws.exitCleanup();
    }
    fs::remove_all(dir);
}
