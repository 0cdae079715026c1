#include "core/import/ascii_reader.h"

#include <gtest/gtest.h>

#include "import_test_support.h"

namespace lithora::import {
namespace {

using namespace lithora::import::testing;

std::string columnLine(int n, const std::string& name, const std::string& unit) {
    return "Column " + std::to_string(n) + " : " + name + " (" + name + ") - Units : " + unit;
}

TEST(AsciiReader, ReadsBackWhatTheExportWrites) {
    auto path = testData("ascii/elastic_export.txt");
    ImportResult r = readAsciiFile(path);
    expectConsistent(r);

    EXPECT_FALSE(r.lasSource);
    EXPECT_EQ(r.asciiHeaderLine, "Column 1 : DEPTH m");
    EXPECT_EQ(r.depthUnit, "m");
    EXPECT_EQ(r.fieldNames,
              (std::vector<std::string>{"DEPTH", "Poisson Ratio", "Lame Constant", "Bulk Modulus",
                                        "Shear Modulus", "Young Modulus", "P-Impedance",
                                        "S-Impedance", "Lambda/Miu", "P-wave/S-wave"}));
    // the index field keeps its name as label; every other column shows name and unit
    EXPECT_EQ(r.fieldLabels[0], "DEPTH");
    EXPECT_EQ(r.fieldLabels[1], "Poisson Ratio()");
    EXPECT_EQ(r.fieldLabels[2], "Lame Constant(MPa)");
    EXPECT_EQ(r.catalog[0].unit, "(m)");
    EXPECT_EQ(r.catalog[0].label, "DEPTH(m)");
    EXPECT_EQ(r.catalog[1].unit, "()");
    EXPECT_EQ(r.catalog[6].unit, "(us/ft)");

    ASSERT_EQ(r.rowCount(), 3u);
    EXPECT_EQ(shown(r.columns[0]), shown({1500.25, 1500.5, 1500.75}));
    EXPECT_EQ(shown(r.columns[1]), shown({0.2534, kNull, 0.26}));
    EXPECT_EQ(shown(r.columns[3]), shown({20.1234, 20.2, 1e-6}));
    EXPECT_EQ(shown(r.columns[6]), shown({6543.2109, 6544, 12345678.25}));
    EXPECT_EQ(shown(r.columns[9]), shown({1.7321, 1.73, kNull}));
    EXPECT_TRUE(r.roles.density.empty() && r.roles.gammaRay.empty() && r.roles.pWave.empty() &&
                r.roles.sWave.empty());
}

TEST(AsciiReader, FirstLineForms) {
    struct Case {
        const char* line0;
        const char* name;
        const char* unit;
    };
    for (auto c :
         {Case{"Column 1 : DEPTH m", "DEPTH", "m"}, Case{"Column 1 : Depth ft", "Depth", "ft"},
          Case{"Column 1 : TWT   ms  ", "TWT", "ms"}, Case{"Column 1 : Depth", "Depth", ""},
          // laid out like the other header lines: the unit after "Units : "
          Case{"Column 1 : Depth (Depth) - Units : m", "Depth", "m"},
          Case{"Column 1 : Measured Depth (Measured Depth) - Units : ft", "Measured Depth", "ft"},
          // text before "Column 1 : " is not part of the name
          Case{"# Column 1 : DEPTH m", "DEPTH", "m"}}) {
        SCOPED_TRACE(c.line0);
        ImportResult r = readAscii(
            std::string(c.line0) + "\n" + columnLine(2, "GR", "API") + "\n100\t5\n", "f.txt");
        EXPECT_EQ(r.fieldNames[0], c.name);
        EXPECT_EQ(r.fieldLabels[0], c.name);
        EXPECT_EQ(r.depthUnit, c.unit);
        EXPECT_EQ(r.catalog[0].unit, std::string("(").append(c.unit).append(")"));
        EXPECT_EQ(r.asciiHeaderLine, c.line0);
    }
}

TEST(AsciiReader, ColumnNamesAreRecognised) {
    std::string text = "Column 1 : DEPTH m\n" + columnLine(2, "Density", "G/CC") + "\n" +
                       columnLine(3, "Gamma Ray", "API") + "\n" + columnLine(4, "P-wave", "us/ft") +
                       "\n" + columnLine(5, "S-wave", "us/ft") + "\n" +
                       columnLine(6, "Gamma Ray2", "API") + "\n" + "1\t2\t3\t4\t5\t6\n";
    ImportResult r = readAscii(text, "f.txt");
    EXPECT_EQ(r.roles.density, (std::vector<std::string>{"Density"}));
    EXPECT_EQ(r.densityUnit, "GC");
    EXPECT_EQ(r.roles.gammaRay, (std::vector<std::string>{"Gamma Ray"}));
    EXPECT_EQ(r.roles.gammaRayIndex, 3);
    EXPECT_EQ(r.roles.pWave, (std::vector<std::string>{"P-wave"}));
    EXPECT_EQ(r.roles.sWave, (std::vector<std::string>{"S-wave"}));

    // a LAS-only unit gives no tag in an ASCII file
    r = readAscii("Column 1 : DEPTH m\n" + columnLine(2, "Density", "GM/CC") + "\n1\t2\n", "f.txt");
    EXPECT_EQ(r.roles.density.size(), 1u);
    EXPECT_FALSE(r.densityUnit.has_value());
    r = readAscii("Column 1 : DEPTH m\n" + columnLine(2, "Density", "K/M3") + "\n1\t2\n", "f.txt");
    EXPECT_EQ(r.densityUnit, "KM");
    // names match exactly: "density" in lower case is no density curve
    r = readAscii("Column 1 : DEPTH m\n" + columnLine(2, "density", "G/CC") + "\n1\t2\n", "f.txt");
    EXPECT_TRUE(r.roles.density.empty());
    EXPECT_FALSE(r.densityUnit.has_value());
}

TEST(AsciiReader, ColumnLineDetails) {
    // the unit is at most 31 characters; a line without parentheses ends its name at " - "
    std::string longUnit(40, 'u');
    std::string text = "Column 1 : DEPTH m\n" + columnLine(2, "A", longUnit) + "\n" +
                       "Column 3 : B - Units : kg\n" + "Column 4 : C (C)\n" + "1\t2\t3\t4\n";
    ImportResult r = readAscii(text, "f.txt");
    EXPECT_EQ(r.fieldNames, (std::vector<std::string>{"DEPTH", "A", "B", "C"}));
    EXPECT_EQ(r.catalog[1].unit, cutCatalogText("(" + longUnit.substr(0, 31) + ")"));
    EXPECT_EQ(r.catalog[2].unit, "(kg)");
    EXPECT_EQ(r.catalog[3].unit, "()");
}

TEST(AsciiReader, DataLineRules) {
    std::string head = "Column 1 : DEPTH m\n" + columnLine(2, "A", "") + "\n" +
                       columnLine(3, "B", "") + "\n" + columnLine(4, "C", "") + "\n";
    ImportResult r = readAscii(head +
                                   "1\t2\t3\t4\n"
                                   // fewer tabs: the middle columns stay null
                                   "5\t8\n"
                                   // an empty line is a row of nulls
                                   "\n"
                                   // a last value longer than 11 characters is not cut
                                   // into another number
                                   "9\t10\t11\t-1.23456E+10\n"
                                   " -999.0000\t\t -999.0000\t-999.0000\n"
                                   // -999 written otherwise is a number
                                   "-999\t-999.0\t-999.00000\t 7 \n"
                                   // empty lines at the end are no rows
                                   "\n\n",
                               "f.txt");
    expectConsistent(r);
    EXPECT_EQ(shown(r.columns[0]), shown({1, 5, kNull, 9, kNull, -999}));
    EXPECT_EQ(shown(r.columns[1]), shown({2, kNull, kNull, 10, kNull, -999}));
    EXPECT_EQ(shown(r.columns[2]), shown({3, kNull, kNull, 11, kNull, -999}));
    EXPECT_EQ(shown(r.columns[3]), shown({4, 8, kNull, -1.23456E+10, kNull, 7}));
}

TEST(AsciiReader, LineEnds) {
    const std::string lf = "Column 1 : DEPTH m\n" + columnLine(2, "A", "x") + "\n1\t2\n3\t4";
    for (const std::string& eol : {std::string("\n"), std::string("\r\n"), std::string("\r")}) {
        std::string t;
        for (char c : lf) t += c == '\n' ? eol : std::string(1, c);
        for (const std::string& text : {t, t + eol}) {
            ImportResult r = readAscii(text, "f.txt");
            EXPECT_EQ(shown(r.columns[0]), shown({1, 3}));
            EXPECT_EQ(shown(r.columns[1]), shown({2, 4}));
            EXPECT_EQ(r.catalog[1].unit, "(x)");
        }
    }
}

TEST(AsciiReader, FileWithoutColumnHeaderNamesTheFile) {
    for (const std::string text : {"", "DEPTH\tGR\n1\t2\n", "column 1 : DEPTH m\n1\n",
                                   "Column 1: DEPTH m\n1\n", "\nColumn 1 : DEPTH m\n1\n"}) {
        SCOPED_TRACE(text);
        try {
            readAscii(text, "/data/well 7.txt");
            ADD_FAILURE() << "no error";
        } catch (const AsciiHeaderError& e) {
            EXPECT_STREQ(e.what(), "Error reading file : /data/well 7.txt");
        }
    }
    // the file's path as given names it, and the error is a lithora::Error like the others
    auto path = testData("las/descending.las");
    expectError([&] { readAsciiFile(path); }, "Error reading file : " + path.string());
}

TEST(AsciiReader, RefusesBrokenFiles) {
    const std::string head = "Column 1 : DEPTH m\n" + columnLine(2, "A", "") + "\n";
    struct Case {
        const char* what;
        std::string text;
    };
    std::vector<Case> cases = {
        {"value not a number", head + "1\t2\n3\tabc\n"},
        {"decimal comma", head + "1\t2,5\n"},
        {"trailing comment line", head + "1\t2\n# end of file\n"},
        {"empty name", head + "Column 3 :  () - Units : x\n1\t2\t3\n"},
        {"empty index name", "Column 1 : \n1\n"},
        {"no data row", head},
        {"only empty lines after the header", head + "\n\n\n"},
        // a line that mentions Column without beginning with it ends the header and is no row
        {"indented header line", head + " Column 3 : B (B) - Units : \n1\t2\n"},
        {"value too large", head + "1\t1e400\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        expectError([&] { readAscii(c.text, "f.txt"); }, "Error reading file.");
    }
    expectError([] { readAsciiFile(testData("ascii/no such file.txt")); }, "Error reading file.");
}

TEST(AsciiReader, ProgressEndsAtTheTotal) {
    std::string text = "Column 1 : DEPTH m\n" + columnLine(2, "A", "") + "\n";
    for (int i = 0; i < 600000; ++i)
        text += std::to_string(i) + "\t" + std::to_string(i * 2) + "\n";
    std::vector<std::uint64_t> done;
    ImportResult r = readAscii(text, "f.txt", [&](std::uint64_t d, std::uint64_t total) {
        EXPECT_EQ(total, text.size());
        done.push_back(d);
    });
    EXPECT_EQ(r.rowCount(), 600000u);
    ASSERT_GE(done.size(), 2u);
    EXPECT_TRUE(std::is_sorted(done.begin(), done.end()));
    EXPECT_EQ(done.back(), text.size());
}

}  // namespace
}  // namespace lithora::import
