// View > Elastic Correlations driven through the dialog seam: the selection, the five
// combination tracks over both tables, the window before any computation and after later
// changes of the tables, and every popup command with its dialog.
#include <gtest/gtest.h>
#include <qcustomplot.h>

#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <cmath>
#include <functional>
#include <memory>

#include "core/chart/axis_fit.h"
#include "core/store/table.h"
#include "gui/app/calculation_page.h"
#include "gui/app/display_subsystem.h"
#include "gui/compute/compute_subsystem.h"
#include "gui/compute/elastic_controller.h"
#include "gui/display/depth_chart.h"
#include "gui/display/elastic_correlation_dialogs.h"
#include "gui/display/elastic_correlations.h"
#include "gui/display/set_min_max_comp.h"
#include "gui/display/zoom_chart.h"
#include "gui/import/import_controller.h"
#include "gui/widgets/chart_copy.h"
#include "gui/widgets/chart_export.h"
#include "gui/widgets/chart_print.h"
#include "gui/widgets/number_box.h"
#include "support/program_folder.h"
#include "support/recording_seam.h"

namespace {

using lithora::AxisRange;
using lithora::test::ProgramFolder;
using lithora::test::RecordingSeam;
using lithora::test::testData;
constexpr double kTol = 1e-9;
constexpr auto Top = DepthChart::Top;
constexpr auto Bottom = DepthChart::Bottom;

// The value-axis fit of a column as the window gives it.
AxisRange fitOf(const std::vector<double>& values) {
    const auto e = lithora::columnExtent(values.data(), values.size());
    return lithora::rescaleLimits(e.min, e.max);
}

void expectRange(const AxisRange& actual, const AxisRange& expected, const char* what) {
    EXPECT_NEAR(actual.lo, expected.lo, kTol) << what;
    EXPECT_NEAR(actual.hi, expected.hi, kTol) << what;
}

class ElasticCorrelationsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        auto seam = std::make_unique<RecordingSeam>();
        seam_ = seam.get();
        seam_->onDialog = [this](QDialog& d) -> int {
            if (auto* s = qobject_cast<Tdgselection*>(&d)) {
                if (density_) s->densityBox()->setEditText(*density_);
                if (gammaRay_) s->gammaRayBox()->setEditText(*gammaRay_);
                s->confirm();
                return s->result();
            }
            if (qobject_cast<TSetMinMaxComp*>(&d) || qobject_cast<TElasticChangeColor*>(&d) ||
                qobject_cast<QColorDialog*>(&d) || qobject_cast<ChartPrintPreview*>(&d) ||
                qobject_cast<ChartExportDialog*>(&d)) {
                // A copy: the answer may set the answer of a dialog it opens itself.
                const auto answer = popupDialog;
                return answer ? answer(d) : int(QDialog::Rejected);
            }
            return int(QDialog::Accepted);  // the curve and Vs dialogs take what they propose
        };
        form_ = std::make_unique<TCalculationForm>(folder_.qpath(), std::move(seam));
        ASSERT_TRUE(form_->ready());
        seam_->openFile = testData("cli/well.las");
        form_->importSubsystem().controller()->importLas();
        ASSERT_TRUE(form_->workspace().loaded());
    }
    void TearDown() override { form_.reset(); }

    void computeElastic() {
        form_->computeSubsystem().elasticController()->computeElasticParameters();
        ASSERT_FALSE(form_->workspace().elastic().isEmpty());
    }
    TElasticCorrelationPage* open() {
        form_->commands().run(CommandId::ElasticCorrelations);
        const auto windows = form_->displaySubsystem().elasticCorrelations()->windows();
        if (windows.empty()) return nullptr;
        windows.back()->show();
        QApplication::processEvents();
        for (int k = 1; k <= 5; ++k) windows.back()->track(k)->plot()->replot();
        return windows.back();
    }
    // Runs the track's popup item of that text; the item reports the track's number.
    void popup(DepthChart* t, const QString& text) {
        for (QAction* a : t->popupMenu()->actions())
            if (a->text() == text && a->data().toInt() == t->number()) return a->trigger();
        ADD_FAILURE() << "no popup item " << text.toStdString();
    }
    std::vector<double> elasticColumn(const char* field) const {
        const auto& e = form_->workspace().elastic();
        return e.visibleFloats(e.fieldIndex(field));
    }
    std::vector<double> sourceColumn(const char* field) const {
        const auto& s = form_->workspace().source();
        return s.visibleFloats(s.fieldIndex(field));
    }

    ProgramFolder folder_;
    RecordingSeam* seam_ = nullptr;
    std::unique_ptr<TCalculationForm> form_;
    std::optional<QString> density_, gammaRay_;
    std::function<int(QDialog&)> popupDialog;
};

