#include "core/timelapse/lapse.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "core/common/error.h"
#include "support/test_paths.h"

namespace lithora::timelapse {
namespace {

constexpr double kTol = 1e-9;

// A LAS file with the given curve lines and data lines.
std::string las(const std::string& curves, const std::string& data,
                const std::string& nullLine = " NULL.       -999.25 : NULL VALUE\n") {
    return "~VERSION INFORMATION\n"
           " VERS.          2.0 : CWLS LOG ASCII STANDARD - VERSION 2.0\n"
           " WRAP.          NO  : ONE LINE PER DEPTH STEP\n"
           "~WELL INFORMATION\n"
           " STRT.M      1500.0 :\n"
           " STOP.M      1501.0 :\n"
           " STEP.M        0.5 :\n" +
           nullLine + "~CURVE INFORMATION\n" + curves + "~A  DEPTH  RHOB  GR\n" + data;
}

const std::string kCurves =
    " DEPT.M        : DEPTH\n"
    " RHOB.G/CC     : BULK DENSITY\n"
    " GR  .GAPI     : GAMMA RAY\n";

bool isNull(double v) {
    return std::isnan(v);
}

TEST(LapseReader, ValuesAreTheBlankSeparatedWordsOfEachLine) {
    struct Case {
        const char* what;
        std::string data;
    };
    const std::vector<Case> cases = {
        {"depth right-aligned in 10 characters", " 1500.0000   2.3500  45.1200\n"},
        {"last word without trailing blank or line end", " 1500.0000   2.3500  45.1200"},
        {"a depth column of 4 characters", "1500 2.35 45.12\n"},
        {"tabs and a wide depth column", "000001500.000000\t2.35\t\t45.12   \r\n"},
    };
    for (const auto& c : cases) {
        const LapseFile f = readLapse(las(kCurves, c.data));
        ASSERT_EQ(f.curves, (std::vector<std::string>{"RHOB", "GR"})) << c.what;
        const LapseLog a = lapseLog(f, 1), b = lapseLog(f, 2);
        ASSERT_EQ(a.depth.size(), 1u) << c.what;
        EXPECT_NEAR(a.depth[0], 1500, kTol) << c.what;
        EXPECT_NEAR(a.value[0], 2.35, kTol) << c.what;
        EXPECT_NEAR(b.value[0], 45.12, kTol) << c.what;
        EXPECT_EQ(a.curve, "RHOB");
        EXPECT_EQ(b.curve, "GR");
    }
}

TEST(LapseReader, CurveLinesTakeTheMnemonicBeforeTheDotAndTheDepthUnitAsTheImport) {
    struct Case {
        const char* curves;
        std::vector<std::string> names;
        const char* unit;
    };
    const std::vector<Case> cases = {
        {"DEPT.M:\nGR.GAPI:\nRHOB.G/CC:\n", {"GR", "RHOB"}, "m"},
        {" DEPTH .FT   : depth\n GR.GAPI : gamma\n RHOB.G/CC : rho\n", {"GR", "RHOB"}, "ft"},
        {"DEPT.F:\nGR.GAPI:\nRHOB.G/CC:\n", {"GR", "RHOB"}, "ft"},
        // The unit ends at the first blank: "M" is the unit, not "M     SOME TEXT".
        {"DEPT.M SOME TEXT : x\nGR.:\nRHOB.:\n", {"GR", "RHOB"}, "m"},
        // metres and feet in the spellings the import also takes
        {"DEPT.m:\nGR.GAPI:\nRHOB.G/CC:\n", {"GR", "RHOB"}, "m"},
        {"DEPT.FEET:\nGR.GAPI:\nRHOB.G/CC:\n", {"GR", "RHOB"}, "ft"},
        {"DEPT.KM:\nGR.GAPI:\nRHOB.G/CC:\n", {"GR", "RHOB"}, ""},
        {"TIME.MS:\nGR.GAPI:\nRHOB.G/CC:\n", {"GR", "RHOB"}, ""},
        {"DEPT.M:\n# a comment among the curves\nGR.GAPI:\n\nRHOB.G/CC:\n", {"GR", "RHOB"}, "m"},
        {"DEPT.M:\nGAMMA_RAY_FROM_THE_SECOND_RUN_OF_THE_TOOL.GAPI:\nRHOB.G/CC:\n",
         {"GAMMA_RAY_FROM_THE_SECOND_RUN_", "RHOB"},
         "m"},
    };
    for (const auto& c : cases) {
        const LapseFile f = readLapse(las(c.curves, "1500 40 2.3\n1500.5 41 2.4\n"));
        EXPECT_EQ(f.curves, c.names) << c.curves;
        EXPECT_EQ(f.depthUnit, c.unit) << c.curves;
        EXPECT_NEAR(lapseLog(f, 1).value[1], 41, kTol) << c.curves;
    }
}

TEST(LapseReader, WrappedLinesCommentsAndTheNextSection) {
    const std::string data =
        "# first step\n"
        "1500\n"
        "  2.30 40\n"
        "1500.5 2.40\n"
        "# a comment between values\n"
        "41\n"
        "~OTHER section\n"
        "1501 9 9\n";
    // a wrapped file says so: one depth step runs over several lines
    std::string text = las(kCurves, data);
    const std::string unwrapped = " WRAP.          NO  : ONE LINE PER DEPTH STEP";
    text.replace(text.find(unwrapped), unwrapped.size(),
                 " WRAP.          YES : MULTIPLE LINES PER DEPTH STEP");
    const LapseFile f = readLapse(text);
    const LapseLog gr = lapseLog(f, 2);
    ASSERT_EQ(gr.depth, (std::vector<double>{1500, 1500.5}));
    EXPECT_NEAR(gr.value[0], 40, kTol);
    EXPECT_NEAR(gr.value[1], 41, kTol);
}

TEST(LapseReader, NullSamplesAreGapsAndDescendingFilesRunDownwards) {
    const LapseFile f = readLapse(las(kCurves,
                                      "1501.0 2.5 -999.25\n"
                                      "1500.5 -999.25 50\n"
                                      "1500.0 2.3 40\n"));
    const LapseLog rho = lapseLog(f, 1), gr = lapseLog(f, 2);
    EXPECT_EQ(rho.depth, (std::vector<double>{1500, 1500.5, 1501}));
    EXPECT_TRUE(isNull(rho.value[1]));
    EXPECT_TRUE(isNull(gr.value[2]));
    // The range is that of the values: the null does not stretch it to -1000.
    const auto r = lapseRange(gr.value);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->lo, 40);
    EXPECT_EQ(r->hi, 50);
}

TEST(LapseReader, UnreadableFilesAreRefused) {
    const std::vector<std::string> bad = {
        "",
        "~VERSION\n~A\n1500 2\n",                                 // no curve section
        las(kCurves, "").substr(0, las(kCurves, "").find("~A")),  // no data section
        las(kCurves, ""),                                         // no data row
        las("DEPT.M:\n", "1500\n1501\n"),                         // no curve after depth
        las(kCurves, "abc 2.3 40\n"),                             // no row with a depth
    };
    for (const auto& text : bad) {
        try {
            readLapse(text);
            ADD_FAILURE() << "accepted:\n" << text;
        } catch (const Error& e) {
            EXPECT_STREQ(e.what(), "Error reading file.");
        }
    }
}

TEST(LapseReader, CurvesAreFoundByTheirListedName) {
    const LapseFile f = readLapse(las(kCurves, "1500 2.3 40\n"));
    EXPECT_EQ(findCurve(f, "RHOB"), 1);
    EXPECT_EQ(findCurve(f, "GR"), 2);
    EXPECT_EQ(findCurve(f, "DEPT"), 0);
    EXPECT_EQ(findCurve(f, "rhob"), 0);
    EXPECT_THROW(lapseLog(f, 0), Error);
    EXPECT_THROW(lapseLog(f, 3), Error);
}

TEST(LapseRange, WholeNumbersAroundTheValues) {
    const std::vector<double> v = {2.3, NAN, -0.5, 7.0001};
    auto r = lapseRange(v);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->lo, -1);
    EXPECT_EQ(r->hi, 8);
    const std::vector<double> whole = {3, 5};
    r = lapseRange(whole);
    EXPECT_EQ(r->lo, 3);
    EXPECT_EQ(r->hi, 5);
    EXPECT_FALSE(lapseRange(std::vector<double>{NAN, NAN}));
    EXPECT_FALSE(lapseRange(std::vector<double>{}));
}

