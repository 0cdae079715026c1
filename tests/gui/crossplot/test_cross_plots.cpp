// The cross plots window on a small well, driven through the dialog seam: its plots and
// their ranges, the popup commands, the zoom gesture, the depth tips, "Colour by", and how
// the window follows the elastic table.
#include <gtest/gtest.h>
#include <qcustomplot.h>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <cmath>

#include "core/compute/elastic.h"
#include "gui/app/calculation_page.h"
#include "gui/app/table_page.h"
#include "gui/compute/compute_subsystem.h"
#include "gui/compute/elastic_controller.h"
#include "gui/compute/select_logs.h"
#include "gui/crossplot/cross_plots.h"
#include "gui/crossplot/cross_plots_controller.h"
#include "gui/display/set_min_max_comp.h"
#include "gui/import/import_controller.h"
#include "gui/widgets/chart_export.h"
#include "gui/widgets/chart_print.h"
#include "gui/widgets/cross_plot.h"
#include "gui/widgets/number_box.h"
#include "gui/widgets/point_cloud.h"
#include "support/pointer.h"
#include "support/program_folder.h"
#include "support/recording_seam.h"

namespace {

using lithora::test::ProgramFolder;
using lithora::test::RecordingSeam;
using lithora::test::testData;
namespace compute = lithora::compute;

constexpr double kTol = 1e-9;

// Presses the mouse at one value pair of a plot and lets it go at another.
void drag(CrossPlot* p, QPointF from, QPointF to) {
    p->plot()->replot();
    const QPointF offset(p->plot()->pos());
    const QPoint a = (p->pixelOf(from.x(), from.y()) - offset).toPoint();
    const QPoint b = (p->pixelOf(to.x(), to.y()) - offset).toPoint();
    QTest::mousePress(p->plot(), Qt::LeftButton, {}, a);
    QTest::mouseMove(p->plot(), (a + b) / 2);
    QTest::mouseMove(p->plot(), b);
    QTest::mouseRelease(p->plot(), Qt::LeftButton, {}, b);
}

void click(CrossPlot* p, double x, double y) {
    p->plot()->replot();
    const QPoint at = (p->pixelOf(x, y) - QPointF(p->plot()->pos())).toPoint();
    pressAndRelease(p->plot(), Qt::LeftButton, at);
}

class CrossPlotsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        auto seam = std::make_unique<RecordingSeam>();
        seam_ = seam.get();
        seam_->onDialog = [](QDialog&) { return int(QDialog::Accepted); };
        form_ = std::make_unique<TCalculationForm>(folder_.qpath(), std::move(seam));
        ASSERT_TRUE(form_->ready());
        seam_->openFile = testData("las/cross_plot_well.las");
        form_->importSubsystem().controller()->importLas();
        ASSERT_TRUE(seam_->messages.empty());
    }
    void TearDown() override {
        form_.reset();
        QLocale::setDefault(QLocale::system());
    }

    void computeElastic() {
        seam_->onDialog = [](QDialog&) { return int(QDialog::Accepted); };
        form_->computeSubsystem().elasticController()->computeElasticParameters();
        QApplication::processEvents();
    }
    TCrossPlots* open() {
        EXPECT_TRUE(form_->commands().run(CommandId::CrossPlots));
        auto windows = form_->crossPlotSubsystem().controller()->windows();
        return windows.empty() ? nullptr : windows.back();
    }
    std::vector<double> elastic(int field) {
        return form_->workspace().elastic().visibleFloats(field);
    }
    static QAction* item(CrossPlot* p, const QString& text) {
        for (QAction* a : p->popupMenu()->actions())
            if (a->text() == text) return a;
        ADD_FAILURE() << "no item " << text.toStdString();
        return nullptr;
    }
    // Answers the next "Set Min, Max" with four texts and a button ("" is the close box).
    void answerLimits(QStringList texts, const char* button, QStringList* shown = nullptr) {
        seam_->onDialog = [=](QDialog& d) {
            auto* dialog = qobject_cast<TSetMinMaxComp*>(&d);
            EXPECT_NE(dialog, nullptr);
            if (!dialog) return int(QDialog::Rejected);
            if (shown)
                *shown = {dialog->caption(1)->text(),    dialog->minimumBox(1)->text(),
                          dialog->maximumBox(1)->text(), dialog->caption(2)->text(),
                          dialog->minimumBox(2)->text(), dialog->maximumBox(2)->text()};
            dialog->minimumBox(1)->setText(texts[0]);
            dialog->maximumBox(1)->setText(texts[1]);
            dialog->minimumBox(2)->setText(texts[2]);
            dialog->maximumBox(2)->setText(texts[3]);
            if (*button)
                dialog->findChild<QPushButton*>(button)->click();
            else
                dialog->reject();
            return dialog->result();
        };
    }

    ProgramFolder folder_;
    RecordingSeam* seam_ = nullptr;
    std::unique_ptr<TCalculationForm> form_;
};

