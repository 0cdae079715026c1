// LAS 3.0: the log data set is read as a LAS 2.0 file is, whatever its delimiter, with text
// cells as null samples; other data sets stay in the header text.
#include <gtest/gtest.h>

#include "core/common/las_section.h"
#include "core/import/las_reader.h"
#include "import_test_support.h"

namespace lithora::import {
namespace {

using namespace lithora::import::testing;

// A LAS 3.0 file with the given delimiter: a core data set before the log data set and a
// tops data set after it, a text curve and a two-element array curve.
std::string las3Text(const std::string& dlm, const std::string& data) {
    return "~VERSION INFORMATION\n"
           " VERS.                 3.0 : CWLS LOG ASCII STANDARD - VERSION 3.0\n"
           " WRAP.                  NO : ONE LINE PER DEPTH STEP\n"
           " DLM .  " +
           dlm +
           " : DELIMITING CHARACTER\n"
           "~Well Information\n"
           " STRT .M      1670.0 : First Index Value\n"
           " STOP .M    1669.750 : Last Index Value\n"
           " STEP .M      -0.125 : STEP\n"
           " NULL .      -999.25 : NULL VALUE\n"
           "~Log_Parameter\n"
           " BHT .DEGC    35.5 : Bottom Hole Temperature\n"
           "~Log_Definition\n"
           " DEPT .M           : DEPTH              {F}\n"
           " RHOB .K/M3        : BULK DENSITY       {F}\n"
           " CDES .            : CORE DESCRIPTION   {S}\n"
           " NMR[1] .ms        : NMR Echo Array     {AF;0ms}\n"
           " NMR[2] .ms        : NMR Echo Array     {AF;5ms}\n"
           "~Core_Definition\n"
           " CORET.M           : Core Top Depth     {F}\n"
           " CDES .            : Core Description   {S}\n"
           "~Core_Data | Core_Definition\n"
           " 545.50,Long cylindrical hunk of rock\n"
           "~Log_Data | Log_Definition\n" +
           data +
           "~Tops_Definition\n"
           " TOPN.             : Top Name           {S}\n"
           "~Tops_Data | Tops_Definition\n"
           " Viking\n";
}

TEST(Las3Reader, ReadsTheLogDataWithEveryDelimiter) {
    // the same three rows, written with each delimiter LAS 3.0 allows; the text of the third
    // row's density cell and its empty first array value become nulls
    const struct {
        const char* dlm;
        const char* data;
    } cases[] = {
        {"COMMA",
         "1670.000,2550.0,DOLOMITE WI/VUGS,10,12\n"
         "1669.875,2551.5,\"LIMESTONE, GREY\",12,15\n"
         "1669.750,n/a,LOST INTERVAL   ,,18\n"},
        {"TAB",
         "1670.000\t2550.0\tDOLOMITE WI/VUGS\t10\t12\n"
         "1669.875\t2551.5\tLIMESTONE, GREY\t12\t15\n"
         "1669.750\tn/a\tLOST INTERVAL   \t\t18\n"},
        {"SPACE",
         "1670.000 2550.0 \"DOLOMITE WI/VUGS\" 10 12\n"
         "1669.875 2551.5 \"LIMESTONE, GREY\"  12 15\n"
         "1669.750 n/a    \"LOST INTERVAL\"    -999.25 18\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dlm);
        const ImportResult r = readLas(las3Text(c.dlm, c.data));
        expectConsistent(r);
        EXPECT_EQ(r.fieldNames,
                  (std::vector<std::string>{"DEPTH", "RHOB", "CDES", "NMR[1]", "NMR[2]"}));
        EXPECT_EQ(r.roles.density, (std::vector<std::string>{"RHOB"}));
        EXPECT_EQ(r.densityUnit, "KM");
        // shallowest first
        EXPECT_EQ(shown(r.columns[0]), shown({1669.75, 1669.875, 1670.0}));
        EXPECT_EQ(shown(r.columns[1]), shown({kNullSample, 2551.5, 2550.0}));
        EXPECT_EQ(shown(r.columns[2]), shown({kNullSample, kNullSample, kNullSample}));
        EXPECT_EQ(shown(r.columns[3]), shown({kNullSample, 12, 10}));
        EXPECT_EQ(shown(r.columns[4]), shown({18, 15, 12}));

        // one warning names the curves that held text, one the other data sets; no line
        // holds the wrong number of values
        EXPECT_EQ(r.warnings,
                  (std::vector<std::string>{
                      "Text in the data section is read as null samples of RHOB, CDES.",
                      "The LAS 3.0 data sets Core, Tops are kept in the header text only; the "
                      "log data is read."}));
        // the header text keeps every section, those after the log data too
        ASSERT_GE(r.headerLines.size(), 5u);
        EXPECT_EQ(r.headerLines[r.headerLines.size() - 5], "~Log_Data | Log_Definition");
        EXPECT_EQ(r.headerLines.back(), " Viking");
        EXPECT_EQ(r.headerBytes.size(), r.headerLines.size());
    }
}

TEST(Las3Reader, ReadingInPiecesGivesWhatReadingWholeGives) {
    // the data section ends inside a piece, and a piece ends inside the section title after it
    const std::string text = las3Text("COMMA",
                                      "1670.000,2550.0,DOLOMITE,10,12\n"
                                      "1669.875,2551.5,LIMESTONE,12,15\n");
    const ImportResult whole = readLas(text);
    for (std::size_t piece : {1u, 7u, 64u}) {
        SCOPED_TRACE(piece);
        LasStream stream(text.size());
        for (std::size_t at = 0; at < text.size(); at += piece)
            stream.feed(std::string_view(text).substr(at, piece));
        const ImportResult r = stream.finish();
        EXPECT_EQ(r.headerLines, whole.headerLines);
        EXPECT_EQ(r.warnings, whole.warnings);
        for (std::size_t f = 0; f < whole.columns.size(); ++f)
            EXPECT_EQ(shown(r.columns[f]), shown(whole.columns[f]));
    }
}

TEST(Las3Reader, AFileWithoutLogDataSaysWhichDataSetsItHolds) {
    const std::string text =
        "~VERSION INFORMATION\n"
        " VERS.   3.0 : CWLS LOG ASCII STANDARD - VERSION 3.0\n"
        " DLM .   COMMA : DELIMITER\n"
        "~Well Information\n"
        " NULL .  -999.25 : NULL VALUE\n"
        "~Lithology_Definition\n"
        " TOP .M : Top {F}\n"
        "~Lithology_Data | Lithology_Definition\n"
        " 100,Sandstone\n"
        "~Core_Definition\n"
        " CORET .M : Core top {F}\n";
    try {
        readLas(text);
        FAIL() << "read a file without log data";
    } catch (const ReadError& e) {
        EXPECT_STREQ(e.what(), "Error reading file.");
        EXPECT_EQ(e.reason(),
                  "it holds no log data (no \"~Log_Definition\" or \"~Curve\" section), only the "
                  "data sets Lithology, Core");
    }
}

TEST(LasSections, TitlesOfBothVersions) {
    const struct {
        const char* line;
        LasSection section;
        const char* dataSet;
    } cases[] = {
        {"~VERSION INFORMATION", LasSection::Version, ""},
        {"  ~Curve Information Block", LasSection::Curve, ""},
        {"~A  DEPTH  GR", LasSection::Data, ""},
        {"~ASCII", LasSection::Data, ""},
        {"~Other", LasSection::Other, ""},
        {"~LOG_DEFINITION", LasSection::Curve, "LOG"},
        {"~Log_Data | Log_Definition", LasSection::Data, "Log"},
        {"~Log_Parameter", LasSection::Parameter, "Log"},
        // a data set's title may begin with the letter of a LAS 2.0 section
        {"~Core_Definition", LasSection::OtherDataSet, "Core"},
        {"~Core_Data[2] | Core_Definition", LasSection::OtherDataSet, "Core"},
        {"~Array_Data", LasSection::OtherDataSet, "Array"},
        {"~Phase_Definition_RMDATA", LasSection::OtherDataSet, "Phase"},
        {" DEPT.M : DEPTH", LasSection::None, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(lasSectionOf(c.line), c.section);
        EXPECT_EQ(lasDataSetName(c.line), c.dataSet);
    }
}

}  // namespace
}  // namespace lithora::import
