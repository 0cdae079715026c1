// Calculation > Correlation Coefficients driven through the dialog seam: the reference
// dialog, the rows on the Table page with their places and the page height, a second run,
// and the desktop list against lithora-cli correlate on real files.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <string>

#include "core/store/table.h"
#include "gui/app/calculation_page.h"
#include "gui/compute/compute_subsystem.h"
#include "gui/compute/correlation_controller.h"
#include "gui/compute/elastic_controller.h"
#include "gui/compute/select_log.h"
#include "gui/compute/units_dialog.h"
#include "gui/import/import_controller.h"
#include "gui/widgets/page_control.h"
#include "support/program_folder.h"
#include "support/recording_seam.h"
#include "support/test_paths.h"

namespace {

using lithora::test::ProgramFolder;
using lithora::test::RecordingSeam;
using lithora::test::testData;

struct ShownRow {
    int top;
    QString name, value;
};

// The rows as the Table page shows them, top to bottom: name (in full) and coefficient.
std::vector<ShownRow> shownRows(TCalculationForm& form) {
    std::vector<ShownRow> rows;
    std::vector<std::pair<int, QString>> values;
    for (const char* box : {"SourceCorrelationRows", "ElasticCorrelationRows"}) {
        auto* rowsBox = form.tablePage()->findChild<QWidget*>(QString::fromLatin1(box));
        if (!rowsBox) continue;
        for (QLabel* l : rowsBox->findChildren<QLabel*>()) {
            const QPoint at = l->mapTo(form.tablePage(), QPoint(0, 0));
            if (at.x() == 850)
                rows.push_back({at.y(), l->accessibleName(), {}});
            else if (at.x() == 950)
                values.emplace_back(at.y(), l->text());
            else
                ADD_FAILURE() << "a row label at x = " << at.x();
        }
    }
    std::sort(rows.begin(), rows.end(), [](auto& a, auto& b) { return a.top < b.top; });
    for (auto& r : rows)
        for (auto& [top, text] : values)
            if (top == r.top) r.value = text;
    EXPECT_EQ(values.size(), rows.size());
    return rows;
}

class CorrelationTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        auto seam = std::make_unique<RecordingSeam>();
        seam_ = seam.get();
        // The curve, Vs and reference dialogs take what they propose; a units question is
        // left unanswered.
        seam_->onDialog = [this](QDialog& d) {
            if (auto* s = qobject_cast<Tselectlog*>(&d)) {
                offered_ = s->items();
                okEnabled_ = s->okButton()->isEnabled();
                if (!reference_.isEmpty() && !s->select(reference_)) return int(QDialog::Rejected);
                s->confirm();
                return s->result();
            }
            if (auto* u = qobject_cast<TSelectUnits*>(&d)) {
                if (!answerUnits_) return int(QDialog::Rejected);
                // The units it proposes, given to the command-line tool as options.
                const auto units = u->units();
                using lithora::compute::DensityUnit;
                using lithora::compute::SonicUnit;
                cliUnits_ = std::string(" --density-unit ") +
                            (units.density == DensityUnit::GramsPerCc ? "GC" : "KM") +
                            " --sonic-unit " +
                            (units.pSonic == SonicUnit::PerMetre ? "us/m" : "us/ft");
                return int(QDialog::Accepted);
            }
            return int(QDialog::Accepted);
        };
        form_ = std::make_unique<TCalculationForm>(folder_.qpath(), std::move(seam));
        ASSERT_TRUE(form_->ready());
    }
    void TearDown() override { form_.reset(); }

    void importLas(const QString& path) {
        seam_->openFile = path;
        form_->importSubsystem().controller()->importLas();
        ASSERT_TRUE(form_->workspace().loaded()) << path.toStdString();
    }
    void correlate(const QString& reference) {
        reference_ = reference;
        form_->commands().run(CommandId::CorrelationCoefficients);
    }

    ProgramFolder folder_;
    RecordingSeam* seam_ = nullptr;
    std::unique_ptr<TCalculationForm> form_;
    QString reference_;
    QStringList offered_;
    bool okEnabled_ = false;
    bool answerUnits_ = false;
    std::string cliUnits_;
};

