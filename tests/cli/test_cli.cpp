#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>
#include <string>

#include "cli_test_support.h"
#include "support/test_paths.h"

namespace fs = std::filesystem;

namespace {

using lithora::cli_test::CliRun;
using lithora::cli_test::CliTest;
using lithora::cli_test::slurp;

TEST_F(CliTest, UsageErrorsExitWithTwo) {
    const std::string well = std::string(LITHORA_TEST_DATA) + "/cli/well.las";
    for (const std::string& args :
         {std::string(), std::string("frobnicate x.las"), std::string("import"),
          std::string("import a.las --bogus"), "elastic " + well,
          std::string("elastic x.las -o y.las --from 1"), std::string("import a.las b.las"),
          std::string("elastic x.las -o y --vs-equation cubic")}) {
        CliRun r = run(args);
        EXPECT_EQ(r.code, 2) << args;
        EXPECT_NE(r.err.find("usage:"), std::string::npos) << args;
    }
}

// Each command's --help says what it does and describes every option its usage names; an
// error names the command and the option.
TEST_F(CliTest, EveryCommandDescribesItsOptions) {
    for (const char* command :
         {"import", "elastic", "correlate", "timelapse", "merge", "fluidsub", "avo"}) {
        SCOPED_TRACE(command);
        CliRun r = run(std::string(command) + " --help");
        EXPECT_EQ(r.code, 0);
        EXPECT_EQ(r.err, "");
        const auto options = r.out.find("Options:");
        ASSERT_NE(options, std::string::npos) << r.out;
        const std::string usage = r.out.substr(0, options), described = r.out.substr(options);
        EXPECT_NE(usage.find("usage:\n  lithora-cli " + std::string(command)), std::string::npos);
        std::smatch m;
        for (std::string rest = usage;
             std::regex_search(rest, m, std::regex(" \\[?\\(?(--?[a-z][a-z0-9-]*)"));
             rest = m.suffix()) {
            // every option of the usage has a line of its own with a text after it
            EXPECT_TRUE(std::regex_search(
                described, std::regex("\n  " + m[1].str() + "[ A-Za-z0-9/|:.,]*\\s{2,}[A-Z]")))
                << m[1];
        }
    }
    CliRun r = run("elastic x.las --slope");
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(
        r.err.rfind("lithora-cli elastic: --slope needs a value\nusage:\n  lithora-cli elastic", 0),
        0u)
        << r.err;
    r = run("timelapse a.las b.las --curve1 GR --curve2 GR --bogus");
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err.rfind("lithora-cli timelapse: unknown option '--bogus'", 0), 0u) << r.err;
}

TEST_F(CliTest, ImportPrintsTheWorkspaceAsJson) {
    CliRun r = run("import " + data("well.las") + " --table '" + (dir / "t.tsv").string() + "'");
    ASSERT_EQ(r.code, 0) << r.err;
    auto j = nlohmann::json::parse(r.out);
    ASSERT_EQ(j["fields"].size(), 7u);
    EXPECT_EQ(j["fields"][0]["name"], "Rec");
    EXPECT_EQ(j["fields"][0]["label"], "Rec. #");
    EXPECT_EQ(j["fields"][1]["name"], "DEPTH");
    EXPECT_EQ(j["fields"][1]["label"], "DEPT(M)");
    EXPECT_EQ(j["fields"][2]["label"], "RHOB(G/CC)");
    EXPECT_EQ(j["fields"][6]["name"], "Counting");
    EXPECT_EQ(j["fields"][6]["label"], "");
    EXPECT_EQ(j["catalog"][0]["unit"], "(M)");
    EXPECT_EQ(j["roles"]["density"], nlohmann::json::array({"RHOB"}));
    EXPECT_EQ(j["roles"]["s_wave"], nlohmann::json::array({"DTSM"}));
    EXPECT_EQ(j["gamma_ray_index"], 5);
    EXPECT_EQ(j["depth_unit"], "m");
    EXPECT_EQ(j["density_unit"], "GC");
    EXPECT_EQ(j["null_value_text"], "-999.25");
    EXPECT_EQ(j["las_source"], true);
    EXPECT_EQ(j["summary"]["records"], 3);
    EXPECT_EQ(j["summary"]["tracks"], 4);
    EXPECT_DOUBLE_EQ(j["summary"]["start"].get<double>(), 1500);
    EXPECT_DOUBLE_EQ(j["summary"]["stop"].get<double>(), 1500.5);
    EXPECT_DOUBLE_EQ(j["summary"]["interval"].get<double>(), 0.25);
    EXPECT_EQ(j["header"][0], "~VERSION INFORMATION");
    EXPECT_EQ(j["header"].back(), "~A  DEPTH     RHOB      DT      DTSM     GR");

    EXPECT_EQ(slurp(dir / "t.tsv"),
              "Rec\tDEPTH\tRHOB\tDT\tDTSM\tGR\r\n"
              "1\t1500\t2.5\t250\t500\t45\r\n"
              "2\t1500.25\t2.5\t\t500\t50\r\n"
              "3\t1500.5\t2.4\t200\t400\t55\r\n");
}