TEST_F(CrossPlotsTest, BeforeAComputationEachPlotSaysSoThenTheWindowFollowsTheTable) {
    EXPECT_TRUE(form_->commands().action(CommandId::CrossPlots)->isEnabled());
    TCrossPlots* w = open();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), "Cross Plots");
    EXPECT_EQ(w->size(), QSize(717, 546));
    EXPECT_TRUE(w->isVisible());
    for (int k = 1; k <= 4; ++k) {
        EXPECT_EQ(w->plot(k)->message(), "Compute the elastic parameters first.");
        EXPECT_EQ(w->plot(k)->pointCount(), 0u);
    }

    computeElastic();
    for (int k = 1; k <= 4; ++k) {
        EXPECT_EQ(w->plot(k)->message(), "") << k;
        EXPECT_EQ(w->plot(k)->pointCount(), 6u) << k;  // one record without values
    }
    EXPECT_EQ(w->plot(1)->xTitle(), "RHOB (Kg/m3)");
    EXPECT_EQ(w->plot(1)->yTitle(), "Vp/Vs");

    // Scrolling through the records changes no point and reads nothing again; a change
    // of the table is read once, however many rows it touched.
    const int readings = w->readings();
    for (int row = 0; row < 6; ++row) form_->workspace().elastic().moveTo(row);
    form_->workspace().source().moveTo(3);
    QApplication::processEvents();
    EXPECT_EQ(w->readings(), readings);

    // Filter leaves two records; Undo Filter brings all back.
    form_->tablePage()->filterLowBox()->setText("2000.4");
    form_->tablePage()->filterHighBox()->setText("2001.1");
    ASSERT_TRUE(form_->commands().run(CommandId::ApplyFilter));
    QApplication::processEvents();
    EXPECT_EQ(w->readings(), readings + 1);
    EXPECT_EQ(w->plot(3)->pointCount(), 2u);
    const auto rho = elastic(compute::kRho);
    EXPECT_NEAR(w->plot(1)->points()->xs()[0], rho[0], kTol);
    ASSERT_TRUE(form_->commands().run(CommandId::UndoFilter));
    QApplication::processEvents();
    EXPECT_EQ(w->plot(3)->pointCount(), 6u);

    // A new computation replaces the points (here without the shear curve: Vs estimated).
    const double vpvs = w->plot(4)->points()->ys()[0];
    seam_->onDialog = [](QDialog& d) {
        if (auto* select = qobject_cast<TSelectPL*>(&d)) select->sWaveBox()->setCurrentText("");
        return int(QDialog::Accepted);
    };
    form_->computeSubsystem().elasticController()->computeElasticParameters();
    QApplication::processEvents();
    EXPECT_EQ(w->plot(4)->points()->ys()[0], elastic(compute::kVpVs)[0]);
    EXPECT_NE(w->plot(4)->points()->ys()[0], vpvs);

    form_->emptyTable();
    QApplication::processEvents();
    for (int k = 1; k <= 4; ++k)
        EXPECT_EQ(w->plot(k)->message(), "Compute the elastic parameters first.");

    // Close frees the window.
    w->closeButton()->click();
    QApplication::processEvents();
    EXPECT_TRUE(form_->crossPlotSubsystem().controller()->windows().empty());
}

