#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

#include "cli_test_support.h"

namespace {

using lithora::cli_test::CliRun;
using lithora::cli_test::CliTest;
using lithora::cli_test::slurp;

std::string las(const std::string& data) {
    return "~VERSION INFORMATION\n"
           " VERS.   2.0 :\n"
           " WRAP.   NO  :\n"
           "~WELL INFORMATION\n"
           " NULL.   -999.25 : NULL VALUE\n"
           "~CURVE INFORMATION\n"
           " DEPT.M    : DEPTH\n"
           " RHOB.G/CC : DENSITY\n"
           " GR.GAPI   : GAMMA RAY\n"
           "~A\n" +
           data;
}

class TimelapseCli : public CliTest {
  protected:
    std::string file(const std::string& name, const std::string& data) {
        const auto p = dir / name;
        std::ofstream(p, std::ios::binary) << las(data);
        return "'" + p.string() + "'";
    }
};

TEST_F(TimelapseCli, PrintsBothLogsAndTheDifference) {
    const std::string first = file("first.las",
                                   "1500.0 2.30 40.0\n"
                                   "1501.0 2.40 -999.25\n"
                                   "1502.0 2.50 60.0\n");
    // Half the step of the first log, logged downwards, with a null sample of its own.
    const std::string second = file("second.las",
                                    "1502.0 2.50 61.5\n"
                                    "1501.5 2.45 55.0\n"
                                    "1501.0 2.40 -999.25\n"
                                    "1500.5 2.35 46.0\n"
                                    "1500.0 2.30 39.5\n");
    const auto table = dir / "t.tsv";
    CliRun r = run("timelapse " + first + " " + second + " --curve1 GR --curve2 GR --table '" +
                   table.string() + "'");
    ASSERT_EQ(r.code, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["first"]["curve"], "GR");
    EXPECT_EQ(j["first"]["depth_unit"], "m");
    EXPECT_EQ(j["first"]["samples"], 3);
    EXPECT_EQ(j["first"]["start"], 1500);
    EXPECT_EQ(j["first"]["stop"], 1502);
    EXPECT_EQ(j["first"]["range"], nlohmann::json::parse("[40, 60]"));  // the null is a gap
    EXPECT_EQ(j["second"]["samples"], 5);
    EXPECT_EQ(j["second"]["start"], 1500);
    EXPECT_EQ(j["second"]["range"], nlohmann::json::parse("[39, 62]"));
    EXPECT_EQ(j["difference"]["samples"], 5);
    EXPECT_EQ(j["difference"]["range"], nlohmann::json::parse("[-1, 2]"));

    // The first log is null at 1501, so it has no value between 1500 and 1502 but at its
    // own depths: 1500.5 and 1501.5 have a null neighbour.
    EXPECT_EQ(slurp(table),
              "Depth\tFirst\tSecond\tDifference\r\n"
              "1500\t40\t39.5\t-0.5\r\n"
              "1500.5\t\t46\t\r\n"
              "1501\t\t\t\r\n"
              "1501.5\t\t55\t\r\n"
              "1502\t60\t61.5\t1.5\r\n");
}

TEST_F(TimelapseCli, InterpolatesAndNamesTheCurvesAsTheListShowsThem) {
    const std::string first = file("a.las", "1500 2.0 40\n1501 3.0 50\n");
    const std::string second = file("b.las", "1500 2.0 40\n1500.25 2.5 45\n1501 3.0 50\n");
    CliRun r = run("timelapse " + first + " " + second + " --curve1 RHOB --curve2 GR --table '" +
                   (dir / "t.tsv").string() + "'");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(nlohmann::json::parse(r.out)["first"]["curve"], "RHOB");
    EXPECT_EQ(slurp(dir / "t.tsv"),
              "Depth\tFirst\tSecond\tDifference\r\n"
              "1500\t2\t40\t38\r\n"
              "1500.25\t2.25\t45\t42.75\r\n"
              "1501\t3\t50\t47\r\n");
}

TEST_F(TimelapseCli, FaultsExitWithOneAndTheWindowsMessage) {
    const std::string a = file("a.las", "1500 2.0 40\n1501 3.0 50\n");
    const std::string deeper = file("deeper.las", "1500.5 2.0 40\n1501 3.0 50\n");
    const std::string longer = file("longer.las", "1500 2.0 40\n1501 3.0 50\n1502 3 3\n");
    std::ofstream(dir / "bad.las") << "no LAS file\n";
    const std::string bad = "'" + (dir / "bad.las").string() + "'";
    struct Case {
        std::string args, message;
    };
    const std::vector<Case> cases = {
        {a + " " + deeper + " --curve1 GR --curve2 GR", "Two logs have different start depths."},
        {a + " " + longer + " --curve1 GR --curve2 GR", "Two logs have different end depths."},
        {a + " " + bad + " --curve1 GR --curve2 GR",
         "Error reading file.\n" + (dir / "bad.las").string() +
             ": it has no curve section (no line that begins with \"~C\")"},
        {a + " '" + (dir / "missing.las").string() + "' --curve1 GR --curve2 GR",
         "Error reading file.\n" + (dir / "missing.las").string() + ": No such file or directory"},
    };
    for (const auto& c : cases) {
        CliRun r = run("timelapse " + c.args);
        EXPECT_EQ(r.code, 1) << c.args;
        EXPECT_EQ(r.err, c.message + "\n") << c.args;
        EXPECT_EQ(r.out, "");
    }
    CliRun curve = run("timelapse " + a + " " + a + " --curve1 GR --curve2 DEPT");
    EXPECT_EQ(curve.code, 1);
    EXPECT_NE(curve.err.find("Curve 'DEPT' not found"), std::string::npos) << curve.err;

    for (const std::string& args :
         {"timelapse " + a + " --curve1 GR --curve2 GR",
          "timelapse " + a + " " + a + " --curve1 GR",
          "timelapse " + a + " " + a + " " + a + " --curve1 GR --curve2 GR"}) {
        CliRun u = run(args);
        EXPECT_EQ(u.code, 2) << args;
        EXPECT_NE(u.err.find("usage:"), std::string::npos) << args;
    }
}

}  // namespace
