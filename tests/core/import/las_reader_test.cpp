#include "core/import/las_reader.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstring>
#include <random>

#include "import_test_support.h"

namespace lithora::import {
namespace {

using namespace lithora::import::testing;

const char* const kFourCurves =
    " DEPT.M     :  1  DEPTH\n"
    " RHOB.G/C3     :  2  BULK DENSITY\n"
    " GR  .GAPI     :  3  GAMMA RAY\n"
    " DT  .US/F     :  4  SONIC\n";

TEST(LasReader, ReadsCurvesRolesUnitsAndValues) {
    // units each followed by at least five blanks, the classic layout
    std::string text = lasText(kFourCurves,
                               "1500.0  2.45  60.5  95.0\n"
                               "1500.5  2.46  61.5  96.0\n");
    ImportResult r = readLas(text);
    expectConsistent(r);

    EXPECT_EQ(r.fieldNames, (std::vector<std::string>{"DEPTH", "RHOB", "GR", "DT"}));
    EXPECT_EQ(r.fieldLabels,
              (std::vector<std::string>{"DEPT(M)", "RHOB(G/C3)", "GR(GAPI)", "DT(US/F)"}));
    ASSERT_EQ(r.catalog.size(), 4u);
    EXPECT_EQ(r.catalog[0].mnemonic, "DEPT");
    EXPECT_EQ(r.catalog[0].unit, "(M)");
    EXPECT_EQ(r.catalog[1].label, "RHOB(G/C3)");

    EXPECT_EQ(r.roles.density, (std::vector<std::string>{"RHOB"}));
    EXPECT_EQ(r.roles.gammaRay, (std::vector<std::string>{"GR"}));
    EXPECT_EQ(r.roles.pWave, (std::vector<std::string>{"DT"}));
    EXPECT_TRUE(r.roles.sWave.empty());
    EXPECT_EQ(r.roles.gammaRayIndex, 3);
    EXPECT_EQ(r.densityUnit, "GC");
    EXPECT_EQ(r.depthUnit, "m");

    EXPECT_TRUE(r.lasSource);
    EXPECT_EQ(r.nullValueText, "-999.25");
    EXPECT_EQ(r.nullValue, -999.25);
    EXPECT_EQ(shown(r.columns[0]), shown({1500.0, 1500.5}));
    EXPECT_EQ(shown(r.columns[1]), shown({2.45, 2.46}));
    EXPECT_EQ(shown(r.columns[3]), shown({95.0, 96.0}));

    // the header memo: every line from the first through "~A", as written
    ASSERT_FALSE(r.headerLines.empty());
    EXPECT_EQ(r.headerLines.front(), "~VERSION INFORMATION");
    EXPECT_EQ(r.headerLines[7], " NULL.      -999.25 : NULL VALUE");
    EXPECT_EQ(r.headerLines.back(), "~A");
    EXPECT_EQ(r.headerLines.size(), 15u);
}

TEST(LasReader, HeaderLinesKeepTheirBytesWithoutLineEnds) {
    std::string text = lasText(" DEPT.M  : d\n GR.GAPI : g\n", "1 2\n");
    std::string crlf;
    for (char c : text) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    crlf.insert(crlf.find("~A"), "  spaces and tab\t kept  \r\n");
    ImportResult r = readLas(crlf);
    EXPECT_EQ(r.headerLines[r.headerLines.size() - 2], "  spaces and tab\t kept  ");
    for (const auto& line : r.headerLines) {
        EXPECT_EQ(line.find('\r'), std::string::npos);
        EXPECT_EQ(line.find('\n'), std::string::npos);
    }
}

TEST(LasReader, DescendingFileComesOutShallowestFirst) {
    ImportResult r = readLasFile(testData("las/descending.las"));
    expectConsistent(r);
    EXPECT_EQ(shown(r.columns[0]), shown({1669.25, 1669.5, 1669.75, 1670.0}));
    // every sample stays with its depth
    EXPECT_EQ(shown(r.columns[1]), shown({2.58, 2.57, 2.56, 2.55}));
    EXPECT_EQ(shown(r.columns[2]), shown({43.4, 42.3, kNull, 40.1}));
    EXPECT_EQ(shown(r.columns[3]), shown({kNull, 92.0, 91.0, 90.0}));
    EXPECT_EQ(r.nullValueText, "-999.2500");
}

TEST(LasReader, HyphenInTheStepDescriptionDoesNotReverseAnAscendingFile) {
    ImportResult r = readLasFile(testData("las/hyphen_in_step.las"));
    EXPECT_EQ(shown(r.columns[0]), shown({8000.0, 8000.5, 8001.0, 8001.5}));
    EXPECT_EQ(shown(r.columns[1]), shown({50.0, 51.0, 52.0, 53.0}));
    EXPECT_EQ(r.depthUnit, "ft");
}

TEST(LasReader, OrderFollowsTheDataNotTheStepLine) {
    // STEP says descending, the data ascend: kept as they are
    std::string text = lasText(" DEPT.M : d\n GR.GAPI : g\n", "10 1\n11 2\n12 3\n", "-999.25",
                               " STEP.M   -1.0 : STEP");
    EXPECT_EQ(shown(readLas(text).columns[0]), shown({10, 11, 12}));
    // a null first depth does not decide the order
    text = lasText(" DEPT.M : d\n GR.GAPI : g\n", "ERR 0\n12 1\n11 2\n10 3\n");
    ImportResult r = readLas(text);
    EXPECT_EQ(shown(r.columns[0]), shown({10, 11, 12, kNull}));
    EXPECT_EQ(shown(r.columns[1]), shown({3, 2, 1, 0}));
}

TEST(LasReader, TokenThatIsNotANumberIsANullSampleInItsOwnPlace) {
    std::string text = lasText(" DEPT.M : d\n A.  : a\n B.  : b\n C.  : c\n",
                               "1  -1.#IND  (null)  NaN\n"
                               "2  ERR      1.5abc  +2.5\n"
                               "3  inf      -INF    1e999\n"
                               "4  1,5      0x10    --1\n"
                               "5  7        8       9\n");
    ImportResult r = readLas(text);
    expectConsistent(r);
    EXPECT_EQ(shown(r.columns[0]), shown({1, 2, 3, 4, 5}));
    EXPECT_EQ(shown(r.columns[1]), shown({kNull, kNull, kNull, kNull, 7}));
    EXPECT_EQ(shown(r.columns[2]), shown({kNull, kNull, kNull, kNull, 8}));
    EXPECT_EQ(shown(r.columns[3]), shown({kNull, 2.5, kNull, kNull, 9}));
}

TEST(LasReader, NumbersReadToTheSameDoubleAsFromChars) {
    std::mt19937_64 random(7);
    std::vector<std::string> tokens = {"0",
                                       "-0",
                                       "-0.0000",
                                       "0.1",
                                       ".5",
                                       "5.",
                                       "1e3",
                                       "1E-6",
                                       "-1.5e+2",
                                       "00012",
                                       "+7",
                                       "9007199254740993",
                                       "9007199254740992.5",
                                       "12345678901234567890.5",
                                       "0.00000000000000000000001",
                                       "123.4567890123456789012345"};
    for (int i = 0; i < 20000; ++i) {
        std::string t = random() % 2 ? "-" : "";
        int intDigits = static_cast<int>(random() % 12);
        int decimals = static_cast<int>(random() % 24);
        for (int k = 0; k < intDigits; ++k) t += static_cast<char>('0' + random() % 10);
        if (intDigits == 0) t += '0';
        if (decimals > 0) t += '.';
        for (int k = 0; k < decimals; ++k) t += static_cast<char>('0' + random() % 10);
        tokens.push_back(t);
    }
    std::string data;
    for (std::size_t i = 0; i < tokens.size(); ++i)
        data += std::to_string(i) + " " + tokens[i] + "\n";
    ImportResult r = readLas(lasText(" DEPT.M : d\n V. : v\n", data));
    ASSERT_EQ(r.rowCount(), tokens.size());
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const std::string& t = tokens[i];
        double expected = 0;
        const char* first = t.data() + (t[0] == '+' ? 1 : 0);
        std::from_chars(first, t.data() + t.size(), expected);
        double got = r.columns[1][i];
        EXPECT_EQ(std::memcmp(&got, &expected, sizeof got), 0) << t << " read as " << got;
    }
}

TEST(LasReader, NullValueMatchesWhateverTheDecimals) {
    std::string text =
        lasText(" DEPT.M : d\n A.  : a\n",
                "1 -999.25\n2 -999.2500\n3 -999.250000\n4 -999.26\n5 -9.9925E2\n", "-999.2500");
    ImportResult r = readLas(text);
    EXPECT_EQ(r.nullValueText, "-999.2500");
    EXPECT_EQ(shown(r.columns[1]), shown({kNull, kNull, kNull, -999.26, kNull}));
}

TEST(LasReader, DepthEqualToTheNullValueIsADepth) {
    std::string text =
        lasText(" DEPT.M : d\n A.  : a\n", "999.0 1\n999.25 999.25\n999.5 3\n", "999.25");
    for (const std::string& t : {text, wrappedLas(text)}) {
        ImportResult r = readLas(t);
        EXPECT_EQ(shown(r.columns[0]), shown({999.0, 999.25, 999.5}));
        EXPECT_EQ(shown(r.columns[1]), shown({1, kNull, 3}));
    }
}

TEST(LasReader, LineEndsDoNotMatter) {
    const std::string curves = " DEPT.M : d\n GR.GAPI : g\n";
    const auto expected = shown({1, 2, 3});
    for (const std::string data :
         {"1 10\n2 20\n3 30\n", "1 10\n2 20\n3 30", "1 10\n2 20\n3 30\n\n\n",
          "1 10\r\n2 20\r\n3 30\r\n", "1 10\r2 20\r3 30", "1\t10\n2\t20\n  3\t30  \n",
          "1 10 2 20 3 30\n", "1\n10\n2\n20\n3\n30\n"}) {
        ImportResult r = readLas(wrappedLas(lasText(curves, data)));
        EXPECT_EQ(shown(r.columns[0]), expected) << data;
        EXPECT_EQ(shown(r.columns[1]), shown({10, 20, 30})) << data;
    }
}

TEST(LasReader, WrappedFileReadsLikeAnUnwrappedOne) {
    ImportResult r = readLasFile(testData("las/wrapped.las"));
    expectConsistent(r);
    EXPECT_EQ(r.fieldNames, (std::vector<std::string>{"DEPTH", "RHOB", "GR", "DT", "DTSM"}));
    EXPECT_EQ(shown(r.columns[0]), shown({1500.0, 1500.25, 1500.5}));
    EXPECT_EQ(shown(r.columns[4]), shown({170.0, kNull, 172.0}));
    EXPECT_EQ(r.roles.sWave, (std::vector<std::string>{"DTSM"}));
    EXPECT_EQ(r.densityUnit, "GC");
}

TEST(LasReader, UnfinishedLastDepthStepIsDropped) {
    std::string text = lasText(" DEPT.M : d\n A.  : a\n B.  : b\n", "1 2 3\n4 5 6\n7 8\n");
    ImportResult r = readLas(wrappedLas(text));
    EXPECT_EQ(shown(r.columns[0]), shown({1, 4}));
    EXPECT_EQ(shown(r.columns[2]), shown({3, 6}));
}

TEST(LasReader, SingleRowIsAFile) {
    ImportResult r = readLas(lasText(kFourCurves, "1500.0 2.45 60.5 95.0\n"));
    expectConsistent(r);
    EXPECT_EQ(r.rowCount(), 1u);
}

TEST(LasReader, FirstFieldIsAlwaysDepth) {
    ImportResult r = readLas(lasText(" MD.M : measured depth\n GR.GAPI : g\n", "1 2\n"));
    EXPECT_EQ(r.fieldNames[0], "DEPTH");
    EXPECT_EQ(r.fieldLabels[0], "MD(M)");
    EXPECT_EQ(r.catalog[0].mnemonic, "MD");
    EXPECT_FALSE(r.depthUnit.has_value());  // only DEPT, DEPTH and TIME set the unit

    r = readLas(lasText(" TIME.MS : two-way time\n GR.GAPI : g\n", "1 2\n"));
    EXPECT_EQ(r.fieldNames[0], "DEPTH");
    EXPECT_EQ(r.fieldLabels[0], "TIME(MS)");
    EXPECT_EQ(r.depthUnit, "m");
}

TEST(LasReader, UnitsGoInParenthesesAndACurveWithoutUnitHasNone) {
    ImportResult r = readLas(
        lasText(" DEPT.FT : d\n RHOB.G/CC  : density\n NPHI.      : porosity\n CALI.IN:caliper\n",
                "1 2 3 4\n"));
    EXPECT_EQ(r.fieldLabels,
              (std::vector<std::string>{"DEPT(FT)", "RHOB(G/CC)", "NPHI", "CALI(IN)"}));
    EXPECT_EQ(r.catalog[2].unit, "");
    EXPECT_EQ(r.catalog[2].label, "NPHI");
    EXPECT_EQ(r.depthUnit, "ft");
}

TEST(LasReader, RoleListsKeepEveryCurveOfARoleInFileOrder) {
    ImportResult r =
        readLas(lasText(" DEPT.M : d\n"
                        " GR.GAPI : gamma\n"
                        " RHOB.K/M3 : density\n"
                        " RHOZ.KG/M3 : density, unit not in the table\n"
                        " CGR.GAPI : computed gamma\n"
                        " DTS.US/F : no role\n"
                        " DT-S.US/F : shear\n"
                        " rhob.G/CC : lower case, no role\n"
                        " DT.US/F : compressional\n",
                        "1 2 3 4 5 6 7 8 9\n"));
    EXPECT_EQ(r.roles.gammaRay, (std::vector<std::string>{"GR", "CGR"}));
    EXPECT_EQ(r.roles.gammaRayIndex, 5);  // the later gamma-ray curve, 1-based
    EXPECT_EQ(r.roles.density, (std::vector<std::string>{"RHOB", "RHOZ"}));
    EXPECT_EQ(r.densityUnit, "KM");  // RHOZ's unit is unknown and changes nothing
    EXPECT_EQ(r.roles.pWave, (std::vector<std::string>{"DT"}));
    EXPECT_EQ(r.roles.sWave, (std::vector<std::string>{"DT-S"}));
    // "rhob" differs from "RHOB" only in case: a field of its own
    EXPECT_EQ(r.fieldNames[7], "rhob_2");
}

TEST(LasReader, RepeatedNamesGetFieldsOfTheirOwn) {
    ImportResult r =
        readLas(lasText(" DEPT.M : d\n"
                        " GR.GAPI : g\n"
                        " gr.GAPI : g\n"
                        " Rec. : record\n"
                        " DEPTH.M : second depth\n"
                        " COUNTING. : c\n"
                        " GR.GAPI : g again\n"
                        " GR_2. : already taken\n",
                        "1 2 3 4 5 6 7 8\n9 10 11 12 13 14 15 16\n"));
    expectConsistent(r);
    EXPECT_EQ(r.fieldNames, (std::vector<std::string>{"DEPTH", "GR", "gr_2", "Rec_2", "DEPTH_2",
                                                      "COUNTING_2", "GR_3", "GR_2_2"}));
    // the catalogue keeps the curves' own names
    EXPECT_EQ(r.catalog[2].mnemonic, "gr");
    EXPECT_EQ(r.catalog[3].mnemonic, "Rec");
    EXPECT_EQ(r.catalog[6].label, "GR(GAPI)");
    // and nothing shifts
    for (std::size_t c = 0; c < 8; ++c)
        EXPECT_EQ(shown(r.columns[c]), shown({double(c + 1), double(c + 9)}));
    // the role list names the fields, so each recognised curve can be found
    EXPECT_EQ(r.roles.gammaRay, (std::vector<std::string>{"GR", "GR_3"}));
    EXPECT_EQ(r.roles.gammaRayIndex, 7);
}

TEST(LasReader, LongMnemonicNamesItsFieldInFullAndIsCutInTheCatalogue) {
    const std::string name = "A_VERY_LONG_MNEMONIC_OF_FORTY_CHARACTERS";
    ASSERT_EQ(name.size(), 40u);
    ImportResult r = readLas(lasText(" DEPT.M : d\n " + name + ".UNITS : long\n", "1 2\n"));
    EXPECT_EQ(r.fieldNames[1], name);
    EXPECT_EQ(r.catalog[1].mnemonic, name.substr(0, 30));
    EXPECT_EQ(r.catalog[1].label, name.substr(0, 30));
    EXPECT_EQ(r.fieldLabels[1], name.substr(0, 30));
}

TEST(LasReader, CurveLineWithoutMnemonicKeepsItsColumn) {
    ImportResult r = readLas(lasText(" DEPT.M : d\n .OHMM : no name\n GR.GAPI : g\n", "1 2 3\n"));
    EXPECT_EQ(r.fieldNames, (std::vector<std::string>{"DEPTH", "UNKNOWN", "GR"}));
    EXPECT_EQ(shown(r.columns[2]), shown({3}));
}

TEST(LasReader, ManyCurvesAndManyOfOneRole) {
    std::string curves = " DEPT.M : d\n";
    std::string row = "1";
    for (int i = 0; i < 8; ++i) {
        curves += " GR.GAPI : gamma\n";
        row += " " + std::to_string(100 + i);
    }
    for (int i = 0; i < 170; ++i) {
        curves += " C" + std::to_string(i) + ". : c\n";
        row += " " + std::to_string(i);
    }
    ImportResult r = readLas(lasText(curves, row + "\n"));
    expectConsistent(r);
    EXPECT_EQ(r.fieldNames.size(), 179u);
    EXPECT_EQ(r.roles.gammaRay.size(), 8u);
    EXPECT_EQ(r.roles.gammaRayIndex, 9);
    EXPECT_EQ(shown(r.columns[8]), shown({107}));
    EXPECT_EQ(shown(r.columns[178]), shown({169}));
}

TEST(LasReader, CommentLinesAndSectionsAfterTheDataAreNotData) {
    ImportResult r = readLas(lasText(" DEPT.M : d\n GR.GAPI : g\n",
                                     "# comment among the data 1 2 3\n"
                                     "1 10\n"
                                     "  # indented comment\n"
                                     "2 20\n"
                                     "~OTHER INFORMATION\n"
                                     "3 30 words after the data\n"));
    EXPECT_EQ(shown(r.columns[0]), shown({1, 2}));
    EXPECT_EQ(shown(r.columns[1]), shown({10, 20}));
}

TEST(LasReader, NullItemIsFoundInAShortHeader) {
    // no version section: the NULL item stands on line 4
    std::string text =
        "~WELL INFORMATION\n"
        " STRT.M  1.0 : START\n"
        " STOP.M  2.0 : STOP\n"
        " STEP.M  1.0 : STEP\n"
        " NULL.   -9999 : NULL VALUE\n"
        "~CURVE INFORMATION\n"
        " DEPT.M : depth\n"
        " GR.GAPI : gamma\n"
        "~A\n"
        "1 -9999\n2 5\n";
    ImportResult r = readLas(text);
    EXPECT_EQ(r.nullValueText, "-9999");
    EXPECT_EQ(shown(r.columns[1]), shown({kNull, 5}));
}

TEST(LasReader, NullLineFromLineSevenOnIsTheNullValue) {
    // the first line from line 7 on that mentions NULL is the null line, even outside ~W
    std::string text =
        "~VERSION INFORMATION\n"
        " VERS.   2.0 : CWLS LOG ASCII STANDARD - VERSION 2.0\n"
        " WRAP.   NO  : ONE LINE PER DEPTH STEP\n"
        "~WELL INFORMATION\n"
        " STRT.M  1.0 : START\n"
        " STOP.M  2.0 : STOP\n"
        " STEP.M  1.0 : STEP\n"
        " NULL.   -1.5 : NULL VALUE\n"
        "~CURVE INFORMATION\n"
        " DEPT.M : depth\n GR.GAPI : gamma\n~A\n1 -1.5\n2 5\n";
    EXPECT_EQ(readLas(text).nullValueText, "-1.5");

    // a comment mentioning NULL before the item is skipped for the item itself
    std::string commented = text;
    commented.insert(commented.find(" NULL."), "# NULL values: see below\n");
    ImportResult r = readLas(commented);
    EXPECT_EQ(r.nullValueText, "-1.5");
    EXPECT_EQ(shown(r.columns[1]), shown({kNull, 5}));
}

TEST(LasReader, StreamGivesTheSameResultWhateverThePieces) {
    std::string text = fileBytes(testData("las/descending.las"));
    std::string crlf;
    for (char c : text) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    for (const std::string* t : {&text, &crlf}) {
        ImportResult whole = readLas(*t);
        for (std::size_t piece : {1u, 2u, 3u, 7u, 64u}) {
            LasStream stream(t->size());
            for (std::size_t i = 0; i < t->size(); i += piece)
                stream.feed(std::string_view(*t).substr(i, piece));
            ImportResult r = stream.finish();
            EXPECT_EQ(r.headerLines, whole.headerLines) << piece;
            ASSERT_EQ(r.columns.size(), whole.columns.size());
            for (std::size_t c = 0; c < r.columns.size(); ++c)
                EXPECT_EQ(shown(r.columns[c]), shown(whole.columns[c])) << piece;
        }
    }
}

TEST(LasReader, FileReadInPiecesMatchesTheWholeText) {
    // larger than one read piece, with the "~A" line and numbers on piece boundaries
    std::string curves = " DEPT.M : d\n RHOB.G/CC : r\n GR.GAPI : g\n";
    std::string data;
    for (int i = 0; i < 400000; ++i)
        data += std::to_string(1000 + i * 0.25) + "\t2." + std::to_string(i % 97) + "\t" +
                std::to_string(i % 1000) + ".5\r\n";
    std::string text = lasText(curves, data);
    auto path = std::filesystem::temp_directory_path() / "lithora_import_pieces.las";
    { std::ofstream(path, std::ios::binary) << text; }
    std::vector<std::uint64_t> reports;
    ImportResult fromFile = readLasFile(path, [&](std::uint64_t done, std::uint64_t total) {
        EXPECT_EQ(total, text.size());
        reports.push_back(done);
    });
    std::filesystem::remove(path);
    ImportResult whole = readLas(text);
    EXPECT_EQ(fromFile.rowCount(), 400000u);
    for (std::size_t c = 0; c < 3; ++c) EXPECT_TRUE(fromFile.columns[c] == whole.columns[c]) << c;
    // progress runs forward and ends at the total
    ASSERT_GE(reports.size(), 2u);
    EXPECT_TRUE(std::is_sorted(reports.begin(), reports.end()));
    EXPECT_EQ(reports.back(), text.size());
}

// What other readers open: a file without a NULL item, without a ~Well or a ~Version section.
// It is read with no null value (every number is a value), and a warning says what was missing.
TEST(LasReader, MissingNullWellOrVersionSectionsAreReadWithAWarning) {
    const std::string curves = " DEPT.M : d\n GR.GAPI : g\n";
    const std::string data = "1 -999.25\n2 5\n";
    const std::string noNull = [&] {
        std::string t = lasText(curves, data);
        const std::string item = " NULL.      -999.25 : NULL VALUE\n";
        return t.erase(t.find(item), item.size());
    }();
    const std::string bare = "~CURVE INFORMATION\n" + curves + "~A\n" + data;
    const std::string noWell = "~VERSION INFORMATION\n VERS. 2.0 :\n WRAP. NO :\n" + bare;
    struct Case {
        const char* what;
        std::string text;
        std::vector<std::string> warnings;
    } cases[] = {
        {"no NULL item", noNull, {"The file has no NULL item: no value is read as a null."}},
        {"no ~Well section", noWell,
         {"The file has no ~Well section: the depth range comes from the data, and no value is "
          "read as a null."}},
        {"only ~Curve and ~A", bare,
         {"The file has no ~Version section: it is read as LAS 2.0.",
          "The file has no ~Well section: the depth range comes from the data, and no value is "
          "read as a null."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const ImportResult r = readLas(c.text);
        EXPECT_EQ(r.warnings, c.warnings);
        EXPECT_EQ(shown(r.columns[1]), shown({-999.25, 5}));
        EXPECT_EQ(r.nullValueText, "");
    }
}

// UTF-16 without a byte-order mark is told from the zero bytes of its ASCII text.
TEST(LasReader, Utf16WithoutAByteOrderMark) {
    const std::string text = lasText(" DEPT.M : d\n GR.GAPI : g\n", "1 2\n3 4\n");
    std::string little, big;
    for (char ch : text) {
        little += ch;
        little += '\0';
        big += '\0';
        big += ch;
    }
    for (const std::string* bytes : {&little, &big}) {
        const ImportResult r = readLas(*bytes);
        EXPECT_EQ(r.fieldNames, (std::vector<std::string>{"DEPTH", "GR"}));
        EXPECT_EQ(shown(r.columns[1]), shown({2, 4}));
    }
}

TEST(LasReader, RefusesFilesItCannotRead) {
    const std::string curves = " DEPT.M : d\n GR.GAPI : g\n";
    const std::string good = lasText(curves, "1 2\n");
    auto without = [&](const std::string& what) {
        std::string t = good;
        t.erase(t.find(what), what.size());
        return t;
    };
    struct Case {
        const char* what;
        std::string text;
    };
    std::vector<Case> cases = {
        {"no ~A line", without("~A\n")},
        {"no ~C line", without("~CURVE INFORMATION\n")},
        {"NULL not a number", lasText(curves, "1 2\n", "NONE")},
        {"NULL without colon",
         [&] {
             std::string t = good;
             const std::string item = " NULL.      -999.25 : NULL VALUE";
             t.replace(t.find(item), item.size(), " NULL.      -999.25 - NULL VALUE");
             return t;
         }()},
        {"no curve line", lasText("#MNEM.UNIT  API CODE\n", "1 2\n")},
        {"curve section ends at once", lasText("~PARAMETER\n BHT.DEGC 35 : t\n", "1 2\n")},
        {"no data row", lasText(curves, "")},
        {"only part of a row", wrappedLas(lasText(curves, "1\n"))},
        {"no depth is a number", lasText(curves, "a 2\nb 3\n-\n")},
        {"no depth is a number, wrapped", wrappedLas(lasText(curves, "a 2\nb 3\n"))},
        {"~A before the curve section",
         [&] {
             std::string t = without("~A\n");
             t.insert(t.find("~CURVE"), "~A\n");
             return t;
         }()},
        {"lower-case ~c",
         [&] {
             std::string t = good;
             t.replace(t.find("~CURVE"), 2, "~c");
             return t;
         }()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        expectError([&] { readLas(c.text); }, "Error reading file.");
    }
    expectError([] { readLasFile(testData("las/no such file.las")); }, "Error reading file.");
    expectError([] { readLasFile(testData("las")); }, "Error reading file.");
}

}  // namespace
}  // namespace lithora::import