TEST_F(ElasticCorrelationsTest, FiveCombinationTracksShowBothTablesWithTwoScalesEach) {
    computeElastic();
    TElasticCorrelationPage* w = open();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(seam_->dialogsRun.back(), "Tdgselection");
    EXPECT_EQ(w->windowTitle(), "Elastic Correlations");
    EXPECT_EQ(w->size(), QSize(641, 640));
    EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);

    struct Expected {
        int left, width;
        QString topTitle, bottomTitle;
        QColor top, bottom;
        AxisRange topRange, bottomRange;
    };
    const Expected expected[] = {
        {32, 161, "P-IMP(Mg/sm2)", "S-IMP(Mg/sm2)", QColor(255, 0, 0), QColor(0, 0, 160),
         fitOf(elasticColumn("P-Impedance")), fitOf(elasticColumn("S-Impedance"))},
        {192, 105, "LAMBDA.RHO", "MU.RHO", QColor(0, 221, 0), QColor(128, 0, 255),
         fitOf(elasticColumn("Landa.Rho")), fitOf(elasticColumn("Miu.Rho"))},
        {296, 105, "POISSON RATIO", "YOUNG MOD. (GPa)", QColor(128, 64, 64), QColor(0, 0, 255),
         fitOf(elasticColumn("Poisson Ratio")), fitOf(elasticColumn("Young Modulus"))},
        {400, 105, "Vp/Vs", "RHOB (Kg/m3)", QColor(0, 128, 255), QColor(255, 0, 255),
         fitOf(elasticColumn("Vp/Vs")), fitOf(elasticColumn("Rho"))},
        {504,
         105,
         "GR(GAPI)",
         "RHOB(G/CC)",
         QColor(255, 0, 128),
         QColor(0, 128, 0),
         {44.5, 55.6},
         {2.3, 2.6}},
    };
    for (int k = 1; k <= 5; ++k) {
        SCOPED_TRACE(k);
        const Expected& e = expected[k - 1];
        DepthChart* t = w->track(k);
        EXPECT_EQ(t->geometry(), QRect(e.left, 8, e.width, 600));
        EXPECT_EQ(t->axisTitle(Top), e.topTitle);
        EXPECT_EQ(t->axisTitle(Bottom), e.bottomTitle);
        EXPECT_EQ(t->curveColour(Top), e.top);
        EXPECT_EQ(t->curveColour(Bottom), e.bottom);
        expectRange(t->valueRange(Top), e.topRange, "top");
        expectRange(t->valueRange(Bottom), e.bottomRange, "bottom");
        EXPECT_EQ(t->notice(), "");
        // Only the first track shows the depths.
        EXPECT_EQ(t->depthLabelsShown(), k == 1);

        // What the reader sees: the top scale above the curves, the bottom scale below,
        // each with its two end labels inside the track, and deeper samples lower.
        const QRect area = t->plotArea();
        const auto top = t->drawnLabels(Top);
        const auto bottom = t->drawnLabels(Bottom);
        ASSERT_EQ(top.size(), 2u);
        ASSERT_EQ(bottom.size(), 2u);
        for (const auto& l : top) EXPECT_LE(l.rect.bottom(), area.top());
        for (const auto& l : bottom) EXPECT_GE(l.rect.top(), area.bottom());
        for (const auto& l : top)
            EXPECT_TRUE(t->rect().contains(l.rect.toRect())) << l.text.toStdString();
        EXPECT_EQ(top[0].placement, EndLabelPlacement::Left);
        EXPECT_EQ(top[1].placement, EndLabelPlacement::Right);
        EXPECT_LT(t->pixelOf(e.topRange.lo, 1500, Top).y(),
                  t->pixelOf(e.topRange.lo, 1500.5, Top).y());
    }
    EXPECT_EQ(w->track(1)->depthTitle(), form_->workspace().source().field(1).label().c_str());
    EXPECT_EQ(w->track(5)->samples(Top).size(), 3u);
    // Solid top curve, dotted bottom curve.
    EXPECT_EQ(w->track(5)->plot()->xAxis->basePen().style(), Qt::DotLine);

    // Close hides the window for good; the next use opens a new one.
    w->findChild<QPushButton*>("closeButton")->click();
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(form_->displaySubsystem().elasticCorrelations()->windows().empty());
}