TEST_F(CliTest, ImportWarnsOnStandardErrorAndInTheJson) {
    const std::string warning =
        "excess_curves.las: 2 data lines hold 4 values for 6 curves; the missing values are null.";
    CliRun r = run("import '" + std::string(LITHORA_TEST_DATA) +
                   "/external/las-external/lasio/tests/examples/excess_curves.las'");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(nlohmann::json::parse(r.out)["warnings"], nlohmann::json::array({warning}));
    EXPECT_EQ(r.err, "warning: " + warning + "\n");

    r = run("import " + data("well.las"));
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(nlohmann::json::parse(r.out)["warnings"], nlohmann::json::array());
    EXPECT_EQ(r.err, "");
}

TEST_F(CliTest, BadInputExitsWithOneAndTheProgramsMessage) {
    // The program's message, then the file and why it could not be read.
    std::ofstream(dir / "binary.las", std::ios::binary) << std::string("\x00\xff\x13\x37", 4);
    struct Case {
        fs::path file;
        std::string reason;
    };
    for (const Case& c :
         {Case{dir / "missing.las", "No such file or directory"},
          Case{dir / "binary.las", "line 1: it is not text: the file holds binary data"}}) {
        CliRun r = run("import '" + c.file.string() + "'");
        EXPECT_EQ(r.code, 1) << c.file;
        EXPECT_EQ(r.err.rfind("Error reading file.\n" + c.file.string() + ": " + c.reason, 0), 0u)
            << r.err;
        EXPECT_EQ(r.out, "");
    }
}

TEST_F(CliTest, ElasticWritesTheLasTableWithMeasuredVs) {
    const auto out = dir / "out.las";
    CliRun r = run("elastic " + data("well.las") + " -o '" + out.string() + "' --table '" +
                   (dir / "e.tsv").string() + "'");
    ASSERT_EQ(r.code, 0) << r.err;
    const std::string las = slurp(out);
    // Hand-worked: Vp 4000, Vs 2000, rho 2500 and Vp 5000, Vs 2500, rho 2400.
    EXPECT_NE(las.find("        1500      0.3333          20     26.6667          10     26.6667"
                       "       10000        5000           2           2       50000       25000"
                       "\r\n"),
              std::string::npos)
        << las;
    EXPECT_NE(las.find("     1500.25     -999.25     -999.25"), std::string::npos);
    EXPECT_NE(las.find("      1500.5      0.3333          30          40          15          40"
                       "       12000        6000           2           2       72000       36000"
                       "\r\n"),
              std::string::npos);
    EXPECT_NE(las.find(" STRT.M          1500:    START DEPTH\r\n"), std::string::npos);
    EXPECT_NE(las.find(" STEP.M             0.25:    STEP VALUE\r\n"), std::string::npos);
    EXPECT_NE(las.find(" BHT .DEGC       35.5:    BOTTOM HOLE TEMPERATURE\r\n"), std::string::npos);

    const std::string tsv = slurp(dir / "e.tsv");
    EXPECT_EQ(tsv.substr(0, tsv.find("\r\n")),
              "Rec\tDepth\tPoisson Ratio\tLame Constant\tBulk Modulus\tShear Modulus\tYoung "
              "Modulus\tLanda.Rho\tMiu.Rho\tLanda/Miu\tVp\tVs\tVp/Vs\tP-Impedance\tS-"
              "Impedance\tRho");
    EXPECT_NE(tsv.find("\r\n2\t1500.25\t\t\t"), std::string::npos);
}

