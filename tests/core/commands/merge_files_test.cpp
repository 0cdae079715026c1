// File > Open 2 as a command: the curve lists of "Add File" with their "Logs_Table" records,
// and the merged source table installed as an import.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/commands/compute_elastic.h"
#include "core/commands/import_file.h"
#include "core/commands/merge_files.h"
#include "core/commands/save_table.h"
#include "core/import/las_reader.h"
#include "core/store/table.h"
#include "support/test_paths.h"

namespace fs = std::filesystem;
using lithora::import::MergeChoice;
using lithora::workspace::Storage;
using lithora::workspace::Workspace;
namespace commands = lithora::commands;

namespace {

class MergeFilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("lithora_merge_files_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    // well.las with another well name and the depths moved by `shift` metres.
    fs::path well(const std::string& name, const std::string& wellName, double shift) {
        std::ifstream in(std::string(LITHORA_TEST_DATA) + "/cli/well.las", std::ios::binary);
        std::string text((std::istreambuf_iterator<char>(in)), {});
        text.replace(text.find("TEST 1"), 6, wellName);
        if (shift != 0) {
            for (const char* d : {"1500.00", "1500.25", "1500.50"}) {
                const auto at = text.find(std::string("\n") + d);
                char moved[16];
                std::snprintf(moved, sizeof moved, "%.2f", std::stod(d) + shift);
                text.replace(at + 1, 7, moved);
            }
        }
        const auto p = dir / name;
        std::ofstream(p, std::ios::binary) << text;
        return p;
    }

    fs::path dir;
};

struct LogsRecord {
    std::string name;
    int file, log;
    bool operator==(const LogsRecord&) const = default;
};

std::vector<LogsRecord> logsTable(const fs::path& folder) {
    lithora::store::Table t(folder / lithora::workspace::kLogsTableFile);
    t.open();
    std::vector<LogsRecord> out;
    for (t.first(); !t.eof(); t.next())
        out.push_back({t.asText(t.fieldIndex("Log_Name")), t.asInteger(t.fieldIndex("File_Number")),
                       t.asInteger(t.fieldIndex("Log_Number"))});
    t.close();
    return out;
}

TEST_F(MergeFilesTest, AddFileListsCurvesAndRecordsThemWithNumbersPerDialog) {
    Workspace ws(dir);
    const auto a = well("a.las", "RUN ONE", 0);
    std::ofstream(dir / "nocurves.las") << "~VERSION\n VERS. 2.0 :\n~A\n1 2\n";
    const auto first = commands::listMergeFiles(ws, {a, dir / "nocurves.las", a});
    ASSERT_EQ(first.files.size(), 2u);
    EXPECT_EQ(first.files[0].curves,
              (std::vector<std::string>{"DEPT", "RHOB", "DT", "DTSM", "GR"}));
    // The file that cannot be listed is named; the others are kept.
    EXPECT_NE(first.message.find("Error reading file."), std::string::npos);
    EXPECT_NE(first.message.find("nocurves.las"), std::string::npos);

    const auto second = commands::listMergeFiles(ws, {a});
    EXPECT_TRUE(second.message.empty());
    const auto records = logsTable(dir);
    ASSERT_EQ(records.size(), 15u);
    EXPECT_EQ(records[0], (LogsRecord{"DEPT", 1, 1}));
    EXPECT_EQ(records[4], (LogsRecord{"GR", 1, 5}));
    EXPECT_EQ(records[5], (LogsRecord{"DEPT", 3, 1}));   // its place among the files chosen
    EXPECT_EQ(records[10], (LogsRecord{"DEPT", 1, 1}));  // a new dialog counts from 1 again

    // A workspace in memory writes no table.
    Workspace memory(dir / "none", Storage::Memory);
    EXPECT_EQ(commands::listMergeFiles(memory, {a}).files.size(), 1u);
    EXPECT_FALSE(fs::exists(dir / "none" / lithora::workspace::kLogsTableFile));
}

TEST_F(MergeFilesTest, OpenTwoFillsTheWorkspaceAndSaveTableWritesTheLastFilesWellLines) {
    Workspace ws(dir, Storage::Memory);
    ws.openShippedTables();
    const auto a = well("a.las", "RUN ONE", 0);
    const auto b = well("b.las", "RUN TWO", 0.25);
    const std::vector<MergeChoice> chosen{{0, 1, "DEPT"}, {0, 2, "RHOB"}, {0, 3, "DT"},
                                          {1, 4, "DTSM"}, {0, 5, "GR"},   {1, 5, "GR"}};
    bool begun = false;
    const auto outcome =
        commands::importMerged(ws, {a, b}, chosen, {{}, {}, [&] { begun = true; }});
    ASSERT_TRUE(outcome.ok()) << outcome.message;
    EXPECT_TRUE(begun);
    EXPECT_TRUE(ws.importInfo().lasSource);
    EXPECT_EQ(ws.roles().density, (std::vector<std::string>{"RHOB"}));
    EXPECT_EQ(ws.roles().gammaRay, (std::vector<std::string>{"GR", "GR_2"}));
    EXPECT_EQ(ws.roles().sWave, (std::vector<std::string>{"DTSM"}));
    ASSERT_EQ(ws.catalog().size(), 6u);
    EXPECT_EQ(ws.catalog()[3].mnemonic, "DTSM");
    const auto summary = ws.summary();
    EXPECT_EQ(summary.records, "4");  // 1500 .. 1500.75, the union of both files' depths
    EXPECT_EQ(summary.tracks, "5");
    EXPECT_EQ(summary.start, "1500");
    EXPECT_EQ(summary.stop, "1500.75");

    // The elastic computation finds its curves, and Save Table writes LAS with the last
    // file's header.
    auto choice = commands::proposedCurves(ws);
    EXPECT_EQ(choice.density, "RHOB");
    EXPECT_EQ(choice.sWave, "DTSM");
    const auto plan = commands::planCurves(ws, choice);
    const auto units = commands::decideUnits(ws, choice, plan.measuredVs).units();
    ASSERT_TRUE(units.has_value());
    ASSERT_EQ(commands::computeElastic(ws, {choice, plan.measuredVs, *units, {}}), "");
    ASSERT_EQ(commands::saveFormat(ws), commands::TableFormat::Las);
    ASSERT_EQ(commands::saveTable(ws, {dir / "out.las", ws.importInfo().headerLines}), "");
    const auto back = lithora::import::readLasFile(dir / "out.las");
    EXPECT_EQ(back.rowCount(), 4u);
    std::ifstream in(dir / "out.las", std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    EXPECT_NE(text.find("RUN TWO"), std::string::npos);
    EXPECT_EQ(text.find("RUN ONE"), std::string::npos);
}

TEST_F(MergeFilesTest, AFileThatCannotBeReadLeavesTheWorkspaceEmpty) {
    Workspace ws(dir, Storage::Memory);
    ws.openShippedTables();
    const auto a = well("a.las", "RUN ONE", 0);
    const auto gone = dir / "gone.las";
    const auto outcome =
        commands::importMerged(ws, {a, gone}, {{0, 1, "DEPT"}, {1, 2, "RHOB"}}, {});
    EXPECT_EQ(outcome.status, commands::ImportOutcome::Status::Failed);
    EXPECT_NE(outcome.message.find("gone.las"), std::string::npos) << outcome.message;
    EXPECT_FALSE(ws.loaded());
    // A loaded workspace refuses a second import.
    ASSERT_TRUE(commands::importMerged(ws, {a}, {{0, 1, "DEPT"}, {0, 2, "RHOB"}}, {}).ok());
    EXPECT_EQ(commands::importMerged(ws, {a}, {{0, 1, "DEPT"}}, {}).status,
              commands::ImportOutcome::Status::Refused);
}

}  // namespace
