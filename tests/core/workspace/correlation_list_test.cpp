#include "core/workspace/correlation_list.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include "core/workspace/workspace.h"

namespace fs = std::filesystem;
using lithora::import::ImportResult;
using lithora::workspace::Workspace;

namespace {

std::string shown(double r) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.4f", r);
    return buf;
}

class CorrelationListTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("lithora_cc_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    // Ten depth steps. Vp = 1e6 / DT (slowness in us/m) is 1000 * RHOB, so "Vp" follows
    // the density exactly at every depth; GR follows it mirrored; CALI is null at one depth.
    static ImportResult well() {
        const double rho[] = {2.1, 2.6, 2.3, 2.5, 2.2, 2.45, 2.35, 2.15, 2.55, 2.4};
        ImportResult r;
        r.fieldNames = {"DEPTH", "RHOB", "DT", "DTS", "GR", "CALI"};
        r.fieldLabels = {"DEPT(M)", "RHOB(G/CC)", "DT(US/M)", "DTS(US/M)", "GR(GAPI)", "CALI(IN)"};
        r.catalog = {{"DEPT", "(M)", "DEPT(M)"},   {"RHOB", "(G/CC)", "RHOB(G/CC)"},
                     {"DT", "(US/M)", "DT(US/M)"}, {"DTS", "(US/M)", "DTS(US/M)"},
                     {"GR", "(GAPI)", "GR(GAPI)"}, {"CALI", "(IN)", "CALI(IN)"}};
        r.columns.resize(6);
        for (int i = 0; i < 10; ++i) {
            r.columns[0].push_back(1500 + 0.5 * i);
            r.columns[1].push_back(rho[i]);
            r.columns[2].push_back(1e6 / (1000 * rho[i]));
            r.columns[3].push_back(1e6 / (500 * rho[i] + 100 * (i % 3)));
            r.columns[4].push_back(200 - 50 * rho[i]);
            r.columns[5].push_back(i == 4 ? NAN : 8.5);
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

    double row(const std::vector<lithora::compute::CorrelationRow>& rows, const std::string& name) {
        for (const auto& r : rows)
            if (r.name == name) return r.coefficient;
        ADD_FAILURE() << "no row " << name;
        return NAN;
    }

    fs::path dir;
};

TEST_F(CorrelationListTest, SourceRowsThenThirteenElasticRows) {
    Workspace ws(dir);
    ws.openShippedTables();
    ws.installImport(well());

    auto rows = correlationList(ws, "RHOB");
    ASSERT_EQ(rows.size(), 5u);  // no elastic results yet
    EXPECT_EQ(rows[0].name, "RHOB");
    EXPECT_EQ(shown(rows[0].coefficient), "1.0000");
    EXPECT_EQ(shown(row(rows, "GR")), "-1.0000");
    EXPECT_EQ(shown(row(rows, "CALI")), "0.0000");  // constant where present

    ws.computeElastic("RHOB", "DT", "DTS",
                      {lithora::compute::SonicUnit::PerMetre, lithora::compute::SonicUnit::PerMetre,
                       lithora::compute::DensityUnit::GramsPerCc},
                      {});
    rows = correlationList(ws, "RHOB");
    ASSERT_EQ(rows.size(), 5u + 13u);
    EXPECT_EQ(rows[5].name, "Poisson Ratio");
    EXPECT_EQ(rows[17].name, "S-Impedance");
    EXPECT_EQ(shown(row(rows, "Vp")), "1.0000");

    EXPECT_THROW(correlationList(ws, "NOPE"), lithora::store::StoreError);
}

TEST_F(CorrelationListTest, PairsByRecAfterFilterComputeUndo) {
    Workspace ws(dir);
    ws.openShippedTables();
    ws.installImport(well());
    ws.applyDepthFilter(1501, 1503);  // records 3 .. 7
    ws.computeElastic("RHOB", "DT", "DTS",
                      {lithora::compute::SonicUnit::PerMetre, lithora::compute::SonicUnit::PerMetre,
                       lithora::compute::DensityUnit::GramsPerCc},
                      {});
    EXPECT_EQ(shown(row(correlationList(ws, "RHOB"), "Vp")), "1.0000");

    // The source shows all ten records again, the elastic table its five: the k-th records
    // of the two tables are at different depths, the records of one Rec are not.
    ws.undoDepthFilter();
    ASSERT_EQ(ws.source().recordCount(), 10);
    ASSERT_EQ(ws.elastic().recordCount(), 5);
    EXPECT_EQ(shown(row(correlationList(ws, "RHOB"), "Vp")), "1.0000");
}

}  // namespace
