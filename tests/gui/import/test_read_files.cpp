// File > Open 2: the merge dialog through the seam, the whole command in the main window, and
// the command-line tool's merge of the same pair.
#include <gtest/gtest.h>

#include <QAction>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "core/store/table.h"
#include "core/workspace/workspace.h"
#include "gui/app/calculation_page.h"
#include "gui/compute/compute_subsystem.h"
#include "gui/compute/elastic_controller.h"
#include "gui/compute/select_logs.h"
#include "gui/display/track_panel.h"
#include "gui/export/save_controller.h"
#include "gui/import/read_files_dialog.h"
#include "gui/widgets/summary_box.h"
#include "support/program_folder.h"
#include "support/recording_seam.h"
#include "support/test_paths.h"

namespace {

namespace fs = std::filesystem;
using lithora::test::ProgramFolder;
using lithora::test::RecordingSeam;

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

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
           " DT  .US/M : SONIC\n"
           "~A\n" +
           data;
}

QPushButton* button(QWidget& w, const char* name) {
    auto* b = w.findChild<QPushButton*>(name);
    EXPECT_NE(b, nullptr) << name;
    return b;
}

QStringList texts(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
    return out;
}

void tick(TRead_Files& d, std::initializer_list<int> rows) {
    for (int r = 0; r < d.curveList()->count(); ++r)
        d.curveList()->item(r)->setCheckState(Qt::Unchecked);
    for (int r : rows) d.curveList()->item(r)->setCheckState(Qt::Checked);
}

class ReadFilesTest : public ::testing::Test {
  protected:
    ProgramFolder folder;
    RecordingSeam seam;
    lithora::workspace::Workspace ws{folder.path()};

    CommandContext context() {
        return {ws, seam, nullptr, [](const QString&) {}, [] { return true; }};
    }
    QString write(const std::string& name, const std::string& bytes) {
        return QString::fromStdString(folder.write(name, bytes).string());
    }
};

TEST_F(ReadFilesTest, ChoosingCurvesFromFilesAddedInTwoDialogs) {
    const QString a = write("a.las", las("RUN ONE", "1500 2.30 40 250\n1500.5 2.31 41 251\n"));
    const QString b = write("b.las", las("RUN TWO", "1500.5 2.35 45 240\n1501 2.36 46 241\n"));
    TRead_Files d(context());
    d.show();
    EXPECT_EQ(d.windowTitle(), "Open");
    EXPECT_EQ(d.size(), QSize(484, 525));
    EXPECT_FALSE(button(d, "okButton")->isEnabled());  // nothing chosen: no OK

    seam.openFiles = {a};
    button(d, "addFileButton")->click();
    EXPECT_EQ(seam.opensAsked.back(), "Opening Las File");
    seam.openFiles = {b};
    button(d, "addFileButton")->click();
    EXPECT_EQ(d.fileList()->toPlainText(), a + "\n" + b);
    // Each curve by its file and mnemonic, also where no blank stands between mnemonic and
    // unit, so the curves of the two files can be told apart.
    EXPECT_EQ(texts(d.curveList()),
              (QStringList{"a.las: DEPT", "a.las: RHOB", "a.las: GR", "a.las: DT", "b.las: DEPT",
                           "b.las: RHOB", "b.las: GR", "b.las: DT"}));
    // Logs_Table numbers the files of each "Add File" from 1.
    {
        lithora::store::Table logs(folder.file("Logs_Table"));
        logs.open();
        ASSERT_EQ(logs.recordCount(), 8);
        logs.moveTo(4);
        EXPECT_EQ(logs.asText(0), "DEPT");
        EXPECT_EQ(logs.asInteger(1), 1);
        EXPECT_EQ(logs.asInteger(2), 1);
        logs.close();
    }

    // ">>" twice appends the ticked curves once; the same mnemonic of the other file is a
    // curve of its own.
    tick(d, {0, 2, 6});
    button(d, "addCurvesButton")->click();
    button(d, "addCurvesButton")->click();
    EXPECT_EQ(texts(d.selectionList()), (QStringList{"a.las: DEPT", "a.las: GR", "b.las: GR"}));
    EXPECT_TRUE(button(d, "okButton")->isEnabled());

    // "<<" takes the selected lines out.
    d.selectionList()->item(1)->setSelected(true);
    button(d, "removeCurvesButton")->click();
    EXPECT_EQ(texts(d.selectionList()), (QStringList{"a.las: DEPT", "b.las: GR"}));
    const auto chosen = d.chosen();
    ASSERT_EQ(chosen.size(), 2u);
    EXPECT_EQ(chosen[1].file, 1u);  // the second file of the list
    EXPECT_EQ(chosen[1].column, 3);

    button(d, "selectAllButton")->click();  // Select All
    for (int r = 0; r < d.curveList()->count(); ++r)
        EXPECT_EQ(d.curveList()->item(r)->checkState(), Qt::Checked);
    button(d, "unselectAllButton")->click();  // Unselect All
    EXPECT_FALSE(button(d, "addCurvesButton")->isEnabled());

    for (int r = d.selectionList()->count() - 1; r >= 0; --r)
        d.selectionList()->item(r)->setSelected(true);
    button(d, "removeCurvesButton")->click();
    EXPECT_FALSE(button(d, "okButton")->isEnabled());
}

