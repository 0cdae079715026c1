// The workspace reports its changes to subscribers, and the rules every front end applies
// before a command runs live in the commands: the import refusal, the filter's bounds, the
// memo lines a save writes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/commands/compute_elastic.h"
#include "core/commands/depth_filter.h"
#include "core/commands/empty_table.h"
#include "core/commands/import_file.h"
#include "core/commands/page_header.h"
#include "core/commands/save_table.h"
#include "support/test_paths.h"

namespace fs = std::filesystem;
namespace commands = lithora::commands;
using lithora::workspace::Change;
using lithora::workspace::Storage;
using lithora::workspace::Workspace;

namespace {

class WorkspaceChanges : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("lithora_changes_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        ws.openShippedTables();
        subscription = ws.subscribe([this](Change c) { seen.push_back(c); });
    }
    void TearDown() override { fs::remove_all(dir); }

    static fs::path well() { return fs::path(LITHORA_TEST_DATA) / "cli" / "well.las"; }
    void importWell() { ASSERT_TRUE(commands::importLas(ws, {well(), {}, {}}).ok()); }
    void computeElastic() {
        const auto choice = commands::proposedCurves(ws);
        const auto plan = commands::planCurves(ws, choice);
        const auto units = commands::decideUnits(ws, choice, plan.measuredVs).units();
        ASSERT_TRUE(units.has_value());
        ASSERT_EQ(commands::computeElastic(ws, {choice, plan.measuredVs, *units, {}}), "");
    }

    // One litholog interval, as the litholog panel enters it.
    void addInterval() {
        auto& litholog = ws.litholog();
        litholog.append();
        litholog.setFloat(0, 1500);
        litholog.setFloat(1, 1500.25);
        litholog.setText(2, "Sandstone");
        litholog.post();
    }

    fs::path dir = fs::temp_directory_path() / "lithora_changes_unused";
    Workspace ws{dir, Storage::Memory};
    std::vector<Change> seen;
    lithora::store::Subscription subscription;
};

TEST_F(WorkspaceChanges, EachCommandReportsItsChangeOnce) {
    importWell();
    EXPECT_EQ(seen, std::vector<Change>{Change::Imported});
    seen.clear();
    computeElastic();
    EXPECT_EQ(seen, std::vector<Change>{Change::ElasticComputed});
    seen.clear();
    EXPECT_EQ(commands::applyFilter(ws, 1500.25, 1500.5).message, "");
    EXPECT_EQ(commands::undoFilter(ws).message, "");
    EXPECT_EQ(seen, (std::vector<Change>{Change::DepthWindowChanged, Change::DepthWindowChanged}));
    seen.clear();
    EXPECT_TRUE(commands::emptyTable(ws));
    EXPECT_EQ(seen, std::vector<Change>{Change::Emptied});
}

// The header of printed pages and pictures: the well items the file gives, the depths shown
// (narrowed by a filter), the date; only the date while nothing is loaded.
TEST_F(WorkspaceChanges, ThePageHeaderNamesTheWellTheDepthsShownAndTheDate) {
    EXPECT_EQ(commands::pageHeader(ws, "2026-12-11"), "Date: 2026-12-11");
    importWell();
    EXPECT_EQ(commands::pageHeader(ws, "2026-12-11"),
              "Well: TEST 1   Company: ACME ENERGY   Depth: 1500 - 1500.5 m   Date: 2026-12-11");
    ASSERT_EQ(commands::applyFilter(ws, 1500.25, 1500.5).message, "");
    EXPECT_EQ(commands::pageHeader(ws, "11.12.2026"),
              "Well: TEST 1   Company: ACME ENERGY   Depth: 1500.25 - 1500.5 m   Date: 11.12.2026");
    EXPECT_TRUE(commands::emptyTable(ws));
    EXPECT_EQ(commands::pageHeader(ws, "2026-12-11"), "Date: 2026-12-11");
}

TEST_F(WorkspaceChanges, ARefusedOrEmptyCommandReportsNothing) {
    EXPECT_FALSE(commands::emptyTable(ws));  // nothing loaded
    importWell();
    seen.clear();
    // Start not above stop: refused with its message, the window as it was.
    const auto refused = commands::applyFilter(ws, 1500.5, 1500.25);
    EXPECT_EQ(refused.message, lithora::compute::kFilterOrderMessage);
    EXPECT_FALSE(refused.outcome.changed);
    EXPECT_FALSE(commands::canUndoFilter(ws));
    EXPECT_FALSE(commands::undoFilter(ws).outcome.changed);  // no filter in force
    // A second import is refused before any file is read.
    const auto second = commands::importLas(ws, {well(), {}, {}});
    EXPECT_EQ(second.status, commands::ImportOutcome::Status::Refused);
    EXPECT_EQ(second.message, commands::kEmptyFirstMessage);
    EXPECT_TRUE(seen.empty());
}