TEST_F(CorrelationTest, RowsStandFromFiftyWithElasticRowsBelowAndASecondRunReplacesThem) {
    importLas(testData("cli/well.las"));
    form_->computeSubsystem().elasticController()->computeElasticParameters();
    ASSERT_FALSE(form_->workspace().elastic().isEmpty());
    form_->pageControl()->setCurrentIndex(1);  // the command shows its rows on the Table page

    correlate("RHOB");
    EXPECT_EQ(offered_, QStringList({"RHOB", "GR"}));
    EXPECT_TRUE(okEnabled_);
    EXPECT_EQ(form_->computeSubsystem().correlationController()->referenceLog(), "RHOB");
    EXPECT_EQ(form_->tablePage()->referenceCaption()->text(), "Reference:");
    EXPECT_EQ(form_->tablePage()->referenceNameCaption()->text(), "RHOB");
    EXPECT_EQ(form_->statusText(), "Ready");
    EXPECT_TRUE(form_->workspace().source().hasAfterScroll());
    EXPECT_FALSE(form_->workspace().source().controlsDisabled());
    EXPECT_FALSE(form_->workspace().elastic().controlsDisabled());

    // The same list as lithora-cli prints for this file (see the command-line tests).
    const std::array<const char*, 17> names = {"RHOB",
                                               "DT",
                                               "DTSM",
                                               "GR",
                                               "Poisson Ratio",
                                               "Lame Constant",
                                               "Bulk Modulus",
                                               "Shear Modulus",
                                               "Young Modulus",
                                               "Landa.Rho",
                                               "Miu.Rho",
                                               "Landa/Miu",
                                               "Vp",
                                               "Vs",
                                               "Vp/Vs",
                                               "P-Impedance",
                                               "S-Impedance"};
    const std::array<const char*, 17> values = {
        "1.0000",  "1.0000",  "1.0000",  "-0.8660", "0.0000",  "-1.0000",
        "-1.0000", "-1.0000", "-1.0000", "-1.0000", "-1.0000", "0.0000",
        "-1.0000", "-1.0000", "0.0000",  "-1.0000", "-1.0000"};
    auto rows = shownRows(*form_);
    ASSERT_EQ(rows.size(), names.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].top, 50 + 25 * static_cast<int>(i)) << i;
        EXPECT_EQ(rows[i].name, names[i]) << i;
        EXPECT_EQ(rows[i].value, values[i]) << i;
    }
    EXPECT_EQ(rows.back().top, 450);
    // The last row at 450 needs 500 pixels: the page keeps its height, and shows.
    EXPECT_EQ(form_->tablePageHeight(), 610);
    EXPECT_EQ(form_->pageControl()->currentIndex(), 0);
    EXPECT_EQ(form_->pageControl()->height(), 610);

    correlate("GR");
    EXPECT_EQ(form_->tablePage()->referenceNameCaption()->text(), "GR");
    rows = shownRows(*form_);
    ASSERT_EQ(rows.size(), names.size());  // one set of rows, never two
    EXPECT_EQ(rows[3].name, "GR");
    EXPECT_EQ(rows[3].value, "1.0000");
    EXPECT_EQ(rows[0].value, "-0.8660");

    // Cancel clears the reference and leaves the rows.
    seam_->onDialog = [](QDialog&) { return int(QDialog::Rejected); };
    form_->commands().run(CommandId::CorrelationCoefficients);
    EXPECT_EQ(form_->computeSubsystem().correlationController()->referenceLog(), "");
    EXPECT_EQ(shownRows(*form_).size(), names.size());

    // Empty Table takes the rows away with the workspace.
    form_->commands().run(CommandId::EmptyTable);
    EXPECT_TRUE(shownRows(*form_).empty());
    EXPECT_EQ(form_->tablePage()->referenceNameCaption()->text(), "");
}

