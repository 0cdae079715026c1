// Whole commands of the main window driven through the dialog seam: LAS and ASCII import,
// Elastic Parameters (with and without a shear curve, with the units question) and Save Table.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "core/commands/compute_elastic.h"
#include "core/commands/save_table.h"
#include "gui/app/calculation_page.h"
#include "gui/compute/compute_subsystem.h"
#include "gui/compute/elastic_controller.h"
#include "gui/compute/select_logs.h"
#include "gui/compute/units_dialog.h"
#include "gui/compute/vs_equation.h"
#include "gui/display/chart_row.h"
#include "gui/display/depth_chart.h"
#include "gui/display/depth_navigation.h"
#include "gui/display/track_panel.h"
#include "gui/export/litholog_panel.h"
#include "gui/export/save_controller.h"
#include "gui/import/import_controller.h"
#include "gui/widgets/depth_scale.h"
#include "gui/widgets/dialog_seam.h"
#include "gui/widgets/page_control.h"
#include "gui/widgets/summary_box.h"
#include "gui/widgets/table_grid.h"
#include "support/elastic_captions.h"
#include "support/main_window.h"
#include "support/palette.h"
#include "support/program_folder.h"
#include "support/recording_seam.h"
#include "support/test_paths.h"

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

using DataCommandsTest = lithora::test::MainWindowTest;

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
        DepthChart* t = panel->track(slot);
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
    // Every data command has its handler, so all of them are available now, but those that
    // start from the elastic parameters, which are not computed yet.
    for (QAction* a : form_->dataCommands())
        EXPECT_EQ(a->isEnabled(), a != form_->action(CommandId::FluidSubstitution) &&
                                      a != form_->action(CommandId::AvoModel))
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

// The litholog column stands on the rows where the tracks beside it draw the same depths: its
// first row level with the tracks' top depth, its height theirs, before and after the elastic
// tracks (two-line titles) make the title area taller.
TEST_F(DataCommandsTest, TheLithologColumnStandsInDepthStepWithTheTracks) {
    importLas("cli/well.las");
    auto check = [&](const char* when) {
        QApplication::processEvents();  // the tracks line up once the events run
        DepthChart* track = form_->trackPanel()->track(1);
        ASSERT_NE(track, nullptr);
        // the rows where the track draws the litholog window's top and bottom depths
        const auto w = form_->workspace().depthWindow();
        const auto row = [&](double depth) {
            return track->mapTo(form_->graphPage(), track->pixelOf(0, depth).toPoint()).y();
        };
        const QLabel* column = form_->exportSubsystem().lithologPanel()->columnImage();
        EXPECT_NEAR(column->y(), row(w.top), 1) << when;
        EXPECT_NEAR(column->y() + column->height(), row(w.bottom), 1) << when;
    };
    check("after the import");
    form_->computeSubsystem().elasticController()->computeElasticParameters();
    check("after the elastic tracks");
}

// Ctrl+wheel on the tracks zooms the litholog column with them: it draws the depths the tracks
// show, on the rows where they draw them, and the whole window again with "Whole well".
TEST_F(DataCommandsTest, TheLithologColumnFollowsTheZoomOfTheTracks) {
    importLas("cli/well.las");
    QApplication::processEvents();
    DepthNavigation* navigation = form_->trackPanel()->row()->navigation();
    LithologPanel* litholog = form_->exportSubsystem().lithologPanel();
    const auto window = form_->workspace().depthWindow();
    navigation->zoom(3, 1500.25);
    QApplication::processEvents();
    const auto shown = navigation->shown();
    ASSERT_GT(shown.top, window.top);
    ASSERT_LT(shown.bottom, window.bottom);
    EXPECT_DOUBLE_EQ(litholog->depthScale()->depthRange().lo, shown.top);
    EXPECT_DOUBLE_EQ(litholog->depthScale()->depthRange().hi, shown.bottom);
    DepthChart* track = form_->trackPanel()->track(1);
    const auto row = [&](double depth) {
        return track->mapTo(form_->graphPage(), track->pixelOf(0, depth).toPoint()).y();
    };
    const QLabel* column = litholog->columnImage();
    EXPECT_NEAR(column->y(), row(shown.top), 1);
    EXPECT_NEAR(column->y() + column->height(), row(shown.bottom), 1);

    navigation->showWhole();
    QApplication::processEvents();
    EXPECT_DOUBLE_EQ(litholog->depthScale()->depthRange().lo, window.top);
    EXPECT_DOUBLE_EQ(litholog->depthScale()->depthRange().hi, window.bottom);
    EXPECT_NEAR(column->y(), row(window.top), 1);
}