TEST_F(CrossPlotsTest, PlotsShowTheirFieldsWithAutomaticRangesExceptTheFixedSecondPlot) {
    computeElastic();
    TCrossPlots* w = open();
    struct Expect {
        int field_x, field_y;
        const char* x_title;
        const char* y_title;
        QPoint at;
    };
    const Expect expects[] = {
        {compute::kRho, compute::kVpVs, "RHOB (Kg/m3)", "Vp/Vs", {8, 8}},
        {compute::kLandaRho,
         compute::kMiuRho,
         "LAMBDA.RHO (GPa.Kg/m3)",
         "MU.RHO (GPa.Kg/m3)",
         {360, 8}},
        {compute::kPImpedance,
         compute::kSImpedance,
         "P-IMPEDANCE (Mg/sm2)",
         "S-IMPEDANCE (Mg/sm2)",
         {8, 264}},
        {compute::kVp, compute::kVpVs, "Vp (m/s)", "Vp/Vs", {360, 264}},
    };
    for (int k = 1; k <= 4; ++k) {
        const Expect& e = expects[k - 1];
        CrossPlot* p = w->plot(k);
        EXPECT_EQ(p->pos(), e.at);
        EXPECT_EQ(p->size(), QSize(345, 249));
        EXPECT_EQ(p->xTitle(), e.x_title);
        EXPECT_EQ(p->yTitle(), e.y_title);
        const auto xs = elastic(e.field_x);
        const auto ys = elastic(e.field_y);
        for (std::size_t i = 0; i < xs.size(); ++i) {
            if (std::isnan(xs[i])) continue;
            // Every point of the table lies inside an automatic range.
            if (k != 2) {
                EXPECT_GT(xs[i], p->xRange().lo);
                EXPECT_LT(xs[i], p->xRange().hi);
                EXPECT_GT(ys[i], p->yRange().lo);
                EXPECT_LT(ys[i], p->yRange().hi);
            }
        }
    }
    // The second plot shows 0 .. 160000 by 0 .. 80000 whatever the data, also after a change.
    form_->workspace().applyDepthFilter(2000.4, 2001.1);
    QApplication::processEvents();
    EXPECT_EQ(w->plot(2)->xRange().lo, 0);
    EXPECT_EQ(w->plot(2)->xRange().hi, 160000);
    EXPECT_EQ(w->plot(2)->yRange().hi, 80000);
    // Points keep their colours: red, lime, aqua, fuchsia.
    EXPECT_EQ(w->plot(1)->colour(), QColor(255, 0, 0));
    EXPECT_EQ(w->plot(2)->colour(), QColor(0, 255, 0));
    EXPECT_EQ(w->plot(3)->colour(), QColor(0, 255, 255));
    EXPECT_EQ(w->plot(4)->colour(), QColor(255, 0, 255));
}

struct LimitsCase {
    const char* what;
    QStringList texts;  // row 1 (left axis) min, max; row 2 (bottom axis) min, max
    const char* button;
    bool yChanges, xChanges;
};

