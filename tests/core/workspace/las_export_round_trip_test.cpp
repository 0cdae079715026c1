// What the readers take in and the LAS export writes out: the export of a file reads back
// with the same records, and copies the header as the file had it.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/import/las_reader.h"
#include "core/workspace/workspace.h"
#include "support/test_paths.h"

namespace fs = std::filesystem;

TEST(LasExportRoundTrip, IndentedSectionTitlesAndAForeignCodePage) {
    const fs::path dir =
        fs::temp_directory_path() / ("lithora_rt_titles_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    {
        lithora::workspace::Workspace ws(dir);
        ws.openShippedTables();
        ws.installImport(lithora::import::readLasFile(std::string(LITHORA_TEST_DATA) +
                                                      "/las/indented_titles_cp1252.las"));
        ws.computeElastic(
            "RHOB", "DT", "DTSM",
            {lithora::compute::SonicUnit::PerMetre, lithora::compute::SonicUnit::PerMetre,
             lithora::compute::DensityUnit::GramsPerCc},
            {});
        ws.saveTable(dir / "out.las", ws.importInfo().headerBytes);

        auto back = lithora::import::readLasFile(dir / "out.las");
        ASSERT_EQ(back.rowCount(), 3u);
        EXPECT_EQ(back.columns[0], (std::vector<double>{1500.0, 1500.25, 1500.5}));
        // the company line is written with the file's own byte
        std::ifstream in(dir / "out.las", std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        EXPECT_NE(bytes.str().find(" COMP.           \xc6R\xd8 ENERGY:    COMPANY\r\n"),
                  std::string::npos);
        // and read back as text it is the same characters as in the memo
        EXPECT_NE(std::find(back.headerLines.begin(), back.headerLines.end(),
                            " COMP.           \u00c6R\u00d8 ENERGY:    COMPANY"),
                  back.headerLines.end());
        ws.exitCleanup();
    }
    fs::remove_all(dir);
}