TEST_F(ReadFilesTest, OkWantsTheDepthFirstAndABadFileKeepsTheOthers) {
    const QString a = write("a.las", las("RUN ONE", "1500 2.30 40 250\n"));
    write("nocurves.las", "~VERSION\n VERS. 2.0 :\n~A\n1500 1\n");
    TRead_Files d(context());
    seam.openFiles = {a, folder.qfile("nocurves.las")};
    button(d, "addFileButton")->click();
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_TRUE(seam.messages[0].text.startsWith("Error reading file."));
    EXPECT_TRUE(seam.messages[0].text.contains("nocurves.las"));
    EXPECT_EQ(d.fileList()->toPlainText(), a);
    EXPECT_EQ(d.curveList()->count(), 4);

    tick(d, {2});
    button(d, "addCurvesButton")->click();
    button(d, "okButton")->click();
    EXPECT_EQ(seam.messageTexts().back(),
              "The first curve chosen is the depth: choose the depth curve of a file first.");
    EXPECT_EQ(d.result(), 0);
    EXPECT_FALSE(d.isHidden() && d.result() == QDialog::Accepted);
}

// The main window with the seam answering the merge dialog as a user would.
class OpenTwoTest : public ::testing::Test {
  protected:
    void SetUp() override {
        auto seam = std::make_unique<RecordingSeam>();
        seam_ = seam.get();
        form_ = std::make_unique<TCalculationForm>(folder_.qpath(), std::move(seam));
        ASSERT_TRUE(form_->ready());
    }

    // Runs File > Open 2, adding the files in one dialog and choosing rows of the curve list.
    void openTwo(const QStringList& files, std::initializer_list<int> rows) {
        seam_->onDialog = [&, rows](QDialog& d) {
            auto* read = qobject_cast<TRead_Files*>(&d);
            if (!read) return int(QDialog::Accepted);
            seam_->openFiles = files;
            button(*read, "addFileButton")->click();
            tick(*read, rows);
            button(*read, "addCurvesButton")->click();
            button(*read, "okButton")->click();
            return read->result();
        };
        form_->action(CommandId::MergeFiles)->trigger();
    }

    ProgramFolder folder_;
    RecordingSeam* seam_ = nullptr;
    std::unique_ptr<TCalculationForm> form_;
};

