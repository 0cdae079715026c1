// Text from files: names, units and header lines are held as UTF-8 whatever the file's
// encoding, control characters in names and units are replaced, and the header's own bytes
// are kept for the export.
#include <gtest/gtest.h>

#include "core/import/ascii_reader.h"
#include "core/import/las_reader.h"
#include "import_test_support.h"

namespace lithora::import {
namespace {

using namespace lithora::import::testing;

TEST(TextEncoding, EveryEncodingGivesTheSameUtf8Texts) {
    for (const char* file : {"las/units_utf8.las", "las/units_utf8_bom.las", "las/units_cp1252.las",
                             "las/units_utf16le.las"}) {
        SCOPED_TRACE(file);
        ImportResult r = readLasFile(testData(file));
        expectConsistent(r);
        EXPECT_EQ(r.fieldNames, (std::vector<std::string>{"DEPTH", "SP_COND", "TEMP"}));
        EXPECT_EQ(r.catalog[1].unit, "(\u00b5S/CM)");
        EXPECT_EQ(r.fieldLabels[2], "TEMP(\u00b0F)");
        EXPECT_EQ(r.headerLines.front(), "~VERSION INFORMATION");  // no byte-order mark
        EXPECT_EQ(r.headerLines[8], " WELL.        \u00c6r\u00f8-1 : WELL");
        EXPECT_EQ(shown(r.columns[2]), shown({150, 151}));
    }
    // the export copies the header as the file has it
    ImportResult cp = readLasFile(testData("las/units_cp1252.las"));
    EXPECT_EQ(cp.headerBytes[8], " WELL.        \xc6r\xf8-1 : WELL");
    EXPECT_EQ(cp.headerBytes.size(), cp.headerLines.size());
    ImportResult utf8 = readLasFile(testData("las/units_utf8.las"));
    EXPECT_EQ(utf8.headerBytes, utf8.headerLines);
}

TEST(TextEncoding, RealFilesInOtherEncodings) {
    const auto root = testData("external/las-external/lasio/tests/examples");
    // a Windows-1252 header line keeps its bytes for the export and shows its character
    ImportResult cp = readLasFile(root / "encodings_cp1252.las");
    auto note = std::find_if(cp.headerLines.begin(), cp.headerLines.end(),
                             [](const std::string& l) { return l.find("Note:") != l.npos; });
    ASSERT_NE(note, cp.headerLines.end());
    EXPECT_NE(note->find("\u00baThe logging"), std::string::npos);
    EXPECT_NE(cp.headerBytes[note - cp.headerLines.begin()].find("\xbaThe logging"),
              std::string::npos);
    // UTF-16 characters above 255 are kept
    for (const char* f : {"encodings_utf16lebom.las", "encodings_utf16bebom.las"}) {
        ImportResult r = readLasFile(root / f);
        EXPECT_EQ(r.fieldNames[2], "\u00ba\u1d9f\u1d4c\u1d2c\u0144") << f;
    }
}

TEST(TextEncoding, ControlCharactersInNamesAndUnitsAreReplaced) {
    ImportResult r = readLasFile(testData("las/control_in_name.las"));
    expectConsistent(r);
    EXPECT_EQ(r.fieldNames, (std::vector<std::string>{"DEPTH", "RHOB", "RHOB_X", "TEMP"}));
    EXPECT_EQ(r.roles.density, (std::vector<std::string>{"RHOB"}));
    EXPECT_EQ(r.catalog[3].unit, "(_F)");
    EXPECT_EQ(shown(r.columns[1]), shown({2.5, 2.6}));

    std::string ascii =
        "Column 1 : Depth m\n"
        "Column 2 : Den" +
        std::string(1, '\0') +
        "sity (x) - Units : G\x01"
        "CC\n"
        "1\t2\n";
    ImportResult a = readAscii(ascii, "a.txt");
    EXPECT_EQ(a.fieldNames[1], "Den_sity");
    EXPECT_EQ(a.catalog[1].unit, "(G_CC)");
}

TEST(TextEncoding, AsciiHeaderInWindows1252AndUtf16) {
    const std::string text =
        "Column 1 : Depth m\r\n"
        "Column 2 : Temp (Temp) - Units : \xb0"
        "C\r\n"
        "1\t20\r\n";
    ImportResult r = readAscii(text, "t.txt");
    EXPECT_EQ(r.catalog[1].unit, "(\u00b0C)");
    EXPECT_EQ(r.asciiHeaderLine, "Column 1 : Depth m");

    std::string utf16 = "\xff\xfe";
    const std::u16string u = u"Column 1 : Depth m\nColumn 2 : T (T) - Units : \u03bcs\n1\t2\n";
    for (char16_t c : u) {
        utf16 += static_cast<char>(c & 0xFF);
        utf16 += static_cast<char>(c >> 8);
    }
    ImportResult w = readAscii(utf16, "w.txt");
    EXPECT_EQ(w.catalog[1].unit, "(\u03bcs)");
}

TEST(Underflow, TinyValuesAreNumbers) {
    ImportResult las =
        readLas(lasText(" DEPT.M : d\n A. : a\n", "1 1e-400\n2 -1e-400\n3 1e-310\n4 1e400\n"));
    EXPECT_EQ(shown(las.columns[1]), shown({0.0, -0.0, 1e-310, kNull}));
    EXPECT_TRUE(std::signbit(las.columns[1][1]));

    ImportResult ascii = readAscii(
        "Column 1 : Depth m\nColumn 2 : A (A) - Units : x\n1\t1e-400\n2\t1e-310\n", "u.txt");
    EXPECT_EQ(shown(ascii.columns[1]), shown({0.0, 1e-310}));
    expectError([] { readAscii("Column 1 : Depth m\n1e400\n", "o.txt"); }, "Error reading file.");
}

TEST(RepeatedNames, ManyRepeatsOfOneMnemonicGetTheirOwnFields) {
    std::string curves = " DEPT.M : d\n";
    std::string row = "1";
    for (int i = 0; i < 20000; ++i) {
        curves += i % 2 ? " GR.GAPI : g\n" : " .  : no name\n";
        row += " " + std::to_string(i);
    }
    ImportResult r = readLas(lasText(curves, row + "\n"));
    expectConsistent(r);
    ASSERT_EQ(r.fieldNames.size(), 20001u);
    EXPECT_EQ(r.fieldNames[1], "UNKNOWN");
    EXPECT_EQ(r.fieldNames[2], "GR");
    EXPECT_EQ(r.fieldNames[19999], "UNKNOWN_10000");
    EXPECT_EQ(r.fieldNames[20000], "GR_10000");
    EXPECT_EQ(shown(r.columns[20000]), shown({19999}));
}

TEST(RepeatedNames, AsciiColumnsNamedAlikeGetDistinctFields) {
    // an index named like an export column, as the export writes it
    ImportResult r = readAscii(
        "Column 1 : Lambda/Miu m\n"
        "Column 2 : Lambda/Miu (Lambda/Miu) - Units : \n"
        "Column 3 : lambda/miu (lambda/miu) - Units : \n"
        "1\t2\t3\n",
        "r.txt");
    expectConsistent(r);
    EXPECT_EQ(r.fieldNames,
              (std::vector<std::string>{"Lambda/Miu", "Lambda/Miu_2", "lambda/miu_3"}));
    // the names of the table's own fields are taken
    ImportResult own =
        readAscii("Column 1 : Rec m\nColumn 2 : Counting (c) - Units : \n1\t2\n", "o.txt");
    EXPECT_EQ(own.fieldNames, (std::vector<std::string>{"Rec_2", "Counting_2"}));
    EXPECT_EQ(r.catalog[1].mnemonic, "Lambda/Miu");
    EXPECT_EQ(shown(r.columns[2]), shown({3}));
}

}  // namespace
}  // namespace lithora::import