// Save Litholog writes the column below the page header the other pictures carry, and the
// bitmap reads back as the column drawn.
TEST_F(DataCommandsTest, TheSavedLithologBitmapCarriesThePageHeader) {
    importLas("cli/well.las");
    LithologPanel* litholog = form_->exportSubsystem().lithologPanel();
    litholog->startNewLitholog();
    ASSERT_TRUE(litholog->typeBottom(0, "1500.5"));
    ASSERT_TRUE(litholog->chooseLithology(0, "Shale"));
    seam_->saveFile = folder_.qfile("column.bmp");
    ASSERT_TRUE(litholog->saveLithologBitmap());
    const QImage saved(folder_.qfile("column.bmp"), "BMP");
    const QImage column = litholog->column().convertToFormat(QImage::Format_RGB32);
    ASSERT_GT(saved.height(), column.height() + 10);
    ASSERT_GT(saved.width(), 150);
    // The column at the bottom left, as drawn.
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32)
                  .copy(0, saved.height() - column.height(), column.width(), column.height()),
              column);
    // The header's letters above it: ink across the width of the picture.
    int ink = 0;
    for (int y = 0; y < saved.height() - column.height(); ++y)
        for (int x = column.width(); x < saved.width(); ++x) ink += qGray(saved.pixel(x, y)) < 128;
    EXPECT_GT(ink, 100);
}

// Empty Table asks only when work no file holds would go: No keeps everything; once the
// elastic results are saved nothing is asked and the table empties.
TEST_F(DataCommandsTest, EmptyTableAsksBeforeUnsavedElasticResultsGo) {
    importLas("cli/well.las");
    form_->computeSubsystem().elasticController()->computeElasticParameters();
    ASSERT_GT(form_->workspace().elastic().recordCount(), 0);
    seam_->messages.clear();
    seam_->answers = {QMessageBox::No};
    form_->commands().run(CommandId::EmptyTable);
    EXPECT_EQ(seam_->messageTexts(),
              (std::vector<QString>{"The elastic parameters have not been saved. Empty the table "
                                    "all the same?"}));
    EXPECT_GT(form_->workspace().elastic().recordCount(), 0);
    EXPECT_TRUE(form_->workspace().loaded());

    ASSERT_EQ(lithora::commands::saveTable(
                  form_->workspace(),
                  {folder_.path() / "saved.las", form_->workspace().importInfo().headerLines}),
              "");
    seam_->messages.clear();
    form_->commands().run(CommandId::EmptyTable);
    EXPECT_TRUE(seam_->messages.empty());
    EXPECT_FALSE(form_->workspace().loaded());
}

