// Save Table writes files the program's own readers take back with the values written, for
// every kind of source.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "core/common/number_text.h"
#include "core/import/ascii_reader.h"
#include "core/import/las_reader.h"
#include "core/workspace/workspace.h"
#include "support/test_paths.h"

namespace fs = std::filesystem;
using lithora::compute::DensityUnit;
using lithora::compute::ElasticColumns;
using lithora::compute::ElasticField;
using lithora::compute::SonicUnit;
using lithora::workspace::ElasticUnits;
using lithora::workspace::Workspace;

namespace {

constexpr ElasticField kLasOrder[] = {
    ElasticField::kDepth,       ElasticField::kPoissonRatio, ElasticField::kLameConstant,
    ElasticField::kBulkModulus, ElasticField::kShearModulus, ElasticField::kYoungModulus,
    ElasticField::kPImpedance,  ElasticField::kSImpedance,   ElasticField::kLandaMiu,
    ElasticField::kVpVs,        ElasticField::kLandaRho,     ElasticField::kMiuRho};

std::string slurp(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

class SaveTable : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("lithora_save_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }

    // Every written value read back: the same number, or null where null was written.
    static void expectSameValues(const ElasticColumns& written,
                                 const lithora::import::ImportResult& back, std::size_t columns,
                                 const std::string& what) {
        ASSERT_EQ(back.fieldNames.size(), columns) << what;
        ASSERT_EQ(back.rowCount(), written.rowCount()) << what;
        int mismatches = 0;
        for (std::size_t c = 0; c < columns; ++c)
            for (std::size_t r = 0; r < written.rowCount(); ++r) {
                const double w = written.columns[kLasOrder[c]][r];
                const double b = back.columns[c][r];
                const bool same =
                    std::isnan(w) ? std::isnan(b) : std::abs(b - w) <= 1e-12 * std::abs(w);
                if (!same && ++mismatches <= 5)
                    ADD_FAILURE() << what << ": column " << c << " row " << r << " wrote " << w
                                  << ", read " << b;
            }
        EXPECT_EQ(mismatches, 0) << what;
    }

    fs::path dir_;
};

std::string external(const std::string& path) {
    return std::string(LITHORA_TEST_DATA) + "/external/las-external/" + path;
}

struct LasCase {
    std::string file;
    std::string density, pWave;
    ElasticUnits units;  // as answered to the units question, or as the file's tags give
};

// P-135: a depth unit without a conversion rule ("m"); its sonic curves are in us/ft as
// their units say, and its depth lines are still in metres. Its export once had no depth
// lines and read back shifted. F03-02: impedances of 12 characters and more,
// which once ran into the value before them.
TEST_F(SaveTable, LasExportReadsBackWithEveryValue) {
    const LasCase cases[] = {{external("welly/tutorial/data/P-135_out.LAS"),
                              "RHOB",
                              "DT",
                              {SonicUnit::PerFoot, SonicUnit::PerFoot, DensityUnit::GramsPerCc}},
                             {external("welly/tests/assets/F03-02.las"),
                              "RHOB",
                              "DT",
                              {SonicUnit::PerMetre, SonicUnit::PerMetre, DensityUnit::GramsPerCc}},
                             {std::string(LITHORA_TEST_DATA) + "/cli/well.las",
                              "RHOB",
                              "DT",
                              {SonicUnit::PerMetre, SonicUnit::PerMetre, DensityUnit::GramsPerCc}}};
    for (const LasCase& c : cases) {
        Workspace ws(dir_);
        ws.openShippedTables();
        ws.installImport(lithora::import::readLasFile(c.file));
        ASSERT_TRUE(ws.importInfo().lasSource);
        ws.computeElastic(c.density, c.pWave, "", c.units, {});
        const fs::path out = dir_ / "out.las";
        ws.saveTable(out, ws.importInfo().headerLines);
        const ElasticColumns written = ws.visibleElastic();

        const auto back = lithora::import::readLasFile(out);
        expectSameValues(written, back, 12, c.file);
        EXPECT_EQ(back.depthUnit, "m") << c.file;
        EXPECT_EQ(back.catalog[0].mnemonic, "DEPT") << c.file;

        // A value of 12 characters or more stands apart from the value before it.
        const std::string text = slurp(out);
        const std::size_t data = text.find("\r\n", text.find("~A")) + 2;
        std::istringstream lines(text.substr(data));
        std::string line, token;
        bool sawLong = false;
        while (std::getline(lines, line)) {
            std::istringstream tokens(line);
            int n = 0;
            while (tokens >> token) {
                ++n;
                sawLong = sawLong || token.size() >= 12;
            }
            ASSERT_EQ(n, 12) << c.file << ": " << line;
        }
        if (c.file.find("F03-02") != std::string::npos) {
            EXPECT_TRUE(sawLong);
        }
        ws.exitCleanup();
    }
}

TEST_F(SaveTable, FilteredLasExportWritesTheShownRangeOnly) {
    Workspace ws(dir_);
    ws.openShippedTables();
    ws.installImport(lithora::import::readLasFile(external("welly/tutorial/data/P-135_out.LAS")));
    ws.computeElastic("RHOB", "DT", "",
                      {SonicUnit::PerMetre, SonicUnit::PerMetre, DensityUnit::GramsPerCc}, {});
    ws.applyDepthFilter(500, 600);
    ws.saveTable(dir_ / "out.las", ws.importInfo().headerLines);
    const ElasticColumns written = ws.visibleElastic();
    ASSERT_GT(written.rowCount(), 100u);
    const auto back = lithora::import::readLasFile(dir_ / "out.las");
    expectSameValues(written, back, 12, "filtered");
    const std::string text = slurp(dir_ / "out.las");
    EXPECT_NE(text.find(" STRT.M          " +
                        lithora::numberText(written.columns[ElasticField::kDepth].front())),
              std::string::npos);
    EXPECT_NE(text.find(" STOP.M          " +
                        lithora::numberText(written.columns[ElasticField::kDepth].back())),
              std::string::npos);
    ws.exitCleanup();
}

// An ASCII source saves as ASCII; the export reads back, also when the imported header line
// is lost (after an unclean end the workspace no longer has it).
TEST_F(SaveTable, AsciiExportReadsBackWithEveryValue) {
    const fs::path source = dir_ / "source.txt";
    {
        std::ofstream f(source, std::ios::binary);
        f << "Column 1 : DEPTH m\r\n"
             "Column 2 : Density (Density) - Units : G/CC\r\n"
             "Column 3 : P-wave (P-wave) - Units : us/m\r\n"
             "Column 4 : S-wave (S-wave) - Units : us/m\r\n";
        for (int r = 0; r < 50; ++r) {
            f << 1000 + 0.125 * r << '\t' << 2.3 + 0.001 * r << '\t';
            if (r == 7)
                f << " -999.0000";
            else
                f << 250 + 0.5 * r;
            f << '\t' << 450 + 0.75 * r << "\r\n";
        }
    }
    for (const std::string header : {"keep", ""}) {
        Workspace ws(dir_);
        ws.openShippedTables();
        auto read = lithora::import::readAsciiFile(source);
        if (header.empty()) read.asciiHeaderLine.clear();
        ws.installImport(std::move(read));
        ASSERT_FALSE(ws.importInfo().lasSource);
        ws.computeElastic("Density", "P-wave", "S-wave",
                          {SonicUnit::PerMetre, SonicUnit::PerMetre, DensityUnit::GramsPerCc}, {});
        const fs::path out = dir_ / "out.txt";
        ws.saveTable(out, {});
        const ElasticColumns written = ws.visibleElastic();

        const auto back = lithora::import::readAsciiFile(out);
        expectSameValues(written, back, 10, "header " + header);
        EXPECT_EQ(back.depthUnit, "m");
        EXPECT_EQ(back.fieldNames[0], header.empty() ? "Depth" : "DEPTH");
        ws.exitCleanup();
    }
}

}  // namespace
