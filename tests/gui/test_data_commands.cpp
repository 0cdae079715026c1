// Whole commands of the main window driven through the dialog seam: LAS and ASCII import,
// Elastic Parameters (with and without a shear curve, with the units question) and Save Table.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "gui/app/calculation_page.h"
#include "gui/compute/select_logs.h"
#include "gui/compute/units_dialog.h"
#include "gui/compute/vs_equation.h"
#include "gui/display/depth_track.h"
#include "gui/display/track_panel.h"
#include "gui/widgets/dialog_seam.h"
#include "gui/widgets/page_control.h"
#include "gui/widgets/summary_box.h"
#include "gui/widgets/table_grid.h"
#include "support/palette.h"
#include "support/program_folder.h"
#include "support/recording_seam.h"

namespace {

namespace fs = std::filesystem;

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

using lithora::test::ProgramFolder;
using lithora::test::RecordingSeam;
using lithora::test::testData;
using lithora::test::trackColour;

class DataCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        auto seam = std::make_unique<RecordingSeam>();
        seam_ = seam.get();
        seam_->onDialog = [](QDialog&) { return int(QDialog::Accepted); };
        form_ = std::make_unique<TCalculationForm>(folder_.qpath(), std::move(seam));
        ASSERT_TRUE(form_->ready());
    }
    void TearDown() override { form_.reset(); }

    void importLas(const char* name) {
        seam_->openFile = testData(name);
        form_->Lasfilez1Click();
    }

    ProgramFolder folder_;
    RecordingSeam* seam_ = nullptr;
    std::unique_ptr<TCalculationForm> form_;
};

TEST_F(DataCommandsTest, LasImportBuildsOneFittedTrackPerCurveAndFillsTheTablePage) {
    importLas("cli/well.las");
    ASSERT_TRUE(seam_->messages.empty()) << seam_->messages.front().text.toStdString();
    TrackPanel* panel = form_->trackPanel();
    ASSERT_EQ(panel->trackCount(), 4);
    ASSERT_EQ(panel->sourceTrackCount(), 4);
    const char* titles[] = {"RHOB(G/CC)", "DT(US/M)", "DTSM(US/M)", "GR(GAPI)"};
    const lithora::AxisRange ranges[] = {{2.3, 2.6}, {198.0, 252.5}, {396.0, 505.0}, {44.5, 55.6}};
    form_->show();
    form_->pageControl()->setCurrentIndex(1);
    QApplication::processEvents();
    for (int slot = 1; slot <= 4; ++slot) {
        DepthTrack* t = panel->track(slot);
        EXPECT_EQ(t->title(), titles[slot - 1]);
        EXPECT_EQ(t->colour().rgb(), trackColour(slot - 1).rgb());
        EXPECT_NEAR(t->valueRange().lo, ranges[slot - 1].lo, 1e-9) << slot;
        EXPECT_NEAR(t->valueRange().hi, ranges[slot - 1].hi, 1e-9) << slot;
        // Deeper samples are drawn lower.
        EXPECT_LT(t->pixelOf(2.5, 1500).y(), t->pixelOf(2.5, 1500.5).y());
    }
    EXPECT_EQ(form_->tablePage()->summaryBox(TablePage::Records)->text(), "3");
    EXPECT_EQ(form_->tablePage()->summaryBox(TablePage::Tracks)->text(), "4");
    EXPECT_EQ(form_->tablePage()->summaryBox(TablePage::Start)->text(), "1500");
    EXPECT_EQ(form_->tablePage()->summaryBox(TablePage::Stop)->text(),
              "1500" + QLocale().decimalPoint() + "5");
    EXPECT_EQ(form_->tablePage()->summaryBox(TablePage::Interval)->text(),
              "0" + QLocale().decimalPoint() + "25");
    EXPECT_TRUE(form_->tablePage()->memo()->toPlainText().startsWith("~VERSION INFORMATION\n"));
    EXPECT_TRUE(form_->tablePage()->memo()->toPlainText().endsWith(
        "~A  DEPTH     RHOB      DT      DTSM     GR"));
    for (QAction* a : form_->dataCommands())
        EXPECT_EQ(a->isEnabled(), form_->commands().isBound(a->objectName()))
            << a->objectName().toStdString();
    EXPECT_EQ(form_->statusText(), "Ready");
    EXPECT_EQ(form_->tablePage()->sourceGrid()->model()->rowCount(), 3);

    // A second import on the loaded workspace does nothing, not even ask for a file.
    seam_->opensAsked.clear();
    importLas("cli/well_lower_m.las");
    EXPECT_TRUE(seam_->opensAsked.empty());
    EXPECT_EQ(panel->trackCount(), 4);
    EXPECT_TRUE(seam_->messages.empty());
}