LapseLog log(std::vector<double> depth, std::vector<double> value) {
    return LapseLog{"GR", "m", std::move(depth), std::move(value)};
}

TEST(LapseDifference, EqualSamplingsSubtractSampleBySample) {
    const auto d = lapseDifference(log({1500, 1500.5, 1501}, {40, 50, 60}),
                                   log({1500, 1500.5, 1501}, {42, NAN, 55}));
    EXPECT_EQ(d.depth, (std::vector<double>{1500, 1500.5, 1501}));
    EXPECT_NEAR(d.difference[0], 2, kTol);
    EXPECT_TRUE(isNull(d.difference[1]));  // a null in the second log is a gap
    EXPECT_NEAR(d.difference[2], -5, kTol);
    EXPECT_NEAR(d.first[1], 50, kTol);

    // A depth logged twice pairs its occurrences in order.
    const auto r = lapseDifference(log({1500, 1500, 1501}, {1, 2, 3}),
                                   log({1500, 1500, 1500, 1501}, {1, 5, 9, 3}));
    EXPECT_EQ(r.difference, (std::vector<double>{0, 3, 7, 0}));

    // Logs that hold one depth on every row pair row by row (in one walk, however many rows),
    // and the first log's last row at that depth serves the rows it has no more of.
    constexpr std::size_t kRows = 100000;
    std::vector<double> firstValues(kRows), secondValues(kRows + 3);
    for (std::size_t i = 0; i < kRows; ++i) firstValues[i] = static_cast<double>(i % 97);
    for (std::size_t i = 0; i < kRows + 3; ++i) secondValues[i] = static_cast<double>(i % 89);
    const auto same = lapseDifference(log(std::vector<double>(kRows, 1500), firstValues),
                                      log(std::vector<double>(kRows + 3, 1500), secondValues));
    for (std::size_t i = 0; i < kRows + 3; ++i)
        ASSERT_EQ(same.first[i], firstValues[std::min(i, kRows - 1)]) << i;
}

