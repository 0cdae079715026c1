#include "core/import/merge.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/import/las_reader.h"
#include "import_test_support.h"

namespace lithora::import {
namespace {

namespace fs = std::filesystem;
using namespace lithora::import::testing;

const std::string kCurves =
    " DEPT.M        : DEPTH\n"
    " GR  .GAPI     : GAMMA RAY\n"
    " RHOB.G/CC     : DENSITY\n";

class MergeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("lithora_merge_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    fs::path write(const std::string& name, const std::string& text) {
        const auto p = dir / name;
        std::ofstream(p, std::ios::binary) << text;
        return p;
    }

    fs::path dir;
};

TEST_F(MergeTest, CurveListTakesEachMnemonicBeforeItsDot) {
    const auto f = write("a.las", lasText(" DEPT.M : DEPTH\n"
                                          "GR.GAPI: compact line\n"
                                          "# a comment line\n"
                                          " RHOB .G/CC   : blank before the dot\n"
                                          " NPHI.V/V 42 000 00 : with an API code\n",
                                          "1500 1 2 3\n"));
    EXPECT_EQ(mergeCurveList(f), (std::vector<std::string>{"DEPT", "GR", "RHOB", "NPHI"}));

    // Listing reads the header only: what follows the "~A" line does not matter yet.
    const auto empty = write("empty.las", lasText(kCurves, ""));
    EXPECT_EQ(mergeCurveList(empty), (std::vector<std::string>{"DEPT", "GR", "RHOB"}));
    const auto header = readLasHeaderFile(empty);
    EXPECT_TRUE(header.columns.empty());
    EXPECT_EQ(header.nullValueText, "-999.25");
    EXPECT_EQ(header.headerLines.back(), "~A");
}

TEST_F(MergeTest, FilesThatCannotBeListedOrReadAreNamed) {
    const auto noCurves = write("nocurves.las", "~VERSION\n VERS. 2.0 :\n~A\n1500 1\n");
    const auto endless = write("endless.las", "~VERSION\n~CURVE\n DEPT.M :\n GR.GAPI :\n");
    // Each names the file and why it cannot be read.
    const std::string noData = ": it has no data section (no \"~A\" line after the curve section)";
    expectError([&] { mergeCurveList(noCurves); },
                "Error reading file.\n" + noCurves.string() +
                    ": it has no curve section (no line that begins with \"~C\")");
    expectError([&] { mergeCurveList(endless); },
                "Error reading file.\n" + endless.string() + noData);
    expectError(
        [&] { mergeCurveList(dir / "missing.las"); },
        "Error reading file.\n" + (dir / "missing.las").string() + ": No such file or directory");

    const auto good = write("good.las", lasText(kCurves, "1500 40 2.3\n"));
    expectError(
        [&] {
            mergeLasFiles({good, endless}, {{0, 1, "DEPT"}, {1, 2, "GR"}});
        },
        "Error reading file.\n" + endless.string() + noData);
}

TEST_F(MergeTest, SameSamplingGivesOneRecordPerDepth) {
    const auto a = write("a.las", lasText(kCurves, "1500 40 2.30\n1500.5 41 2.31\n1501 42 2.32\n"));
    const auto b = write("b.las", lasText(kCurves, "1500 50 2.40\n1500.5 51 2.41\n1501 52 2.42\n"));
    const auto r = mergeLasFiles({a, b}, {{0, 1, "DEPT"}, {0, 2, "GR"}, {1, 3, "RHOB"}});
    EXPECT_EQ(r.fieldNames, (std::vector<std::string>{"DEPT", "GR", "RHOB"}));
    EXPECT_EQ(shown(r.columns[0]), shown({1500, 1500.5, 1501}));
    EXPECT_EQ(shown(r.columns[1]), shown({40, 41, 42}));
    EXPECT_EQ(shown(r.columns[2]), shown({2.4, 2.41, 2.42}));
}

TEST_F(MergeTest, DifferentStepsGiveTheUnionOfDepthsWithNulls) {
    // a every metre from 1500, b every half metre from 1501; b's depths carry a rounding
    // error far below a millionth of a metre.
    const auto a = write("a.las", lasText(kCurves, "1500 40 2.30\n1501 41 2.31\n1502 42 2.32\n"));
    const auto b = write("b.las", lasText(kCurves,
                                          "1501.0000000001 50 2.4\n1501.5 51 2.41\n1502 52 2.42\n"
                                          "1502.5 53 2.43\n"));
    const auto r = mergeLasFiles({a, b}, {{0, 1, "DEPT"}, {0, 2, "GR"}, {1, 2, "GR"}});
    EXPECT_EQ(r.fieldNames, (std::vector<std::string>{"DEPT", "GR", "GR_2"}));
    EXPECT_EQ(shown(r.columns[0]), shown({1500, 1501, 1501.5, 1502, 1502.5}));
    EXPECT_EQ(shown(r.columns[1]), shown({40, 41, kNull, 42, kNull}));
    EXPECT_EQ(shown(r.columns[2]), shown({kNull, 50, 51, 52, 53}));
}

TEST_F(MergeTest, EachFileKeepsItsOwnNullAndOrder) {
    // a is logged upwards with NULL -999.25; b downwards with NULL -9999, and -999.25 is a
    // value in b.
    const auto a = write("a.las", lasText(kCurves,
                                          "1501 -999.25 2.32\n1500.5 41 -999.25\n"
                                          "1500 40 2.30\n",
                                          "-999.25", " STEP.M  -0.5 : STEP"));
    const auto b =
        write("b.las", lasText(kCurves, "1500 -9999 2.4\n1500.5 -999.25 2.41\n", "-9999"));
    const auto r =
        mergeLasFiles({a, b}, {{0, 1, "DEPT"}, {0, 2, "GR"}, {0, 3, "RHOB"}, {1, 2, "GR"}});
    EXPECT_EQ(shown(r.columns[0]), shown({1500, 1500.5, 1501}));
    EXPECT_EQ(shown(r.columns[1]), shown({40, 41, kNull}));
    EXPECT_EQ(shown(r.columns[2]), shown({2.3, kNull, 2.32}));
    EXPECT_EQ(shown(r.columns[3]), shown({kNull, -999.25, kNull}));
    // NULL and header of the last file.
    EXPECT_EQ(r.nullValueText, "-9999");
    EXPECT_EQ(r.nullValue, -9999);
    ASSERT_FALSE(r.headerLines.empty());
    EXPECT_EQ(r.headerLines.front(), "~VERSION INFORMATION");
    EXPECT_EQ(r.headerLines.back(), "~A");
}

TEST_F(MergeTest, RolesAndCatalogueAreFilled) {
    const auto a = write("a.las", lasText(" DEPT.FT :\n DT.US/F :\n RHOB.K/M3 :\n",
                                          "1500 90 2300\n1500.5 91 2310\n"));
    const auto b = write("b.las", lasText(" DEPT.FT :\n GR.GAPI :\n RHOB.G/CC :\n DTSM.US/F :\n",
                                          "1500 40 2.3 150\n1500.5 41 2.31 151\n"));
    const auto r = mergeLasFiles(
        {a, b}, {{0, 1, "DEPT"}, {1, 2, "GR"}, {0, 3, "RHOB"}, {0, 2, "DT"}, {1, 4, "DTSM"}});
    ASSERT_EQ(r.catalog.size(), 5u);
    EXPECT_EQ(r.catalog[2].mnemonic, "RHOB");
    EXPECT_EQ(r.catalog[2].unit, "(K/M3)");
    EXPECT_EQ(r.catalog[2].label, "RHOB(K/M3)");
    EXPECT_EQ(r.fieldLabels[1], "GR(GAPI)");
    EXPECT_EQ(r.roles.density, (std::vector<std::string>{"RHOB"}));
    EXPECT_EQ(r.roles.gammaRay, (std::vector<std::string>{"GR"}));
    EXPECT_EQ(r.roles.pWave, (std::vector<std::string>{"DT"}));
    EXPECT_EQ(r.roles.sWave, (std::vector<std::string>{"DTSM"}));
    EXPECT_EQ(r.roles.gammaRayIndex, 2);
    EXPECT_EQ(r.depthUnit, "ft");
    EXPECT_TRUE(r.lasSource);
}

TEST_F(MergeTest, ChoicesThatNameNoCurveAreRefused) {
    const auto a = write("a.las", lasText(kCurves, "1500 40 2.3\n"));
    EXPECT_THROW(mergeLasFiles({a}, {}), Error);
    EXPECT_THROW(mergeLasFiles({a}, {{0, 1, "DEPT"}, {0, 4, "NPHI"}}), Error);
    EXPECT_THROW(mergeLasFiles({a}, {{1, 1, "DEPT"}}), Error);
    EXPECT_THROW(mergeLasFiles({a}, {{0, 2, "GR"}, {0, 1, "DEPT"}}), Error);
}

TEST_F(MergeTest, ASingleFileMergesToItsOwnImport) {
    // Repeated depths stay as many records as the file has.
    const auto a = write("a.las", lasText(kCurves, "1500 40 2.3\n1500 41 2.4\n1500.5 42 2.5\n"));
    const auto r = mergeLasFiles({a}, {{0, 1, "DEPT"}, {0, 2, "GR"}, {0, 3, "RHOB"}});
    EXPECT_EQ(shown(r.columns[0]), shown({1500, 1500, 1500.5}));
    EXPECT_EQ(shown(r.columns[1]), shown({40, 41, 42}));
}

}  // namespace
}  // namespace lithora::import
