// Faults users found in lithora-cli: a chosen curve that was not used, names checked late,
// messages that blamed the input, and a write cut short by a signal.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "cli_test_support.h"
#include "support/test_paths.h"

namespace fs = std::filesystem;

namespace {

using lithora::cli_test::CliRun;
using lithora::cli_test::CliTest;
using lithora::cli_test::slurp;

// The cells of a tab-separated table, by row, then by the field of that name.
struct Tsv {
    std::vector<std::string> names;
    std::vector<std::vector<std::string>> rows;

    explicit Tsv(const std::string& text) {
        std::istringstream in(text);
        std::string line;
        bool first = true;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            std::vector<std::string> cells;
            std::size_t start = 0;
            for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos;
                 start = tab + 1)
                cells.push_back(line.substr(start, tab - start));
            cells.push_back(line.substr(start));
            if (first)
                names = std::move(cells);
            else
                rows.push_back(std::move(cells));
            first = false;
        }
    }
    std::size_t field(const std::string& name) const {
        for (std::size_t i = 0; i < names.size(); ++i)
            if (names[i] == name) return i;
        ADD_FAILURE() << "no field " << name;
        return 0;
    }
};

const std::string kP135 =
    std::string(LITHORA_TEST_DATA) + "/external/las-external/welly/tutorial/data/P-135_out.LAS";

TEST_F(CliTest, ATypedShearCurveThatNoListHoldsIsMeasuredNotEstimated) {
    const auto source = dir / "source.tsv", elastic = dir / "elastic.tsv";
    ASSERT_EQ(run("import '" + kP135 + "' --table '" + source.string() + "'").code, 0);
    CliRun r = run("elastic '" + kP135 + "' --s-wave DTS --density-unit GC -o '" +
                   (dir / "out.las").string() + "' --table '" + elastic.string() + "'");
    ASSERT_EQ(r.code, 0) << r.err;

    const Tsv in(slurp(source)), out(slurp(elastic));
    const std::size_t vs = out.field("Vs"), rec = out.field("Rec"), dts = in.field("DTS");
    std::size_t checked = 0;
    for (const auto& row : out.rows) {
        if (row[vs].empty()) continue;
        // Vs = 304800 / DTS (us/ft), rounded to 4 decimals, at every computed sample; at the
        // first (259.2324 m) that is 2038.6537, where the linear equation gave 3522.9305.
        const auto& sourceRow = in.rows[std::stoul(row[rec]) - 1];
        const double expected = std::nearbyint(304800 / std::stod(sourceRow[dts]) * 1e4) / 1e4;
        EXPECT_NEAR(std::stod(row[vs]), expected, 1e-9) << "Rec " << row[rec];
        if (checked++ == 0) {
            EXPECT_EQ(row[vs], "2038.6537");
        }
    }
    EXPECT_GT(checked, 1000u);
}

TEST_F(CliTest, AnUnknownCurveNameIsReportedBeforeAnythingElse) {
    // P-135 also leaves its density unit open; the name is the first thing said.
    for (const char* option : {"--density XYZ", "--p-wave XYZ", "--s-wave XYZ"}) {
        CliRun r =
            run("elastic '" + kP135 + "' " + option + " -o '" + (dir / "o.las").string() + "'");
        EXPECT_EQ(r.code, 1) << option;
        EXPECT_EQ(r.err, "Field 'XYZ' not found.\n") << option;
        EXPECT_FALSE(fs::exists(dir / "o.las"));
    }
}