// A well of 20 curves: 20 source rows and 13 elastic rows, the last at 850; the page grows
// to 900 and the window scrolls to reach it.
TEST_F(CorrelationTest, TwentyCurvesGrowThePageToHoldTheLastRow) {
    std::string las =
        "~VERSION INFORMATION\n VERS. 2.0: CWLS\n WRAP. NO: ONE LINE PER DEPTH STEP\n"
        "~WELL INFORMATION\n STRT.M 1000: \n STOP.M 1001: \n STEP.M 0.5: \n NULL. -999.25: \n"
        "~CURVE INFORMATION\n DEPT.M : DEPTH\n RHOB.G/CC : DENSITY\n DT.US/M : SONIC\n"
        " GR.GAPI : GAMMA\n";
    for (int i = 4; i <= 20; ++i) las += " C" + std::to_string(i) + ".V : CURVE\n";
    las += "~A\n";
    for (int r = 0; r < 3; ++r) {
        las += std::to_string(1000 + 0.5 * r) + " " + std::to_string(2.3 + 0.1 * r) + " " +
               std::to_string(300 - 20 * r) + " " + std::to_string(40 + r * r);
        for (int i = 4; i <= 20; ++i) las += " " + std::to_string(i * (r + 1));
        las += "\n";
    }
    importLas(QString::fromStdString(folder_.write("twenty.las", las).string()));
    ASSERT_EQ(form_->workspace().sourceTrackCount(), 20);
    form_->computeSubsystem().elasticController()->computeElasticParameters();  // Vs estimated
    ASSERT_FALSE(form_->workspace().elastic().isEmpty());

    correlate("RHOB");
    const auto rows = shownRows(*form_);
    ASSERT_EQ(rows.size(), 33u);
    EXPECT_EQ(rows[19].name, "C20");
    EXPECT_EQ(rows[19].value, "1.0000");  // a straight line of the reference's samples
    EXPECT_EQ(rows[20].top, 550);
    EXPECT_EQ(rows.back().top, 850);
    EXPECT_EQ(rows.back().name, "S-Impedance");
    EXPECT_EQ(form_->tablePageHeight(), 900);
    EXPECT_EQ(form_->pageControl()->height(), 900);
}

TEST_F(CorrelationTest, WithoutADensityOrGammaRayCurveOkIsDisabledAndNothingIsListed) {
    Tselectlog empty(QStringList{});
    EXPECT_FALSE(empty.okButton()->isEnabled());
    empty.okButton()->click();
    EXPECT_EQ(empty.referenceLog(), "");
    EXPECT_NE(empty.result(), QDialog::Accepted);

    // A well whose only curve is a sonic.
    importLas(QString::fromStdString(
        folder_
            .write("sonic.las",
                   "~VERSION INFORMATION\n VERS. 2.0: CWLS\n WRAP. NO: ONE LINE\n"
                   "~WELL INFORMATION\n STRT.M 10: \n STOP.M 11: \n STEP.M 1: \n NULL. -999.25: \n"
                   "~CURVE INFORMATION\n DEPT.M : DEPTH\n DT.US/M : SONIC\n~A\n10 300\n11 310\n")
            .string()));
    correlate("");
    EXPECT_TRUE(offered_.isEmpty());
    EXPECT_FALSE(okEnabled_);
    EXPECT_TRUE(shownRows(*form_).empty());
    EXPECT_EQ(form_->statusText(), "Ready");
}

// The desktop list and lithora-cli correlate on the same real files, with the curves both
// choose by default: the same rows, names and coefficients.
TEST_F(CorrelationTest, TheDesktopListAgreesWithTheCommandLineOnRealFiles) {
    const char* files[] = {
        "external/las-external/welly/tutorial/data/P-135_out.LAS",
        "external/las-external/welly/tests/assets/example_1.las",
        "external/las-external/las-js/src/__test__/sample/1046943371.las",
        "external/las-external/lasio/standards/examples/2.0/sample_2.0.las",
    };
    answerUnits_ = true;
    for (const char* file : files) {
        SCOPED_TRACE(file);
        cliUnits_.clear();
        auto seam = std::make_unique<RecordingSeam>();
        seam->onDialog = seam_->onDialog;
        form_.reset();  // one window per program folder
        seam_ = seam.get();
        form_ = std::make_unique<TCalculationForm>(folder_.qpath(), std::move(seam));
        ASSERT_TRUE(form_->ready());
        importLas(testData(file));
        form_->computeSubsystem().elasticController()->computeElasticParameters();
        reference_.clear();  // the first candidate
        correlate("");
        ASSERT_FALSE(offered_.isEmpty());
        const QString reference = offered_.front();

        std::string desktop;
        for (const ShownRow& r : shownRows(*form_))
            desktop += r.name.toStdString() + "\t" + r.value.toStdString() + "\n";
        ASSERT_FALSE(desktop.empty());
        // The well with a shear log has its elastic rows on both lists.
        if (file == files[0]) {
            EXPECT_NE(desktop.find("\nS-Impedance\t"), std::string::npos);
        }

        const std::string command = std::string("'") + LITHORA_CLI + "' correlate '" +
                                    testData(file).toStdString() + "' --reference '" +
                                    reference.toStdString() + "'" + cliUnits_ + " 2>/dev/null";
        std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
        ASSERT_TRUE(pipe);
        std::string cli;
        std::array<char, 4096> buffer{};
        while (std::fgets(buffer.data(), buffer.size(), pipe.get())) cli += buffer.data();
        EXPECT_EQ(desktop, cli);
    }
}

}  // namespace