TEST_F(CliTest, ElasticEstimatesVsAndAppliesTheDepthFilter) {
    const auto out = dir / "out.las";
    CliRun r =
        run("elastic " + data("well.las") + " --vs-equation sqrt3 --from 1500.25 --to 1500.5 -o '" +
            out.string() + "' --table '" + (dir / "e.tsv").string() + "'");
    ASSERT_EQ(r.code, 0) << r.err;
    const std::string las = slurp(out);
    EXPECT_NE(las.find(" STRT.M          1500.25:    START DEPTH\r\n"), std::string::npos);
    EXPECT_NE(las.find(" STOP.M          1500.5:    STOP DEPTH\r\n"), std::string::npos);
    EXPECT_EQ(las.find("\r\n        1500 "), std::string::npos);  // outside the filter
    const std::string tsv = slurp(dir / "e.tsv");
    // Vp 5000 / sqrt(3) = 2886.7513459...
    EXPECT_NE(tsv.find("\t5000\t2886.7513\t"), std::string::npos) << tsv;
}

TEST_F(CliTest, ADepthRangeThatHoldsNothingIsRefused) {
    const auto out = dir / "out.las";
    struct Case {
        const char *from, *to, *message;
    };
    for (const Case& c :
         {Case{"1500.5", "1500.25", "The start depth must be smaller than the stop depth."},
          Case{"1500.5", "1500.5", "The start depth must be smaller than the stop depth."},
          Case{"2000", "2100", "No depth lies between 2000 and 2100."}}) {
        CliRun r = run("elastic " + data("well.las") + " --vs-equation sqrt3 --from " + c.from +
                       " --to " + c.to + " -o '" + out.string() + "'");
        EXPECT_EQ(r.code, 1) << c.from << " " << c.to;
        EXPECT_EQ(r.err, std::string(c.message) + "\n");
        EXPECT_FALSE(fs::exists(out));
    }
}

TEST_F(CliTest, UnknownUnitsAreRefusedUnlessGiven) {
    // Depth "m" in lower case has no rule, and these sonic curves name no unit of their own.
    std::string text = slurp(std::string(LITHORA_TEST_DATA) + "/cli/well_lower_m.las");
    for (const char* unit : {"DT  .US/M", "DTSM.US/M"})
        text.replace(text.find(unit), 9, std::string(unit).substr(0, 5) + "    ");
    std::ofstream(dir / "no_unit.las", std::ios::binary) << text;
    const std::string file = "'" + (dir / "no_unit.las").string() + "'";
    const auto out = dir / "out.las";
    CliRun refused = run("elastic " + file + " -o '" + out.string() + "'");
    EXPECT_EQ(refused.code, 1);
    EXPECT_NE(refused.err.find("units of the sonic curves are not known"), std::string::npos)
        << refused.err;
    EXPECT_NE(refused.err.find("\"m\""), std::string::npos);
    EXPECT_FALSE(fs::exists(out));

    // --depth-unit or --sonic-unit fills what the file leaves open; the same answer.
    for (const char* option : {" --depth-unit m", " --sonic-unit us/m"}) {
        CliRun given = run("elastic " + file + option + " -o '" + out.string() + "' --table '" +
                           (dir / "e.tsv").string() + "'");
        ASSERT_EQ(given.code, 0) << given.err;
        EXPECT_NE(slurp(dir / "e.tsv").find("\t4000\t2000\t2\t10000\t5000\t2500\r\n"),
                  std::string::npos);
    }
}