TEST_F(DataCommandsTest, DataLinesThatDoNotFitAreReportedAfterTheImport) {
    importLas("external/las-external/lasio/tests/examples/excess_curves.las");
    ASSERT_EQ(seam_->messages.size(), 1u);
    EXPECT_EQ(seam_->messages[0].icon, QMessageBox::Warning);
    EXPECT_EQ(seam_->messages[0].text,
              "excess_curves.las: 2 data lines hold 4 values for 6 curves; the missing values "
              "are null.");
    EXPECT_EQ(form_->statusText(), "Ready");
    EXPECT_EQ(form_->tablePage()->sourceGrid()->model()->rowCount(), 2);
}

TEST_F(DataCommandsTest, ElasticWithMeasuredVsBuildsThirteenTracksThenSaveTableWrites) {
    importLas("cli/well.las");
    form_->Elasticparameters1Click();
    ASSERT_EQ(seam_->dialogsRun, std::vector<QString>{"TSelectPL"});
    TrackPanel* panel = form_->trackPanel();
    ASSERT_EQ(panel->trackCount(), 4 + 13);
    const char* titles[] = {"POISSON RATIO",
                            "LAME PAR. (GPa)",
                            "BULK MOD. (GPa)",
                            "SHEAR MOD. (GPa)",
                            "YOUNG MOD. (GPa)",
                            "LAMBDA.RHO (GPa.Kg/m3)",
                            "MU.RHO (GPa.Kg/m3)",
                            "LAMBDA/MU",
                            "Vp (m/s)",
                            "Vs (m/s)",
                            "Vp/Vs",
                            "P-IMPEDANCE (Mg/sm2)",
                            "S-IMPEDANCE (Mg/sm2)"};
    for (int k = 1; k <= 13; ++k) {
        DepthTrack* t = panel->track(4 + k);
        EXPECT_EQ(t->title(), titles[k - 1]);
        EXPECT_EQ(t->colour().rgb(), trackColour(k - 1).rgb()) << k;
    }
    // Vp runs 4000 .. 5000: 3960 .. 5050.
    EXPECT_NEAR(panel->track(4 + 9)->valueRange().lo, 3960, 1e-9);
    EXPECT_NEAR(panel->track(4 + 9)->valueRange().hi, 5050, 1e-9);
    auto& e = form_->workspace().elastic();
    ASSERT_EQ(e.recordCount(), 3);
    EXPECT_EQ(e.cellText(0, lithora::compute::kVs), "2000");
    EXPECT_EQ(e.field(lithora::compute::kRho).label(), "RHOB (Kg/m3)");
    EXPECT_EQ(form_->statusText(), "Ready");

    const auto out = folder_.path() / "saved.las";
    seam_->saveFile = QString::fromStdString(out.string());
    EXPECT_TRUE(form_->Savetable1Click());
    EXPECT_EQ(seam_->savesAsked, std::vector<QString>{"Save Table as LAS file"});
    const std::string las = slurp(out);
    EXPECT_EQ(las.rfind("~VERSION INFORMATION\r\n", 0), 0u);
    EXPECT_NE(las.find("\r\n~A     DEPTH          PR"), std::string::npos);
    EXPECT_NE(las.find(" COMP.           ACME ENERGY:    COMPANY\r\n"), std::string::npos);
}