// The notice of each elastic track is whole: every word fits the width the label has and
// every line its height, the first track (which also carries the depth labels) included.
TEST_F(ElasticCorrelationsTest, TheNoticeOfEveryElasticTrackIsWhole) {
    TElasticCorrelationPage* w = open();
    ASSERT_NE(w, nullptr);
    for (int k = 1; k <= 4; ++k) {
        const auto* notice = w->track(k)->findChild<QLabel*>(QStringLiteral("Notice"));
        ASSERT_NE(notice, nullptr);
        ASSERT_TRUE(notice->isVisible()) << k;
        const QFontMetrics metrics(notice->font());
        const QRect inside = notice->contentsRect();
        for (const QString& word : notice->text().split(' '))
            EXPECT_LE(metrics.horizontalAdvance(word), inside.width())
                << k << ": " << word.toStdString();
        EXPECT_GE(inside.height(), notice->heightForWidth(notice->width())) << k;
        const QRect area = w->track(k)->plotArea();
        EXPECT_TRUE(area.contains(notice->geometry())) << k;
    }
}

TEST_F(ElasticCorrelationsTest, ElasticTracksAskForTheComputationThenFollowTheTables) {
    TElasticCorrelationPage* w = open();
    ASSERT_NE(w, nullptr);
    for (int k = 1; k <= 4; ++k) {
        EXPECT_EQ(w->track(k)->notice(), TElasticCorrelationPage::kComputeFirst) << k;
        EXPECT_FALSE(w->track(k)->hasValues(Top)) << k;
    }
    EXPECT_EQ(w->track(5)->notice(), "");
    EXPECT_EQ(w->track(5)->samples(Bottom).size(), 3u);

    // Results arrive: the notices go and the elastic scales are fitted once.
    computeElastic();
    for (int k = 1; k <= 4; ++k) EXPECT_EQ(w->track(k)->notice(), "") << k;
    expectRange(w->track(1)->valueRange(Top), fitOf(elasticColumn("P-Impedance")), "P-Impedance");
    EXPECT_EQ(w->track(4)->axisTitle(Bottom), "RHOB (Kg/m3)");
    const AxisRange fitted = w->track(1)->valueRange(Top);
    const AxisRange depths = w->track(5)->depthRange();

    // A depth filter: both tables' tracks show the interval, the depth axes follow, the
    // value scales stay.
    form_->workspace().applyDepthFilter(1500.25, 1500.5);
    QApplication::processEvents();
    EXPECT_EQ(w->track(5)->samples(Top).size(), 2u);
    EXPECT_EQ(w->track(1)->samples(Top).size(), 2u);
    EXPECT_GT(w->track(5)->depthRange().lo, depths.lo);
    expectRange(w->track(1)->valueRange(Top), fitted, "kept");
    form_->workspace().undoDepthFilter();
    EXPECT_EQ(w->track(5)->samples(Top).size(), 3u);
    expectRange(w->track(5)->depthRange(), depths, "back");

    // Empty Table: the log the window showed is gone, and the window with it.
    form_->commands().run(CommandId::EmptyTable);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(form_->displaySubsystem().elasticCorrelations()->windows().empty());
}