TEST_F(CliTest, EachSonicCurveConvertsWithItsOwnUnit) {
    // Depth in metres, DT in microseconds per foot: DT 200 us/ft is 1524 m/s, not 5000.
    std::string text = slurp(std::string(LITHORA_TEST_DATA) + "/cli/well.las");
    text.replace(text.find("DT  .US/M"), 9, "DT  .US/F");
    std::ofstream(dir / "feet.las", std::ios::binary) << text;
    CliRun r = run("elastic '" + (dir / "feet.las").string() + "' -o '" +
                   (dir / "out.las").string() + "' --table '" + (dir / "e.tsv").string() + "'");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(slurp(dir / "e.tsv").find("\r\n3\t1500.5\t"), std::string::npos);
    EXPECT_NE(slurp(dir / "e.tsv").find("\t1524\t2500\t"), std::string::npos)
        << slurp(dir / "e.tsv");
}

TEST_F(CliTest, ManyFilesGoOnPastAFailureWithOneOutputEach) {
    std::ofstream(dir / "bad.las", std::ios::binary) << std::string("\x00\xff", 2);
    fs::copy_file(std::string(LITHORA_TEST_DATA) + "/cli/well.las", dir / "a.las");
    fs::copy_file(std::string(LITHORA_TEST_DATA) + "/cli/well.las", dir / "b.las");
    const std::string files = "'" + (dir / "a.las").string() + "' '" + (dir / "bad.las").string() +
                              "' '" + (dir / "b.las").string() + "'";
    CliRun r = run("elastic " + files + " --jobs 2 -o '" + (dir / "out").string() + "' --table '" +
                   (dir / "tsv").string() + "'");
    EXPECT_EQ(r.code, 1) << r.err;
    EXPECT_NE(r.out.find("a.las\t3 records\t"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("b.las\t3 records\t"), std::string::npos) << r.out;
    // Failures go to standard error with the other messages, naming the file and the reason.
    EXPECT_EQ(r.out.find("bad.las"), std::string::npos) << r.out;
    EXPECT_NE(r.err.find("bad.las\tError reading file.\n" + (dir / "bad.las").string() + ": "),
              std::string::npos)
        << r.err;
    // Each output is the one a single run writes.
    CliRun single = run("elastic '" + (dir / "a.las").string() + "' -o '" +
                        (dir / "single.las").string() + "'");
    ASSERT_EQ(single.code, 0);
    EXPECT_EQ(slurp(dir / "out" / "a.las"), slurp(dir / "single.las"));
    EXPECT_EQ(slurp(dir / "out" / "b.las"), slurp(dir / "single.las"));
    EXPECT_TRUE(fs::exists(dir / "tsv" / "a.tsv"));
    EXPECT_FALSE(fs::exists(dir / "out" / "bad.las"));

    CliRun imports = run("import " + files + " --table '" + (dir / "imp").string() + "'");
    EXPECT_EQ(imports.code, 1);
    EXPECT_NE(slurp(dir / "imp" / "b.tsv").find("DEPTH"), std::string::npos);
}

TEST_F(CliTest, AnOutputThatIsTheInputIsRefused) {
    fs::copy_file(std::string(LITHORA_TEST_DATA) + "/cli/well.las", dir / "w.las");
    fs::create_directories(dir / "out");
    fs::copy_file(dir / "w.las", dir / "out" / "v.las");
    fs::copy_file(dir / "w.las", dir / "out" / "w.tsv");
    fs::create_symlink(dir / "w.las", dir / "link.las");
    fs::create_hard_link(dir / "w.las", dir / "hard.las");
    const std::string before = slurp(dir / "w.las");
    auto q = [](const fs::path& p) { return "'" + p.string() + "'"; };
    const std::string w = q(dir / "w.las"), v = q(dir / "out" / "v.las");
    const std::string other = q(dir / "o.las");
    for (const std::string& args : {
             "elastic " + w + " -o " + w,
             "import " + w + " --table " + w,
             "elastic " + w + " -o " + other + " --table " + w,
             "elastic " + w + " -o " + q(dir / "." / "w.las"),
             "elastic " + w + " -o " + q(dir / "link.las"),
             "import " + w + " --table " + q(dir / "hard.las"),
             "merge " + w + " --curves 1:DEPT,1:GR --table " + w,
             "merge " + other + " " + w + " --curves 2:DEPT,2:GR --table " + q(dir / "link.las"),
             "timelapse " + w + " " + w + " --curve1 GR --curve2 GR --table " + w,
             // a batch whose output for one file is another file of the batch
             "elastic " + w + " " + v + " -o " + q(dir),
             "import " + w + " " + q(dir / "out" / "w.tsv") + " --table " + q(dir / "out"),
         }) {
        CliRun r = run(args);
        EXPECT_EQ(r.code, 1) << args;
        EXPECT_NE(r.err.find("is the input file."), std::string::npos) << args << "\n" << r.err;
        EXPECT_EQ(r.out, "") << args;
    }
    EXPECT_EQ(slurp(dir / "w.las"), before);
    EXPECT_EQ(slurp(dir / "out" / "v.las"), before);
    EXPECT_EQ(slurp(dir / "out" / "w.tsv"), before);
    EXPECT_FALSE(fs::exists(dir / "o.las"));
}

TEST_F(CliTest, AWorkspaceFolderKeepsTheTablesOtherwiseNoneIsWritten) {
    const std::string w = data("well.las");
    CliRun r = run("elastic " + w + " -o '" + (dir / "o.las").string() + "' --workspace '" +
                   (dir / "ws").string() + "'");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(fs::exists(dir / "ws" / "Table.db"));
    EXPECT_TRUE(fs::exists(dir / "ws" / "ElasticTable.db"));
}

}  // namespace

