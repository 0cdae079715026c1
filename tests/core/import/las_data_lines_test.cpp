// How the data section is cut into depth steps: one step per line in files declared
// "WRAP. NO", a stream of values otherwise; commas as separators; depths never null.
#include <gtest/gtest.h>

#include "core/import/las_reader.h"
#include "import_test_support.h"

namespace lithora::import {
namespace {

using namespace lithora::import::testing;

const std::string kThreeCurves = " DEPT.M : d\n A.  : a\n B.  : b\n";

TEST(LasDataLines, UnwrappedFileReadsOneRecordPerLine) {
    struct Case {
        const char* what;
        std::string data;
        std::vector<std::vector<double>> columns;
        std::vector<std::string> warnings;
    };
    const std::vector<Case> cases = {
        {"every line matches", "1 2 3\n4 5 6\n", {{1, 4}, {2, 5}, {3, 6}}, {}},
        {"surplus values dropped",
         "1 2 3 99\n4 5 6 98\n7 8 9\n",
         {{1, 4, 7}, {2, 5, 8}, {3, 6, 9}},
         {"2 data lines hold 4 values for 3 curves; the extra values were dropped."}},
        {"missing values null",
         "1 2\n4 5 6\n7\n",
         {{1, 4, 7}, {2, 5, kNull}, {kNull, 6, kNull}},
         {"2 data lines hold 1 to 2 values for 3 curves; the missing values are null."}},
        {"both kinds, one warning",
         "1 2 3 4 5\n6 7\n8 9 10\n",
         {{1, 6, 8}, {2, 7, 9}, {3, kNull, 10}},
         {"1 data line holds 5 values for 3 curves; the extra values were dropped. "
          "1 data line holds 2 values for 3 curves; the missing values are null."}},
        {"last line without line end",
         "1 2 3\n4 5",
         {{1, 4}, {2, 5}, {3, kNull}},
         {"1 data line holds 2 values for 3 curves; the missing values are null."}},
        {"blank, comment and CR LF lines are no records",
         "1 2 3\r\n\r\n   \r\n# note 1 2\r\n4 5 6 7\r\n",
         {{1, 4}, {2, 5}, {3, 6}},
         {"1 data line holds 4 values for 3 curves; the extra values were dropped."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ImportResult r = readLas(lasText(kThreeCurves, c.data));
        expectConsistent(r);
        ASSERT_EQ(r.columns.size(), c.columns.size());
        for (std::size_t k = 0; k < c.columns.size(); ++k)
            EXPECT_EQ(shown(r.columns[k]), shown(c.columns[k])) << k;
        EXPECT_EQ(r.warnings, c.warnings);
    }
}

TEST(LasDataLines, WrappedFileIsStillAStream) {
    for (const std::string& text :
         {wrappedLas(lasText(kThreeCurves, "1 2 3 4\n5 6 7 8 9\n")),
          [] {  // no WRAP item at all
              std::string t = lasText(kThreeCurves, "1 2 3 4\n5 6 7 8 9\n");
              t.erase(t.find(" WRAP."), t.find('\n', t.find(" WRAP.")) - t.find(" WRAP.") + 1);
              return t;
          }()}) {
        ImportResult r = readLas(text);
        EXPECT_EQ(shown(r.columns[0]), shown({1, 4, 7}));
        EXPECT_EQ(shown(r.columns[2]), shown({3, 6, 9}));
        EXPECT_TRUE(r.warnings.empty());
    }
}

TEST(LasDataLines, MatchingFileReadsTheSameWrappedOrNot) {
    std::string data;
    for (int i = 0; i < 500; ++i)
        data += std::to_string(1000 + i) + "  " + std::to_string(i % 7) + ".25\t-999.25\n";
    ImportResult lines = readLas(lasText(kThreeCurves, data));
    ImportResult stream = readLas(wrappedLas(lasText(kThreeCurves, data)));
    EXPECT_TRUE(lines.warnings.empty());
    for (std::size_t k = 0; k < 3; ++k)
        EXPECT_EQ(shown(lines.columns[k]), shown(stream.columns[k]));
}

TEST(LasDataLines, TheFileIsNamedInTheWarning) {
    const auto root = testData("external/las-external/lasio/tests/examples");
    struct Case {
        const char* file;
        std::size_t curves;
        std::vector<double> depths;
        std::vector<std::string> warnings;
    };
    const std::vector<Case> cases = {
        {"excess_curves.las",
         6,
         {19160.0, 19160.5},
         {"excess_curves.las: 2 data lines hold 4 values for 6 curves; the missing values are "
          "null."}},
        {"sample_write_sect_widths_12.las",
         4,
         {1669.75, 1669.875, 1670.0},
         {"sample_write_sect_widths_12.las: 3 data lines hold 8 values for 4 curves; the extra "
          "values were dropped."}},
        {"null_policy_runon.las",
         7,
         {7684.0, 7684.5, 7685.0, 7685.5, 7686.0},
         // "7.020101130.188": two values run together, a text at C04's place
         {"null_policy_runon.las: 3 data lines hold 6 values for 7 curves; the missing values "
          "are null.",
          "null_policy_runon.las: Text in the data section is read as null samples of C04."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        ImportResult r = readLasFile(root / c.file);
        expectConsistent(r);
        EXPECT_EQ(r.fieldNames.size(), c.curves);
        EXPECT_EQ(shown(r.columns[0]), shown(c.depths));
        EXPECT_EQ(r.warnings, c.warnings);
    }
    // values land in their own curves
    ImportResult excess = readLasFile(root / "excess_curves.las");
    EXPECT_EQ(shown(excess.columns[3]), shown({57.011, 57.011}));
    EXPECT_EQ(shown(excess.columns[5]), shown({kNull, kNull}));
    ImportResult widths = readLasFile(root / "sample_write_sect_widths_12.las");
    EXPECT_EQ(shown(widths.columns[3]), shown({0.45, 0.45, 0.45}));
    ImportResult runOn = readLasFile(root / "null_policy_runon.las");
    EXPECT_EQ(shown(runOn.columns[6]), shown({10.515, kNull, kNull, kNull, 10.609}));
}

TEST(LasDataLines, DepthEqualToTheNullValueKeepsItsRecord) {
    ImportResult r =
        readLasFile(testData("external/las-external/lasio/tests/examples/index_null.las"));
    EXPECT_EQ(shown(r.columns[0]), shown({999.0, 999.25, 999.5}));
    EXPECT_EQ(shown(r.columns[1]), shown({kNull, 123.45, 123.45}));
    EXPECT_EQ(shown(r.columns[3]), shown({110.2, 110.2, kNull}));
}

TEST(LasDataLines, CommaSeparatedValues) {
    for (const char* file : {"las/comma_dlm.las", "las/comma_no_dlm.las"}) {
        SCOPED_TRACE(file);
        ImportResult r = readLasFile(testData(file));
        expectConsistent(r);
        EXPECT_EQ(shown(r.columns[0]), shown({1500.0, 1500.25, 1500.5}));
        EXPECT_EQ(shown(r.columns[1]), shown({2.45, 2.46, 2.47}));
        EXPECT_EQ(shown(r.columns[2]), shown({60.5, kNull, kNull}));  // empty value, NULL
        EXPECT_EQ(shown(r.columns[3]), shown({95.0, 96.0, 97.0}));
        EXPECT_TRUE(r.warnings.empty());
    }
    // a comma among blank-separated values is no separator: "123,420" is not a number
    ImportResult decimalComma =
        readLasFile(testData("external/las-external/lasio/tests/examples/comma_decimal_mark.las"));
    EXPECT_EQ(decimalComma.rowCount(), 3u);
    EXPECT_EQ(shown(decimalComma.columns[4]), shown({123.45, kNull, 123.45}));
    EXPECT_EQ(shown(decimalComma.columns[5]), shown({123.45, 123.45, 123.45}));

    // in a wrapped file too, and a comma line beside blank-separated ones
    ImportResult wrapped = readLas(wrappedLas(lasText(kThreeCurves, "1,2,3,4\n5 6\n7 , 8 ,9\n")));
    EXPECT_EQ(shown(wrapped.columns[0]), shown({1, 4, 7}));
    EXPECT_EQ(shown(wrapped.columns[1]), shown({2, 5, 8}));
    EXPECT_EQ(shown(wrapped.columns[2]), shown({3, 6, 9}));
}

}  // namespace
}  // namespace lithora::import
