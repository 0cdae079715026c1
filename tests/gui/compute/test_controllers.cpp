// The import and elastic commands run through a fake shell, without the main window: what
// they ask, what they say on the status line and in messages, and what the workspace reports.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialog>
#include <memory>
#include <stdexcept>
#include <vector>

#include "core/commands/import_file.h"
#include "core/workspace/workspace.h"
#include "gui/compute/compute_subsystem.h"
#include "gui/compute/elastic_controller.h"
#include "gui/compute/select_logs.h"
#include "gui/import/import_controller.h"
#include "support/fake_shell_services.h"
#include "support/program_folder.h"
#include "support/recording_seam.h"

namespace {

using lithora::test::FakeShellServices;
using lithora::test::ProgramFolder;
using lithora::test::RecordingSeam;
using lithora::test::testData;
using lithora::workspace::Change;

class ControllerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ws.openShippedTables();
        seam.onDialog = [](QDialog&) { return int(QDialog::Accepted); };
        changes = ws.subscribe([this](Change c) { seen.push_back(c); });
    }

    void loadWell() {
        ASSERT_TRUE(
            lithora::commands::importLas(ws, {testData("cli/well.las").toStdString(), {}, {}})
                .ok());
        seen.clear();
    }

    ProgramFolder folder;
    QObject owner;  // owns the controllers a subsystem makes
    lithora::workspace::Workspace ws{folder.path()};
    RecordingSeam seam;
    FakeShellServices shell{ws, seam, folder.qpath()};
    lithora::store::Subscription changes;
    std::vector<Change> seen;
};

// ---- import -------------------------------------------------------------------------------

TEST_F(ControllerTest, ImportReadsTheChosenFileAndTheWorkspaceReportsIt) {
    ImportSubsystem import(&owner);
    import.registerCommands(shell);
    for (CommandId id : {CommandId::ImportLas, CommandId::ImportAscii, CommandId::MergeFiles})
        EXPECT_TRUE(shell.enabled(id)) << commandName(id).toStdString();

    seam.openFile = testData("cli/well.las");
    ASSERT_TRUE(shell.run(CommandId::ImportLas));
    EXPECT_TRUE(ws.loaded());
    EXPECT_EQ(ws.sourceTrackCount(), 4);
    EXPECT_EQ(seen, std::vector<Change>{Change::Imported});
    EXPECT_EQ(seam.opensAsked, std::vector<QString>{"Opening Las File"});
    EXPECT_EQ(shell.statuses.front(), "Reading file data, please wait...");
    EXPECT_EQ(shell.statuses.back(), "Ready");
    EXPECT_TRUE(seam.messages.empty());
    EXPECT_GT(shell.folderRestores, 0);
}

TEST_F(ControllerTest, ASecondImportIsRefusedBeforeAnyFileIsAskedFor) {
    loadWell();
    ImportController import(shell);
    for (auto run : {&ImportController::importLas, &ImportController::importAscii,
                     &ImportController::mergeLasFiles}) {
        shell.statuses.clear();
        (import.*run)();
        EXPECT_EQ(shell.statuses, std::vector<QString>{lithora::commands::kEmptyFirstMessage});
    }
    EXPECT_TRUE(seam.opensAsked.empty());
    EXPECT_TRUE(seam.dialogsRun.empty());
    EXPECT_TRUE(seam.messages.empty());
    EXPECT_TRUE(seen.empty());
}

TEST_F(ControllerTest, AFileThatCannotBeReadIsNamedAndLeavesTheWorkspaceEmpty) {
    folder.write("bad.las", std::string("\x00\x01binary", 8));
    seam.openFile = folder.qfile("bad.las");
    ImportController import(shell);
    import.importLas();
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(seam.messages[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(seam.messages[0].text.startsWith("Error reading file.\n" + folder.qfile("bad.las")))
        << seam.messages[0].text.toStdString();
    EXPECT_EQ(shell.statuses.back(), "Ready");
    EXPECT_FALSE(ws.loaded());
    EXPECT_TRUE(seen.empty());

    // An ASCII file without its header line is no column file: nothing changed.
    seam.messages.clear();
    folder.write("notes.txt", "just some notes\n");
    seam.openFile = folder.qfile("notes.txt");
    import.importAscii();
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(seam.messages[0].icon, QMessageBox::Warning);
    EXPECT_EQ(shell.statuses.back(), "Error reading file.");
    EXPECT_FALSE(ws.loaded());
}

// ---- elastic parameters -------------------------------------------------------------------

TEST_F(ControllerTest, ElasticParametersFillTheTableAndTheWorkspaceReportsIt) {
    ComputeSubsystem compute(&owner, nullptr, nullptr, {});
    compute.registerCommands(shell);
    EXPECT_FALSE(shell.enabled(CommandId::ElasticParameters));  // nothing loaded
    loadWell();
    EXPECT_TRUE(shell.enabled(CommandId::ElasticParameters));

    ASSERT_TRUE(shell.run(CommandId::ElasticParameters));
    EXPECT_EQ(seam.dialogsRun, std::vector<QString>{"TSelectPL"});
    EXPECT_EQ(ws.elastic().recordCount(), 3);
    EXPECT_EQ(seen, std::vector<Change>{Change::ElasticComputed});
    EXPECT_EQ(shell.statuses,
              (std::vector<QString>{"Calculating elastic parameters, please wait...", "Ready"}));
    // The grids stood apart while the table was filled, and follow each other again.
    EXPECT_EQ(shell.followChanges, 2);
    EXPECT_TRUE(shell.followingSourceRow);
    EXPECT_TRUE(seam.messages.empty());
}

TEST_F(ControllerTest, ElasticParametersNeedALoadedWorkspaceAndAChoice) {
    ElasticController elastic(shell);
    elastic.computeElasticParameters();  // nothing loaded: nothing asked
    EXPECT_TRUE(seam.dialogsRun.empty());

    loadWell();
    seam.onDialog = [](QDialog&) { return int(QDialog::Rejected); };
    elastic.computeElasticParameters();  // the curve dialog cancelled
    EXPECT_EQ(seam.dialogsRun, std::vector<QString>{"TSelectPL"});
    EXPECT_TRUE(ws.elastic().isEmpty());
    EXPECT_TRUE(shell.statuses.empty());
    EXPECT_TRUE(seen.empty());
}

TEST_F(ControllerTest, ElasticErrorsAreShownAndTheGridsFollowAgain) {
    loadWell();
    ElasticController elastic(shell);
    // A typed name that is no curve of the file is said before anything is computed.
    seam.onDialog = [](QDialog& d) {
        if (auto* select = qobject_cast<TSelectPL*>(&d))
            select->findChild<QComboBox*>("densityBox")->setCurrentText("RHOZ");
        return int(QDialog::Accepted);
    };
    elastic.computeElasticParameters();
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(seam.messages[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(seam.messages[0].text.contains("RHOZ"));
    EXPECT_TRUE(ws.elastic().isEmpty());

    // A window that cannot show the results makes the command fail with its reason.
    seam.messages.clear();
    seam.onDialog = [](QDialog&) { return int(QDialog::Accepted); };
    auto failing = ws.subscribe([](Change c) {
        if (c == Change::ElasticComputed) throw std::runtime_error("No room for the tracks.");
    });
    elastic.computeElasticParameters();
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(seam.messages[0].text, "No room for the tracks.");
    EXPECT_EQ(shell.statuses.back(), "Ready");
    EXPECT_TRUE(shell.followingSourceRow);
}

}  // namespace