TEST_F(WorkspaceChanges, ASubscriptionThatGoesHearsNoMore) {
    auto second = ws.subscribe([this](Change) { seen.push_back(Change::Emptied); });
    second.reset();
    subscription.reset();
    EXPECT_FALSE(subscription.active());
    importWell();
    EXPECT_TRUE(seen.empty());
}

// What no file holds yet: a computation until Save Table writes it, a litholog edit until the
// litholog is saved; Empty Table and a new import start clean.
TEST_F(WorkspaceChanges, UnsavedWorkIsKnownUntilItIsSaved) {
    importWell();
    EXPECT_FALSE(ws.elasticUnsaved());
    EXPECT_FALSE(ws.lithologUnsaved());
    computeElastic();
    EXPECT_TRUE(ws.elasticUnsaved());
    ASSERT_EQ(commands::saveTable(ws, {dir / "out.las", ws.importInfo().headerLines}), "");
    EXPECT_FALSE(ws.elasticUnsaved());
    computeElastic();
    EXPECT_TRUE(ws.elasticUnsaved());

    addInterval();
    EXPECT_TRUE(ws.lithologUnsaved());
    ws.markLithologSaved();
    EXPECT_FALSE(ws.lithologUnsaved());

    EXPECT_TRUE(commands::emptyTable(ws));
    EXPECT_FALSE(ws.elasticUnsaved());
    EXPECT_FALSE(ws.lithologUnsaved());
}

TEST_F(WorkspaceChanges, ALithologEditIsReported) {
    importWell();
    seen.clear();
    addInterval();
    EXPECT_FALSE(seen.empty());
    for (Change c : seen) EXPECT_EQ(c, Change::LithologChanged);
}

TEST_F(WorkspaceChanges, UndoingAFilterGivesTheLithologTheWholeLogAgain) {
    importWell();
    ASSERT_EQ(commands::applyFilter(ws, 1500.25, 1500.5).message, "");
    ws.setLithologLimits({1500.25, 1500.25});
    ASSERT_TRUE(commands::canUndoFilter(ws));
    ASSERT_EQ(commands::undoFilter(ws).message, "");
    EXPECT_EQ(ws.lithologLimits().bottomLimit, 1500.5);
    EXPECT_EQ(ws.depthWindow().top, 1500);
    EXPECT_EQ(ws.depthWindow().bottom, 1500.5);
}

TEST_F(WorkspaceChanges, ImportRefusalNamesWhatToDoFirst) {
    EXPECT_EQ(commands::importRefusal(ws), "");
    importWell();
    EXPECT_EQ(commands::importRefusal(ws), commands::kEmptyFirstMessage);
    commands::emptyTable(ws);
    EXPECT_EQ(commands::importRefusal(ws), "");
}

TEST_F(WorkspaceChanges, TheDepthFieldAndItsLabel) {
    EXPECT_EQ(ws.depthLabel(), "");
    importWell();
    EXPECT_EQ(ws.source().field(Workspace::sourceDepthField()).def.name, "DEPTH");
    EXPECT_EQ(ws.depthLabel(), ws.source().field(Workspace::sourceDepthField()).label());
    EXPECT_FALSE(ws.depthLabel().empty());
}

TEST(FilterBounds, BothBoxesMustHoldANumber) {
    EXPECT_EQ(commands::checkFilterBounds(1, 2), "");
    EXPECT_EQ(commands::checkFilterBounds(std::nullopt, 2),
              lithora::compute::kInvalidNumberMessage);
    EXPECT_EQ(commands::checkFilterBounds(1, std::nullopt),
              lithora::compute::kInvalidNumberMessage);
}

// A memo line the user left as imported is written with the file's own bytes (here
// Windows-1252 "\xB0"), an edited or added one as the text shown.
TEST(MemoForSave, KeepsTheFileBytesOfEveryUnchangedLine) {
    lithora::workspace::ImportInfo info;
    info.headerLines = {"~VERSION",
                        " TEMP.\xC2\xB0"
                        "C",
                        "~WELL"};
    info.headerBytes = {"~VERSION",
                        " TEMP.\xB0"
                        "C",
                        "~WELL"};
    const std::vector<std::string> shown = {"~VERSION",
                                            " TEMP.\xC2\xB0"
                                            "C",
                                            "~WELL edited", "added"};
    EXPECT_EQ(commands::memoForSave(info, shown),
              (std::vector<std::string>{"~VERSION",
                                        " TEMP.\xB0"
                                        "C",
                                        "~WELL edited", "added"}));
    EXPECT_TRUE(commands::memoForSave(info, {}).empty());
}

}  // namespace
