// After a merge the workspace is complete as after a single LAS import: the elastic
// computation finds its curves, and Save Table writes LAS with the last file's well lines.
#include <gtest/gtest.h>

#include <unistd.h>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/import/las_reader.h"
#include "core/import/merge.h"
#include "core/workspace/workspace.h"

namespace fs = std::filesystem;

namespace {

std::string las(const std::string& well, const std::string& curves, const std::string& data) {
    return "~VERSION INFORMATION\n"
           " VERS.   2.0 : CWLS LOG ASCII STANDARD - VERSION 2.0\n"
           " WRAP.   NO  : ONE LINE PER DEPTH STEP\n"
           "~WELL INFORMATION\n"
           " STRT.M  1500.0 : START DEPTH\n"
           " STOP.M  1501.0 : STOP DEPTH\n"
           " STEP.M  0.5 : STEP\n"
           " NULL.   -999.25 : NULL VALUE\n"
           " WELL.   " +
           well + " : WELL\n~CURVE INFORMATION\n" + curves + "~A\n" + data;
}

TEST(MergeWorkspace, ElasticAndSaveTableWorkAfterAMerge) {
    const fs::path dir =
        fs::temp_directory_path() / ("lithora_merge_ws_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const auto a = dir / "density.las";
    const auto b = dir / "sonic.las";
    std::ofstream(a) << las("FIRST RUN", " DEPT.M :\n RHOB.G/CC :\n",
                            "1500 2.5\n1500.5 2.4\n1501 2.45\n");
    std::ofstream(b) << las("SECOND RUN", " DEPT.M :\n DT.US/M :\n DTSM.US/M :\n",
                            "1500 250 500\n1500.5 200 400\n1501 -999.25 450\n");

    {
        lithora::workspace::Workspace ws(dir);
        ws.openShippedTables();
        ws.installImport(lithora::import::mergeLasFiles(
            {a, b}, {{0, 1, "DEPT"}, {0, 2, "RHOB"}, {1, 2, "DT"}, {1, 3, "DTSM"}}));
        EXPECT_TRUE(ws.importInfo().lasSource);
        EXPECT_EQ(ws.sourceTrackCount(), 3);
        ASSERT_EQ(ws.roles().density.size(), 1u);
        ASSERT_EQ(ws.roles().pWave.size(), 1u);
        ASSERT_EQ(ws.roles().sWave.size(), 1u);
        // The file's units: slowness per metre, density in g/cm3.
        const lithora::workspace::ElasticUnits units{lithora::compute::SonicUnit::PerMetre,
                                                     lithora::compute::SonicUnit::PerMetre,
                                                     lithora::compute::DensityUnit::GramsPerCc};
        EXPECT_EQ(ws.unitTags().densityUnit, "GC");
        ws.computeElastic(ws.roles().density[0], ws.roles().pWave[0], ws.roles().sWave[0], units, {});
        ASSERT_EQ(ws.elastic().recordCount(), 3);

        const auto out = dir / "saved.las";
        ws.saveTable(out, ws.importInfo().headerLines);
        const auto back = lithora::import::readLasFile(out);
        ASSERT_EQ(back.rowCount(), 3u);
        std::string header;
        for (const auto& line : back.headerLines) header += line + "\n";
        EXPECT_NE(header.find("SECOND RUN"), std::string::npos) << header;
        EXPECT_EQ(header.find("FIRST RUN"), std::string::npos) << header;
        // At 1500 Vp is 1e6 / 250 = 4000 m/s and rho 2500 kg/m3: P-impedance 10000 shows
        // that the curves of both files reached the computation at the same depth.
        const auto pi = std::find(back.fieldNames.begin(), back.fieldNames.end(), "PI");
        ASSERT_NE(pi, back.fieldNames.end());
        EXPECT_DOUBLE_EQ(back.columns[static_cast<std::size_t>(pi - back.fieldNames.begin())][0],
                         10000);
        ws.exitCleanup();
    }
    fs::remove_all(dir);
}

}  // namespace