// A litholog typed since it was last saved is work no file holds: Empty Table names it (and
// the elastic results with it) and No keeps both; once the litholog is saved to its file and
// the results by Save Table, the table empties without a question.
TEST_F(DataCommandsTest, EmptyTableAsksBeforeAnUnsavedLithologGoes) {
    importLas("cli/well.las");
    LithologPanel* litholog = form_->exportSubsystem().lithologPanel();
    litholog->startNewLitholog();
    ASSERT_TRUE(litholog->typeBottom(0, "1500.25"));
    ASSERT_TRUE(litholog->chooseLithology(0, "Shale"));
    seam_->messages.clear();
    seam_->answers = {QMessageBox::No};
    form_->commands().run(CommandId::EmptyTable);
    EXPECT_EQ(
        seam_->messageTexts(),
        (std::vector<QString>{"The litholog has not been saved. Empty the table all the same?"}));
    EXPECT_TRUE(form_->workspace().loaded());
    EXPECT_EQ(lithora::commands::lithologyIntervals(form_->workspace()).size(), 1u);

    form_->computeSubsystem().elasticController()->computeElasticParameters();
    seam_->messages.clear();
    seam_->answers = {QMessageBox::No};
    form_->commands().run(CommandId::EmptyTable);
    EXPECT_EQ(seam_->messageTexts(),
              (std::vector<QString>{"The elastic parameters and the litholog have not been "
                                    "saved. Empty the table all the same?"}));
    EXPECT_TRUE(form_->workspace().loaded());

    seam_->saveFile = QString::fromStdString((folder_.path() / "drawn.llg").string());
    ASSERT_TRUE(litholog->saveLithologFile());
    seam_->saveFile = QString::fromStdString((folder_.path() / "saved.las").string());
    ASSERT_TRUE(form_->exportSubsystem().saveController()->saveTable());
    seam_->messages.clear();
    form_->commands().run(CommandId::EmptyTable);
    EXPECT_TRUE(seam_->messages.empty());
    EXPECT_FALSE(form_->workspace().loaded());
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
    form_->computeSubsystem().elasticController()->computeElasticParameters();
    ASSERT_EQ(seam_->dialogsRun, std::vector<QString>{"TSelectPL"});
    TrackPanel* panel = form_->trackPanel();
    ASSERT_EQ(panel->trackCount(), 4 + 13);
    for (int k = 1; k <= 13; ++k) {
        DepthChart* t = panel->track(4 + k);
        EXPECT_EQ(t->title(), lithora::test::kElasticTrackTitles[k - 1]);
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
    EXPECT_TRUE(form_->exportSubsystem().saveController()->saveTable());
    EXPECT_EQ(seam_->savesAsked, std::vector<QString>{"Save Table as LAS file"});
    const std::string las = slurp(out);
    EXPECT_EQ(las.rfind("~VERSION INFORMATION\r\n", 0), 0u);
    EXPECT_NE(las.find("\r\n~A     DEPTH          PR"), std::string::npos);
    EXPECT_NE(las.find(" COMP.           ACME ENERGY:    COMPANY\r\n"), std::string::npos);
}

TEST_F(DataCommandsTest, ACurveNameThatIsNoFieldKeepsTheEarlierResults) {
    importLas("cli/well.las");
    form_->computeSubsystem().elasticController()->computeElasticParameters();
    ASSERT_EQ(form_->trackPanel()->trackCount(), 17);
    seam_->onDialog = [](QDialog& d) {
        if (auto* select = qobject_cast<TSelectPL*>(&d))
            select->findChild<QComboBox*>("densityBox")->setCurrentText("RHOZ");
        return QDialog::Accepted;
    };
    form_->computeSubsystem().elasticController()->computeElasticParameters();
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
    form_->computeSubsystem().elasticController()->computeElasticParameters();
    EXPECT_EQ(seam_->dialogsRun, (std::vector<QString>{"TSelectPL", "TVsEquation"}));
    // 0.8619 * 4000 - 1172
    EXPECT_EQ(form_->workspace().elastic().cellText(0, lithora::compute::kVs), "2275.6");
    EXPECT_FALSE(form_->workspace().roleFlags().sWave);

    // Cancel in the Vs dialog computes nothing.
    seam_->dialogsRun.clear();
    seam_->onDialog = [](QDialog& d) {
        if (auto* select = qobject_cast<TSelectPL*>(&d))
            select->findChild<QComboBox*>("sWaveBox")->setCurrentText("");
        return qobject_cast<TVsEquation*>(&d) ? QDialog::Rejected : QDialog::Accepted;
    };
    form_->workspace().elastic().emptyTable();
    form_->computeSubsystem().elasticController()->computeElasticParameters();
    EXPECT_EQ(seam_->dialogsRun, (std::vector<QString>{"TSelectPL", "TVsEquation"}));
    EXPECT_TRUE(form_->workspace().elastic().isEmpty());
}

// Vs by lithology on a real log with a litholog typed on it: the status line counts the samples
// of each class and of the fallback, and the table Save Table writes is the file lithora-cli
// elastic --vs-equation lithology writes for the same log and the litholog saved from the panel.
TEST_F(DataCommandsTest, VsByLithologyWritesWhatTheCommandLineWrites) {
    const char* file = "external/las-external/welly/tutorial/data/P-135_out.LAS";
    const QString well = testData(file);
    importLas(file);
    ASSERT_TRUE(form_->workspace().loaded());
    LithologPanel* litholog = form_->exportSubsystem().lithologPanel();
    litholog->startNewLitholog();
    const std::pair<const char*, const char*> intervals[] = {
        {"400", "Shale"}, {"550", "Sandstone"}, {"650", "Limestone"}, {"700", "Dolomite"}};
    for (int row = 0; const auto& [bottom, name] : intervals) {
        ASSERT_TRUE(litholog->typeBottom(row, bottom)) << bottom;
        ASSERT_TRUE(litholog->chooseLithology(row, name)) << name;
        ++row;
    }
    ASSERT_EQ(lithora::commands::lithologyIntervals(form_->workspace()).size(), 4u);

    bool offered = false;
    seam_->onDialog = [&offered](QDialog& d) {
        if (auto* select = qobject_cast<TSelectPL*>(&d))
            select->findChild<QComboBox*>("sWaveBox")->setCurrentText("");
        if (auto* vs = qobject_cast<TVsEquation*>(&d)) {
            offered = vs->lithologyOption()->isEnabled();
            vs->lithologyOption()->click();
        }
        return QDialog::Accepted;
    };
    seam_->messages.clear();
    seam_->dialogsRun.clear();
    form_->computeSubsystem().elasticController()->computeElasticParameters();
    // The file leaves the density unit open; the units question takes what it proposes (g/cc).
    EXPECT_EQ(seam_->dialogsRun,
              (std::vector<QString>{"TSelectPL", "TVsEquation", "TSelectUnits"}));
    EXPECT_TRUE(offered);
    ASSERT_TRUE(seam_->messages.empty()) << seam_->messages.front().text.toStdString();
    const auto& counts = form_->workspace().lithologyVsCounts();
    for (long long n : counts.byClass) EXPECT_GT(n, 0);
    EXPECT_GT(counts.fallback, 0);  // below 700 m
    EXPECT_EQ(form_->statusText().toStdString(), lithora::commands::lithologyVsSummary(counts));
    EXPECT_TRUE(form_->statusText().startsWith("Vs by lithology: "));

    const auto desktop = folder_.path() / "desktop.las", llg = folder_.path() / "drawn.llg",
               cli = folder_.path() / "cli.las";
    seam_->saveFile = QString::fromStdString(llg.string());
    ASSERT_TRUE(litholog->saveLithologFile());
    seam_->saveFile = QString::fromStdString(desktop.string());
    ASSERT_TRUE(form_->exportSubsystem().saveController()->saveTable());
    const std::string command = std::string("'") + LITHORA_CLI + "' elastic '" +
                                well.toStdString() + "' --vs-equation lithology --litholog '" +
                                llg.string() + "' --density-unit GC -o '" + cli.string() +
                                "' 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    const std::string written = slurp(desktop);
    EXPECT_GT(written.size(), 10000u);
    EXPECT_EQ(written, slurp(cli));
}

// A curve the user names is used for its role whatever the recognition found: the dialog offers
// every curve (the recognised ones first), a shear log under a name no list holds is measured
// Vs, and a name that is no curve is said before any further question.
TEST_F(DataCommandsTest, ANamedCurveIsUsedAndAnUnknownNameIsSaidFirst) {
    std::string text = slurp(testData("cli/well.las").toStdString());
    text.replace(text.find(" DTSM.US/M "), 11, " DTS .US/M ");
    text.replace(text.find("DTSM     GR"), 4, "DTS ");
    std::ofstream(folder_.path() / "dts.las", std::ios::binary) << text;
    seam_->openFile = QString::fromStdString((folder_.path() / "dts.las").string());
    form_->importSubsystem().controller()->importLas();
    ASSERT_FALSE(form_->workspace().roleFlags().sWave);

    QStringList offered;
    QString proposed = "unset";
    seam_->onDialog = [&](QDialog& d) {
        if (auto* select = qobject_cast<TSelectPL*>(&d)) {
            auto* box = select->findChild<QComboBox*>("sWaveBox");
            for (int i = 0; i < box->count(); ++i) offered << box->itemText(i);
            proposed = box->currentText();
            box->setCurrentText("DTS");
        }
        return QDialog::Accepted;
    };
    form_->computeSubsystem().elasticController()->computeElasticParameters();
    EXPECT_EQ(proposed, "");  // nothing recognised: nothing proposed
    EXPECT_TRUE(offered.contains("DTS"));
    EXPECT_FALSE(offered.contains("DEPTH"));
    EXPECT_EQ(seam_->dialogsRun, (std::vector<QString>{"TSelectPL"}));  // no Vs equation
    EXPECT_EQ(form_->workspace().elastic().cellText(0, lithora::compute::kVs), "2000");

    seam_->dialogsRun.clear();
    seam_->onDialog = [](QDialog& d) {
        if (auto* select = qobject_cast<TSelectPL*>(&d)) {
            select->findChild<QComboBox*>("densityBox")->setCurrentText("XYZ");
            select->findChild<QComboBox*>("sWaveBox")->setCurrentText("");
        }
        return QDialog::Accepted;
    };
    form_->computeSubsystem().elasticController()->computeElasticParameters();
    EXPECT_EQ(seam_->dialogsRun, (std::vector<QString>{"TSelectPL"}));
    ASSERT_EQ(seam_->messages.size(), 1u);
    EXPECT_EQ(seam_->messages[0].text, "Field 'XYZ' not found.");
    EXPECT_EQ(form_->workspace().elastic().cellText(0, lithora::compute::kVs), "2000");
}

TEST_F(DataCommandsTest, UnitsWithoutARuleAreAskedAndNeverGuessed) {
    // The first file's "M" is no statement about the second file's "m": the question is
    // asked, with the earlier units proposed.
    // The sonic curves of the second file name no unit, so the depth unit decides.
    importLas("cli/well.las");
    form_->emptyTable();
    std::string text = slurp(testData("cli/well_lower_m.las").toStdString());
    for (const char* unit : {"DT  .US/M", "DTSM.US/M"})
        text.replace(text.find(unit), 9, std::string(unit).substr(0, 5) + "    ");
    std::ofstream(folder_.path() / "no_sonic_unit.las", std::ios::binary) << text;
    seam_->openFile = QString::fromStdString((folder_.path() / "no_sonic_unit.las").string());
    form_->importSubsystem().controller()->importLas();
    bool proposed = false;
    QString caption;
    seam_->onDialog = [&proposed, &caption](QDialog& d) {
        auto* units = qobject_cast<TSelectUnits*>(&d);
        if (!units) return QDialog::Accepted;
        proposed = units->units().pSonic == lithora::compute::SonicUnit::PerMetre &&
                   units->units().sSonic == lithora::compute::SonicUnit::PerMetre &&
                   units->units().density == lithora::compute::DensityUnit::GramsPerCc;
        caption = units->findChild<QLabel*>("questionLabel")->text();
        return QDialog::Rejected;
    };
    form_->computeSubsystem().elasticController()->computeElasticParameters();
    EXPECT_EQ(seam_->dialogsRun, (std::vector<QString>{"TSelectPL", "TSelectUnits"}));
    ASSERT_EQ(seam_->messages.size(), 1u);
    EXPECT_TRUE(seam_->messages[0].text.contains("not known"))
        << seam_->messages[0].text.toStdString();
    EXPECT_TRUE(form_->workspace().elastic().isEmpty());
    EXPECT_TRUE(proposed);
    EXPECT_TRUE(caption.contains("\"m\"")) << caption.toStdString();

    seam_->onDialog = [](QDialog& d) {
        if (auto* units = qobject_cast<TSelectUnits*>(&d)) {
            EXPECT_EQ(units->sonicBoxes().size(), 2u);
            for (QComboBox* box : units->sonicBoxes()) box->setCurrentIndex(0);  // per metre
            units->densityBox()->setCurrentIndex(0);                             // g/cm3
        }
        return QDialog::Accepted;
    };
    form_->computeSubsystem().elasticController()->computeElasticParameters();
    EXPECT_EQ(form_->workspace().elastic().cellText(0, lithora::compute::kVp), "4000");
}

TEST_F(DataCommandsTest, SonicCurvesThatNameTheirUnitAreNotAsked) {
    // Depth in metres, sonic in microseconds per foot: DT 200 us/ft is 1524 m/s.
    std::string text = slurp(testData("cli/well.las").toStdString());
    text.replace(text.find("DT  .US/M"), 9, "DT  .US/F");
    std::ofstream(folder_.path() / "sonic_feet.las", std::ios::binary) << text;
    seam_->openFile = QString::fromStdString((folder_.path() / "sonic_feet.las").string());
    form_->importSubsystem().controller()->importLas();
    form_->computeSubsystem().elasticController()->computeElasticParameters();
    EXPECT_EQ(seam_->dialogsRun, (std::vector<QString>{"TSelectPL"}));
    EXPECT_EQ(form_->workspace().elastic().cellText(2, lithora::compute::kVp), "1524");
    EXPECT_EQ(form_->workspace().elastic().cellText(2, lithora::compute::kVs), "2500");
}

TEST_F(DataCommandsTest, AsciiExportReadsBackAndAForeignFileIsNamed) {
    // A workspace from an ASCII file with the four roles.
    std::ofstream(folder_.path() / "well.txt", std::ios::binary)
        << "Column 1 : Depth m\r\n"
           "Column 2 : Density (Density) - Units : G/CC\r\n"
           "Column 3 : P-wave (P-wave) - Units : us/m\r\n"
           "Column 4 : S-wave (S-wave) - Units : us/m\r\n"
           "1500\t2.5\t250\t500\r\n1500.25\t2.5\t250\t500\r\n1500.5\t2.4\t200\t400\r\n";
    seam_->openFile = QString::fromStdString((folder_.path() / "well.txt").string());
    form_->importSubsystem().controller()->importAscii();
    ASSERT_TRUE(seam_->messages.empty()) << seam_->messages.front().text.toStdString();
    form_->computeSubsystem().elasticController()->computeElasticParameters();
    ASSERT_EQ(form_->workspace().elastic().recordCount(), 3);
    const auto txt = folder_.path() / "saved.txt";
    seam_->saveFile = QString::fromStdString(txt.string());
    ASSERT_TRUE(form_->exportSubsystem().saveController()->saveTable());
    EXPECT_EQ(seam_->savesAsked, std::vector<QString>{"Save Table as ASCII file"});
    form_->emptyTable();

    seam_->openFile = QString::fromStdString(txt.string());
    form_->importSubsystem().controller()->importAscii();
    ASSERT_TRUE(seam_->messages.empty()) << seam_->messages.front().text.toStdString();
    EXPECT_EQ(form_->trackPanel()->trackCount(), 9);
    EXPECT_FALSE(form_->tablePage()->memo()->isVisible());
    EXPECT_EQ(form_->workspace().source().field(1).def.name, "Depth");
    EXPECT_EQ(form_->workspace().source().cellText(2, 10), "2");  // Vp/Vs of the last row
    form_->emptyTable();

    std::ofstream(folder_.path() / "notes.txt") << "just some notes\n1\t2\n";
    seam_->openFile = QString::fromStdString((folder_.path() / "notes.txt").string());
    form_->importSubsystem().controller()->importAscii();
    ASSERT_EQ(seam_->messages.size(), 1u);
    EXPECT_EQ(seam_->messages[0].icon, QMessageBox::Warning);
    EXPECT_TRUE(seam_->messages[0].text.startsWith("Error reading file : "));
    EXPECT_TRUE(seam_->messages[0].text.endsWith("notes.txt"));
    EXPECT_EQ(form_->statusText(), "Error reading file.");
    EXPECT_FALSE(form_->action(CommandId::EmptyTable)->isEnabled());
}

}  // namespace