TEST_F(ElasticCorrelationsTest, ANameThatIsNoCurveOpensNothingAndOkWaitsForBothCurves) {
    computeElastic();
    gammaRay_ = "NOPE";
    EXPECT_EQ(open(), nullptr);
    ASSERT_EQ(seam_->messages.size(), 1u);
    EXPECT_EQ(seam_->messages[0].text, "Field 'NOPE' not found.");
    EXPECT_EQ(seam_->messages[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(form_->findChildren<TElasticCorrelationPage*>().isEmpty());
    EXPECT_FALSE(form_->workspace().source().controlsDisabled());
    EXPECT_FALSE(form_->workspace().elastic().controlsDisabled());
    EXPECT_TRUE(form_->workspace().source().hasAfterScroll());

    // The hidden record counter is no curve either; names are found without regard to case.
    gammaRay_ = "Counting";
    EXPECT_EQ(open(), nullptr);
    gammaRay_ = "gr";
    EXPECT_NE(open(), nullptr);

    // Without a gamma-ray curve "Ok" stays disabled until one is typed.
    Tdgselection dialog({"RHOB"}, {});
    EXPECT_EQ(dialog.ChosenDensity(), "RHOB");
    EXPECT_EQ(dialog.ChosenGammaRay(), "");
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    dialog.gammaRayBox()->setEditText("GR");
    EXPECT_TRUE(dialog.okButton()->isEnabled());
}

TEST_F(ElasticCorrelationsTest, SetMinMaxTakesEachScaleOnlyWithItsMinimumBelowItsMaximum) {
    computeElastic();
    TElasticCorrelationPage* w = open();
    ASSERT_NE(w, nullptr);
    DepthChart* t = w->track(2);
    const AxisRange top = t->valueRange(Top), bottom = t->valueRange(Bottom);

    struct Case {
        const char* what;
        std::function<int(TSetMinMaxComp&)> answer;
        AxisRange top, bottom;
    };
    auto ok = [](double a, double b, double c, double d) {
        return [=](TSetMinMaxComp& s) {
            s.minimumBox(1)->setValue(a);
            s.maximumBox(1)->setValue(b);
            s.minimumBox(2)->setValue(c);
            s.maximumBox(2)->setValue(d);
            s.applyLimits();
            return s.result();
        };
    };
    const Case cases[] = {
        {"cancel",
         [](TSetMinMaxComp& s) {
             s.cancel();
             return s.result();
         },
         top, bottom},
        {"close box",
         [](TSetMinMaxComp& s) {
             s.close();
             return s.result();
         },
         top, bottom},
        {"bottom reversed", ok(10, 5, 1, 2), {1, 2}, bottom},
        {"top equal", ok(3, 4, 7, 7), {1, 2}, {3, 4}},
        {"both", ok(-5, 5, 0, 150), {0, 150}, {-5, 5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        popupDialog = [&](QDialog& d) {
            auto& s = dynamic_cast<TSetMinMaxComp&>(d);
            // Row 1 is the bottom scale, row 2 the top, whatever the titles say.
            EXPECT_EQ(s.caption(1)->text(), "MU.RHO");
            EXPECT_EQ(s.caption(2)->text(), "LAMBDA.RHO");
            EXPECT_NEAR(*s.minimumBox(2)->value(), t->valueRange(Top).lo, 1e-6);
            EXPECT_NEAR(*s.maximumBox(1)->value(), t->valueRange(Bottom).hi, 1e-6);
            return c.answer(s);
        };
        popup(t, "Set Min, Max");
        expectRange(t->valueRange(Top), c.top, "top");
        expectRange(t->valueRange(Bottom), c.bottom, "bottom");
    }
    EXPECT_EQ(t->valueLabels(Top), (std::vector<QString>{"0", "150"}));

    // A box without a number is refused with a message, and the dialog stays open.
    popupDialog = [&](QDialog& d) {
        auto& s = dynamic_cast<TSetMinMaxComp&>(d);
        s.minimumBox(1)->setText("abc");
        s.applyLimits();
        EXPECT_FALSE(s.answer().has_value());
        return int(QDialog::Rejected);
    };
    popup(t, "Set Min, Max");
    EXPECT_EQ(seam_->messageTexts().back(), "Enter a number in every box.");
    expectRange(t->valueRange(Top), {0, 150}, "unchanged");
}

TEST_F(ElasticCorrelationsTest, ChangeColorAppliesAtOnceAndCancelPutsEveryColourBack) {
    computeElastic();
    TElasticCorrelationPage* w = open();
    ASSERT_NE(w, nullptr);
    DepthChart* t = w->track(1);
    // Track 1's bottom scale has a line and a title of their own colours.
    const QColor curves[] = {t->curveColour(Top), t->curveColour(Bottom)};
    const QColor titles[] = {t->axisTitleColour(Top), t->axisTitleColour(Bottom)};
    const QColor lines[] = {t->axisLineColour(Top), t->axisLineColour(Bottom)};
    EXPECT_NE(lines[Bottom], curves[Bottom]);
    const QColor green(0, 200, 0);

    auto choose = [&](int swatch, bool keep) {
        return [=, this](QDialog& d) {
            auto& c = dynamic_cast<TElasticChangeColor&>(d);
            EXPECT_EQ(c.caption(1)->text(), "P-IMP(Mg/sm2)");
            EXPECT_EQ(c.caption(2)->text(), "S-IMP(Mg/sm2)");
            EXPECT_EQ(c.swatchColour(2), curves[Bottom]);
            popupDialog = [&](QDialog& colour) {
                dynamic_cast<QColorDialog&>(colour).setCurrentColor(green);
                return int(QDialog::Accepted);
            };
            EXPECT_TRUE(c.chooseSwatch(swatch));
            const auto a = swatch == 1 ? Top : Bottom;
            // At once, before the dialog closes.
            EXPECT_EQ(t->curveColour(a), green);
            EXPECT_EQ(t->axisTitleColour(a), green);
            EXPECT_EQ(t->axisLineColour(a), green);
            EXPECT_EQ(c.swatchColour(swatch), green);
            if (keep)
                c.confirm();
            else
                c.cancel();
            return c.result();
        };
    };
    popupDialog = choose(2, false);
    popup(t, "Change Color");
    for (auto a : {Top, Bottom}) {
        EXPECT_EQ(t->curveColour(a), curves[a]);
        EXPECT_EQ(t->axisTitleColour(a), titles[a]);
        EXPECT_EQ(t->axisLineColour(a), lines[a]);
    }

    popupDialog = choose(1, true);
    popup(t, "Change Color");
    EXPECT_EQ(t->curveColour(Top), green);
    EXPECT_EQ(t->axisLineColour(Top), green);
    EXPECT_EQ(t->curveColour(Bottom), curves[Bottom]);
}

// The five tracks put a depth on one pixel row, and no scale label runs into a title, with
// the first track narrower than the others by its depth labels.
TEST_F(ElasticCorrelationsTest, TracksStandInDepthStepAndLabelsKeepOffTheTitles) {
    computeElastic();
    TElasticCorrelationPage* w = open();
    ASSERT_NE(w, nullptr);
    DepthChart* first = w->track(1);
    const AxisRange depths = first->depthRange();
    for (int k = 1; k <= TElasticCorrelationPage::kTrackCount; ++k) {
        DepthChart* t = w->track(k);
        SCOPED_TRACE(k);
        EXPECT_EQ(t->plotArea().top(), first->plotArea().top());
        EXPECT_EQ(t->plotArea().bottom(), first->plotArea().bottom());
        EXPECT_NEAR(t->pixelOf(t->valueRange(Top).lo, depths.lo).y(),
                    first->pixelOf(first->valueRange(Top).lo, depths.lo).y(), 0.5);
        const auto titles = t->titleRects();
        EXPECT_EQ(titles.size(), 2u);
        for (int a : {Top, Bottom}) {
            const auto labels = t->drawnLabels(a);
            EXPECT_EQ(labels.size(), 2u);
            for (const auto& label : labels)
                for (const QRect& title : titles)
                    EXPECT_FALSE(label.rect.intersects(QRectF(title)))
                        << label.text.toStdString() << " over " << t->axisTitle(a).toStdString();
        }
    }
}

TEST_F(ElasticCorrelationsTest, PrintExportAndZoomWorkOnCopiesOfTheTrack) {
    computeElastic();
    TElasticCorrelationPage* w = open();
    ASSERT_NE(w, nullptr);
    DepthChart* t = w->track(2);
    const AxisRange top = t->valueRange(Top), bottom = t->valueRange(Bottom);

    // Print: a copy 200 pixels wide with the depths shown, its scales fitted once more.
    DepthChart* printed = nullptr;
    AxisRange printedTop, printedBottom;
    bool depthShown = false;
    QObject::connect(w, &TElasticCorrelationPage::printCopyReady, w, [&](DepthChart* copy) {
        printed = copy;
        printedTop = copy->valueRange(Top);
        printedBottom = copy->valueRange(Bottom);
        depthShown = copy->depthLabelsShown() && !copy->depthTitle().isEmpty();
        EXPECT_EQ(copy->width(), 200);
        EXPECT_EQ(copy->samples(Bottom).size(), t->samples(Bottom).size());
        // A copy keeps everything of its chart: titles in their colours, coloured scales.
        for (int a : {Top, Bottom}) {
            EXPECT_EQ(copy->axisTitle(a), t->axisTitle(a));
            EXPECT_EQ(copy->axisTitleColour(a), t->axisTitleColour(a));
            EXPECT_EQ(copy->axisLineColour(a), t->axisLineColour(a));
            EXPECT_EQ(copy->curveColour(a), t->curveColour(a));
        }
    });
    int previews = 0;
    popupDialog = [&](QDialog& d) {
        previews += qobject_cast<ChartPrintPreview*>(&d) != nullptr;
        return int(QDialog::Rejected);
    };
    popup(t, "Print");
    ASSERT_NE(printed, nullptr);
    EXPECT_EQ(previews, 1);
    EXPECT_TRUE(depthShown);
    expectRange(printedTop, lithora::rescaleLimits(top.lo, top.hi), "printed top");
    expectRange(printedBottom, lithora::rescaleLimits(bottom.lo, bottom.hi), "printed bottom");
    expectRange(t->valueRange(Top), top, "track unchanged");
    EXPECT_FALSE(t->depthLabelsShown());

    // Export: a picture of the track, read back.
    const QString picture = folder_.qfile("track2.png");
    seam_->saveFile = picture;
    popupDialog = [&](QDialog& d) {
        return dynamic_cast<ChartExportDialog&>(d).save() ? int(QDialog::Accepted)
                                                          : int(QDialog::Rejected);
    };
    popup(t, "Export");
    QImage image(picture);
    ASSERT_FALSE(image.isNull());
    EXPECT_GT(image.width(), 50);

    // Zoom: a rectangle on track 5 opens a zoom window with both scales on the dragged
    // part; the track returns to its full ranges.
    DepthChart* t5 = w->track(5);
    const AxisRange fullTop = t5->valueRange(Top), fullDepth = t5->depthRange();
    t5->plot()->replot();
    const QPointF offset(t5->plot()->pos());
    const QPoint from = (t5->pixelOf(46, 1500.1, Top) - offset).toPoint();
    const QPoint to = (t5->pixelOf(52, 1500.4, Top) - offset).toPoint();
    QTest::mousePress(t5->plot(), Qt::LeftButton, {}, from);
    QTest::mouseMove(t5->plot(), (from + to) / 2);
    QTest::mouseMove(t5->plot(), to);
    QTest::mouseRelease(t5->plot(), Qt::LeftButton, {}, to);
    ASSERT_EQ(w->zoomWindows().size(), 1u);
    TZoomChart* zoom = w->zoomWindows().front();
    ASSERT_NE(zoom->chart(), nullptr);
    EXPECT_NEAR(zoom->zoomTopRange().lo, 46, 0.2);
    EXPECT_NEAR(zoom->zoomTopRange().hi, 52, 0.2);
    EXPECT_GT(zoom->zoomBottomRange().hi, zoom->zoomBottomRange().lo);
    EXPECT_LT(zoom->zoomBottomRange().hi - zoom->zoomBottomRange().lo, bottom.hi - bottom.lo + 1);
    EXPECT_EQ(zoom->chart()->valueLabels(Bottom).size(), 2u);
    EXPECT_EQ(zoom->chart()->samples(Bottom).size(), 3u);
    for (int a : {Top, Bottom})
        EXPECT_EQ(zoom->chart()->axisTitleColour(a), t5->axisTitleColour(a));
    expectRange(t5->valueRange(Top), fullTop, "track top back");
    expectRange(t5->depthRange(), fullDepth, "track depth back");
}

}  // namespace
