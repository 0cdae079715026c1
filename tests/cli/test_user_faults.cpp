// Faults users found in lithora-cli: a chosen curve that was not used, names checked late.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli_test_support.h"

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
        if (checked++ == 0) EXPECT_EQ(row[vs], "2038.6537");
    }
    EXPECT_GT(checked, 1000u);
}

TEST_F(CliTest, AnUnknownCurveNameIsReportedBeforeAnythingElse) {
    // P-135 also leaves its density unit open; the name is the first thing said.
    for (const std::string& option : {"--density XYZ", "--p-wave XYZ", "--s-wave XYZ"}) {
        CliRun r =
            run("elastic '" + kP135 + "' " + option + " -o '" + (dir / "o.las").string() + "'");
        EXPECT_EQ(r.code, 1) << option;
        EXPECT_EQ(r.err, "Field 'XYZ' not found.\n") << option;
        EXPECT_FALSE(fs::exists(dir / "o.las"));
    }
}

}  // namespace
