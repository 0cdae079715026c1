#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli_test_support.h"
#include "support/test_paths.h"

namespace {

using lithora::cli_test::CliRun;
using lithora::cli_test::CliTest;
using lithora::cli_test::slurp;

std::string las(const std::string& well, const std::string& data) {
    return "~VERSION INFORMATION\n"
           " VERS.   2.0 :\n"
           " WRAP.   NO  :\n"
           "~WELL INFORMATION\n"
           " NULL.   -999.25 : NULL VALUE\n"
           " WELL.   " +
           well +
           " : WELL\n"
           "~CURVE INFORMATION\n"
           " DEPT.M    : DEPTH\n"
           " RHOB.G/CC : DENSITY\n"
           "GR.GAPI: GAMMA RAY\n"
           "~A\n" +
           data;
}

class MergeCli : public CliTest {
  protected:
    std::string file(const std::string& name, const std::string& text) {
        const auto p = dir / name;
        std::ofstream(p, std::ios::binary) << text;
        return "'" + p.string() + "'";
    }
};

TEST_F(MergeCli, PrintsTheImportJsonOfTheMergedCurves) {
    const std::string a = file("a.las", las("RUN ONE", "1500 2.30 40\n1500.5 2.31 41\n"));
    // The same well logged again half a metre deeper.
    const std::string b = file("b.las", las("RUN TWO", "1500.5 2.35 45\n1501 2.36 46\n"));
    const auto table = dir / "t.tsv";
    CliRun r = run("merge " + a + " " + b + " --curves 1:DEPT,1:GR,2:GR,2:RHOB --table '" +
                   table.string() + "'");
    ASSERT_EQ(r.code, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    ASSERT_EQ(j["fields"].size(), 6u);
    EXPECT_EQ(j["fields"][1]["name"], "DEPT");
    EXPECT_EQ(j["fields"][2]["name"], "GR");
    EXPECT_EQ(j["fields"][3]["name"], "GR_2");
    EXPECT_EQ(j["fields"][3]["label"], "GR(GAPI)");
    EXPECT_EQ(j["roles"]["gamma_ray"], nlohmann::json::parse(R"(["GR", "GR_2"])"));
    EXPECT_EQ(j["roles"]["density"], nlohmann::json::parse(R"(["RHOB"])"));
    EXPECT_EQ(j["density_unit"], "GC");
    EXPECT_EQ(j["depth_unit"], "m");
    EXPECT_EQ(j["las_source"], true);
    EXPECT_EQ(j["summary"]["records"], 3);
    EXPECT_EQ(j["summary"]["tracks"], 3);
    EXPECT_EQ(j["summary"]["start"], 1500);
    EXPECT_EQ(j["summary"]["stop"], 1501);
    EXPECT_NE(j["header"].dump().find("RUN TWO"), std::string::npos);
    EXPECT_EQ(slurp(table),
              "Rec\tDEPT\tGR\tGR_2\tRHOB\r\n"
              "1\t1500\t40\t\t\r\n"
              "2\t1500.5\t41\t45\t2.35\r\n"
              "3\t1501\t\t46\t2.36\r\n");
}

TEST_F(MergeCli, ARealFileMergedWithItselfIsItsImport) {
    const std::string f = "'" + std::string(LITHORA_TEST_DATA) +
                          "/external/las-external/welly/tests/assets/example_1.las'";
    CliRun imported = run("import " + f + " --table '" + (dir / "i.tsv").string() + "'");
    CliRun merged = run("merge " + f + " " + f + " --curves 1:DEPT,1:GR,2:RHOB,2:DT --table '" +
                        (dir / "m.tsv").string() + "'");
    ASSERT_EQ(imported.code, 0) << imported.err;
    ASSERT_EQ(merged.code, 0) << merged.err;
    const auto i = nlohmann::json::parse(imported.out), m = nlohmann::json::parse(merged.out);
    EXPECT_EQ(m["summary"]["records"], i["summary"]["records"]);
    EXPECT_EQ(m["summary"]["start"], i["summary"]["start"]);
    EXPECT_EQ(m["summary"]["stop"], i["summary"]["stop"]);
    EXPECT_EQ(m["header"], i["header"]);
    EXPECT_EQ(m["null_value_text"], i["null_value_text"]);

    // Column by column, the merged table holds the imported values.
    auto column = [](const std::string& tsv, const std::string& name) {
        std::vector<std::string> lines;
        std::size_t start = 0;
        for (std::size_t end; (end = tsv.find("\r\n", start)) != std::string::npos; start = end + 2)
            lines.push_back(tsv.substr(start, end - start));
        auto cells = [](const std::string& line) {
            std::vector<std::string> out;
            std::size_t s = 0;
            for (std::size_t t; (t = line.find('\t', s)) != std::string::npos; s = t + 1)
                out.push_back(line.substr(s, t - s));
            out.push_back(line.substr(s));
            return out;
        };
        const auto head = cells(lines.at(0));
        const auto at = std::find(head.begin(), head.end(), name) - head.begin();
        std::vector<std::string> out;
        for (std::size_t k = 1; k < lines.size(); ++k) out.push_back(cells(lines[k]).at(at));
        return out;
    };
    const std::string it = slurp(dir / "i.tsv"), mt = slurp(dir / "m.tsv");
    EXPECT_EQ(column(mt, "DEPT"), column(it, "DEPTH"));
    for (const char* name : {"GR", "RHOB", "DT"}) EXPECT_EQ(column(mt, name), column(it, name));
}

TEST_F(MergeCli, FaultsExitWithTheirMessages) {
    const std::string a = file("a.las", las("RUN ONE", "1500 2.30 40\n"));
    const std::string noCurves = file("bad.las", "~VERSION\n VERS. 2.0 :\n~A\n1500 1\n");
    CliRun bad = run("merge " + a + " " + noCurves + " --curves 1:DEPT,2:GR");
    EXPECT_EQ(bad.code, 1);
    EXPECT_EQ(bad.err, "Error reading file.\n" + (dir / "bad.las").string() +
                           ": it has no curve section (no line that begins with \"~C\")\n");

    CliRun missing = run("merge " + a + " --curves 1:DEPT,1:NPHI");
    EXPECT_EQ(missing.code, 1);
    EXPECT_NE(missing.err.find("Curve 'NPHI' not found"), std::string::npos) << missing.err;

    CliRun notDepth = run("merge " + a + " --curves 1:GR,1:DEPT");
    EXPECT_EQ(notDepth.code, 1);
    EXPECT_EQ(notDepth.out, "");

    for (const std::string& args : {"merge " + a, "merge " + a + " --curves 2:GR",
                                    "merge " + a + " --curves 1:", "merge " + a + " --curves GR",
                                    std::string("merge --curves 1:DEPT")}) {
        CliRun u = run(args);
        EXPECT_EQ(u.code, 2) << args;
        EXPECT_NE(u.err.find("usage:"), std::string::npos) << args;
    }
}

}  // namespace