TEST_F(CliTest, AWorkspaceThatCannotBeUsedIsNamedAndTheInputIsNotBlamed) {
    const std::string w = data("well.las");
    const auto ws = dir / "ws";
    // A work table that cannot be removed: a folder with a file in it.
    fs::create_directories(ws / "Table.db");
    std::ofstream(ws / "Table.db" / "x") << "x";
    CliRun stuck = run("import " + w + " --workspace '" + ws.string() + "'");
    EXPECT_EQ(stuck.code, 1);
    EXPECT_EQ(stuck.err, "Cannot remove the old work table " + (ws / "Table.db").string() +
                             ": Directory not empty.\n");

    // A work table that cannot be written: its temporary file is taken by a folder.
    fs::remove_all(ws);
    fs::create_directories(ws / "Table.db.writing" / "x");
    CliRun unwritable = run("import " + w + " --workspace '" + ws.string() + "'");
    EXPECT_EQ(unwritable.code, 1);
    EXPECT_EQ(unwritable.err.rfind("Cannot create the work table " + (ws / "Table.db").string(), 0),
              0u)
        << unwritable.err;
    EXPECT_EQ(unwritable.err.find("Error reading file."), std::string::npos) << unwritable.err;

    // A folder that cannot be made says why.
    std::ofstream(dir / "plain") << "a file";
    CliRun nowhere = run("import " + w + " --workspace '" + (dir / "plain" / "ws").string() + "'");
    EXPECT_EQ(nowhere.code, 1);
    EXPECT_NE(nowhere.err.find("Not a directory"), std::string::npos) << nowhere.err;
}

TEST_F(CliTest, AWorkspaceFolderThatMayNotBeWrittenIsNamed) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    const auto ws = dir / "ws";
    fs::create_directories(ws);
    fs::permissions(ws, fs::perms::owner_read | fs::perms::owner_exec);
    CliRun r = run("import " + data("well.las") + " --workspace '" + ws.string() + "'");
    fs::permissions(ws, fs::perms::owner_all);
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("Permission denied"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("Error reading file."), std::string::npos) << r.err;
}

// A LAS file of the given number of rows, large enough that its export takes a moment.
void writeLongWell(const fs::path& file, int rows) {
    std::ofstream f(file, std::ios::binary);
    f << "~VERSION INFORMATION\n VERS. 2.0 :\n WRAP. NO :\n~WELL INFORMATION\n"
         " NULL. -999.25 :\n~CURVE INFORMATION\n DEPT.M :\n RHOB.G/CC :\n DT.US/M :\n"
         " DTSM.US/M :\n~A\n";
    for (int r = 0; r < rows; ++r)
        f << 1000 + r * 0.125 << " 2.5 " << 250 + r % 7 << " " << 500 + r % 11 << "\n";
}

std::vector<fs::path> temporaryFiles(const fs::path& folder) {
    std::vector<fs::path> out;
    for (const auto& e : fs::directory_iterator(folder))
        if (e.path().filename().string().rfind(".lithora-", 0) == 0) out.push_back(e.path());
    return out;
}

TEST_F(CliTest, ASignalDuringAWriteLeavesNoTemporaryFile) {
    const auto well = dir / "long.las", out = dir / "out", target = out / "e.las";
    writeLongWell(well, 400000);
    fs::create_directories(out);
    std::ofstream(target) << "the old output";

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::execl(LITHORA_CLI, LITHORA_CLI, "elastic", well.c_str(), "-o", target.c_str(),
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    // Ends the run as soon as its temporary file is there.
    bool seen = false;
    for (int i = 0; i < 6000 && !seen; ++i) {
        seen = !temporaryFiles(out).empty();
        if (!seen) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ::kill(child, SIGTERM);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(seen) << "the write never began";
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
    EXPECT_TRUE(temporaryFiles(out).empty());
    EXPECT_EQ(slurp(target), "the old output");
}

TEST_F(CliTest, TemporaryFilesOfARunThatIsGoneAreRemovedByTheNextWrite) {
    // One of a process that has ended, one of this running test process, one not ours.
    const pid_t gone = ::fork();
    if (gone == 0) ::_exit(0);
    ::waitpid(gone, nullptr, 0);
    const auto stale = dir / (".lithora-" + std::to_string(gone) + "-00000000deadbeef.tmp");
    const auto live = dir / (".lithora-" + std::to_string(::getpid()) + "-00000000cafe0000.tmp");
    const auto foreign = dir / ".lithora-notes.tmp";
    for (const auto& p : {stale, live, foreign}) std::ofstream(p) << "part of a file";

    CliRun r = run("elastic " + data("well.las") + " -o '" + (dir / "e.las").string() + "'");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_TRUE(fs::exists(live));
    EXPECT_TRUE(fs::exists(foreign));
}

}  // namespace