namespace {

// A --table write that fails half way (here: at the file size limit of the process) keeps
// the old file and leaves no part of the new one. The values are long, so the table text is
// well above the limit while the work table, which holds them as numbers, stays below it.
TEST_F(CliTest, FailedTableWriteKeepsTheOldFile) {
    const auto las = dir / "long.las", tsv = dir / "t.tsv";
    {
        std::ofstream f(las, std::ios::binary);
        f << "~VERSION INFORMATION\r\n VERS. 2.0 : V\r\n WRAP. NO : W\r\n~WELL INFORMATION\r\n"
             " NULL. -999.25 : N\r\n~CURVE INFORMATION\r\n DEPT.M : DEPTH\r\n";
        for (int c = 0; c < 12; ++c) f << " C" << c << ".V : C\r\n";
        f << "~A\r\n";
        char value[32];
        for (int r = 0; r < 20000; ++r) {
            f << 1000 + r * 0.125;
            for (int c = 0; c < 12; ++c) {
                std::snprintf(value, sizeof value, " %.11f", 1000.12345678901 + r + c);
                f << value;
            }
            f << "\r\n";
        }
        std::ofstream(tsv, std::ios::binary) << "old";
    }
    // The limit and the ignored signal pass on to the command-line tool.
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit limited = old;
    limited.rlim_cur = 3500 * 1024;
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    const std::string cmd = std::string("'") + LITHORA_CLI + "' import '" + las.string() +
                            "' --table '" + tsv.string() + "' >/dev/null 2>'" +
                            (dir / "err.txt").string() + "'";
    const int status = std::system(cmd.c_str());
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(slurp(dir / "err.txt").rfind("Cannot write file " + tsv.string() + ": ", 0), 0u)
        << slurp(dir / "err.txt");
    EXPECT_EQ(slurp(tsv), "old");
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir)) ++files;
    EXPECT_EQ(files, 3u);  // long.las, t.tsv and err.txt
}

TEST_F(CliTest, HelpAndVersionPrintToStandardOutputAndExitWithZero) {
    CliRun all = run("--help");
    EXPECT_EQ(all.code, 0);
    EXPECT_TRUE(all.err.empty());
    for (const char* line : {"lithora-cli import", "lithora-cli elastic", "lithora-cli --version"})
        EXPECT_NE(all.out.find(line), std::string::npos) << line;

    CliRun one = run("elastic --help");
    EXPECT_EQ(one.code, 0);
    EXPECT_NE(one.out.find("lithora-cli elastic"), std::string::npos);
    EXPECT_NE(one.out.find("--density"), std::string::npos);
    EXPECT_EQ(one.out.find("lithora-cli import"), std::string::npos);

    CliRun version = run("--version");
    EXPECT_EQ(version.code, 0);
    EXPECT_TRUE(std::regex_match(version.out, std::regex("lithora-cli [0-9]+\\.[0-9]+\\.[0-9]+\n")))
        << version.out;
}

}  // namespace