TEST_F(OpenTwoTest, FillsTheWorkspaceLikeAnImportAndSaveTableWritesTheLastHeader) {
    const auto a = folder_.write("a.las", las("RUN ONE", "1500 2.30 40 250\n1500.5 2.31 41 251\n"));
    const auto b = folder_.write("b.las", las("RUN TWO", "1500.5 2.35 45 240\n1501 2.36 46 241\n"));
    openTwo({QString::fromStdString(a.string()), QString::fromStdString(b.string())}, {0, 1, 3, 6});
    ASSERT_TRUE(seam_->messages.empty()) << seam_->messageTexts().front().toStdString();
    auto& ws = form_->workspace();
    ASSERT_TRUE(ws.loaded());
    EXPECT_TRUE(ws.importInfo().lasSource);
    EXPECT_EQ(ws.roles().density, (std::vector<std::string>{"RHOB"}));
    EXPECT_EQ(ws.roles().pWave, (std::vector<std::string>{"DT"}));
    EXPECT_EQ(ws.roles().gammaRay, (std::vector<std::string>{"GR"}));
    EXPECT_EQ(form_->trackPanel()->trackCount(), 3);
    EXPECT_EQ(form_->tablePage()->summaryBox(TablePage::Records)->text(), "3");
    EXPECT_EQ(form_->tablePage()->summaryBox(TablePage::Tracks)->text(), "3");
    EXPECT_EQ(form_->tablePage()->summaryBox(TablePage::Stop)->text(), "1501");
    EXPECT_TRUE(form_->tablePage()->memo()->toPlainText().contains("RUN TWO"));
    EXPECT_FALSE(form_->tablePage()->memo()->toPlainText().contains("RUN ONE"));
    EXPECT_TRUE(form_->action(CommandId::ElasticParameters)->isEnabled());
    EXPECT_EQ(form_->statusText(), "Ready");

    // The elastic parameters find their curves; Save Table writes LAS with the last file's
    // well lines.
    form_->computeSubsystem().elasticController()->computeElasticParameters();
    ASSERT_EQ(ws.elastic().recordCount(), 3);
    seam_->saveFile = folder_.qfile("saved.las");
    ASSERT_TRUE(form_->exportSubsystem().saveController()->saveTable());
    EXPECT_EQ(seam_->savesAsked.back(), "Save Table as LAS file");
    const std::string saved = slurp(folder_.file("saved.las"));
    EXPECT_NE(saved.find("RUN TWO"), std::string::npos);
    EXPECT_EQ(saved.find("RUN ONE"), std::string::npos);

    // A loaded workspace takes no second file; Cancel of the dialog changes nothing.
    seam_->dialogsRun.clear();
    form_->action(CommandId::MergeFiles)->trigger();
    EXPECT_TRUE(seam_->dialogsRun.empty());
    EXPECT_EQ(form_->trackPanel()->trackCount(), 3 + 13);
}

// A real file and a copy of it logged 10 m deeper: the command-line merge gives the table
// the desktop shows.
TEST_F(OpenTwoTest, TheCommandLineMergeAgreesWithTheDesktop) {
    const fs::path real =
        fs::path(LITHORA_TEST_DATA) / "external/las-external/welly/tests/assets/example_1.las";
    std::string text = slurp(real);
    std::istringstream in(text);
    std::string line, shifted;
    bool data = false;
    while (std::getline(in, line)) {
        if (data && !line.empty()) {
            const auto start = line.find_first_not_of(' ');
            const auto end = line.find(' ', start);
            char depth[32];
            std::snprintf(depth, sizeof depth, "%.4f",
                          std::stod(line.substr(start, end - start)) + 10);
            line = std::string(start, ' ') + depth + line.substr(end);
        }
        if (line.rfind("~A", 0) == 0) data = true;
        shifted += line + "\n";
    }
    const auto copy = folder_.write("deeper.las", shifted);
    const QString a = QString::fromStdString(real.string());
    const QString b = QString::fromStdString(copy.string());
    // Rows of the curve list: the real file's DEPT 0, RHOB 8 and GR 10; the copy's GR 13 + 10.
    openTwo({a, b}, {0, 10, 8, 23});
    ASSERT_TRUE(form_->workspace().loaded());
    const auto& t = form_->workspace().source();

    const QString tsv = folder_.qfile("cli.tsv");
    QProcess cli;
    cli.start(LITHORA_CLI, {"merge", a, b, "--curves", "1:DEPT,1:RHOB,1:GR,2:GR", "--table", tsv});
    ASSERT_TRUE(cli.waitForFinished(120000));
    ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();

    std::istringstream lines(slurp(tsv.toStdString()));
    std::string row;
    std::getline(lines, row);
    std::string names;
    for (int f = 0; f < t.fieldCount() - 1; ++f) names += (f ? "\t" : "") + t.field(f).def.name;
    EXPECT_EQ(row, names + "\r");
    EXPECT_EQ(names, "Rec\tDEPT\tRHOB\tGR\tGR_2");
    int rows = 0;
    while (std::getline(lines, row)) {
        std::string desktop;
        for (int f = 0; f < t.fieldCount() - 1; ++f)
            desktop += (f ? "\t" : "") + t.cellText(rows, f, '.');
        ASSERT_EQ(row, desktop + "\r") << "row " << rows;
        ++rows;
    }
    EXPECT_EQ(rows, t.recordCount());
    EXPECT_GT(rows, 2094);  // the shifted copy adds depths of its own
}

}  // namespace