TEST_F(CrossPlotsTest, SetMinMaxAppliesEachRowWhoseMinimumIsBelowItsMaximum) {
    computeElastic();
    TCrossPlots* w = open();
    const LimitsCase cases[] = {
        {"both rows", {"1.5", "2.5", "2000", "2700"}, "okButton", true, true},
        {"row 1 upside down", {"10", "5", "2100", "2600"}, "okButton", false, true},
        {"row 2 equal", {"1.6", "2.4", "7", "7"}, "okButton", true, false},
        {"Cancel", {"1", "3", "1", "3"}, "cancelButton", false, false},
        {"close box", {"1", "3", "1", "3"}, "", false, false},
    };
    for (const auto& c : cases) {
        CrossPlot* p = w->plot(1);
        const auto x = p->xRange();
        const auto y = p->yRange();
        QStringList shown;
        answerLimits(c.texts, c.button, &shown);
        item(p, "Set Min, Max")->trigger();
        // Row 1 is the left axis, row 2 the bottom axis, each with its range.
        ASSERT_EQ(shown.size(), 6) << c.what;
        EXPECT_EQ(shown[0], "Vp/Vs");
        EXPECT_EQ(shown[3], "RHOB (Kg/m3)");
        EXPECT_NEAR(shown[4].toDouble(), x.lo, 1e-6 * std::abs(x.lo)) << c.what;
        EXPECT_NEAR(shown[2].toDouble(), y.hi, 1e-6 * std::abs(y.hi)) << c.what;
        if (c.yChanges) {
            EXPECT_EQ(p->yRange().lo, c.texts[0].toDouble()) << c.what;
            EXPECT_EQ(p->yRange().hi, c.texts[1].toDouble()) << c.what;
        } else {
            EXPECT_EQ(p->yRange().lo, y.lo) << c.what;
            EXPECT_EQ(p->yRange().hi, y.hi) << c.what;
        }
        if (c.xChanges) {
            EXPECT_EQ(p->xRange().lo, c.texts[2].toDouble()) << c.what;
            EXPECT_EQ(p->xRange().hi, c.texts[3].toDouble()) << c.what;
        } else {
            EXPECT_EQ(p->xRange().lo, x.lo) << c.what;
            EXPECT_EQ(p->xRange().hi, x.hi) << c.what;
        }
    }
    // The ranges set stay through a later change of the table.
    form_->workspace().applyDepthFilter(2000.4, 2001.1);
    QApplication::processEvents();
    EXPECT_EQ(w->plot(1)->xRange().hi, 2600);
    EXPECT_EQ(w->plot(1)->yRange().hi, 2.4);
}

TEST_F(CrossPlotsTest, SetMinMaxRefusesABoxWithoutANumber) {
    computeElastic();
    TCrossPlots* w = open();
    const auto before = w->plot(3)->xRange();
    bool stayedOpen = false;
    seam_->onDialog = [&](QDialog& d) {
        auto& dialog = dynamic_cast<TSetMinMaxComp&>(d);
        dialog.maximumBox(2)->setText("abc");
        dialog.findChild<QPushButton*>("okButton")->click();
        stayedOpen = dialog.result() == 0 && !dialog.answer();
        dialog.findChild<QPushButton*>("cancelButton")->click();
        return dialog.result();
    };
    item(w->plot(3), "Set Min, Max")->trigger();
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(seam_->messageTexts(), std::vector<QString>{"Enter a number in every box."});
    EXPECT_EQ(w->plot(3)->xRange().lo, before.lo);
}

TEST_F(CrossPlotsTest, WithTwoWindowsSetMinMaxChangesTheWindowWhoseMenuWasUsed) {
    computeElastic();
    TCrossPlots* first = open();
    TCrossPlots* second = open();
    ASSERT_NE(first, second);
    const auto untouched = first->plot(4)->xRange();
    answerLimits({"1", "3", "3000", "6000"}, "okButton");
    item(second->plot(4), "Set Min, Max")->trigger();
    EXPECT_EQ(second->plot(4)->xRange().hi, 6000);
    EXPECT_EQ(first->plot(4)->xRange().hi, untouched.hi);
}

TEST_F(CrossPlotsTest, PrintAndExportWorkOnThePlotItself) {
    computeElastic();
    TCrossPlots* w = open();
    CrossPlot* p = w->plot(3);
    EXPECT_EQ(p->popupMenu()->actions()[0]->text(), "Print");
    EXPECT_EQ(p->popupMenu()->actions()[1]->text(), "Export");
    EXPECT_EQ(p->popupMenu()->actions()[2]->text(), "Set Min, Max");

    // Print: the preview of the plot, printed here to a PDF.
    QString pdf = folder_.qfile("plot3.pdf");
    QString printed;
    seam_->onDialog = [&](QDialog& d) {
        auto* preview = qobject_cast<ChartPrintPreview*>(&d);
        EXPECT_NE(preview, nullptr);
        if (preview) {
            EXPECT_EQ(preview->windowTitle(), "Print Preview");
            printed = preview->printToPdf(pdf);
        }
        return int(QDialog::Rejected);
    };
    const auto x = p->xRange();
    item(p, "Print")->trigger();
    EXPECT_EQ(printed, "");
    EXPECT_GT(QFileInfo(pdf).size(), 1000);
    EXPECT_EQ(p->xRange().lo, x.lo);  // printing changes nothing in the plot

    // Export: a PNG of the plot, read back as a picture with the plot's points in it.
    seam_->saveFile = folder_.qfile("plot3.png");
    seam_->onDialog = [&](QDialog& d) {
        auto* dialog = qobject_cast<ChartExportDialog*>(&d);
        EXPECT_NE(dialog, nullptr);
        if (!dialog) return int(QDialog::Rejected);
        dialog->setFormat(PictureFormat::Png);
        dialog->setPictureSize(QSize(345, 249));
        EXPECT_TRUE(dialog->save());
        return int(QDialog::Accepted);
    };
    item(p, "Export")->trigger();
    QImage picture(seam_->saveFile);
    ASSERT_FALSE(picture.isNull());
    int aqua = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x2 = 0; x2 < picture.width(); ++x2) {
            const QColor c = picture.pixelColor(x2, y);
            if (c.red() < 100 && c.green() > 200 && c.blue() > 200) ++aqua;
        }
    EXPECT_GE(aqua, 5 * 9);  // five points, each a filled circle
    EXPECT_EQ(QDir::currentPath(), folder_.qpath());
}

