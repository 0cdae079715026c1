#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "core/workspace/workspace.h"

namespace fs = std::filesystem;
using lithora::import::ImportResult;
using lithora::workspace::Workspace;

namespace {

const lithora::workspace::ElasticUnits kMetreGc{lithora::compute::SonicUnit::PerMetre,
                                                lithora::compute::SonicUnit::PerMetre,
                                                lithora::compute::DensityUnit::GramsPerCc};

class WorkspaceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("lithora_ws_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    // DEPT, RHOB, DT, GR as a LAS reader would hand them over.
    static ImportResult lasResult(std::vector<double> depth) {
        ImportResult r;
        r.fieldNames = {"DEPTH", "RHOB", "DT", "GR"};
        r.fieldLabels = {"DEPT(M)", "RHOB(G/CC)", "DT(US/M)", "GR(GAPI)"};
        r.catalog = {{"DEPT", "(M)", "DEPT(M)"},
                     {"RHOB", "(G/CC)", "RHOB(G/CC)"},
                     {"DT", "(US/M)", "DT(US/M)"},
                     {"GR", "(GAPI)", "GR(GAPI)"}};
        const auto n = depth.size();
        r.columns = {std::move(depth), std::vector<double>(n, 2.5), std::vector<double>(n, 250),
                     std::vector<double>(n, 60)};
        if (n > 1) r.columns[2][1] = NAN;
        r.roles.density = {"RHOB"};
        r.roles.pWave = {"DT"};
        r.roles.gammaRay = {"GR"};
        r.roles.gammaRayIndex = 4;
        r.depthUnit = "m";
        r.densityUnit = "GC";
        r.nullValueText = "-999.25";
        r.nullValue = -999.25;
        r.headerLines = {"~VERSION INFORMATION", "~A"};
        return r;
    }

    fs::path dir;
};

TEST_F(WorkspaceTest, InstallImportBuildsTheSourceTableAndTheValues) {
    Workspace ws(dir);
    ws.openShippedTables();
    EXPECT_TRUE(fs::exists(dir / "ElasticTable.db"));
    EXPECT_TRUE(fs::exists(dir / "Litholog.db"));
    EXPECT_FALSE(ws.loaded());
    ws.installImport(lasResult({1500, 1500.25, 1500.5, 1500.75}));
    EXPECT_TRUE(ws.loaded());

    const auto& t = ws.source();
    ASSERT_EQ(t.fieldCount(), 6);
    EXPECT_EQ(t.field(0).def.name, "Rec");
    EXPECT_EQ(t.field(0).label(), "Rec. #");
    EXPECT_EQ(t.field(1).label(), "DEPT(M)");
    EXPECT_EQ(t.field(5).def.name, "Counting");
    EXPECT_FALSE(t.field(5).visible);
    EXPECT_EQ(t.cellText(3, 0), "4");
    EXPECT_TRUE(t.cellIsNull(1, 3));
    EXPECT_TRUE(t.cellIsNull(0, 5));
    EXPECT_EQ(ws.sourceFieldCount(), 5);
    EXPECT_EQ(ws.sourceTrackCount(), 3);
    const auto& flags = ws.roleFlags();
    EXPECT_TRUE(flags.density && flags.pWave && flags.gammaRay);
    EXPECT_FALSE(flags.sWave);
    EXPECT_EQ(ws.depthWindow().top, 1500);
    EXPECT_EQ(ws.depthWindow().bottom, 1500.75);
    EXPECT_EQ(ws.litholog().field(1).maxValue, 1500.75);

    auto s = ws.summary(',');
    EXPECT_EQ(s.records, "4");
    EXPECT_EQ(s.tracks, "3");
    EXPECT_EQ(s.start, "1500");
    EXPECT_EQ(s.stop, "1500,75");
    EXPECT_EQ(s.interval, "0,25");
}

TEST_F(WorkspaceTest, SingleRowHasNoIntervalAndUnitsSurviveAnImportWithoutThem) {
    Workspace ws(dir);
    auto first = lasResult({1200});
    first.depthUnit = "ft";
    first.densityUnit = "KM";
    ws.installImport(std::move(first));
    ws.emptyTable();
    auto r = lasResult({1200});
    r.depthUnit.reset();
    r.densityUnit.reset();
    ws.installImport(std::move(r));
    EXPECT_EQ(ws.summary().interval, "");
    EXPECT_EQ(ws.unitTags().depthUnit, "ft");
    EXPECT_EQ(ws.unitTags().densityUnit, "KM");
    // Tags carried over from an earlier file are marked so.
    EXPECT_FALSE(ws.unitTags().depthFromFile);
    EXPECT_FALSE(ws.unitTags().densityFromFile);
}

TEST_F(WorkspaceTest, AnEmptyReaderResultIsAReadError) {
    Workspace ws(dir);
    EXPECT_THROW(ws.installImport(lasResult({})), lithora::Error);
    EXPECT_FALSE(ws.loaded());
}

TEST_F(WorkspaceTest, ElasticFollowsTheFilterAndSetsItsLabels) {
    Workspace ws(dir);
    ws.openShippedTables();
    ws.installImport(lasResult({1500, 1500.25, 1500.5, 1500.75}));
    ws.applyDepthFilter(1500.25, 1500.5);
    const auto units = kMetreGc;
    ws.computeElastic("RHOB", "DT", "", units, {});
    const auto& e = ws.elastic();
    ASSERT_EQ(e.recordCount(), 2);
    EXPECT_EQ(e.field(1).label(), "DEPT(M)");
    EXPECT_EQ(e.field(15).label(), "RHOB (Kg/m3)");
    EXPECT_EQ(e.cellText(0, 1), "1500.25");
    EXPECT_TRUE(e.cellIsNull(0, 2));  // null DT
    EXPECT_EQ(e.cellText(1, 10), "4000");
    EXPECT_EQ(e.cellText(1, 11), "2309.4011");  // 4000 / sqrt(3)
    EXPECT_THROW(ws.computeElastic("NOPE", "DT", "", units, {}), lithora::store::StoreError);
}

TEST_F(WorkspaceTest, CurveUnitTextsComeWithoutParentheses) {
    Workspace ws(dir);
    ws.installImport(lasResult({1, 2}));
    EXPECT_EQ(ws.curveUnitText("DT"), "US/M");
    EXPECT_EQ(ws.curveUnitText("dt"), "US/M");  // names without regard to case
    EXPECT_EQ(ws.curveUnitText("NOPE"), "");
}

TEST_F(WorkspaceTest, AnUncleanEndLeavesNoDerivedTablesButKeepsTheLitholog) {
    {
        Workspace ws(dir);
        ws.openShippedTables();
        ws.installImport(lasResult({1, 2, 3}));
        ws.computeElastic("RHOB", "DT", "", kMetreGc, {});
        ws.litholog().append();
        ws.litholog().setFloat(0, 1);
        ws.litholog().setFloat(1, 2);
        ws.litholog().setText(2, "Coal");
        ws.litholog().post();
        // No exit clean-up: the program was killed here.
    }
    Workspace ws(dir);
    ws.openShippedTables();
    EXPECT_FALSE(ws.loaded());
    EXPECT_FALSE(fs::exists(dir / "Table.db"));
    EXPECT_TRUE(ws.elastic().isEmpty());
    EXPECT_EQ(ws.litholog().recordCount(), 1);
    ws.elastic().close();
    ws.elastic().open();
    EXPECT_TRUE(ws.elastic().isEmpty());  // emptied in the file, not just in memory
}

TEST_F(WorkspaceTest, AMemoryWorkspaceWritesNoFile) {
    Workspace ws(dir / "nowhere", lithora::workspace::Storage::Memory);
    ws.openShippedTables();
    ws.installImport(lasResult({1, 2, 3}));
    ws.computeElastic("RHOB", "DT", "", kMetreGc, {});
    EXPECT_TRUE(ws.loaded());
    EXPECT_EQ(ws.elastic().recordCount(), 3);
    ws.emptyTable();
    EXPECT_FALSE(ws.loaded());
    ws.installImport(lasResult({1, 2}));
    EXPECT_EQ(ws.source().recordCount(), 2);
    ws.exitCleanup();
    EXPECT_FALSE(fs::exists(dir / "nowhere"));
}

TEST_F(WorkspaceTest, EmptyTableAndExitCleanUp) {
    Workspace ws(dir);
    ws.openShippedTables();
    ws.installImport(lasResult({1, 2, 3}));
    ws.computeElastic("RHOB", "DT", "", kMetreGc, lithora::compute::kDefaultVsSettings);
    ws.litholog().append();
    ws.litholog().setFloat(0, 1);
    ws.litholog().setFloat(1, 2);
    ws.litholog().setText(2, "Coal");
    ws.litholog().post();

    ws.emptyTable();
    EXPECT_FALSE(fs::exists(dir / "Table.db"));
    EXPECT_TRUE(ws.elastic().isEmpty());
    EXPECT_TRUE(ws.litholog().isEmpty());
    EXPECT_EQ(ws.sourceFieldCount(), 0);
    EXPECT_FALSE(ws.roleFlags().density);
    EXPECT_EQ(ws.unitTags().depthUnit, "m");  // survives
    ws.emptyTable();                          // on an empty workspace: nothing

    ws.installImport(lasResult({1, 2, 3}));  // a new file can be imported
    for (const char* name : {"Logs_Table", "tempchart.tee", "tempchart7.tee", "temp.tmp"})
        std::ofstream(dir / name) << "x";
    ws.exitCleanup();
    for (const char* name :
         {"Table.db", "Logs_Table", "tempchart.tee", "tempchart7.tee", "temp.tmp"})
        EXPECT_FALSE(fs::exists(dir / name)) << name;
    EXPECT_TRUE(fs::exists(dir / "ElasticTable.db"));
}

TEST_F(WorkspaceTest, DamagedOrForeignShippedTablesAreRefusedWithAMessage) {
    std::ofstream(dir / "ElasticTable.db", std::ios::binary) << "garbage, not a table";
    Workspace ws(dir);
    EXPECT_THROW(ws.openShippedTables(), lithora::store::StoreError);

    fs::remove(dir / "ElasticTable.db");
    lithora::store::Table foreign(dir / "ElasticTable.db");
    foreign.addFieldDef({"Something", lithora::store::FieldType::Float});
    foreign.createTable();
    Workspace again(dir);
    EXPECT_THROW(again.openShippedTables(), lithora::store::StoreError);
}

}  // namespace