TEST(LapseDifference, DifferentSamplingsInterpolateTheFirstLog) {
    // First log every metre, second every half metre: both pass the depth checks.
    const auto d = lapseDifference(
        log({1500, 1501, 1502, 1503}, {40, 50, NAN, 80}),
        log({1500, 1500.5, 1501, 1501.5, 1502, 1502.5, 1503}, {41, 46, 52, 60, 70, 75, 81}));
    ASSERT_EQ(d.first.size(), 7u);
    EXPECT_NEAR(d.first[0], 40, kTol);
    EXPECT_NEAR(d.first[1], 45, kTol);  // halfway between 40 and 50
    EXPECT_NEAR(d.difference[1], 1, kTol);
    EXPECT_NEAR(d.first[2], 50, kTol);
    EXPECT_TRUE(isNull(d.first[3]));  // a neighbour is null
    EXPECT_TRUE(isNull(d.first[4]));  // the sample itself is null
    EXPECT_TRUE(isNull(d.difference[5]));
    EXPECT_NEAR(d.difference[6], 1, kTol);

    // The other way round: the second log is coarser, the first is read at its depths.
    const auto c =
        lapseDifference(log({1500, 1500.5, 1501}, {40, 45, 50}), log({1500, 1501}, {40, 53}));
    EXPECT_EQ(c.difference, (std::vector<double>{0, 3}));
}