TEST_F(CrossPlotsTest, AClickOnAPointShowsItsDepthOrOnTheFirstPlotItsValue) {
    computeElastic();
    TCrossPlots* w = open();
    const auto depth = elastic(compute::kDepth);
    for (int k : {2, 3, 4}) {
        CrossPlot* p = w->plot(k);
        const auto xs = p->points()->xs();
        const auto ys = p->points()->ys();
        click(p, xs[4], ys[4]);
        EXPECT_EQ(p->lastTip(), QString::number(depth[4])) << k;  // "2002"
    }
    CrossPlot* p1 = w->plot(1);
    click(p1, p1->points()->xs()[1], p1->points()->ys()[1]);
    EXPECT_EQ(p1->lastTip(), QString::number(p1->points()->ys()[1]));
    // A click beside every point shows nothing new.
    CrossPlot* p3 = w->plot(3);
    click(p3, p3->xRange().lo, p3->yRange().hi);
    EXPECT_EQ(p3->lastTip(), QString::number(depth[4]));
}

TEST_F(CrossPlotsTest, ARectangleZoomsThePlotAndADragToTheLeftUndoesIt) {
    computeElastic();
    TCrossPlots* w = open();
    CrossPlot* p = w->plot(4);
    const auto x = p->xRange();
    const auto y = p->yRange();
    const double x1 = x.lo + (x.hi - x.lo) * 0.25, x2 = x.lo + (x.hi - x.lo) * 0.75;
    const double y1 = y.lo + (y.hi - y.lo) * 0.25, y2 = y.lo + (y.hi - y.lo) * 0.75;
    drag(p, {x1, y2}, {x2, y1});  // down and to the right
    EXPECT_TRUE(p->zoomed());
    EXPECT_NEAR(p->xRange().lo, x1, (x.hi - x.lo) / 100);
    EXPECT_NEAR(p->xRange().hi, x2, (x.hi - x.lo) / 100);
    EXPECT_NEAR(p->yRange().lo, y1, (y.hi - y.lo) / 100);
    EXPECT_NEAR(p->yRange().hi, y2, (y.hi - y.lo) / 100);
    drag(p, {x2, y1}, {x1, y2});  // back up to the left
    EXPECT_FALSE(p->zoomed());
    EXPECT_EQ(p->xRange().lo, x.lo);
    EXPECT_EQ(p->yRange().hi, y.hi);

    // A right click opens the menu and leaves no rectangle behind on the plot (or its
    // printout).
    const QPoint centre = p->plot()->axisRect()->rect().center();
    QTest::mousePress(p->plot(), Qt::RightButton, {}, centre);
    EXPECT_FALSE(p->plot()->selectionRect()->isActive());
    QTest::mouseRelease(p->plot(), Qt::RightButton, {}, centre);
    p->popupMenu()->close();
    EXPECT_FALSE(p->zoomed());
}