TEST_F(DataCommandsTest, ACurveNameThatIsNoFieldKeepsTheEarlierResults) {
    importLas("cli/well.las");
    form_->Elasticparameters1Click();
    ASSERT_EQ(form_->trackPanel()->trackCount(), 17);
    seam_->onDialog = [](QDialog& d) {
        if (auto* select = qobject_cast<TSelectPL*>(&d))
            select->findChild<QComboBox*>("densityBox")->setCurrentText("RHOZ");
        return QDialog::Accepted;
    };
    form_->Elasticparameters1Click();
    ASSERT_EQ(seam_->messages.size(), 1u);
    EXPECT_EQ(seam_->messages[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(seam_->messages[0].text.contains("RHOZ"));
    EXPECT_EQ(form_->workspace().elastic().recordCount(), 3);
    EXPECT_EQ(form_->trackPanel()->trackCount(), 17);
    EXPECT_EQ(form_->trackPanel()->track(4 + 9)->valueRange().hi, 5050);
    EXPECT_EQ(form_->statusText(), "Ready");
}

TEST_F(DataCommandsTest, WithoutAShearChoiceTheVsEquationIsAskedAndUsed) {
    importLas("cli/well.las");
    seam_->onDialog = [](QDialog& d) {
        if (auto* select = qobject_cast<TSelectPL*>(&d))
            select->findChild<QComboBox*>("sWaveBox")->setCurrentText("");
        return QDialog::Accepted;  // the Vs dialog with its defaults
    };
    form_->Elasticparameters1Click();
    EXPECT_EQ(seam_->dialogsRun, (std::vector<QString>{"TSelectPL", "TVsEquation"}));
    // 0.8619 * 4000 - 1172
    EXPECT_EQ(form_->workspace().elastic().cellText(0, lithora::compute::kVs), "2275.6");
    EXPECT_FALSE(form_->workspace().hasSWave);

    // Cancel in the Vs dialog computes nothing.
    seam_->dialogsRun.clear();
    seam_->onDialog = [](QDialog& d) {
        return qobject_cast<TVsEquation*>(&d) ? QDialog::Rejected : QDialog::Accepted;
    };
    form_->workspace().elastic().emptyTable();
    form_->Elasticparameters1Click();
    EXPECT_EQ(seam_->dialogsRun, (std::vector<QString>{"TSelectPL", "TVsEquation"}));
    EXPECT_TRUE(form_->workspace().elastic().isEmpty());
}

TEST_F(DataCommandsTest, UnitsWithoutARuleAreAskedAndNeverGuessed) {
    // The first file's "M" is no statement about the second file's "m": the question is
    // asked, with the earlier units proposed.
    importLas("cli/well.las");
    form_->Emptytable1Click();
    importLas("cli/well_lower_m.las");
    bool proposed = false;
    seam_->onDialog = [&proposed](QDialog& d) {
        auto* units = qobject_cast<TSelectUnits*>(&d);
        if (!units) return QDialog::Accepted;
        proposed = units->units().sonic == lithora::compute::SonicUnit::PerMetre &&
                   units->units().density == lithora::compute::DensityUnit::GramsPerCc;
        return QDialog::Rejected;
    };
    form_->Elasticparameters1Click();
    EXPECT_EQ(seam_->dialogsRun, (std::vector<QString>{"TSelectPL", "TSelectUnits"}));
    ASSERT_EQ(seam_->messages.size(), 1u);
    EXPECT_TRUE(seam_->messages[0].text.contains("not known"))
        << seam_->messages[0].text.toStdString();
    EXPECT_TRUE(form_->workspace().elastic().isEmpty());
    EXPECT_TRUE(proposed);

    seam_->onDialog = [](QDialog& d) {
        if (auto* units = qobject_cast<TSelectUnits*>(&d))
            units->setUnits(
                {lithora::compute::SonicUnit::PerMetre, lithora::compute::DensityUnit::GramsPerCc});
        return QDialog::Accepted;
    };
    form_->Elasticparameters1Click();
    EXPECT_EQ(form_->workspace().elastic().cellText(0, lithora::compute::kVp), "4000");
}

TEST_F(DataCommandsTest, AsciiExportReadsBackAndAForeignFileIsNamed) {
    // A workspace from an ASCII file written by the program itself.
    importLas("cli/well.las");
    form_->Elasticparameters1Click();
    form_->workspace().lasSource = false;
    form_->workspace().asciiHeaderLine = "Column 1 : Depth m";
    const auto txt = folder_.path() / "saved.txt";
    seam_->saveFile = QString::fromStdString(txt.string());
    ASSERT_TRUE(form_->Savetable1Click());
    EXPECT_EQ(seam_->savesAsked, std::vector<QString>{"Save Table as ASCII file"});
    form_->Emptytable1Click();

    seam_->openFile = QString::fromStdString(txt.string());
    form_->ASCIIfile1Click();
    ASSERT_TRUE(seam_->messages.empty()) << seam_->messages.front().text.toStdString();
    EXPECT_EQ(form_->trackPanel()->trackCount(), 9);
    EXPECT_FALSE(form_->tablePage()->memo()->isVisible());
    EXPECT_EQ(form_->workspace().source().field(1).def.name, "Depth");
    EXPECT_EQ(form_->workspace().source().cellText(2, 10), "2");  // Vp/Vs of the last row
    form_->Emptytable1Click();

    std::ofstream(folder_.path() / "notes.txt") << "just some notes\n1\t2\n";
    seam_->openFile = QString::fromStdString((folder_.path() / "notes.txt").string());
    form_->ASCIIfile1Click();
    ASSERT_EQ(seam_->messages.size(), 1u);
    EXPECT_EQ(seam_->messages[0].icon, QMessageBox::Warning);
    EXPECT_TRUE(seam_->messages[0].text.startsWith("Error reading file : "));
    EXPECT_TRUE(seam_->messages[0].text.endsWith("notes.txt"));
    EXPECT_EQ(form_->statusText(), "Error reading file.");
    EXPECT_FALSE(form_->action("Emptytable1")->isEnabled());
}

}  // namespace
