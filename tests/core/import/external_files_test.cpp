// LAS files written by others (tests/data/external, see its README and MANIFEST.tsv): every
// one is read or refused with "Error reading file.", and the well-formed ones read as their
// manifest describes them.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>

#include "core/common/las_section.h"
#include "core/common/number_text.h"
#include "core/import/las_reader.h"
#include "core/import/well_header.h"
#include "import_test_support.h"

namespace lithora::import {
namespace {

using namespace lithora::import::testing;

const std::filesystem::path& externalRoot() {
    static const std::filesystem::path root = testData("external/las-external");
    return root;
}

struct ManifestRow {
    std::size_t curves = 0;
    std::size_t rows = 0;
    std::string wellFormed;  // "yes", "partial" or "no"
};

std::map<std::string, ManifestRow> manifest() {
    std::map<std::string, ManifestRow> out;
    std::istringstream in(fileBytes(externalRoot() / "MANIFEST.tsv"));
    std::string line;
    std::getline(in, line);  // column titles
    while (std::getline(in, line)) {
        std::vector<std::string> f;
        std::size_t start = 0;
        for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
            f.push_back(line.substr(start, tab - start));
        f.push_back(line.substr(start));
        if (f.size() < 13) continue;
        out[f[0]] = {std::stoul(f[6]), std::stoul(f[7]), f[12]};
    }
    return out;
}

std::vector<std::filesystem::path> lasFiles() {
    std::vector<std::filesystem::path> out;
    for (const auto& e : std::filesystem::recursive_directory_iterator(externalRoot())) {
        std::string ext = e.path().extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(), ::tolower);
        if (e.is_regular_file() && ext == ".las") out.push_back(e.path());
    }
    std::sort(out.begin(), out.end());
    return out;
}

// The well header of every file that reads: its texts are single lines, and the well with a
// full ~Well section names its well, field and company.
TEST(ExternalFiles, EveryReadableFileGivesItsWellHeader) {
    std::size_t named = 0;
    for (const auto& file : lasFiles()) {
        ImportResult read;
        try {
            read = readLasHeaderFile(file);
        } catch (const std::exception&) {
            continue;  // refused: the test above checks why
        }
        const WellHeader h = readWellHeader(read.headerLines);
        for (const std::string* text : {&h.well, &h.field, &h.company})
            EXPECT_EQ(text->find_first_of("\r\n"), std::string::npos) << file;
        named += h.well.empty() ? 0 : 1;
        if (file.filename() == "P-135_out.LAS") {
            EXPECT_EQ(h.well, "Eastrock Lauren #1");
            EXPECT_EQ(h.field, "Lauren");
            EXPECT_EQ(h.company, "Eastrock Resources LTD.");
        }
    }
    EXPECT_GT(named, 20u);
}

TEST(ExternalFiles, EveryFileReadsOrIsRefused) {
    const auto files = lasFiles();
    const auto rows = manifest();
    ASSERT_EQ(files.size(), 133u);
    std::size_t read = 0, checked = 0;
    for (const auto& path : files) {
        const std::string name = std::filesystem::relative(path, externalRoot()).generic_string();
        SCOPED_TRACE(name);
        auto row = rows.find(name);
        ASSERT_NE(row, rows.end());
        const ManifestRow& m = row->second;
        const bool wellFormed = m.wellFormed == "yes" || m.wellFormed == "partial";
        try {
            ImportResult r = readLasFile(path);
            expectConsistent(r);
            // the header text runs through the data section's title (and may go on with the
            // sections after the data)
            EXPECT_TRUE(std::any_of(
                r.headerLines.begin(), r.headerLines.end(),
                [](const std::string& line) { return lasSectionOf(line) == LasSection::Data; }));
            ++read;
            if (wellFormed) {
                EXPECT_EQ(r.fieldNames.size(), m.curves);
                EXPECT_EQ(r.rowCount(), m.rows);
                ++checked;
            }
        } catch (const Error& e) {
            EXPECT_STREQ(e.what(), "Error reading file.");
            // a well-formed file is refused only when it has no data row, or no row with a
            // depth (an index of clock times)
            if (wellFormed && name.find("data_characters.las") == std::string::npos) {
                EXPECT_EQ(m.rows, 0u);
            }
        }
    }
    EXPECT_GE(read, 100u);
    EXPECT_GE(checked, 40u);
}

TEST(ExternalFiles, NorthSeaWellF03) {
    // irregular sampling written deepest last; null items written as -999.2500
    ImportResult r = readLasFile(externalRoot() / "welly/tests/assets/F03-02.las");
    ASSERT_EQ(r.rowCount(), 14069u);
    EXPECT_EQ(r.fieldNames.size(), 13u);
    EXPECT_EQ(r.nullValueText, "-999.2500");
    EXPECT_EQ(r.depthUnit, "m");
    EXPECT_EQ(r.densityUnit, "GC");
    EXPECT_EQ(r.roles.density, (std::vector<std::string>{"RHOB"}));
    EXPECT_EQ(r.roles.pWave, (std::vector<std::string>{"DT"}));
    EXPECT_NEAR(r.columns[0].front(), 9.906, 1e-9);
    EXPECT_NEAR(r.columns[0].back(), 2153.8647, 1e-9);
    EXPECT_TRUE(std::is_sorted(r.columns[0].begin(), r.columns[0].end()));
}

TEST(ExternalFiles, KansasWell) {
    ImportResult r = readLasFile(externalRoot() / "liblas/las_files/4969-06-NWNE.las");
    ASSERT_EQ(r.rowCount(), 295u);
    EXPECT_EQ(r.depthUnit, "ft");
    EXPECT_EQ(r.roles.pWave, (std::vector<std::string>{"DT"}));
    EXPECT_EQ(r.columns[0].front(), 8420);
    EXPECT_EQ(r.columns[0].back(), 8714);
}

TEST(ExternalFiles, SurprisesOfRealFiles) {
    const auto root = externalRoot() / "lasio/tests/examples";
    // placeholder words among the numbers are null samples in their own place
    for (const char* f : {"null_policy_(null).las", "null_policy_ERR.las", "null_policy_ind.las"}) {
        SCOPED_TRACE(f);
        ImportResult r = readLasFile(root / f);
        expectConsistent(r);
        std::size_t nulls = 0;
        for (const auto& c : r.columns)
            nulls += std::count_if(c.begin(), c.end(), [](double v) { return std::isnan(v); });
        EXPECT_GT(nulls, 0u);
        EXPECT_TRUE(std::is_sorted(r.columns[0].begin(), r.columns[0].end()));
    }
    // UTF-16 files read like their 8-bit twin
    ImportResult cp1252 = readLasFile(root / "encodings_cp1252.las");
    for (const char* f : {"encodings_utf16lebom.las", "encodings_utf16bebom.las"}) {
        ImportResult r = readLasFile(root / f);
        EXPECT_EQ(r.rowCount(), cp1252.rowCount()) << f;
        EXPECT_EQ(r.columns[0], cp1252.columns[0]) << f;
    }
    // names that differ only in case keep columns of their own
    ImportResult mc = readLasFile(root / "mnemonic_case.las");
    EXPECT_EQ(mc.fieldNames.size(), 7u);
    // three curves of the same name
    ImportResult rho = readLasFile(root / "sample_issue105_a.las");
    EXPECT_EQ(rho.fieldNames, (std::vector<std::string>{"DEPTH", "RHO", "RHO_2", "RHO_3", "PHI"}));
    // a header without a version section keeps its NULL item
    ImportResult shortHeader =
        readLasFile(externalRoot() / "lascheck/tests/examples/missing_version_section.las");
    EXPECT_EQ(shortHeader.nullValueText, "-999.2500");
    // no NULL item, no ~Well section, only ~Curve and ~A: read as other readers read them,
    // every number a value, with a warning saying what was missing
    for (const char* f :
         {"lasio/tests/examples/missing_null.las", "lascheck/tests/examples/missing_null.las",
          "lascheck/tests/examples/missing_well_section.las"}) {
        SCOPED_TRACE(f);
        const ImportResult r = readLasFile(externalRoot() / f);
        ASSERT_EQ(r.fieldNames.size(), 8u);
        ASSERT_EQ(r.columns[0].size(), 3u);
        EXPECT_EQ(r.columns[0].front(), 1669.75);  // shallowest first
        EXPECT_EQ(r.columns[2].back(), 2550);
        EXPECT_EQ(r.warnings.size(), 1u);
    }
    EXPECT_EQ(readLasFile(externalRoot() / "lasio/tests/examples/missing_null.las").columns[1][1],
              -999.25);
    for (const char* f :
         {"lasio/tests/examples/barebones.las", "welly/tests/assets/barebones.las"}) {
        const ImportResult r = readLasFile(externalRoot() / f);
        EXPECT_EQ(r.fieldNames, (std::vector<std::string>{"DEPTH"}));
        EXPECT_EQ(r.columns[0], (std::vector<double>{200, 201}));
        EXPECT_EQ(r.warnings.size(), 2u);
    }
    // no "~A", or no LAS file at all: refused
    for (const char* f : {"missing_a_section.las", "not_a_las_file.las"})
        expectError([&] { readLasFile(root / f); }, "Error reading file.");
}

TEST(ExternalFiles, Las3LogDataCellByCell) {
    // the same well with commas and with tabs between the values: text cells are nulls, array
    // elements are curves of their own, and the other data sets are named
    const auto root = externalRoot() / "lasio/tests/examples/3.0";
    const std::vector<double> nmrDeepestFirst[] = {
        {10, 12, 14, 18, 13}, {12, 15, 21, 35, 25}, {18, 25, 10, 8, 17}};
    for (const char* f : {"sample_3.0.las", "las-30a-revised-2010.las", "sample_3.0_tab_dlm.las"}) {
        SCOPED_TRACE(f);
        const ImportResult r = readLasFile(root / f);
        expectConsistent(r);
        EXPECT_EQ(r.fieldNames,
                  (std::vector<std::string>{"DEPTH", "DT", "RHOB", "NPHI", "SFLU", "SFLA", "ILM",
                                            "ILD", "YME", "CDES", "NMR[1]", "NMR[2]", "NMR[3]",
                                            "NMR[4]", "NMR[5]"}));
        ASSERT_EQ(r.rowCount(), 3u);
        EXPECT_EQ(shown(r.columns[0]), shown({1669.75, 1669.875, 1670}));
        const double same[] = {123.45, 2550, 0.45, 123.45, 123.45, 110.2, 105.6};
        for (std::size_t c = 0; c < 7; ++c)
            EXPECT_EQ(shown(r.columns[c + 1]), shown({same[c], same[c], same[c]})) << c;
        EXPECT_EQ(shown(r.columns[8]), shown({2.85e12, 1.47e12, 1.45e12}));
        EXPECT_EQ(shown(r.columns[9]), shown({kNullSample, kNullSample, kNullSample}));
        for (std::size_t k = 0; k < 5; ++k)
            EXPECT_EQ(shown(r.columns[10 + k]),
                      shown({nmrDeepestFirst[2][k], nmrDeepestFirst[1][k], nmrDeepestFirst[0][k]}))
                << k;
        EXPECT_EQ(r.nullValueText, "-999.25");
        EXPECT_EQ(r.roles.density, (std::vector<std::string>{"RHOB"}));
        // a file read from disk is named in its warnings
        const std::string name = std::string(f) + ": ";
        EXPECT_EQ(r.warnings,
                  (std::vector<std::string>{
                      name + "Text in the data section is read as null samples of CDES.",
                      name + "The LAS 3.0 data sets Drilling, Core, Inclinometry, Test, TOPS, "
                             "Perforations are kept in the header text only; the log data is "
                             "read."}));
    }
}

// A command that needs a few curves reads only those: the values of the others are passed
// over unconverted, and the curves read come out as a whole read gives them.
TEST(ExternalFiles, CurvesNotChosenArePassedOverAndTheOthersReadAlike) {
    const auto same = [](const ImportResult& whole, const ImportResult& part,
                         const std::vector<bool>& read) {
        ASSERT_EQ(part.columns.size(), whole.columns.size());
        EXPECT_EQ(part.rowCount(), whole.rowCount());
        for (std::size_t i = 0; i < whole.columns.size(); ++i) {
            if (i == 0 || (i < read.size() && read[i]))
                EXPECT_EQ(shown(part.columns[i]), shown(whole.columns[i])) << i;
            else
                EXPECT_TRUE(part.columns[i].empty()) << i;
        }
    };
    // every other curve, and the first after the depth alone (the last curve not read)
    const std::function<std::vector<bool>(std::size_t)> choices[] = {
        [](std::size_t n) {
            std::vector<bool> read(n);
            for (std::size_t i = 0; i < n; i += 2) read[i] = true;
            return read;
        },
        [](std::size_t n) {
            std::vector<bool> read(n);
            if (n > 1) read[1] = true;
            return read;
        },
    };
    int compared = 0;
    for (const auto& file : lasFiles()) {
        SCOPED_TRACE(file.string());
        ImportResult whole;
        try {
            whole = readLasFile(file);
        } catch (const Error&) {
            continue;
        }
        for (const auto& choice : choices) {
            const auto read = choice(whole.columns.size());
            same(whole, readLasFile(file, {}, [&](const ImportResult&) { return read; }), read);
        }
        ++compared;
    }
    EXPECT_GT(compared, 100);

    // data lines of every kind: wrapped with an unfinished last step, commas without a DLM
    // item, tabs with blanks in a text, quoted text, text where a number belongs
    const std::string curves = " DEPT.M : d\n GR.GAPI : g\n DT.US/M : t\n RHOB.G/C3 : r\n";
    const std::string tabbed = lasText(curves, "1\tsome text\t3\t4\n2\t\t5\t6\n");
    std::string tabDlm = tabbed;
    tabDlm.insert(tabDlm.find(" WRAP."), " DLM.   TAB : TAB\n");
    // comma-separated by its DLM item, wrapped, with blanks between some values too
    std::string commasAndBlanks =
        wrappedLas(lasText(curves, "1,2.   9.5 3,4\n2 5,6 7\n3,8,9,10\n"));
    commasAndBlanks.insert(commasAndBlanks.find(" WRAP."), " DLM.   COMMA : COMMA\n");
    const std::string fixtures[] = {
        commasAndBlanks,
        wrappedLas(lasText(curves, "1 2\n3 4\n2 5 6 7\n3 8")),
        lasText(curves, "1,2,3,4\n2,x,5,6\n3,,7,8\n"),
        tabDlm,
        lasText(curves, "1 \"a b\" 3 4\n2 abc 5 6\n3 7\n"),
    };
    for (const auto& text : fixtures) {
        SCOPED_TRACE(text.substr(text.find("~A")));
        const ImportResult whole = readLas(text);
        const auto write = [&](const std::vector<bool>& read) {
            const auto file = std::filesystem::temp_directory_path() / "lithora_chosen.las";
            std::ofstream(file, std::ios::binary) << text;
            ImportResult part = readLasFile(file, {}, [&](const ImportResult&) { return read; });
            std::filesystem::remove(file);
            return part;
        };
        for (const auto& choice : choices) {
            const auto read = choice(whole.columns.size());
            same(whole, write(read), read);
        }
    }
}

TEST(ExternalFiles, RefusedFilesSayWhy) {
    // every file of the test data still refused, with the reason a user is given
    const std::string noLogData =
        "it holds no log data (no \"~Log_Definition\" or \"~Curve\" section), only the data "
        "sets ";
    const std::string noDataSection =
        "it has no data section (no \"~A\" line after the curve section)";
    auto noDepth = [](int line) {
        return "its data section, from line " + std::to_string(line) +
               ", holds no row with a depth";
    };
    const std::pair<const char*, std::string> cases[] = {
        // the data section comes before the curve section
        {"las-js/src/__test__/sample_v3/E3.las", noDataSection},
        {"lascheck/tests/examples/missing_a_section.las", noDepth(21)},
        {"lascheck/tests/examples/missing_ascii_section.las", noDataSection},
        {"lasio/standards/examples/3.0/sample_3.0.las", noDataSection},
        {"lasio/tests/examples/3.0/Curve-Param Error #10 (SS).LAS", noLogData + "Phase"},
        {"lasio/tests/examples/3.0/Curve-Param Error #14 (SS).LAS", noLogData + "Phase"},
        {"lasio/tests/examples/3.0/Curve-Param Error #16 (SS).LAS", noLogData + "Phase"},
        {"lasio/tests/examples/3.0/Curve-Param Error #2 (MS).LAS", noLogData + "Phase"},
        {"lasio/tests/examples/3.0/Curve-Param Error #5 (MS).LAS", noLogData + "Phase"},
        {"lasio/tests/examples/3.0/Curve-Param Error #7 (SS).LAS", noLogData + "Phase"},
        {"lasio/tests/examples/3.0/Curve-Param Unknown #1(SS).las", noLogData + "Drilling"},
        {"lasio/tests/examples/3.0/Reshape Error #2 (SS).las", noLogData + "Drilling"},
        {"lasio/tests/examples/data_characters.las", noDepth(41)},
        {"lasio/tests/examples/missing_a_section.las", noDepth(21)},
        {"lasio/tests/examples/not_a_las_file.las",
         "it has no curve section (no line that begins with \"~C\")"},
        {"wellio.js/assets/data_characters.las", noDepth(41)},
        {"wellio.js/assets/missing_a_section.las", noDepth(21)},
        {"wellio.js/assets/usgs_bad/260341080252801.19980915.NN.las",
         "line 43: its curve section defines no curve"},
        {"welly/tutorial/data/P-135_cuttings.las", noLogData + "Lithology"},
    };
    for (const auto& [file, reason] : cases) {
        SCOPED_TRACE(file);
        try {
            readLasFile(externalRoot() / file);
            ADD_FAILURE() << "read";
        } catch (const ReadError& e) {
            EXPECT_STREQ(e.what(), "Error reading file.");
            EXPECT_EQ(e.reason(), reason);
        }
    }
}

}  // namespace
}  // namespace lithora::import