TEST_F(CrossPlotsTest, ColourByPaintsEachPointByTheChosenCurveWithAScale) {
    computeElastic();
    TCrossPlots* w = open();
    CrossPlot* p = w->plot(3);
    QStringList captions;
    for (QAction* a : p->colourActions()) captions.push_back(a->text());
    EXPECT_EQ(captions, (QStringList{"None", "Gamma Ray (GR)", "Depth", "RHOB(G/CC)", "DT(US/M)",
                                     "DTSM(US/M)", "GR(GAPI)"}));
    EXPECT_TRUE(p->colourActions()[0]->isChecked());
    EXPECT_FALSE(p->colourScaleShown());  // the plots keep their own colour at first

    p->colourActions()[1]->trigger();
    EXPECT_TRUE(p->colourActions()[1]->isChecked());
    EXPECT_TRUE(p->colourScaleShown());
    EXPECT_EQ(p->colourScaleRange().lo, 40);  // the gamma ray of the six records
    EXPECT_EQ(p->colourScaleRange().hi, 100);
    // Low and high gamma ray take the two ends of the scale; a null one is grey.
    const auto first = lithora::ColourScale::stops().front();
    const auto last = lithora::ColourScale::stops().back();
    EXPECT_NE(p->pointColour(0), p->pointColour(5));
    EXPECT_EQ(p->pointColour(2), QColor(160, 160, 160));
    EXPECT_LT(std::abs(p->pointColour(0).blue() - first.b), 20);
    EXPECT_LT(std::abs(p->pointColour(4).red() - last.r), 20);
    EXPECT_EQ(w->plot(1)->colour(), QColor(255, 0, 0));  // other plots unchanged
    EXPECT_FALSE(w->plot(1)->colourScaleShown());

    // Colouring follows a filter: the scale spans what is shown.
    form_->workspace().applyDepthFilter(2001.9, 2002.6);
    QApplication::processEvents();
    EXPECT_EQ(p->colourScaleRange().lo, 50);
    EXPECT_EQ(p->colourScaleRange().hi, 100);

    p->colourActions()[2]->trigger();  // depth
    EXPECT_EQ(p->colouring(), "Depth");
    EXPECT_EQ(p->colourScaleRange().lo, 2002);

    p->colourActions()[0]->trigger();
    EXPECT_FALSE(p->colourScaleShown());
    EXPECT_EQ(p->pointColour(0), QColor(0, 255, 255));

    // A curve that goes with the well leaves the plot uncoloured.
    p->colourActions()[1]->trigger();
    form_->emptyTable();
    QApplication::processEvents();
    EXPECT_FALSE(p->colourScaleShown());
    EXPECT_EQ(w->colouring(3).kind, lithora::workspace::ColourOption::None);
}

TEST_F(CrossPlotsTest, TheLimitsDialogHasItsCaptionsAndButtons) {
    TSetMinMaxComp dialog(
        {"", 1, 2}, {"A VERY LONG AXIS TITLE THAT GOES ON AND ON AND ON (unit)", 3, 4}, *seam_);
    EXPECT_EQ(dialog.windowTitle(), "Set Min, Max");
    EXPECT_EQ(dialog.size(), QSize(403, 217));
    EXPECT_EQ(dialog.caption(1)->text(), "Log");
    // The heading is whole, whatever font stands in for Arial.
    auto* heading = dialog.findChild<QLabel*>("Heading");
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->text(), "Enter minimum and maximum values for the logs:");
    EXPECT_LE(heading->fontMetrics().horizontalAdvance(heading->text()), heading->width());
    // A long caption is cut, not run under the boxes.
    EXPECT_LE(dialog.caption(2)->fontMetrics().horizontalAdvance(dialog.caption(2)->text()),
              dialog.caption(2)->width());
    EXPECT_EQ(dialog.minimumBox(2)->geometry().topLeft(), QPoint(120, 136));
    EXPECT_EQ(dialog.maximumBox(1)->geometry().topLeft(), QPoint(272, 80));
    dialog.findChild<QPushButton*>("okButton")->click();
    ASSERT_TRUE(dialog.answer().has_value());
    EXPECT_EQ(*dialog.answer(), (std::array<double, 4>{1, 2, 3, 4}));
}

}  // namespace