TEST(LapseDifference, DifferentStartOrEndDepthsAreRefused) {
    struct Case {
        std::vector<double> first, second;
        const char* message;
    };
    const std::vector<Case> cases = {
        {{1500, 1501}, {1499.5, 1501}, kDifferentStartDepths},
        {{1500, 1501}, {1500, 1501.5}, kDifferentEndDepths},
        {{1500, 1501}, {}, kDifferentStartDepths},
    };
    for (const auto& c : cases) {
        try {
            lapseDifference(log(c.first, std::vector<double>(c.first.size(), 1)),
                            log(c.second, std::vector<double>(c.second.size(), 1)));
            ADD_FAILURE() << c.message;
        } catch (const Error& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
}

TEST(LapseDifference, ANullAtTheEndIsAGapNotTheEndOfTheLog) {
    const LapseFile a = readLapse(las(kCurves, "1500 2.3 40\n1500.5 2.4 41\n1501 2.5 -999.25\n"));
    const LapseFile b = readLapse(las(kCurves, "1500 2.3 39\n1500.5 2.4 44\n1501 2.5 45\n"));
    const auto d = lapseDifference(lapseLog(a, 2), lapseLog(b, 2));
    ASSERT_EQ(d.difference.size(), 3u);
    EXPECT_NEAR(d.difference[0], -1, kTol);
    EXPECT_NEAR(d.difference[1], 3, kTol);
    EXPECT_TRUE(isNull(d.difference[2]));
}

}  // namespace
}  // namespace lithora::timelapse

namespace lithora::timelapse {
namespace {

// Every LAS file of the external test data is read or refused with "Error reading file.";
// a file that is read gives logs in increasing depth whose curves "LAS Tracks" lists.
TEST(LapseReader, ExternalFilesReadOrAreRefused) {
    const auto root = std::filesystem::path(LITHORA_TEST_DATA) / "external/las-external";
    int read = 0, refused = 0;
    for (const auto& e : std::filesystem::recursive_directory_iterator(root)) {
        std::string ext = e.path().extension().string();
        for (auto& ch : ext) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        if (ext != ".las") continue;
        try {
            const LapseFile f = readLapseFile(e.path());
            ASSERT_FALSE(f.curves.empty()) << e.path();
            const LapseLog last = lapseLog(f, static_cast<int>(f.curves.size()));
            ASSERT_FALSE(last.depth.empty()) << e.path();
            // Reading the curve of that name alone gives the same log as the whole file.
            const std::string name = f.curves.back();
            const LapseLog fromWhole = lapseLog(f, findCurve(f, name));
            const LapseFile one = readLapseFile(e.path(), name);
            const LapseLog alone = lapseLog(one, findCurve(one, name));
            EXPECT_EQ(alone.depth, fromWhole.depth) << e.path();
            ASSERT_EQ(alone.value.size(), fromWhole.value.size()) << e.path();
            for (std::size_t i = 0; i < alone.value.size(); ++i) {
                if (!(std::isnan(alone.value[i]) && std::isnan(fromWhole.value[i]))) {
                    ASSERT_EQ(alone.value[i], fromWhole.value[i]) << e.path() << " row " << i;
                }
            }
            EXPECT_TRUE(std::is_sorted(last.depth.begin(), last.depth.end())) << e.path();
            // A log compared with itself passes both checks and differs by nothing.
            const auto d = lapseDifference(last, last);
            for (double v : d.difference) {
                if (!std::isnan(v)) {
                    ASSERT_EQ(v, 0) << e.path();
                }
            }
            ++read;
        } catch (const Error& err) {
            EXPECT_STREQ(err.what(), "Error reading file.") << e.path();
            ++refused;
        }
    }
    EXPECT_GT(read, 0);
    std::printf("external LAS files: %d read, %d refused\n", read, refused);
}

}  // namespace
}  // namespace lithora::timelapse
